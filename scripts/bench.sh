#!/usr/bin/env bash
# Compila em Release, com o benchmark, em build/bench e mede a geração das
# cargas contra a gravação bruta dos mesmos bytes (veja bench/README.md).
#
#   scripts/bench.sh [opções do bench_gerador]     a matriz inteira, ou parte dela
#   scripts/bench.sh cargabal [opções]             o comando cargabal contra o json.load do Python
#
# Exemplos:
#   QUELB_BENCH_N=10000 scripts/bench.sh                      # só 10.000 itens, em segundos
#   scripts/bench.sh --n 100000 --modelos modToledoMGV6 --perfis pior
#   scripts/bench.sh cargabal --n 1000000 --modelo modToledoMGV6
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
# QUELB_BENCH_CONSTRUCAO: a build folder already configured with the
# benchmark (the smoke run of ./test.sh uses the test build, not a Release
# build of its own).
construcao=${QUELB_BENCH_CONSTRUCAO:-$raiz/build/bench}

[[ -n ${QUELB_BENCH_CONSTRUCAO:-} ]] ||
  cmake -S "$raiz" -B "$construcao" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELB_BENCH=ON -DQUELB_TESTES=OFF > /dev/null
if [[ ${1:-} == cargabal ]]; then
  shift
  cmake --build "$construcao" -j2 --target bench_gerador cargabal
  exec python3 "$raiz/bench/cargabal_contra_json.py" "$construcao" "$@"
fi
cmake --build "$construcao" -j2 --target bench_gerador
exec "$construcao/bench/bench_gerador" "$@"
