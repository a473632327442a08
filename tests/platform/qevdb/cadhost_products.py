"""The product records as the cadhost executable serves them.

Usage: cadhost_products.py CADHOST EXAMPLES_DIR

The default host folder holds the shipped records (profession T); another
host folder without Dat/QevProducts.dat, and --products none, give no
databases; a malformed record file stops cadhost before anything runs, with
exit code 2 and "file:line: message" on standard error.
"""
import json
import os
import subprocess
import sys

from test_folders import TestFolders

CADHOST, EXAMPLES = sys.argv[1:3]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def run(work, *options):
    script = os.path.join(work, "run.script")
    with open(script, "w", encoding="utf-8") as f:
        f.write("summary\n")
    log = os.path.join(work, "log.jsonl")
    if os.path.exists(log):
        os.remove(log)
    args = [CADHOST, "--log", log, "--out-dir", work, "--quiet", *options,
            os.path.join(EXAMPLES, "minimal.dxf"), script]
    done = subprocess.run(args, capture_output=True, text=True, timeout=300)
    products = None
    if os.path.exists(log):
        with open(log, encoding="utf-8") as f:
            for line in f:
                record = json.loads(line)
                if record.get("kind") == "products":
                    products = record
    return done, products


with TestFolders("products", failures).case("products") as work:
    done, products = run(work)
    check(done.returncode == 0, f"default host folder: exit {done.returncode}: {done.stderr}")
    check(products and products["file"].endswith("QevProducts.dat") and products["professions"] == "T",
          f"default host folder: {products}")

    empty_host = os.path.join(work, "host")
    os.makedirs(os.path.join(empty_host, "Dat"))
    done, products = run(work, "--host-dir", empty_host)
    check(done.returncode == 0 and products == {"kind": "products", "file": "", "professions": ""},
          f"host folder without records: {done.returncode} {products}")

    done, products = run(work, "--products", "none")
    check(done.returncode == 0 and products["professions"] == "", f"--products none: {products}")

    bad = os.path.join(work, "bad.dat")
    for text, line, message in [
        ("[ITEM TX]\nNUMID=1\nPARAM1=L\n", 3, "a PARAM is key|value|type"),
        ("; comment\n[ITEM TX]\nNUMID=1\n[ITEM TX]\nNUMID=2\n", 4, "item TX is given twice"),
    ]:
        with open(bad, "w", encoding="utf-8") as f:
            f.write(text)
        done, _ = run(work, "--products", bad)
        check(done.returncode == 2, f"{message}: exit {done.returncode}")
        check(f"{bad}:{line}: {message}" in done.stderr, f"{message}: stderr {done.stderr!r}")

    # A malformed default file stops the run as well.
    with open(os.path.join(empty_host, "Dat", "QevProducts.dat"), "w", encoding="utf-8") as f:
        f.write("[ITEM TX]\n")
    done, _ = run(work, "--host-dir", empty_host)
    check(done.returncode == 2 and "QevProducts.dat:1: item TX has no NUMID" in done.stderr,
          f"malformed default file: {done.returncode} {done.stderr!r}")

if failures:
    sys.exit(f"{len(failures)} failure(s)")
print("ok")
