"""dozidEzezOvedoEdit through cadhost with the example host folder, on designs
that the design command draws first: the example edit and its call log; edits
that change nothing (square pipes, user systems turned, the drawing turned
and scaled, R left free, a pipe meeting its wall at 60 degrees), compared
before against after by edit_dxf_check; circuits the read-back drops, left as
drawn beside an edited one and still listed and counted by the manifold; the
dialog's edits; every refusal (exact text,
error icon, caption, no word 19, the drawing unchanged); the output failing
at every entity; and the hand-over of --142=immediate.

Usage: edit_command.py CADHOST MODULE EXAMPLES_DIR
"""
import math
import os
import shutil
import sys

import ezdxf
from ezdxf.math import Matrix44

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "support"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns, boxes, drawing_of, ends, words  # noqa: E402
from design_dxf_check import check_design  # noqa: E402
from dxf_checks import check, failures, finish  # noqa: E402
from edit_dxf_check import LEFT_AS_DRAWN, compare_edit, crossings, cut_in_two, records_of  # noqa: E402
from test_folders import TestFolders  # noqa: E402

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
folders = TestFolders("edit", failures)
runs = CadhostRuns(CADHOST, MODULE, EXAMPLES, folders)

REFUSED = 0x80000020
TEXTS = {
    274: "Výběr obsahuje nesprávné entity.",
    297: "Výběr obsahuje nepodporovaný blok rozdělovače/sběrače.",
    325: "Pro editaci podlahového vytápění vyberte jeden rozdělovač.",
    326: "Vykreslené podlahové vytápění neobsahuje všechny potřebné informace.",
}
FAILED = ("Návrh podlahového vytápění se nepodařilo vykreslit. Výkres zůstal beze změny.", 0x10, "cadhost")
# R fixed at a value of its own: set while the first jobs run, the design's
# R would depend on whether a calculation came first.
SQUARE = ["dialog set BORDER_FIXED 1", "dialog set CB_BORDER_R 0.05"]


def designed(name, drawing="minimal.dxf", first="100 101 103", second="102 104", dialog=SQUARE, options=()):
    """The drawing designed by the design command (R fixed by default)."""
    rc, err, log, saved = runs.run(name + "-design", drawing, ["command dozidEzezOvedo", f"select handles {first}",
                                                               f"select handles {second}", *dialog,
                                                               "dialog wait", "dialog end ok"], *options)
    check(rc == 0 and os.path.exists(saved), f"{name}: the design failed: {err[-500:]}")
    return saved


def edit(name, drawing, select="select assoc 100", dialog=("dialog wait", "dialog end ok"), options=()):
    return runs.run(name, drawing, ["command dozidEzezOvedoEdit", select, *dialog], *options)


def variant(name, source, change):
    """The drawing changed by `change(doc, msp)` and saved in a folder of its own."""
    doc = ezdxf.readfile(source)
    change(doc, doc.modelspace())
    path = os.path.join(folders.new(name + "-input"), name + ".dxf")
    doc.saveas(path)
    return path


def set_key(entity, key, value):
    tags = [(t.code, t.value) for t in entity.get_xdata("QEV_DATA")]
    entity.set_xdata("QEV_DATA", [(c, value if i > 0 and tags[i - 1][1] == key else v) for i, (c, v) in enumerate(tags)])


def handles_of(path, identifier, number=None):
    return [e.dxf.handle for (i, n), rs in records_of(ezdxf.readfile(path)).items()
            if i == identifier and number in (None, n) for e, _ in rs]


def listed(path):
    """The handles the drawn manifold lists."""
    return [e.dxf.handle for e in check_design(path, fresh=False)[1].listed]


def redrawn(name, before, after, rc, log, left=(), angled=(), boxes_wanted=()):
    check(rc == 0 and boxes(log) == list(boxes_wanted), f"{name}: exit {rc}, boxes {boxes(log)}")
    failures.extend(f"{name}: {p}" for p in compare_edit(before, after, left=left, angled=angled))


# ---- The example: spacing 0.1 in zone 1, and its call log -------------------------------------------
DESIGN = designed("minimal", dialog=[])
example = os.path.join(folders.new("example-input"), "minimal-design.dxf")
shutil.copy(DESIGN, example)
rc, err, log, saved = runs.run("example", example, None, script=os.path.join(EXAMPLES, "minimal-edit.script"),
                               saved="minimal-edited.dxf")
check(rc == 0 and not boxes(log), f"example: exit {rc}, {boxes(log)}: {err[-500:]}")
problems, drawn = check_design(saved, input_path=DESIGN, fresh=False)
failures.extend(f"example: {p}" for p in problems)
prompts = [(r["prompt"], r["mode"], r["filter"]) for r in words(log, 138)]
check(prompts == [("Vyberte rozdělovač podlahového vytápění:", 1, 0), ("Vyberte rozdělovač podlahového vytápění:", 0,
                                                                        0x20003)], f"example: prompts {prompts}")
old_pipes = handles_of(DESIGN, "TP80000-0001") + handles_of(DESIGN, "TP90000-0001")
old_outlines = handles_of(DESIGN, "TPV2000-0001")
calls = [(r["word"], r.get("code"), r.get("handles"), r.get("erased")) for r in log
         if r.get("kind") == "word" and r["word"] in (17, 19, 142, 217)]
handed = calls[0][2] if calls else []
check(sorted(handed) == sorted(set(listed(DESIGN)) - {"100"}), f"example: handed over {handed}")
check([c[0] for c in calls] == [142, 17, 19, 17, 19, 217] and calls[2][1:2] == (1,) and calls[4][1] == 1,
      f"example: the words {calls}")
check(len(calls) > 2 and sorted(calls[2][3]) == sorted(old_pipes + old_outlines), f"example: erased {calls[2:3]}")
# Zone 1 at 0.1 m beside zone 2, of the same size, at 0.2 m: twice the loop.
zones = {z["_PT_ZONA_CISLO"]: z for z in drawn.values("TPV1000-0001")}
check([zones[n]["_PT_ZONA_L_ROZTEC"] for n in "12"] == ["0.100", "0.200"], "example: the spacing of zone 1")
lh = [float(zones[n]["_PT_ZONA_LH_DELKA"]) for n in "21"]
check(1.8 < lh[1] / lh[0] < 2.2, f"example: the loop lengths {lh} at 0.2 and 0.1 m")

SQUARE_DESIGN = designed("square")
# The manifold is never handed over: it survives an edit that erases at once.
rc, err, log, saved = edit("immediate", SQUARE_DESIGN, options=["--142=immediate"])
check(rc == 0 and "100" in drawing_of(saved) and "100" not in words(log, 142)[0]["handles"], "immediate: manifold")
failures.extend(f"immediate: {p}" for p in compare_edit(SQUARE_DESIGN, saved))
# ... and a failed output there loses the old pipes (the noted limit of that mode).
rc, err, log, saved = edit("immediate failed", SQUARE_DESIGN, options=["--142=immediate", "--fail-word", "114@1"])
check(boxes(log) == [FAILED] and not set(old_pipes) & set(drawing_of(saved)), "immediate failed: pipes kept")

# ---- Edits that change nothing redraw the design --------------------------------------------------
rc, err, log, saved = edit("unchanged", SQUARE_DESIGN)
redrawn("unchanged", SQUARE_DESIGN, saved, rc, log)
ucs = ["--ucs", f"500,200,{math.cos(math.pi / 2)!r},1.0"]
turned_design = designed("ucs90", options=ucs)
rc, err, log, saved = edit("ucs90", turned_design, options=ucs)
redrawn("ucs90", turned_design, saved, rc, log)


def turned(doc, msp):
    """The whole drawing turned 30 degrees and scaled twice about the manifold's insertion point."""
    m = Matrix44.chain(Matrix44.translate(-1000, -1000, 0), Matrix44.scale(2), Matrix44.z_rotate(math.radians(30)),
                       Matrix44.translate(1000, 1000, 0))
    for e in msp:
        e.transform(m)


turned_design = designed("turned", variant("turned", os.path.join(EXAMPLES, "minimal.dxf"), turned))
rc, err, log, saved = edit("turned", turned_design)
redrawn("turned", turned_design, saved, rc, log)
# R left free: the design laid the pipes at the calculated R, which the first
# edit reads back; neither edit changes anything.
rc, err, log, first = edit("free R", DESIGN)
redrawn("free R", DESIGN, first, rc, log)
rc, err, log, second = edit("free R again", first)
redrawn("free R again", first, second, rc, log)
# The flat: square pipes, the WC joined to the bathroom's circuit through a wall it crosses square.
FLAT = designed("flat", "flat.dxf", "400 401 402 403 404 405 406 407", "408 409 40A 40B 40C 40D 40E 40F",
                SQUARE + ["dialog end 600 join 4 8", "point 12900,2700"])
rc, err, log, saved = runs.run("flat", FLAT, None, script=os.path.join(EXAMPLES, "flat-edit.script"),
                               saved="flat-edited.dxf")
check(rc == 0, f"flat: exit {rc}: {err[-500:]}")
problems, drawn = check_design(saved, fresh=False)
failures.extend(f"flat: {p}" for p in problems)
by_number = {z["_PT_ZONA_CISLO"]: z for z in drawn.values("TPV1000-0001")}
check(sorted(by_number) == ["1", "2", "4", "5", "6", "7", "8", "9"] and by_number["2"]["_PT_X_ZDR_DD"] == "2",
      f"flat: zones {sorted(by_number)}")
handed = words(log, 142)[0]["handles"] if words(log, 142) else []
extras = [e.dxf.handle for e in ezdxf.readfile(FLAT).modelspace() if e.dxftype() in ("LINE", "TEXT", "DIMENSION")]
check(extras and not set(extras) & set(handed) and set(extras) <= set(drawing_of(saved)),
      f"flat: the user's walls, texts and dimensions {extras} were handed over")
rc, err, log, saved = edit("flat unchanged", FLAT, select="select window -1000,-1000 16000,11000")
redrawn("flat unchanged", FLAT, saved, rc, log)


def slanted(doc, msp):
    """Pipe 2's last leg runs at 60 degrees to zone 2's wall."""
    doc.entitydb["103"].set_points([(1500, 1100), (1500, 1600), (5769.06, 1600), (6000, 2000)], format="xy")


ANGLED = designed("angled", variant("angled", os.path.join(EXAMPLES, "minimal.dxf"), slanted))
rc, err, log, saved = edit("angled", ANGLED)
redrawn("angled", ANGLED, saved, rc, log)

# ---- Circuits left as drawn beside an edited one ------------------------------------------------------
ALL = listed(SQUARE_DESIGN)
return2 = handles_of(SQUARE_DESIGN, "TP90000-0001", "2")[0]
rc, err, log, saved = edit("no return", SQUARE_DESIGN, "select handles 100 " + " ".join(h for h in ALL if h != return2))
redrawn("no return", SQUARE_DESIGN, saved, rc, log, left=["2"],
        boxes_wanted=[(LEFT_AS_DRAWN.format(2), 0x30, "cadhost")])


def cut_supply(doc, msp):
    """Circuit 2's supply cut in two 100 before its zone's wall, both pieces with its data."""
    supply = next(e for e in msp if e.dxf.handle == handles_of(SQUARE_DESIGN, "TP80000-0001", "2")[0])
    points = supply.get_points("xyb")
    at = next(i for i in range(len(points) - 1) if points[i][1] <= 1900 < points[i + 1][1])
    (x, y, _), (x2, y2, _) = points[at][:3], points[at + 1][:3]
    check(cut_in_two(msp, supply, at, (x + (x2 - x) * (1900 - y) / (y2 - y), 1900.0)),
          "cut supply: the pipe does not run straight to the wall")


CUT = variant("cut supply", SQUARE_DESIGN, cut_supply)
rc, err, log, saved = edit("cut supply", CUT, "select window -1000,0 10000,6000")
redrawn("cut supply", CUT, saved, rc, log, left=["2"], boxes_wanted=[(LEFT_AS_DRAWN.format(2), 0x30, "cadhost")])


def round_the_manifold(doc, msp):
    """Zone 1's drawn outline moved round the manifold and the first pipe: its circuit starts inside it. (The
    design command does not draw such a zone: its pipe crosses itself, warning 9005.)"""
    outline = handles_of(SQUARE_DESIGN, "TPV2000-0001", "1")[0]
    doc.entitydb[outline].set_points([(500, 500), (4000, 500), (4000, 5000), (500, 5000)], format="xy")


AROUND = variant("around", SQUARE_DESIGN, round_the_manifold)
rc, err, log, saved = edit("around", AROUND)
redrawn("around", AROUND, saved, rc, log, left=["1"], boxes_wanted=[(LEFT_AS_DRAWN.format(1), 0x30, "cadhost")])
routes = [r for r in log if r.get("word") == 114 and r.get("type") == "LWPOLYLINE"]
check(len(routes) == 3, f"around: {len(routes)} polylines drawn, not circuit 2's pipes and zone 2's outline")

# ---- The dialog's edits --------------------------------------------------------------------------------
PROFILE = os.path.join(folders.new("profile"), "host")
shutil.copytree(os.path.join(EXAMPLES, "host"), PROFILE)
with open(os.path.join(PROFILE, "Dat", "qev_heat_floors.dat"), encoding="utf-8") as f:
    heating = f.read()
with open(os.path.join(PROFILE, "Dat", "qev_heat_floors.dat"), "w", encoding="utf-8") as f:
    f.write(heating.replace("HATCH_NAME=ANSI37", "HATCH_NAME=ANSI31"))
rc, err, log, saved = edit("hatch", SQUARE_DESIGN, dialog=["dialog set DISPLAY_TYPE 2 zone 2", "dialog wait",
                                                           "dialog end ok"], options=["--host-dir", PROFILE])
hatches = [e for e in ezdxf.readfile(saved).modelspace().query("HATCH")]
check(rc == 0 and [h.dxf.pattern_name for h in hatches] == ["ANSI31"], f"hatch: {[h.dxf.pattern_name for h in hatches]}")
failures.extend(f"hatch: {p}" for p in check_design(saved, fresh=False)[0])

# The circuit shape both ways: the design's spirals to a meander and back.
shapes = SQUARE_DESIGN
for shape in ("0", "1"):
    rc, err, log, shapes = edit(f"shape {shape}", shapes, dialog=[f"dialog set CIRCUIT_SHAPE {shape} zone 1",
                                                                  "dialog wait", "dialog end ok"])
    problems, drawn = check_design(shapes, fresh=False)
    failures.extend(f"shape {shape}: {p}" for p in problems)
    got = [z["_PT_X_ZDR_SHP"] for z in drawn.values("TPV1000-0001")]
    check(rc == 0 and not boxes(log) and got == [shape, "1"], f"shape {shape}: {got} {boxes(log)}")


def corridor(doc, msp):
    """Zone 1 a corridor 150 wide whose pipe ends on its short side."""
    doc.entitydb["102"].set_points([(1225, 2000), (1375, 2000), (1375, 5000), (1225, 5000)])


# At a fixed border of 0.1 m the corridor has no offset level: 9002, and the
# dialog again; cancelled, the drawing stays as it was.
CORRIDOR = designed("corridor", variant("corridor", os.path.join(EXAMPLES, "minimal.dxf"), corridor),
                    dialog=["dialog set CB_PIPE_PITCH 0.1 zone 1", "dialog set BORDER_FIXED 1 zone 1",
                            "dialog set CB_BORDER_R 0.02 zone 1"])
rc, err, log, saved = edit("corridor", CORRIDOR, dialog=["dialog set CB_BORDER_R 0.1 zone 1", "dialog wait",
                                                         "dialog end ok", "dialog end cancel"])
shown = len([r for r in log if r.get("kind") == "dialog" and r.get("event") == "open"])
check(rc == 0 and shown == 2 and [b[1] for b in boxes(log)] == [0x30] and "Zóny 1 " in boxes(log)[0][0] and
      not ends(log), f"corridor: {shown} shows, {boxes(log)}")
check(drawing_of(saved) == drawing_of(CORRIDOR), "corridor: the cancelled edit changed the drawing")

rc, err, log, saved = edit("pages", SQUARE_DESIGN, dialog=[
    "dialog wait", "dialog pick 0 zone 1", "dialog number zone 5", "dialog pick 0 circuit 2", "dialog number circuit 7",
    "dialog colors 7=3", "dialog set PIPE_PITCH 0.08", "dialog end 601 body 5", "point 2000,4000", "dialog wait",
    "dialog end ok"])
check(rc == 0 and not boxes(log), f"pages: exit {rc} {boxes(log)} {err[-300:]}")
problems, drawn = check_design(saved, fresh=False)
failures.extend(f"pages: {p}" for p in problems)
labels = {z["_PT_ZONA_CISLO"]: z for z in drawn.values("TPV1000-0001")}
circuits = {c["_PT_CISLO_OKRUHU"]: c for c in drawn.values("TPV1001-0002")}
check(sorted(labels) == ["2", "5"] and sorted(circuits) == ["1", "7"] and circuits["7"]["_PT_X_CD_CBC"] == "3",
      f"pages: zones {sorted(labels)}, circuits {sorted(circuits)}")
check(handles_of(saved, "TPV1000-0001", "5") == handles_of(SQUARE_DESIGN, "TPV1000-0001", "1"),
      "pages: the renumbered zone's description keeps its handle")
check(len(drawn.values("TPV1001-0001")) == 1 and len(drawn.values("TPV1001-0003")) == 1, "pages: the heating body")

THREE = designed("three", "three-zones.dxf", "200 201 202", "203 204 205", dialog=[])
arc_room = handles_of(THREE, "TPV1000-0001", "3")
rc, err, log, saved = edit("join", THREE, "select assoc 200", ["dialog wait", "dialog end 600 join 2 3",
                                                               "point 9250,3000", "dialog wait", "dialog end ok"])
problems, drawn = check_design(saved, fresh=False)
failures.extend(f"join: {p}" for p in problems)
zones = {z["_PT_ZONA_CISLO"]: z for z in drawn.values("TPV1000-0001")}
check(rc == 0 and zones.get("3", {}).get("_PT_ZONA_C_OKRUHU") == zones.get("2", {}).get("_PT_ZONA_C_OKRUHU", "x"),
      f"join: the arc room's circuit {zones.get('3', {}).get('_PT_ZONA_C_OKRUHU')}")
check(handles_of(saved, "TPV1000-0001", "3") == arc_room, "join: the arc room's description keeps its handle")
joined = ezdxf.readfile(saved)
supply = [e for (i, n), rs in records_of(joined).items() if i == "TP80000-0001" and n == zones.get("3", {}).get(
    "_PT_ZONA_C_OKRUHU") for e, _ in rs]
outline = [e for (i, n), rs in records_of(joined).items() if i == "TPV2000-0001" and n == "3" for e, _ in rs]
check(len(supply) == 1 and len(outline) == 1 and crossings(supply[0], outline[0]), "join: no pipe runs into the arc room")

# ---- Refusals: exact text, error icon, the host's caption, no word 19, the drawing unchanged -----------
ONE = designed("one circuit", first="100 101", second="102")


def door(doc, msp):
    block = doc.blocks.new("DVERE")
    block.add_line((0, 0), (900, 0))
    block.add_arc((0, 0), 900, 0, 90)
    msp.add_blockref("DVERE", (3000, 4000), dxfattribs={"layer": "0"})
    msp.add_spline([(500, 4000), (1000, 4500), (1500, 4000), (2000, 4500)])
    msp.add_ellipse((2000, 3000), major_axis=(300, 0), ratio=0.5)
    msp.add_lwpolyline([(2500, 2500)])
    msp.add_blockref("RZ_TEST", (20000, 1000), dxfattribs={"layer": "RZ"})


FIXTURE = variant("refusals", SQUARE_DESIGN, door)
extra = [e.dxf.handle for e in ezdxf.readfile(FIXTURE).modelspace()][-5:]  # door, spline, ellipse, vertex, manifold
DOOR, SPLINE, ELLIPSE, VERTEX, SECOND = extra
DESIGN_HANDLES = " ".join(ALL)
WITHOUT_MANIFOLD = " ".join(h for h in ALL if h != "100")
REFUSALS = [
    ("no manifold", 325, SQUARE_DESIGN, f"select handles {WITHOUT_MANIFOLD}"),
    ("two manifolds", 325, FIXTURE, f"select handles 100 {DESIGN_HANDLES} {SECOND}"),
    ("door with manifold", 325, FIXTURE, f"select handles 100 {DESIGN_HANDLES} {DOOR}"),
    ("spline", 325, FIXTURE, f"select handles 100 {DESIGN_HANDLES} {SPLINE}"),
    ("ellipse", 325, FIXTURE, f"select handles 100 {DESIGN_HANDLES} {ELLIPSE}"),
    ("empty window", 325, SQUARE_DESIGN, "select window 90000,90000 90001,90001"),
    ("one vertex", 274, FIXTURE, f"select handles 100 {DESIGN_HANDLES} {VERTEX}"),
    ("door instead", 297, FIXTURE, f"select handles {DOOR} {WITHOUT_MANIFOLD}"),
    ("manifold alone", 326, SQUARE_DESIGN, "select handles 100"),
    ("labels only", 326, SQUARE_DESIGN, "select handles 100 " + " ".join(handles_of(SQUARE_DESIGN, "TPV1000-0001"))),
    ("no circuit", 326, variant("no circuit", SQUARE_DESIGN, lambda doc, msp: [
        set_key(doc.entitydb[h], "_PT_ZONA_C_OKRUHU", "-1") for h in handles_of(SQUARE_DESIGN, "TPV1000-0001")]),
     "select assoc 100"),
    ("only return left out", 326, ONE, "select handles " + " ".join(
        h for h in listed(ONE) + ["100"] if h not in handles_of(ONE, "TP90000-0001"))),
]
for name, text_id, drawing, select in REFUSALS:
    rc, err, log, saved = edit(name, drawing, select, dialog=())
    check(rc == 0 and boxes(log) == [(TEXTS[text_id], 0x10, "cadhost")], f"{name}: exit {rc} {err[-300:]} {boxes(log)}")
    check(not ends(log) and not words(log, 142) and not words(log, 114), f"{name}: words 19 {ends(log)}")
    check(drawing_of(saved) == drawing_of(drawing), f"{name}: the drawing changed")
    library = [r["function"] for r in log if r.get("kind") == "floorlib"]
    check("HV_FLOOR_LIB_INIT" in library and "HV_FLOOR_LIB_DONE" not in library, f"{name}: floor library {library}")
rc, err, log, saved = edit("cancelled", SQUARE_DESIGN, "select cancel", dialog=())
check(rc == 0 and not boxes(log) and not ends(log) and drawing_of(saved) == drawing_of(SQUARE_DESIGN), "cancelled")

# ---- A failing output at every entity ----------------------------------------------------------------------
def border_widths(doc, msp):
    """Zone 2 given a border width on its first side: the edit draws its dimension."""
    label = doc.entitydb[handles_of(HATCHED_DESIGN, "TPV1000-0001", "2")[0]]
    set_key(label, "_PT_X_ZDR_DARR", "[300.000000|0.000000|0.000000|0.000000]")


HATCHED_DESIGN = designed("hatched", dialog=SQUARE + ["dialog set DISPLAY_TYPE 2 zone 2"])
HATCHED = variant("hatched", HATCHED_DESIGN, border_widths)
rc, err, log, whole = edit("whole", HATCHED)
made = [r.get("type") for r in words(log, 114)]
check(rc == 0 and "HATCH" in made, f"whole: {made}")
for k, kind in enumerate(made, start=1):
    rc, err, log, saved = edit(f"fail {k}", HATCHED, options=["--fail-word", f"114@{k}"])
    if kind == "HATCH" or kind == "DIMENSION":
        check(rc == 0 and not boxes(log) and ends(log)[:1] == [1], f"fail {k} ({kind}): {boxes(log)} {ends(log)}")
        check(len(ezdxf.readfile(saved).modelspace().query(kind)) == 0, f"fail {k}: the {kind} was drawn")
        continue
    check(boxes(log) == [FAILED] and ends(log) == [REFUSED], f"fail {k} ({kind}): {boxes(log)} {ends(log)}")
    check(drawing_of(saved) == drawing_of(HATCHED), f"fail {k} ({kind}): the drawing changed")

folders.close()
sys.exit(finish())
