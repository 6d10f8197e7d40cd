#!/usr/bin/env bash
# Compara, byte a byte, as cargas que o cargabal de uma revisão base e o da
# árvore em teste gravam para os mesmos catálogos aleatórios, em todos os modelos que as duas conhecem (os de "cargabal modelos")
# e nos dois formatos numéricos (separador decimal vírgula e ponto).
#
#   scripts/comparar/bytes.sh [--base REV] [--sementes N] [--repo DIR]
#
#   --base REV      revisão base (padrão: aa73603), compilada numa cópia em build/comparar/base
#   --sementes N    catálogos das sementes 1..N (padrão: 200)
#   --repo DIR      a árvore em teste, compilada como está (padrão: este repositório)
#   --nfc           os textos dos catálogos já compostos (NFC): compara só a geração,
#                   sem a composição que os leitores novos fazem ao ler
#
# Uma linha por diferença (semente, modelo, formato, arquivo) e um resumo.
# Os catálogos que deram diferença ficam em build/comparar/falhas.
# Saída: 0 tudo idêntico; 1 alguma diferença; 2 erro de uso ou de compilação.
set -euo pipefail
source "$(dirname "$0")/comum.sh"

base=aa73603
sementes=200
nfc=0
repo=$comparar_raiz
# Bound of one cargabal run; the catalogues are small.
limite_execucao=60

while (($#)); do
  case $1 in
    --base) base=${2:?falta o valor de --base}; shift 2 ;;
    --sementes) sementes=${2:?falta o valor de --sementes}; shift 2 ;;
    --repo) repo=${2:?falta o valor de --repo}; shift 2 ;;
    --nfc) nfc=1; shift ;;
    -h | --help) uso ;;
    *) msg "opção desconhecida: $1"; uso ;;
  esac
done
[[ $sementes =~ ^[1-9][0-9]*$ ]] || falhar "--sementes espera um número positivo"
[[ -d $repo ]] || falhar "--repo: $repo não é um diretório"
repo=$(cd "$repo" && pwd)

# The decimal separator of the user's locale reaches some formats: one locale
# with a comma, one with a point.
formatos=(pt_BR.UTF-8 C.UTF-8)
for f in "${formatos[@]}"; do
  locale -a 2> /dev/null | grep -qix "${f/UTF-8/utf8}" ||
    falhar "a localidade $f não está instalada (rode scripts/instalar-dependencias.sh testes)"
done

compilar_os_dois "$repo" "$base" cargabal
cargabal_base=$base_dir/cli/cargabal
cargabal_atual=$atual_dir/cli/cargabal
# Every model that both know.
mapfile -t modelos < <(modelos_comuns "$cargabal_base" "$cargabal_atual")
((${#modelos[@]})) || falhar "nenhum modelo em comum entre a base e a árvore em teste"

trabalho=$(mktemp -d "$raiz_temporaria/comparar-bytes.XXXXXX")
trap 'rm -rf "$trabalho"' EXIT
# Catalogues of this run's differences only (any seed's can be made again).
falhas=$comparar_build/falhas
rm -rf "$falhas"
mkdir -p "$falhas"

msg "[$(decorrido)] gerando $sementes catálogos aleatórios"
# With --nfc every text is composed, so that a reader that composes and one
# that does not hand the generator the same characters.
QUELB_CATALOGO_NFC=$( ((nfc)) && echo 1) python3 "$(dirname "$0")/catalogo_aleatorio.py" $(seq 1 "$sementes") \
  --pasta "$trabalho"

identicos=0
diferentes=0   # files
outras=0       # exit status, standard output or error
recusas=0      # runs that failed the same way on both sides
# Each difference is one line on standard output.
diferenca() {
  local semente=$1 modelo=$2 formato=$3 arquivo=$4 detalhe=$5
  printf 'DIFERENÇA semente %s, %s, %s, %s: %s\n' "$semente" "$modelo" "$formato" "$arquivo" "$detalhe"
  if [[ $arquivo == \(* ]]; then outras=$((outras + 1)); else diferentes=$((diferentes + 1)); fi
  guardar=1
}

# Runs one cargabal into an empty folder; keeps its exit status, and its
# standard output and error with the folder's path taken out.
# A cargabal that checks the catalogue first is told to write all the same
# (the random values do not fit every field), as one without the check does.
gerar() {
  local binario=$1 modelo=$2 formato=$3 catalogo=$4 pasta=$5 rc=0 aceitar=()
  mkdir -p "$pasta"
  "$binario" help gerar 2> /dev/null | grep -q -- --aceitar-cortes && aceitar=(--aceitar-cortes)
  LC_ALL=$formato timeout "$limite_execucao" "$binario" gerar "${aceitar[@]}" --modelo "$modelo" --entrada "$catalogo" \
    --saida "$pasta" > "$pasta.saida" 2> "$pasta.erros" || rc=$?
  echo "$rc" > "$pasta.rc"
  sed -i "s|$pasta/||g" "$pasta.saida" "$pasta.erros"
}

# What went wrong in a file: its size on both sides and the first differing byte.
primeira_diferenca() {
  local a=$1 b=$2
  local ta tb onde
  ta=$(stat -c %s "$a")
  tb=$(stat -c %s "$b")
  onde=$(cmp "$a" "$b" 2> /dev/null | sed -n 's/.*differ: \(byte [0-9]*, line [0-9]*\).*/\1/p' || true)
  [[ -z $onde ]] && onde="um é prefixo do outro"
  echo "base $ta bytes, atual $tb bytes, $onde"
}

for semente in $(seq 1 "$sementes"); do
  catalogo=$trabalho/catalogo-$semente.json
  guardar=0
  for formato in "${formatos[@]}"; do
    for modelo in "${modelos[@]}"; do
      pb=$trabalho/base/$modelo-$formato
      pa=$trabalho/atual/$modelo-$formato
      gerar "$cargabal_base" "$modelo" "$formato" "$catalogo" "$pb"
      gerar "$cargabal_atual" "$modelo" "$formato" "$catalogo" "$pa"
      rb=$(< "$pb.rc")
      ra=$(< "$pa.rc")
      if [[ $rb == 124 || $ra == 124 ]]; then
        diferenca "$semente" "$modelo" "$formato" "(execução)" "tempo esgotado (${limite_execucao} s): base $rb, atual $ra"
      elif [[ $rb != "$ra" ]]; then
        diferenca "$semente" "$modelo" "$formato" "(código de saída)" "base $rb, atual $ra"
      elif [[ $rb != 0 ]]; then
        recusas=$((recusas + 1))
      fi
      cmp -s "$pb.saida" "$pa.saida" ||
        diferenca "$semente" "$modelo" "$formato" "(lista de arquivos na saída padrão)" \
          "base: $(tr '\n' ' ' < "$pb.saida")/ atual: $(tr '\n' ' ' < "$pa.saida")"
      # The messages on standard error are the command's own (the check's
      # findings, the readers' texts) and are not compared.
      # Every file of either folder (but the lock file a generation leaves).
      while IFS= read -r arquivo; do
        [[ $arquivo == .cargabal.lock ]] && continue
        if [[ ! -f $pb/$arquivo ]]; then
          diferenca "$semente" "$modelo" "$formato" "$arquivo" "só a árvore em teste gravou"
        elif [[ ! -f $pa/$arquivo ]]; then
          diferenca "$semente" "$modelo" "$formato" "$arquivo" "só a base gravou"
        elif cmp -s "$pb/$arquivo" "$pa/$arquivo"; then
          identicos=$((identicos + 1))
        else
          diferenca "$semente" "$modelo" "$formato" "$arquivo" "$(primeira_diferenca "$pb/$arquivo" "$pa/$arquivo")"
        fi
      done < <( (ls -A "$pb"; ls -A "$pa") | LC_ALL=C sort -u)
    done
  done
  if ((guardar)); then
    cp "$catalogo" "$falhas/catalogo-$semente.json"
    printf 'catálogo guardado: %s\n' "$falhas/catalogo-$semente.json"
  fi
  rm -rf "$trabalho/base" "$trabalho/atual"
  if ((semente % 10 == 0 || semente == sementes)); then
    msg "[$(decorrido)] $semente/$sementes catálogos: $identicos arquivos idênticos, $((diferentes + outras)) diferenças"
  fi
done

printf '%d catálogos × %d modelos × %d formatos: %d arquivos idênticos, %d diferentes\n' \
  "$sementes" "${#modelos[@]}" "${#formatos[@]}" "$identicos" "$diferentes"
((outras == 0)) || printf '%d outras diferenças (código de saída, saída padrão ou de erros)\n' "$outras"
((recusas == 0)) || printf '%d gerações falharam igualmente nos dois lados (catálogo recusado ou erro da geração)\n' "$recusas"
printf 'base %s (%s), árvore em teste %s, %d s\n' "${base_hash:0:12}" "$base" "$repo" $((SECONDS - comparar_inicio))
((diferentes + outras == 0)) || exit 1
