#!/usr/bin/env python3
"""Mede o comando cargabal com um catálogo JSON grande contra o json.load do Python.

O catálogo (perfil realista, no formato lido pelo cargabal) é gerado pelo
bench_gerador numa pasta em memória (/dev/shm). Em cada rodada, intercaladas:
o Python lê o arquivo com json.load (só a leitura, sem a partida do
interpretador) e o cargabal faz a execução inteira (lê, valida, gera e grava a
carga). Mostra a mediana de cada um.

    bench/cargabal_contra_json.py PASTA_DE_COMPILACAO [--n 1000000]
        [--modelo modToledoMGV6] [--rodadas 3]
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

LEITURA_PYTHON = r"""
import json, sys, time
inicio = time.perf_counter()
with open(sys.argv[1], encoding="utf-8") as f:
    json.load(f)
print(time.perf_counter() - inicio)
"""


def pico_filhos_mb():
    return resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024


def main():
    p = argparse.ArgumentParser()
    p.add_argument("compilacao", help="pasta de compilação com bench/bench_gerador e cli/cargabal")
    p.add_argument("--n", type=int, default=1000000)
    p.add_argument("--modelo", default="modToledoMGV6")
    p.add_argument("--rodadas", type=int, default=3)
    a = p.parse_args()

    gerador = os.path.join(a.compilacao, "bench", "bench_gerador")
    cargabal = os.path.join(a.compilacao, "cli", "cargabal")
    for programa in (gerador, cargabal):
        if not os.access(programa, os.X_OK):
            sys.exit(f"falta {programa}")

    base = "/dev/shm" if os.path.isdir("/dev/shm") else None
    pasta = tempfile.mkdtemp(prefix="quelb-cargabal-", dir=base)
    try:
        catalogo = os.path.join(pasta, "catalogo.json")
        subprocess.run([gerador, "--json", catalogo, "--n", str(a.n)], check=True)
        tamanho = os.path.getsize(catalogo) / 1e6
        print(f"catálogo: {a.n} itens, {tamanho:.1f} MB, em {pasta}", flush=True)
        carga = os.path.join(pasta, "carga")
        os.mkdir(carga)

        python, comando = [], []
        for rodada in range(a.rodadas):
            r = subprocess.run([sys.executable, "-c", LEITURA_PYTHON, catalogo],
                               check=True, capture_output=True, text=True)
            python.append(float(r.stdout))
            inicio = time.perf_counter()
            subprocess.run([cargabal, "gerar", "--modelo", a.modelo, "--entrada", catalogo,
                            "--saida", carga, "--silencioso"], check=True, stdout=subprocess.DEVNULL)
            comando.append(time.perf_counter() - inicio)
            print(f"rodada {rodada + 1}: json.load {python[-1]:.2f} s, cargabal {comando[-1]:.2f} s", flush=True)

        mp, mc = statistics.median(python), statistics.median(comando)
        print()
        print("| Catálogo | Itens | Modelo | json.load do Python (s) | cargabal inteiro (s) | cargabal/json.load |")
        print("|---|---:|---|---:|---:|---:|")
        print(f"| {tamanho:.0f} MB | {a.n} | {a.modelo} | {mp:.2f} | {mc:.2f} | {mc / mp:.2f} |")
        print(f"\nMeta (cargabal < json.load): {'atingida' if mc < mp else 'NÃO atingida'}.")
        print(f"Pico de memória dos processos filhos: {pico_filhos_mb():.0f} MB (o maior entre Python e cargabal).")
    finally:
        shutil.rmtree(pasta, ignore_errors=True)


if __name__ == "__main__":
    main()
