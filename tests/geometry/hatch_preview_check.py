#!/usr/bin/python3
"""hatch_preview_check.py TOOL: the hatch preview against its definition.

200 seeded patterns (1 to 4 families at 0, 30, 45, 90, 135, 180, 270 and 300
degrees, offsets with parts along the lines, dashes with gaps and dots, boxes
of 17 to 512 px) go through TOOL. For dashed families the dashes must be the
set built here from the definition: line k through base + k * offset, its
dashes [mT + c_i, mT + c_i + d_i] along the family direction, taken when the
start, the end or the middle lies in the box. Continuous families must equal
the box's intersection with their lines (shapely), in length and by
Hausdorff distance. Dashes whose part inside the box is shorter than
1e-9 * size are touches and ignored on either side.
"""
import math
import random
import subprocess
import sys

from shapely.geometry import LineString, MultiLineString, box as shapely_box

ANGLES = [0, 30, 45, 90, 135, 180, 270, 300]
PATTERNS = 200


def direction(angle):
    exact = {0: (1.0, 0.0), 90: (0.0, 1.0), 180: (-1.0, 0.0), 270: (0.0, -1.0)}
    if angle in exact:
        return exact[angle]
    t = math.radians(angle)
    return (math.cos(t), math.sin(t))


def make_pattern(rng):
    size = rng.randint(17, 512)
    families = []
    for _ in range(rng.randint(1, 4)):
        angle = rng.choice(ANGLES)
        u = direction(angle)
        v = (-u[1], u[0])
        across = rng.uniform(size / 40.0, size / 4.0) * rng.choice([-1, 1])
        along = rng.choice([0.0, rng.uniform(-size / 5.0, size / 5.0)])
        offset = (across * v[0] + along * u[0], across * v[1] + along * u[1])
        base = (rng.uniform(-size, 2 * size), rng.uniform(-size, 2 * size))
        kind = rng.choice(["solid", "dashed", "dashed", "dotted"])
        dashes = []
        if kind != "solid":
            for _ in range(rng.randint(1, 3)):
                dashes.append(rng.uniform(1.0, size / 6.0))
                dashes.append(-rng.uniform(0.5, size / 8.0))
                if kind == "dotted":
                    dashes.append(0.0)
                    dashes.append(-rng.uniform(0.5, size / 10.0))
        families.append((angle, base, offset, dashes))
    return size, families


def pattern_line(size, families):
    parts = [str(size), str(len(families))]
    for angle, base, offset, dashes in families:
        parts += [repr(float(angle)), repr(base[0]), repr(base[1]), repr(offset[0]), repr(offset[1]), str(len(dashes))]
        parts += [repr(d) for d in dashes]
    return " ".join(parts)


def line_range(size, base, offset, u):
    """The indexes k of the lines base + k * offset that may meet the box."""
    v = (-u[1], u[0])
    across = offset[0] * v[0] + offset[1] * v[1]
    base_v = base[0] * v[0] + base[1] * v[1]
    corners = [c[0] * v[0] + c[1] * v[1] for c in ((0, 0), (size, 0), (0, size), (size, size))]
    a = (min(corners) - base_v) / across
    b = (max(corners) - base_v) / across
    return range(math.floor(min(a, b)) - 1, math.ceil(max(a, b)) + 2)


def inside(p, size):
    return 0.0 <= p[0] <= size and 0.0 <= p[1] <= size


def flip(size, seg):
    (x1, y1), (x2, y2) = seg
    return ((x1, size - y1), (x2, size - y2))


def defined_dashes(size, family):
    angle, base, offset, dashes = family
    u = direction(angle)
    total = sum(abs(d) for d in dashes)
    intervals, s = [], 0.0
    for d in dashes:
        if d > 0:
            intervals.append((s, s + d))
        elif d == 0:
            intervals.append((s, s))
        s += abs(d)
    out = []
    for k in line_range(size, base, offset, u):
        p = (base[0] + k * offset[0], base[1] + k * offset[1])
        ts = [(c[0] - p[0]) * u[0] + (c[1] - p[1]) * u[1] for c in ((0, 0), (size, 0), (0, size), (size, size))]
        for m in range(math.floor(min(ts) / total) - 2, math.ceil(max(ts) / total) + 2):
            for a, b in intervals:
                start = (p[0] + (m * total + a) * u[0], p[1] + (m * total + a) * u[1])
                end = (p[0] + (m * total + b) * u[0], p[1] + (m * total + b) * u[1])
                middle = ((start[0] + end[0]) / 2, (start[1] + end[1]) / 2)
                if inside(start, size) or inside(end, size) or inside(middle, size):
                    out.append(flip(size, (start, end)))
    return out


def defined_lines(size, family):
    angle, base, offset, _ = family
    u = direction(angle)
    reach = 10.0 * size + abs(base[0]) + abs(base[1])
    square = shapely_box(0, 0, size, size)
    parts = []
    for k in line_range(size, base, offset, u):
        p = (base[0] + k * offset[0], base[1] + k * offset[1])
        line = LineString([(p[0] - reach * u[0], p[1] - reach * u[1]), (p[0] + reach * u[0], p[1] + reach * u[1])])
        cut = square.intersection(line)
        for g in getattr(cut, "geoms", [cut]):
            if g.geom_type == "LineString" and g.length > 1e-9 * size:
                parts.append(flip(size, tuple(g.coords)))
    return parts


def visible(size, segments):
    square = shapely_box(0, 0, size, size)
    return [s for s in segments if s[0] != s[1] and square.intersection(LineString(s)).length >= 1e-9 * size]


def same_dash_sets(size, got, want):
    tol = 1e-9 * size
    grid = 1e-4 * size
    buckets = {}
    for i, s in enumerate(got):
        key = (round(s[0][0] / grid), round(s[0][1] / grid))
        buckets.setdefault(key, []).append(i)
    used = set()
    for s in want:
        kx, ky = round(s[0][0] / grid), round(s[0][1] / grid)
        found = None
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                for i in buckets.get((kx + dx, ky + dy), []):
                    g = got[i]
                    if i not in used and all(math.dist(g[j], s[j]) <= tol for j in (0, 1)):
                        found = i
                        break
                if found is not None:
                    break
            if found is not None:
                break
        if found is None:
            return "missing dash %s" % (s,)
        used.add(found)
    if len(used) != len(got):
        extra = [got[i] for i in range(len(got)) if i not in used][:3]
        return "%d extra dashes, e.g. %s" % (len(got) - len(used), extra)
    return None


def same_lines(size, got, want):
    tol = 1e-9 * size
    a, b = MultiLineString(got), MultiLineString(want)
    if abs(a.length - b.length) > tol * max(1, len(want)):
        return "length %.12g, expected %.12g" % (a.length, b.length)
    if want and a.hausdorff_distance(b) > tol:
        return "Hausdorff distance %.3g" % a.hausdorff_distance(b)
    return None


def read_output(text):
    lines = iter(text.splitlines())
    results = []
    for line in lines:
        head = line.split()
        if head[0] == "mismatch":
            results[-1]["mismatch"] = True
            continue
        assert head[0] == "pattern", line
        entry = {"ok": head[1] == "1", "families": [], "mismatch": False}
        for _ in range(int(head[2])):
            count = int(next(lines).split()[1])
            segs = []
            for _ in range(count):
                x1, y1, x2, y2 = map(float, next(lines).split())
                segs.append(((x1, y1), (x2, y2)))
            entry["families"].append(segs)
        results.append(entry)
    return results


def main():
    rng = random.Random(20240611)
    patterns = [make_pattern(rng) for _ in range(PATTERNS)]
    text = "\n".join(pattern_line(size, families) for size, families in patterns) + "\n"
    run = subprocess.run([sys.argv[1]], input=text, capture_output=True, text=True, check=True)
    results = read_output(run.stdout)
    assert len(results) == len(patterns), "%d results for %d patterns" % (len(results), len(patterns))
    faults = []
    compared = 0
    for number, ((size, families), result) in enumerate(zip(patterns, results)):
        if not result["ok"] or result["mismatch"]:
            faults.append("pattern %d: refused or walked differently as a whole" % number)
            continue
        for family, got in zip(families, result["families"]):
            dashed = len(family[3]) > 0
            if dashed:
                fault = same_dash_sets(size, visible(size, got), visible(size, defined_dashes(size, family)))
            else:
                fault = same_lines(size, got, defined_lines(size, family))
            compared += len(got)
            if fault:
                faults.append("pattern %d (%s), family %s: %s" % (number, pattern_line(size, [family]), family[0], fault))
    for fault in faults[:10]:
        print(fault)
    print("%d patterns, %d segments compared, %d faults" % (len(patterns), compared, len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
