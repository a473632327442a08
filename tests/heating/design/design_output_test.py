"""The output of a design through the stand-in host, checked on the saved
drawings: the drawn-design checker on the minimal drawing and on a zone with
a hatch, border-width dimensions, a heating body and annotative labels; the
manifold points read back under a turned user system and a turned, scaled
manifold; a 40-sided zone whose border-width list is over 255 bytes; the
hand-over of the picked zone curves in both word-142 modes; a circuit without
zones; and, for every call of word 114, an injected refusal: the drawing is
left as it was, or, for a hatch or a dimension, the design is drawn without
it and the manifold does not list it.

Usage: design_output_test.py TOOL EXAMPLES_DIR
"""
import json
import math
import os
import subprocess
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "host", "entities"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from design_dxf_check import check_design, heating_record, item_pairs  # noqa: E402
from dxf_checks import check, failures, finish  # noqa: E402
from test_folders import TestFolders  # noqa: E402

TOOL, EXAMPLES = sys.argv[1:3]
MINIMAL = os.path.join(EXAMPLES, "minimal.dxf")
REFUSED = 0x80000020
folders = TestFolders("design-output", failures)


def draw(name, drawing, *options):
    """Runs the tool in a case of its own; answers its report and the saved drawing's path."""
    out = os.path.join(folders.new(name), name + ".dxf")
    done = subprocess.run([TOOL, drawing, out, *options], capture_output=True, text=True, timeout=300)
    lines = [line for line in done.stdout.splitlines() if line.startswith("{")]
    check(done.returncode == 0 and lines, f"{name}: the tool failed: {done.stderr[-2000:]}")
    return (json.loads(lines[-1]) if lines else {}), out


def checked(name, path, **expect):
    """The design checker's failures become this test's."""
    problems, design = check_design(path, **expect)
    failures.extend(f"{name}: {p}" for p in problems)
    return design


def snapshot(path):
    """Every model-space entity: handle -> (type, attributes, points, extended data)."""
    doc = ezdxf.readfile(path)
    entities = {}
    for e in doc.modelspace():
        attributes = {k: (tuple(v) if hasattr(v, "__iter__") and not isinstance(v, str) else v)
                      for k, v in e.dxfattribs().items() if k != "owner"}
        points = tuple(map(tuple, e.get_points())) if e.dxftype() == "LWPOLYLINE" else ()
        xdata = {app: [(t.code, t.value) for t in e.get_xdata(app)] for app in sorted(doc.appids.entries.keys())
                 if e.has_xdata(app)} if e.xdata else {}
        entities[e.dxf.handle] = (e.dxftype(), attributes, points, xdata)
    return entities


def local_points(record, insert=(1000.0, 1000.0)):
    """A circuit record's two connection points as world points: the stored
    points are relative to the manifold's insertion point, in world axes."""
    points = []
    for key in ("_PT_X_CD_DINS1", "_PT_X_CD_DINS2"):
        x, y, _ = (float(v) for v in record[key].strip("()").split("|"))
        points.append((insert[0] + x, insert[1] + y))
    return points


def near(a, b, tol):
    return all(math.dist(p, q) <= tol for p, q in zip(a, b)) and len(a) == len(b)


def variant(name, edit):
    """The minimal drawing changed by `edit(doc)`, saved under the name."""
    doc = ezdxf.readfile(MINIMAL)
    edit(doc)
    path = os.path.join(folders.new(name + "-input"), name + "-input.dxf")
    doc.saveas(path)
    return path


# The minimal drawing: the design is sound, the picked zone curve is gone and
# the manifold stays, with the deferred and the immediate hand-over.
for mode in ("deferred", "immediate"):
    report, path = draw("minimal-" + mode, MINIMAL, "--142", mode)
    check(report.get("drawn") and report.get("codes19") == [1, 1], f"minimal {mode}: {report}")
    design = checked("minimal " + mode, path, input_path=MINIMAL, annotative=0)
    handles = set(snapshot(path))
    check(not {"102", "104"} & handles and {"100", "101", "103"} <= handles, f"minimal {mode}: {sorted(handles)}")
    check(design.tokens == "PRPRMZOZOCC", f"minimal {mode}: order {design.tokens}")
    check(all(near(local_points(record), points, 0.01)
              for record, points in zip(design.values("TPV1001-0002"), report["connection"])),
          f"minimal {mode}: connection points read back")

# A zone drawn as levels with a border: a hatch, four dimensions of 200, a
# heating body with its number, annotative mode 3; without the formatter the
# description is the label alone.
report, path = draw("levels", MINIMAL, "--display", "2", "--border", "200", "--body", "--annotative", "3", "--no-desc",
                    "--mark", "RZ7")
design = checked("levels", path, input_path=MINIMAL, annotative=3)
check(dict(item_pairs(design.manifold)).get("_LABEL") == "RZ7", "levels: the mark is the manifold's label")
check(design.tokens == "PRHDDDDPRHDDDDMZBNOZOCC", f"levels: order {design.tokens}")
for entity in design.listed:
    if entity.dxftype() == "DIMENSION":
        check(abs(entity.get_measurement() - 200.0) < 1e-6, f"levels: dimension {entity.get_measurement()}")
    if entity.dxftype() == "MTEXT" and heating_record(entity)[0] == "TPV1000-0001":
        check("\\P" not in entity.text, f"levels: a description without the formatter: {entity.text!r}")
body = design.values("TPV1001-0001")[0]
check(body["_PT_ZONA_QTP"] == "812" and body["_PT_ZONA_C_OKRUHU"] == "3", f"levels: body {body}")

# Manifold points under user systems turned 30 (with annotative labels) and
# 90 degrees (the texts turn with them) and with a manifold turned 30 degrees and scaled twice (its
# pipe leaves the turned outline).
for degrees in (30, 90):
    a = math.radians(degrees)
    name = f"ucs{degrees}"
    annotative = 1 if degrees == 30 else 0
    report, path = draw(name, MINIMAL, "--ucs", f"500,200,{math.cos(a)!r},{math.sin(a)!r}", "--annotative",
                        str(annotative))
    design = checked(name, path, input_path=MINIMAL, annotative=annotative)
    check(all(near(local_points(record), points, 0.01)
              for record, points in zip(design.values("TP80000-0001"), report["connection"])),
          f"{name}: connection points read back")
    texts = [e for e in design.listed if e.dxftype() == "MTEXT"]
    check(all(abs(math.remainder(e.get_rotation() - degrees, 360)) < 1e-6 for e in texts),
          f"{name}: texts turned {[e.get_rotation() for e in texts]}")


def turned_manifold(doc):
    """The manifold turned and scaled, its pipe moved onto the outline; and
    the circuit keys an older design left on it."""
    insert = doc.entitydb["100"]
    tags = insert.get_xdata("QEV_DATA")
    insert.set_xdata("QEV_DATA", list(tags) + [(1000, "_PT_X_IN_T1"), (1000, "40"), (1000, "_PT_X_OUT_T2"), (1000, "32")])
    insert.dxf.rotation = 30.0
    insert.dxf.xscale = insert.dxf.yscale = insert.dxf.zscale = 2.0
    a = math.radians(30)
    outlet = (1000 + 600 * math.cos(a) - 200 * math.sin(a), 1000 + 600 * math.sin(a) + 200 * math.cos(a))
    t = (2000 - outlet[1]) / math.cos(a)
    pipe = doc.entitydb["101"]
    pipe.dxf.start, pipe.dxf.end = outlet, (outlet[0] - t * math.sin(a), 2000.0)
    # The second pipe and its zone are left out: the pipe would not reach the turned manifold.
    doc.modelspace().delete_entity(doc.entitydb["103"])
    doc.modelspace().delete_entity(doc.entitydb["104"])


turned = variant("turned", turned_manifold)
report, path = draw("turned", turned)
design = checked("turned", path, input_path=turned)
check(near(local_points(design.values("TPV1001-0002")[0]), report["connection"][0], 0.01),
      "turned: connection points read back")


# A 40-sided zone: its border-width list (over 255 bytes) reads back whole.
def forty_sides(doc):
    zone = doc.entitydb["102"]
    top = [(4000 - 4000 * i / 37, 5000 + (30 if i % 2 and i < 37 else 0)) for i in range(38)]
    zone.set_points([(0, 2000), (4000, 2000)] + top, format="xy")


forty = variant("forty", forty_sides)
report, path = draw("forty", forty, "--border", "100")
design = checked("forty", path, input_path=forty)
widths = design.values("TPV1000-0001")[0]["_PT_X_ZDR_DARR"]
check(len(widths) > 255 and widths.strip("[]").split("|") == ["100.000000"] * 40, f"forty: {len(widths)} {widths[:80]}")
check(design.tokens.count("D") == 40 + 4, f"forty: {design.tokens.count('D')} dimensions")

# Coloured circuits: a colour index a drawing knows is the pipes' colour; one
# it does not (a drawn design read back without a colour has -1) is by layer.
for index, colour in ((5, 5), (-1, 256), (300, 256)):
    report, path = draw(f"colour{index}", MINIMAL, "--colour", str(index))
    design = checked(f"colour {index}", path, input_path=MINIMAL)
    pipes = [e for e in design.listed if e.dxftype() == "LWPOLYLINE" and heating_record(e)[0] in ("TP80000-0001", "TP90000-0001")]
    check(pipes and all(e.dxf.get("color", 256) == colour for e in pipes),
          f"colour {index}: {[e.dxf.get('color', 256) for e in pipes]}")

# A circuit without zones stops the output, which is rolled back.
report, path = draw("nozones", MINIMAL, "--no-zones")
check(report.get("drawn") is False and report.get("codes19") == [REFUSED], f"nozones: {report}")
check(snapshot(path) == snapshot(MINIMAL), "nozones: the drawing changed")

# Every call of word 114 refused in turn.
for name, options in (("plain", []), ("levels", ["--display", "2", "--border", "200", "--body"])):
    report, path = draw("whole-" + name, MINIMAL, *options)
    whole = checked("whole " + name, path, input_path=MINIMAL)
    calls = whole.tokens + "I"  # the manifold block is written last
    check(report.get("calls114") == len(calls), f"{name}: {report.get('calls114')} calls for {calls}")
    for k, token in enumerate(calls, 1):
        report, path = draw(f"fail-{name}-{k}", MINIMAL, *options, "--fail-word", f"114@{k}")
        what = f"{name}, call {k} ({token})"
        if token in "HD":
            check(report.get("drawn") and report.get("codes19") == [1, 1], f"{what}: {report}")
            design = checked(what, path, input_path=MINIMAL, complete=False)
            check(design.tokens == whole.tokens[:k - 1] + whole.tokens[k:], f"{what}: order {design.tokens}")
        else:
            # The refusal ends the output: no entity is offered after it.
            check(report.get("drawn") is False and report.get("codes19") == [REFUSED] and
                  report.get("calls114") == k, f"{what}: {report}")
            check(snapshot(path) == snapshot(MINIMAL), f"{what}: the drawing changed")

folders.close()
sys.exit(finish())
