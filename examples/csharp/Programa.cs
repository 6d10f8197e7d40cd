// Sends three products to Filizola scales and shows the library's answer.
//
//   Programa <load directory>
using System;
using Quelb;

public static class Programa
{
    public static int Main(string[] args)
    {
        if (args.Length != 1)
        {
            Console.Error.WriteLine("uso: Programa <diretório da carga>");
            return 2;
        }
        try
        {
            QuelbCargaBal.Inicializar("modFilizola");
            QuelbCargaBal.LimparItems();
            QuelbCargaBal.AdicionarItem(1, "BANANA PRATA", "tpvPeso", 4.99, validade: 3, tecla: 1,
                                        setorCodigo: 1, setorDescricao: "HORTIFRUTI");
            QuelbCargaBal.AdicionarItem(2, "MAÇÃ FUJI", "tpvPeso", 8.49, validade: 5, tecla: 2,
                                        setorCodigo: 1, setorDescricao: "HORTIFRUTI");
            QuelbCargaBal.AdicionarItem(3, "PÃO FRANCÊS", "tpvUnidade", 0.75, validade: 1,
                                        setorCodigo: 2, setorDescricao: "PADARIA");
            QuelbCargaBal.GerarArquivos(args[0]);
            Console.WriteLine("Arquivos de carga gerados em " + args[0]);
            return 0;
        }
        catch (ErroCargaBal erro)
        {
            Console.Error.WriteLine(erro.Funcao + ": " + erro.Message);
            return 1;
        }
    }
}
