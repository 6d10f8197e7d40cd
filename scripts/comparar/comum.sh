# Shared by bytes.sh and desempenho.sh (sourced, not run): builds the base
# revision and the tree under test side by side under build/comparar.
#
#   build/comparar/base/fonte        git worktree of the base revision (detached)
#   build/comparar/base/construcao   its Release build
#   build/comparar/atual/construcao  Release build of the tree under test, from its own source
#
# Both builds use the same options (Release, tests off, benchmark on), so that
# a difference between them comes from the source alone.

comparar_raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
comparar_build=$comparar_raiz/build/comparar

msg() { printf '%s\n' "$*" >&2; }
falhar() {
  printf 'erro: %s\n' "$*" >&2
  exit 2
}

# The script's usage: its header comment, up to "set -euo".
uso() {
  sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//' >&2
  exit 2
}

# In-memory scratch space when there is one.
raiz_temporaria=${TMPDIR:-/tmp}
[[ -d /dev/shm && -w /dev/shm ]] && raiz_temporaria=/dev/shm

# The models that the cargabal ABINARIO knows, by their enumeration names
# (the first column of "cargabal modelos"), one per line.
modelos_de() {
  "$1" modelos | awk 'NR > 1 && NF { print $1 }' || falhar "$1 modelos falhou"
}

# The models that both cargabal ABASE and AATUAL know, in AATUAL's order; the
# ones only AATUAL knows are told on stderr (they cannot be compared).
modelos_comuns() {
  local base atual
  base=$(modelos_de "$1") && atual=$(modelos_de "$2") || exit 2
  while read -r m; do
    if grep -qxF "$m" <<< "$base"; then echo "$m"; else msg "$m: a base não tem este modelo; fica fora da comparação"; fi
  done <<< "$atual"
}

# Seconds since the script started, for progress lines.
comparar_inicio=$SECONDS
decorrido() { printf '%4ds' $((SECONDS - comparar_inicio)); }

# Worktree of the revision AREV at build/comparar/base/fonte, taken from the
# repository AREPO (or from this one when AREPO is a plain copy, not under
# git). Prints the full hash of the revision.
preparar_fonte_base() {
  local repo=$1 rev=$2 fonte=$comparar_build/base/fonte hash
  git -C "$repo" rev-parse --git-dir > /dev/null 2>&1 || repo=$comparar_raiz
  hash=$(git -C "$repo" rev-parse --verify --quiet "$rev^{commit}") || falhar "revisão desconhecida: $rev"
  # A copy that is no longer a worktree, or whose repository lacks the
  # revision, is made anew.
  if [[ -e $fonte ]] && ! git -C "$fonte" cat-file -e "$hash^{commit}" 2> /dev/null; then
    msg "refazendo a cópia da revisão base em $fonte"
    rm -rf "$fonte" "$comparar_build/base/construcao"
  fi
  if [[ ! -e $fonte ]]; then
    mkdir -p "$comparar_build/base"
    git -C "$repo" worktree prune
    git -C "$repo" worktree add --detach --quiet "$fonte" "$hash" >&2 || falhar "git worktree add falhou"
  fi
  if [[ $(git -C "$fonte" rev-parse HEAD) != "$hash" ]]; then
    git -C "$fonte" checkout --detach --quiet --force "$hash" >&2 || falhar "não foi possível trocar $fonte para $hash"
  fi
  echo "$hash"
}

# Configures (once) and builds the targets in ADIR from the sources in AFONTE.
# A build directory configured from other sources is made anew.
compilar() {
  local fonte=$1 dir=$2
  shift 2
  local cache=$dir/CMakeCache.txt
  if [[ -f $cache ]] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$fonte" "$cache"; then
    rm -rf "$dir"
  fi
  if [[ ! -f $dir/build.ninja ]]; then
    cmake -S "$fonte" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELB_TESTES=OFF -DQUELB_BENCH=ON \
      > "$comparar_build/cmake-$(basename "$(dirname "$dir")").log" 2>&1 ||
      falhar "cmake falhou para $fonte (veja $comparar_build/cmake-$(basename "$(dirname "$dir")").log)"
  fi
  cmake --build "$dir" -j2 --target "$@" > "$dir/compilacao.log" 2>&1 ||
    { tail -n 30 "$dir/compilacao.log" >&2; falhar "a compilação em $dir falhou (log completo: $dir/compilacao.log)"; }
}

# Builds the targets for the base revision and the tree under test; sets
# base_dir, atual_dir (build directories) and base_hash.
compilar_os_dois() {
  local repo=$1 rev=$2
  shift 2
  mkdir -p "$comparar_build/base" "$comparar_build/atual"
  base_hash=$(preparar_fonte_base "$repo" "$rev") || exit 2
  base_dir=$comparar_build/base/construcao
  atual_dir=$comparar_build/atual/construcao
  msg "[$(decorrido)] compilando a base ${base_hash:0:12} em $base_dir ($*)"
  compilar "$comparar_build/base/fonte" "$base_dir" "$@"
  msg "[$(decorrido)] compilando a árvore em teste $(cd "$repo" && pwd) em $atual_dir ($*)"
  compilar "$(cd "$repo" && pwd)" "$atual_dir" "$@"
  msg "[$(decorrido)] compilação pronta"
}
