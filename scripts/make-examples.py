#!/usr/bin/python3
"""Writes the example drawings of examples/ with ezdxf (Debian's python3-ezdxf),
and the heating file of the example host folder (examples/host/Dat/).

minimal.dxf     one manifold (INSERT 100 of RZ_TEST) with two distribution
                pipes (LINE 101, LWPOLYLINE 103) and two zones (LWPOLYLINE 102
                and 104), in millimetres.
flat.dxf        a flat of eight rooms around an unheated hall with the
                manifold (INSERT 400): seven pipes (401-407) each run through
                the hall to its room, the rooms (408-40F) are an L-shaped
                living room, a pantry, a kitchen, a bathroom, a bedroom with an
                arc wall, a study, a child's room and a WC without a pipe of
                its own; walls of 200 mm between them; room names (TEXT
                410-418), and a wall LINE 419 with its TEXT 41A and a
                DIMENSION 41B of the hall, which an edit's window catches.
refusals.dxf    inputs the heating design command refuses, one group each
                (see refusal_fixtures()).
three-zones.dxf three zones (a rectangle, an L shape, a room with one arc wall)
                and a manifold with two distribution pipes, in code page 1250.
offset-test.dxf the outlines of the offset test command, by handle:
                300 rectangle 4000 x 3000 (closed LWPOLYLINE); 301 an L room
                whose top wall is an arc (bulge), 302 the same L clockwise;
                303-308 that L as LINEs and an ARC, some reversed, 305 ending
                5 mm short of its corner; 309 and 30A two separate rectangles;
                30B-311 two rooms of LINEs sharing one wall; 312 a CIRCLE and
                313 a TEXT; 314-32C rooms with an edge shorter than the
                zone-bound tolerance (25 mm) at their start (see offset_test()).
floor-20.dxf    twenty rooms of about 10 m2 around a hall with the manifold
                (INSERT 600), one pipe each (see floor20()).
host/Dat/qev_heat_floors.dat
                the module's shipped heating defaults (resources/Dat), the
                double spiral as the circuit shape, with a description mask.

Every drawing must audit clean; the script stops otherwise. The scripts of
examples/ are written by hand.
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
    fixed_handle(doc, "%X" % (0xFF00 + len(doc.entitydb)))
    seqend.dxf.handle = None
    doc.entitydb.add(seqend)
    fixed_handle(doc, "%X" % (int(ref.dxf.handle, 16) + 1))
    # The mark also as the item's label (property 1), which the item record reads.
    ref.set_xdata("QEV_DATA", [(1000, "E@2x1"), (1000, "TOT0000-0023"), (1000, mark),
                               (1000, "_QEVITEM_ID"), (1000, "TOT0000-0023"), (1000, "_LABEL"), (1000, mark)])
    ref.set_xdata("QEV_INSPT", [(1070, 0), (1010, (0, 0, 0)), (1010, (1, 0, 0))])
    return ref


def rectangle(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def minimal():
    doc = start("R2013")
    manifold_block(doc, "RZ_TEST", rectangle(0, 0, 600, 100))
    msp = doc.modelspace()
    # The script selects by handle: 100 (manifold), 101 and 103 (pipes),
    # 102 and 104 (zones). The pipes leave the manifold 200 apart.
    fixed_handle(doc, "100")
    manifold(msp, "RZ_TEST", (1000, 1000, 0), "RZ1")
    rozvody = {"layer": "ROZVODY"}
    zony = {"layer": "ZONY"}
    msp.add_line((1300, 1100), (1300, 2000), dxfattribs=rozvody)                                    # 101
    msp.add_lwpolyline(rectangle(0, 2000, 4000, 5000), close=True, dxfattribs=zony)                 # 102
    msp.add_lwpolyline([(1500, 1100), (1500, 1600), (6000, 1600), (6000, 2000)], dxfattribs=rozvody)  # 103
    msp.add_lwpolyline(rectangle(5000, 2000, 9000, 5000), close=True, dxfattribs=zony)              # 104
    return doc


def flat():
    """Eight rooms around a hall (y 4000-5600) that holds the manifold; the
    pipes of the rooms below leave its bottom edge, those of the rooms above
    its top edge, 200 apart, and the farther a pipe goes, the nearer the
    manifold its run along the hall, so that no two cross."""
    doc = start("R2013")
    manifold_block(doc, "RZ_BYT", rectangle(0, 0, 2000, 100))
    msp = doc.modelspace()
    fixed_handle(doc, "400")
    manifold(msp, "RZ_BYT", (4600, 4700, 0), "RZ1")                                                  # 400
    rozvody = {"layer": "ROZVODY"}
    for run in ([(5000, 4700), (5000, 4500), (1500, 4500), (1500, 3800)],        # 401 living room
                [(5200, 4700), (5200, 4200), (4800, 4200), (4800, 3800)],        # 402 pantry
                [(5400, 4700), (5400, 4300), (8000, 4300), (8000, 3800)],        # 403 kitchen
                [(5600, 4700), (5600, 4500), (11500, 4500), (11500, 3800)],      # 404 bathroom
                [(5900, 4800), (5900, 5200), (3000, 5200), (3000, 5800)],        # 405 bedroom
                [(6100, 4800), (6100, 5300), (8300, 5300), (8300, 5800)],        # 406 study
                [(6300, 4800), (6300, 5000), (12500, 5000), (12500, 5800)]):     # 407 child's room
        msp.add_lwpolyline(run, dxfattribs=rozvody)
    zony = {"layer": "ZONY"}
    rooms = [
        ("Obývací pokoj", [(0, 0, 0), (6000, 0, 0), (6000, 2200, 0), (3500, 2200, 0), (3500, 3800, 0),  # 408 L
                           (0, 3800, 0)]),
        ("Spíž", [(x, y, 0) for x, y in rectangle(3700, 2400, 6000, 3800)]),                          # 409
        ("Kuchyň", [(x, y, 0) for x, y in rectangle(6200, 0, 10000, 3800)]),                          # 40A
        ("Koupelna", [(x, y, 0) for x, y in rectangle(10200, 1600, 12800, 3800)]),                    # 40B
        ("Ložnice", [(0, 5800, 0), (6000, 5800, 0), (6000, 10000, 0.3), (0, 10000, 0)]),              # 40C arc wall
        ("Pracovna", [(x, y, 0) for x, y in rectangle(6200, 5800, 10500, 10000)]),                    # 40D
        ("Dětský pokoj", [(x, y, 0) for x, y in rectangle(10700, 5800, 14500, 10000)]),               # 40E
        ("WC", [(x, y, 0) for x, y in rectangle(13000, 1600, 14500, 3800)]),                          # 40F
    ]
    for _, outline in rooms:
        msp.add_lwpolyline(outline, format="xyb", close=True, dxfattribs=zony)
    for name, outline in rooms:
        x = min(p[0] for p in outline) + 300
        y = max(p[1] for p in outline) - 500
        msp.add_text(name, dxfattribs={"height": 150, "insert": (x, y), "layer": "0"})
    msp.add_text("Chodba", dxfattribs={"height": 150, "insert": (1000, 5300), "layer": "0"})
    # What an edit's selection window around the design also catches, and
    # must leave alone: a wall line, its text and a dimension of the hall.
    msp.add_line((0, 4000), (3500, 4000), dxfattribs={"layer": "0"})                                  # 419
    msp.add_text("Nosná stěna", dxfattribs={"height": 100, "insert": (300, 4100), "layer": "0"})        # 41A
    msp.add_linear_dim(base=(0, 5700), p1=(0, 4000), p2=(0, 5600), angle=90,
                       dxfattribs={"layer": "0"}).render()                                               # 41B
    return doc


def refusal_fixtures():
    """One drawing with the inputs of every refusal, by handle (the test
    builds a script per refusal):
    500 manifold "TOT0000-0023" at (1000,1000), 501 pipe into 502 zone
    (0,2000)-(4000,5000): the valid base;
    503 a second manifold; 504 a CIRCLE; 505 a pipe that does not touch the
    manifold; 506 a pipe from the manifold ending below the zone; 507 a
    second pipe into zone 502; 508 an LWPOLYLINE of one vertex; 509 an open
    zone polyline; 50A a closed zone and 50B an open polyline that closes
    into a second zone with 50A's edge x = 12000, drawn once; 50C an
    ELLIPSE; 50D a LINE drawn over the bottom edge of 502; 50E a SPLINE;
    50F a manifold whose item is "TOT0000-0002" (not a manifold); 510 a
    "TOT0000-0001" manifold of only 4 outline points; 511 a TEXT; 512 and
    513 zones drawn again over 502 and 50A; 514 a heavy POLYLINE."""
    doc = start("R2013")
    manifold_block(doc, "RZ_TEST", rectangle(0, 0, 600, 100))
    manifold_block(doc, "RZ_CIZI", rectangle(0, 0, 600, 100))
    msp = doc.modelspace()
    rozvody = {"layer": "ROZVODY"}
    zony = {"layer": "ZONY"}
    fixed_handle(doc, "500")
    manifold(msp, "RZ_TEST", (1000, 1000, 0), "RZ1")                                             # 500
    msp.add_line((1300, 1100), (1300, 2000), dxfattribs=rozvody)                                 # 501
    msp.add_lwpolyline(rectangle(0, 2000, 4000, 5000), close=True, dxfattribs=zony)              # 502
    manifold(msp, "RZ_TEST", (20000, 1000, 0), "RZ2")                                            # 503
    msp.add_circle((30000, 3000), 1000, dxfattribs=zony)                                         # 504
    msp.add_line((3000, 1100), (3000, 2000), dxfattribs=rozvody)                                 # 505
    msp.add_line((1500, 1100), (1500, 1800), dxfattribs=rozvody)                                 # 506
    msp.add_line((1500, 1100), (1500, 2000), dxfattribs=rozvody)                                 # 507
    msp.add_lwpolyline([(40000, 3000)], dxfattribs=zony)                                         # 508
    msp.add_lwpolyline([(0, 7000), (4000, 7000), (4000, 9000), (0, 9000)], dxfattribs=zony)      # 509 open
    msp.add_lwpolyline(rectangle(10000, 2000, 12000, 5000), close=True, dxfattribs=zony)         # 50A
    msp.add_lwpolyline([(12000, 2000), (14000, 2000), (14000, 5000), (12000, 5000)], dxfattribs=zony)  # 50B
    msp.add_ellipse((30000, 8000), major_axis=(2000, 0), ratio=0.5, dxfattribs=zony)             # 50C
    msp.add_line((0, 2000), (4000, 2000), dxfattribs=zony)                                       # 50D
    msp.add_spline([(40000, 7000), (41000, 8000), (42000, 7000), (43000, 8000)], dxfattribs=zony)  # 50E
    other = manifold(msp, "RZ_CIZI", (20000, 6000, 0), "X1")                                     # 50F
    other.set_xdata("QEV_DATA", [(1000, "E@2x1"), (1000, "TOT0000-0002"), (1000, "X1"),
                                 (1000, "_QEVITEM_ID"), (1000, "TOT0000-0002"), (1000, "_LABEL"), (1000, "X1")])
    four = manifold(msp, "RZ_TEST", (20000, 9000, 0), "RZ4")                                     # 510
    four.set_xdata("QEV_DATA", [(1000, "E@2x1"), (1000, "TOT0000-0001"), (1000, "RZ4"),
                                (1000, "_QEVITEM_ID"), (1000, "TOT0000-0001"), (1000, "_LABEL"), (1000, "RZ4")])
    msp.add_text("Obývací pokoj", dxfattribs={"height": 150, "insert": (500, 4500), "layer": "0"})  # 511
    msp.add_lwpolyline(rectangle(0, 2000, 4000, 5000), close=True, dxfattribs=zony)              # 512 = 502
    msp.add_lwpolyline(rectangle(10000, 2000, 12000, 5000), close=True, dxfattribs=zony)         # 513 = 50A
    # Last: its vertices take handles of their own.
    msp.add_polyline2d(rectangle(35000, 7000, 38000, 9000), close=True, dxfattribs=zony)         # 514
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
    # 314-317: the 4000 x 3000 room started in the middle of its bottom wall,
    # closed by a jog of 20, 10, 2 and 30 mm back to its first vertex.
    for k, jog in enumerate((20, 10, 2, 30)):
        x, y = 5000 * k, 14000
        msp.add_lwpolyline([(x + 2000, y + jog), (x + 4000, y + jog), (x + 4000, y + 3000), (x, y + 3000), (x, y),
                            (x + 2000, y)], close=True, dxfattribs=zony)
    # 318: a room whose first edge is 22.8 mm long.
    msp.add_lwpolyline([(-3317.1, 9801.2), (-3317.1, 9824.0), (-7633.4, 9824.0), (-7633.4, 3750.8), (-3317.1, 3750.8),
                        (-3317.1, 3974.7), (-259.3, 3974.7), (-259.3, 9801.2)], close=True, dxfattribs=zony)
    # 319: a 2 mm jog in the middle of the bottom wall; 31A: a closed rectangle
    # whose last vertex repeats its first.
    msp.add_lwpolyline([(20000, 14000), (22000, 14000), (22000, 14002), (24000, 14002), (24000, 17000), (20000, 17000)],
                       close=True, dxfattribs=zony)
    msp.add_lwpolyline([(25000, 14000), (29000, 14000), (29000, 17000), (25000, 17000), (25000, 14000)], close=True,
                       dxfattribs=zony)
    # 31B-320: the room of 314 as loose pieces, its top wall an arc: 31B the
    # 20 mm jog, then the walls in order.
    y = 19000
    msp.add_line((2000, y), (2000, y + 20), dxfattribs=zony)                     # 31B
    msp.add_line((2000, y + 20), (4000, y + 20), dxfattribs=zony)                # 31C
    msp.add_line((4000, y + 20), (4000, y + 3000), dxfattribs=zony)              # 31D
    centre, r, a0, a1 = bulge_arc((4000, y + 3000), (0, y + 3000), 0.2)
    msp.add_arc(centre, r, round(a0, 9), round(a1, 9), dxfattribs=zony)         # 31E
    msp.add_line((0, y + 3000), (0, y), dxfattribs=zony)                         # 31F
    msp.add_line((0, y), (2000, y), dxfattribs=zony)                             # 320
    # 321-32C: the room with a 2 mm jog in its bottom wall started at each of
    # its six vertices, at (5000 k, 24000) counter-clockwise and at
    # (5000 k, 29000) clockwise.
    jog = [(0, 0), (2000, 0), (2000, 2), (4000, 2), (4000, 3000), (0, 3000)]
    for y, way in ((24000, jog), (29000, jog[::-1])):
        for k in range(6):
            msp.add_lwpolyline([(x + 5000 * k, y + v) for x, v in way[k:] + way[:k]], close=True, dxfattribs=zony)
    return doc


# The description mask of the example host: "%KEY%" stands for the value of
# a zone description key; a backslash starts a new line.
def floor20():
    """Twenty rooms of 3 x 3.3 m (about 200 m2) in two rows of ten on either
    side of a hall that holds the manifold (INSERT 600, 2000 long): each room
    has its own pipe, which leaves the manifold's bottom (rooms below) or top
    edge (rooms above) 100 apart, runs along the hall, the farther rooms'
    nearer the manifold so that no two cross, and meets the middle of its
    room's hall wall square. The floor of bench/readback_bench.cpp."""
    doc = start("R2013")
    manifold_block(doc, "RZ_PODLAZI", rectangle(0, 0, 2000, 100))
    msp = doc.modelspace()
    fixed_handle(doc, "600")
    manifold(msp, "RZ_PODLAZI", (15000, 4450, 0), "RZ1")
    rooms = [(i * 3200, 0, i * 3200 + 3000, 3300) for i in range(10)] + \
            [(i * 3200, 5700, i * 3200 + 3000, 9000) for i in range(10)]
    for below in (True, False):
        edge, wall, step = (4450, 3300, -100) if below else (4550, 5700, 100)
        left = [r for r in rooms if (r[1] == 0) == below and (r[0] + r[2]) / 2 < 15000]
        right = [r for r in rooms if (r[1] == 0) == below and (r[0] + r[2]) / 2 >= 15000]
        # The farthest room's pipe leaves the manifold's outer end and runs nearest it.
        for j, room in enumerate(sorted(left, key=lambda r: r[0])):
            x, level = 15050 + 100 * j + (0 if below else 1000), edge + step * (j + 1)
            msp.add_lwpolyline([(x, edge), (x, level), ((room[0] + room[2]) / 2, level), ((room[0] + room[2]) / 2, wall)],
                               dxfattribs={"layer": "ROZVODY"})
        for j, room in enumerate(sorted(right, key=lambda r: -r[0])):
            x, level = 15950 - 100 * j + (0 if below else 1000), edge + step * (j + 1)
            msp.add_lwpolyline([(x, edge), (x, level), ((room[0] + room[2]) / 2, level), ((room[0] + room[2]) / 2, wall)],
                               dxfattribs={"layer": "ROZVODY"})
    for x0, y0, x1, y1 in rooms:
        msp.add_lwpolyline(rectangle(x0, y0, x1, y1), close=True, dxfattribs={"layer": "ZONY"})
    return doc


DESCRIPTION_MASK = ("Zóna %_PT_ZONA_OZN%\\Plocha %_PT_ZONA_SCELK% m2\\q = %_PT_ZONA_Q% W/m2\\"
                    "l = %_PT_ZONA_L_ROZTEC% m, L = %_PT_ZONA_L_DELKA% m")


def host_heating_file(here, out):
    """The shipped heating defaults (the double spiral as the circuit shape)
    with the description mask, as examples/host/Dat/qev_heat_floors.dat."""
    with open(os.path.join(here, "..", "resources", "Dat", "qev_heat_floors.dat"), encoding="utf-8") as f:
        text = f.read()
    if "CIRCUIT_SHAPE=1\n" not in text:
        raise SystemExit("resources/Dat/qev_heat_floors.dat has no CIRCUIT_SHAPE=1 line")
    head = ("; The example host's heating file: the module's shipped defaults\n"
            "; (resources/Dat/qev_heat_floors.dat, copied by scripts/make-examples.py)\n"
            "; with a description mask.\n\n")
    text = head + text
    text += "\n[DESC_FLOORHEATING]\nMASK_FLOORHEATING=" + DESCRIPTION_MASK + "\n"
    folder = os.path.join(out, "host", "Dat")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "qev_heat_floors.dat"), "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "examples")
    os.makedirs(out, exist_ok=True)
    host_heating_file(here, out)
    for name, build in (("minimal.dxf", minimal), ("flat.dxf", flat), ("refusals.dxf", refusal_fixtures),
                        ("three-zones.dxf", three_zones), ("offset-test.dxf", offset_test),
                        ("floor-20.dxf", floor20)):
        path = os.path.join(out, name)
        build().saveas(path)
        auditor = ezdxf.readfile(path).audit()
        if auditor.has_errors:
            auditor.print_error_report()
            raise SystemExit(f"{name} does not audit clean")


if __name__ == "__main__":
    main()
