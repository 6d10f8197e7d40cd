// Sends three products to Toledo MGV6 scales, the last one with its
// nutrition facts and its ingredients, and shows the nutrition file
// (INFNUTRI.TXT) and the extra-information file (TXINFO.TXT) it gets.
//
//   Programa <load directory>
//
// The texts carry no accents: Mono on Linux hands ANSI texts over as UTF-8,
// while the library reads them in Windows-1252 (on Windows both are the ANSI
// code page and accents travel as they are).
using System;
using System.IO;
using Quelb;

public static class Programa
{
    public static int Main(string[] args)
    {
        if (args.Length != 1)
        {
            Console.Error.WriteLine("uso: Programa <diretorio da carga>");
            return 2;
        }
        try
        {
            QuelbCargaBal.Inicializar("modToledoMGV6");
            QuelbCargaBal.LimparItems();
            QuelbCargaBal.AdicionarItem(1, "BANANA PRATA", "tpvPeso", 4.99, validade: 3, tecla: 1,
                                        setorCodigo: 1, setorDescricao: "HORTIFRUTI");
            QuelbCargaBal.AdicionarItem(2, "MACA FUJI", "tpvPeso", 8.49, validade: 5, tecla: 2,
                                        setorCodigo: 1, setorDescricao: "HORTIFRUTI");
            QuelbCargaBal.AdicionarItem(3, "PAO FRANCES", "tpvPeso", 16.90, validade: 1,
                                        setorCodigo: 2, setorDescricao: "PADARIA");
            // DefinirCampo: one property of the product added last, by its
            // catalogue path, from a text as in a catalogue file.
            string[,] nutricao =
            {
                { "Nutricional.Codigo", "3" }, { "Nutricional.Qtd", "50" },
                { "Nutricional.UndPorcao", "tpGramas" }, { "Nutricional.PartInteira", "1" },
                { "Nutricional.MedCaseira", "tpUnidade" }, { "Nutricional.ValorEnergetico", "135" },
                { "Nutricional.Carboidrato", "28,0" }, { "Nutricional.Proteina", "4.5" },
                { "Nutricional.GorduraTotal", "0,7" }, { "Nutricional.Sodio", "324" },
                { "InformacaoExtra.Receita", "Farinha de trigo, agua, sal e fermento." },
            };
            for (int i = 0; i < nutricao.GetLength(0); i++)
                QuelbCargaBal.DefinirCampo(nutricao[i, 0], nutricao[i, 1]);

            QuelbCargaBal.DefinirProgresso((mensagem, atual, total) =>
            {
                Console.WriteLine("  [" + atual + "/" + total + "] " + mensagem);
                return false;  // true would cancel before any file is replaced
            });
            QuelbCargaBal.GerarArquivos(args[0]);
            QuelbCargaBal.DefinirProgresso(null);

            Console.WriteLine("Arquivos de carga gerados (quelbcargabal " + QuelbCargaBal.Versao() + "):");
            foreach (string caminho in QuelbCargaBal.ArquivosGerados())
                Console.WriteLine("  " + caminho);
            foreach (string nome in new[] { "INFNUTRI.TXT", "TXINFO.TXT" })
            {
                Console.WriteLine(nome + ":");
                foreach (string linha in File.ReadAllLines(Path.Combine(args[0], nome)))
                    Console.WriteLine("  " + linha.TrimEnd());
            }

            // A scale label read as the till must read it, and the check of
            // the products against the scale's label layout.
            Console.WriteLine("Etiqueta 2014900002840 (2CCCCPPPPPPPD): " +
                              QuelbCargaBal.DecodificarEtiqueta("2014900002840", "2CCCCPPPPPPPD"));
            QuelbCargaBal.DefinirEtiqueta("2CCCCPPPPPPPD");
            Console.WriteLine("VerificarItens com a etiqueta: " + QuelbCargaBal.VerificarItens());
            QuelbCargaBal.DefinirEtiqueta(null);
            return 0;
        }
        catch (ErroCargaBal erro)
        {
            Console.Error.WriteLine(erro.Funcao + ": " + erro.Message);
            return 1;
        }
    }
}
