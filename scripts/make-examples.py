#!/usr/bin/python3
"""Writes the example drawings of examples/ with ezdxf (Debian's python3-ezdxf).

minimal.dxf     one manifold (INSERT 100 of RZ_TEST), one distribution pipe
                (LINE 101) and one zone (LWPOLYLINE 102), in millimetres.
three-zones.dxf three zones (a rectangle, an L shape, a room with one arc wall)
                and a manifold with two distribution pipes, in code page 1250.
offset-test.dxf the outlines of the offset test command, by handle:
                300 rectangle 4000 x 3000 (closed LWPOLYLINE); 301 an L room
                whose top wall is an arc (bulge), 302 the same L clockwise;
                303-308 that L as LINEs and an ARC, some reversed, 305 ending
                5 mm short of its corner; 309 and 30A two separate rectangles;
                30B-311 two rooms of LINEs sharing one wall; 312 a CIRCLE and
                313 a TEXT.

Both drawings must audit clean; the script stops otherwise. The scripts of
examples/ (minimal.script, three-zones.script) are written by hand.
Usage: scripts/make-examples.py [OUTPUT_DIR]   (default: examples/ of the repository)
"""
import os
import sys

import ezdxf

LAYERS = {"RZ": 1, "ROZVODY": 5, "ZONY": 3}


def start(version, codepage=None):
    doc = ezdxf.new(version, setup=False)
    doc.header["$INSUNITS"] = 4  # millimetres
    doc.header["$MEASUREMENT"] = 1
    doc.header["$CLAYER"] = "0"
    doc.header["$UCSORG"] = (0, 0, 0)
    doc.header["$UCSXDIR"] = (1, 0, 0)
    doc.header["$UCSYDIR"] = (0, 1, 0)
    if codepage:
        doc.encoding = codepage
    for name, color in LAYERS.items():
        doc.layers.add(name, color=color)
    for app in ("QEV_DATA", "QEV_INSPT"):
        doc.appids.new(app)
    return doc


def manifold_block(doc, name, outline):
    """A manifold block: one closed LWPOLYLINE on layer 0 and nothing else, so
    the outline points are exactly the connection points."""
    block = doc.blocks.new(name, base_point=(0, 0, 0))
    block.add_lwpolyline(outline, close=True, dxfattribs={"layer": "0"})


def fixed_handle(doc, handle):
    """The next entity gets `handle` (hexadecimal)."""
    doc.entitydb.handles.reset(handle)


def manifold(msp, name, insert, mark):
    doc = msp.doc
    ref = msp.add_blockref(name, insert, dxfattribs={"layer": "RZ"})
    # ezdxf gives the INSERT a SEQEND at once, which would take the next
    # handle; move it out of the way (it is not written without attributes).
    seqend = ref.seqend
    doc.entitydb.discard(seqend)
    fixed_handle(doc, "FF00")
    seqend.dxf.handle = None
    doc.entitydb.add(seqend)
    fixed_handle(doc, "%X" % (int(ref.dxf.handle, 16) + 1))
    # The mark also as the item's label (property 1), which the item record reads.
    ref.set_xdata("QEV_DATA", [(1000, "E@2x1"), (1000, "TOT0000-0023"), (1000, mark),
                               (1000, "_QEVITEM_ID"), (1000, "TOT0000-0023"), (1000, "_LABEL"), (1000, mark)])
    ref.set_xdata("QEV_INSPT", [(1070, 0), (1010, (0, 0, 0)), (1010, (1, 0, 0))])
    return ref


def minimal():
    doc = start("R2013")
    manifold_block(doc, "RZ_TEST", [(0, 0), (600, 0), (600, 100), (0, 100)])
    msp = doc.modelspace()
    # The script selects by handle: 100 (manifold), 101 (pipe), 102 (zone).
    fixed_handle(doc, "100")
    manifold(msp, "RZ_TEST", (1000, 1000, 0), "RZ1")
    msp.add_line((1300, 1100), (1300, 2000), dxfattribs={"layer": "ROZVODY"})
    msp.add_lwpolyline([(0, 2000), (4000, 2000), (4000, 5000), (0, 5000)], close=True,
                       dxfattribs={"layer": "ZONY"})
    return doc


def three_zones():
    doc = start("R2000", "cp1250")
    # Six connection points; the fourth outline segment is the middle of the top edge.
    manifold_block(doc, "RZ_2OKR", [(0, 0), (800, 0), (800, 100), (600, 100), (200, 100), (0, 100)])
    msp = doc.modelspace()
    fixed_handle(doc, "200")
    manifold(msp, "RZ_2OKR", (5000, 1000, 0), "RZ2")                                     # 200
    # Pipe into the L-shaped zone, straight up from the manifold's top edge.
    msp.add_line((5600, 1100), (5600, 2000), dxfattribs={"layer": "ROZVODY"})            # 201
    # Pipe into the rectangle: up, left, up.
    msp.add_lwpolyline([(5200, 1100), (5200, 1500), (2000, 1500), (2000, 2000)],         # 202
                       dxfattribs={"layer": "ROZVODY"})
    zony = {"layer": "ZONY"}
    msp.add_lwpolyline([(0, 2000), (4000, 2000), (4000, 5000), (0, 5000)], close=True,   # 203 rectangle
                       dxfattribs=zony)
    msp.add_lwpolyline([(4500, 2000), (9000, 2000), (9000, 4000), (6500, 4000),          # 204 L shape
                        (6500, 6000), (4500, 6000)], close=True, dxfattribs=zony)
    # A room whose top wall is an arc: bulge 0.3 on the segment from (13000,5000) to (9500,5000).
    msp.add_lwpolyline([(9500, 2000, 0), (13000, 2000, 0), (13000, 5000, 0.3), (9500, 5000, 0)],  # 205
                       format="xyb", close=True, dxfattribs=zony)
    for text, at in (("Obývací pokoj", (500, 4500)), ("Kuchyň a jídelna", (5000, 5500)),
                     ("Ložnice", (10000, 4000))):
        msp.add_text(text, dxfattribs={"height": 150, "insert": at, "layer": "0"})
    return doc


# The L room with an arc wall, counter-clockwise from its lower left corner:
# (x, y, bulge of the side to the next vertex).
L_ROOM = [(0, 0, 0), (5000, 0, 0), (5000, 2500, 0), (2500, 2500, 0), (2500, 4500, 0.3), (0, 4500, 0)]


def moved(points, dx, dy):
    return [(x + dx, y + dy, b) for x, y, b in points]


def clockwise(points):
    """The same outline run the other way: each side's bulge negated and
    carried by its new start vertex."""
    n = len(points)
    out = []
    for i in range(n - 1, -1, -1):
        x, y, _ = points[i]
        out.append((x, y, -points[(i - 1) % n][2]))
    return out


def bulge_arc(p, q, bulge):
    """Centre, radius and the start and end angles (degrees, counter-clockwise)
    of the side from p to q with a positive bulge."""
    import math
    theta = 4 * math.atan(bulge)
    chord = math.dist(p, q)
    r = chord / (2 * math.sin(theta / 2))
    h = r * math.cos(theta / 2)
    mx, my = (p[0] + q[0]) / 2, (p[1] + q[1]) / 2
    ux, uy = (q[0] - p[0]) / chord, (q[1] - p[1]) / chord
    cx, cy = mx - uy * h, my + ux * h
    a0 = math.degrees(math.atan2(p[1] - cy, p[0] - cx))
    a1 = math.degrees(math.atan2(q[1] - cy, q[0] - cx))
    return (cx, cy), r, a0, a1


def offset_test():
    doc = start("R2013")
    msp = doc.modelspace()
    zony = {"layer": "ZONY"}
    fixed_handle(doc, "300")
    msp.add_lwpolyline([(0, 0), (4000, 0), (4000, 3000), (0, 3000)], close=True, dxfattribs=zony)  # 300
    msp.add_lwpolyline(moved(L_ROOM, 7000, 0), format="xyb", close=True, dxfattribs=zony)           # 301
    msp.add_lwpolyline(clockwise(moved(L_ROOM, 14000, 0)), format="xyb", close=True, dxfattribs=zony)  # 302
    # 303-308: the L at x 21000 side by side; 304 and 306 reversed, 305 ends
    # 5 mm short of the corner at (23500, 2500).
    ox = 21000
    msp.add_line((ox, 0), (ox + 5000, 0), dxfattribs=zony)                      # 303
    msp.add_line((ox + 5000, 2500), (ox + 5000, 0), dxfattribs=zony)            # 304
    msp.add_line((ox + 5000, 2500), (ox + 2505, 2500), dxfattribs=zony)         # 305
    msp.add_line((ox + 2500, 4500), (ox + 2500, 2500), dxfattribs=zony)         # 306
    centre, r, a0, a1 = bulge_arc((ox + 2500, 4500), (ox, 4500), 0.3)
    # Angles of nine decimals (the ends move by some 1e-8 mm), which a reader
    # that keeps radians writes back with the same digits.
    msp.add_arc(centre, r, round(a0, 9), round(a1, 9), dxfattribs=zony)         # 307
    msp.add_line((ox, 4500), (ox, 0), dxfattribs=zony)                          # 308
    rect = [(0, 0), (2000, 0), (2000, 1500), (0, 1500)]
    for dx in (0, 3000):                                                        # 309, 30A
        msp.add_lwpolyline([(x + dx, y + 8000) for x, y in rect], close=True, dxfattribs=zony)
    # 30B-311: two rooms 3000 x 2000 at (7000, 8000) sharing the wall x = 10000.
    for a, b in (((7000, 8000), (10000, 8000)), ((10000, 8000), (13000, 8000)), ((13000, 8000), (13000, 10000)),
                 ((13000, 10000), (10000, 10000)), ((10000, 10000), (7000, 10000)), ((7000, 10000), (7000, 8000)),
                 ((10000, 8000), (10000, 10000))):
        msp.add_line(a, b, dxfattribs=zony)
    msp.add_circle((16000, 9000), 1000, dxfattribs=zony)                        # 312
    msp.add_text("Obývací pokoj", dxfattribs={"height": 150, "insert": (19000, 9000), "layer": "0"})  # 313
    return doc


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "examples")
    os.makedirs(out, exist_ok=True)
    for name, build in (("minimal.dxf", minimal), ("three-zones.dxf", three_zones),
                        ("offset-test.dxf", offset_test)):
        path = os.path.join(out, name)
        build().saveas(path)
        auditor = ezdxf.readfile(path).audit()
        if auditor.has_errors:
            auditor.print_error_report()
            raise SystemExit(f"{name} does not audit clean")


if __name__ == "__main__":
    main()
