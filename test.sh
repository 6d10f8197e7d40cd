#!/usr/bin/env bash
# Runs every test: installs what is missing, builds, runs the suite once
# plainly and once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each extra check in scripts/testes/ (Windows build, fuzzing, hosts).
set -euo pipefail
cd "$(dirname "$0")"
raiz=$(pwd)

bash scripts/instalar-dependencias.sh testes

passaram=0
falharam=0
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
  [[ $variante == sanitizers ]] && opcoes+=(-DQUELB_SANITIZERS=ON -DCMAKE_BUILD_TYPE=Debug)
  echo "== Compilando ($variante)"
  cmake -S . -B "$dir" -G Ninja "${opcoes[@]}" > /dev/null
  cmake --build "$dir"
  echo "== Testando ($variante)"
  set +e
  (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2) | tee "$dir/ctest.log"
  set -e
  conta "$dir/ctest.log"
done

for extra in scripts/testes/*.sh; do
  [[ -e "$extra" ]] || continue
  echo "== $(basename "$extra")"
  if bash "$extra" "$raiz"; then
    passaram=$((passaram + 1))
  else
    echo "FALHOU: $extra"
    falharam=$((falharam + 1))
  fi
done

echo "Resumo: $passaram passed, $falharam failed"
[[ $falharam -eq 0 ]]
