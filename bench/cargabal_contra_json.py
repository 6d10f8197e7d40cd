#!/usr/bin/env python3
"""Mede o comando cargabal com um catálogo JSON grande contra o json.load do Python.

O catálogo (perfil realista, registros completos, no formato lido pelo
cargabal) é gerado pelo bench_gerador numa pasta em memória (/dev/shm). Em
cada rodada, intercaladas: o Python lê o arquivo com json.load (só a leitura,
sem a partida do interpretador) e o cargabal faz a execução inteira (lê,
valida, gera e grava a carga). Para cada tamanho mostra a mediana dos tempos,
o tempo do cargabal dividido pelo do json.load e o pico de memória residente
do cargabal dividido pelo tamanho do arquivo (metas: 0,5 e 1,0).

    bench/cargabal_contra_json.py PASTA_DE_COMPILACAO [--n 100000 1000000]
        [--modelo modToledoMGV6] [--rodadas 3]
"""
import argparse
import os
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


def executar_medindo(args):
    """Runs the command; returns its time in seconds and its peak resident memory in MB.

    ru_maxrss is in KiB; the peak is given in MB (10^6 bytes), the unit of the
    catalogue's size, so that their ratio compares like with like."""
    inicio = time.perf_counter()
    with open(os.devnull, "wb") as nulo:
        processo = subprocess.Popen(args, stdout=nulo)
        _, estado, uso = os.wait4(processo.pid, 0)
    segundos = time.perf_counter() - inicio
    processo.returncode = os.waitstatus_to_exitcode(estado)
    if processo.returncode != 0:
        sys.exit(f"{args[0]} saiu com {processo.returncode}")
    return segundos, uso.ru_maxrss * 1024 / 1e6


def main():
    p = argparse.ArgumentParser()
    p.add_argument("compilacao", help="pasta de compilação com bench/bench_gerador e cli/cargabal")
    p.add_argument("--n", type=int, nargs="+", default=[100000, 1000000])
    p.add_argument("--modelo", default="modToledoMGV6")
    p.add_argument("--rodadas", type=int, default=3)
    a = p.parse_args()

    gerador = os.path.join(a.compilacao, "bench", "bench_gerador")
    cargabal = os.path.join(a.compilacao, "cli", "cargabal")
    for programa in (gerador, cargabal):
        if not os.access(programa, os.X_OK):
            sys.exit(f"falta {programa}")

    linhas = []
    for n in a.n:
        base = "/dev/shm" if os.path.isdir("/dev/shm") else None
        pasta = tempfile.mkdtemp(prefix="quelb-cargabal-", dir=base)
        try:
            catalogo = os.path.join(pasta, "catalogo.json")
            subprocess.run([gerador, "--json", catalogo, "--n", str(n)], check=True)
            tamanho = os.path.getsize(catalogo) / 1e6
            print(f"catálogo: {n} itens, {tamanho:.1f} MB, em {pasta}", flush=True)
            carga = os.path.join(pasta, "carga")
            os.mkdir(carga)

            python, comando, picos = [], [], []
            for rodada in range(a.rodadas):
                r = subprocess.run([sys.executable, "-c", LEITURA_PYTHON, catalogo],
                                   check=True, capture_output=True, text=True)
                python.append(float(r.stdout))
                segundos, pico = executar_medindo([cargabal, "gerar", "--aceitar-cortes", "--modelo", a.modelo, "--entrada", catalogo,
                                                   "--saida", carga, "--silencioso"])
                comando.append(segundos)
                picos.append(pico)
                print(f"rodada {rodada + 1}: json.load {python[-1]:.2f} s, cargabal {comando[-1]:.2f} s, "
                      f"pico {pico:.0f} MB", flush=True)
            mp, mc, pico = statistics.median(python), statistics.median(comando), max(picos)
            linhas.append(f"| {n} | {tamanho:.0f} MB | {a.modelo} | {mp:.2f} | {mc:.2f} | {mc / mp:.2f} | "
                          f"{pico:.0f} MB | {pico / tamanho:.2f} |")
        finally:
            shutil.rmtree(pasta, ignore_errors=True)

    print()
    print("| Itens | Catálogo JSON | Modelo | json.load (s) | cargabal inteiro (s) | tempo/json.load "
          "(meta 0,5) | pico do cargabal | pico/catálogo (meta 1,0) |")
    print("|---:|---:|---|---:|---:|---:|---:|---:|")
    for linha in linhas:
        print(linha)


if __name__ == "__main__":
    main()
