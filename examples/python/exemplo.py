"""Exemplo: envia os produtos de uma loja para balanças Filizola, Toledo MGV5 e
Toledo MGV6 (com informação nutricional e ingredientes) e confere os arquivos
gerados e os textos de erro.

    python3 exemplo.py <diretório da carga> [--biblioteca caminho/da/biblioteca]

Termina com código 0 quando todas as conferências passam.
"""
import argparse
import os
import re
import sys
from decimal import Decimal

from quelbcargabal import CargaBal, ErroCargaBal

# code, description, sale type, price, shelf life, key, sector code, sector name
PRODUTOS = [
    (1, "BANANA PRATA", "tpvPeso", 4.99, 3, 1, 1, "HORTIFRUTI"),
    (2, "MAÇÃ FUJI", "tpvPeso", Decimal("8.49"), 5, 2, 1, "HORTIFRUTI"),
    (3, "PÃO FRANCÊS", "tpvUnidade", 0.75, 1, None, 2, "PADARIA"),
    (4, "CAFÉ ☕ TORRADO", "tpvUnidade", 18.90, None, None, 2, "PADARIA"),
    (5, "BOLO DE FUBÁ", "tpvUnidade", 12, None, None, 0, ""),
]


def linhas(caminho):
    """The lines of a load file, decoded; every line must end with CR LF."""
    with open(caminho, "rb") as arquivo:
        dados = arquivo.read()
    assert dados.endswith(b"\r\n"), f"{caminho}: a última linha não termina com CR LF"
    partes = dados[:-2].split(b"\r\n")
    assert all(b"\n" not in p and b"\r" not in p for p in partes), f"{caminho}: quebra de linha solta"
    return [p.decode("cp1252") for p in partes]


def adicionar_produtos(carga):
    carga.limpar_itens()
    for codigo, descricao, tipo, preco, validade, tecla, setor, nome_setor in PRODUTOS:
        carga.adicionar_item(codigo=codigo, descricao=descricao, tipo_venda=tipo, valor_venda=preco,
                             validade=validade, tecla=tecla, setor_codigo=setor,
                             setor_descricao=nome_setor)


def conferir_filizola(carga, diretorio):
    carga.inicializar("modFilizola")
    adicionar_produtos(carga)
    carga.gerar_arquivos(diretorio)

    cadastro = linhas(os.path.join(diretorio, "CADTXT.TXT"))
    assert len(cadastro) == len(PRODUTOS)
    assert all(len(linha) == 39 for linha in cadastro)
    assert cadastro[1] == "000002PMAÇÃ FUJI             0000849005", cadastro[1]
    # A character that Windows-1252 lacks arrives as "?".
    assert cadastro[3] == "000004UCAFÉ ? TORRADO        0001890000", cadastro[3]
    assert cadastro[4] == "000005UBOLO DE FUBÁ          0001200000", cadastro[4]

    # One line per product with a sector name or a key: not the last one.
    setores = linhas(os.path.join(diretorio, "SETORTXT.TXT"))
    assert setores == [
        "HORTIFRUTI  0000010001001",
        "HORTIFRUTI  0000020002002",
        "PADARIA     0000030003000",
        "PADARIA     0000040004000",
    ], setores
    print("ok   Filizola: CADTXT.TXT e SETORTXT.TXT")


def conferir_toledo_mgv5(carga, diretorio):
    carga.inicializar("modToledoMGV5")  # the products stay
    carga.gerar_arquivos(diretorio)

    itens = linhas(os.path.join(diretorio, "ITENSMGV.TXT"))
    assert len(itens) == len(PRODUTOS)
    assert all(len(linha) == 150 for linha in itens)
    for linha, (codigo, descricao, _, _, _, _, setor, _) in zip(itens, PRODUTOS):
        assert linha[0:2] == f"{setor:02d}", linha
        assert linha[3:9] == f"{codigo:06d}", linha
        assert linha[18:68] == descricao.replace("☕", "?").ljust(50), linha
    assert itens[1][9:18] == "000849005", itens[1]

    # One department per sector code above 0, each once.
    assert linhas(os.path.join(diretorio, "DEPTO.TXT")) == ["01" + "HORTIFRUTI".ljust(40),
                                                           "02" + "PADARIA".ljust(40)]
    print("ok   Toledo MGV5: ITENSMGV.TXT e DEPTO.TXT")


# The nutrition facts and the ingredients of one product, by catalogue path.
NUTRICAO = {
    "Nutricional.Codigo": 2, "Nutricional.Qtd": 50, "Nutricional.UndPorcao": "tpGramas",
    "Nutricional.PartInteira": 1, "Nutricional.MedCaseira": "tpUnidade",
    "Nutricional.ValorEnergetico": 135, "Nutricional.Carboidrato": Decimal("28.0"),
    "Nutricional.Proteina": "4,5", "Nutricional.GorduraTotal": Decimal("0.7"), "Nutricional.Sodio": 324,
    "InformacaoExtra.Receita": "Farinha de trigo, água, sal e fermento.",
}


def conferir_nutricao_mgv6(carga, diretorio):
    carga.inicializar("modToledoMGV6")
    carga.limpar_itens()
    carga.adicionar_item(codigo=2, descricao="PÃO FRANCÊS", valor_venda=Decimal("16.90"), validade=1,
                         setor_codigo=2, setor_descricao="PADARIA")
    for nome, valor in NUTRICAO.items():
        carga.definir_campo(nome, valor)  # the product added last
    try:
        carga.definir_campo("Nutricional.Qtd", "cinquenta")
        raise AssertionError("DefinirCampo aceitou um inteiro inválido")
    except ErroCargaBal as erro:
        assert erro.mensagem == 'Nutricional.Qtd: esperado inteiro de 32 bits, encontrado "cinquenta".', erro

    # A callback that answers True cancels before any file is replaced.
    carga.definir_progresso(lambda mensagem, atual, total: mensagem.startswith("Gerando"))
    try:
        carga.gerar_arquivos(diretorio)
        raise AssertionError("a geração não foi cancelada")
    except ErroCargaBal as erro:
        assert "cancelada" in erro.mensagem, erro
    # Nothing in the folder: not even the lock file, which goes with the generation.
    assert os.listdir(diretorio) == [], os.listdir(diretorio)

    eventos = []
    carga.definir_progresso(lambda mensagem, atual, total: eventos.append((mensagem, atual, total)))
    carga.gerar_arquivos(diretorio)
    carga.definir_progresso(None)
    assert eventos == [("Iniciando a geração dos arquivos", 0, 1), ("Gerando produto 000002 PÃO FRANCÊS", 0, 1),
                       ("Terminado", 1, 1)], eventos
    assert carga.arquivos_gerados() == [os.path.join(diretorio, nome) for nome in
                                        ("ITENSMGV.TXT", "DEPTO.TXT", "TXINFO.TXT", "INFNUTRI.TXT")]

    infnutri = linhas(os.path.join(diretorio, "INFNUTRI.TXT"))
    assert infnutri == ["N00000200500010050135028004500700000000003240"], infnutri
    txinfo = linhas(os.path.join(diretorio, "TXINFO.TXT"))
    assert txinfo[0].rstrip() == "000002" + " " * 100 + NUTRICAO["InformacaoExtra.Receita"], txinfo
    print("ok   Toledo MGV6: INFNUTRI.TXT e TXINFO.TXT")
    print("     INFNUTRI.TXT:", infnutri[0])
    print("     TXINFO.TXT:  ", txinfo[0].rstrip())


def conferir_erros(carga, diretorio):
    # The library's texts are Windows-1252: "ã" is the single byte E3.
    try:
        carga.gerar_arquivos(os.path.join(diretorio, "nao-existe"))
        raise AssertionError("GerarArquivos aceitou um diretório que não existe")
    except ErroCargaBal as erro:
        assert erro.funcao == "GerarArquivos"
        assert erro.bruto == b"Diretorio informado n\xe3o existe!", erro.bruto
        assert erro.mensagem == "Diretorio informado não existe!"

    try:
        carga.inicializar("modtoledo")  # names are compared exactly
        raise AssertionError("Inicializar aceitou um modelo desconhecido")
    except ErroCargaBal as erro:
        assert erro.funcao == "Inicializar" and erro.mensagem, erro

    carga.limpar_itens()
    try:
        carga.adicionar_item(codigo="abc", descricao="ERRADO")
        raise AssertionError("AdicionarItem aceitou o código abc")
    except ErroCargaBal as erro:
        assert erro.mensagem == "'abc' is not a valid integer value", erro.mensagem

    try:
        carga.adicionar_item(codigo=1.5, descricao="ERRADO")
        raise AssertionError("adicionar_item aceitou um código fracionário")
    except TypeError:
        pass

    carga.limpar_itens()
    try:
        carga.gerar_arquivos(diretorio)
        raise AssertionError("GerarArquivos aceitou uma lista vazia")
    except ErroCargaBal as erro:
        assert erro.mensagem == "Não foram informados os produtos para a geração!", erro.mensagem
    print("ok   textos de erro")


def conferir_etiquetas(carga):
    # The labels of the shared layouts, read as the till must read them.
    assert carga.decodificar_etiqueta("2014900002840", "2CCCCPPPPPPPD") == {"codigo": 149, "preco": Decimal("2.84")}
    assert carga.decodificar_etiqueta("2010085025049", "2CCCCCCWWWWWD") == {"codigo": 10085,
                                                                            "peso": Decimal("2.504")}
    try:
        carga.decodificar_etiqueta("2010085025048", "2CCCCCCWWWWWD")
        raise AssertionError("uma etiqueta com o dígito verificador errado foi lida")
    except ErroCargaBal as erro:
        assert erro.mensagem.startswith("erro: o dígito verificador do EAN-13 é 8"), erro.mensagem

    # A code wider than the label's four digits reads as another product's.
    carga.inicializar("modToledoMGV6")
    carga.limpar_itens()
    carga.adicionar_item(codigo=149, descricao="BANANA PRATA", valor_venda=4.99, setor_codigo=1)
    carga.adicionar_item(codigo=10149, descricao="PICANHA", valor_venda=89.9, setor_codigo=1)
    carga.definir_etiqueta("2CCCCPPPPPPPD")
    achados = carga.verificar_itens()
    assert achados.startswith("erro: produtos[1] (código 10149), Codigo: 10149 não cabe nos 4 dígitos"), achados
    assert 'o caixa leria o código 149, que é o de produtos[0] (código 149, "BANANA PRATA")' in achados, achados
    carga.definir_etiqueta("2CCCCCCPPPPPD")
    assert carga.verificar_itens().startswith("aviso: produtos[1] (código 10149), ValorVenda: 89.9 por kg")
    try:
        carga.definir_etiqueta("2CCCCCCPPPWWD")
        raise AssertionError("DefinirEtiqueta aceitou P e W juntos")
    except ErroCargaBal as erro:
        assert "o formato tem P e W" in erro.mensagem, erro.mensagem
    carga.definir_etiqueta(None)
    assert carga.verificar_itens() == "OK"
    print("ok   etiquetas da balança")


def main():
    argumentos = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    argumentos.add_argument("diretorio")
    argumentos.add_argument("--biblioteca", help="caminho da biblioteca (padrão: pelo nome)")
    opcoes = argumentos.parse_args()

    carga = CargaBal(opcoes.biblioteca)
    versao = carga.versao()
    assert re.fullmatch(r"[0-9]+\.[0-9]+\.[0-9]+", versao), versao
    print(f"quelbcargabal {versao}")
    # Directory names may carry accents too.
    filizola = os.path.join(opcoes.diretorio, "balança-filizola")
    toledo = os.path.join(opcoes.diretorio, "balança-toledo")
    mgv6 = os.path.join(opcoes.diretorio, "balança-mgv6")
    for pasta in (filizola, toledo, mgv6):
        os.makedirs(pasta, exist_ok=True)

    conferir_filizola(carga, filizola)
    conferir_toledo_mgv5(carga, toledo)
    conferir_nutricao_mgv6(carga, mgv6)
    conferir_erros(carga, opcoes.diretorio)
    conferir_etiquetas(carga)
    print("Todas as conferências passaram")
    return 0


if __name__ == "__main__":
    sys.exit(main())
