#!/usr/bin/env bash
# The C host of tests/windows/host_campos.c against the shared library: the
# sample catalogue set property by property through DefinirCampo gives, for
# every model, the same files as the cargabal command reading it.
# Usage: campos.sh CARGABAL HOST LIBRARY CATALOGUE
set -euo pipefail
source "$(dirname "$0")/sem_nutricao_vazia.sh"
cargabal=$1 host=$2 biblioteca=$3 catalogo=$4
temporario=$(mktemp -d /tmp/quelb-campos.XXXXXX)
trap 'rm -rf "$temporario"' EXIT
# The host hands its texts over in the ANSI code page (Windows-1252 here).
sed '1s/^\xEF\xBB\xBF//' "$catalogo" | iconv -f UTF-8 -t WINDOWS-1252 > "$temporario/catalogo.csv"
"$host" "$biblioteca" "$temporario/catalogo.csv" "$temporario/host"
for modelo in $("$cargabal" modelos | awk 'NR > 1 && NF { print $1 }'); do
  mkdir -p "$temporario/cargabal/$modelo"
  "$cargabal" gerar --silencioso --aceitar-cortes -m "$modelo" -e "$catalogo" -s "$temporario/cargabal/$modelo" \
    > /dev/null
done
sem_nutricao_vazia "$temporario/host/modelos"
diff -r "$temporario/cargabal" "$temporario/host/modelos"
echo "cargas do host iguais às do cargabal"
