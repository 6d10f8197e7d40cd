#!/usr/bin/env bash
# Fumaça do benchmark: 10.000 itens, dois modelos, os dois perfis, uma
# repetição. Confere só que a medição roda e mede o que gerou; os tempos não
# são julgados aqui.
#
#   scripts/testes/bench-fumaca.sh <raiz do repositório>
set -euo pipefail
raiz=$(cd "${1:-$(dirname "$0")/../..}" && pwd)

# The test build of ./test.sh, when it has the benchmark, instead of a build
# of its own.
normal=$raiz/build/teste-normal
if grep -qx 'QUELB_BENCH:BOOL=ON' "$normal/CMakeCache.txt" 2> /dev/null; then
  export QUELB_BENCH_CONSTRUCAO=$normal
fi
saida=$(QUELB_BENCH_N=10000 QUELB_BENCH_MODELOS=modFilizola,modToledoMGV6 QUELB_BENCH_REPETICOES=1 \
  bash "$raiz/scripts/bench.sh")
echo "$saida"
linhas=$(grep -cE '^\| (realista|pior caso) \| 10000 \| mod(Filizola|ToledoMGV6) \| [1-9]' <<< "$saida" || true)
if [[ $linhas -ne 4 ]]; then
  echo "FALHA: esperadas 4 medições com arquivos gerados, vieram $linhas"
  exit 1
fi
