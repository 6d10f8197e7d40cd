#!/usr/bin/env bash
# Fuzzing curto: compila com clang os alvos de fuzz/ (libFuzzer, ASan+UBSan)
# e roda cada um por QUELB_FUZZ_SEGUNDOS segundos (20 por padrão) sobre o
# corpus guardado em fuzz/corpus/<alvo>/. O corpus do repositório não muda:
# as entradas novas ficam numa pasta temporária. Um achado é copiado para
# build/fuzz/achados/ e o script falha.
#
# Uso: scripts/testes/fuzz.sh [raiz do repositório]
#      QUELB_FUZZ_SEGUNDOS=3600 scripts/testes/fuzz.sh   (rodada longa)
set -euo pipefail
raiz=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
dir=${QUELB_FUZZ_BUILD:-$raiz/build/fuzz}
segundos=${QUELB_FUZZ_SEGUNDOS:-20}

for programa in clang clang++; do
  command -v "$programa" > /dev/null || { echo "fuzz: $programa não encontrado (scripts/pacotes-testes.txt)"; exit 1; }
done

cmake -S "$raiz" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DQUELB_FUZZ=ON -DQUELB_TESTES=OFF > /dev/null
alvos=()
for alvo in exportadas verificar catalogo_json catalogo_csv ler_carga; do
  if cmake --build "$dir" --target help | grep -q "^fuzz_$alvo:"; then
    alvos+=("$alvo")
  else
    echo "fuzz: alvo fuzz_$alvo ausente nesta compilação"
  fi
done
cmake --build "$dir" -j2 --target "${alvos[@]/#/fuzz_}"

# The generations of fuzz_exportadas go to memory when there is a tmpfs.
base=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
trabalho=$(mktemp -d "$base/quelb_fuzz.XXXXXX")
trap 'rm -rf "$trabalho"' EXIT

falhou=0
for alvo in "${alvos[@]}"; do
  mkdir -p "$trabalho/$alvo" "$trabalho/artefatos"
  log="$trabalho/$alvo.log"
  echo "fuzz_$alvo: ${segundos}s sobre fuzz/corpus/$alvo"
  if QUELB_FUZZ_PASTA="$trabalho" "$dir/fuzz/fuzz_$alvo" -max_total_time="$segundos" -rss_limit_mb=4096 \
       -timeout=30 -print_final_stats=1 -artifact_prefix="$trabalho/artefatos/$alvo-" \
       "$trabalho/$alvo" "$raiz/fuzz/corpus/$alvo" > "$log" 2>&1; then
    grep -E "DONE" "$log" || true
  else
    falhou=1
    echo "FALHOU: fuzz_$alvo"
    grep -E "ERROR|SUMMARY|runtime error|promessa|terminate" "$log" | head -n 20 || tail -n 40 "$log"
    mkdir -p "$dir/achados"
    cp "$log" "$dir/achados/"
    for achado in "$trabalho/artefatos/$alvo-"*; do
      [[ -e "$achado" ]] || continue
      cp "$achado" "$dir/achados/"
      echo "reproduzir: $dir/fuzz/fuzz_$alvo $dir/achados/$(basename "$achado")"
    done
  fi
done
exit $falhou
