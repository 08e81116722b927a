#!/usr/bin/env python3
"""Measures the quiz codec beside ncompress's compress, coding and decoding.

Both sides are measured the same way, on three inputs (French prose, long
repeats, random bytes), as whole processes reading a file on standard input
and writing standard output: timed RUNS times each, which mostly times the
process start; and counted in instructions by valgrind, less the count for a
1-byte input through the same program, which leaves the coding itself.
Usage: codec_bench.py LZW_TOOL.
"""
import random
import re
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


def run(command, source, target):
    with open(source, "rb") as stdin, open(target, "wb") as stdout:
        done = subprocess.run(command, stdin=stdin, stdout=stdout, stderr=subprocess.PIPE,
                              text=True)
    # compress answers 2 when the coded file is not smaller: still done.
    if done.returncode not in (0, 2):
        sys.exit(f"{' '.join(command)} failed:\n{done.stderr}")
    return done.stderr


def time_runs(command, source, target):
    start = time.perf_counter()
    for _ in range(RUNS):
        run(command, source, target)
    return (time.perf_counter() - start) / RUNS * 1000


def instructions(command, source, target):
    report = run(["valgrind", "--tool=cachegrind", "--cache-sim=no",
                  "--cachegrind-out-file=/dev/null"] + command, source, target)
    return int(re.search(r"I\s+refs:\s+([\d,]+)", report).group(1).replace(",", ""))


def main():
    if len(sys.argv) != 2 or not (shutil.which("compress") and shutil.which("valgrind")):
        sys.exit("usage: codec_bench.py LZW_TOOL (needs ncompress's compress and valgrind)")
    tool = sys.argv[1]
    # ncompress's own decoder: the uncompress on the PATH may be gzip's script.
    encoder, decoder = [tool, "-c"], [tool, "-d"]
    compressor, decompressor = ["compress", "-c"], ["compress", "-d", "-c"]
    print(f"codec against ncompress: ms per whole process, mean of {RUNS} runs")
    print(f"{'input':<15}{'size':>8}{'coded':>8}{'compress':>9}"
          f"{'encode':>9}{'compress':>10}{'ratio':>7}{'decode':>9}{'compress -d':>12}{'ratio':>7}")
    counts = []
    with tempfile.TemporaryDirectory() as work:
        work = Path(work)
        # Each program's count for a 1-byte input, its start, comes off its
        # counts for the real inputs.
        one, one_coded, one_packed, one_back = (work / n for n in ("1", "1.lzw", "1.Z", "1.back"))
        one.write_bytes(b"a")
        starts = (instructions(encoder, one, one_coded), instructions(compressor, one, one_packed),
                  instructions(decoder, one_coded, one_back),
                  instructions(decompressor, one_packed, one_back))
        for name, data in inputs().items():
            plain, coded, packed, back = (work / n for n in ("plain", "coded", "packed", "back"))
            plain.write_bytes(data)
            encode = time_runs(encoder, plain, coded)
            decode = time_runs(decoder, coded, back)
            if back.read_bytes() != data:
                sys.exit(f"{name}: the decoded bytes differ from the input")
            compress = time_runs(compressor, plain, packed)
            uncompress = time_runs(decompressor, packed, back)
            print(f"{name:<15}{len(data):>8}{coded.stat().st_size:>8}{packed.stat().st_size:>9}"
                  f"{encode:>9.3f}{compress:>10.3f}{compress / encode:>7.2f}"
                  f"{decode:>9.3f}{uncompress:>12.3f}{uncompress / decode:>7.2f}")
            counts.append((name, instructions(encoder, plain, coded) - starts[0],
                           instructions(compressor, plain, packed) - starts[1],
                           instructions(decoder, coded, back) - starts[2],
                           instructions(decompressor, packed, back) - starts[3]))
    print("ratio = ncompress time / codec time (above 1: the codec is faster)")
    print()
    print("the coding itself: millions of instructions (valgrind), less those for a 1-byte input")
    print(f"{'input':<15}{'encode':>9}{'compress':>10}{'ratio':>7}"
          f"{'decode':>9}{'compress -d':>12}{'ratio':>7}")
    for name, encode, compress, decode, uncompress in counts:
        print(f"{name:<15}{encode / 1e6:>9.3f}{compress / 1e6:>10.3f}{compress / encode:>7.2f}"
              f"{decode / 1e6:>9.3f}{uncompress / 1e6:>12.3f}{uncompress / decode:>7.2f}")
    print("ratio = ncompress instructions / codec instructions (above 1: the codec does less)")


if __name__ == "__main__":
    main()
