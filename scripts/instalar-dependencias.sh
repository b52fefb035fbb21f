#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, and only those missing.
set -euo pipefail
PAQUETES=(
  build-essential cmake pkg-config
  libxml2-dev
  qt6-base-dev
  libgtest-dev googletest
  python3 python3-dbfread python3-dbf
  xvfb xauth x11-utils
  libxcb1-dev libxtst-dev
)
faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0
echo "Instalando: ${faltan[*]}"
if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
