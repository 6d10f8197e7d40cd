#!/usr/bin/env python3
"""Gera catálogos JSON aleatórios, determinísticos pela semente, que exercitam
as bordas dos escritores: textos com acentos, "€", caracteres fora da página
Windows-1252, caixa alta e baixa do mesmo texto, caracteres de controle,
textos vazios e longos, números na largura dos campos e além dela.

    catalogo_aleatorio.py SEMENTE [SEMENTE...] --pasta DIR   (grava DIR/catalogo-SEMENTE.json)
    catalogo_aleatorio.py SEMENTE                            (escreve na saída padrão)

Só usa valores que o leitor de catálogos do cargabal aceita, para que cada
catálogo chegue ao gerador.
"""
# Only the standard library; the same seed gives the same bytes on any
# Python 3 (random.Random with an int seed, lists only, no set or hash order).

import argparse
import unicodedata
import os
import random
import sys

INT32_MIN, INT32_MAX = -(2**31), 2**31 - 1
INT16_MIN, INT16_MAX = -(2**15), 2**15 - 1
# Largest magnitudes of an amount: its count of ten-thousandths fits in 64 bits.
VALOR_MAX = "922337203685477.5807"
VALOR_MIN = "-922337203685477.5808"

TIPOS_VENDA = ["tpvPeso", "tpvUnidade", "tpvEAN13", "tpvEAN13Und"]
TIPOS_VALIDADE = ["tpvDias", "tpvMeses"]
UND_PORCAO = ["tpGramas", "tpMililitros", "tpUnidades"]
PART_DECIMAL = ["tpPara0", "tpPara14", "tpPara13", "tpPara12", "tpPara23", "tpPara34"]
MED_CASEIRA = [
    "tpColherSopa", "tpColherCafe", "tpColherCha", "tpXicara", "tpDeXicara", "tpUnidade",
    "tpPacote", "tpFatia", "tpFatiaFina", "tpPedaco", "tpFolha", "tpPao",
    "tpBiscoito", "tpBisnaguinha", "tpDisco", "tpCopo", "tpPorcao", "tpTablete",
    "tpSache", "tpAlmodega", "tpBife", "tpFile", "tpConcha", "tpBala",
    "tpPratoFundo", "tpPitada", "tpLata",
]

PALAVRAS = [
    "queijo", "minas", "presunto", "mortadela", "pão", "francês", "frango", "coxa", "açúcar",
    "maçã", "limão", "cebola", "salsichão", "lingüiça", "pêssego", "filé", "mignon", "café",
    "ÓLEO", "Feijão", "ARROZ", "Bacalhau", "Pé-de-moleque", "Müsli", "crème", "brûlée",
    "Žito", "Œuf", "naïve", "ÿogurte", "Ñandu", "coração", "ímã", "Ação",
]
# Pieces that stress the conversion to the scales' code pages and the
# field-by-field layout of the records.
ESPECIAIS = [
    "€", "£", "©", "®", "°", "º", "ª", "½", "µ", "§", "¿", "«", "»", "±", "×", "÷",
    "Š", "š", "Ž", "ž", "Ÿ", "ƒ", "†", "‰", "™", "•", "–", "—", "…", "‘", "’", "“", "”",
    "\u00a0",                        # no-break space
    "\u00ad",                        # soft hyphen
    "中", "文", "日本", "한", "Ω", "ß", "ł", "Ł", "ő", "ı", "İ", "ǅ",
    "😀", "🧀", "🍞", "𝄞",              # outside the basic plane (surrogate pairs)
    "\ufeff", "\ufffd", "\u200b", "\u2028",
    ";", ",", "|", "\"", "'", "\\", "/", "#", "@", "&", "<", ">", "%", "*", "=", "~", "^", "`",
    "  ", " ", "\t",
    "e\u0301", "a\u0303", "c\u0327", "A\u0300",   # decomposed: composed on reading
]
CONTROLE = ["\u0001", "\u0007", "\b", "\f", "\n", "\r", "\r\n", "\u001b", "\u001f", "\u007f", "\u0085", "\u0000"]


class Numero:
    """A JSON number written exactly as given."""

    def __init__(self, texto):
        self.texto = texto


def escrever_texto(t, ascii_apenas):
    # QUELB_CATALOGO_NFC: every text composed, for comparing the generation
    # alone (a reader that composes and one that does not then agree).
    if os.environ.get("QUELB_CATALOGO_NFC"):
        t = unicodedata.normalize("NFC", t)
    saida = ['"']
    for c in t:
        o = ord(c)
        if c == '"':
            saida.append('\\"')
        elif c == "\\":
            saida.append("\\\\")
        elif o < 0x20 or (ascii_apenas and o > 0x7E):
            curtos = {"\b": "\\b", "\f": "\\f", "\n": "\\n", "\r": "\\r", "\t": "\\t"}
            if c in curtos:
                saida.append(curtos[c])
            elif o > 0xFFFF:
                o -= 0x10000
                saida.append("\\u%04x\\u%04X" % (0xD800 + (o >> 10), 0xDC00 + (o & 0x3FF)))
            else:
                saida.append("\\u%04x" % o)
        else:
            saida.append(c)
    saida.append('"')
    return "".join(saida)


def escrever(valor, ascii_apenas, recuo, nivel=0):
    if isinstance(valor, Numero):
        return valor.texto
    if isinstance(valor, bool):
        raise TypeError("o catálogo não tem booleanos")
    if isinstance(valor, int):
        return str(valor)
    if isinstance(valor, str):
        return escrever_texto(valor, ascii_apenas)
    if isinstance(valor, list):
        itens = [escrever(v, ascii_apenas, recuo, nivel + 1) for v in valor]
        if recuo:
            pad = "\n" + " " * (nivel + 1)
            return "[" + ",".join(pad + i for i in itens) + "\n" + " " * nivel + "]"
        return "[" + ",".join(itens) + "]"
    if isinstance(valor, dict):
        partes = [escrever_texto(k, ascii_apenas) + (": " if recuo else ":") + escrever(v, ascii_apenas, recuo, nivel + 1)
                  for k, v in valor.items()]
        return "{" + (", " if recuo else ",").join(partes) + "}"
    raise TypeError(type(valor))


class Gerador:
    def __init__(self, semente):
        self.r = random.Random(semente)

    # Numbers -----------------------------------------------------------------

    def int_borda(self, minimo, maximo):
        r = self.r
        escolha = r.random()
        if escolha < 0.3:
            return r.choice([0, 1, -1, minimo, maximo, minimo + 1, maximo - 1, 9, 10, 99, 100, 999, 1000,
                             9999, 10000, 99999, 100000, 999999, 1000000, 9999999, 10000000, 123456789,
                             -9, -10, -100, -999999, 255, 256, 65535, 65536])
        if escolha < 0.5:
            return r.randint(minimo, maximo)
        return r.randint(0, r.choice([9, 99, 999, 9999, 999999]))

    def inteiro(self, minimo, maximo):
        v = self.int_borda(minimo, maximo)
        if not minimo <= v <= maximo:
            # Drawn again inside the range, so that the limits come up as
            # often as other edges, not for every value too wide.
            v = self.r.randint(max(minimo, 0), min(maximo, 9999))
        # Negative zero and a plus-less form are both JSON; the reader takes "-0".
        if v == 0 and self.r.random() < 0.05:
            return Numero("-0")
        return v

    def decimal_texto(self, quatro_casas=False):
        r = self.r
        escolha = r.random()
        if escolha < 0.35:
            t = r.choice([
                "0", "0.0", "-0", "0.005", "0.0049", "0.0051", "0.00005", "0.00015", "0.00025", "0.99995",
                "12345.67", "99999999", "1000000", "999999.99", "9999.999", "100000", "99999.9999", "-12.5",
                "-0.015", "-99999999", "0.1", "1.005", "2.675", "1.5", "0.015", "12.9", "1234567.8901",
                "10", "100", "1000", "10000", "0.0001", "0.9999", "-0.0001", "123456789012.3456",
                VALOR_MAX, VALOR_MIN, "922337203685477", "-922337203685477", "0.12345678901234567890",
                "00012.50", "5.00000", "99.995", "999.9950", "9.99949999",
            ])
        elif escolha < 0.7:
            inteiros = r.choice([0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12])
            casas = 4 if quatro_casas else r.choice([0, 1, 2, 3, 4, 5, 6])
            t = str(r.randint(0, 10**inteiros - 1) if inteiros else 0)
            if casas:
                t += "." + "".join(r.choice("0123456789") for _ in range(casas))
            if r.random() < 0.15:
                t = "-" + t
        else:
            t = "%d.%02d" % (r.randint(0, 999), r.randint(0, 99))
        return t

    def decimal(self, quatro_casas=False):
        """An amount: a JSON number (sometimes with an exponent) or a string."""
        r = self.r
        t = self.decimal_texto(quatro_casas)
        forma = r.random()
        if forma < 0.4:
            return t
        if forma < 0.5 and not t.startswith("00"):
            # Same value with an exponent: the digits without the point, scaled back.
            negativo = t.startswith("-")
            corpo = t.lstrip("-")
            inteiro, _, fracao = corpo.partition(".")
            digitos = (inteiro + fracao).lstrip("0") or "0"
            return Numero(("-" if negativo else "") + digitos + r.choice(["E-", "e-"]) + str(len(fracao)))
        if t.startswith("00") or t.endswith("."):
            return t
        if forma < 0.55 and "." not in t and not t.startswith("-") and len(t) <= 12:
            return Numero(t + r.choice(["e0", "E+0", "e+2", "E2"]))
        return Numero(t)

    # Texts -------------------------------------------------------------------

    def palavra(self):
        r = self.r
        p = r.random()
        if p < 0.6:
            return r.choice(PALAVRAS)
        if p < 0.85:
            return r.choice(ESPECIAIS)
        if p < 0.92:
            return r.choice(CONTROLE)
        return str(r.randint(0, 10**r.randint(1, 12)))

    def texto(self, maximo):
        r = self.r
        escolha = r.random()
        if escolha < 0.07:
            return ""
        if escolha < 0.12:
            return r.choice([" ", "  ", "a", "Ab", "abc", "€", "中", "😀", "\u0001", "\n", "ç", "ÇÃO"])
        if escolha < 0.2:
            # Long: beyond any field of any model.
            alvo = r.randint(maximo // 2 + 1, maximo)
        else:
            alvo = r.randint(1, min(maximo, 60))
        partes, tamanho = [], 0
        while tamanho < alvo:
            p = self.palavra()
            partes.append(p)
            tamanho += len(p) + 1
        t = " ".join(partes)[:alvo]
        # A cut in the middle of a surrogate pair cannot happen in Python
        # strings; a cut right after a base letter only drops the mark.
        return self.caixa(t) if r.random() < 0.3 else t

    def caixa(self, t):
        """The same text in another letter case, for case-blind de-duplication."""
        return self.r.choice([t.upper(), t.lower(), t.title(), t.swapcase(), t])

    def de_pool(self, pool, fazer, repetir=0.6):
        """A value of the pool (maybe in other letter case), or a new one added to it."""
        r = self.r
        if pool and r.random() < repetir:
            v = r.choice(pool)
            if isinstance(v, dict) and r.random() < 0.3:
                v = {k: (self.caixa(x) if isinstance(x, str) and k.startswith(("Descricao", "Receita", "Observacao"))
                         else x) for k, x in v.items()}
            elif isinstance(v, str) and r.random() < 0.3:
                v = self.caixa(v)
            return v
        v = fazer()
        pool.append(v)
        return v

    def ean(self):
        r = self.r
        escolha = r.random()
        if escolha < 0.5:
            corpo = [r.randint(0, 9) for _ in range(12)]
            soma = sum(d * (3 if i % 2 else 1) for i, d in enumerate(corpo))
            return "".join(map(str, corpo)) + str((10 - soma % 10) % 10)
        if escolha < 0.7:
            return "".join(r.choice("0123456789") for _ in range(r.randint(0, 20)))
        return self.texto(30)

    # Records -----------------------------------------------------------------

    def opcional(self, obj, chave, fazer, prob=0.85):
        if self.r.random() < prob:
            obj[chave] = fazer()

    def setor(self):
        s = {}
        self.opcional(s, "Codigo", lambda: self.inteiro(INT32_MIN, INT32_MAX))
        self.opcional(s, "Descricao", lambda: self.texto(120))
        return s

    def nutricional(self):
        r = self.r
        n = {}
        self.opcional(n, "Codigo", lambda: self.inteiro(INT32_MIN, INT32_MAX))
        self.opcional(n, "Descricao", lambda: self.texto(100))
        self.opcional(n, "Qtd", lambda: self.inteiro(INT32_MIN, INT32_MAX))
        self.opcional(n, "UndPorcao", lambda: r.choice(UND_PORCAO))
        self.opcional(n, "PartInteira", lambda: self.inteiro(INT32_MIN, INT32_MAX))
        self.opcional(n, "PartDecimal", lambda: r.choice(PART_DECIMAL))
        self.opcional(n, "MedCaseira", lambda: r.choice(MED_CASEIRA))
        self.opcional(n, "ValorEnergetico", lambda: self.inteiro(INT32_MIN, INT32_MAX))
        for chave in ["Carboidrato", "Proteina", "GorduraTotal", "GorduraSaturada", "GorduraTrans", "Fibra", "Sodio"]:
            self.opcional(n, chave, self.decimal)
        return n

    def tara(self):
        t = {}
        self.opcional(t, "Codigo", lambda: self.inteiro(INT32_MIN, INT32_MAX))
        self.opcional(t, "Descricao", lambda: self.texto(80))
        self.opcional(t, "Valor", lambda: self.decimal(quatro_casas=self.r.random() < 0.6))
        return t

    def fornecedor(self):
        f = {}
        self.opcional(f, "Codigo", lambda: self.inteiro(INT16_MIN, INT16_MAX))
        self.opcional(f, "Observacao", lambda: self.texto(200))
        for i in range(1, 6):
            self.opcional(f, "Descricao%d" % i, lambda: self.texto(120))
        return f

    def informacao_extra(self):
        r = self.r
        e = {}
        self.opcional(e, "Codigo", lambda: self.inteiro(INT32_MIN, INT32_MAX))
        self.opcional(e, "Observacao", lambda: self.texto(200))
        self.opcional(e, "Receita", lambda: r.choice(["", "ab", "abc", "\n\n\n"]) if r.random() < 0.15
                      else self.texto(1000))
        return e

    def item(self, pools, completo):
        r = self.r
        i = {}
        prob = 1.0 if completo else 0.8
        # Keys in a varying order: the reader takes any.
        campos = [
            ("Codigo", lambda: self.inteiro(INT32_MIN, INT32_MAX) if r.random() < 0.5 else r.randint(0, 999999)),
            ("Descricao", lambda: self.de_pool(pools["descricao"], lambda: self.texto(300), 0.15)),
            ("Tipo", lambda: r.choice(TIPOS_VENDA)),
            ("ValorVenda", self.decimal),
            ("Validade", lambda: self.inteiro(INT16_MIN, INT16_MAX)),
            ("TipoValidade", lambda: r.choice(TIPOS_VALIDADE)),
            ("Tecla", lambda: self.inteiro(INT32_MIN, INT32_MAX)),
            ("ModeloEtiqueta", lambda: self.inteiro(INT16_MIN, INT16_MAX)),
            ("Setor", lambda: self.de_pool(pools["setor"], self.setor)),
            ("Nutricional", lambda: self.de_pool(pools["nutricional"], self.nutricional, 0.4)),
            ("Tara", lambda: self.de_pool(pools["tara"], self.tara)),
            ("Fornecedor", lambda: self.de_pool(pools["fornecedor"], self.fornecedor)),
            ("InformacaoExtra", lambda: self.de_pool(pools["extra"], self.informacao_extra, 0.4)),
            ("CodigoTexto1", lambda: self.inteiro(INT32_MIN, INT32_MAX)),
            ("CodigoTexto2", lambda: self.inteiro(INT32_MIN, INT32_MAX)),
            ("CodigoTexto3", lambda: self.inteiro(INT32_MIN, INT32_MAX)),
            ("CodigoInfoNutr", lambda: self.inteiro(INT32_MIN, INT32_MAX)),
            ("CodigoTara", lambda: self.inteiro(INT32_MIN, INT32_MAX)),
            ("CodigoFornecedor", lambda: self.inteiro(INT16_MIN, INT16_MAX)),
            ("EAN13Fornecedor", self.ean),
        ]
        if r.random() < 0.3:
            r.shuffle(campos)
        for chave, fazer in campos:
            obrigatorio = chave in ("Codigo", "Descricao", "ValorVenda") and completo
            if obrigatorio or r.random() < prob:
                i[chave] = fazer()
        # Items that repeat another's code: the writers meet duplicates.
        if pools["codigos"] and r.random() < 0.1:
            i["Codigo"] = r.choice(pools["codigos"])
        if isinstance(i.get("Codigo"), int):
            pools["codigos"].append(i["Codigo"])
        return i

    def catalogo(self):
        r = self.r
        n = r.choice([1, 1, 2, 3]) if r.random() < 0.15 else r.randint(1, 60)
        pools = {k: [] for k in ["descricao", "setor", "nutricional", "tara", "fornecedor", "extra", "codigos"]}
        # The first item gives every property, so the catalogue always holds
        # the required ones.
        produtos = [self.item(pools, completo=(k == 0)) for k in range(n)]
        return {"produtos": produtos}

    def documento(self):
        r = self.r
        ascii_apenas = r.random() < 0.3
        recuo = r.random() < 0.5
        texto = escrever(self.catalogo(), ascii_apenas, recuo) + "\n"
        bom = r.random() < 0.1
        return (b"\xef\xbb\xbf" if bom else b"") + texto.encode("utf-8")


def principal():
    p = argparse.ArgumentParser(description="Gera catálogos JSON aleatórios para o cargabal.")
    p.add_argument("sementes", nargs="+", type=int, metavar="SEMENTE")
    p.add_argument("--pasta", help="grava PASTA/catalogo-SEMENTE.json (sem ela, escreve na saída padrão)")
    a = p.parse_args()
    if not a.pasta and len(a.sementes) != 1:
        p.error("várias sementes pedem --pasta")
    for s in a.sementes:
        dados = Gerador(s).documento()
        if a.pasta:
            with open(os.path.join(a.pasta, "catalogo-%d.json" % s), "wb") as f:
                f.write(dados)
        else:
            sys.stdout.buffer.write(dados)


if __name__ == "__main__":
    principal()
