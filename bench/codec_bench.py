#!/usr/bin/env python3
"""Times the quiz codec beside ncompress's compress and uncompress.

Both sides are timed the same way: as whole processes reading a file on
standard input and writing standard output, RUNS times each, on three inputs
(French prose, long repeats, random bytes). Usage: codec_bench.py LZW_TOOL.
"""
import random
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

RUNS = 200

WORDS = (
    "le la les un une des du de au aux et ou mais donc car ni que qui quoi dont où "
    "maison jardin soleil pluie matin soir ville village rivière montagne forêt chemin "
    "enfant femme homme ami voisin maître élève livre lettre histoire chanson image "
    "regarde écoute trouve cherche raconte chante attend traverse ouvre ferme aime "
    "grand petit vieux nouveau beau belle long court clair sombre doux heureux "
    "toujours souvent jamais encore déjà bientôt ici là-bas loin près avec sans pour "
    "dans sur sous entre vers chez après avant pendant depuis comme très trop peu"
).split()


def french_prose(size, rng):
    text = []
    length = 0
    while length < size:
        words = [rng.choice(WORDS) for _ in range(rng.randint(6, 18))]
        sentence = " ".join(words).capitalize() + rng.choice([".", ".", ".", " ?", " !"]) + " "
        if rng.random() < 0.1:
            sentence += "\n\n"
        text.append(sentence)
        length += len(sentence.encode("cp1252"))
    return "".join(text).encode("cp1252")[:size]


def inputs():
    rng = random.Random(2026)
    block = bytes(rng.randrange(256) for _ in range(1000))
    return {
        "prose 60 KB": french_prose(60_000, rng),
        "repeats 60 KB": (block * 60)[:60_000],
        "random 40 KB": bytes(rng.randrange(256) for _ in range(40_000)),
    }


def time_runs(command, source, target):
    start = time.perf_counter()
    for _ in range(RUNS):
        with open(source, "rb") as stdin, open(target, "wb") as stdout:
            # compress answers 2 when the coded file is not smaller: still done.
            if subprocess.run(command, stdin=stdin, stdout=stdout).returncode not in (0, 2):
                sys.exit(f"{command[0]} failed")
    return (time.perf_counter() - start) / RUNS * 1000


def main():
    if len(sys.argv) != 2 or not shutil.which("compress"):
        sys.exit("usage: codec_bench.py LZW_TOOL (needs ncompress's compress on the PATH)")
    tool = sys.argv[1]
    print(f"codec against ncompress: ms per whole process, mean of {RUNS} runs")
    print(f"{'input':<15}{'size':>8}{'coded':>8}{'compress':>9}"
          f"{'encode':>9}{'compress':>10}{'ratio':>7}{'decode':>9}{'uncompress':>11}{'ratio':>7}")
    with tempfile.TemporaryDirectory() as work:
        work = Path(work)
        for name, data in inputs().items():
            plain, coded, packed, back = (work / n for n in ("plain", "coded", "packed", "back"))
            plain.write_bytes(data)
            encode = time_runs([tool, "-c"], plain, coded)
            decode = time_runs([tool, "-d"], coded, back)
            if back.read_bytes() != data:
                sys.exit(f"{name}: the decoded bytes differ from the input")
            compress = time_runs(["compress", "-c"], plain, packed)
            uncompress = time_runs(["uncompress", "-c"], packed, back)
            print(f"{name:<15}{len(data):>8}{coded.stat().st_size:>8}{packed.stat().st_size:>9}"
                  f"{encode:>9.3f}{compress:>10.3f}{compress / encode:>7.2f}"
                  f"{decode:>9.3f}{uncompress:>11.3f}{uncompress / decode:>7.2f}")
    print("ratio = ncompress time / codec time (above 1: the codec is faster)")


if __name__ == "__main__":
    main()
