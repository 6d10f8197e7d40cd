#!/usr/bin/env bash
# Builds and runs the host examples of examples/ (C, Free Pascal, Python and
# C# under Mono) against the Linux shared library, and checks that the C# and
# Pascal declarations have the functions and argument lists of the C header.
#
#   scripts/testes/exemplos.sh <repo root> [build folder holding src/libquelbcargabal.so]
#
# Without a build folder: the one of ./test.sh when it is there, otherwise
# build/exemplos (configured here when missing).
set -euo pipefail
raiz=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
cd "$raiz"

source scripts/pasta-construcao.sh
construcao=$(pasta_construcao "${2:-}" exemplos)
cmake --build "$construcao" -j2 --target quelbcargabal > /dev/null
biblioteca=$construcao/src
[[ -f $biblioteca/libquelbcargabal.so ]] || { echo "falta $biblioteca/libquelbcargabal.so"; exit 1; }
export LD_LIBRARY_PATH=$biblioteca${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}

trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT
falhas=0
passou() { echo "ok   $1"; }
falhou() { echo "FALHA $1"; falhas=$((falhas + 1)); }

# A fresh, empty load directory for each example.
carga() { mkdir -p "$trabalho/carga-$1" && echo "$trabalho/carga-$1"; }

echo "-- C"
if cc -std=c99 -Wall -Wextra -Werror -pedantic -Iinclude examples/c/exemplo.c \
     -L"$biblioteca" -lquelbcargabal -o "$trabalho/exemplo-c"; then
  dir=$(carga c)
  if "$trabalho/exemplo-c" "$dir" > "$trabalho/saida-c" && cat "$trabalho/saida-c" &&
     [[ -s $dir/ITENSMGV.TXT && -s $dir/TXINFO.TXT ]] &&
     grep -q "^  N00000200500010050135028004500700000000003240$" "$trabalho/saida-c"; then
    passou "exemplo em C"
  else
    falhou "exemplo em C"
  fi
  # A directory that does not exist: a failure text and exit code 1.
  if ! "$trabalho/exemplo-c" "$dir/nao-existe" 2> "$trabalho/erro-c" &&
     [[ $(cat "$trabalho/erro-c") == $'GerarArquivos: Diretorio informado n\xe3o existe!' ]]; then
    passou "exemplo em C: texto de erro"
  else
    falhou "exemplo em C: texto de erro"
  fi
else
  falhou "compilação do exemplo em C"
fi

echo "-- Free Pascal"
mkdir -p "$trabalho/pascal"
if fpc -v0 -Sew -FE"$trabalho/pascal" -FU"$trabalho/pascal" -Fl"$biblioteca" \
     examples/pascal/Exemplo.pas > "$trabalho/pascal.log" 2>&1; then
  if "$trabalho/pascal/Exemplo" "$(carga pascal)"; then
    passou "exemplo em Free Pascal"
  else
    falhou "exemplo em Free Pascal"
  fi
else
  cat "$trabalho/pascal.log"
  falhou "compilação do exemplo em Free Pascal"
fi

echo "-- Python"
if PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 examples/python/exemplo.py "$(carga python)" \
     --biblioteca "$biblioteca/libquelbcargabal.so"; then
  passou "exemplo em Python"
else
  falhou "exemplo em Python"
fi

echo "-- C#"
# Mono hands ANSI texts over as UTF-8 on Linux: the example's texts carry no
# accents.
if mcs -warnaserror -out:"$trabalho/Programa.exe" examples/csharp/Programa.cs examples/csharp/QuelbCargaBal.cs \
     > "$trabalho/csharp.log" 2>&1; then
  dir=$(carga csharp)
  if mono "$trabalho/Programa.exe" "$dir" > "$trabalho/saida-csharp" && cat "$trabalho/saida-csharp" &&
     [[ $(tr -d '\r' < "$dir/INFNUTRI.TXT") == N00000300500010050135028004500700000000003240 ]] &&
     grep -q "^  000003 *Farinha de trigo, agua, sal e fermento.$" "$trabalho/saida-csharp"; then
    passou "exemplo em C#"
  else
    falhou "exemplo em C#"
  fi
else
  cat "$trabalho/csharp.log"
  falhou "compilação do exemplo em C#"
fi
if /usr/bin/python3 - include/quelb/cargabal.h examples/csharp/QuelbCargaBal.cs \
     examples/pascal/QuelbCargaBal.pas <<'PY'
# The C# and Pascal declarations against the C header: the same
# functions, each with the same argument kinds in the same order.
import re
import sys

cabecalho, csharp, pascal = (open(p, encoding="utf-8").read() for p in sys.argv[1:])
TIPOS = {"const char*": "texto", "int32_t": "int32", "double": "double",
         "string": "texto", "int": "int32",
         "pansichar": "texto", "longint": "int32",
         "quelbprogresso": "progresso", "tquelbprogresso": "progresso"}


def tipo(t):
    return TIPOS.get(t.strip().lower(), "?" + t.strip())


def de_c(texto):
    r = {}
    for nome, args in re.findall(r"const char\*\s*QUELB_CALL\s+(\w+)\s*\(([^)]*)\)\s*;", texto):
        args = args.strip()
        r[nome] = [] if args in ("", "void") else [
            tipo(re.match(r"(.*?)\s*\w+$", a.strip()).group(1)) for a in args.split(",")]
    return r


def de_csharp(texto):
    r = {}
    for nome, args in re.findall(r"static\s+extern\s+IntPtr\s+(\w+)\s*\(([^)]*)\)\s*;", texto):
        args = args.strip()
        r[nome] = [] if not args else [tipo(a.split()[0]) for a in args.split(",")]
    return r


def de_pascal(texto):
    r = {}
    for nome, args in re.findall(r"function\s+(\w+)\s*(?:\(([^)]*)\))?\s*:\s*PAnsiChar\s*;", texto):
        lista = []
        for grupo in filter(None, (g.strip() for g in args.split(";"))):
            nomes, t = grupo.rsplit(":", 1)
            lista += [tipo(t)] * len(nomes.split(","))
        r[nome] = lista
    return r


c = de_c(cabecalho)
erros = []
if sorted(c) != sorted(["Inicializar", "LimparItems", "AdicionarItem", "GerarArquivos", "VerificarItens",
                        "CarregarCatalogo", "Versao", "DefinirCampo", "ArquivosGerados", "DefinirProgresso",
                        "DecodificarEtiqueta", "DefinirEtiqueta"]):
    erros.append(f"cabeçalho: funções {sorted(c)}")
cs = de_csharp(csharp)
if cs != c:
    erros.append(f"C#: {cs}\n   cabeçalho: {c}")
pas = de_pascal(pascal)
if pas != c:
    erros.append(f"Pascal: {pas}\n   cabeçalho: {c}")
for e in erros:
    print("diferença nas declarações:", e)
sys.exit(1 if erros else 0)
PY
then
  passou "declarações em C# e Pascal iguais às do cabeçalho"
else
  falhou "declarações em C# e Pascal iguais às do cabeçalho"
fi

[[ $falhas -eq 0 ]]
