"""Runs of the heating commands through cadhost that do not do what their
script says, as a new user writes them: each prints its reason on standard
error, keeps the exit code the README gives and draws nothing it was not asked
for; the message boxes are echoed with their answers in UTF-8, and --help
names the commands, the order of their selections and what a manifold needs.

Usage: failed_runs.py CADHOST MODULE EXAMPLES_DIR
"""
import os
import re
import subprocess
import sys

from test_folders import TestFolders

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns, drawing_of, ends, words  # noqa: E402
from dxf_checks import check, failures  # noqa: E402

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
folders = TestFolders("failed-runs", failures)
cadhost = CadhostRuns(CADHOST, MODULE, EXAMPLES, folders)
MINIMAL = os.path.join(EXAMPLES, "minimal.dxf")
DESIGN = ["command dozidEzezOvedo", "select handles 100 101 103", "select handles 102 104"]
UNCHANGED = "run.script:{}: the drawing is saved unchanged: the command dozidEzezOvedo (line 1) failed and drew nothing"


def failed(name, lines, reasons, save_line, *options):
    """A run that fails: exit 1, every reason on stderr, the saved drawing as
    loaded and said to be so; answers (stderr, log)."""
    rc, err, log, saved = cadhost.run(name, "minimal.dxf", lines, *options)
    check(rc == 1, f"{name}: exit {rc}: {err}")
    for reason in reasons + [UNCHANGED.format(save_line)]:
        check(reason in err, f"{name}: no {reason!r} in {err!r}")
    check(not words(log, 114) or all(r.get("status") == "unchanged" for r in words(log, 114)),
          f"{name}: something was drawn")
    check(drawing_of(saved) == drawing_of(MINIMAL), f"{name}: the saved drawing is not the one loaded")
    return err, log


# ---- A script without `dialog end`: the dialog ends as cancelled ---------------------------
failed("no dialog end", DESIGN + ["dialog wait"],
       ["run.script:4: the dialog of command dozidEzezOvedo asks for the next dialog step, but no line of the "
        "command's input block is left: the block has no `dialog end`"], 6)

# ---- A selection that selects nothing says so --------------------------------------------
err, _ = failed("empty selection", DESIGN[:2] + ["select window 0,0 1,1", "dialog wait", "dialog end ok"],
                ["run.script:3: select window 0,0 1,1 selects nothing: the command gets no selection (-5001)",
                 "run.script:4: input not used by command dozidEzezOvedo: dialog wait (the command ended without "
                 "showing a dialog)"], 7)
rc, err, _, _ = cadhost.run("empty allowed", "minimal.dxf",
                            DESIGN[:2] + ["select window 0,0 1,1 empty-ok"])
check(rc == 0 and "selects nothing" not in err, f"empty-ok: exit {rc}: {err}")

# ---- Manifold, pipes and zones in one selection: the zones' prompt finds the dialog ---------
failed("one selection", ["command dozidEzezOvedo", "select handles 100 101 103 102 104", "dialog wait",
                         "dialog end ok"],
       ['run.script:3: command dozidEzezOvedo asks for a selection (word 138, "Vyberte uzavřené křivky výtopných '
        'zón:"), not for this line: dialog wait; line 2 answered the selection before it ("Vyberte rozdělovač a '
        'rozvody z rozdělovače:")'], 6)

# ---- Refused dialog steps say why, and the show ends as cancelled: nothing is drawn ----------
REFUSED_STEPS = [
    ("mistyped key", "dialog set CB_PIPE_PICH 0.1",
     "unknown setting CB_PIPE_PICH; the nearest known one is CB_PIPE_PITCH"),
    ("lower-case key", "dialog set cb_t_ti 21", "unknown setting cb_t_ti; the nearest known one is CB_T_TI"),
    ("decimal comma", "dialog set CB_PIPE_PITCH 0,1", '"0,1" is not a number: write a decimal point, 0.1'),
    ("out of range", "dialog set CIRCUIT_SHAPE 2 zone 1", "CIRCUIT_SHAPE must be a whole number from 0 to 1, not 2"),
    ("unknown zone", "dialog set CB_T_TI 21 zone 9", "there is no zone 9"),
    ("circuit key on a zone", "dialog set CB_IN_T1 45 zone 1",
     "CB_IN_T1 is a circuit's setting: give it circuit N, not zone 1"),
    ("calculated border", "dialog set CB_BORDER_R 0.1",
     "the border widths of zones 1, 2 are calculated (2.3 / M) while BORDER_FIXED is 0: set BORDER_FIXED 1 first"),
    ("calculated border of one zone", "dialog set CB_BORDER_R 0.1 zone 2",
     "the border width of zone 2 is calculated"),
    ("unknown pick", "dialog pick 0 zone 7", "there is no zone 7"),
    ("join", "dialog end 600 join 1 2", "zone 1 is not the last zone of a circuit, or zone 2 is not a zone without"),
    # Lengths no floor holds, refused by cadhost before the dialog sees them.
    ("spacing in cm", "dialog set CB_PIPE_PITCH 15 zone 1",
     "CB_PIPE_PITCH is in metres from 0.03 to 1, not 15: for 15 cm write 0.15"),
    ("spacing in mm", "dialog set CB_PIPE_PITCH 150", "CB_PIPE_PITCH is in metres from 0.03 to 1, not 150: for 150 mm "
     "write 0.15"),
    ("spacing too fine", "dialog set CB_PIPE_PITCH 0.02 zone 2", "CB_PIPE_PITCH is in metres from 0.03 to 1, not 0.02"),
    ("border over 1 m", "dialog set CB_BORDER_R 1.5 zone 1", "CB_BORDER_R is in metres from 0 to 1, not 1.5"),
    ("negative border", "dialog set CB_BORDER_R -0.05 zone 1", "CB_BORDER_R is in metres from 0 to 1, not -0.05"),
    ("pitch in cm", "dialog set PIPE_PITCH 15", "PIPE_PITCH is in metres from 0.01 to 1, not 15: for 15 cm write 0.15"),
    ("pitch too fine", "dialog set PIPE_PITCH 0.005", "PIPE_PITCH is in metres from 0.01 to 1, not 0.005"),
]
for name, step, reason in REFUSED_STEPS:
    err, log = failed(name, DESIGN + ["dialog wait", step, "dialog wait", "dialog end ok"],
                      [f"run.script:5: the dialog did not take the step: {step}: {reason}",
                       "run.script:7: the dialog ends as cancelled, not with `dialog end ok`: it refused the step "
                       "at line 5"], 9)
    shows = [r for r in log if r.get("kind") == "dialog" and r.get("event") == "end"]
    check([(r["code"], r.get("refusedStep")) for r in shows] == [(2, 5)], f"{name}: the show ended {shows}")
    refused_by = [r.get("refusedBy") for r in log if r.get("event") == "step" and r.get("line") == 5]
    check(refused_by == ["cadhost" if "is in metres" in reason else None], f"{name}: refused by {refused_by}")
    check(ends(log) == [0x80000020], f"{name}: word 19 {ends(log)}")

# The border width once it is fixed is taken, in the same show.
rc, err, log, _ = cadhost.run("fixed border", "minimal.dxf", DESIGN + [
    "dialog set BORDER_FIXED 1 zone 2", "dialog set CB_BORDER_R 0.05 zone 2", "dialog wait", "dialog end ok"])
check(rc == 0 and "did not take" not in err, f"fixed border: exit {rc}: {err}")

# ---- An unknown command lists the module's commands ---------------------------------------
rc, err, _, _ = cadhost.run("unknown command", "minimal.dxf", ["command dozidEzezOvedoo", "select handles 100"])
check(rc == 1 and "run.script:1: the module exports no command dozidEzezOvedoo; its commands: dozidEzezOvedo, "
      "dozidEzezOvedoEdit, floorOffsetTest" in err, f"unknown command: exit {rc}: {err}")

# ---- Message boxes are echoed as they are shown, in UTF-8, with their answers -------------------
refusal = ["command dozidEzezOvedo", "select handles 500 501", "select handles 502 509"]
rc, err, log, _ = cadhost.run("echo", "refusals.dxf", refusal, quiet=False)
check(rc == 0 and 'cadhost: message box (error) "cadhost": [276] Některé křivky hranic zón nejsou uzavřené. '
      "[answer: OK, by default]" in err, f"echo: exit {rc}: {err}")
rc, err, log, _ = cadhost.run("quiet", "refusals.dxf", refusal)
check(rc == 0 and "message box" not in err, f"--quiet: exit {rc}: {err}")
# The bytes themselves are UTF-8, whatever the locale.
work = folders.new("echo bytes")
script = os.path.join(work, "run.script")
with open(script, "w", encoding="utf-8") as f:
    f.write("\n".join(refusal) + "\n")
done = subprocess.run([CADHOST, "--module", MODULE, "--host-dir", os.path.join(EXAMPLES, "host"),
                       os.path.join(EXAMPLES, "refusals.dxf"), script], capture_output=True, timeout=300,
                      env={**os.environ, "LC_ALL": "C"})
check("Některé křivky".encode("utf-8") in done.stderr, f"echo bytes: {done.stderr!r}")

# ---- --help: the commands, their selections in order, what a manifold needs ---------------------
done = subprocess.run([CADHOST, "--module", MODULE, "--help"], capture_output=True, text=True, timeout=120)
text = done.stdout
order = [text.find(part) for part in ("Commands of the module", "  dozidEzezOvedo\n", "1. the heating manifold",
                                      "2. the closed outlines of the heating zones", "  dozidEzezOvedoEdit\n",
                                      "  floorOffsetTest\n")]
check(done.returncode == 0 and -1 not in order and order == sorted(order), f"--help: the commands {order}")
for part in ("QEV_DATA", "QEV_INSPT", "item record", "QevProducts.dat", "--products", "in Czech",
             "--scale X             the drawing scale (word 32, default 1): the module sizes",
             "More: cadhost --help manifold", "--help dialog", "--help messages", "cadhost --help dialog)"):
    check(part in text, f"--help says nothing of {part}")
done = subprocess.run([CADHOST, "--module", MODULE, "--help", "manifold"], capture_output=True, text=True, timeout=120)
for part in ('1. "QEV_DATA" extended data', "_QEVITEM_ID", '"E@CxR"', "TOT0000-0023, or TOT0000-0001",
             "product file", '4. "QEV_INSPT" extended data', "5. The block's connection points", "at least 4",
             "1001 QEV_DATA\n    1000 E@2x1", 'ref.set_xdata("QEV_INSPT"'):
    check(part in done.stdout, f"--help manifold says nothing of {part}")

# ---- Every key --help dialog lists, written with its default and its target, is taken ----------
done = subprocess.run([CADHOST, "--module", MODULE, "--help", "dialog"], capture_output=True, text=True, timeout=120)
keys = re.findall(r"^  ([A-Z0-9_]+) (zone N|circuit N|\(no target\)): .*, default (\S+)(?:; a design input)?$",
                  done.stdout, re.MULTILINE)
check(len(keys) >= 29 and len({k for k, _, _ in keys}) == len(keys), f"--help dialog: keys {keys}")
# The border width is taken once it is fixed: BORDER_FIXED is set to 1.
steps = [f"dialog set {key} {'1' if key == 'BORDER_FIXED' else default}" +
         (" " + target.replace("N", "1") if "N" in target else "") for key, target, default in keys]
rc, err, log, _ = cadhost.run("every key", "minimal.dxf", DESIGN + steps + ["dialog wait", "dialog end ok"])
taken = [r["step"] for r in log if r.get("event") == "step" and r.get("status") == 5100]
check(rc == 0 and taken == steps + ["dialog wait", "dialog end ok"], f"every key: exit {rc}: {err}")
done = subprocess.run([CADHOST, "--help", "--module", os.path.join(EXAMPLES, "no-such.crx")], capture_output=True,
                      text=True, timeout=120)
check(done.returncode == 0 and "(the file does not exist)" in done.stdout, f"--help without a module: {done.stdout[-200:]}")

folders.close()
if failures:
    print("\n".join(failures[:60]) + f"\n{len(failures)} failure(s)")
    sys.exit(1)
print("failed runs: all checks passed")
