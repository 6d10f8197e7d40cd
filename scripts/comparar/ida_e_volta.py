#!/usr/bin/env python3
"""Ida e volta de cargas: para cada semente e cada modelo, um catálogo
aleatório sem erros na verificação é gerado, lido de volta com "cargabal ler"
e gerado de novo; os arquivos das duas gerações têm de ser iguais byte a byte,
e ler a segunda carga tem de dar o mesmo catálogo que a primeira leitura. Depois
um caractere da carga é trocado por uma letra: ler essa carga danificada, gerar
e ler de novo também tem de dar os mesmos valores (um valor que não pôde ser
lido fica fora do catálogo, e a geração grava o padrão no lugar dele). Sem --modelo, a leitura tem
de detectar o modelo (a MGV5 como MGV6).

    ida_e_volta.py CARGABAL SEMENTE_INICIAL QUANTIDADE [--limite SEGUNDOS] [--csv]

Os produtos que a verificação acusa com erro são tirados do catálogo (até não
sobrar erro), para que cada catálogo chegue à geração. Termina com 1 ao
primeiro modelo que falhar, deixando os arquivos numa pasta para exame.
"""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
# What the reading says when the model is left out.
DETECTADO = {"toledo-mgv5": "toledo-mgv6"}


def rodar(args, **kw):
    return subprocess.run(args, capture_output=True, timeout=60, **kw)


def modelos(cargabal):
    """The aliases of every model, as "cargabal modelos" lists them (after its header line)."""
    r = rodar([cargabal, "modelos"], check=True)
    return [linha.split()[1] for linha in r.stdout.decode().splitlines()[1:] if linha.strip()]


def tirar(produto, caminho):
    """Removes the property of the catalogue path from the item; False when it is not there."""
    *registros, nome = caminho.split(".")
    obj = produto
    for r in registros:
        obj = obj.get(r) if isinstance(obj, dict) else None
    if not isinstance(obj, dict) or nome not in obj:
        return False
    del obj[nome]
    return True


def com_departamentos(produtos, semente):
    """Some items listed under other departments too, and MGV7 lists of
    their own (the generator of random catalogues leaves the Toledo columns
    out): the Toledo loads write them and must read them back."""
    import random
    r = random.Random(semente * 7919)
    codigos = lambda n, largura: "".join("%0*d" % (largura, r.randint(0, 10 ** largura - 1)) for _ in range(n))
    for p in produtos:
        if r.random() >= 0.15:
            continue
        toledo = p.setdefault("Toledo", {})
        toledo["OutrosDepartamentos"] = codigos(r.randint(1, 3), 2)
        if r.random() < 0.5:
            toledo["Departamentos"] = codigos(r.randint(1, 3), 2)
        if r.random() < 0.3:
            toledo["Fornecedores"] = codigos(r.randint(1, 2), 4)
        if r.random() < 0.3:
            toledo["BalancasInativas"] = codigos(r.randint(1, 2), 2)


def catalogo_limpo(cargabal, semente, modelo, pasta):
    """The random catalogue of the seed without what the check finds an erro in:
    the property it names goes back to its default, or the item goes when the
    property is its code or cannot be taken out."""
    texto = rodar([sys.executable, os.path.join(AQUI, "catalogo_aleatorio.py"), str(semente)]).stdout
    produtos = json.loads(texto)["produtos"]
    com_departamentos(produtos, semente)
    caminho = os.path.join(pasta, "catalogo.json")
    for _ in range(30):
        with open(caminho, "w", encoding="utf-8") as f:
            json.dump({"produtos": produtos}, f)
        r = rodar([cargabal, "verificar", "-m", modelo, "-e", caminho, "--silencioso", "--todos"])
        if r.returncode == 0:
            return caminho, len(produtos)
        if r.returncode != 3:
            return None, 0  # refused by the reader (no item gives a required key)
        ruins = set()
        # A character outside the basic plane is one "?" in the file for two
        # characters of the text: a text of a closed record (an aviso) comes
        # back one character shorter, so such texts are taken out too.
        for m in re.finditer(r'^aviso: produtos\[(\d+)\] \([^)]*\), ([A-Za-z0-9.]+): "[\U00010000-\U0010FFFF]" não existe',
                             r.stdout.decode("utf-8", "replace"), re.M):
            if not tirar(produtos[int(m.group(1))], m.group(2)):
                ruins.add(int(m.group(1)))
        for m in re.finditer(rb"^erro: produtos\[(\d+)\] \([^)]*\), ([A-Za-z0-9.]+)?", r.stdout, re.M):
            i, propriedade = int(m.group(1)), (m.group(2) or b"").decode()
            if propriedade in ("", "Codigo") or not tirar(produtos[i], propriedade):
                ruins.add(i)
        produtos = [p for i, p in enumerate(produtos) if i not in ruins]
        if not produtos:
            return None, 0
    return None, 0


def nomes_da_carga(pasta):
    """The load files of a folder: not the lock file a generation leaves."""
    return sorted(n for n in os.listdir(pasta) if n != ".cargabal.lock")


def arquivos(pasta):
    r = {}
    for n in nomes_da_carga(pasta):
        with open(os.path.join(pasta, n), "rb") as f:
            r[n] = f.read()
    return r


def gerar(cargabal, modelo, catalogo, pasta):
    os.makedirs(pasta)
    r = rodar([cargabal, "gerar", "-m", modelo, "-e", catalogo, "-s", pasta, "--silencioso", "--aceitar-cortes"])
    if r.returncode != 0:
        raise RuntimeError("gerar saiu com %d: %s" % (r.returncode, r.stderr.decode(errors="replace")))


def ler(cargabal, modelo, pasta, saida, detectar=False):
    args = [cargabal, "ler", "-e", pasta, "-s", saida] + ([] if detectar else ["-m", modelo])
    return rodar(args)


def um(cargabal, semente, modelo, trabalho, extensao):
    pasta = tempfile.mkdtemp(prefix="%s-%d-" % (modelo, semente), dir=trabalho)
    catalogo, n = catalogo_limpo(cargabal, semente, modelo, pasta)
    if catalogo is None:
        return None
    a, b = os.path.join(pasta, "a"), os.path.join(pasta, "b")
    gerar(cargabal, modelo, catalogo, a)
    lido1, lido2 = os.path.join(pasta, "lido1" + extensao), os.path.join(pasta, "lido2" + extensao)
    r = ler(cargabal, modelo, a, lido1)
    if r.returncode != 0:
        return "ler da carga gerada saiu com %d: %s" % (r.returncode, r.stderr.decode(errors="replace")[:2000])
    gerar(cargabal, modelo, lido1, b)
    fa, fb = arquivos(a), arquivos(b)
    if fa.keys() != fb.keys():
        return "arquivos diferentes: %s e %s" % (sorted(fa), sorted(fb))
    for nome in fa:
        if fa[nome] != fb[nome]:
            la, lb = fa[nome].split(b"\r\n"), fb[nome].split(b"\r\n")
            for i, (x, y) in enumerate(zip(la, lb)):
                if x != y:
                    return "%s difere na linha %d:\n  %r\n  %r" % (nome, i + 1, x, y)
            return "%s difere no número de linhas (%d e %d)" % (nome, len(la), len(lb))
    r = ler(cargabal, modelo, b, lido2)
    with open(lido1, "rb") as f1, open(lido2, "rb") as f2:
        if f1.read() != f2.read():
            return "ler, gerar, ler não deu o mesmo catálogo"
    r = ler(cargabal, modelo, a, os.devnull, detectar=True)
    esperado = DETECTADO.get(modelo, modelo)
    if ("modelo detectado: " + esperado).encode() not in r.stderr:
        return "detecção: esperado %s, veio %s" % (esperado, r.stderr.decode(errors="replace").splitlines()[:1])
    erro = danificada(cargabal, modelo, a, pasta, semente, extensao)
    if erro:
        return erro
    subprocess.run(["rm", "-rf", pasta])
    return n


def danificada(cargabal, modelo, a, pasta, semente, extensao):
    """A load with one character changed (a letter where the seed says) reads
    to a catalogue that generates a load reading back to that same catalogue."""
    import random
    r = random.Random(semente)
    nome = r.choice(nomes_da_carga(a))
    caminho = os.path.join(a, nome)
    with open(caminho, "rb") as f:
        bytes_ = bytearray(f.read())
    fins = [i for i in range(len(bytes_)) if bytes_[i] not in b"\r\n"]
    bytes_[r.choice(fins)] = ord("x")
    with open(caminho, "wb") as f:
        f.write(bytes_)
    lido1, lido2 = os.path.join(pasta, "dano1" + extensao), os.path.join(pasta, "dano2" + extensao)
    ler(cargabal, modelo, a, lido1)
    c = os.path.join(pasta, "c")
    os.makedirs(c)
    g = rodar([cargabal, "gerar", "-m", modelo, "-e", lido1, "-s", c, "--silencioso", "--aceitar-cortes"])
    # A value that could not be read stays out of the catalogue: a code,
    # description or price missing is the catalogue's erro.
    if g.returncode == 2 and falta_obrigatoria(lido1, extensao):
        return None
    if g.returncode != 0:
        return "gerar da carga danificada saiu com %d: %s" % (g.returncode, g.stderr.decode(errors="replace")[:500])
    ler(cargabal, modelo, c, lido2)
    if not mesmos_valores(lido1, lido2, extensao):
        return "carga danificada (%s): ler, gerar, ler não deu o mesmo catálogo" % nome
    return None


def valores(caminho, extensao):
    """The items of a catalogue read, each a dict of property path to its text;
    a value left out (not read) is not in it."""
    if extensao == ".csv":
        with open(caminho, encoding="utf-8-sig", newline="") as f:
            import csv
            linhas = list(csv.reader(f, delimiter=";"))
        return [{k: v for k, v in zip(linhas[0], l) if v != ""} for l in linhas[1:]]
    with open(caminho, encoding="utf-8") as f:
        produtos = json.load(f)["produtos"]
    def plano(d, prefixo=""):
        r = {}
        for k, v in d.items():
            r.update(plano(v, prefixo + k + ".") if isinstance(v, dict) else {prefixo + k: json.dumps(v)})
        return r
    return [plano(p) for p in produtos]


def falta_obrigatoria(caminho, extensao):
    return any(k not in p for p in valores(caminho, extensao) for k in ("Codigo", "Descricao", "ValorVenda"))


def mesmos_valores(lido1, lido2, extensao):
    """Every value of the first reading is in the second; where the first had
    none (a value not read), the second has the generation's default."""
    v1, v2 = valores(lido1, extensao), valores(lido2, extensao)
    return len(v1) == len(v2) and all(all(b.get(k) == x for k, x in a.items()) for a, b in zip(v1, v2))


def principal():
    p = argparse.ArgumentParser()
    p.add_argument("cargabal")
    p.add_argument("inicio", type=int)
    p.add_argument("quantidade", type=int)
    p.add_argument("--limite", type=float, default=120, help="segundos; o que passar disso não é rodado")
    p.add_argument("--csv", action="store_true", help="o catálogo lido em CSV, em vez de JSON")
    p.add_argument("--modelo", action="append", help="só estes modelos")
    a = p.parse_args()
    trabalho = tempfile.mkdtemp(prefix="ida-e-volta-")
    fim = time.monotonic() + a.limite
    contagem = {m: [0, 0] for m in (a.modelo or modelos(a.cargabal))}
    falhas = 0
    for semente in range(a.inicio, a.inicio + a.quantidade):
        if time.monotonic() > fim:
            print("limite de tempo: parou antes da semente %d" % semente)
            break
        for modelo in contagem:
            try:
                r = um(a.cargabal, semente, modelo, trabalho, ".csv" if a.csv else ".json")
            except Exception as e:  # noqa: BLE001 - any failure is reported with its seed
                r = str(e)
            if r is None:
                continue
            if isinstance(r, str):
                print("FALHA %s semente %d: %s" % (modelo, semente, r))
                falhas += 1
                continue
            contagem[modelo][0] += 1
            contagem[modelo][1] += r
    for m, (catalogos, itens) in contagem.items():
        print("%-15s %4d catálogos, %6d itens" % (m, catalogos, itens))
    if falhas:
        print("%d falhas; arquivos em %s" % (falhas, trabalho))
        return 1
    subprocess.run(["rm", "-rf", trabalho])
    return 0


if __name__ == "__main__":
    sys.exit(principal())
