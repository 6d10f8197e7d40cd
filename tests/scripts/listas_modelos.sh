#!/usr/bin/env bash
# No script keeps a list of models of its own: a list written by hand misses
# the models added after it (the byte comparison once left MGV7 out). Scripts
# take the list from "cargabal modelos". Fails naming each line that holds
# three model names or more, by enumeration name or by alias.
# Usage: listas_modelos.sh REPOSITORY_ROOT
set -euo pipefail
cd "$1"
nome='mod(Filizola|Toledo|Urano|Ramuza)[A-Za-z0-9]*'
apelido='"(filizola|toledo[-a-z0-9]*|urano[-a-z0-9]*|ramuza)"'
achados=$(grep -rnE --include='*.sh' --include='*.py' "($nome.*){3}|($apelido.*){3}" scripts tests ./*.sh || true)
if [[ -n $achados ]]; then
  echo "listas de modelos escritas à mão (tome-as de \"cargabal modelos\"):"
  echo "$achados"
  exit 1
fi
echo "nenhuma lista de modelos escrita à mão nos scripts"
