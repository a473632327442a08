"""test_folders.py on a child script that runs passing and failing cases: only
the failing cases' folders stay, each named in the child's output, also when
the child dies inside a case."""
import os
import subprocess
import sys

from test_folders import TestFolders

CHILD = """
import sys
from test_folders import TestFolders
failures = []
folders = TestFolders("probe", failures)
open(folders.new("passes") + "/note", "w").close()
open(folders.new("fails") + "/note", "w").close()
failures.append("failing on purpose")
with folders.case("block-passes") as work:
    open(work + "/note", "w").close()
try:
    with folders.case("block-raises") as work:
        open(work + "/note", "w").close()
        raise ValueError("raising on purpose")
except ValueError:
    pass
folders.new("reads-the-failed-one")
if sys.argv[1] == "die":
    folders.new("dies")
    raise RuntimeError("dying on purpose")
folders.close()
"""

failures = []
folders = TestFolders("test-folders", failures)
for how, kept in (("end", ["fails", "block-raises"]), ("die", ["fails", "block-raises", "dies"])):
    temp = folders.new(how)
    done = subprocess.run([sys.executable, "-c", CHILD, how], capture_output=True, text=True, timeout=60,
                          env=dict(os.environ, TMPDIR=temp))
    left = sorted(os.listdir(temp))
    cases = sorted(name[len("hv-test-probe-"):name.rindex("-")] for name in left)
    if cases != sorted(kept):
        failures.append(f"{how}: left {left}, wanted the folders of {kept}: {done.stdout} {done.stderr}")
    for name in left:
        if f"its folder is kept: {os.path.join(temp, name)}\n" not in done.stdout:
            failures.append(f"{how}: {name} is not named: {done.stdout}")
    if (done.returncode != 0) != (how == "die"):
        failures.append(f"{how}: exit {done.returncode}: {done.stderr}")
folders.close()
print("\n".join(failures) or "test folders: ok")
sys.exit(1 if failures else 0)
