#!/usr/bin/env bash
# Prints the project's version, as the project() line of CMakeLists.txt sets it.
set -euo pipefail
versao=$(sed -n 's/^project(quelbcargabal VERSION \([0-9][0-9.]*\) .*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
[[ $versao =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "versão não encontrada em CMakeLists.txt" >&2; exit 1; }
echo "$versao"
