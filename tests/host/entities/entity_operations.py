"""Entity operations through the stand-in host, checked with ezdxf.

1. Every kind of a drawing ezdxf made is turned 30 degrees about (5, 5) and
   scaled 2 (the curve kinds also mirrored), then turned 90 degrees: the
   saved drawing holds, in world coordinates, what ezdxf's own transform
   gives; a rotated dimension still measures its length; block references
   and the kinds no transform reaches stay as they were; the extents of the
   curve kinds are ezdxf's bounding boxes; a hatch's pattern lines are
   ezdxf's scale_pattern of the original, their base points moved by the
   matrix. The drawings audit clean.
2. Every kind reversed: curves run backwards over the same points (a
   polyline's widths follow their pieces), texts turn their justification
   (left and right swap, fit and aligned texts refuse).
3. Every curve kind cut by a circle: the pieces inside and outside add up to
   the source and their middles lie on their side.
4. Common groups rewritten in place: colour, true colour and lineweight
   taken, transparency by layer leaves no 440 (the audit fixes nothing).
5. Block references: nested references explode into ezdxf's virtual
   entities (a spline that cannot move is handed on as read), and a clip
   makes a new anonymous block of the pieces inside the window.

Usage: entity_operations.py TOOL
"""
import math
import os
import sys

import ezdxf
import ezdxf.bbox
import ezdxf.path
from ezdxf.math import Matrix44, Vec3
from ezdxf.tools.pattern import scale_pattern

from dxf_checks import audited, check, close, failures, finish, flat, tool_lines
from test_folders import TestFolders

CURVES = ("LINE", "CIRCLE", "ARC", "ELLIPSE", "LWPOLYLINE", "XLINE", "RAY")


def set_of(points):
    """The points without repeats (a closed path may or may not repeat its start)."""
    out = []
    for p in points:
        if not any(close(flat([p]), flat([q])) for q in out):
            out.append(p)
    return out


def same_set(a, b):
    a, b = [tuple(p)[:2] for p in a], [tuple(p)[:2] for p in b]
    return len(a) == len(b) and all(any(close(p, q) for q in b) for p in a)


def build(path):
    doc = ezdxf.new("R2018", setup=True)
    doc.appids.new("QEV_DATA")
    msp = doc.modelspace()
    msp.add_line((1, 2), (7, -3))
    msp.add_circle((3, 4), 2)
    msp.add_arc((1, 1), 2, 30, 120)
    msp.add_ellipse((2, 1), major_axis=(3, 1), ratio=0.5, start_param=0.3, end_param=4.0)
    poly = msp.add_lwpolyline([(0, 0, 0, 1, 0.4), (4, 0, 1, 0.5, 0), (4, 3, 0, 0, -0.5), (0, 3)],
                              format="xyseb")
    poly.dxf.const_width = 0
    msp.add_xline((1, 2), (1, 1))
    msp.add_ray((1, 2), (0, 1))
    msp.add_point((7, 8))
    msp.add_solid([(0, 0), (4, 0), (0, 3), (4, 3)])
    msp.add_text("Zóna 1", dxfattribs={"height": 2.5, "rotation": 10}).set_pos((10, 20), align="LEFT")
    msp.add_text("FIT", dxfattribs={"height": 1.5}).set_pos((0, 30), (12, 31), align="FIT")
    for y, align in ((32, "RIGHT"), (34, "MIDDLE"), (36, "CENTER")):
        msp.add_text(align, dxfattribs={"height": 1.5}).set_pos((0, y), align=align)
    msp.add_text("ALIGNED", dxfattribs={"height": 1.5}).set_pos((0, 38), (12, 39), align="ALIGNED")
    msp.add_mtext("AB\\PCDE", dxfattribs={"char_height": 2.5, "width": 40, "insert": (0, 10),
                                           "attachment_point": 1})
    image_def = doc.add_image_def(filename="podklad.png", size_in_pixel=(100, 50))
    image = msp.add_image(image_def, insert=(10, 20), size_in_units=(50, 25), rotation=15)
    image.set_boundary_path([(10, 10), (60, 10), (60, 40), (10, 40)])
    msp.add_wipeout([(0, 0), (10, 0), (10, 5), (4, 8)])
    hatch = msp.add_hatch()
    hatch.set_pattern_fill("ANSI33", scale=0.5, angle=15)
    hatch.paths.add_polyline_path([(20, 0), (30, 0), (30, 8), (20, 8)], is_closed=True)
    dim = msp.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(10, 0), dimstyle="EZDXF")
    dim.render()
    aligned = msp.add_aligned_dim(p1=(20, 0), p2=(30, 10), distance=3, dimstyle="EZDXF")
    aligned.render()
    block = doc.blocks.new("B")
    block.add_line((0, 0), (1, 1))
    msp.add_blockref("B", (3, 4), dxfattribs={"rotation": 20})
    msp.add_spline([(0, 0), (10, 10), (20, 0), (30, 5)])
    for entity in msp:
        entity.set_xdata("QEV_DATA", [(1000, "TPV1001-0001"), (1070, 7)])
    for entity, colour in ((msp.query("LINE")[0], 1), (msp.query("CIRCLE")[0], 2)):
        entity.dxf.color = colour
        entity.dxf.lineweight = 13
        entity.transparency = 0.5
    doc.saveas(path)


def build_blocks(path):
    doc = ezdxf.new("R2018")
    inner = doc.blocks.new("INNER")
    inner.add_line((0, 0), (1, 0))
    inner.add_arc((0, 0), 1, 0, 90)
    doc.blocks.new("OUTER").add_blockref("INNER", (2, 0), dxfattribs={"xscale": 2, "yscale": 2, "rotation": 90})
    rails = doc.blocks.new("RAILS")
    rails.add_line((0, 0), (10, 0))
    rails.add_line((0, 3), (10, 3))
    mixed = doc.blocks.new("MIXED")
    mixed.add_line((0, 0), (1, 0))
    mixed.add_spline([(0, 0), (10, 10), (20, 0), (30, 5)])
    msp = doc.modelspace()
    msp.add_blockref("OUTER", (100, 50), dxfattribs={"xscale": 3, "yscale": 3, "rotation": 30})
    msp.add_blockref("RAILS", (0, 0))
    msp.add_blockref("MIXED", (50, 50), dxfattribs={"xscale": 2, "yscale": 2})
    doc.saveas(path)


def run(tool, args, src, dst, key="handle"):
    """The JSON lines the tool reports, by the value of their `key`."""
    return {r[key]: r for r in tool_lines([tool] + args + [src, dst], args) if key in r}


def matrix(degrees, scale, mirror):
    chain = [Matrix44.scale(1, -1, 1)] if mirror else []
    chain += [Matrix44.translate(-5, -5, 0), Matrix44.scale(scale, scale, 1), Matrix44.z_rotate(math.radians(degrees)),
              Matrix44.translate(5, 5, 0)]
    return Matrix44.chain(*chain)


def same_angle(a, b):
    return abs(math.remainder(a - b, 2 * math.pi)) < 1e-9


def arc_points(e):
    """Centre, radius and the end and middle points of an ARC or CIRCLE in world coordinates."""
    ocs = e.ocs()
    if e.dxftype() == "CIRCLE":
        return ocs.to_wcs(e.dxf.center), e.dxf.radius, []
    start, end = e.dxf.start_angle, e.dxf.end_angle
    middle = start + ((end - start) % 360) / 2
    mid = ocs.to_wcs(Vec3(e.dxf.center) + Vec3.from_deg_angle(middle, e.dxf.radius))
    return ocs.to_wcs(e.dxf.center), e.dxf.radius, [e.start_point, e.end_point, mid]


def ellipse_points(e):
    tool = e.construction_tool()
    start, end = tool.start_param, tool.end_param
    middle = start + ((end - start) % (2 * math.pi)) / 2
    return tool.center, tool.major_axis.magnitude, tool.ratio, list(tool.vertices([start, end, middle]))


def polyline_vertices(e):
    """(x, y, start width, end width, bulge) per vertex in world coordinates, bulges counter-clockwise."""
    sign = 1 if e.dxf.extrusion[2] > 0 else -1
    points = list(e.vertices_in_wcs())
    return [(p.x, p.y, v[2], v[3], v[4] * sign) for p, v in zip(points, e.get_points("xyseb"))]


def centre_line(e):
    """The entity without its widths: extents measure the curve, not the band drawn along it."""
    if e.dxftype() != "LWPOLYLINE":
        return e
    copy = e.copy()
    copy.set_points([(x, y, 0, 0, b) for x, y, _, _, b in e.get_points("xyseb")], "xyseb")
    copy.dxf.const_width = 0
    return copy


def corners(e):
    return [v for path in ezdxf.path.from_hatch(e) for v in path.flattening(0.01)]


def check_pattern(entity, got, m, degrees, scale, what):
    """Pattern lines against ezdxf's scale_pattern; base points where the matrix sends them."""
    lines = entity.pattern.lines
    want = scale_pattern([[l.angle, l.base_point, l.offset, l.dash_length_items] for l in lines], scale, degrees)
    have = got.pattern.lines if got.pattern else []
    check(len(have) == len(want) > 0, f"{what} pattern lines")
    for line, w, g in zip(lines, want, have):
        check(same_angle(math.radians(w[0]), math.radians(g.angle)) and close(flat([w[2]]), flat([g.offset])) and
              close(w[3], list(g.dash_length_items)), f"{what} pattern line {w} {g}")
        check(close(flat([m.transform(Vec3(line.base_point))]), flat([g.base_point])), f"{what} pattern base")


def compare(kind, want, got, what):
    """The entity `got` read from the saved drawing against `want`, ezdxf's transform of the original."""
    w, g = want.dxf, got.dxf
    if kind == "LINE":
        check(close(flat([w.start, w.end]), flat([g.start, g.end])), f"{what} ends")
    elif kind in ("ARC", "CIRCLE"):
        (wc, wr, wp), (gc, gr, gp) = arc_points(want), arc_points(got)
        check(close(flat([wc]), flat([gc])) and abs(wr - gr) < 1e-9, f"{what} centre and radius")
        check(same_set(wp[:2], gp[:2]) and close(flat(wp[2:]), flat(gp[2:])), f"{what} ends {wp} {gp}")
    elif kind == "ELLIPSE":
        (wc, wa, wr, wp), (gc, ga, gr, gp) = ellipse_points(want), ellipse_points(got)
        check(close(flat([wc]), flat([gc])) and close([wa, wr], [ga, gr]), f"{what} axes")
        check(same_set(wp[:2], gp[:2]) and close(flat(wp[2:]), flat(gp[2:])), f"{what} ends {wp} {gp}")
    elif kind == "LWPOLYLINE":
        check(close([c for v in polyline_vertices(want) for c in v], [c for v in polyline_vertices(got) for c in v]),
              f"{what} vertices {polyline_vertices(want)} {polyline_vertices(got)}")
    elif kind in ("XLINE", "RAY"):
        check(close(flat([w.start, Vec3(w.unit_vector).normalize()]), flat([g.start, Vec3(g.unit_vector).normalize()])),
              f"{what} base and direction")
    elif kind == "POINT":
        check(close(flat([w.location]), flat([g.location])), f"{what} location")
    elif kind == "SOLID":
        check(same_set(want.wcs_vertices(), got.wcs_vertices()), f"{what} corners")
    elif kind == "TEXT":
        check(close(flat([w.insert]), flat([g.insert])) and abs(w.height - g.height) < 1e-9, f"{what} place")
        check(same_angle(math.radians(w.rotation), math.radians(g.rotation)), f"{what} rotation")
        if w.halign in (3, 5):
            check(close(flat([w.align_point]), flat([g.align_point])), f"{what} second point")
    elif kind == "MTEXT":
        check(close(flat([w.insert]), flat([g.insert])) and close([w.char_height, w.width], [g.char_height, g.width]),
              f"{what} place, height {g.char_height} and width {g.width}")
        check(same_angle(math.radians(want.get_rotation()), math.radians(got.get_rotation())), f"{what} rotation")
    elif kind in ("IMAGE", "WIPEOUT"):
        check(close(flat([w.insert, w.u_pixel, w.v_pixel]), flat([g.insert, g.u_pixel, g.v_pixel])), f"{what} frame")
        check(same_set(want.boundary_path_wcs()[:-1], got.boundary_path_wcs()[:-1]), f"{what} clip boundary")
    elif kind == "HATCH":
        a, b = corners(want), corners(got)
        check(same_set(set_of(a), set_of(b)), f"{what} boundary {a} {b}")
    elif kind == "DIMENSION":
        for name in ("defpoint", "defpoint2", "defpoint3", "text_midpoint"):
            check(close(flat([w.get(name)]), flat([g.get(name)])), f"{what} {name} {w.get(name)} {g.get(name)}")
        if w.hasattr("angle"):
            check(same_angle(math.radians(w.angle), math.radians(g.angle)), f"{what} angle")
        check(abs(want.get_measurement() - got.get_measurement()) < 1e-9, f"{what} measurement")


def check_transform(tool, src, work, degrees, scale, mirror):
    dst = os.path.join(work, f"turned{degrees}.dxf")
    reports = run(tool, ["transform", str(degrees), str(scale), "1" if mirror else "0"], src, dst)
    before, after = ezdxf.readfile(src), audited(dst, f"turned {degrees}")
    m, mm = matrix(degrees, scale, False), matrix(degrees, scale, True)
    for entity in before.modelspace():
        kind, handle = entity.dxftype(), entity.dxf.handle
        what = f"turned {degrees}: {kind} {handle}"
        got, report = after.entitydb.get(handle), reports.get(handle)
        if not check(got is not None and report is not None, f"{what} lost or not reported"):
            continue
        check(got.get_xdata("QEV_DATA") == entity.get_xdata("QEV_DATA"), f"{what} extended data")
        if kind in ("INSERT", "SPLINE"):
            check(report["answer"] == 0 and got.dxf.all_existing_dxf_attribs() == entity.dxf.all_existing_dxf_attribs(),
                  f"{what} moved")
            continue
        check(report["answer"] == 1, f"{what} refused")
        want = entity.copy()
        want.transform(mm if mirror and kind in CURVES else m)
        compare(kind, want, got, what)
        if kind == "HATCH":
            check_pattern(entity, got, m, degrees, scale, what)
        if kind in CURVES and kind not in ("XLINE", "RAY"):
            box = ezdxf.bbox.extents([centre_line(got)])
            size = max(box.size.x, box.size.y)
            check(report["box"] is not None and close(report["box"], [box.extmin.x, box.extmin.y, box.extmax.x,
                                                                       box.extmax.y], 1e-3 * size / max(1.0, size)),
                  f"{what} extents {report['box']} {box}")
    if degrees == 90:
        dims = [e for e in after.modelspace().query("DIMENSION") if close(flat([e.dxf.defpoint2]), [10, 0])]
        check(len(dims) == 1 and abs(dims[0].get_measurement() - 10) < 1e-9, "the turned rotated dimension measures 10")
    return dst


def check_reverse(tool, src, work):
    dst = os.path.join(work, "reversed.dxf")
    reports = run(tool, ["reverse"], src, dst)
    before, after = ezdxf.readfile(src), audited(dst, "reversed")
    for entity in before.modelspace():
        kind, handle = entity.dxftype(), entity.dxf.handle
        got, report = after.entitydb.get(handle), reports.get(handle, {})
        what = f"reversed {kind} {handle}"
        turns = kind in ("LINE", "ARC", "CIRCLE", "ELLIPSE", "LWPOLYLINE", "XLINE") or \
            (kind == "TEXT" and entity.dxf.halign not in (3, 5))
        if not check(report.get("answer") == (1 if turns else 0), f"{what} answered {report.get('answer')}"):
            continue
        if kind == "LINE":
            check(close(flat([got.dxf.start, got.dxf.end]), flat([entity.dxf.end, entity.dxf.start])), f"{what} ends")
        elif kind == "LWPOLYLINE":
            want = polyline_vertices(entity)
            # Backwards: vertex i takes the place of n-1-i, the widths and
            # bulge of the piece before it swapped and negated.
            n = len(want)
            expect = [(want[n - 1 - i][0], want[n - 1 - i][1], want[n - 2 - i][3] if i < n - 1 else 0,
                       want[n - 2 - i][2] if i < n - 1 else 0, -want[n - 2 - i][4] if i < n - 1 else 0)
                      for i in range(n)]
            check(close([c for v in expect for c in v], [c for v in polyline_vertices(got) for c in v]),
                  f"{what} vertices {expect} {polyline_vertices(got)}")
        elif kind == "TEXT" and turns:
            check(got.dxf.halign == {0: 2, 2: 0}.get(entity.dxf.halign, entity.dxf.halign) and
                  got.dxf.text_generation_flag & 2, f"{what} justification")


def tagged(doc, what):
    """Entities whose QEV_DATA names `what`, by the handle they name."""
    out = {}
    for e in doc.modelspace():
        data = e.get_xdata("QEV_DATA") if e.has_xdata("QEV_DATA") else []
        if len(data) == 2 and data[0][1] == what:
            out.setdefault(data[1][1], []).append(e)
    return out


def length_and_middle(e):
    path = ezdxf.path.make_path(e)
    points = list(path.flattening(1e-6))
    lengths = [a.distance(b) for a, b in zip(points, points[1:])]
    total, half = sum(lengths), sum(lengths) / 2
    for (a, b), l in zip(zip(points, points[1:]), lengths):
        if half <= l:
            return total, a.lerp(b, half / l if l else 0)
        half -= l
    return total, points[-1]


def check_cut(tool, src, work):
    dst = os.path.join(work, "cut.dxf")
    cutters = run(tool, ["cut"], src, dst, "cutter")
    before, after = ezdxf.readfile(src), audited(dst, "cut")
    inside, outside = tagged(after, "in"), tagged(after, "out")
    for entity in before.modelspace().query("LINE ARC CIRCLE ELLIPSE LWPOLYLINE"):
        handle = entity.dxf.handle
        what = f"cut {entity.dxftype()} {handle}"
        if not check(handle in cutters and (inside.get(handle) or outside.get(handle)), f"{what}: no pieces"):
            continue
        centre, radius = Vec3(cutters[handle]["centre"]), cutters[handle]["radius"]
        total = 0
        for side, pieces in ((1, inside.get(handle, [])), (-1, outside.get(handle, []))):
            for piece in pieces:
                length, middle = length_and_middle(piece)
                total += length
                check(side * (radius - middle.distance(centre)) > 1e-6, f"{what}: a piece on the wrong side {middle}")
        # Both sides measured along flattened paths (Bezier arcs): equal to 1e-3.
        whole = length_and_middle(centre_line(entity))[0]
        check(abs(total - whole) < 1e-3 * whole, f"{what}: lengths {total} {whole}")


def check_props(tool, src, work):
    dst = os.path.join(work, "props.dxf")
    run(tool, ["props"], src, dst)
    after = audited(dst, "props")
    for kind in ("LINE", "CIRCLE"):
        e = after.modelspace().query(kind)[0]
        check((e.dxf.color, e.dxf.get("true_color"), e.dxf.lineweight) == (3, 0x123456, 35),
              f"props {kind}: {e.dxf.color} {e.dxf.get('true_color')} {e.dxf.lineweight}")
        check(not e.dxf.hasattr("transparency"), f"props {kind}: a transparency is left")


def exploded_all(insert):
    for e in insert.virtual_entities():
        if e.dxftype() == "INSERT":
            yield from exploded_all(e)
        else:
            yield e


def geometry(e):
    kind = e.dxftype()
    if kind == "LINE":
        return kind, flat([e.dxf.start, e.dxf.end])
    if kind == "ARC":
        centre, radius, points = arc_points(e)
        return kind, flat([centre]) + [radius] + sorted(flat(points[:2])) + flat(points[2:])
    return kind, flat(e.control_points)


def check_blocks(tool, work):
    src = os.path.join(work, "blocks.dxf")
    build_blocks(src)
    dst = os.path.join(work, "exploded.dxf")
    answers = {h: r["answer"] for h, r in run(tool, ["explode"], src, dst, "exploded").items()}
    before, after = ezdxf.readfile(src), audited(dst, "exploded")
    pieces = tagged(after, "exploded")
    for insert in before.modelspace().query("INSERT"):
        handle, name = insert.dxf.handle, insert.dxf.name
        what = f"explode {name}"
        if not check(answers.get(handle) == 1, f"{what}: answered {answers.get(handle)}"):
            continue
        got = sorted(geometry(e) for e in pieces.get(handle, []))
        want = sorted(geometry(e) for e in exploded_all(insert) if e.dxftype() != "SPLINE")
        if name == "MIXED":
            want = sorted(want + [geometry(before.blocks["MIXED"].query("SPLINE")[0])])
        check(len(got) == len(want) and all(g[0] == w[0] and close(g[1], w[1]) for g, w in zip(got, want)),
              f"{what}: {got} {want}")
        check(not any(e.dxftype() == "INSERT" for e in pieces.get(handle, [])), f"{what}: a reference is left")

    dst = os.path.join(work, "clipped.dxf")
    run(tool, ["clip"], src, dst)
    after = audited(dst, "clipped")
    rails = [e for e in after.modelspace().query("INSERT") if close(flat([e.dxf.insert]), [0, 0])]
    if check(len(rails) == 1 and rails[0].dxf.name.startswith("*UMSHV9"), "the clipped rails' block"):
        lines = sorted(flat([e.dxf.start, e.dxf.end]) for e in after.blocks[rails[0].dxf.name])
        check(close([c for l in lines for c in l], [2, 0, 8, 0, 2, 3, 8, 3]), f"the clipped rails {lines}")


def main():
    tool = sys.argv[1]
    with TestFolders("entity-operations", failures).case("operations") as work:
        src = os.path.join(work, "in.dxf")
        build(src)
        check_transform(tool, src, work, 30, 2, True)
        check_transform(tool, src, work, 90, 1, False)
        check_reverse(tool, src, work)
        check_cut(tool, src, work)
        check_props(tool, src, work)
        check_blocks(tool, work)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
