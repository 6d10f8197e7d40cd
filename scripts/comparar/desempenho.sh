#!/usr/bin/env bash
# Compara o desempenho da geração entre uma revisão base e a árvore em teste,
# com o bench_gerador de cada uma (Release, -DQUELB_BENCH=ON), modelo a modelo
# e nos dois perfis de catálogo:
#
#   callgrind  instruções executadas dentro de GerarArquivos com --n itens
#   tempo      mediana do tempo de uma geração com --n-grande itens, em execuções
#              intercaladas (base, atual, base, atual, ...)
#   memoria    pico de memória de uma geração com --n-grande itens e o tamanho
#              dos arquivos gravados
#
#   scripts/comparar/desempenho.sh [--base REV] [--repo DIR] [--n 100000] [--n-grande 1000000]
#                                  [--repeticoes 5] [--modelos M1,M2] [--perfis realista,pior]
#                                  [--so callgrind|tempo|memoria[,...]]
#
# Imprime uma tabela Markdown por medida, com a razão atual/base; "⚠" marca
# atual > 1,25 × base e memória > 0,25 × saída. O progresso vai para a saída de erros.
# Saída: 0 medido (mesmo com marcas); 2 erro de uso, de compilação ou de medição.
set -euo pipefail
source "$(dirname "$0")/comum.sh"

base=aa73603
repo=$comparar_raiz
n=100000
n_grande=1000000
repeticoes=5
modelos=  # all that both know (cargabal modelos)
perfis=realista,pior
medidas=callgrind,tempo,memoria
# Bounds of one run: under valgrind, and natively with the large catalogue.
limite_callgrind=3600
limite_execucao=1200
# Thresholds of the marks.
limite_razao=1.25
limite_memoria=0.25

positivo() { [[ $2 =~ ^[1-9][0-9]*$ ]] || falhar "$1 espera um número positivo, recebeu \"$2\""; }
while (($#)); do
  case $1 in
    --base) base=${2:?falta o valor de --base}; shift 2 ;;
    --repo) repo=${2:?falta o valor de --repo}; shift 2 ;;
    --n) positivo --n "${2:-}"; n=$2; shift 2 ;;
    --n-grande) positivo --n-grande "${2:-}"; n_grande=$2; shift 2 ;;
    --repeticoes) positivo --repeticoes "${2:-}"; repeticoes=$2; shift 2 ;;
    --modelos) modelos=${2:?falta o valor de --modelos}; shift 2 ;;
    --perfis) perfis=${2:?falta o valor de --perfis}; shift 2 ;;
    --so) medidas=${2:?falta o valor de --so}; shift 2 ;;
    -h | --help) uso ;;
    *) msg "opção desconhecida: $1"; uso ;;
  esac
done
[[ -d $repo ]] || falhar "--repo: $repo não é um diretório"
repo=$(cd "$repo" && pwd)
IFS=, read -ra lista_perfis <<< "$perfis"
IFS=, read -ra lista_medidas <<< "$medidas"
for p in "${lista_perfis[@]}"; do
  [[ $p == realista || $p == pior ]] || falhar "perfil desconhecido \"$p\" (realista ou pior)"
done
fazer_callgrind=0 fazer_tempo=0 fazer_memoria=0
for s in "${lista_medidas[@]}"; do
  case $s in
    callgrind) fazer_callgrind=1 ;;
    tempo) fazer_tempo=1 ;;
    memoria | memória) fazer_memoria=1 ;;
    *) falhar "medida desconhecida \"$s\" em --so (callgrind, tempo ou memoria)" ;;
  esac
done
if ((fazer_callgrind)); then command -v valgrind > /dev/null || falhar "valgrind não está instalado"; fi
((${#lista_perfis[@]})) || falhar "nada a medir"

compilar_os_dois "$repo" "$base" bench_gerador cargabal
# The models both know; those of --modelos must be among them.
mapfile -t todos_modelos < <(modelos_comuns "$base_dir/cli/cargabal" "$atual_dir/cli/cargabal")
if [[ -z $modelos ]]; then
  lista_modelos=("${todos_modelos[@]}")
else
  IFS=, read -ra lista_modelos <<< "$modelos"
  for m in "${lista_modelos[@]}"; do
    printf '%s\n' "${todos_modelos[@]}" | grep -qxF "$m" ||
      falhar "modelo desconhecido \"$m\" (use os nomes mod... que as duas revisões conhecem: cargabal modelos)"
  done
fi
((${#lista_modelos[@]})) || falhar "nada a medir"
declare -A bench=([base]=$base_dir/bench/bench_gerador [atual]=$atual_dir/bench/bench_gerador)
for lado in base atual; do
  [[ -x ${bench[$lado]} ]] || falhar "a compilação de $lado não produziu ${bench[$lado]} (a revisão tem bench/?)"
done

trabalho=$(mktemp -d "$raiz_temporaria/comparar-desempenho.XXXXXX")
trap 'rm -rf "$trabalho"' EXIT
registros=$comparar_build/desempenho
mkdir -p "$registros"

# The column ACOLUNA of the result row of AMODELO with AN items, in the
# Markdown table that bench_gerador prints: found by the header's names, not
# by position.
coluna_do_bench() {
  local arquivo=$1 coluna=$2 modelo=$3 itens=$4
  awk -F'|' -v coluna="$coluna" -v modelo="$modelo" -v itens="$itens" '
    function limpo(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
    /^\|/ {
      if (limpo($2) == "Perfil" && limpo($3) == "Itens") {
        ci = cm = cv = 0
        for (i = 2; i < NF; i++) {
          nome = limpo($i)
          if (nome == "Itens") ci = i
          if (nome == "Modelo") cm = i
          if (nome == coluna) cv = i
        }
        next
      }
      if (ci && cm && cv && limpo($ci) == itens && limpo($cm) == modelo) { print limpo($cv); exit }
    }' "$arquivo"
}

numero() { [[ $1 =~ ^-?[0-9]+([.][0-9]+)?([eE][-+]?[0-9]+)?$ ]]; }

# Numbers are read and written with a decimal point whatever the user's
# locale (the runs themselves keep it: some formats depend on it).
mediana() {
  printf '%s\n' "$@" | LC_ALL=C sort -g | LC_ALL=C awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.6g\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# "1.03" or "1.31 ⚠" for current/base (ALIMITE: the ratio above which it is marked).
razao() {
  LC_ALL=C awk -v a="$1" -v b="$2" -v limite="$3" 'BEGIN {
    if (b <= 0 || a < 0) { print "?"; exit }
    r = a / b
    printf "%.3f%s\n", r, (r > limite ? " ⚠" : "")
  }'
}
marcado() { [[ $1 == *⚠* ]]; }
marcas=0

mb() { LC_ALL=C awk -v b="$1" 'BEGIN { printf "%.1f\n", b / 1e6 }'; }
ms1() { LC_ALL=C awk -v v="$1" 'BEGIN { printf "%.1f\n", v }'; }
nome_perfil() { [[ $1 == pior ]] && echo "pior caso" || echo "$1"; }

combinacoes=$((${#lista_perfis[@]} * ${#lista_modelos[@]}))
echo "# Desempenho: base ${base_hash:0:12} ($base) × árvore em teste $repo"
echo
echo "Medido em $(date '+%Y-%m-%d %H:%M'), $(nproc) processadores, $(uname -r)."

# Calls AFUNCAO PERFIL MODELO K for every profile and model chosen, K
# counting from 1 (for progress lines).
para_cada() {
  local funcao=$1 perfil modelo k=0
  for perfil in "${lista_perfis[@]}"; do
    for modelo in "${lista_modelos[@]}"; do
      k=$((k + 1))
      "$funcao" "$perfil" "$modelo" "$k"
    done
  done
}

# The folder every run writes its files to, empty at the start of each run
# (a run cut short by the time limit leaves nothing elsewhere).
pasta=$trabalho/saida

# Runs one measurement, its output in $registros/ANOME.txt and .log; fails
# the script when the run fails or runs out of time.
rodar() {
  local nome=$1 limite=$2 rc=0
  shift 2
  rm -rf "$pasta"
  mkdir -p "$pasta"
  timeout "$limite" "$@" > "$registros/$nome.txt" 2> "$registros/$nome.log" || rc=$?
  ((rc == 0)) || falhar "$1 terminou com $rc (veja $registros/$nome.log)"
}

# --- callgrind -------------------------------------------------------------
declare -A instrucoes=()
medir_callgrind() {
  local perfil=$1 modelo=$2 k=$3 lado nome ir
  for lado in base atual; do
    nome=callgrind-$lado-$perfil-$modelo-$n
    msg "[$(decorrido)] callgrind $k/$combinacoes: $perfil $modelo $n itens, $lado"
    rodar "$nome" "$limite_callgrind" valgrind --tool=callgrind --callgrind-out-file="$registros/$nome.out" \
      --toggle-collect='quelb::TQuelbCargaBal::GerarArquivos*' \
      "${bench[$lado]}" --n "$n" --modelos "$modelo" --perfis "$perfil" --so-geracao 1 --repeticoes 1 \
      --pasta "$pasta"
    # "summary:" (or "totals:") holds the events collected while inside GerarArquivos.
    ir=$(awk '/^(summary|totals):/ { print $2; exit }' "$registros/$nome.out")
    numero "${ir:-x}" || falhar "contagem de instruções não encontrada em $registros/$nome.out"
    ((ir > 0)) || falhar "nenhuma instrução dentro de GerarArquivos em $registros/$nome.out (o símbolo mudou?)"
    instrucoes[$perfil/$modelo/$lado]=$ir
  done
}
linha_callgrind() {
  local perfil=$1 modelo=$2 b a r
  b=${instrucoes[$perfil/$modelo/base]} a=${instrucoes[$perfil/$modelo/atual]}
  r=$(razao "$a" "$b" "$limite_razao")
  marcado "$r" && marcas=$((marcas + 1))
  printf '| %s | %s | %s | %s | %s |\n' "$(nome_perfil "$perfil")" "$modelo" "$b" "$a" "$r"
}
if ((fazer_callgrind)); then
  para_cada medir_callgrind
  echo
  echo "## Instruções dentro de GerarArquivos (callgrind, $n itens)"
  echo
  echo "| Perfil | Modelo | Base (Ir) | Atual (Ir) | Atual/base |"
  echo "|---|---|---:|---:|---:|"
  para_cada linha_callgrind
fi

# --- wall clock --------------------------------------------------------------
declare -A tempos=()
medir_tempo() {
  local perfil=$1 modelo=$2 k=$3 i lado nome ms
  for ((i = 1; i <= repeticoes; i++)); do
    for lado in base atual; do
      nome=tempo-$lado-$perfil-$modelo-$n_grande
      msg "[$(decorrido)] tempo $k/$combinacoes: $perfil $modelo $n_grande itens, rodada $i/$repeticoes, $lado"
      rodar "$nome" "$limite_execucao" "${bench[$lado]}" --n "$n_grande" --modelos "$modelo" --perfis "$perfil" \
        --so-geracao 1 --repeticoes 1 --pasta "$pasta"
      ms=$(coluna_do_bench "$registros/$nome.txt" "Geração (ms)" "$modelo" "$n_grande")
      numero "${ms:-x}" || falhar "tempo da geração não encontrado em $registros/$nome.txt"
      tempos[$perfil/$modelo/$lado]+="$ms "
    done
  done
}
linha_tempo() {
  local perfil=$1 modelo=$2 vb va b a r
  read -ra vb <<< "${tempos[$perfil/$modelo/base]}"
  read -ra va <<< "${tempos[$perfil/$modelo/atual]}"
  b=$(mediana "${vb[@]}") a=$(mediana "${va[@]}")
  r=$(razao "$a" "$b" "$limite_razao")
  marcado "$r" && marcas=$((marcas + 1))
  printf '| %s | %s | %s | %s | %s | %s | %s |\n' "$(nome_perfil "$perfil")" "$modelo" "$(ms1 "$b")" "$(ms1 "$a")" \
    "$r" "${vb[*]}" "${va[*]}"
}
if ((fazer_tempo)); then
  para_cada medir_tempo
  echo
  echo "## Tempo de uma geração ($n_grande itens, mediana de $repeticoes execuções intercaladas)"
  echo
  echo "| Perfil | Modelo | Base (ms) | Atual (ms) | Atual/base | Base: execuções (ms) | Atual: execuções (ms) |"
  echo "|---|---|---:|---:|---:|---|---|"
  para_cada linha_tempo
fi

# --- peak memory ---------------------------------------------------------------
declare -A memoria=() tamanho=()
medir_memoria() {
  local perfil=$1 modelo=$2 k=$3 lado nome bytes
  for lado in base atual; do
    nome=memoria-$lado-$perfil-$modelo-$n_grande
    msg "[$(decorrido)] memória $k/$combinacoes: $perfil $modelo $n_grande itens, $lado"
    rodar "$nome" "$limite_execucao" "${bench[$lado]}" --memoria --perfis "$perfil" --n "$n_grande" \
      --modelos "$modelo" --pasta "$pasta"
    bytes=$(awk 'NF { v = $1 } END { print v }' "$registros/$nome.txt")
    [[ $bytes =~ ^-?[0-9]+$ ]] || falhar "pico de memória não encontrado em $registros/$nome.txt"
    memoria[$perfil/$modelo/$lado]=$bytes
    # The generation leaves its files in the folder: their size is the output.
    tamanho[$perfil/$modelo/$lado]=$(find "$pasta" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
  done
  rm -rf "$pasta"
}
linha_memoria() {
  local perfil=$1 modelo=$2 mbase matual sbase satual r pb pa v mem_base mem_atual saida_atual
  mbase=${memoria[$perfil/$modelo/base]} matual=${memoria[$perfil/$modelo/atual]}
  sbase=${tamanho[$perfil/$modelo/base]} satual=${tamanho[$perfil/$modelo/atual]}
  r=$(razao "$matual" "$mbase" "$limite_razao")
  pb=$(razao "$mbase" "$sbase" "$limite_memoria")
  pa=$(razao "$matual" "$satual" "$limite_memoria")
  for v in "$r" "$pb" "$pa"; do marcado "$v" && marcas=$((marcas + 1)); done
  mem_base=$( ((mbase >= 0)) && mb "$mbase" || echo "?")
  mem_atual=$( ((matual >= 0)) && mb "$matual" || echo "?")
  saida_atual=$(mb "$satual")
  # Same catalogue, same bytes: a different size is worth a look with bytes.sh.
  [[ $sbase == "$satual" ]] || saida_atual+=" (≠ base)"
  printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$(nome_perfil "$perfil")" "$modelo" \
    "$(mb "$sbase")" "$saida_atual" "$mem_base" "$mem_atual" "$r" "$pb" "$pa"
}
if ((fazer_memoria)); then
  para_cada medir_memoria
  echo
  echo "## Pico de memória de uma geração ($n_grande itens)"
  echo
  echo "| Perfil | Modelo | Saída base (MB) | Saída atual (MB) | Memória base (MB) | Memória atual (MB) | Atual/base | Memória/saída base | Memória/saída atual |"
  echo "|---|---|---:|---:|---:|---:|---:|---:|---:|"
  para_cada linha_memoria
fi

echo
echo "⚠: atual > $limite_razao × base, ou memória > $limite_memoria × saída. $marcas marca(s)."
echo "Registros de cada execução em $registros; $((SECONDS - comparar_inicio)) s ao todo."
