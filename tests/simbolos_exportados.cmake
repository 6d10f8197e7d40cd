# Fails unless the dynamic symbol table defines exactly the exported functions.
execute_process(COMMAND nm -D --defined-only ${BIBLIOTECA}
  OUTPUT_VARIABLE saida RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm falhou: ${rc}")
endif()
string(REGEX MATCHALL "[^\n]+" linhas "${saida}")
set(nomes "")
foreach(linha ${linhas})
  string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] +" "" nome "${linha}")
  list(APPEND nomes ${nome})
endforeach()
list(SORT nomes)
set(esperados AdicionarItem ArquivosGerados CarregarCatalogo DecodificarEtiqueta DefinirCampo DefinirEtiqueta
  DefinirProgresso GerarArquivos Inicializar
  LimparItems VerificarItens Versao)
if(NOT nomes STREQUAL esperados)
  message(FATAL_ERROR "Símbolos exportados: ${nomes}\nEsperados: ${esperados}")
endif()
message(STATUS "Exporta exatamente: ${nomes}")
