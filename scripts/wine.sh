# Sourced by the scripts that run the Windows builds under Wine (test.sh,
# scripts/testes/windows.sh, scripts/testes/pacote-windows.sh): whether this
# machine runs 32-bit programs, the one Wine prefix of a test run, and how to
# start an x86 or an x64 program.
#
# Some kernels run no 32-bit x86 programs (ia32 emulation switched off), and
# then the 32-bit side of Wine cannot start. preparar_32_bits makes them run
# through qemu's user-mode emulation, registered with the kernel's
# binfmt_misc; where even that is impossible, the x86 checks are skipped.

export wine_x64=/usr/lib/wine/wine64
# Debian's "wine" command always starts the 32-bit loader first, even for a
# 64-bit program: x64 programs go straight to the 64-bit loader instead.
export wine_x86=/usr/lib/wine/wine

# The smallest i386 Linux program: exit(0) through int 0x80.
programa_32_bits='7f454c46010101000000000000000000020003000100000054800408340000000000000000000000'
programa_32_bits+='340020000100000000000000010000000000000000800408008004085b0000005b0000000500000000'
programa_32_bits+='10000031db31c040cd80'

roda_32_bits() {
  local programa
  programa=$(mktemp /tmp/quelb-32-bits.XXXXXX)
  printf "$(sed 's/../\\x&/g' <<< "$programa_32_bits")" > "$programa"
  chmod +x "$programa"
  "$programa" 2> /dev/null
  local r=$?
  rm -f "$programa"
  return $r
}

# The usual magic and mask of i386 ELF executables, and qemu as their
# interpreter; F opens the interpreter now, so that it also serves programs
# started in another mount namespace.
registro_qemu_i386=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
registro_qemu_i386+=':\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
registro_qemu_i386+=':/usr/bin/qemu-i386-static:F'

# No x86 checks on this machine, for the reason given.
sem_x86() {
  QUELB_X86=indisponivel
  QUELB_X86_MOTIVO=$1
  echo "x86: $QUELB_X86_MOTIVO; os casos x86 serão pulados"
}

# Sets and exports QUELB_X86: "nativo", "emulado" or "indisponivel" (then
# QUELB_X86_MOTIVO says why). Installs and registers only what is missing:
# safe to call again, and quick once the state is known.
preparar_32_bits() {
  [[ -n ${QUELB_X86:-} ]] && return 0
  export QUELB_X86 QUELB_X86_MOTIVO=
  if roda_32_bits; then
    if [[ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]] && grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386; then
      QUELB_X86=emulado
    else
      QUELB_X86=nativo
      return 0
    fi
  else
    local binfmt=/proc/sys/fs/binfmt_misc
    if [[ ! -e $binfmt/register ]]; then
      mount -t binfmt_misc binfmt_misc "$binfmt" 2> /dev/null || true
    fi
    if [[ ! -e $binfmt/register ]]; then
      sem_x86 "este kernel não roda programas de 32 bits e não tem binfmt_misc para emulá-los"
      return 0
    fi
    if [[ ! -x /usr/bin/qemu-i386-static ]]; then
      echo "Instalando: qemu-user-static"
      DEBIAN_FRONTEND=noninteractive apt-get update -qq
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends qemu-user-static > /dev/null
    fi
    [[ -e $binfmt/qemu-i386 ]] || printf '%s' "$registro_qemu_i386" > "$binfmt/register" 2> /dev/null || true
    [[ -e $binfmt/qemu-i386 ]] && echo 1 > "$binfmt/qemu-i386" 2> /dev/null || true
    if ! roda_32_bits; then
      sem_x86 "este kernel não roda programas de 32 bits, nem pela emulação do qemu"
      return 0
    fi
    QUELB_X86=emulado
  fi
  # qemu reserves all 4 GB of a 32-bit program's address space by default,
  # and Wine's start-up, which probes that space piece by piece, then takes
  # minutes per process; a reservation just above the 2 GB a 32-bit Windows
  # program owns makes it seconds.
  export QEMU_RESERVED_VA=0x81000000
  echo "x86: este kernel não roda programas de 32 bits; eles rodam pela emulação do qemu (qemu-i386-static, binfmt_misc)"
}

# The Wine loader of an architecture: carregador_wine x86|x64.
carregador_wine() {
  if [[ $1 == x86 ]]; then echo "$wine_x86"; else echo "$wine_x64"; fi
}

# Runs a Windows program of the given architecture: executar_wine x86|x64 PROGRAM ARGS...
# Under emulation an x86 program runs with QUELB_HOST_UMA_LINHA set: the test
# hosts then skip their case with a second thread (see uma_linha_sob_emulacao).
executar_wine() {
  local carregador
  carregador=$(carregador_wine "$1")
  if [[ $1 == x86 && ${QUELB_X86:-} == emulado ]]; then
    shift
    QUELB_HOST_UMA_LINHA=1 "$carregador" "$@"
  else
    shift
    "$carregador" "$@"
  fi
}

# Reports the x86 host's case with a second thread as skipped under
# emulation, where qemu may crash when a thread of a 32-bit Wine process
# ends. Needs scripts/conferencias.sh.
uma_linha_sob_emulacao() {  # uma_linha_sob_emulacao DESCRIPTION
  [[ ${QUELB_X86:-} == emulado ]] || return 0
  pula "$1" "sob a emulação do qemu, o caso de duas linhas de execução roda só na x64"
}

# Exports WINEPREFIX: the prefix that test.sh made for the whole run
# (QUELB_WINE_PREFIXO), or a new one in FOLDER. No Mono or Gecko.
preparar_prefixo() {  # preparar_prefixo FOLDER LOCALE
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ -n ${QUELB_WINE_PREFIXO:-} && -f $QUELB_WINE_PREFIXO/system.reg ]]; then
    export WINEPREFIX=$QUELB_WINE_PREFIXO
    return 0
  fi
  export WINEPREFIX=$1
  echo "== Preparando um prefixo novo do Wine"
  LANG=$2 LC_ALL=$2 "$wine_x64" wineboot -i > "$1.log" 2>&1 || { cat "$1.log"; return 1; }
  "${wine_x64%/*}/wineserver64" -w 2> /dev/null || true
}

# Whether the x86 checks run; when not, each is counted as skipped.
x86_roda() { [[ ${QUELB_X86:-} != indisponivel ]]; }

# A check of one architecture: skipped, with the reason, where x86 programs
# cannot run. Needs scripts/conferencias.sh.
confere_em() {  # confere_em ARCH DESCRIPTION COMMAND...
  if [[ $1 == x86 ]] && ! x86_roda; then
    pula "$2" "$QUELB_X86_MOTIVO"
    return 0
  fi
  shift
  confere "$@"
}

# A Linux path as a Windows program sees it.
janela() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }
