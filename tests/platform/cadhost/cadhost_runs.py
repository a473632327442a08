"""End-to-end runs of the cadhost executable.

Usage: cadhost_runs.py CADHOST TEST_MODULE EXAMPLES_DIR

Runs the host on the example drawings with small scripts, with the real
module (selection only) and with the test module (whose commands call the
host words), and checks exit codes, messages, the JSON call log and every
saved drawing (ezdxf audit without errors).
"""
import json
import os
import shutil
import subprocess
import sys

import ezdxf
from test_folders import TestFolders

CADHOST, TEST_MODULE, EXAMPLES = sys.argv[1:4]
failures = []
folders = TestFolders("cadhost", failures)


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def run(name, drawing, script, *options, module=None, quiet=True):
    """Runs cadhost (with --quiet unless told); answers (exit code, stdout,
    stderr, log records, work dir)."""
    work = folders.new(name)
    script_path = os.path.join(work, name + ".script")
    with open(script_path, "w", encoding="utf-8") as f:
        f.write(script)
    log_path = os.path.join(work, "log.jsonl")
    args = [CADHOST, "--log", log_path, "--out-dir", work] + (["--quiet"] if quiet else [])
    if module:
        args += ["--module", module]
    args += list(options) + [drawing, script_path]
    done = subprocess.run(args, capture_output=True, text=True, timeout=300)
    records = []
    if os.path.exists(log_path):
        with open(log_path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                try:
                    records.append(json.loads(line))
                except json.JSONDecodeError as e:
                    check(False, f"{name}: log line {number} is not JSON: {e}")
    return done.returncode, done.stdout, done.stderr, records, work


def audited(name, path):
    """Loads a saved drawing with ezdxf; its audit must find no errors."""
    check(os.path.exists(path), f"{name}: {path} was not saved")
    if not os.path.exists(path):
        return None
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    check(not auditor.has_errors, f"{name}: ezdxf audit of {path}: {[str(e.message) for e in auditor.errors]}")
    return doc


def words(records, word):
    return [r for r in records if r.get("kind") == "word" and r.get("word") == word]


def command_results(records):
    return [r["result"] for r in records if r.get("kind") == "command" and r.get("event") == "end"]


minimal = os.path.join(EXAMPLES, "minimal.dxf")
three = os.path.join(EXAMPLES, "three-zones.dxf")

# The main job's selection script with the real module.
rc, out, err, log, work = run("summary", minimal,
                              "select handles 100 101\nselect all type=LWPOLYLINE layer=ZONY\nsummary\nsave sel.dxf\n")
check(rc == 0, f"summary: exit {rc}: {err}")
check(f"saved {os.path.join(work, 'sel.dxf')} (5 entities)\n" in out, f"summary: the saved line: {out}")
check("INSERT 1, LINE 1" in out and "QEV_DATA, QEV_INSPT" in out and "RZ_TEST" in out, f"summary output: {out}")
summary = [r for r in log if r.get("kind") == "summary"]
check(len(summary) == 1 and summary[0]["selections"][1]["kinds"] == {"LWPOLYLINE": 2}, f"summary log: {summary}")
check(any(r.get("kind") == "module" and r.get("event") == "InitInstance" for r in log), "the module was not initialised")
check(words(log, 109) and words(log, 109)[0]["answer"].endswith("/host"), "word 109 answers the host folder")
audited("summary", os.path.join(work, "sel.dxf"))

# The real module exports no such command: exit 1, a message naming the line.
rc, out, err, log, work = run("unknown", minimal, "command noSuchCommand\nselect handles 100\n")
check(rc == 1 and "unknown.script:1: the module exports no command noSuchCommand" in err, f"unknown: {rc} {err}")
check(command_results(log) == ["not run"], f"unknown: {command_results(log)}")

# Unusable arguments, drawing or script: exit 2 with a message naming the file (and line).
rc, _, err, _, _ = run("args", minimal, "summary\n", "--unit-factor", "x")
check(rc == 2 and "--unit-factor" in err, f"bad option: {rc} {err}")
bad_drawing = os.path.join(folders.new("baddrawing-input"), "bad.dxf")
with open(bad_drawing, "w") as f:
    f.write("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n")
rc, _, err, _, _ = run("baddrawing", bad_drawing, "summary\n")
check(rc == 2 and bad_drawing in err, f"bad drawing: {rc} {err}")
rc, _, err, _, _ = run("badscript", minimal, "summary\nselect window 1,2\n")
check(rc == 2 and "badscript.script:2:" in err, f"bad script: {rc} {err}")
rc, _, err, _, _ = run("outside", minimal, "point 1,2\n")
check(rc == 2 and "outside.script:1: point line outside a command" in err, f"input outside: {rc} {err}")
done = subprocess.run([CADHOST, "--help"], capture_output=True, text=True, timeout=60)
check(done.returncode == 0 and "select handles" in done.stdout and "dialog end" in done.stdout, "--help")

# A made entity is saved, audits clean and comes back identically after reload.
rc, _, err, log, work = run("make", minimal, "command tmMakeLine\nsave made.dxf\n", module=TEST_MODULE)
check(rc == 0, f"make: exit {rc}: {err}")
made = [r for r in words(log, 114) if r.get("status") == "made"]
reserved = words(log, 164)
check(len(made) == 1 and reserved and made[0]["handle"] == reserved[0]["answer"], f"make: {made} {reserved}")
check(any(r.get("kind") == "table" and r.get("name") == "T-podlahove_vytapeni" for r in log), "the layer was created")
doc = audited("make", os.path.join(work, "made.dxf"))
if doc is not None and made:
    line = doc.entitydb.get(made[0]["handle"])
    check(line is not None and line.dxftype() == "LINE" and line.dxf.layer == "T-podlahove_vytapeni", "the line in ezdxf")
    check(line is not None and line.get_xdata("QEV_DATA")[0].value == "Žluťoučký kůň", "xdata in ezdxf")
    rc, _, err, log2, _ = run("echo", os.path.join(work, "made.dxf"),
                              f"command tmEcho\nselect handles {made[0]['handle']}\n", module=TEST_MODULE)
    check(rc == 0 and [r["status"] for r in words(log2, 114)] == ["unchanged"], f"echo after reload: {rc} {err}")

# Word 19 with a refusal code rolls back: exit 1, the drawing unchanged.
rc, _, err, log, work = run("rollback", minimal, "command tmRollback\nsave after.dxf\n", module=TEST_MODULE)
check(rc == 1 and command_results(log) == ["rolled back"], f"rollback: {rc} {command_results(log)}")
doc = audited("rollback", os.path.join(work, "after.dxf"))
if doc is not None:
    check(sorted(e.dxf.handle for e in doc.modelspace()) == ["100", "101", "102", "103", "104"],
          "rollback left the drawing unchanged")

# A command that ends inside its transaction is rolled back (or kept with --keep-partial).
rc, _, err, log, _ = run("open", minimal, "command tmLeaveOpen\n", module=TEST_MODULE)
check(rc == 1 and "open transaction" in err and command_results(log) == ["rolled back"], f"open: {rc} {err}")
rc, _, err, log, work = run("partial", minimal, "command tmLeaveOpen\nsave p.dxf\n", "--keep-partial", module=TEST_MODULE)
doc = audited("partial", os.path.join(work, "p.dxf"))
check(doc is not None and len(doc.modelspace()) == 6, "--keep-partial keeps the output")

# Word 142: erase marks become final at the commit, and are dropped without one.
rc, _, err, log, work = run("handover", minimal, "command tmHandOver\nselect handles 102\nsave h.dxf\n",
                            module=TEST_MODULE)
check(rc == 0 and words(log, 19)[0]["erased"] == ["102"], f"handover: {rc} {err} {words(log, 19)}")
doc = audited("handover", os.path.join(work, "h.dxf"))
check(doc is not None and "102" not in [e.dxf.handle for e in doc.modelspace()], "the handed-over zone is erased")
rc, _, err, log, work = run("handover-fail", minimal, "command tmHandOverNoCommit\nselect handles 102\nsave h.dxf\n",
                            module=TEST_MODULE)
check(rc == 1 and any(r.get("kind") == "erase" and r["handles"] == ["102"] for r in log), f"handover-fail: {rc}")
doc = audited("handover-fail", os.path.join(work, "h.dxf"))
check(doc is not None and sorted(e.dxf.handle for e in doc.modelspace()) == ["100", "101", "102", "103", "104"],
      "a failed output erases nothing")
rc, _, err, log, work = run("handover-now", minimal, "command tmHandOverNoCommit\nselect handles 102\nsave h.dxf\n",
                            "--142=immediate", module=TEST_MODULE)
doc = audited("handover-now", os.path.join(work, "h.dxf"))
check(doc is not None and "102" not in [e.dxf.handle for e in doc.modelspace()], "--142=immediate erases at once")

# Inputs from the script; message boxes answered from msgbox lines or with ok.
rc, _, err, log, _ = run("inputs", minimal,
                         "command tmInputs\nkeyword zónami\npoint 10,20\ndistance 200\nmsgbox no\n",
                         "--ucs", "1000,1000,0,1", module=TEST_MODULE)
check(rc == 0, f"inputs: exit {rc}: {err}")
check(words(log, 127) and words(log, 127)[0]["index"] == 2
      and words(log, 127)[0]["prompt"] == "Zadejte typ offsetu Normální/Inkrementální/inkrementální se Zónami polovičních vah:",
      f"keyword: {words(log, 127)}")
check(words(log, 35) and words(log, 35)[0]["answer"] == [980, 1010], f"point to world: {words(log, 35)}")
check(words(log, 198) and words(log, 198)[0]["distance"] == 200, "distance")
boxes = [r for r in log if r.get("kind") == "msgbox"]
check([b["answer"] for b in boxes] == [7, 1] and boxes[0]["icon"] == "warning" and boxes[0]["line"] == 5,
      f"message boxes: {boxes}")

# A missing input answers -5001 and logs "script exhausted"; the run fails.
rc, _, err, log, _ = run("exhausted", minimal, "command tmInputs\nkeyword 0\n", module=TEST_MODULE)
check(rc == 1 and any(r.get("error") == "script exhausted" for r in log), f"exhausted: {rc}")
check(words(log, 118) and words(log, 118)[0]["answer"] == -5001, "word 118 without a line answers -5001")
rc, _, err, log, _ = run("mismatch", minimal, "command tmInputs\npoint 1,1\n", module=TEST_MODULE)
check(rc == 1 and any(r.get("error") == "script mismatch" and r.get("line") == 2 for r in log), f"mismatch: {rc}")
rc, _, err, log, _ = run("unused", minimal, "command tmInputs\nkeyword 0\npoint 1,1\ndistance 1\nmsgbox ok\nmsgbox ok\nmsgbox ok\n",
                         module=TEST_MODULE)
check(rc == 1 and "unused.script:7: input not used by command tmInputs: msgbox ok" in err, f"unused: {rc} {err}")

# Blocks: an anonymous block is defined, walked and inserted.
rc, _, err, log, work = run("blocks", three, "command tmBlocks\nsave b.dxf\n", module=TEST_MODULE)
check(rc == 0, f"blocks: exit {rc}: {err}")
defined = [r for r in words(log, 111) if r["mode"] == 0]
check(defined and defined[0]["defined"].startswith("*U"), f"blocks: {defined}")
doc = audited("blocks", os.path.join(work, "b.dxf"))
if doc is not None and defined:
    inserts = [e for e in doc.modelspace() if e.dxftype() == "INSERT" and e.dxf.name == defined[0]["defined"]]
    check(len(inserts) == 1 and len(doc.blocks.get(defined[0]["defined"])) == 1, "the block and its reference")

# Design threads call word 33 and fetch the table while the command works.
rc, _, err, log, _ = run("threads", minimal, "command tmThreads\n", module=TEST_MODULE)
check(rc == 0 and sum(1 for r in words(log, 33) if r.get("thread") == "worker") == 1200, f"threads: {rc} {err}")

# The scripted dialog: steps go to the module's driver, the end code comes back.
rc, _, err, log, _ = run("dialog", minimal,
                         "command tmDialog\ndialog wait 5\ndialog set PipeSpacing 150 zone 1\ndialog end ok\n",
                         module=TEST_MODULE)
ends = [r for r in log if r.get("kind") == "dialog" and r.get("event") == "end"]
check(rc == 0 and ends and ends[0]["code"] == 1, f"dialog: {rc} {err} {ends}")
rc, _, err, log, _ = run("nodialog", minimal, "command tmMakeLine\ndialog end ok\n", module=TEST_MODULE)
check(rc == 1 and "nodialog.script:2:" in err and "dialog" in err, f"dialog line nobody takes: {rc} {err}")

# The floor-structure library stand-in; without it the module finds none.
rc, _, err, log, _ = run("floorlib", minimal, "command tmFloorLib\nfloorlib P1\n", module=TEST_MODULE)
check(rc == 0 and any(r.get("function") == "HV_FLOOR_ENUM_DEF" and r["answer"] == 3 for r in log), f"floorlib: {rc} {err}")
rc, _, err, log, _ = run("nofloorlib", minimal, "command tmFloorLib\n", "--no-floorlib", module=TEST_MODULE)
check(rc == 1 and "no floor library" in err, f"--no-floorlib: {rc} {err}")

# The description formatter stand-in; without it the module finds none.
rc, _, err, log, _ = run("desc", minimal, "command tmDescFormat\n", module=TEST_MODULE)
check(rc == 0 and any(r.get("kind") == "desc" and r["answer"] == "1/Žár:%, %D" for r in log), f"desc: {rc} {err}")
rc, _, err, log, _ = run("nodesc", minimal, "command tmDescFormat\n", "--no-desc", module=TEST_MODULE)
check(rc == 1 and "no description formatter" in err, f"--no-desc: {rc} {err}")

# Injected failures: the K-th call of a word in each command answers -5001.
rc, _, err, log, work = run("inject", minimal, "command tmMakeLine\ncommand tmMakeLine\nsave i.dxf\n",
                            "--fail-word", "114@2", "--fail-word", "114@1", module=TEST_MODULE)
made = words(log, 114)
check(rc == 0 and [r["answer"] for r in made] == [-5001, -5001] and all(r.get("injected") for r in made),
      f"--fail-word 114@1: {rc} {err} {made}")
for bad in ("19@1", "114@0", "114", "x@1"):
    rc, _, err, _, _ = run("badinject", minimal, "summary\n", "--fail-word", bad)
    check(rc == 2 and "--fail-word" in err, f"--fail-word {bad}: {rc} {err}")

# An exception out of a command is a failure, not a crash.
rc, _, err, log, _ = run("throw", minimal, "command tmThrow\n", module=TEST_MODULE)
check(rc == 1 and "failed on purpose" in err, f"throw: {rc} {err}")

# Selections inside a command: cancel, fail, empty results.
rc, _, err, log, _ = run("cancel", minimal, "command tmSelect\nselect cancel\n", module=TEST_MODULE)
check(rc == 0 and words(log, 138)[0]["answer"] == -5002 and len(words(log, 138)) == 1, f"cancel: {rc}")
check("Vyberte rozdělovač a rozvody z rozdělovače:" == words(log, 138)[0]["prompt"], "the narrow prompt is decoded")
rc, _, err, log, _ = run("empty", minimal, "command tmSelect\nselect window -100,-100 -50,-50\n", module=TEST_MODULE)
check(rc == 0 and words(log, 138)[1]["answer"] == -5001 and words(log, 138)[1]["filter"] == 4, f"empty: {rc}")
rc, _, err, log, _ = run("window", three, "command tmSelect\nselect window -1,-1 20000,20000\n", module=TEST_MODULE)
selected = [r["handle"] for r in words(log, 167) if r["answer"] == "list"]
check(rc == 0 and len(selected) >= 6 and words(log, 167)[-1]["answer"] is None, f"window: {rc} {selected}")

# A handle that selects nothing fails the run, which still goes on.
rc, out, err, log, work = run("missing", minimal, "select handles 100 FFFF\nsave m.dxf\n")
check(rc == 1 and "missing.script:1: no object has handle FFFF" in err and "saved" in out, f"missing: {rc} {err}")

# Saves create no folders and replace no read-only file, nor a file the run
# uses; a failed save ends the run. The log may not replace the drawing.
spare = folders.new("spare")
readonly, drawing = os.path.join(spare, "ro.dxf"), os.path.join(spare, "in.dxf")
with open(readonly, "w") as f:
    f.write("keep")
os.chmod(readonly, 0o444)
shutil.copy(minimal, drawing)
for name, target, message in (("nofolder", "no/x.dxf", "the folder {work}/no does not exist"),
                              ("readonly", readonly, f"cannot save {readonly}: the file is read-only"),
                              ("overinput", drawing, "it is the drawing loaded"),
                              ("isfolder", spare, "save needs a file name, not a folder")):
    rc, out, err, log, work = run(name, drawing, f"save {target}\nsave after.dxf\n")
    check(rc == 1 and message.format(work=work) in err, f"{name}: {rc} {err}")
    check(sorted(os.listdir(work)) == sorted(["log.jsonl", name + ".script"]), f"{name}: {os.listdir(work)} left")
rc, _, err, _, work = run("logdrawing", drawing, "summary\n", "--log", drawing)
check(rc == 2 and "--log" in err, f"--log at the drawing: {rc} {err}")
with open(readonly) as f, open(drawing, "rb") as g, open(minimal, "rb") as h:
    check(f.read() == "keep" and g.read() == h.read(), "a protected file was replaced")
rc, _, err, _, _ = run("savefolder", minimal, "save sub/\n")
check(rc == 2 and "savefolder.script:1: save needs a file name, not a folder" in err, f"save sub/: {rc} {err}")

# Every example script succeeds with the example host folder: it runs only
# what the module exports. A script runs on the drawing of its name, or on the
# drawing its name begins with (three-zones-pages.script on three-zones.dxf),
# an edit script on the design its example saved.
def example_drawing(script):
    stem = script[:-len(".script")]
    drawings = [n[:-4] for n in os.listdir(EXAMPLES) if n.endswith(".dxf")]
    return os.path.join(EXAMPLES, max((d for d in drawings if stem == d or stem.startswith(d + "-")), key=len) + ".dxf")


# An edit script (NAME-edit.script) runs on the design that NAME.script
# saved, after the others.
designs = {}
for name in sorted((n for n in os.listdir(EXAMPLES) if n.endswith(".script")), key=lambda n: n.endswith("-edit.script")):
    drawing = designs.get(name[:-len("-edit.script")]) if name.endswith("-edit.script") else example_drawing(name)
    with open(os.path.join(EXAMPLES, name), encoding="utf-8") as f:
        rc, out, err, log, work = run("example-" + name[:-7], drawing, f.read(),
                                      "--host-dir", os.path.join(EXAMPLES, "host"))
    check(rc == 0, f"example {name}: exit {rc}: {err}")
    for saved in (r["file"] for r in log if r.get("kind") == "save"):
        audited("example " + name, saved)
        designs[name[:-len(".script")]] = saved

# ---- Why a run fails, on standard error --------------------------------------------------------
# What the command asks for when the script has no line for it, or another one.
rc, _, err, _, _ = run("exhausted-why", minimal, "command tmInputs\nkeyword 0\n", module=TEST_MODULE)
check(rc == 1 and 'exhausted-why.script:2: command tmInputs asks for a point (word 118, "Vyberte bod vložení:"), '
      "but no line of the command's input block is left" in err, f"exhausted: {err}")
rc, _, err, _, _ = run("mismatch-why", minimal, "command tmInputs\npoint 1,1\n", module=TEST_MODULE)
check(rc == 1 and 'mismatch-why.script:2: command tmInputs asks for a keyword (word 127, "Zadejte typ offsetu '
      'Normální/Inkrementální/inkrementální se Zónami polovičních vah:"), not for this line: point 1,1' in err and
      "input not used" not in err, f"mismatch: {err}")
# The boxes as they are shown, with the answer and what gave it.
rc, _, err, log, _ = run("echo", minimal, "command tmInputs\nkeyword 0\npoint 1,1\ndistance 1\nmsgbox no\n",
                         module=TEST_MODULE, quiet=False)
check(rc == 0 and 'message box (warning) "Test": První zpráva [answer: No, line 5]' in err and
      'message box (question) "Test": Druhá zpráva [answer: OK, by default]' in err, f"echo: {err}")
# An empty selection outside a command only says so; inside one the command gets none.
rc, _, err, _, _ = run("empty-outside", minimal, "select window -100,-100 -50,-50\nsummary\n")
check(rc == 0 and err.startswith("cadhost: ") and err.count("\n") == 1 and
      err.endswith("empty-outside.script:1: select window -100,-100 -50,-50 selects nothing\n"),
      f"empty outside: {rc} {err}")
rc, _, err, _, _ = run("empty-inside", minimal, "command tmSelect\nselect window -100,-100 -50,-50\n", module=TEST_MODULE)
check(rc == 0 and "selects nothing: the command gets no selection (-5001)" in err, f"empty inside: {rc} {err}")
# A save after a failed command: unchanged, or with what was committed before.
rc, out, err, _, _ = run("after-failure", minimal, "command tmThrow\nsave a.dxf\ncommand tmMakeLine\nsave b.dxf\n",
                         module=TEST_MODULE)
check(rc == 1 and "after-failure.script:2: the drawing is saved unchanged: the command tmThrow (line 1) failed" in err
      and err.count("saved unchanged") == 1 and "(6 entities)" in out, f"after a failure: {rc} {err} {out}")
rc, _, err, _, _ = run("kept", minimal, "command tmMakeLine\ncommand tmRollback\ncommand tmThrow\nsave k.dxf\n",
                       module=TEST_MODULE)
check(rc == 1 and "kept.script:4: the drawing is saved after the failed commands tmRollback (line 2), tmThrow (line 3), "
      "with the output committed before" in err, f"kept output: {rc} {err}")
rc, _, err, _, _ = run("unknown-test", minimal, "command tmNone\n", module=TEST_MODULE)
check(rc == 1 and "its commands: tmBlocks, tmDescFormat, tmDialog, tmDynamicTls, tmEcho, tmFloorLib, " in err,
      f"unknown test command: {err}")

folders.close()
print(f"{len(failures)} failed" if failures else "all cadhost runs passed")
sys.exit(1 if failures else 0)
