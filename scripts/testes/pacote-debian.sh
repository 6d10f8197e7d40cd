#!/usr/bin/env bash
# The install step and the Debian package. Builds in build/pacote (Release,
# prefix /usr); installs with cmake --install into a temporary prefix and
# checks the files, the version links, cargabal and the pkg-config file
# there; makes the .deb with cpack, installs it on this machine with dpkg and
# builds and runs the C example against it through pkg-config and through
# find_package. The package is removed again at the end.
# Usage: scripts/testes/pacote-debian.sh [REPOSITORY_ROOT]
set -euo pipefail
raiz=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$raiz"

bash scripts/instalar-dependencias.sh testes
versao=$(bash scripts/versao.sh)
maior=${versao%%.*}

source scripts/conferencias.sh

temporario=$(mktemp -d /tmp/quelb-pacote-debian.XXXXXX)
encerrar() {
  if dpkg-query -W -f='${Status}' quelbcargabal 2> /dev/null | grep -q "install ok installed"; then
    dpkg --purge quelbcargabal > /dev/null
  fi
  rm -rf "$temporario"
}
trap encerrar EXIT

dir=build/pacote
echo "== Compilando ($dir)"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELB_TESTES=OFF -DCMAKE_INSTALL_PREFIX=/usr > /dev/null
cmake --build "$dir" -j2 > /dev/null
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$dir/CMakeCache.txt")

# What an install holds under PREFIX: the files, the library's version links
# and SONAME, and a cargabal that runs.
instalacao() {  # PREFIX
  local p=$1 f r=0
  for f in include/quelb/cargabal.h bin/cargabal "$libdir/libquelbcargabal.so.$versao" \
    "$libdir/pkgconfig/quelbcargabal.pc" "$libdir/cmake/quelbcargabal/quelbcargabal-config.cmake" \
    "$libdir/cmake/quelbcargabal/quelbcargabal-config-version.cmake" \
    "$libdir/cmake/quelbcargabal/quelbcargabal-targets.cmake"; do
    [[ -f $p/$f ]] || { echo "falta $p/$f"; r=1; }
  done
  [[ $(readlink "$p/$libdir/libquelbcargabal.so") == "libquelbcargabal.so.$maior" &&
    $(readlink "$p/$libdir/libquelbcargabal.so.$maior") == "libquelbcargabal.so.$versao" ]] ||
    { echo "ligações de versão: $(ls -l "$p/$libdir" | grep libquelb)"; r=1; }
  objdump -p "$p/$libdir/libquelbcargabal.so.$versao" | grep -Eq "SONAME +libquelbcargabal\.so\.$maior$" ||
    { echo "SONAME errado"; r=1; }
  cmp -s "$p/include/quelb/cargabal.h" include/quelb/cargabal.h || { echo "cabeçalho diferente"; r=1; }
  [[ $(LD_LIBRARY_PATH= "$p/bin/cargabal" --version) == "cargabal $versao" ]] || { echo "cargabal --version"; r=1; }
  return $r
}

# The C example built through pkg-config or find_package; it must run, write
# its load and print the version it got from Versao().
roda_exemplo() {  # PROGRAM
  local carga saida
  carga=$(mktemp -d "$temporario/carga.XXXX")
  saida=$("$1" "$carga") || return 1
  [[ $saida == *"(quelbcargabal $versao)"* && -s $carga/INFNUTRI.TXT ]] || { echo "$saida"; return 1; }
}
por_pkg_config() {  # OUTPUT [PKG_CONFIG_PATH]
  local opcoes
  [[ $(PKG_CONFIG_PATH=${2:-} pkg-config --modversion quelbcargabal) == "$versao" ]] || return 1
  opcoes=$(PKG_CONFIG_PATH=${2:-} pkg-config --cflags --libs quelbcargabal) || return 1
  # shellcheck disable=SC2086
  cc -std=c99 -Wall -Wextra -Werror examples/c/exemplo.c $opcoes -o "$1" || return 1
  roda_exemplo "$1"
}
por_find_package() {  # BUILD_FOLDER [CMAKE_PREFIX_PATH]
  cmake -S examples/c -B "$1" -G Ninja ${2:+-DCMAKE_PREFIX_PATH="$2"} > "$1.log" 2>&1 &&
    cmake --build "$1" >> "$1.log" 2>&1 || { cat "$1.log"; return 1; }
  roda_exemplo "$1/exemplo"
}
# SameMajorVersion: the next major version is not found.
recusa_outra_versao() {
  mkdir -p "$temporario/outra"
  printf 'cmake_minimum_required(VERSION 3.16)\nproject(outra LANGUAGES C)\nfind_package(quelbcargabal %s REQUIRED)\n' \
    "$((maior + 1))" > "$temporario/outra/CMakeLists.txt"
  ! cmake -S "$temporario/outra" -B "$temporario/outra/build" > /dev/null 2>&1
}

# ---- cmake --install into a temporary prefix ----

echo "== cmake --install"
prefixo=$temporario/prefixo
cmake --install "$dir" --prefix "$prefixo" > /dev/null
confere "cmake --install: arquivos, ligações de versão e SONAME" instalacao "$prefixo"
confere "cmake --install: o pkg-config aponta para o prefixo" \
  grep -qx "prefix=$prefixo" "$prefixo/$libdir/pkgconfig/quelbcargabal.pc"
export LD_LIBRARY_PATH=$prefixo/$libdir
confere "cmake --install: exemplo em C pelo pkg-config" \
  por_pkg_config "$temporario/exemplo-pc-prefixo" "$prefixo/$libdir/pkgconfig"
confere "cmake --install: exemplo em C pelo find_package" \
  por_find_package "$temporario/exemplo-cmake-prefixo" "$prefixo"
unset LD_LIBRARY_PATH

# ---- The Debian package ----

echo "== cpack -G DEB"
(cd "$dir" && rm -f ./*.deb && cpack -G DEB > "$temporario/cpack.log" 2>&1) || { cat "$temporario/cpack.log"; exit 1; }
deb=$dir/quelbcargabal_${versao}_$(dpkg --print-architecture).deb
confere "pacote $deb" test -f "$deb"
campos() {
  [[ $(dpkg-deb -f "$deb" Package) == quelbcargabal && $(dpkg-deb -f "$deb" Version) == "$versao" ]] &&
    dpkg-deb -f "$deb" Depends | grep -q libc6
}
confere "pacote: nome, versão e dependências" campos

echo "== dpkg -i"
dpkg -i "$deb" > /dev/null
confere "pacote instalado: arquivos, ligações de versão e SONAME" instalacao /usr
confere "pacote instalado: pkg-config aponta para /usr" grep -qx "prefix=/usr" "/usr/$libdir/pkgconfig/quelbcargabal.pc"
confere "pacote instalado: a biblioteca está no cache do ldconfig" \
  bash -c "ldconfig -p | grep -q 'libquelbcargabal.so.$maior '"
confere "pacote instalado: exemplo em C pelo pkg-config" por_pkg_config "$temporario/exemplo-pc"
confere "pacote instalado: exemplo em C pelo find_package" por_find_package "$temporario/exemplo-cmake"
confere "pacote instalado: find_package recusa a versão maior seguinte" recusa_outra_versao
dpkg --purge quelbcargabal > /dev/null
confere "pacote removido sem deixar arquivos" \
  bash -c "! ls /usr/$libdir/libquelbcargabal* /usr/include/quelb /usr/bin/cargabal 2> /dev/null"

resumo pacote-debian
