#!/usr/bin/env bash
# Round trips of loads through "cargabal ler", for every model: random
# catalogues without erros in the check are generated, read back and
# generated again (byte-identical files), and the second load reads back to
# the same catalogue as the first. Bounded in time.
#
#   scripts/testes/ida-e-volta.sh <repo root> [build folder]
set -euo pipefail
raiz=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
cd "$raiz"

source scripts/pasta-construcao.sh
construcao=$(pasta_construcao "${2:-}" ida-e-volta)
cmake --build "$construcao" -j2 --target cargabal > /dev/null
cargabal=$construcao/cli/cargabal

echo "-- catálogos lidos em JSON"
python3 scripts/comparar/ida_e_volta.py "$cargabal" 1 60 --limite 75
echo "-- catálogos lidos em CSV"
python3 scripts/comparar/ida_e_volta.py "$cargabal" 1001 20 --limite 30 --csv
