# Sourced by the check scripts of scripts/testes/: counts the checks and
# prints their closing line.
passaram=0
falharam=0

confere() {  # confere DESCRIPTION COMMAND...
  local descricao=$1
  shift
  if "$@"; then
    passaram=$((passaram + 1))
  else
    echo "FALHA: $descricao"
    falharam=$((falharam + 1))
  fi
}

# "NAME: N passed, M failed"; fails when a check failed.
resumo() {
  echo "$1: $passaram passed, $falharam failed"
  [[ $falharam -eq 0 ]]
}
