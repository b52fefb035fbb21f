#!/usr/bin/env bash
# The main job end to end on the bundled sample school, in a working folder under the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
BIN="$BUILD/bin"
DEMO="$BUILD/demo"
TRABAJO="$DEMO/TBTEMP"

rm -rf "$DEMO"
mkdir -p "$TRABAJO"
cp data/ejemplo-racima.xml "$DEMO/"

echo "== Racima -> Tabelio: importación de data/ejemplo-racima.xml (plantilla 101)"
"$BIN/racima-tabelio" hacia-tabelio "$DEMO/ejemplo-racima.xml" --jornada 101 \
  --carpeta-trabajo "$TRABAJO"

echo
echo "== Primeras filas de las tablas escritas en $TRABAJO"
/usr/bin/python3 scripts/volcar-tablas.py "$TRABAJO" --filas 3
