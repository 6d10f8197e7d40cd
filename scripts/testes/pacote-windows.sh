#!/usr/bin/env bash
# The Windows release bundle: builds it (./pacote-windows.sh), checks the
# zip's file list, its SHA-256 lists and the version resources, then unpacks
# it into a fresh Wine prefix and runs from there, for x86 and x64: the C host
# of tests/windows against the bundle's DLL, the C example linked with the
# bundle's header and import library, and cargabal.exe, whose loads must equal
# those of the Linux cargabal byte for byte.
# Usage: scripts/testes/pacote-windows.sh [REPOSITORY_ROOT]
set -euo pipefail
raiz=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$raiz"

bash scripts/instalar-windows.sh
bash pacote-windows.sh
versao=$(bash scripts/versao.sh)
nome=quelbcargabal-$versao-windows

source scripts/conferencias.sh
source scripts/wine.sh
source scripts/pasta-construcao.sh
preparar_32_bits

temporario=$(mktemp -d /tmp/quelb-pacote-windows.XXXXXX)
encerrar() {
  wineserver -k 2> /dev/null || true
  rm -rf "$temporario"
}
trap encerrar EXIT
local_pt=pt_BR.UTF-8

# ---- The zip ----

esperados="LEIAME.txt
SHA256SUMS.txt
csharp/QuelbCargaBal.cs
include/quelb/cargabal.h
pascal/QuelbCargaBal.pas
python/quelbcargabal.py
quelbcargabal.def"
for arq in x64 x86; do
  for f in cargabal.exe libquelbcargabal.dll.a quelbcargabal.dll quelbcargabal.lib; do
    esperados+=$'\n'"$arq/$f"
  done
done
lista_do_zip() {
  local obtidos
  obtidos=$(unzip -Z1 "dist/$nome.zip" | LC_ALL=C sort)
  [[ $obtidos == "$(sed "s|^|$nome/|" <<< "$esperados")" ]] || { printf 'No zip:\n%s\n' "$obtidos"; return 1; }
}
confere "o zip tem exatamente os arquivos do pacote" lista_do_zip
confere "SHA-256 do zip" bash -c 'cd dist && sha256sum --quiet -c "$1.zip.sha256"' _ "$nome"

unzip -q "dist/$nome.zip" -d "$temporario"
pacote=$temporario/$nome
lista_sha256() {
  (cd "$pacote" && sha256sum --quiet -c SHA256SUMS.txt) || return 1
  # Every file but the list itself is in the list.
  [[ $(cut -c67- "$pacote/SHA256SUMS.txt") == "$(grep -v '^SHA256SUMS.txt$' <<< "$esperados")" ]]
}
confere "SHA256SUMS.txt confere com cada arquivo" lista_sha256
for par in include/quelb/cargabal.h:include/quelb/cargabal.h quelbcargabal.def:src/interface/quelbcargabal.def \
  pascal/QuelbCargaBal.pas:examples/pascal/QuelbCargaBal.pas csharp/QuelbCargaBal.cs:examples/csharp/QuelbCargaBal.cs \
  python/quelbcargabal.py:examples/python/quelbcargabal.py; do
  confere "${par%%:*} igual ao do repositório" cmp "$pacote/${par%%:*}" "${par#*:}"
done
guia() {
  local texto=$pacote/LEIAME.txt
  [[ $(head -c3 "$texto") == $'\xef\xbb\xbf' ]] || { echo "LEIAME.txt sem BOM"; return 1; }
  [[ $(grep -c $'\r$' "$texto") == $(wc -l < "$texto") ]] || { echo "LEIAME.txt sem CR LF"; return 1; }
  grep -q "quelbcargabal $versao para Windows" "$texto" && ! grep -q @VERSAO@ "$texto"
}
confere "LEIAME.txt: versão, UTF-8 com BOM e CR LF" guia

# ---- Unpacked, under the Wine prefix of ./test.sh or a fresh one ----

preparar_prefixo "$temporario/prefixo" "$local_pt"
no_wine() { LANG=$local_pt LC_ALL=$local_pt executar_wine "$@"; }  # ARCH PROGRAM ARGS...

# The version resource, as the file's properties show it.
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -static tests/windows/versao_arquivo.c \
  -o "$temporario/versao_arquivo.exe" -lversion
recurso_versao() {  # ARCH FILE DESCRIPTION_START
  local obtido esperado bits
  [[ $1 == x86 ]] && bits="32 bits" || bits="64 bits"
  obtido=$(no_wine x64 "$temporario/versao_arquivo.exe" "$(janela "$pacote/$1/$2")" | tr -d '\r') || return 1
  esperado="Fixa: $versao.0
Traducao: 0416 04B0
FileDescription: $3 ($bits)
FileVersion: $versao
InternalName: $2
OriginalFilename: $2
ProductName: quelbcargabal
ProductVersion: $versao"
  [[ $obtido == "$esperado" ]] || { printf 'Recurso de versão de %s/%s:\n%s\n' "$1" "$2" "$obtido"; return 1; }
}

# Loads of cargabal.exe against those of the Linux cargabal.
linux=$(pasta_construcao "" principal)
cmake --build "$linux" -j2 --target cargabal > /dev/null
mapfile -t modelos < <("$linux/cli/cargabal" modelos | tail -n +2 | awk '{print $2}')
for modelo in "${modelos[@]}"; do
  mkdir -p "$temporario/linux/$modelo"
  LANG=$local_pt LC_ALL=$local_pt "$linux/cli/cargabal" gerar --silencioso --aceitar-cortes -m "$modelo" \
    -e exemplos/catalogo.json -s "$temporario/linux/$modelo" > /dev/null
done
cargabal_exe() {  # ARCH
  local exe=$pacote/$1/cargabal.exe modelo destino r=0
  [[ $(no_wine "$1" "$exe" --version | tr -d '\r') == "cargabal $versao" ]] || { echo "--version"; r=1; }
  for modelo in "${modelos[@]}"; do
    destino=$temporario/$1/$modelo
    mkdir -p "$destino"
    no_wine "$1" "$exe" gerar --silencioso --aceitar-cortes -m "$modelo" -e "$(janela "$raiz/exemplos/catalogo.json")" \
      -s "$(janela "$destino")" > /dev/null || { echo "gerar $modelo"; r=1; }
    diff -r "$temporario/linux/$modelo" "$destino" || r=1
  done
  # A folder name with an accent travels in the ANSI code page.
  destino=$temporario/$1/balança
  mkdir -p "$destino"
  no_wine "$1" "$exe" gerar -m filizola -e "$(janela "$raiz/exemplos/catalogo.csv")" -s "$(janela "$destino")" \
    > "$temporario/$1/lista.txt" 2> /dev/null || { echo "gerar em balança"; r=1; }
  diff -r "$temporario/linux/filizola" "$destino" || r=1
  grep -q 'balança\\CADTXT.TXT' "$temporario/$1/lista.txt" || { echo "caminho listado"; r=1; }
  return $r
}

# The C example, linked with the bundle's header and import library as an
# integrator builds it, runs beside the DLL in the bundle's folder.
exemplo_c() {  # ARCH TRIPLET
  local pasta=$pacote/$1 carga=$temporario/exemplo-$1 saida
  mkdir -p "$carga"
  "$2-gcc-posix" -O2 -Wall -Wextra -Werror -I"$pacote/include" -static-libgcc examples/c/exemplo.c \
    "$pasta/quelbcargabal.lib" -Wl,--disable-stdcall-fixup -o "$pasta/exemplo.exe" || return 1
  saida=$(no_wine "$1" "$pasta/exemplo.exe" "$(janela "$carga")" | tr -d '\r') || return 1
  [[ $saida == *"(quelbcargabal $versao)"* && -s $carga/INFNUTRI.TXT && -s $carga/TXINFO.TXT ]] ||
    { echo "$saida"; return 1; }
}

for alvo in x86:i686-w64-mingw32 x64:x86_64-w64-mingw32; do
  IFS=: read -r arq triplo <<< "$alvo"
  echo "== Pacote, $arq"
  confere "$arq: recurso de versão da DLL" recurso_versao "$arq" quelbcargabal.dll \
    "Geração dos arquivos de carga de produtos para balanças comerciais"
  confere "$arq: recurso de versão do cargabal.exe" recurso_versao "$arq" cargabal.exe \
    "cargabal: gera a carga das balanças a partir de um catálogo de produtos"
  "$triplo-gcc-posix" -O2 -Wall -Wextra -I"$pacote/include" -DQUELB_VERSAO_ESPERADA="\"$versao\"" -static \
    tests/windows/host_carga.c -o "$temporario/host_carga-$arq.exe"
  confere_em "$arq" "$arq: host C com a DLL do pacote" no_wine "$arq" "$temporario/host_carga-$arq.exe" \
    "$(janela "$pacote/$arq/quelbcargabal.dll")" "$(janela "$temporario/host-$arq")"
  if [[ $arq == x86 ]]; then uma_linha_sob_emulacao "x86: host C com a DLL do pacote, arquivo fechado por outra linha de execução"; fi
  confere_em "$arq" "$arq: exemplo em C ligado pela quelbcargabal.lib do pacote" exemplo_c "$arq" "$triplo"
  confere_em "$arq" "$arq: cargabal.exe do pacote, cargas iguais às do Linux" cargabal_exe "$arq"
done

resumo pacote-windows
