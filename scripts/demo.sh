#!/usr/bin/env bash
# The main job end to end on the bundled sample.
set -euo pipefail
BUILD=${1:-build}
"$BUILD/bin/racima-tabelio"
