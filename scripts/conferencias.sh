# Sourced by the check scripts of scripts/testes/: counts the checks and
# prints their closing line.
passaram=0
falharam=0
pulados=0

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

# A check that cannot run on this machine: counted apart, never as passed.
pula() {  # pula DESCRIPTION REASON
  echo "PULADO: $1 ($2)"
  pulados=$((pulados + 1))
}

# "NAME: N passed, M failed[, K skipped]"; fails when a check failed.
resumo() {
  local pulos=
  ((pulados)) && pulos=", $pulados skipped"
  echo "$1: $passaram passed, $falharam failed$pulos"
  [[ $falharam -eq 0 ]]
}
