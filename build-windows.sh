#!/usr/bin/env bash
# Builds quelbcargabal.dll and cargabal.exe for 32-bit (x86) and 64-bit (x64)
# Windows with Debian's MinGW-w64 cross compilers, and leaves them, the DLLs'
# import libraries, the module definition file and the C header ready for a
# Windows integrator:
#   dist/windows/x86/quelbcargabal.dll
#   dist/windows/x86/libquelbcargabal.dll.a  (and quelbcargabal.lib, the same)
#   dist/windows/x86/cargabal.exe
#   dist/windows/x64/...                     (the same for x64)
#   dist/windows/quelbcargabal.def
#   dist/windows/include/quelb/cargabal.h
# ./pacote-windows.sh makes the release zip out of them.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/instalar-dependencias.sh
bash scripts/instalar-windows.sh compiladores

# The date the linker and strip write into the binaries: the last commit's,
# so that the same sources give the same bytes.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2> /dev/null || date +%s)}
export SOURCE_DATE_EPOCH

# RapidJSON is header-only: the cross builds of cargabal take Debian's
# headers through a folder that holds them alone, since the whole of
# /usr/include would hide the MinGW-w64 system headers.
rapidjson=$(pwd)/build/windows/rapidjson
mkdir -p "$rapidjson"
ln -sfn /usr/include/rapidjson "$rapidjson/rapidjson"

# "Name @ordinal" for each export of the DLL's module definition file.
exportacoes() {
  awk '$1 == "EXPORTS" { lista = 1; next } lista && $2 ~ /^@[0-9]+$/ { print $1, $2 }' src/interface/quelbcargabal.def
}

# The import library. A 32-bit program compiled with the header calls the
# stdcall functions by their decorated names ("_Inicializar@4"), while the
# DLL exports them plain: the library binds the first to the second (-k).
# The "@n" of each function is read from the symbols of the unstripped DLL.
biblioteca_de_importacao() {  # ARCH TRIPLET BUILD_DIR
  local nome=$1 triplo=$2 dir=$3 def="$3/quelbcargabal-importacao.def" funcao ordinal decorado
  local -a opcoes=()
  {
    echo "LIBRARY quelbcargabal.dll"
    echo "EXPORTS"
    while read -r funcao ordinal; do
      decorado=$funcao
      if [[ $nome == x86 ]]; then
        decorado=$("$triplo-nm" "$dir/src/quelbcargabal.dll" | awk -v f="$funcao" '
          $2 == "T" && index($3, "_" f "@") == 1 && substr($3, length(f) + 3) ~ /^[0-9]+$/ { print substr($3, 2) }')
        [[ $decorado == "$funcao"@* && $decorado != *$'\n'* ]] || {
          echo "Nome decorado de $funcao não encontrado em $dir/src/quelbcargabal.dll" >&2
          return 1
        }
      fi
      echo "  $decorado $ordinal"
    done < <(exportacoes)
  } > "$def"
  [[ $nome == x86 ]] && opcoes=(-k)
  # Run from the output folder: dlltool names the library's internal
  # symbols after the path it is given.
  (cd "dist/windows/$nome" && "$triplo-dlltool" "${opcoes[@]}" -d "$OLDPWD/$def" -D quelbcargabal.dll \
    -l libquelbcargabal.dll.a)
  cp "dist/windows/$nome/libquelbcargabal.dll.a" "dist/windows/$nome/quelbcargabal.lib"
}

rm -rf dist/windows
mkdir -p dist/windows/include/quelb
for alvo in x86:i686 x64:x86_64; do
  nome=${alvo%%:*}
  triplo=${alvo#*:}-w64-mingw32
  dir=build/windows/$nome
  echo "== Compilando quelbcargabal.dll e cargabal.exe ($nome)"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-${alvo#*:}.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQUELB_TESTES=OFF -DQUELB_RAPIDJSON_DIR="$rapidjson" > /dev/null
  cmake --build "$dir" -j2 --target quelbcargabal cargabal
  mkdir -p "dist/windows/$nome"
  "$triplo-strip" --strip-unneeded -o "dist/windows/$nome/quelbcargabal.dll" "$dir/src/quelbcargabal.dll"
  "$triplo-strip" --strip-unneeded -o "dist/windows/$nome/cargabal.exe" "$dir/cli/cargabal.exe"
  biblioteca_de_importacao "$nome" "$triplo" "$dir"
done
cp include/quelb/cargabal.h dist/windows/include/quelb/
cp src/interface/quelbcargabal.def dist/windows/
echo "DLLs, cargabal.exe, bibliotecas de importação e cabeçalho em dist/windows/"
