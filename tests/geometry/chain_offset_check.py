#!/usr/bin/python3
"""chain_offset_check.py TOOL: the chain offsets against GEOS (shapely).

Seeded rooms people draw (rectangles, L, U, T and notched rooms, either way
round, turned by arbitrary angles) at the origin and near (1e7, 1e7) in a
millimetre drawing (unit factor 1000), and at 1e-3 in a metre drawing (unit
factor 1), go to TOOL (tests/geometry/tools/ChainOffsetTool.cpp), which
offsets them with the library. The offset distance stays below a third of the
least distance between edges that do not meet, so every offset is one
outline with mitred corners:

- the joined offset of a closed room equals GEOS's mitred buffer (area to
  1e-9 relative, Hausdorff distance to 1e-8 of the room's extent), and so
  does the chain offset with the same distance for every wall;
- the joined offset of an open polyline (L, U, zigzags turning by at most
  150 degrees, segments longer than 4 |d|) equals GEOS's mitred parallel
  offset, compared undirected;
- the area over triangles equals the area of the piece rule, also on rooms
  with outward and deep inward arcs.

Exits 1 listing the outlines that differ.
"""
import json
import math
import random
import subprocess
import sys

from shapely.geometry import LineString, Polygon

SEED = 20240611
ROOMS = 300
MITRE = dict(join_style=2, mitre_limit=1000)


def room_shape(rng, kind, w, h):
    u = rng.uniform
    if kind == "rectangle":
        return [(0, 0), (w, 0), (w, h), (0, h)]
    if kind == "L":
        a, b = w * u(0.4, 0.8), h * u(0.3, 0.7)
        return [(0, 0), (w, 0), (w, b), (a, b), (a, h), (0, h)]
    if kind == "U":
        t, b = w * u(0.2, 0.35), h * u(0.2, 0.5)
        return [(0, 0), (w, 0), (w, h), (w - t, h), (w - t, b), (t, b), (t, h), (0, h)]
    if kind == "T":
        s, t, b = w * u(0.25, 0.4), w * u(0.2, 0.3), h * u(0.4, 0.7)
        return [(s, 0), (s + t, 0), (s + t, b), (w, b), (w, h), (0, h), (0, b), (s, b)]
    x1, x2, depth = w * u(0.2, 0.4), w * u(0.5, 0.8), h * u(0.2, 0.5)
    return [(0, 0), (x1, 0), (x1, depth), (x2, depth), (x2, 0), (w, 0), (w, h), (0, h)]


def placed(points, angle, origin):
    c, s = math.cos(angle), math.sin(angle)
    return [(origin[0] + c * x - s * y, origin[1] + s * x + c * y) for x, y in points]


def least_gap(points, closed):
    """The least distance between edges that do not meet."""
    n = len(points)
    edges = [LineString([points[i], points[(i + 1) % n]]) for i in range(n if closed else n - 1)]
    m = len(edges)
    gaps = [edges[i].distance(edges[j]) for i in range(m) for j in range(i + 2, m)
            if not (closed and i == 0 and j == m - 1)]
    return min(gaps) if gaps else math.inf


REGIMES = [((0.0, 0.0), 1000.0, 1000.0), ((1e7, 1e7), 1000.0, 1000.0), ((1e-3, 1e-3), 1.0, 1e-3)]


def closed_rooms(rng):
    kinds = ["rectangle", "L", "U", "T", "notch"]
    for k in range(ROOMS):
        origin, unit, scale = REGIMES[k % len(REGIMES)]
        local = room_shape(rng, kinds[k % len(kinds)], rng.uniform(3, 12) * scale, rng.uniform(3, 12) * scale)
        if rng.random() < 0.5:
            local.reverse()
        points = placed(local, rng.uniform(0, 2 * math.pi), origin)
        d = rng.uniform(0.05, 0.33) * least_gap(points, True) * rng.choice([-1, 1])
        yield {"unit": unit, "closed": True, "d": d, "points": points, "bulges": [0.0] * len(points)}


def open_polylines(rng):
    count = 0
    while count < 60:
        n = rng.choice([3, 4, 5, 6, 7])
        heading = rng.uniform(0, 2 * math.pi)
        points = [(0.0, 0.0)]
        for i in range(n - 1):
            if i:
                heading += rng.choice([-1, 1]) * rng.uniform(math.radians(20), math.radians(150))
            length = rng.uniform(3, 6)
            points.append((points[-1][0] + length * math.cos(heading), points[-1][1] + length * math.sin(heading)))
        line = LineString(points)
        if not line.is_simple:
            continue
        d = min(rng.uniform(0.05, 0.33) * least_gap(points, False), 3 / 8) * rng.choice([-1, 1])
        count += 1
        yield {"unit": 1.0, "closed": False, "d": d, "points": points, "bulges": [0.0] * len(points)}


def arc_points(a, b, bulge, steps=64):
    """Points along the arc from a to b with the bulge (positive counter-clockwise)."""
    chord = math.dist(a, b)
    sweep = 4 * math.atan(bulge)
    radius = chord / (2 * math.sin(sweep / 2))
    mx, my = (a[0] + b[0]) / 2, (a[1] + b[1]) / 2
    nx, ny = -(b[1] - a[1]) / chord, (b[0] - a[0]) / chord
    h = radius * math.cos(sweep / 2)
    cx, cy = mx + nx * h, my + ny * h
    start = math.atan2(a[1] - cy, a[0] - cx)
    return [(cx + abs(radius) * math.cos(start + sweep * t / steps), cy + abs(radius) * math.sin(start + sweep * t / steps))
            for t in range(steps)]


def arc_rooms(rng):
    rooms = [
        # A deep inward arc across the bottom of a tall room, an outward one on top.
        {"points": [(0, 0), (4000, 0), (4000, 10000), (0, 10000)], "bulges": [-0.9, 0, 0.7, 0]},
        {"points": [(0, 0), (6000, 0), (6000, 3000), (3000, 3000), (3000, 6000), (0, 6000)],
         "bulges": [0.4, 0, -0.6, 0, 0, 0.3]},
    ]
    kinds = ["rectangle", "L", "U", "T", "notch"]
    while len(rooms) < 60:
        local = room_shape(rng, kinds[len(rooms) % len(kinds)], rng.uniform(3, 12) * 1000, rng.uniform(3, 12) * 1000)
        points = placed(local, rng.uniform(0, 2 * math.pi), (0.0, 0.0))
        bulges = [rng.choice([0.0, rng.uniform(-0.9, 0.9)]) for _ in points]
        ring = []
        for i, b in enumerate(bulges):
            a, c = points[i], points[(i + 1) % len(points)]
            ring.extend(arc_points(a, c, b) if b else [a])
        if Polygon(ring).is_valid and Polygon(points).is_valid:
            rooms.append({"points": points, "bulges": bulges})
    for room in rooms:
        yield {"unit": 1000.0, "closed": True, "d": 100.0, **room}


def line_of(outline):
    head = "%r %d %r %d" % (outline["unit"], 1 if outline["closed"] else 0, outline["d"], len(outline["points"]))
    coords = [repr(float(v)) for (x, y), b in zip(outline["points"], outline["bulges"]) for v in (x, y, b)]
    return " ".join([head] + coords)


def relative(points, origin):
    return [(x - origin[0], y - origin[1]) for x, y in points]


def compare_closed(outline, answer, faults, tag):
    origin = outline["points"][0]
    room = Polygon(relative(outline["points"], origin))
    d = outline["d"]
    expected = room.buffer(-d if room.exterior.is_ccw else d, **MITRE)
    extent = max(room.bounds[2] - room.bounds[0], room.bounds[3] - room.bounds[1])
    for key in ("joined", "chain"):
        got = answer.get(key)
        if got is None:
            faults.append("%s: %s gave nothing" % (tag, key))
            continue
        offset = Polygon(relative(got, origin))
        area_error = abs(offset.area - expected.area) / expected.area
        distance = LineString(offset.exterior.coords).hausdorff_distance(LineString(expected.exterior.coords))
        if area_error > 1e-9 or distance > 1e-8 * extent:
            faults.append("%s: %s area error %.3g, Hausdorff %.3g of %.3g" % (tag, key, area_error, distance, extent))


def compare_open(outline, answer, faults, tag):
    line = LineString(outline["points"])
    expected = line.parallel_offset(outline["d"], "left", **MITRE)
    got = answer.get("joined")
    extent = max(line.bounds[2] - line.bounds[0], line.bounds[3] - line.bounds[1])
    if got is None or expected.geom_type != "LineString":
        faults.append("%s: joined %s, GEOS %s" % (tag, got is not None, expected.geom_type))
        return
    distance = LineString(got).hausdorff_distance(expected)
    if distance > 1e-8 * extent:
        faults.append("%s: open offset Hausdorff %.3g of %.3g" % (tag, distance, extent))


def compare_areas(answer, faults, tag):
    area, triangles = answer.get("area"), answer.get("triangles")
    if area is None or triangles is None or abs(area - triangles) > 1e-9 * area:
        faults.append("%s: area %s, over triangles %s" % (tag, area, triangles))


def main():
    tool = sys.argv[1]
    rng = random.Random(SEED)
    outlines = list(closed_rooms(rng)) + list(open_polylines(rng))
    arcs = list(arc_rooms(rng))
    text = "\n".join(line_of(o) for o in outlines + arcs) + "\n"
    run = subprocess.run([tool], input=text, capture_output=True, text=True, check=False)
    if run.returncode != 0:
        raise SystemExit("%s failed (%d): %s" % (tool, run.returncode, run.stderr))
    answers = [json.loads(line) for line in run.stdout.splitlines()]
    if len(answers) != len(outlines) + len(arcs):
        raise SystemExit("%d answers for %d outlines" % (len(answers), len(outlines) + len(arcs)))
    faults = []
    for k, (outline, answer) in enumerate(zip(outlines, answers)):
        tag = "outline %d (%s, d %.6g)" % (k, "closed" if outline["closed"] else "open", outline["d"])
        if outline["closed"]:
            compare_closed(outline, answer, faults, tag)
            compare_areas(answer, faults, tag)
        else:
            compare_open(outline, answer, faults, tag)
    for k, answer in enumerate(answers[len(outlines):]):
        compare_areas(answer, faults, "arc room %d" % k)
    if faults:
        print("\n".join(faults))
        return 1
    print("%d rooms, %d open polylines and %d arc rooms agree with GEOS" %
          (ROOMS, len(outlines) - ROOMS, len(arcs)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
