#!/usr/bin/env bash
# The Windows DLLs: builds both (./build-windows.sh), checks their export and
# import tables, links a small C program with each import library and runs
# it under Wine, then runs the C host of tests/windows under Wine for the x86
# and the x64 DLL, under a decimal-comma locale (pt_BR) and a decimal-point
# one (en_US). The host's load files must equal, byte for byte, those that the
# same host writes on Linux with the Linux build under the same locale. The
# C host of tests/windows/host_campos.c sets every property of the sample
# catalogue through DefinirCampo, under both locales and with both DLLs: its
# files must equal those of cargabal.exe and of the Linux cargabal for the
# same catalogue (also read from a path with an accent), and its cases of the
# progress callback and of two threads must pass. cargabal.exe ler reads the
# load back from a folder with an accent into a catalogue equal to the Linux
# one's. The C host of tests/windows/host_etiqueta.c reads scale labels and
# checks products against a label layout through both DLLs, with the same
# answers as on Linux.
# Usage: scripts/testes/windows.sh [REPOSITORY_ROOT]
set -euo pipefail
raiz=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$raiz"

bash scripts/instalar-windows.sh
bash build-windows.sh

source scripts/conferencias.sh
source scripts/wine.sh
source scripts/pasta-construcao.sh
preparar_32_bits

# ---- Export and import tables ----

# "ordinal name" per exported name, sorted by ordinal, plus the number of
# entries of the export address table.
exportacoes() {
  "$1-objdump" -p "$2" | awk '
    /^Ordinal Base/ { base = $3 }
    /\+base\[/ { entradas++ }
    /^\[Ordinal\/Name Pointer\] Table/ { nomes = 1; next }
    nomes && /^$/ { nomes = 0 }
    nomes { gsub(/[][]/, " "); print base + $1, $2 }
    END { print "entradas", entradas + 0 }' | sort -n
}

esperadas=$'entradas 12\n4 GerarArquivos\n5 LimparItems\n6 AdicionarItem\n7 Inicializar\n8 VerificarItens\n9 DefinirCampo'
esperadas+=$'\n10 ArquivosGerados\n11 DefinirProgresso\n12 CarregarCatalogo\n13 Versao\n14 DecodificarEtiqueta'
esperadas+=$'\n15 DefinirEtiqueta'

exportacoes_certas() {
  local obtidas
  obtidas=$(exportacoes "$1" "$2")
  [[ $obtidas == "$esperadas" ]] || { printf 'Exportações de %s:\n%s\n' "$2" "$obtidas"; return 1; }
}

# Only DLLs that every Windows has: the GCC, C++ and thread run-times are
# linked in.
importacoes_de_sistema() {
  local dll ok=0
  for dll in $("$1-objdump" -p "$2" | awk '/DLL Name:/ { print $3 }'); do
    case "${dll,,}" in
      kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | ntdll.dll) ;;
      *) echo "$2 depende de $dll"; ok=1 ;;
    esac
  done
  return $ok
}

formato() { "$1-objdump" -f "$2" | grep -q "file format $3"; }

for alvo in x86:i686-w64-mingw32:pei-i386 x64:x86_64-w64-mingw32:pei-x86-64; do
  IFS=: read -r nome triplo formato_pe <<< "$alvo"
  dll=dist/windows/$nome/quelbcargabal.dll
  confere "$nome: formato $formato_pe" formato "$triplo" "$dll" "$formato_pe"
  confere "$nome: exporta os doze nomes nos ordinais 4 a 15, e nada mais" exportacoes_certas "$triplo" "$dll"
  confere "$nome: só importa DLLs do sistema" importacoes_de_sistema "$triplo" "$dll"
done

# ---- The host: Linux reference and Windows programs ----

# The Linux build of ./test.sh when there is one, so that nothing is built
# twice.
referencia=$(pasta_construcao "" principal)
echo "== Compilando a referência Linux"
cmake --build "$referencia" -j2 --target quelbcargabal cargabal > /dev/null
# The host checks that Versao() returns the project's version.
versao=(-DQUELB_VERSAO_ESPERADA="\"$(bash scripts/versao.sh)\"")
cc -O2 -Wall -Wextra -Iinclude "${versao[@]}" tests/windows/host_carga.c -o "$referencia/host_carga" -ldl
i686-w64-mingw32-gcc-posix -O2 -Wall -Wextra -Iinclude "${versao[@]}" -static tests/windows/host_carga.c \
  -o build/windows/x86/host_carga.exe
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -Iinclude "${versao[@]}" -static tests/windows/host_carga.c \
  -o build/windows/x64/host_carga.exe
cc -O2 -Wall -Wextra -Iinclude tests/windows/host_campos.c -o "$referencia/host_campos" -ldl -lpthread
for alvo in x86:i686 x64:x86_64; do
  "${alvo#*:}-w64-mingw32-gcc-posix" -O2 -Wall -Wextra -Iinclude -static tests/windows/host_campos.c \
    -o "build/windows/${alvo%%:*}/host_campos.exe"
done
# Another process holding a load folder's lock.
i686-w64-mingw32-gcc-posix -O2 -Wall -Wextra -static tests/windows/segurar_trava.c -o build/windows/x86/segurar_trava.exe
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -static tests/windows/segurar_trava.c -o build/windows/x64/segurar_trava.exe

# The Wine prefix of ./test.sh, or one for this run in a temporary folder.
temporario=$(mktemp -d /tmp/quelb-windows.XXXXXX)
encerrar() {
  wineserver -k 2> /dev/null || true
  rm -rf "$temporario"
}
trap encerrar EXIT
# Wine's background processes keep the locale they started with and may write
# its settings back to the prefix: every run of one locale happens with a
# fresh Wine server whose processes all share that locale.
locales=(pt_BR.UTF-8 en_US.UTF-8)
novo_servidor() {
  wineserver -k 2> /dev/null || true
  wineserver -w 2> /dev/null || true
}
preparar_prefixo "$temporario/prefixo" "${locales[0]}"

host_linux() {  # host_linux LOCALE FOLDER
  LANG=$1 LC_ALL=$1 "$referencia/host_carga" "$referencia/src/libquelbcargabal.so" "$2"
}
host_windows() {  # host_windows ARCH LOCALE FOLDER
  LANG=$2 LC_ALL=$2 executar_wine "$1" "build/windows/$1/host_carga.exe" \
    "$(janela "$raiz/dist/windows/$1/quelbcargabal.dll")" "$(janela "$3")"
}
mesmos_arquivos() { diff -r "$1" "$2"; }
diferem() { ! cmp -s "$1" "$2"; }

# ---- Import libraries: a program linked with -lquelbcargabal ----

# Links tests/windows/programa_ligado.c against one import library file,
# alone in its folder so that the linker cannot take the DLL itself, with
# every name matched exactly (no stdcall fix-up, as other linkers do), and
# runs it beside the DLL.
ligado() {  # ligado ARCH TRIPLET LIBRARY_FILE
  local pasta=$temporario/ligado-$1-${3//./-}
  mkdir -p "$pasta/importacao" "$pasta/carga"
  cp "dist/windows/$1/$3" "$pasta/importacao/"
  cp "dist/windows/$1/quelbcargabal.dll" "$pasta/"
  "$2-gcc-posix" -O2 -Wall -Wextra -Iinclude -static-libgcc tests/windows/programa_ligado.c \
    -o "$pasta/programa_ligado.exe" -L"$pasta/importacao" -lquelbcargabal \
    -Wl,--disable-stdcall-fixup -Wl,--fatal-warnings || return 1
  LANG=${locales[0]} LC_ALL=${locales[0]} executar_wine "$1" "$pasta/programa_ligado.exe" "$(janela "$pasta/carga")"
}

novo_servidor
for alvo in x86:i686-w64-mingw32 x64:x86_64-w64-mingw32; do
  IFS=: read -r nome triplo <<< "$alvo"
  for biblioteca in libquelbcargabal.dll.a quelbcargabal.lib; do
    echo "== Programa ligado por $biblioteca ($nome)"
    confere_em "$nome" "$nome: programa ligado por $biblioteca" ligado "$nome" "$triplo" "$biblioteca"
  done
done

# ---- A full disk ----

# The load folder is a small tmpfs, mounted in a mount namespace of this
# check alone, holding an old TXITENS.TXT and a filler that takes every free
# byte. Saving must fail with "Stream write error", leave the old file as it
# was and no temporary file beside it. Wine's server opens the files, so a
# server of its own runs inside the namespace.
disco_cheio_no_espaco() {  # FOLDER PROGRAM LOCALE ARCH
  local pasta=$1 r=0
  mount -t tmpfs -o size=64k tmpfs "$pasta" || return 1
  printf 'anterior\r\n' > "$pasta/TXITENS.TXT"
  dd if=/dev/zero of="$pasta/enchimento" bs=4k 2> /dev/null || true
  LANG=$3 LC_ALL=$3 executar_wine "$4" "$2" "$(janela "$pasta")" "Stream write error" || r=1
  wineserver -k 2> /dev/null || true
  wineserver -w 2> /dev/null || true
  printf 'anterior\r\n' | cmp -s - "$pasta/TXITENS.TXT" || { echo "TXITENS.TXT mudou"; r=1; }
  [[ $(cd "$pasta" && LC_ALL=C ls -A | tr '\n' ' ') == "TXITENS.TXT enchimento " ]] ||
    { echo "Sobrou na pasta: $(ls -A "$pasta" | tr '\n' ' ')"; r=1; }
  return $r
}
disco_cheio() {  # disco_cheio ARCH
  local pasta=$temporario/cheio-$1
  mkdir -p "$pasta"
  novo_servidor
  export -f disco_cheio_no_espaco janela executar_wine carregador_wine
  unshare -m bash -c 'disco_cheio_no_espaco "$@"' _ "$pasta" \
    "$temporario/ligado-$1-libquelbcargabal-dll-a/programa_ligado.exe" "${locales[0]}" "$1"
}

# ---- The load as one set ----

# A catalogue whose Toledo MGV6 load has all six files, each small enough to
# be written out when the set is saved, in save order. Its load from the
# Linux build gives the sizes (the bytes are the same on both systems).
catalogo_mgv6=$temporario/mgv6.csv
{
  echo "Codigo;Descricao;ValorVenda;Setor.Codigo;Setor.Descricao;Nutricional.Codigo;Nutricional.ValorEnergetico;Tara.Codigo;Tara.Descricao;Tara.Valor;Fornecedor.Codigo;Fornecedor.Descricao1;InformacaoExtra.Receita"
  for ((i = 1; i <= 200; i++)); do
    echo "$i;Produto $i;$((i % 100 + 1)),50;$((1 + i % 9));Setor;$i;$((i % 500 + 1));$((1 + i % 7));Tara;0,0$((1 + i % 7));$((1 + i % 11));Fornecedor;Ingredientes do produto $i"
  done
} > "$catalogo_mgv6"
mkdir -p "$temporario/mgv6-linux"
"$referencia/cli/cargabal" gerar -m toledo-mgv6 -e "$catalogo_mgv6" -s "$temporario/mgv6-linux" --silencioso > /dev/null
paginas() { echo $((($(stat -c %s "$temporario/mgv6-linux/$1") + 4095) / 4096)); }
export arquivos_mgv6="DEPTO.TXT INFNUTRI.TXT ITENSMGV.TXT TARA.TXT TXFORN.TXT TXINFO.TXT"

# The six old files (a page each), then room for the first three new files
# and half the fourth, INFNUTRI.TXT: the generation must fail with every old
# file as it was and nothing else in the folder.
conjunto_disco_cheio_no_espaco() {  # FOLDER PROGRAM LOCALE PAGES ARCH
  local pasta=$1 r=0 rc=0 saida nome
  mount -t tmpfs -o "size=$(($4 * 4096))" tmpfs "$pasta" || return 1
  for nome in $arquivos_mgv6; do printf 'antigo %s\r\n' "$nome" > "$pasta/$nome"; done
  local antes
  antes=$(cd "$pasta" && md5sum -- *.TXT)
  saida=$(LANG=$3 LC_ALL=$3 executar_wine "$5" "$2" gerar -m toledo-mgv6 -e "$(janela "$catalogo_mgv6")" -s "$(janela "$pasta")" \
    --silencioso 2>&1) || rc=$?
  wineserver -k 2> /dev/null || true
  wineserver -w 2> /dev/null || true
  [[ $rc -eq 1 && $saida == *"o disco está cheio?"* ]] || { echo "Saída $rc: $saida"; r=1; }
  [[ $(cd "$pasta" && md5sum -- *.TXT) == "$antes" ]] || { echo "Um arquivo antigo mudou"; r=1; }
  [[ $(cd "$pasta" && LC_ALL=C ls -A | tr '\n' ' ') == "$arquivos_mgv6 " ]] ||
    { echo "Sobrou na pasta: $(ls -A "$pasta" | tr '\n' ' ')"; r=1; }
  return $r
}
conjunto_disco_cheio() {  # ARCH
  local pasta=$temporario/conjunto-cheio-$1 paginas_livres
  mkdir -p "$pasta"
  paginas_livres=$(($(paginas ITENSMGV.TXT) + $(paginas DEPTO.TXT) + $(paginas TXINFO.TXT) + $(paginas INFNUTRI.TXT) / 2))
  [[ $(paginas INFNUTRI.TXT) -ge 2 ]] || { echo "INFNUTRI.TXT pequeno demais para o caso"; return 1; }
  novo_servidor
  export -f conjunto_disco_cheio_no_espaco janela executar_wine carregador_wine
  export catalogo_mgv6
  unshare -m bash -c 'conjunto_disco_cheio_no_espaco "$@"' _ "$pasta" "dist/windows/$1/cargabal.exe" "${locales[0]}" \
    $((6 + paginas_livres)) "$1"
}
if unshare -m true 2> /dev/null; then
  for nome in x86 x64; do
    echo "== Disco cheio ($nome)"
    confere_em "$nome" "$nome: disco cheio" disco_cheio "$nome"
    confere_em "$nome" "$nome: disco cheio no quarto arquivo da MGV6" conjunto_disco_cheio "$nome"
  done
else
  echo "Sem namespaces de montagem: casos de disco cheio pulados"
fi

# Another process holds the folder's lock: the command waits a second and
# ends with exit 5, writing nothing; once the lock is released it saves.
conjunto_trava() {  # ARCH
  local pasta=$temporario/conjunto-trava-$1 log=$temporario/conjunto-trava-$1.log r=0 rc=0 saida segurador i
  mkdir -p "$pasta"
  novo_servidor
  # The loader itself in the background, so that $! is the process to stop.
  LANG=${locales[0]} LC_ALL=${locales[0]} "$(carregador_wine "$1")" "build/windows/$1/segurar_trava.exe" "$(janela "$pasta")" 20000 \
    > "$log" 2>&1 &
  segurador=$!
  for ((i = 0; i < 200; i++)); do
    grep -q travado "$log" 2> /dev/null && break
    sleep 0.1
  done
  grep -q travado "$log" || { echo "A trava não foi tomada: $(cat "$log")"; kill "$segurador"; wait "$segurador"; return 1; }
  saida=$(LANG=${locales[0]} LC_ALL=${locales[0]} executar_wine "$1" "dist/windows/$1/cargabal.exe" gerar -m toledo-mgv6 \
    -e "$(janela "$catalogo_mgv6")" -s "$(janela "$pasta")" --espera 1 2>&1) || rc=$?
  kill "$segurador" 2> /dev/null || true
  wait "$segurador" 2> /dev/null || true
  [[ $rc -eq 5 && $saida == *"(esperou 1 s); tente de novo quando ela terminar."* ]] || { echo "Saída $rc: $saida"; r=1; }
  [[ -z $(ls "$pasta") ]] || { echo "Gravado com a trava tomada: $(ls "$pasta")"; r=1; }
  rc=0
  LANG=${locales[0]} LC_ALL=${locales[0]} executar_wine "$1" "dist/windows/$1/cargabal.exe" gerar -m toledo-mgv6 \
    -e "$(janela "$catalogo_mgv6")" -s "$(janela "$pasta")" --espera 5 --silencioso > /dev/null 2>&1 || rc=$?
  [[ $rc -eq 0 ]] || { echo "Depois da trava, saída $rc"; r=1; }
  diff -r -x .cargabal.lock "$temporario/mgv6-linux" "$pasta" || r=1
  return $r
}
for nome in x86 x64; do
  echo "== Conjunto: trava tomada por outro processo ($nome)"
  confere_em "$nome" "$nome: trava tomada por outro processo" conjunto_trava "$nome"
done

for loc in "${locales[@]}"; do
  novo_servidor
  echo "== Linux, $loc"
  confere "host Linux, $loc" host_linux "$loc" "$temporario/linux-$loc"
  for nome in x86 x64; do
    echo "== Windows $nome (Wine), $loc"
    confere_em "$nome" "host Windows $nome, $loc" host_windows "$nome" "$loc" "$temporario/$nome-$loc"
    if [[ $nome == x86 ]]; then uma_linha_sob_emulacao "host Windows x86, $loc: arquivo fechado por outra linha de execução"; fi
    confere_em "$nome" "cargas de $nome iguais às do Linux, $loc" \
      mesmos_arquivos "$temporario/linux-$loc/modelos" "$temporario/$nome-$loc/modelos"
  done
done
# ---- Every property through DefinirCampo, against cargabal ----

# The sample catalogue: in UTF-8 for cargabal, also under a name with an
# accent, and in the ANSI code page for the host.
mapfile -t modelos < <("$referencia/cli/cargabal" modelos | awk 'NR > 1 && NF { print $1 }')
cp exemplos/catalogo.csv "$temporario/catálogo.csv"
sed '1s/^\xEF\xBB\xBF//' exemplos/catalogo.csv | iconv -f UTF-8 -t WINDOWS-1252 > "$temporario/catalogo-ansi.csv"
cargabal_linux() {  # LOCALE FOLDER
  local modelo
  for modelo in "${modelos[@]}"; do
    mkdir -p "$2/$modelo"
    LANG=$1 LC_ALL=$1 "$referencia/cli/cargabal" gerar --silencioso --aceitar-cortes -m "$modelo" \
      -e exemplos/catalogo.csv -s "$2/$modelo" > /dev/null || return 1
  done
}
cargabal_exe() {  # ARCH LOCALE FOLDER
  local modelo
  for modelo in "${modelos[@]}"; do
    mkdir -p "$3/$modelo"
    LANG=$2 LC_ALL=$2 executar_wine "$1" "dist/windows/$1/cargabal.exe" gerar --silencioso --aceitar-cortes -m "$modelo" \
      -e "$(janela "$temporario/catálogo.csv")" -s "$(janela "$3/$modelo")" > /dev/null || return 1
  done
}
# "ler" from a folder and into a catalogue whose names have accents: the
# catalogue that cargabal.exe writes is the Linux one's.
ler_linux() {  # LOCALE
  LANG=$1 LC_ALL=$1 "$referencia/cli/cargabal" ler --silencioso -m toledo-mgv6 \
    -e "$temporario/cargabal-linux-$1/modToledoMGV6" -s "$temporario/catalogo-lido-linux-$1.json" > /dev/null
}
ler_exe() {  # ARCH LOCALE
  local pasta="$temporario/carga-ação-$1-$2" catalogo="$temporario/catálogo-lido-$1-$2.json"
  rm -rf "$pasta" && cp -r "$temporario/cargabal-$1-$2/modToledoMGV6" "$pasta" || return 1
  LANG=$2 LC_ALL=$2 executar_wine "$1" "dist/windows/$1/cargabal.exe" ler --silencioso -m toledo-mgv6 -e "$(janela "$pasta")" \
    -s "$(janela "$catalogo")" > /dev/null || return 1
  cmp -s "$catalogo" "$temporario/catalogo-lido-linux-$2.json"
}
source tests/host_c/sem_nutricao_vazia.sh
host_campos_linux() {  # LOCALE FOLDER
  LANG=$1 LC_ALL=$1 "$referencia/host_campos" "$referencia/src/libquelbcargabal.so" "$temporario/catalogo-ansi.csv" "$2" &&
    sem_nutricao_vazia "$2/modelos"
}
host_campos_windows() {  # ARCH LOCALE FOLDER
  LANG=$2 LC_ALL=$2 executar_wine "$1" "build/windows/$1/host_campos.exe" "$(janela "$raiz/dist/windows/$1/quelbcargabal.dll")" \
    "$(janela "$temporario/catalogo-ansi.csv")" "$(janela "$3")" && sem_nutricao_vazia "$3/modelos"
}
for loc in "${locales[@]}"; do
  novo_servidor
  echo "== DefinirCampo e cargabal, Linux, $loc"
  confere "cargabal Linux, $loc" cargabal_linux "$loc" "$temporario/cargabal-linux-$loc"
  confere "cargabal ler Linux, $loc" ler_linux "$loc"
  confere "host_campos Linux, $loc" host_campos_linux "$loc" "$temporario/campos-linux-$loc"
  confere "DefinirCampo dá as cargas do cargabal, Linux, $loc" \
    mesmos_arquivos "$temporario/cargabal-linux-$loc" "$temporario/campos-linux-$loc/modelos"
  for nome in x86 x64; do
    echo "== DefinirCampo e cargabal.exe, Windows $nome (Wine), $loc"
    confere_em "$nome" "cargabal.exe $nome, catálogo de nome acentuado, $loc" \
      cargabal_exe "$nome" "$loc" "$temporario/cargabal-$nome-$loc"
    confere_em "$nome" "cargabal.exe $nome dá as cargas do cargabal Linux, $loc" \
      mesmos_arquivos "$temporario/cargabal-linux-$loc" "$temporario/cargabal-$nome-$loc"
    confere_em "$nome" "cargabal.exe $nome ler, pasta e catálogo de nomes acentuados, $loc" ler_exe "$nome" "$loc"
    # Under emulation the two-thread host runs on x64 only: qemu's user-mode
    # emulation of a multithreaded 32-bit Wine process is not dependable.
    if [[ $nome == x86 && ${QUELB_X86:-} == emulado ]]; then
      pula "host_campos x86, $loc" "sob a emulação do qemu, o host de duas linhas de execução roda só na x64"
      continue
    fi
    confere_em "$nome" "host_campos $nome, $loc" host_campos_windows "$nome" "$loc" "$temporario/campos-$nome-$loc"
    confere_em "$nome" "DefinirCampo dá as cargas do cargabal.exe, $nome, $loc" \
      mesmos_arquivos "$temporario/cargabal-$nome-$loc" "$temporario/campos-$nome-$loc/modelos"
  done
done

# The DLL takes its number format from the user's locale: Urano prices carry
# the decimal separator.
for nome in x86 x64; do
  confere_em "$nome" "$nome: o separador decimal segue o locale" diferem \
    "$temporario/$nome-pt_BR.UTF-8/modelos/modUrano/PRODUTOS.TXT" \
    "$temporario/$nome-en_US.UTF-8/modelos/modUrano/PRODUTOS.TXT"
done

# ---- Scale labels: DecodificarEtiqueta and DefinirEtiqueta ----
# tests/windows/host_etiqueta.c through each DLL under Wine, under both
# locales: every text that the two functions (and VerificarItens with a label
# layout) return must equal, byte for byte, the Linux library's; the host
# also compares each with the text expected and, on x86, checks that both
# functions remove their arguments from the stack. cargabal.exe etiqueta
# reads the same labels as the Linux cargabal.
cc -O2 -Wall -Wextra -Iinclude tests/windows/host_etiqueta.c -o "$referencia/host_etiqueta" -ldl
for alvo in x86:i686 x64:x86_64; do
  "${alvo#*:}-w64-mingw32-gcc-posix" -O2 -Wall -Wextra -Iinclude -static tests/windows/host_etiqueta.c \
    -o "build/windows/${alvo%%:*}/host_etiqueta.exe"
done
etiquetas_dll() {  # ARCH LOCALE
  local linux=$temporario/etiquetas-linux-$2.txt windows=$temporario/etiquetas-$1-$2.txt
  LANG=$2 LC_ALL=$2 "$referencia/host_etiqueta" "$referencia/src/libquelbcargabal.so" > "$linux" || return 1
  LANG=$2 LC_ALL=$2 executar_wine "$1" "build/windows/$1/host_etiqueta.exe" "$(janela "$raiz/dist/windows/$1/quelbcargabal.dll")" \
    > "$windows" || return 1
  cmp "$linux" "$windows"
}
etiquetas_exe() {  # ARCH LOCALE
  local codigos=(2000201012503 2000102003501 2000201012508 7891000100103 2000999010002) linux windows
  linux=$(LANG=$2 LC_ALL=$2 "$referencia/cli/cargabal" etiqueta --formato 2CCCCCCWWWWWD \
    --catalogo exemplos/catalogo.csv "${codigos[@]}"; echo "saída $?")
  windows=$(LANG=$2 LC_ALL=$2 executar_wine "$1" "dist/windows/$1/cargabal.exe" etiqueta --formato 2CCCCCCWWWWWD \
    --catalogo "$(janela "$temporario/catálogo.csv")" "${codigos[@]}" | tr -d '\r'; echo "saída ${PIPESTATUS[0]}")
  [[ $linux == "$windows" ]] || { printf 'Linux:\n%s\nWindows:\n%s\n' "$linux" "$windows"; return 1; }
}
for loc in "${locales[@]}"; do
  novo_servidor
  for nome in x86 x64; do
    echo "== Etiquetas da balança, Windows $nome (Wine), $loc"
    confere_em "$nome" "etiquetas: DecodificarEtiqueta e DefinirEtiqueta pela DLL $nome iguais às do Linux, $loc" \
      etiquetas_dll "$nome" "$loc"
    confere_em "$nome" "etiquetas: cargabal.exe $nome etiqueta igual ao Linux, $loc" etiquetas_exe "$nome" "$loc"
  done
done

# ---- Hostile inputs under other system code pages (tests/windows/entradas_hostis.c) ----

# Under the UTF-8 (65001) and the simplified Chinese (936) system code pages:
# a deeply nested catalogue gives an error through CarregarCatalogo, not a
# crash, and a product with accents gives the bytes of the Linux load. Wine
# takes the code page from the locale it starts under: a locale without an
# ANSI code page (Hindi) gives UTF-8.
for alvo in x86:i686 x64:x86_64; do
  ${alvo#*:}-w64-mingw32-gcc-posix -O2 -Wall -Wextra -Wno-unused-function -Iinclude -static -Wl,--stack,1048576 \
    tests/windows/entradas_hostis.c -o "build/windows/${alvo%%:*}/entradas_hostis.exe"
done
printf '%s' '{"produtos": [{"Codigo": 1, "Descricao": "Café à mês", "ValorVenda": 1,' \
  ' "Setor": {"Codigo": 1, "Descricao": "Café à mês"}}]}' > "$temporario/acentos.json"
mkdir -p "$temporario/acentos-linux"
"$referencia/cli/cargabal" gerar --silencioso -m toledo-mgv6 -e "$temporario/acentos.json" \
  -s "$temporario/acentos-linux" > /dev/null
entradas_hostis() {  # ARCH CODE_PAGE:LOCALE FOLDER
  local pagina=${2%%:*} loc=${2#*:} saida rc=0
  novo_servidor
  saida=$(LANG=$loc LC_ALL=$loc executar_wine "$1" "build/windows/$1/entradas_hostis.exe" \
    "$(janela "$raiz/dist/windows/$1/quelbcargabal.dll")" "$(janela "$3")" 2>&1) || rc=1
  novo_servidor
  [[ $saida == *"pagina de codigo do sistema: $pagina"* ]] || rc=1
  ((rc == 0)) || { echo "$saida"; return 1; }
  diff -r "$temporario/acentos-linux" "$3/carga"
}
for pagina in 65001:hi_IN.UTF-8 936:zh_CN.UTF-8; do
  for nome in x86 x64; do
    confere_em "$nome" "$nome, página de código ${pagina%%:*}: catálogo aninhado dá erro, acentos dão os bytes do Linux" \
      entradas_hostis "$nome" "$pagina" "$temporario/hostis-$nome-${pagina%%:*}"
  done
done

resumo windows
