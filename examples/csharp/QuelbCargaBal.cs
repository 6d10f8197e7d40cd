// Declarations of the functions of the quelbcargabal library for .NET,
// and a thin wrapper that turns a failure text into an exception.
//
// Every function returns "OK" or the message of the failure, as an ANSI text
// that belongs to the library and stays valid only until the same thread's
// next call: it is read as IntPtr and copied at once with
// Marshal.PtrToStringAnsi, so the marshaller never tries to free it. Calls
// from several threads run one at a time (the library locks).
using System;
using System.Globalization;
using System.Runtime.InteropServices;

namespace Quelb
{
    public static class QuelbCargaBalNativo
    {
        // quelbcargabal.dll on Windows, libquelbcargabal.so elsewhere.
        private const string Biblioteca = "quelbcargabal";

        // The progress callback: the event's message (ANSI, valid during the
        // call only), its position and the total. A nonzero result cancels
        // the generation before any file is replaced.
        [UnmanagedFunctionPointer(CallingConvention.StdCall)]
        public delegate int QuelbProgresso(IntPtr mensagem, int atual, int total);

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

        // Sets one property of the product added last, named by its catalogue
        // path ("Nutricional.Qtd", "InformacaoExtra.Receita", "Tara.Valor"...),
        // from a text: integers, decimals with a point or a comma, enumeration
        // names, "sim"/"nao". On failure nothing changes.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr DefinirCampo(string nome, string valor);

        // The full paths of the files the latest generation wrote, CR LF
        // between them; empty before any generation.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr ArquivosGerados();

        // Registers the progress callback of the next generations (null
        // removes it). Keep the delegate alive while it is registered.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr DefinirProgresso(QuelbProgresso funcao);

        // Reads the 13 digits of a scale label by a layout ("2CCCCCCPPPPPD"...)
        // as the till must: "codigo=149;preco=2.84", "codigo=10085;peso=2.504",
        // "codigo=7;quantidade=3", or a text starting "erro:".
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr DecodificarEtiqueta(string codigo, string formato);

        // Sets the scale's label layout (null or empty removes it):
        // VerificarItens then holds every product labelled with a bar code
        // against it.
        [DllImport(Biblioteca, CallingConvention = CallingConvention.StdCall, CharSet = CharSet.Ansi,
                   ExactSpelling = true)]
        public static extern IntPtr DefinirEtiqueta(string formato);
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

        public static void DefinirCampo(string nome, string valor) =>
            Conferir("DefinirCampo", QuelbCargaBalNativo.DefinirCampo(nome, valor));

        public static string[] ArquivosGerados()
        {
            string texto = Marshal.PtrToStringAnsi(QuelbCargaBalNativo.ArquivosGerados()) ?? "";
            return texto.Length == 0 ? new string[0] : texto.Split(new[] { "\r\n" }, StringSplitOptions.None);
        }

        // What the till reads from a scale label: "codigo=149;preco=2.84"...;
        // a label that does not read, or a malformed layout, throws
        // ErroCargaBal with the reason.
        public static string DecodificarEtiqueta(string codigo, string formato)
        {
            string texto = Marshal.PtrToStringAnsi(QuelbCargaBalNativo.DecodificarEtiqueta(codigo, formato)) ?? "";
            if (texto.StartsWith("erro:", StringComparison.Ordinal))
                throw new ErroCargaBal("DecodificarEtiqueta", texto);
            return texto;
        }

        public static void DefinirEtiqueta(string formato) =>
            Conferir("DefinirEtiqueta", QuelbCargaBalNativo.DefinirEtiqueta(formato));

        // The delegate registered in the library: kept here so that the
        // garbage collector leaves it alone (it is only written).
#pragma warning disable 0414
        private static QuelbCargaBalNativo.QuelbProgresso progresso;
#pragma warning restore 0414

        // funcao(mensagem, atual, total) at each progress event of the next
        // generations; true cancels. Null removes it.
        public static void DefinirProgresso(Func<string, int, int, bool> funcao)
        {
            QuelbCargaBalNativo.QuelbProgresso nativo = null;
            if (funcao != null)
                nativo = (mensagem, atual, total) =>
                    funcao(Marshal.PtrToStringAnsi(mensagem) ?? "", atual, total) ? 1 : 0;
            Conferir("DefinirProgresso", QuelbCargaBalNativo.DefinirProgresso(nativo));
            progresso = nativo;
        }
    }
}
