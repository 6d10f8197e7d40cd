/* A host program in C for the scale labels: DecodificarEtiqueta and
 * DefinirEtiqueta (ordinals 14 and 15), as a point-of-sale program calls
 * them. Built with MinGW-w64 it loads the DLL with LoadLibrary (each function
 * found by name and by ordinal, and on 32-bit x86 checked to remove its own
 * arguments from the stack) and runs under Windows or Wine; built on Linux it
 * loads the shared library with dlopen.
 *
 * Usage: host_etiqueta LIBRARY
 *
 * Writes every text the two functions (and VerificarItens with a label
 * layout) return, one "case = text" line each, bytes as returned, on
 * standard output: the Windows output must equal the Linux one, byte for
 * byte. Each text is also compared with the one expected; failures go to
 * standard error. Exit status: 0 when every check passed. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "apoio_host.h"
#include "quelb/cargabal.h"

typedef const char*(QUELB_CALL* FnDecodificarEtiqueta)(const char*, const char*);

static FnDecodificarEtiqueta DecodificarEtiqueta_;
static FnTexto DefinirEtiqueta_;

/* The text on standard output, then against the one expected. */
static void mostra_e_confere(const char* caso, const char* obtido, const char* esperado) {
    printf("%s = %s\n", caso, obtido ? obtido : "(nulo)");
    confere_texto(caso, obtido, esperado);
}

static void decodifica(const char* caso, const char* codigo, const char* formato, const char* esperado) {
    mostra_e_confere(caso, DecodificarEtiqueta_(codigo, formato), esperado);
}

#if defined(__i386__)
static void confere_convencao(void) {
    char detalhe[80];
    unsigned resto = restam_na_pilha((const void*)DecodificarEtiqueta_, 8);
    snprintf(detalhe, sizeof detalhe, "restaram %u bytes", resto);
    registra(resto == 0, "DecodificarEtiqueta remove 8 bytes da pilha", detalhe);
    resto = restam_na_pilha((const void*)DefinirEtiqueta_, 4);
    snprintf(detalhe, sizeof detalhe, "restaram %u bytes", resto);
    registra(resto == 0, "DefinirEtiqueta remove 4 bytes da pilha", detalhe);
}
#endif

/* The examples of shared/etiquetas-ean13.md, the GS1 verifier examples, and
 * each way a label fails to read. */
static void casos_decodificar(void) {
    decodifica("preco 2CCCCCCPPPPPD", "2000001007600", "2CCCCCCPPPPPD", "codigo=1;preco=7.60");
    decodifica("peso 2CCCCCCWWWWWD", "2010085025049", "2CCCCCCWWWWWD", "codigo=10085;peso=2.504");
    decodifica("preco 2CCCCPPPPPPPD", "2014900002840", "2CCCCPPPPPPPD", "codigo=149;preco=2.84");
    decodifica("peso 20CCCCCWWWWWD", "2000002001027", "20CCCCCWWWWWD", "codigo=2;peso=0.102");
    /* Price 14685 has the verifier 6; weight 2875, 9. */
    decodifica("verificador de 5 digitos", "2001236146850", "2CCCCCVPPPPPD", "codigo=123;preco=146.85");
    decodifica("verificador de 4 digitos", "2000042928759", "2cccccCVWWWWD", "codigo=42;peso=2.875");
    decodifica("quantidade", "2000007000032", "2CCCCCCQQQQQD", "codigo=7;quantidade=3");
    decodifica("espacos em volta", " 2014900002840 ", " 2CCCCPPPPPPPD ", "codigo=149;preco=2.84");
    decodifica("digito do EAN-13 errado", "2014900002841", "2CCCCPPPPPPPD",
               "erro: o d\xedgito verificador do EAN-13 \xe9 1, mas deveria ser 0 (c\xf3" "digo lido ou digitado errado)");
    decodifica("verificador do preco errado", "2001235146851", "2CCCCCVPPPPPD",
               "erro: o d\xedgito verificador do pre\xe7o \xe9 5, mas deveria ser 6");
    decodifica("12 digitos", "201490000284", "2CCCCPPPPPPPD",
               "erro: o c\xf3" "digo \"201490000284\" tem 12 d\xedgitos; uma etiqueta EAN-13 tem 13");
    decodifica("letra no codigo", "20149000O2840", "2CCCCPPPPPPPD",
               "erro: o c\xf3" "digo \"20149000O2840\" tem um caractere que n\xe3o \xe9 d\xedgito (\"O\")");
    decodifica("EAN-13 de produto, nao de balanca", "7891000100103", "2CCCCPPPPPPPD",
               "erro: o prefixo \xe9 7, mas o formato 2CCCCPPPPPPPD pede 2");
    decodifica("prefixo 21 num formato 20", "2110085025046", "20CCCCCWWWWWD",
               "erro: o prefixo \xe9 21, mas o formato 20CCCCCWWWWWD pede 20");
    decodifica("formato com P e W", "2014900002840", "2CCCCCCPPPWWD",
               "erro: formato de etiqueta inv\xe1lido \"2CCCCCCPPPWWD\": o formato tem P e W: uma etiqueta leva um "
               "valor s\xf3, pre\xe7o (P), peso (W) ou quantidade (Q)");
    decodifica("formato sem D", "2014900002840", "2CCCCPPPPPPP0",
               "erro: formato de etiqueta inv\xe1lido \"2CCCCPPPPPPP0\": falta o d\xedgito verificador D no fim");
    decodifica("nulos", NULL, NULL,
               "erro: formato de etiqueta inv\xe1lido \"\": o formato est\xe1 vazio; escreva um caractere por d\xedgito, "
               "como 2CCCCCCPPPPPD");
}

/* The check of the products against the label layout. */
static void casos_definir(void) {
    const char* r = DefinirEtiqueta_("2CCCCPPPPPPPD");
    printf("definir antes de inicializar = %s\n", r);
    registra(r != NULL && strstr(r, "Inicializar") != NULL, "definir antes de inicializar", r);

    confere_texto("inicializar", Inicializar_("modToledoMGV6"), "OK");
    confere_texto("limpar", LimparItems_(), "OK");
    /* 10149 and 20149 are wider than four digits: the till reads 149, the
     * code of the second product; a unit sale carries no bar code. */
    confere_texto("adicionar 10149", AdicionarItem_("0", "tpvPeso", "10149", "Queijo prato", "", 0, "", "1", "Frios", 49.9),
                  "OK");
    confere_texto("adicionar 149", AdicionarItem_("0", "tpvPeso", "149", "Banana", "", 0, "", "2", "Hortifruti", 4.99),
                  "OK");
    confere_texto("adicionar 20149", AdicionarItem_("0", "tpvEAN13Und", "20149", "Bolo", "", 0, "", "3", "Padaria", 12.0),
                  "OK");
    confere_texto("adicionar 30007", AdicionarItem_("0", "tpvUnidade", "30007", "P\xe3o", "", 0, "", "3", "Padaria", 0.75),
                  "OK");
    confere_texto("adicionar 5", AdicionarItem_("0", "tpvPeso", "5", "Picanha", "", 0, "", "4", "A\xe7ougue", 89.9), "OK");
    mostra_e_confere("verificar sem etiqueta", VerificarItens_(), "OK");

    mostra_e_confere("definir 2CCCCPPPPPPPD", DefinirEtiqueta_("2CCCCPPPPPPPD"), "OK");
    mostra_e_confere("verificar 2CCCCPPPPPPPD", VerificarItens_(),
                     "erro: produtos[0] (c\xf3" "digo 10149), Codigo: 10149 n\xe3o cabe nos 4 d\xedgitos do c\xf3"
                     "digo da etiqueta 2CCCCPPPPPPPD; o caixa leria o c\xf3" "digo 149, que \xe9 o de produtos[1] "
                     "(c\xf3" "digo 149, \"Banana\")\r\n"
                     "erro: produtos[2] (c\xf3" "digo 20149), Codigo: 20149 n\xe3o cabe nos 4 d\xedgitos do c\xf3"
                     "digo da etiqueta 2CCCCPPPPPPPD; o caixa leria o c\xf3" "digo 149, que \xe9 o de produtos[1] "
                     "(c\xf3" "digo 149, \"Banana\")");

    mostra_e_confere("definir 2CCCCCCPPPPPD", DefinirEtiqueta_("2cccccCPPPPPD"), "OK");
    mostra_e_confere("verificar 2CCCCCCPPPPPD", VerificarItens_(),
                     "aviso: produtos[4] (c\xf3" "digo 5), ValorVenda: 89.9 por kg n\xe3o cabe no campo do pre\xe7o da "
                     "etiqueta 2CCCCCCPPPPPD (5 d\xedgitos, at\xe9 999.99) a partir de 11124 g (o peso m\xe1ximo da "
                     "balan\xe7" "a \xe9 15000 g)");

    mostra_e_confere("definir formato invalido", DefinirEtiqueta_("2CCCCCVPPPPPPD"),
                     "Formato de etiqueta inv\xe1lido \"2CCCCCVPPPPPPD\": o formato tem 14 caracteres; s\xe3o 13, um por "
                     "d\xedgito do EAN-13 (como 2CCCCCCPPPPPD).");
    /* The layout set before stays. */
    mostra_e_confere("verificar depois do invalido", VerificarItens_(),
                     "aviso: produtos[4] (c\xf3" "digo 5), ValorVenda: 89.9 por kg n\xe3o cabe no campo do pre\xe7o da "
                     "etiqueta 2CCCCCCPPPPPD (5 d\xedgitos, at\xe9 999.99) a partir de 11124 g (o peso m\xe1ximo da "
                     "balan\xe7" "a \xe9 15000 g)");
    mostra_e_confere("remover a etiqueta", DefinirEtiqueta_(""), "OK");
    mostra_e_confere("verificar sem etiqueta de novo", VerificarItens_(), "OK");
    mostra_e_confere("remover com nulo", DefinirEtiqueta_(NULL), "OK");
    confere_texto("limpar no fim", LimparItems_(), "OK");
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "uso: %s biblioteca\n", argv[0]);
        return 2;
    }
#ifdef _WIN32
    /* The texts as they are: no CR added before each LF. */
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    /* What apoio_host.h has for the other hosts. */
    (void)le_arquivo;
    (void)prepara_trabalho;
    if (!carrega_funcoes(argv[1])) return 2;
    DecodificarEtiqueta_ = (FnDecodificarEtiqueta)funcao("DecodificarEtiqueta", 14);
    DefinirEtiqueta_ = (FnTexto)funcao("DefinirEtiqueta", 15);
    if (!DecodificarEtiqueta_ || !DefinirEtiqueta_) {
        fprintf(stderr, "DecodificarEtiqueta ou DefinirEtiqueta ausente\n");
        return 2;
    }
#if defined(__i386__)
    confere_convencao();
#endif
    casos_decodificar();
    casos_definir();
    /* Apart from the texts: on Windows the lookups by ordinal count too. */
    fprintf(stderr, "host_etiqueta: %d passed, %d failed\n", passaram, falharam);
    return falharam ? 1 : 0;
}
