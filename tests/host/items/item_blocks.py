"""Item records written back through the stand-in host, read by ezdxf.

Usage: item_blocks.py ITEM_TOOL EXAMPLES_DIR PRODUCTS

1. The example manifold (minimal.dxf, INSERT 100) rewritten as the heating
   output does: the reference keeps its block and placement, carries the new
   label and keys once each, loses "_PT_X_IN_T1", keeps its "QEV_INSPT",
   gains "VE2R_ASSOC", and holds each application's extended data once.
   The block "ITEM_DEF" made from a definition list holds the circle alone
   and is based at marker B.
2. Item references made here (rotated 30 degrees, scaled 2, mirrored, with the
   insertion pair second; one with two attributes) read and inserted again
   keep 2, 10, 41 to 43, 50 and 210 and their attributes.
Every saved drawing audits without errors or fixes.
"""
import math
import os
import subprocess
import sys

import ezdxf
from test_folders import TestFolders

TOOL, EXAMPLES, PRODUCTS = sys.argv[1:4]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)
    return condition


def run_tool(*args):
    done = subprocess.run([TOOL, *args], capture_output=True, text=True, timeout=300)
    check(done.returncode == 0, f"{args[0]}: exit {done.returncode}: {done.stderr}")


def audited(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    check(not auditor.has_errors and not auditor.has_fixes,
          f"{path}: audit {[str(e.message) for e in auditor.errors + auditor.fixes]}")
    return doc


def raw_xdata_apps(path, handle):
    """The 1001 names of the entity's extended data as the file holds them
    (ezdxf keeps one block per application, so duplicates show only here)."""
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = [line.strip() for line in f]
    tags = list(zip(lines[0::2], lines[1::2]))
    apps, inside = [], False
    for i, (code, value) in enumerate(tags):
        if code == "0":
            inside = i + 1 < len(tags) and tags[i + 1] == ("5", handle)
        elif inside and code == "1001":
            apps.append(value)
    return apps


def pairs_of(ref, cells):
    """The (key, value) pairs of "QEV_DATA" after its header and table."""
    values = [value for code, value in ref.get_xdata("QEV_DATA")][1 + cells:]
    return list(zip(values[0::2], values[1::2]))


def placement(ref):
    """Block name, then the numbers of insertion, scales, rotation and extrusion."""
    d = ref.dxf
    return d.name, [*d.insert, d.xscale, d.yscale, d.zscale, d.rotation, *d.extrusion]


def same_placement(a, b, what):
    check(a[0] == b[0] and all(math.isclose(p, q, abs_tol=1e-9) for p, q in zip(a[1], b[1])), f"{what}: {a} != {b}")


def manifold(work):
    source = os.path.join(EXAMPLES, "minimal.dxf")
    out = os.path.join(work, "manifold.dxf")
    run_tool("manifold", source, out, PRODUCTS)
    before = ezdxf.readfile(source).entitydb["100"]
    doc = audited(out)
    ref = doc.entitydb.get("100")
    if not check(ref is not None and ref.dxftype() == "INSERT", "INSERT 100 is there"):
        return
    same_placement(placement(ref), placement(before), "manifold")
    pairs = pairs_of(ref, 2)
    keys = [key for key, _ in pairs]
    check(pairs.count(("_LABEL", "RZ7")) == 1 and keys.count("_LABEL") == 1, f"label: {pairs}")
    check(pairs.count(("_PT_X_DSD_NC", "1")) == 1 and keys.count("PRPD") == 1, f"new keys: {pairs}")
    check("_PT_X_IN_T1" not in keys and "_PT_X_OUT_T2" not in keys, f"removed keys: {keys}")
    check(ref.get_xdata("QEV_INSPT") == before.get_xdata("QEV_INSPT"), "QEV_INSPT unchanged")
    check(ref.has_xdata("VE2R_ASSOC") and ("1005", "101") in [(str(c), v) for c, v in ref.get_xdata("VE2R_ASSOC")],
          "VE2R_ASSOC present")
    apps = raw_xdata_apps(out, "100")
    for app in ("QEV_DATA", "QEV_INSPT", "VE2R_ASSOC"):
        check(apps.count(app) == 1, f"{app} {apps.count(app)} times in {apps}")

    block = doc.blocks.get("ITEM_DEF")
    if check(block is not None, "block ITEM_DEF made"):
        check([e.dxftype() for e in block] == ["CIRCLE"], f"ITEM_DEF holds {[e.dxftype() for e in block]}")
        check(tuple(block.block.dxf.base_point) == (200, 50, 0), f"ITEM_DEF base {block.block.dxf.base_point}")


def item_references(path):
    doc = ezdxf.new("R2013", setup=False)
    doc.header["$INSUNITS"] = 4
    for app in ("QEV_DATA", "QEV_INSPT"):
        doc.appids.new(app)
    block = doc.blocks.new("ITEMBLK", base_point=(0, 0, 0))
    block.add_circle((0, 0), 50)
    # Connection markers: A at (-100, 0) along +y, B (the insertion point) along 45 degrees.
    block.add_line((-100, 0), (-100, 10), dxfattribs={"layer": "DEFPOINTS"})
    block.add_line((0, 0), (10, 10), dxfattribs={"layer": "DEFPOINTS"})
    block.add_attdef("POZ", (0, -60), dxfattribs={"height": 10})
    block.add_attdef("TYP", (0, -80), dxfattribs={"height": 10})
    msp = doc.modelspace()
    refs = []
    for at, attribs in (((500, 700), False), ((-300, 1200.5), True)):
        ref = msp.add_blockref("ITEMBLK", at, dxfattribs={"rotation": 30, "xscale": -2, "yscale": 2, "zscale": 2})
        if attribs:
            ref.add_attrib("POZ", "R1", (at[0], at[1] - 120), dxfattribs={"height": 20})
            ref.add_attrib("TYP", "TOT", (at[0], at[1] - 160), dxfattribs={"height": 20})
        ref.set_xdata("QEV_DATA", [(1000, "E@0x0"), (1000, "_QEVITEM_ID"), (1000, "TOT0000-0023"),
                                   (1000, "_LABEL"), (1000, "RZ9")])
        ref.set_xdata("QEV_INSPT", [(1070, 0), (1010, (-100, 0, 0)), (1010, (-100, 10, 0)),
                                    (1010, (0, 0, 0)), (1010, (10, 10, 0))])
        refs.append(ref.dxf.handle)
    doc.saveas(path)
    return refs


def reinsert(work):
    source = os.path.join(work, "items.dxf")
    handles = item_references(source)
    out = os.path.join(work, "items-out.dxf")
    run_tool("reinsert", source, out, PRODUCTS, *handles)
    before = ezdxf.readfile(source)
    doc = audited(out)
    for handle in handles:
        old, new = before.entitydb[handle], doc.entitydb.get(handle)
        if not check(new is not None, f"INSERT {handle} is there"):
            continue
        same_placement(placement(new), placement(old), f"INSERT {handle}")
        check([(a.dxf.tag, a.dxf.text) for a in new.attribs] == [(a.dxf.tag, a.dxf.text) for a in old.attribs],
              f"INSERT {handle} attributes {[a.dxf.tag for a in new.attribs]}")
        check(new.get_xdata("QEV_INSPT") == old.get_xdata("QEV_INSPT"), f"INSERT {handle} QEV_INSPT")


with TestFolders("item-blocks", failures).case("blocks") as work:
    manifold(work)
    reinsert(work)

if failures:
    sys.exit(f"{len(failures)} failure(s)")
print("ok")
