#!/usr/bin/env bash
# Runs every test: installs what is missing, builds, runs the suite once
# plainly and once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each extra check in scripts/testes/ (Windows build, fuzzing, hosts).
set -euo pipefail
cd "$(dirname "$0")"
raiz=$(pwd)

bash scripts/instalar-dependencias.sh testes

# Its counters and closing line are those of the check scripts.
source scripts/conferencias.sh
conta() {  # reads ctest's summary line
  local log=$1 total falhos
  total=$(grep -oE 'tests failed out of [0-9]+' "$log" | grep -oE '[0-9]+$' || echo 0)
  falhos=$(grep -oE '[0-9]+ tests failed' "$log" | grep -oE '^[0-9]+' || echo 0)
  passaram=$((passaram + total - falhos))
  falharam=$((falharam + falhos))
}

for variante in normal sanitizers; do
  dir="build/teste-$variante"
  opcoes=(-DQUELB_TESTES=ON)
  # The benchmark's smoke run (scripts/testes/bench-fumaca.sh) uses the
  # normal build.
  [[ $variante == normal ]] && opcoes+=(-DQUELB_BENCH=ON)
  [[ $variante == sanitizers ]] && opcoes+=(-DQUELB_SANITIZERS=ON -DCMAKE_BUILD_TYPE=Debug)
  echo "== Compilando ($variante)"
  inicio=$SECONDS
  cmake -S . -B "$dir" -G Ninja "${opcoes[@]}" > /dev/null
  cmake --build "$dir"
  echo "== Testando ($variante)"
  set +e
  (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2) | tee "$dir/ctest.log"
  set -e
  conta "$dir/ctest.log"
  echo "   $variante: $((SECONDS - inicio)) s"
done

# The Windows checks share one Wine prefix, made once here; a machine that
# runs no 32-bit programs runs them through emulation (scripts/wine.sh).
bash scripts/instalar-windows.sh
source scripts/wine.sh
preparar_32_bits
export QUELB_WINE_PREFIXO
QUELB_WINE_PREFIXO=$(mktemp -d /tmp/quelb-wine.XXXXXX)/prefixo
# Under set -e a failing command here would become the script's exit status:
# the Wine server may be gone already.
trap 'WINEPREFIX=$QUELB_WINE_PREFIXO wineserver -k 2> /dev/null || true; rm -rf "${QUELB_WINE_PREFIXO%/*}"' EXIT
inicio=$SECONDS
preparar_prefixo "$QUELB_WINE_PREFIXO" pt_BR.UTF-8
echo "   prefixo pronto em $((SECONDS - inicio)) s"

for extra in scripts/testes/*.sh; do
  [[ -e "$extra" ]] || continue
  echo "== $(basename "$extra")"
  inicio=$SECONDS
  set +e
  bash "$extra" "$raiz" 2>&1 | tee build/extra.log
  r=${PIPESTATUS[0]}
  set -e
  echo "   $(basename "$extra"): $((SECONDS - inicio)) s"
  if ((r == 0)); then
    passaram=$((passaram + 1))
  else
    echo "FALHOU: $extra"
    falharam=$((falharam + 1))
  fi
  # Checks that a script could not run on this machine.
  p=$(grep -oE '^[a-z-]+: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped$' build/extra.log | grep -oE '[0-9]+ skipped' |
    grep -oE '[0-9]+' || true)
  pulados=$((pulados + ${p:-0}))
done

resumo Resumo
