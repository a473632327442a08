"""Drawings made by another CAD program (ezdxf) survive a load and save by the
host with nothing lost, and every file the host saves audits clean in ezdxf.

Usage: dxf_ezdxf_roundtrip.py DXFCOPY_TOOL EXAMPLES_DIR
"""
import math
import os
import re
import subprocess
import sys

import ezdxf
from test_folders import TestFolders
from ezdxf.entities import MText
from ezdxf.lldxf.tagwriter import TagCollector
from ezdxf.lldxf.types import DOUBLE
from ezdxf.math import Vec2, Vec3

CZECH = "Příliš žluťoučký kůň úpěl ďábelské ódy – ČŘŠŽÝÁÍÉŮÚĎŤŇ"
LONG_TEXT = ("Popis zóny: podlahové vytápění, rozteč 200 mm, " * 12) + CZECH


def build(version):
    doc = ezdxf.new(version, setup=True)
    doc.header["$INSUNITS"] = 4
    for app in ("QEV_DATA", "QEV_INSPT", "VE2R_ASSOC"):
        doc.appids.new(app)
    doc.layers.add("Zóny", color=3)
    doc.layers.add("ROZVODY", color=1, linetype="DASHED")
    doc.styles.add("Popis", font="arial.ttf")
    msp = doc.modelspace()

    blk = doc.blocks.new("RZ_TEST", base_point=(0, 0))
    blk.add_lwpolyline([(0, 0), (600, 0), (600, 100), (0, 100)], close=True)
    blk.add_circle((50, 50), 20)
    blk.add_attdef("OZN", (10, 10), dxfattribs={"height": 25, "prompt": "Označení"})
    ref = msp.add_blockref("RZ_TEST", (1000, 1000), dxfattribs={"layer": "ROZVODY", "rotation": 12.5})
    ref.add_auto_attribs({"OZN": "RZ1 " + CZECH})
    ref.set_xdata("QEV_DATA", [(1000, "E@2x1"), (1000, "TOT0000-0023"), (1000, "x" * 300),
                               (1070, 7), (1040, 1.25), (1010, (1, 2, 3))])
    ref.set_xdata("QEV_INSPT", [(1070, 0), (1010, (0, 0, 0)), (1010, (1, 0, 0))])

    msp.add_line((1300, 1100), (1300, 2000), dxfattribs={"layer": "ROZVODY"})
    msp.add_arc((0, 0), 150.5, 30.5, 200.25)
    msp.add_arc((10, 0), 3, 0.1, 359.9)
    msp.add_circle((5, 5), 2.5, dxfattribs={"thickness": 1.5})
    msp.add_ellipse((0, 0), major_axis=(10, 3), ratio=0.4, start_param=0.3, end_param=5.9)
    msp.add_lwpolyline([(0, 2000, 0, 0, 0.5), (4000, 2000, 5, 5, 0), (4000, 5000), (0, 5000)],
                       format="xyseb", close=True, dxfattribs={"layer": "Zóny", "const_width": 0})
    msp.add_polyline2d([(0, 0), (10, 0), (10, 10)], dxfattribs={"closed": True})
    msp.add_polyline3d([(0, 0, 0), (10, 0, 3), (10, 10, 5)])
    msp.add_spline([(0, 0), (10, 10), (20, 0), (30, 5)])
    msp.add_spline_control_frame([(0, 0), (5, 8), (12, 3), (20, 9)])
    msp.add_xline((0, 0), (1, 1))
    msp.add_ray((0, 0), (1, 0))
    msp.add_point((3, 4), dxfattribs={"angle": 15})
    msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)])
    msp.add_text("Zóna 1 – " + CZECH, dxfattribs={"height": 100, "rotation": 33.3, "style": "Popis"})
    msp.add_mtext(LONG_TEXT, dxfattribs={"char_height": 50, "rotation": 10, "layer": "Zóny"})

    hatch = msp.add_hatch(color=2)
    hatch.set_pattern_fill("ANSI31", scale=20, angle=45)
    hatch.paths.add_polyline_path([(0, 0, 0), (100, 0, 0.5), (100, 100, 0), (0, 100, 0)], is_closed=True)
    hatch2 = msp.add_hatch(color=5)
    path = hatch2.paths.add_edge_path()
    path.add_line((0, 0), (100, 0))
    path.add_arc((100, 50), 50, -90, 90)
    path.add_ellipse((50, 100), major_axis=(50, 0), ratio=0.5, start_angle=0, end_angle=180)
    path.add_spline(control_points=[(0, 100), (-10, 50), (0, 0)], degree=2)
    if version >= "R2004":
        hatch3 = msp.add_hatch()
        hatch3.set_gradient((255, 0, 0), (0, 0, 255), rotation=30)
        hatch3.paths.add_polyline_path([(0, 0), (10, 0), (10, 10)], is_closed=True)

    dim = msp.add_linear_dim(base=(0, 50), p1=(0, 0), p2=(300, 0), dimstyle="EZDXF")
    dim.render()
    dim2 = msp.add_aligned_dim(p1=(0, 0), p2=(300, 200), distance=20)
    dim2.render()
    dim3 = msp.add_radius_dim(center=(0, 0), radius=50, angle=45)
    dim3.render()
    msp.add_leader([(0, 0), (50, 50), (100, 50)])
    ml = msp.add_multileader_mtext("Standard")
    ml.set_content("Rozdělovač " + CZECH)
    ml.add_leader_line(ezdxf.render.mleader.ConnectionSide.left, [Vec2(-100, -50)])
    ml.build(insert=Vec2(0, 0))
    image_def = doc.add_image_def(filename="podklad.png", size_in_pixel=(640, 480))
    msp.add_image(image_def, insert=(0, 0), size_in_units=(64, 48), rotation=5)
    msp.add_wipeout([(0, 0), (10, 0), (10, 10), (0, 10)])
    if version >= "R2018":
        ref2 = msp.add_blockref("RZ_TEST", (3000, 1000))
        attrib = ref2.add_attrib("OZN", "x", (3000, 1000))
        mtext = MText.new(dxfattribs={"char_height": 10})
        mtext.text = LONG_TEXT
        attrib.embed_mtext(mtext)
    return doc


def export_tags(entity, version):
    """The entity's tags as ezdxf writes them, with chunked text (3 ... 3 1)
    joined: where a chunk ends is up to the writer."""
    collector = TagCollector(dxfversion=version)
    entity.export_dxf(collector)
    tags = []
    chunks = []
    for tag in collector.tags:
        code, value = tag[0], tag[1]
        if code == 3 and isinstance(value, str) and entity.dxftype() in ("MTEXT", "ATTRIB", "ATTDEF", "INSERT"):
            chunks.append(value)
            continue
        if chunks and code == 1:
            tags.append((1, unescape("".join(chunks) + value)))
        else:
            tags.extend((3, c) for c in chunks)
            tags.append((code, value))
        chunks = []
    tags.extend((3, c) for c in chunks)
    return tags


ESCAPE = re.compile(r"\\U\+([0-9A-Fa-f]{4})")


def unescape(text):
    """Text with its \\U+XXXX escapes decoded; ezdxf keeps them as written."""
    return ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), text)


def same_value(code, a, b):
    if isinstance(a, str) and isinstance(b, str):
        return unescape(a) == unescape(b)
    if isinstance(a, (tuple, list, Vec3)):
        return len(a) == len(b) and all(same_value(code, x, y) for x, y in zip(a, b))
    if 50 <= code <= 58 and isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return math.isclose(a, b, rel_tol=1e-14, abs_tol=1e-12)
    return a == b


def compare_tags(what, before, after, failures):
    if len(before) != len(after):
        failures.append(f"{what}: {len(before)} tags before, {len(after)} after")
        return
    for i, (a, b) in enumerate(zip(before, after)):
        if a[0] != b[0] or not same_value(a[0], a[1], b[1]):
            failures.append(f"{what}: tag {i} was {a}, is {b}")
            return


def compare(original, copied, version, failures):
    before = {e.dxf.handle: e for e in original.entitydb.values()}
    after = {e.dxf.handle: e for e in copied.entitydb.values()}
    for handle, entity in before.items():
        if entity.dxftype() in ("CLASS",):
            continue
        twin = after.get(handle)
        if twin is None:
            failures.append(f"{entity.dxftype()} {handle} lost")
            continue
        if twin.dxftype() != entity.dxftype():
            failures.append(f"{handle}: {entity.dxftype()} became {twin.dxftype()}")
            continue
        compare_tags(f"{entity.dxftype()} {handle}", export_tags(entity, version),
                     export_tags(twin, version), failures)
    for name in ("$INSUNITS", "$ACADVER", "$DWGCODEPAGE"):
        if original.header.get(name) != copied.header.get(name):
            failures.append(f"header {name}: {original.header.get(name)} became {copied.header.get(name)}")


def real_texts(path):
    """The texts of real values by record handle: {handle: [(code, text), ...]}."""
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    records, current = {}, []
    for code, value in zip(map(int, lines[0::2]), (v.strip() for v in lines[1::2])):
        if code == 0:
            current = []
        elif code in (5, 105) and not current:
            records[value] = current
        elif code in DOUBLE:
            current.append((code, value))
    return records


def compare_real_texts(src, dst, failures):
    """A real the other program wrote in its shortest form keeps its text."""
    after = real_texts(dst)
    changed = [(handle, a, b) for handle, values in real_texts(src).items()
               if [c for c, _ in after.get(handle, [])] == [c for c, _ in values]
               for (_, a), (_, b) in zip(values, after[handle]) if a != b and a == repr(float(a))]
    if changed:
        failures.append(f"{os.path.basename(src)}: {len(changed)} real texts changed, e.g. {changed[:5]}")


def audit(path, failures):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    for error in auditor.errors:
        failures.append(f"{os.path.basename(path)}: audit error {error.message}")
    return doc


def run_copy(tool, src, dst):
    result = subprocess.run([tool, src, dst], capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        raise SystemExit(f"copy of {src} failed: {result.stderr.strip()}")


def copied_keeps_everything(tool, src, dst, failures):
    run_copy(tool, src, dst)
    audit(dst, failures)
    original = ezdxf.readfile(src)
    compare(original, ezdxf.readfile(dst), original.dxfversion, failures)
    compare_real_texts(src, dst, failures)


def main():
    tool, examples = sys.argv[1], sys.argv[2]
    failures = []
    with TestFolders("ezdxf-roundtrip", failures).case("copies") as work:
        for version in ("R2000", "R2018"):
            src, dst, again = (os.path.join(work, f"{n}_{version}.dxf") for n in ("ezdxf", "copy", "again"))
            build(version).saveas(src)
            copied_keeps_everything(tool, src, dst, failures)
            run_copy(tool, dst, again)  # a second pass changes nothing at all
            with open(dst, "rb") as a, open(again, "rb") as b:
                if a.read() != b.read():
                    failures.append(f"{version}: a second load and save changed the file")
        for name in sorted(n for n in os.listdir(examples) if n.endswith(".dxf")):
            audit(os.path.join(examples, name), failures)
            copied_keeps_everything(tool, os.path.join(examples, name), os.path.join(work, "copy_" + name), failures)
        fresh = os.path.join(work, "new.dxf")
        subprocess.run([tool, "--new", fresh], check=True, timeout=60)
        audit(fresh, failures)
    print("\n".join(failures[:40]) or "ok")
    if failures:
        raise SystemExit(f"{len(failures)} differences or audit errors")


if __name__ == "__main__":
    main()
