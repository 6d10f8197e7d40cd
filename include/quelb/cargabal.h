/*
 * quelbcargabal: product-load files for retail weighing scales.
 *
 * The host selects the scale model, adds its products one by one and asks
 * for the load files of a directory. Every text, in and out, is 8-bit in the
 * ANSI code page of the system (Windows-1252 on Linux). The load files are
 * in that code page when it has one byte per character, and in Windows-1252
 * when it has more (UTF-8, the double-byte code pages), since the scale
 * loaders read fixed-width single-byte records.
 *
 * Result of every function: "OK" on success, otherwise the message of the
 * failure (Versao, ArquivosGerados and DecodificarEtiqueta return their text
 * instead). The
 * returned text belongs to the library: it stays valid until the same
 * thread's next call of any of these functions (or until the library is
 * unloaded). Copy it if you need it longer; never free it.
 *
 * Threads: every function except Versao takes one lock of the library for
 * its whole call, so calls from several threads run one after the other (a
 * GerarArquivos holds it until the files are written). Each thread has its
 * own returned text. The progress callback runs on the thread that called
 * GerarArquivos, which holds the lock, so it may call any function (see
 * QuelbProgresso for what each does there). A callback that waits for
 * another thread which is calling into the library (or is about to) waits
 * forever: that thread waits for the lock that the callback's thread holds.
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

/* The progress callback (DefinirProgresso): the event's message in the ANSI
 * code page (valid during the call only), its position and the total.
 * Return 0 to go on; any other value cancels the generation.
 *
 * The callback must return to the library. To stop the generation, return
 * a nonzero value. An exception of the host's language (a Delphi or C#
 * exception, a C++ exception of another compiler), a longjmp or anything
 * else that leaves the callback without returning is not allowed: it skips
 * the library's cleanup, so that the library's lock and the folder's lock
 * stay held and every later generation is refused or waits. Catch
 * everything inside the callback. (A C++ exception of the compiler that
 * built the library is caught: GerarArquivos returns its message.)
 *
 * From the callback the host may call VerificarItens, ArquivosGerados,
 * Versao and DefinirProgresso, which leave the generation going;
 * Inicializar, LimparItems, AdicionarItem, DefinirCampo and
 * CarregarCatalogo, which stop it with nothing written; GerarArquivos fails
 * at once. */
typedef int32_t(QUELB_CALL* QuelbProgresso)(const char* Mensagem, int32_t Atual, int32_t Total);

/* Selects the model: "modFilizola" (the default), "modToledo", "modUrano",
 * "modUranoS", "modToledoMGV5", "modToledoMGV6", "modUranoURF32",
 * "modRamuza", "modToledoMGV5Ver1" or "modToledoMGV7" (exact text). Keeps the products
 * already added. Call it before the other functions. Takes the lock; from
 * the progress callback it stops the generation under way. */
const char* QUELB_CALL Inicializar(const char* Modelo);

/* Removes every product. Takes the lock. Called from the progress callback,
 * it stops the generation under way, as AdicionarItem, DefinirCampo,
 * CarregarCatalogo and Inicializar do: GerarArquivos then returns the message
 * that the products changed during the generation and no file was written. */
const char* QUELB_CALL LimparItems(void);

/* Appends one product. Integer texts accept leading spaces, a sign, decimal
 * digits or a "$", "x" or "0x" hexadecimal prefix. Validade and Tecla may be
 * empty or null (then 0). ModeloEtiqueta and Validade take -32768 to 32767:
 * a value outside is refused, as DefinirCampo refuses it. TipoVenda:
 * "tpvPeso", "tpvUnidade", "tpvEAN13" or
 * "tpvEAN13Und". The price is in currency units.
 *
 * Reservado is a slot that the library ignores: pass 0. It is a 32-bit
 * integer, which takes the same 4 bytes as a pointer on 32-bit Windows; on
 * 64-bit ABIs it travels in a register or an 8-byte stack slot either way,
 * so hosts that declare it as a pointer work too.
 *
 * On failure the product stays in the list with the fields set before the
 * failing one. Takes the lock; from the progress callback it stops the
 * generation under way. */
const char* QUELB_CALL AdicionarItem(const char* ModeloEtiqueta, const char* TipoVenda,
                                     const char* Codigo, const char* Descricao,
                                     const char* Validade, int32_t Reservado, const char* Tecla,
                                     const char* SetorCodigo, const char* SetorDescricao,
                                     double ValorVenda);

/* Writes the load files of the selected model into Diretorio (which must
 * exist), replacing files of the same names: all of them, or none when the
 * generation fails (the item file is replaced last). While another
 * generation writes into the same folder it waits up to 10 seconds, then
 * fails with a message that names the folder. Holds the lock until it ends.
 * With a progress callback (DefinirProgresso), a nonzero return from it
 * before the files are saved stops the generation: no file is replaced and
 * the result is the message that the generation was cancelled and no file
 * was written. Called from the progress callback, it fails at once. */
const char* QUELB_CALL GerarArquivos(const char* Diretorio);

/* Checks the products against the selected model before anything is
 * written: "OK" when the files would keep every value, otherwise the
 * findings, one per line (CR LF between lines), each starting with "erro:"
 * (the file would change what a value means: a code or price cut, two
 * products with one code, a line break inside a text...) or "aviso:" (a
 * value less exact, or a property the model does not keep). With a label
 * layout set (DefinirEtiqueta), every product that the scale labels with a
 * bar code is held against it too. At most 1000
 * lines, then one that says how many more. Writes nothing. Takes the lock;
 * may be called from the progress callback. */
const char* QUELB_CALL VerificarItens(void);

/* The library's version, such as "1.1.0" (major.minor.patch): a constant
 * text, valid as long as the library is loaded; takes no lock. */
const char* QUELB_CALL Versao(void);

/* Appends the products of a catalogue file, JSON or CSV (the format of
 * docs/formato-catalogo.md), to those already added: all of them, or none
 * when the file has any error. The result is "OK" or the errors, one per
 * line, each with its place in the file ("linha 17, coluna ValorVenda: ..."),
 * at most 50 and then how many more. Call Inicializar first. Takes the lock;
 * from the progress callback it stops the generation under way. */
const char* QUELB_CALL CarregarCatalogo(const char* Caminho);

/* Sets one property of the product added last, named by its path in the
 * catalogue format of docs/formato-catalogo.md ("Nutricional.Qtd",
 * "InformacaoExtra.Receita", "Tara.Valor", "TipoValidade"...; letter case
 * and accents do not count), from the text Valor by that format's rules for
 * JSON texts: integers within the property's range ("30", "-5"), exact
 * decimals with a point or a comma ("12.5", "0,015"), enumeration names with
 * or without their prefix ("tpGramas", "gramas"), "sim"/"nao" or "1"/"0" for
 * the yes/no properties, texts as they are. On failure (an unknown name, a
 * value the property does not take, no product yet) the message names the
 * property and the value, and nothing changes. Takes the lock; from the
 * progress callback it stops the generation under way. */
const char* QUELB_CALL DefinirCampo(const char* Nome, const char* Valor);

/* The full paths of the files that the latest GerarArquivos wrote, in the
 * order they were saved, CR LF between them (none after the last). Empty
 * before any generation, and after one that wrote nothing. Takes the lock;
 * may be called from the progress callback. */
const char* QUELB_CALL ArquivosGerados(void);

/* Registers the callback of the progress events of the following
 * generations, or removes it (null). The events of a generation of N
 * products: the start (0, N), one per product "Gerando produto 000042 ..."
 * (0 to N-1, N), and "Terminado" (N, N)
 * after the files are saved, whose return is ignored. Returns "OK". Takes
 * the lock; from the progress callback it changes the callback of the events
 * that follow. */
const char* QUELB_CALL DefinirProgresso(QuelbProgresso Funcao);

/* The scale's in-store EAN-13 labels. A layout is 13 characters, one per
 * digit, as scale and point-of-sale manuals write it: a digit is fixed (the
 * prefix "2" or "20"), C the item code, P the label's total price in cents,
 * W the weight in grams, Q a count of units, V the GS1 verifier digit of the
 * 4- or 5-digit P or W field right after it, D the EAN-13 check digit (the
 * last): "2CCCCCCPPPPPD", "2CCCCCCWWWWWD", "2CCCCPPPPPPPD", "20CCCCCWWWWWD",
 * "2CCCCCVPPPPPD". Letters in any case.
 *
 * DecodificarEtiqueta reads the 13 digits of Codigo by the layout Formato as
 * the till must: "codigo=149;preco=2.84" (price in currency units, 2
 * decimals), "codigo=10085;peso=2.504" (kilograms, 3 decimals),
 * "codigo=7;quantidade=3", or a line starting "erro:" (not 13 digits, a
 * wrong check digit, a wrong verifier digit, a prefix or fixed digit that is
 * not the layout's, a malformed layout). Needs no Inicializar. Takes the
 * lock; may be called from the progress callback. */
const char* QUELB_CALL DecodificarEtiqueta(const char* Codigo, const char* Formato);

/* Sets the label layout of the scale, or removes it (null or empty): with a
 * layout, VerificarItens also holds every product that the scale labels with
 * a bar code (by weight, EAN-13 by weight, EAN-13 by unit, as the model
 * writes the sale type) against it: a code wider than the C field is an
 * "erro:" (the till would read another code; the line says which product it
 * would find), and so are two products whose codes would read the same; a
 * price per kilogram with which a label of 15 kg would not fit the P field is
 * an "aviso:", with the weight from which it would not. "OK", or the message
 * that says why the layout is malformed (nothing changes then). Call
 * Inicializar first; the layout stays across Inicializar and LimparItems.
 * Takes the lock. */
const char* QUELB_CALL DefinirEtiqueta(const char* Formato);

#ifdef __cplusplus
}
#endif

#endif /* QUELB_CARGABAL_H */
