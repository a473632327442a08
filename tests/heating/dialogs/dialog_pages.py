"""The dialog pages' steps of dozidEzezOvedo through cadhost with the example
host folder: the example examples/three-zones-pages.script (replies, the saved
design with its new numbers, colour and joined room, and the new pipe pitch
measured where the pipes enter their first zones), steps the dialog refuses
(exit 1, a logged fault, nothing changed) and lines the script refuses (exit 2).

Usage: dialog_pages.py CADHOST MODULE EXAMPLES_DIR
"""
import json
import math
import os
import subprocess
import sys

import ezdxf
from test_folders import TestFolders

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, os.path.join(HERE, "..", "design"))
from design_dxf_check import check_design  # noqa: E402
from dxf_checks import check, failures  # noqa: E402

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
DRAWING = os.path.join(EXAMPLES, "three-zones.dxf")
folders = TestFolders("dialog-pages", failures)
REFUSED = 0x80000020


def run(name, script_lines=None, script=None):
    """cadhost on the three zones: (exit code, stderr, log records, folder)."""
    work = folders.new(name)
    if script is None:
        script = os.path.join(work, "run.script")
        with open(script, "w", encoding="utf-8") as f:
            f.write("".join(line + "\n" for line in script_lines))
    log_path = os.path.join(work, "log.jsonl")
    done = subprocess.run([CADHOST, "--module", MODULE, "--host-dir", os.path.join(EXAMPLES, "host"), "--log",
                           log_path, "--out-dir", work, "--quiet", DRAWING, script],
                          capture_output=True, text=True, timeout=600)
    records = []
    if os.path.exists(log_path):
        with open(log_path, encoding="utf-8") as f:
            records = [json.loads(line) for line in f]
    return done.returncode, done.stderr, records, work


def steps(log):
    return [r for r in log if r.get("kind") == "dialog" and r.get("event") == "step"]


def replies(log):
    return {r["step"]: r.get("reply") for r in steps(log)}


# ---- The example: replies, numbers, colour, join and pitch --------------------------------------
rc, err, log, work = run("example", script=os.path.join(EXAMPLES, "three-zones-pages.script"))
check(rc == 0, f"example: exit {rc}: {err}")
got = replies(log)
expected = {
    "dialog pick 0 zone 1": "keys: zone 1 circuit 1; zones: 1; circuit: 1",
    "dialog number zone 4": "0",
    "dialog number circuit 5": "0",
    "dialog colors 5=6": "2=3 5=6",
    "dialog pick 0 option 6 zone 3 zone 4": "keys: zone 3 zone 4 circuit 5; zones: 4 3; circuit: 5",
}
for step, reply in expected.items():
    check(got.get(step) == reply, f"example: {step}: {got.get(step)!r}")
# The L room: 13 m², ti 20 °C, tp 22.5 °C; then with the arc room 24.75 m².
shown = dict(part.split(": ", 1) for part in (got.get("dialog show 5 11 12 39") or "").split("; "))
check(shown.get("5") == "13" and shown.get("11") == "20" and shown.get("12") == "22.5" and
      shown.get("border") == "2 widths" and shown.get("P", "").endswith(" KPa") and
      shown.get("39") == shown.get("P", "").split()[0], f"example: shown {shown}")
joined = dict(part.split(": ", 1) for part in (got.get("dialog show 5 42 45") or "").split("; "))
check(abs(float(joined.get("5", "0")) - 24.7468) < 1e-3, f"example: two rooms' area {joined}")
check(all(r["status"] == 5100 for r in steps(log)), "example: every step taken")

saved = os.path.join(work, "three-zones-pages.dxf")
problems, drawn = check_design(saved, DRAWING)
failures.extend(f"example: {p}" for p in problems)
zones = {dict(p)["_PT_ZONA_CISLO"]: dict(p)["_PT_ZONA_C_OKRUHU"] for i, p in drawn.records.values()
         if i == "TPV1000-0001"}
check(zones == {"4": "5", "2": "2", "3": "5"}, f"example: zones and their circuits {zones}")
colours = {dict(p)["_PT_CISLO_OKRUHU"]: dict(p)["_PT_X_CD_CBC"] for i, p in drawn.records.values()
           if i in ("TP80000-0001", "TP90000-0001", "TPV1001-0002")}
check(colours == {"5": "6", "2": "3"}, f"example: circuit colours {colours}")

# No key holds the pitch: where each circuit's supply and return enter the
# first zone (the crossing nearest the end of the centre line drawn into it),
# they lie 40 either side of the centre line.
source = ezdxf.readfile(DRAWING).modelspace()
outline = {e.dxf.handle: [tuple(p[:2]) for p in e.get_points("xy")] for e in source.query("LWPOLYLINE")}
centre_end = {"5": (5600.0, 2000.0), "2": (2000.0, 2000.0)}  # the pipes 201 and 202
first_zone = {"5": outline["204"], "2": outline["203"]}


def crossings(path, polygon):
    found = []
    edges = list(zip(polygon, polygon[1:] + polygon[:1]))
    for (ax, ay), (bx, by) in zip(path, path[1:]):
        for (cx, cy), (dx, dy) in edges:
            den = (bx - ax) * (dy - cy) - (by - ay) * (dx - cx)
            if abs(den) < 1e-12:
                continue
            t = ((cx - ax) * (dy - cy) - (cy - ay) * (dx - cx)) / den
            u = ((cx - ax) * (by - ay) - (cy - ay) * (bx - ax)) / den
            if -1e-9 <= t <= 1 + 1e-9 and -1e-9 <= u <= 1 + 1e-9:
                found.append((ax + t * (bx - ax), ay + t * (by - ay)))
    return found


entries = {}
for entity in ezdxf.readfile(saved).modelspace().query("LWPOLYLINE"):
    ident, pairs = drawn.records.get(entity.dxf.handle, ("", []))
    if ident not in ("TP80000-0001", "TP90000-0001"):
        continue
    number = dict(pairs)["_PT_CISLO_OKRUHU"]
    points = crossings([tuple(p[:2]) for p in entity.get_points("xy")], first_zone[number])
    end = centre_end[number]
    if points:
        entries.setdefault(number, []).append(min(points, key=lambda p: math.dist(p, end)))
for number, end in centre_end.items():
    pair = entries.get(number, [])
    check(len(pair) == 2 and abs(math.dist(*pair) - 80) < 1e-3 and all(abs(math.dist(p, end) - 40) < 1e-3 for p in pair),
          f"example: circuit {number} enters its first zone at {pair}")

# ---- Steps the dialog refuses: exit 1, a logged fault, nothing changed -----------------------
START = ["command dozidEzezOvedo", "select handles 200 201 202", "select handles 203 204 205", "dialog wait",
         "dialog pick 0 zone 1"]
# (name, the refused step, a step after it whose reply shows nothing changed, that reply, why the
# step was refused)
REFUSALS = [
    ("unknown zone", "dialog pick 0 zone 99", "dialog number zone 1", "1", "there is no zone 99"),
    ("unknown edge", "dialog pick 0 edge 1 999", "dialog number zone 1", "1", "zone 1 has no edge 999 (it has "),
    ("unknown circuit colour", "dialog colors 99=3", "dialog colors 1=2", "1=2 2=3", "there is no circuit 99"),
    ("circuit 0", "dialog number circuit 0", "dialog number circuit 1", "1", "3: 0 is not a circuit number"),
    ("taken zone number", "dialog number zone 2", "dialog number zone 1", "1", "2: another zone has number 2"),
    ("join of one zone", "dialog end 600", "dialog number zone 1", "1",
     "the selected zones are not one zone that ends its circuit and one without a circuit"),
]
for name, refused, after, reply, why in REFUSALS:
    rc, err, log, work = run(name, START + [refused, after, "dialog end cancel", "end"])
    statuses = [(r["step"], r["status"]) for r in steps(log)][-3:]
    check(rc == 1 and statuses == [(refused, -5001), (after, 5100), ("dialog end cancel", 5100)],
          f"{name}: exit {rc}, {statuses}")
    check("the dialog did not take the step: " + refused + ": " + why in err, f"{name}: no reason given: {err}")
    check(replies(log).get(after) == reply, f"{name}: {after} answers {replies(log).get(after)!r}")
    check(not [r for r in log if r.get("word") == 118], f"{name}: a point was asked for")
    check([r.get("code") for r in log if r.get("word") == 19] == [REFUSED], f"{name}: the command did not end")

# ---- Lines the script refuses: exit 2 --------------------------------------------------------------
for line, message in (("dialog pick 4", "the pick mode must be 0 to 3"),
                      ("dialog colors 1=300", "a colour index must be 0 to 256"),
                      ("dialog show 59", "a field id must be 0 to 58"),
                      ("dialog number room 3", "expected: dialog number zone N")):
    rc, err, log, work = run("load " + line, START[:4] + [line, "dialog end cancel", "end"])
    check(rc == 2 and message in err and not log, f"{line}: exit {rc}: {err}")

folders.close()
if failures:
    print("\n".join(failures[:60]) + f"\n{len(failures)} failure(s)")
    sys.exit(1)
print("dialog pages end to end: all checks passed")
