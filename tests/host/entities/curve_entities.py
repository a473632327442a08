"""Curve entities between the module and ezdxf, through the stand-in host.

Writing: every curve kind the tool builds (as drawn, near 1e7, near 1e-3, with
extended data naming it) is saved with the groups handed over (from its
subclass marker on), ezdxf computes the geometry built from its attributes,
and the audit reports nothing. Reading: every curve the module reads from an
ezdxf drawing (bulges, widths, extrusion -Z, XLINE, RAY, POINT, SOLID) starts,
passes its middle and ends where ezdxf computes it, with ezdxf's widths.

Usage: curve_entities.py TOOL
"""
import math
import os
import sys

import ezdxf
from ezdxf.math import Vec3, bulge_to_arc

from dxf_checks import audited, check, failures, finish, flat, tool_lines
from entity_rewrite import raw_entities, split_at_subclass
from test_folders import TestFolders


def close(a, b):
    a, b = list(a), list(b)
    return len(a) == len(b) and all(math.isclose(x, y, rel_tol=1e-9, abs_tol=1e-12) for x, y in zip(a, b))


def run(args):
    return tool_lines(args, args[1])


def arc_piece(center, radius, start_deg, end_deg):
    """Start, middle and end of the counter-clockwise arc."""
    end_deg = end_deg if end_deg > start_deg else end_deg + 360.0
    return [Vec3(center) + Vec3.from_deg_angle(a) * radius for a in (start_deg, (start_deg + end_deg) / 2, end_deg)]


def bulge_piece(p, q, bulge):
    p, q = Vec3(p), Vec3(q)
    if bulge == 0:
        return [p, p.lerp(q), q]
    center, a0, a1, r = bulge_to_arc(p, q, bulge)
    return [p, arc_piece(center, r, math.degrees(a0), math.degrees(a1))[1], q]


def pieces_of(e):
    """What the tool prints for a piece, as ezdxf computes it (start, middle, end)."""
    kind, d = e.dxftype(), e.dxf
    if kind == "LINE":
        return [[d.start, d.start.lerp(d.end), d.end]]
    if kind in ("ARC", "CIRCLE"):
        ocs, c, r = e.ocs(), Vec3(d.center), d.radius
        a0, a1 = (d.start_angle, d.end_angle) if kind == "ARC" else (0.0, 360.0)
        return [[ocs.to_wcs(p) for p in arc_piece(c, r, a0, a1)]]
    if kind == "ELLIPSE":
        ct = e.construction_tool()
        end = ct.end_param if ct.end_param > ct.start_param else ct.end_param + math.tau
        return [[ct.start_point, next(iter(ct.vertices([(ct.start_param + end) / 2]))), ct.end_point]]
    if kind == "LWPOLYLINE":
        pts, ocs = e.get_points("xyb"), e.ocs()
        pairs = list(zip(pts, pts[1:])) + ([(pts[-1], pts[0])] if e.closed else [])
        return [[ocs.to_wcs(v) for v in bulge_piece(p[:2], q[:2], p[2])] for p, q in pairs]
    if kind == "SOLID":
        corners = [d.vtx0, d.vtx1, d.vtx3, d.vtx2][:3 if d.vtx3.isclose(d.vtx2) else 4]
        return [[p, p.lerp(q), q] for p, q in zip(corners, corners[1:] + corners[:1])]
    if kind in ("XLINE", "RAY"):
        return [[d.start, d.start + d.unit_vector.normalize()]]
    if kind == "POINT":
        return [[d.location]]
    raise ValueError(kind)


def same(got, expected):
    return len(got) == len(expected) and all(close(flat(g[:3]), flat(x)) for g, x in zip(got, expected))


def as_file_tags(kind, groups):
    """The groups of a list from its kind's subclass marker on, as a file holds them."""
    markers = [i for i, (c, _) in enumerate(groups) if c == 100]
    tags = []
    for code, v in groups[markers[1]:]:
        if isinstance(v, list):
            tags += [(code, v[0]), (code + 10, v[1])] + ([] if kind == "LWPOLYLINE" and code == 10 else [(code + 20, v[2])])
        else:
            tags.append((code, math.degrees(v) if kind == "ARC" and code in (50, 51) else v))
    return tags


def same_tags(got, expected):
    return len(got) == len(expected) and all(
        c == k and (close([v], [w]) if isinstance(v, float) else str(v) == str(w))
        for (c, v), (k, w) in zip(got, expected))


def check_writing(tool, work):
    src, dst = os.path.join(work, "empty.dxf"), os.path.join(work, "written.dxf")
    doc = ezdxf.new("R2018")
    doc.appids.new("QEV_DATA")
    doc.saveas(src)
    cases = {c["name"]: c for c in run([tool, "write", src, dst])}
    saved, raw = audited(dst, "written"), raw_entities(dst)
    written = [e for e in saved.modelspace()]
    check(sorted(e.get_xdata("QEV_DATA")[0].value for e in written) == sorted(cases) and len(cases) == 48,
          f"{len(written)} entities saved of {len(cases)} cases")
    for e in written:
        case = cases.get(e.get_xdata("QEV_DATA")[0].value)
        kind, name = e.dxftype(), case["name"]
        saved_tags = split_at_subclass(raw[e.dxf.handle])[1]
        check(same_tags(saved_tags, as_file_tags(kind, case["list"])), f"{name}: saved {saved_tags} of {case['list']}")
        built = case["pieces"]
        if kind in ("ARC", "ELLIPSE") and built[0][3]:  # written counter-clockwise
            built = [[built[0][2], built[0][1], built[0][0]]]
        check(same(built, pieces_of(e)), f"{name}: ezdxf computes {pieces_of(e)}, built {case['pieces']}")


def build_drawing():
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    down = {"extrusion": (0, 0, -1)}
    made = [
        msp.add_lwpolyline([(0, 0, 0, 0, 1), (10, 0, 0, 0, -0.5), (10, 8, 0, 0, 0), (3, 9, 0, 0, 0.3)]),
        msp.add_lwpolyline([(0, 0, 0.5, 1, 0.4), (10, 0, 1, 0.2, 0), (10, 10, 0, 0, -1), (0, 10, 0.3, 0.3, 0)],
                           close=True),
        msp.add_lwpolyline([(0, 0), (5, 0), (5, 5)], dxfattribs={"const_width": 0.25}),
        msp.add_lwpolyline([(1, 1, 0, 0, 0.5), (6, 2, 0, 0, 0), (7, 7, 0, 0, 0)], dxfattribs=down),
        msp.add_arc((3, 4), 2, 20, 250),
        msp.add_arc((10, 5), 3, 30, 120, dxfattribs=down),
        msp.add_circle((4, -2), 1.5, dxfattribs=down),
        msp.add_ellipse((1, 2), (3, 4), 0.4, 0.5, 5.0),
        msp.add_ellipse((1, 2), (-3, 1), 0.6, 5.5, 1.0, dxfattribs=down),
        msp.add_line((1e7, 2e7), (1e7 + 3, 2e7 - 4)),
        msp.add_xline((1, 2), (3, 4)),
        msp.add_ray((1, 2), (-1, 0)),
        msp.add_point((7, 8)),
        msp.add_solid([(0, 0), (4, 0), (0, 3), (4, 3)]),
    ]
    zero = msp.add_line((1, 1), (1, 1))
    return doc, made, zero.dxf.handle


def check_reading(tool, work):
    src = os.path.join(work, "made.dxf")
    doc, made, zero = build_drawing()
    doc.saveas(src)
    read = {r["handle"]: r for r in run([tool, "read", src])}
    check(read.get(zero, {}).get("kind") == 12, f"the zero-length LINE reads as {read.get(zero)}")
    for e in made:
        r, what = read.get(e.dxf.handle, {}), f"{e.dxftype()} {e.dxf.handle}"
        got = r.get("pieces", [])
        if e.dxftype() == "SOLID":  # the reader starts the outline at its last corner
            got = got[1:] + got[:1]
        check(same(got, pieces_of(e)), f"{what}: read {got}, ezdxf {pieces_of(e)}")
        if e.dxftype() == "LWPOLYLINE":
            cw = e.dxf.const_width
            widths = [w for s, t in e.get_points("se") for w in ((s, t) if s or t else (cw, cw))]
            check(close(r["widths"], widths), f"{what}: widths {r['widths']}, ezdxf {widths}")


def main():
    with TestFolders("curve-entities", failures).case("curves") as work:
        check_writing(sys.argv[1], work)
        check_reading(sys.argv[1], work)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
