"""cadhost runs of the heating commands for their end-to-end tests: a drawing
and a script in a test folder of their own, the call log read back, and what
the tests read from the log and from the saved drawings."""
import json
import os
import subprocess

import ezdxf


class CadhostRuns:
    def __init__(self, cadhost, module, examples, folders):
        self.cadhost, self.module, self.examples, self.folders = cadhost, module, examples, folders
        self.host = os.path.join(examples, "host")

    def run(self, name, drawing, lines, *options, script=None, saved="out.dxf", quiet=True):
        """cadhost on the drawing (a path, or a name in the examples folder)
        with a script of `lines` that ends by saving `saved`, or with the
        script file given, with --quiet unless told: (exit code, stderr, log
        records, the saved drawing's path)."""
        work = self.folders.new(name)
        if script is None:
            script = os.path.join(work, "run.script")
            with open(script, "w", encoding="utf-8") as f:
                f.write("".join(line + "\n" for line in lines + ["end", "save " + saved]))
        log_path = os.path.join(work, "log.jsonl")
        done = subprocess.run([self.cadhost, "--module", self.module, "--host-dir", self.host, "--log", log_path,
                               "--out-dir", work, *(["--quiet"] if quiet else []), *options,
                               os.path.join(self.examples, drawing), script],
                              capture_output=True, text=True, timeout=600)
        with open(log_path, encoding="utf-8") as f:
            records = [json.loads(line) for line in f]
        return done.returncode, done.stderr, records, os.path.join(work, saved)


def words(log, word):
    return [r for r in log if r.get("kind") == "word" and r.get("word") == word]


def boxes(log):
    return [(r["text"], r["flags"], r["caption"]) for r in log if r.get("kind") == "msgbox"]


def box_numbers(log):
    """The string numbers of the boxes' texts (None for a text of no string)."""
    return [r.get("string") for r in log if r.get("kind") == "msgbox"]


def manifold_misses(log):
    """What cadhost found the refused manifolds to miss: [(handle, [miss...])]."""
    return [(r["handle"], r["misses"]) for r in log if r.get("kind") == "manifold"]


def ends(log):
    return [r["code"] for r in words(log, 19)]


def drawing_of(path):
    return {e.dxf.handle: (e.dxftype(), e.dxf.get("layer")) for e in ezdxf.readfile(path).modelspace()}
