#!/usr/bin/env bash
# Builds quelbcargabal.dll for 32-bit (x86) and 64-bit (x64) Windows with
# Debian's MinGW-w64 cross compilers, and leaves the two DLLs and the C
# header ready for a Windows integrator:
#   dist/windows/x86/quelbcargabal.dll
#   dist/windows/x64/quelbcargabal.dll
#   dist/windows/include/quelb/cargabal.h
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/instalar-windows.sh compiladores

rm -rf dist/windows
mkdir -p dist/windows/include/quelb
for alvo in x86:i686 x64:x86_64; do
  nome=${alvo%%:*}
  triplo=${alvo#*:}-w64-mingw32
  dir=build/windows/$nome
  echo "== Compilando quelbcargabal.dll ($nome)"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-${alvo#*:}.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQUELB_TESTES=OFF > /dev/null
  cmake --build "$dir" -j2 --target quelbcargabal
  mkdir -p "dist/windows/$nome"
  "$triplo-strip" --strip-unneeded -o "dist/windows/$nome/quelbcargabal.dll" "$dir/src/quelbcargabal.dll"
done
cp include/quelb/cargabal.h dist/windows/include/quelb/
echo "DLLs e cabeçalho em dist/windows/"
