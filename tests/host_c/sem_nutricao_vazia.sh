# Sourced by the scripts that compare a DLL host's loads with cargabal's.
# The sample catalogue gives no nutrition to some items: a DLL host, which
# cannot leave a value out, writes their URF32 nutrition lines of zeros,
# while cargabal leaves those records to the scale software. Without those
# lines the loads are the same.
sem_nutricao_vazia() {  # FOLDER_OF_THE_MODELS_FOLDERS
  local arquivo=$1/modUranoURF32/INFORMACOESNUTRICIONAIS.TXT
  grep -vE $'^[ 0-9]{5}0+\r$' "$arquivo" > "$arquivo.novo" || true
  mv "$arquivo.novo" "$arquivo"
}
