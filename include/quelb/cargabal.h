/*
 * quelbcargabal: product-load files for retail weighing scales.
 *
 * The host selects the scale model, adds its products one by one and asks
 * for the load files of a directory. Every text, in and out, is 8-bit in the
 * ANSI code page of the system (Windows-1252 on Linux).
 *
 * Result of every function: "OK" on success, otherwise the message of the
 * failure (Versao returns the version instead). The returned text belongs
 * to the library: it stays valid until the next call of any of these
 * functions (or until the library is unloaded). Copy it if you need it
 * longer; never free it.
 *
 * Call the library from one thread at a time.
 */
#ifndef QUELB_CARGABAL_H
#define QUELB_CARGABAL_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define QUELB_CALL __stdcall
#else
#define QUELB_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Selects the model: "modFilizola" (the default), "modToledo", "modUrano",
 * "modUranoS", "modToledoMGV5", "modToledoMGV6", "modUranoURF32",
 * "modRamuza", "modToledoMGV5Ver1" or "modToledoMGV7" (exact text). Keeps the products
 * already added. Call it before the other functions. */
const char* QUELB_CALL Inicializar(const char* Modelo);

/* Removes every product. */
const char* QUELB_CALL LimparItems(void);

/* Appends one product. Integer texts accept leading spaces, a sign, decimal
 * digits or a "$", "x" or "0x" hexadecimal prefix. Validade and Tecla may be
 * empty or null (then 0). TipoVenda: "tpvPeso", "tpvUnidade", "tpvEAN13" or
 * "tpvEAN13Und". The price is in currency units.
 *
 * Reservado is a slot that the library ignores: pass 0. It is a 32-bit
 * integer, which takes the same 4 bytes as a pointer on 32-bit Windows; on
 * 64-bit ABIs it travels in a register or an 8-byte stack slot either way,
 * so hosts that declare it as a pointer work too.
 *
 * On failure the product stays in the list with the fields set before the
 * failing one. */
const char* QUELB_CALL AdicionarItem(const char* ModeloEtiqueta, const char* TipoVenda,
                                     const char* Codigo, const char* Descricao,
                                     const char* Validade, int32_t Reservado, const char* Tecla,
                                     const char* SetorCodigo, const char* SetorDescricao,
                                     double ValorVenda);

/* Writes the load files of the selected model into Diretorio (which must
 * exist), replacing files of the same names: all of them, or none when the
 * generation fails (the item file is replaced last). While another
 * generation writes into the same folder it waits up to 10 seconds, then
 * fails with a message that names the folder. */
const char* QUELB_CALL GerarArquivos(const char* Diretorio);

/* Checks the products against the selected model before anything is
 * written: "OK" when the files would keep every value, otherwise the
 * findings, one per line (CR LF between lines), each starting with "erro:"
 * (the file would change what a value means: a code or price cut, two
 * products with one code, a line break inside a text...) or "aviso:" (a
 * value less exact, or a property the model does not keep). At most 1000
 * lines, then one that says how many more. Writes nothing. */
const char* QUELB_CALL VerificarItens(void);

/* The library's version, such as "1.1.0" (major.minor.patch). */
const char* QUELB_CALL Versao(void);

/* Appends the products of a catalogue file, JSON or CSV (the format of
 * docs/formato-catalogo.md), to those already added: all of them, or none
 * when the file has any error. The result is "OK" or the errors, one per
 * line, each with its place in the file ("linha 17, coluna ValorVenda: ..."),
 * at most 50 and then how many more. Call Inicializar first. */
const char* QUELB_CALL CarregarCatalogo(const char* Caminho);

#ifdef __cplusplus
}
#endif

#endif /* QUELB_CARGABAL_H */
