// Declarations of the functions of the quelbcargabal library for .NET,
// and a thin wrapper that turns a failure text into an exception.
//
// Every function returns "OK" or the message of the failure, as an ANSI text
// that belongs to the library and stays valid only until the next call: it
// is read as IntPtr and copied at once with Marshal.PtrToStringAnsi, so the
// marshaller never tries to free it.
using System;
using System.Globalization;
using System.Runtime.InteropServices;

namespace Quelb
{
    public static class QuelbCargaBalNativo
    {
        // quelbcargabal.dll on Windows, libquelbcargabal.so elsewhere.
        private const string Biblioteca = "quelbcargabal";

        // Modelo: "modFilizola", "modToledo", "modUrano", "modUranoS",
        // "modToledoMGV5", "modToledoMGV6", "modUranoURF32", "modRamuza",
        // "modToledoMGV5Ver1" or "modToledoMGV7". Keeps the products already added.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr Inicializar(string modelo);

        // Removes every product.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr LimparItems();

        // Integer texts: modeloEtiqueta, codigo, validade, tecla, setorCodigo
        // (validade and tecla may be null). tipoVenda: "tpvPeso",
        // "tpvUnidade", "tpvEAN13" or "tpvEAN13Und". reservado is ignored:
        // pass 0. valorVenda is the price in reais.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr AdicionarItem(string modeloEtiqueta, string tipoVenda, string codigo,
                                                  string descricao, string validade, int reservado,
                                                  string tecla, string setorCodigo, string setorDescricao,
                                                  double valorVenda);

        // Writes the load files of the selected model into an existing directory.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr GerarArquivos(string diretorio);

        // Checks the products against the selected model before anything is
        // written: "OK", or the findings ("erro: ...", "aviso: ..."), one per line.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr VerificarItens();

        // The library's version, such as "1.1.0".
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr Versao();

        // Appends the products of a JSON or CSV catalogue file: all, or none on
        // any error (the result then lists the errors, one per line).
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr CarregarCatalogo(string caminho);
    }

    // A call that did not return "OK"; Message is the library's text.
    public class ErroCargaBal : Exception
    {
        public ErroCargaBal(string funcao, string mensagem) : base(mensagem)
        {
            Funcao = funcao;
        }

        public string Funcao { get; }
    }

    public static class QuelbCargaBal
    {
        private static void Conferir(string funcao, IntPtr resultado)
        {
            string texto = Marshal.PtrToStringAnsi(resultado) ?? "";
            if (texto != "OK")
                throw new ErroCargaBal(funcao, texto);
        }

        public static void Inicializar(string modelo) =>
            Conferir("Inicializar", QuelbCargaBalNativo.Inicializar(modelo));

        public static void LimparItems() =>
            Conferir("LimparItems", QuelbCargaBalNativo.LimparItems());

        // The integers travel as invariant-culture texts; a null validade or
        // tecla travels as a null pointer (the library then stores 0).
        public static void AdicionarItem(int codigo, string descricao, string tipoVenda, double valorVenda,
                                         int modeloEtiqueta = 0, int? validade = null, int? tecla = null,
                                         int setorCodigo = 0, string setorDescricao = "") =>
            Conferir("AdicionarItem", QuelbCargaBalNativo.AdicionarItem(
                Texto(modeloEtiqueta), tipoVenda, Texto(codigo), descricao,
                validade.HasValue ? Texto(validade.Value) : null, 0,
                tecla.HasValue ? Texto(tecla.Value) : null, Texto(setorCodigo), setorDescricao, valorVenda));

        private static string Texto(int valor) => valor.ToString(CultureInfo.InvariantCulture);

        public static void GerarArquivos(string diretorio) =>
            Conferir("GerarArquivos", QuelbCargaBalNativo.GerarArquivos(diretorio));

        // The findings of the check, one per line; "OK" when there are none.
        public static string VerificarItens() => Marshal.PtrToStringAnsi(QuelbCargaBalNativo.VerificarItens()) ?? "";

        public static string Versao() => Marshal.PtrToStringAnsi(QuelbCargaBalNativo.Versao()) ?? "";

        public static void CarregarCatalogo(string caminho) =>
            Conferir("CarregarCatalogo", QuelbCargaBalNativo.CarregarCatalogo(caminho));
    }
}
