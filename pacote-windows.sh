#!/usr/bin/env bash
# Builds the Windows release bundle, dist/quelbcargabal-VERSION-windows.zip:
# the 32- and 64-bit DLLs with their import libraries, the module definition
# file, the C header, cargabal.exe for both, the Pascal unit, the C# class,
# the Python module, the integrators' guide (LEIAME.txt) and SHA256SUMS.txt.
# The zip's own SHA-256 goes beside it, in a .sha256 file.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/instalar-windows.sh pacote
# The binaries' date and the files' dates in the zip: the last commit's.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2> /dev/null || date +%s)}
export SOURCE_DATE_EPOCH
bash build-windows.sh

versao=$(bash scripts/versao.sh)
nome=quelbcargabal-$versao-windows
montagem=build/windows/pacote
pasta=$montagem/$nome
zip=dist/$nome.zip
rm -rf "$montagem" "$zip" "$zip.sha256"
mkdir -p "$pasta"/{pascal,csharp,python}

cp -r dist/windows/x86 dist/windows/x64 dist/windows/include dist/windows/quelbcargabal.def "$pasta/"
cp examples/pascal/QuelbCargaBal.pas "$pasta/pascal/"
cp examples/csharp/QuelbCargaBal.cs "$pasta/csharp/"
cp examples/python/quelbcargabal.py "$pasta/python/"
# The guide as Notepad opens it best: UTF-8 with a byte order mark, CR LF.
{
  printf '\xef\xbb\xbf'
  sed -e "s/@VERSAO@/$versao/g" -e 's/$/\r/' docs/guia-windows.md
} > "$pasta/LEIAME.txt"
(cd "$pasta" && find . -type f ! -name SHA256SUMS.txt | sed 's|^\./||' | LC_ALL=C sort |
  xargs sha256sum > SHA256SUMS.txt)

# The same sources give the same zip: fixed dates, a fixed order and no
# extra attributes.
find "$pasta" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$montagem" && find "$nome" | LC_ALL=C sort | TZ=UTC zip -q -X -D -@ "$OLDPWD/$zip")
(cd dist && sha256sum "$nome.zip" > "$nome.zip.sha256")
echo "Pacote para Windows: $zip ($(du -h "$zip" | cut -f1)), SHA-256 em $zip.sha256"
