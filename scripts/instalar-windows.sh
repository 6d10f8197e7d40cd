#!/usr/bin/env bash
# Installs, as root, what the Windows build needs: Debian's MinGW-w64 cross
# compilers, with "pacote" also zip for the release bundle and, unless
# "compiladores" or "pacote" is given, Wine for 64- and 32-bit programs
# (wine32 comes from the i386 architecture, enabled here when missing).
# Installs only what is missing; safe to run again.
set -euo pipefail

modo=${1:-tudo}
pacotes=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix)
case $modo in
  compiladores) ;;
  pacote) pacotes+=(zip) ;;
  *) pacotes+=(wine wine64 wine32:i386) ;;
esac

faltam=()
for pacote in "${pacotes[@]}"; do
  dpkg-query -W -f='${Status}' "$pacote" 2>/dev/null | grep -q "install ok installed" || faltam+=("$pacote")
done
((${#faltam[@]})) || exit 0

if [[ " ${faltam[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
echo "Instalando: ${faltam[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${faltam[@]}" > /dev/null
