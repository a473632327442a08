"""Catch-all entity copies through the stand-in host: the tool rewrites the
DIMENSION, LEADER, MULTILEADER, SPLINE and 3DFACE of drawings made by ezdxf
(R2000, R2018) with new common properties. The saved drawing keeps handles,
types, brace sections, subclass groups and extended data entity by entity,
carries the new properties and audits without errors or fixes.

Usage: entity_rewrite.py REWRITE_TOOL
"""
import os
import re
import sys

import ezdxf
from ezdxf.math import Vec2

from dxf_checks import audited, check, failures, finish, tool_lines
from test_folders import TestFolders

TYPES = ("DIMENSION", "LEADER", "MULTILEADER", "SPLINE", "3DFACE")
XDATA = [(1000, "Zóna 1 – přívod"), (1070, 272), (1040, 2.5), (1010, (1, 2, 3))]


def build(version):
    doc = ezdxf.new(version, setup=True)
    doc.appids.new("QEV_DATA")
    msp = doc.modelspace()
    dim = msp.add_linear_dim(base=(0, 50), p1=(0, 0), p2=(300, 0), dimstyle="EZDXF")
    dim.render()
    leader = msp.add_leader([(0, 0), (50, 50), (100, 50)])
    ml = msp.add_multileader_mtext("Standard")
    ml.set_content("Rozdělovač")
    ml.add_leader_line(ezdxf.render.mleader.ConnectionSide.left, [Vec2(-100, -50)])
    ml.build(insert=Vec2(0, 0))
    spline = msp.add_spline([(0, 0), (10, 10), (20, 0), (30, 5)])
    face = msp.add_3dface([(0, 0), (10, 0), (10, 10), (0, 10)])
    for entity in (dim.dimension, leader, ml.multileader, spline, face):
        entity.set_xdata("QEV_DATA", XDATA + [(1000, entity.dxftype())])
    face.new_extension_dict()
    face.set_reactors([doc.rootdict.dxf.handle])
    return doc


ESCAPE = re.compile(r"\\U\+([0-9A-Fa-f]{4})")
FLOAT_CODES = [(10, 59), (110, 149), (210, 239), (460, 469), (1010, 1059)]


def raw_entities(path):
    """Raw tags of each entity by handle; reals as floats, \\U+XXXX decoded."""
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        lines = f.read().splitlines()
    tags = []
    for i in range(0, len(lines) - 1, 2):
        code, value = int(lines[i]), lines[i + 1]
        if any(a <= code <= b for a, b in FLOAT_CODES):
            value = float(value)
        else:
            value = ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), value.strip())
        tags.append((code, value))
    entities = {}
    for i, (code, value) in enumerate(tags):
        if code == 0 and i + 1 < len(tags) and tags[i + 1][0] == 5:
            end = i + 1
            while end < len(tags) and tags[end][0] != 0:
                end += 1
            entities[tags[i + 1][1]] = tags[i:end]
    return entities


def split_at_subclass(tags):
    """(tags before the first 100, tags from the second 100 on)"""
    markers = [i for i, t in enumerate(tags) if t[0] == 100] + [len(tags)] * 2
    return tags[:markers[0]], tags[markers[1]:]


def check_version(version, tool, work):
    src = os.path.join(work, f"ezdxf_{version}.dxf")
    dst = os.path.join(work, f"rewritten_{version}.dxf")
    build(version).saveas(src)
    args = [tool, src, dst] + (["truecolor"] if version >= "R2004" else [])
    tool_lines(args, version)
    original, saved = ezdxf.readfile(src), audited(dst, version)
    raw_before, raw_after = raw_entities(src), raw_entities(dst)
    before = [e for e in original.modelspace() if e.dxftype() in TYPES]
    check(sorted(e.dxftype() for e in before) == sorted(TYPES), f"{version}: the fixture holds {before}")
    for entity in before:
        what = f"{version} {entity.dxftype()} {entity.dxf.handle}"
        twin = saved.entitydb.get(entity.dxf.handle)
        if not check(twin is not None and twin.dxftype() == entity.dxftype(), f"{what}: lost or changed type"):
            continue
        dxf = twin.dxf
        got = (dxf.layer, dxf.linetype, dxf.color, dxf.lineweight, dxf.ltscale, dxf.invisible)
        check(got == ("PREPSANO", "DASHED", 3, 35, 2.5, 1), f"{what}: properties {got}")
        if version >= "R2004":
            check(dxf.get("true_color") == 0x123456 and abs(twin.transparency - 0.5) <= 1 / 255,
                  f"{what}: true colour {dxf.get('true_color')}, transparency {twin.transparency}")
        head_before, body_before = split_at_subclass(raw_before[entity.dxf.handle])
        head_after, body_after = split_at_subclass(raw_after.get(entity.dxf.handle, []))
        check(head_before == head_after, f"{what}: brace sections {head_before} became {head_after}")
        check(body_before == body_after, f"{what}: subclass groups or extended data changed")
    check(any((102, "{ACAD_REACTORS") in split_at_subclass(raw_before[e.dxf.handle])[0] and
               (102, "{ACAD_XDICTIONARY") in split_at_subclass(raw_before[e.dxf.handle])[0] for e in before),
          f"{version}: no fixture entity has a reactor and an extension dictionary")


def main():
    with TestFolders("entity-rewrite", failures).case("versions") as work:
        for version in ("R2000", "R2018"):
            check_version(version, sys.argv[1], work)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
