"""An edit confirmed without changes gives the drawn design back, through
cadhost with the example host folder: each design is drawn by the design
command, edited with nothing changed (`select assoc` of its manifold,
`dialog wait`, `dialog end ok`), compared with the drawing before by
edit_dxf_check (every record's keys and values within their printed
precision, an empty value still empty; pipes and outlines vertex by vertex;
texts and the manifold under their handles; no "nan" or "inf" anywhere), then
edited once more and compared again.

- "zone without a pipe": a room fed by a distribution pipe beside a room
  without one; the bare room keeps its values, adds no loop length and
  writes no "nan";
- "short angled last piece": a pipe whose last piece of 194 mm meets its wall
  at 37.5 degrees to the normal; its supply and return keep their places,
  as with a last piece of 500 mm and with a pipe square to the wall;
- every shipped design example (each script of the examples folder that
  runs the design command, on the drawing its name begins with): minimal,
  the flat (a WC joined to the bathroom's circuit, a heating body, a floor
  structure), three zones, and three zones through the dialog's pages (the
  L room renumbered with its circuit and recoloured, the pitch changed, the
  arc room joined to it);
- circuits made unreadable on purpose, a supply cut in two on its way to
  its first zone (the flat's circuit with the heating body and the
  bathroom's with the WC, the pages' joined circuit): each is named by
  warning 9004 and left as drawn, still listed by the manifold and counted
  in its totals as drawn, edit after edit;
- random floors (floor_roundtrip.py) when --floors is given.

Usage: edit_roundtrip.py CADHOST MODULE EXAMPLES_DIR
"""
import importlib.util
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns, boxes  # noqa: E402
from design_dxf_check import check_design  # noqa: E402
from dxf_checks import check, failures, finish  # noqa: E402
from edit_dxf_check import LEFT_AS_DRAWN, compare_edit, cut_in_two, records_of  # noqa: E402
from test_folders import TestFolders  # noqa: E402

import ezdxf  # noqa: E402

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
folders = TestFolders("roundtrip", failures)
runs = CadhostRuns(CADHOST, MODULE, EXAMPLES, folders)


def examples_module():
    spec = importlib.util.spec_from_file_location(
        "make_examples", os.path.join(HERE, "..", "..", "..", "scripts", "make-examples.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


EX = examples_module()


def drawing(name, rooms, pipes, manifold_at):
    """A drawing of the manifold RZ_TEST (600 x 100, handle 100) at
    `manifold_at`, the distribution pipes (LINE for two points, else
    LWPOLYLINE) and the rooms (closed LWPOLYLINEs), in that order."""
    doc = EX.start("R2013")
    EX.manifold_block(doc, "RZ_TEST", EX.rectangle(0, 0, 600, 100))
    msp = doc.modelspace()
    EX.fixed_handle(doc, "100")
    EX.manifold(msp, "RZ_TEST", (*manifold_at, 0), "RZ1")
    for points in pipes:
        if len(points) == 2:
            msp.add_line(*points, dxfattribs={"layer": "ROZVODY"})
        else:
            msp.add_lwpolyline(points, dxfattribs={"layer": "ROZVODY"})
    for points in rooms:
        msp.add_lwpolyline(points, close=True, dxfattribs={"layer": "ZONY"})
    path = os.path.join(folders.new(name + "-input"), name + ".dxf")
    doc.saveas(path)
    return path


def design(name, path, pipes, rooms, dialog=()):
    """The design command on the drawing: pipes and rooms picked by handle."""
    rc, err, log, saved = runs.run(name + "-design", path, [
        "command dozidEzezOvedo", f"select handles 100 {pipes}", f"select handles {rooms}", *dialog,
        "dialog wait", "dialog end ok"])
    check(rc == 0 and not boxes(log) and os.path.exists(saved), f"{name}: the design failed: {boxes(log)} {err[-300:]}")
    return saved


def edited_twice(name, drawn, manifold="100", left=()):
    """Edits without changes, twice, each compared with the drawing before
    (the circuits `left` named by 9004 and left as drawn); the drawings
    before and after both edits."""
    before, paths = drawn, [drawn]
    wanted = [(LEFT_AS_DRAWN.format(", ".join(left)), 0x30, "cadhost")] if left else []
    for n in (1, 2):
        rc, err, log, after = runs.run(f"{name}-edit{n}", before, [
            "command dozidEzezOvedoEdit", f"select assoc {manifold}", "dialog wait", "dialog end ok"])
        if not check(rc == 0 and boxes(log) == wanted, f"{name}, edit {n}: exit {rc}, {boxes(log)}: {err[-300:]}"):
            return paths
        failures.extend(f"{name}, edit {n}: {p}" for p in compare_edit(before, after, left=left))
        before = after
        paths.append(after)
    return paths


def zone_values(path):
    return {n: dict(p) for (i, n), rs in records_of(ezdxf.readfile(path)).items() if i == "TPV1000-0001"
            for _, p in rs}


# ---- A zone without a pipe -----------------------------------------------------------------------------
BARE = drawing("bare", [EX.rectangle(0, 2000, 4000, 5000), EX.rectangle(4200, 2000, 6200, 5000)],
               [[(1300, 1100), (1300, 2000)]], (1000, 1000))
paths = edited_twice("zone without a pipe", design("zone without a pipe", BARE, "101", "102 103"))
for path in paths:
    zones = zone_values(path)
    bare = zones.get("2", {})
    check(bare.get("_PT_ZONA_C_OKRUHU") == "-1", f"zone without a pipe: zone 2 in circuit {bare.get('_PT_ZONA_C_OKRUHU')}")
    lengths = [bare.get(k) for k in ("_PT_ZONA_L_DELKA", "_PT_ZONA_LH_DELKA", "_PT_ZONA_LP_DELKA")]
    check(lengths == ["0.000"] * 3, f"zone without a pipe: {os.path.basename(path)}: the bare zone's lengths {lengths}")
    check(bare.get("_PT_ZONA_PERCENT_T") == "0" and bare.get("_PT_ZONA_SCELK") == "0",
          f"zone without a pipe: {os.path.basename(path)}: PERCENT_T {bare.get('_PT_ZONA_PERCENT_T')}, "
          f"S {bare.get('_PT_ZONA_SCELK')}")
    fed = zones.get("1", {})
    total = float(fed.get("_PT_ZONA_L_DELKA", "nan"))
    check(all(abs(float(z.get("PRCD", "nan")) - total) < 1.5e-3 for z in zones.values()),
          f"zone without a pipe: {os.path.basename(path)}: the manifold's total length is not the fed zone's "
          f"{total}: {[z.get('PRCD') for z in zones.values()]}")

# ---- A pipe whose last piece meets its wall at an angle --------------------------------------------------
ROOM = [(0, -5892), (3225, -5892), (3225, 0), (0, 0)]
LONG = (500 * math.sin(math.radians(37.5)), 500 * math.cos(math.radians(37.5)))  # a last piece of 500
for name, pipe in (("short angled last piece", [(1950, 1000), (1950, 154), (2068, 0)]),
                   ("long angled last piece", [(1950, 1000), (1950, LONG[1]), (1950 + LONG[0], 0)]),
                   ("square pipe", [(1950, 1000), (1950, 0)])):
    path = drawing(name, [ROOM], [pipe], (1650, 1000))
    drawn = design(name, path, "101", "102")
    problems, found = check_design(drawn, input_path=path)
    failures.extend(f"{name}: {p}" for p in problems)
    edited_twice(name, drawn)

# ---- The shipped design examples ----------------------------------------------------------------------
def example_designs():
    """(name, drawing, script, saved, manifold) of every script of the
    examples folder that runs the design command: the drawing is the one
    whose name the script's begins with, the manifold the first handle of
    its first selection."""
    drawings = sorted((f for f in os.listdir(EXAMPLES) if f.endswith(".dxf")), key=len, reverse=True)
    for script in sorted(f for f in os.listdir(EXAMPLES) if f.endswith(".script")):
        with open(os.path.join(EXAMPLES, script), encoding="utf-8") as f:
            lines = [line.split() for line in f if line.strip() and not line.startswith("#")]
        if ["command", "dozidEzezOvedo"] not in lines:
            continue
        drawing = next(d for d in drawings if script.startswith(d[:-4]))
        first = next(words for words in lines if words[:2] == ["select", "handles"])
        saved = next(words[1] for words in lines if words[0] == "save")
        yield script[:-7], drawing, script, saved, first[2]


designed = {}
for name, drawing, script, saved, manifold in example_designs():
    rc, err, log, path = runs.run(name, drawing, None, script=os.path.join(EXAMPLES, script), saved=saved)
    if not check(rc == 0 and os.path.exists(path), f"{name} example: the design failed: {err[-300:]}"):
        continue
    designed[name] = (path, manifold)
    paths = edited_twice(f"{name} example", path, manifold=manifold)
    check(len(paths) == 3 and zone_values(paths[0]).keys() == zone_values(paths[-1]).keys(),
          f"{name} example: the zones")
check({"minimal", "flat", "three-zones", "three-zones-pages"} <= designed.keys(),
      f"the examples designed: {sorted(designed)}")


# ---- Circuits cut in two --------------------------------------------------------------------------------
def cut_supplies(name, circuits):
    """The example's design with the supplies of the circuits cut in the
    middle of their first piece, which runs from the manifold towards the
    first zone; edited twice without changes."""
    path, manifold = designed[name]
    doc = ezdxf.readfile(path)
    msp = doc.modelspace()
    for circuit in circuits:
        supply = next(e for (i, n), rs in records_of(doc).items() if i == "TP80000-0001" and n == circuit
                      for e, _ in rs)
        (x, y), (x2, y2) = supply.get_points("xy")[:2]
        check(cut_in_two(msp, supply, 0, ((x + x2) / 2, (y + y2) / 2)), f"{name}: circuit {circuit} starts on an arc")
    cut = os.path.join(folders.new(name + "-cut-input"), name + "-cut.dxf")
    doc.saveas(cut)
    edited_twice(f"{name} cut", cut, manifold=manifold, left=circuits)


cut_supplies("flat", ["1", "4"])
cut_supplies("three-zones-pages", ["5"])

folders.close()
sys.exit(finish())
