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
echo "== Primeras filas de algunas tablas escritas en $TRABAJO"
/usr/bin/python3 scripts/volcar-tablas.py "$TRABAJO" PROFT GRUPOST ASIGT DIASHORAST PERIODOS --filas 3

echo
echo "== Tabelio resuelve el horario (solucionador-sustituto: un sustituto solo para la demostración)"
"$BIN/solucionador-sustituto" "$TRABAJO"

echo
echo "== Tabelio -> Racima: exportación"
SALIDA=$("$BIN/racima-tabelio" hacia-racima "$DEMO/ejemplo-racima.xml" --carpeta-trabajo "$TRABAJO")
printf '%s\n' "$SALIDA"
RESULTADO=$(printf '%s\n' "$SALIDA" | tail -n 1)

echo
echo "== Filas de las tablas de $TRABAJO"
/usr/bin/python3 scripts/volcar-tablas.py "$TRABAJO" ASIGNOMT ASIGNOMT2 PROFT AULAT CURSOST \
  GRUPOST ASIGT DIASHORAST DIASHORAST2 PERIODOS SOLUC --filas 0 |
  sed -n 's/^== \([A-Z0-9]*\) (\([0-9]*\) filas).*/  \1: \2/p'

echo
echo "== Fichero exportado: $RESULTADO"
echo
echo "== Horario del primer profesor, tal como queda en el fichero exportado"
/usr/bin/python3 scripts/mostrar-horario.py "$RESULTADO" --original "$DEMO/ejemplo-racima.xml"
