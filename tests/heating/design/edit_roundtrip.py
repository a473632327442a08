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
- "flat example": examples/flat.dxf designed by examples/flat.script (a WC
  joined to the bathroom's circuit, a heating body, a floor structure);
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
from edit_dxf_check import compare_edit, records_of  # noqa: E402
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


def edited_twice(name, drawn, manifold="100"):
    """Edits without changes, twice, each compared with the drawing before;
    the drawings before and after both edits."""
    before, paths = drawn, [drawn]
    for n in (1, 2):
        rc, err, log, after = runs.run(f"{name}-edit{n}", before, [
            "command dozidEzezOvedoEdit", f"select assoc {manifold}", "dialog wait", "dialog end ok"])
        if not check(rc == 0 and not boxes(log), f"{name}, edit {n}: exit {rc}, {boxes(log)}: {err[-300:]}"):
            return paths
        failures.extend(f"{name}, edit {n}: {p}" for p in compare_edit(before, after))
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

# ---- The flat example ---------------------------------------------------------------------------------
rc, err, log, FLAT = runs.run("flat", "flat.dxf", None, script=os.path.join(EXAMPLES, "flat.script"),
                              saved="flat-design.dxf")
check(rc == 0 and os.path.exists(FLAT), f"flat example: the design failed: {err[-300:]}")
paths = edited_twice("flat example", FLAT, manifold="400")
check(len(paths) == 3 and zone_values(paths[0]).keys() == zone_values(paths[-1]).keys(), "flat example: the zones")

folders.close()
sys.exit(finish())
