#!/usr/bin/env bash
# Installs, as root, the Debian packages that are missing. Safe to run again.
#
#   scripts/instalar-dependencias.sh          what building cargabal needs
#                                             (pacotes.txt)
#   scripts/instalar-dependencias.sh testes   that, what the tests need
#                                             (pacotes-testes.txt) and the
#                                             pt_BR.UTF-8 and en_US.UTF-8 locales
set -euo pipefail
cd "$(dirname "$0")"

modo=${1:-principal}
listas=(pacotes.txt)
case $modo in
  principal) ;;
  testes) listas+=(pacotes-testes.txt) ;;
  *) echo "uso: $0 [testes]" >&2; exit 2 ;;
esac

faltam=()
while read -r pacote; do
  [[ -z "$pacote" || "$pacote" == \#* ]] && continue
  dpkg-query -W -f='${Status}' "$pacote" 2>/dev/null | grep -q "install ok installed" || faltam+=("$pacote")
done < <(cat "${listas[@]}")

if ((${#faltam[@]})); then
  echo "Instalando: ${faltam[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltam[@]}"
fi

[[ $modo == testes ]] || exit 0
precisa_gerar=0
for loc in pt_BR en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    sed -i "s/^# *\(${loc}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${loc}.UTF-8 UTF-8" /etc/locale.gen || echo "${loc}.UTF-8 UTF-8" >> /etc/locale.gen
    precisa_gerar=1
  fi
done
if ((precisa_gerar)); then
  locale-gen
fi
