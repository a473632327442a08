"""Text, attribute, insert, image, dimension and leader lists through the
stand-in host, checked with ezdxf.

1. The tool writes the heating output's shapes into a drawing ezdxf made
   (a zone description MTEXT, border-width DIMENSIONs on "HVKOTY" in style
   "havlen"), an INSERT with a single-line and a multiline ATTRIB, a LEADER
   and a MULTILEADER, and saves it: ezdxf reads them with their values and
   extended data, each dimension with a geometry block, and audits clean.
2. The tool reads every entity of that drawing (and of the example drawing)
   as a copy and rewrites it: the copies' transforms and clip boundaries are
   ezdxf's, the block cache counts ezdxf's block entities, the view frame is
   the active viewport's, and the rewritten drawing keeps handles, blocks,
   attributes, clip boundaries and extended data, auditing clean.

Usage: entity_output.py TOOL EXAMPLES_DIR
"""
import math
import os
import sys

import ezdxf
from ezdxf.math import Vec3

from dxf_checks import audited, check, close, failures, finish, flat, tool_lines
from test_folders import TestFolders


def zone_description():
    czech = "Příliš žluťoučký kůň úpěl ďábelské ódy. "
    text = "\\fStandard;\\W0.75;Zóna 1\n\\W0.75;\\H0.67x;"
    while len(text) < 433:
        text += czech
    return text[:433]


def build(path):
    doc = ezdxf.new("R2018", setup=True)
    for app in ("QEV_DATA", "VE2R_ANNOTATIVE", "HV_TAG_DEV"):
        doc.appids.new(app)
    msp = doc.modelspace()
    b = doc.blocks.new("B", base_point=(3, 4))
    b.add_line((0, 0), (10, 0))
    b.add_circle((5, 5), 2)
    att = doc.blocks.new("ATTBLK")
    att.add_attdef("OZNACENI", (0, 10), "RZ")
    att.add_attdef("POPIS", (0, 20), "")
    for i in range(20):
        blk = doc.blocks.new(f"BLK{i}")
        for k in range(i % 5 + 1):
            blk.add_line((k, 0), (k, 10))
    msp.add_blockref("B", (100, 50), dxfattribs={
        "xscale": 2, "yscale": -1, "zscale": 1, "rotation": 30, "extrusion": (0, 0, -1)})
    msp.add_blockref("BLK3", (-40, 25), dxfattribs={"rotation": 200, "xscale": 0.5, "yscale": 0.5})
    image_def = doc.add_image_def(filename="podklad.png", size_in_pixel=(100, 50))
    image = msp.add_image(image_def, insert=(10, 20), size_in_units=(50, 25), rotation=15)
    image.set_boundary_path([(10, 10), (60, 10), (60, 40), (10, 40)])
    msp.add_wipeout([(0, 0), (10, 0), (10, 5), (4, 8)])
    vport = doc.viewports.get("*Active")[0]
    vport.dxf.center = (50, 60)
    vport.dxf.height = 40
    doc.saveas(path)


def run(tool, mode, src, dst):
    return tool_lines([tool, mode, src, dst], mode)


def check_written(doc, reports):
    msp = doc.modelspace()
    text = zone_description()
    labels = [e for e in msp.query("MTEXT") if e.dxf.layer == "HVPOPIS"]
    if check(len(labels) == 1, "one zone description"):
        mtext = labels[0]
        check(mtext.text == text.replace("\n", "\\P"), "zone description text")
        check(close(mtext.dxf.text_direction, (math.cos(-math.pi / 6), -0.5, 0)), "text direction")
        check(mtext.get_xdata("QEV_DATA") == [(1000, "ZONE"), (1070, 1)], "zone extended data")
        check(mtext.get_xdata("VE2R_ANNOTATIVE") == [(1071, 1)], "annotative data")
    read = [r for r in reports if r["kind"] == "mtext"]
    if check(len(read) == 1, "the MTEXT read back"):
        r = read[0]
        check(close(r["insertion"][0], (100, 200)) and r["height"] == 2.5 and r["width"] == 60, "MTEXT values")
        check(r["attachment"] == 5 and abs(math.remainder(r["rotation"] + math.pi / 6, 2 * math.pi)) < 1e-12,
              "MTEXT attachment and rotation")
        check(r["text"] == text, "the whole text read back")
    dims = [e for e in msp.query("DIMENSION") if e.dxf.layer == "HVKOTY"]
    if check(len(dims) == 2, "two border dimensions"):
        border, extended = sorted(dims, key=lambda d: d.dxf.defpoint2.x)
        d = border.dxf
        check(close(d.defpoint, (0, 150, 0)) and close(d.defpoint2, (0, 0, 0)) and close(d.defpoint3, (0, 150, 0)),
              f"dimension points {d.defpoint} {d.defpoint2} {d.defpoint3}")
        check(abs(d.angle - 90) < 1e-9 and d.dimstyle == "havlen" and d.text == "<>", "dimension values")
        for dim in (border, extended):
            over = dim.override().dimstyle_attribs
            check(over.get("dimexo") == 0 and over.get("dimexe") == 0, f"overrides {over}")
            check(len(dim.xdata.get("ACAD")) > 0 and len([a for a in dim.xdata.data if a == "ACAD"]) == 1,
                  "one ACAD block")
            block = dim.get_geometry_block()
            check(block is not None and len(block) >= 3, f"geometry block of {dim.dxf.handle}")
        check("dimscale" in extended.override().dimstyle_attribs, "the extended dimension's scale")
    inserts = [e for e in msp.query("INSERT") if e.dxf.name == "ATTBLK"]
    if check(len(inserts) == 1, "the INSERT with attributes"):
        check_attributes(inserts[0], "written")
    leaders = msp.query("LEADER")
    check(len(leaders) == 1 and close([c for v in leaders[0].vertices for c in v],
                                      [0, 400, 0, 40, 440, 0, 90, 440, 0]), "leader vertices")
    mleaders = msp.query("MULTILEADER")
    if check(len(mleaders) == 1, "one MULTILEADER"):
        ctx = mleaders[0].context
        check(ctx.mtext is not None and ctx.mtext.default_content == "Rozdělovač RZ7", "multileader text")
        lines = [line for leader in ctx.leaders for line in leader.lines]
        check(len(lines) == 1 and close([c for v in lines[0].vertices for c in v], [0, 450, 0, 92, 500, 0]),
              "multileader vertices")
    check([r["text"] for r in reports if r["kind"] == "mleader"] == ["Rozdělovač RZ7"], "multileader read back")


def check_attributes(insert, what):
    attribs = {a.dxf.tag: a for a in insert.attribs}
    if not check(set(attribs) == {"OZNACENI", "POPIS"}, f"{what}: attribute tags {list(attribs)}"):
        return
    check(attribs["OZNACENI"].dxf.text == "RZ7", f"{what}: single-line value")
    popis = attribs["POPIS"]
    check(popis.has_embedded_mtext_entity and len(popis.virtual_mtext_entity().text) == 600,
          f"{what}: multiline value")
    check(popis.get_xdata("HV_TAG_DEV") == [(1000, "DEV-1")], f"{what}: device tag")
    check(insert.get_xdata("QEV_DATA") == [(1000, "ITEM")], f"{what}: item data")


def xdata_of(entity):
    """The extended data by application, values as plain tuples."""
    if not entity.xdata:
        return {}
    return {app: [(t.code, tuple(t.value) if 1010 <= t.code <= 1019 else t.value) for t in tags]
            for app, tags in entity.xdata.data.items()}


def transform(m, p):
    return (m[0] * p[0] + m[1] * p[1] + m[2], m[3] * p[0] + m[4] * p[1] + m[5])


def check_rewritten(before, after, reports, what):
    copies = {r["handle"]: r for r in reports if r["kind"] in ("insert", "image")}
    for entity in before.modelspace().query("INSERT IMAGE WIPEOUT"):
        handle = entity.dxf.handle
        twin = after.entitydb.get(handle)
        if not check(handle in copies and twin is not None, f"{what}: {entity.dxftype()} {handle}"):
            continue
        if entity.dxftype() == "INSERT":
            for m in (entity.matrix44(), twin.matrix44()):
                for p in ((0, 0), (1, 0), (0, 1), (7, -3)):
                    got = transform(copies[handle]["matrix"], p)
                    check(close(got, tuple(m.transform(Vec3(p)))[:2]), f"{what}: transform of {handle} at {p}")
            check(twin.dxf.name == entity.dxf.name, f"{what}: block of {handle}")
            check(xdata_of(twin) == xdata_of(entity), f"{what}: extended data of {handle}")
            if entity.dxf.name == "ATTBLK":
                check_attributes(twin, f"{what} rewritten")
        else:
            wcs = [tuple(v)[:2] for v in entity.boundary_path_wcs()]
            got = [tuple(v) for v in copies[handle]["boundary"]]
            check(close(flat(got), flat(wcs[:len(got)])),
                  f"{what}: clip boundary of {handle} {got} {wcs}")
            rewritten = [tuple(v)[:2] for v in twin.boundary_path_wcs()]
            check(close(flat(rewritten), flat(wcs)),
                  f"{what}: rewritten clip boundary of {handle}")
    counts = [r["counts"] for r in reports if r["kind"] == "blocks"]
    expected = {b.name: len(b) for b in before.blocks if not b.name.lower().startswith(("*model", "*paper"))}
    check(counts == [expected], f"{what}: block cache counts {counts} {expected}")


def main():
    tool, examples = sys.argv[1], sys.argv[2]
    with TestFolders("entity-output", failures).case("output") as work:
        src, written, rewritten = (os.path.join(work, n) for n in ("in.dxf", "written.dxf", "rewritten.dxf"))
        build(src)
        reports = run(tool, "write", src, written)
        doc = audited(written, "written")
        check_written(doc, reports)
        reports = run(tool, "rewrite", written, rewritten)
        check_rewritten(doc, audited(rewritten, "rewritten"), reports, "rewritten")
        texts = [r["text"] for r in reports if r["kind"] == "mtext"]
        check(zone_description().replace("\n", "\\P") in texts, "the reloaded zone description holds \\P")
        view = [r for r in reports if r["kind"] == "view"]
        check(len(view) == 1 and close(flat(view[0]["corners"]),
                                       [25, 40, 75, 40, 75, 80, 25, 80]), f"view corners {view}")
        check(view and view[0]["centreInside"] == 1 and view[0]["outsideInside"] == 0, "points inside the view")

        example, example_out = os.path.join(examples, "minimal.dxf"), os.path.join(work, "minimal.dxf")
        reports = run(tool, "rewrite", example, example_out)
        before, after = ezdxf.readfile(example), audited(example_out, "example")
        check_rewritten(before, after, reports, "example")
        manifold, twin = before.entitydb["100"], after.entitydb.get("100")
        check(twin is not None and all(getattr(twin.dxf, k) == getattr(manifold.dxf, k) for k in
                                       ("name", "insert", "xscale", "yscale", "zscale", "rotation", "layer")),
              "the example manifold's values")
    return finish()


if __name__ == "__main__":
    sys.exit(main())
