"""Hatches through the stand-in host, checked with ezdxf both ways.

1. The module's hatches (solid round-cornered rectangles at 0 and 1e7, ANSI37
   over square/hole/island, ANSI31 over a D, a half ellipse, elliptical caps of
   both senses) saved by the host: audit clean, ezdxf's paths lie on the
   module's loops, pattern lines and even-odd areas are the module's; the
   module reads every hatch back as it built it.
2. ezdxf's hatches (R2000, R2018; polyline and edge paths, islands, ANSI31,
   solid, extended data, a spline edge) read by the module, rewritten and
   saved: same paths, pattern, seeds and extended data; the spline stays no
   hatch copy.

Usage: hatches.py HATCH_TOOL
"""
import math
import os
import sys

import ezdxf
from ezdxf.entities.boundary_paths import BoundaryPathType, EdgeType
from ezdxf.math import ConstructionArc, bulge_to_arc

from dxf_checks import audited, check, failures, finish, tool_lines
from test_folders import TestFolders

XDATA = [(1000, "Zóna 2 – podlaha"), (1040, 2.5), (1070, 3)]


def run(tool, *args):
    return tool_lines([tool, *args], args[0])


def flattened(hatch, distance=1e-8):
    """The hatch's boundary paths as closed polylines of (x, y) within
    `distance` of the exact edges (ezdxf's construction tools)."""
    loops = []
    for boundary in hatch.paths:
        points = []

        def add(run, clockwise):
            run = [(p.x, p.y) for p in run]
            points.extend((run[::-1] if clockwise else run)[:-1])

        if boundary.type == BoundaryPathType.POLYLINE:
            v = boundary.vertices
            for i, (x, y, bulge) in enumerate(v):
                nx, ny = v[(i + 1) % len(v)][:2]
                if bulge:
                    c, a, b, r = bulge_to_arc((x, y), (nx, ny), bulge)
                    add(ConstructionArc(c, r, math.degrees(a), math.degrees(b)).flattening(distance), bulge < 0)
                else:
                    points.append((x, y))
        else:
            for e in boundary.edges:
                if e.type == EdgeType.LINE:
                    points.append((e.start.x, e.start.y))
                elif e.type == EdgeType.ARC:
                    add(e.construction_tool().flattening(distance), not e.ccw)
                elif e.type == EdgeType.ELLIPSE:
                    add(e.construction_tool().flattening(distance, 16), not e.ccw)
                else:
                    points.extend((p.x, p.y) for p in list(e.construction_tool().flattening(distance))[:-1])
        loops.append(points)
    return loops


def seg_distance(p, a, b):
    ax, ay = a
    dx, dy = b[0] - ax, b[1] - ay
    den = dx * dx + dy * dy
    t = 0.0 if den == 0 else max(0.0, min(1.0, ((p[0] - ax) * dx + (p[1] - ay) * dy) / den))
    return math.hypot(p[0] - ax - t * dx, p[1] - ay - t * dy)


class Loop:
    """A closed polyline with its segments bucketed on a grid, for distances."""

    def __init__(self, points):
        self.points = points
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.x0, self.y0 = min(xs), min(ys)
        self.cell = max(max(xs) - self.x0, max(ys) - self.y0, 1e-9) / 128
        self.grid = {}
        for i in range(len(points)):
            a, b = points[i], points[(i + 1) % len(points)]
            for cx in range(self.key(min(a[0], b[0]), 0), self.key(max(a[0], b[0]), 0) + 1):
                for cy in range(self.key(min(a[1], b[1]), 1), self.key(max(a[1], b[1]), 1) + 1):
                    self.grid.setdefault((cx, cy), []).append(i)

    def key(self, v, axis):
        return int((v - (self.x0 if axis == 0 else self.y0)) // self.cell)

    def distance(self, p):
        """The distance to the loop when below one grid cell, else a bound above it."""
        cx, cy = self.key(p[0], 0), self.key(p[1], 1)
        best = self.cell
        for i in {i for dx in (-1, 0, 1) for dy in (-1, 0, 1) for i in self.grid.get((cx + dx, cy + dy), ())}:
            best = min(best, seg_distance(p, self.points[i], self.points[(i + 1) % len(self.points)]))
        return best

    def length(self):
        pts = self.points
        return sum(math.dist(pts[i], pts[(i + 1) % len(pts)]) for i in range(len(pts)))


def area(loop):
    x0, y0 = loop[0]  # measured from a vertex: far from the origin the products stay small
    p = [(x - x0, y - y0) for x, y in loop]
    return abs(sum(p[i - 1][0] * p[i][1] - p[i][0] * p[i - 1][1] for i in range(len(p)))) / 2


def inside(p, loop):
    x, y = p
    result = False
    for i in range(len(loop)):
        (x1, y1), (x2, y2) = loop[i - 1], loop[i]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            result = not result
    return result


def even_odd_area(loops):
    """Nested loops that do not cross: each counts by the parity of the loops holding it."""
    total = 0.0
    for i, loop in enumerate(loops):
        depth = sum(1 for j, other in enumerate(loops) if j != i and inside(loop[0], other))
        total += area(loop) if depth % 2 == 0 else -area(loop)
    return total


def match_loops(module_loops, ezdxf_loops, tol, what):
    """Every module loop lies on an ezdxf path of its length, each path used once."""
    if not check(len(module_loops) == len(ezdxf_loops), f"{what}: {len(module_loops)} loops, ezdxf {len(ezdxf_loops)}"):
        return
    free = [Loop(points) for points in ezdxf_loops]
    for k, loop in enumerate(module_loops):
        for candidate in free:
            if abs(candidate.length() - loop["length"]) <= max(tol, 1e-7 * loop["length"]) and all(
                    candidate.distance(p) <= tol for p in loop["points"]):
                free.remove(candidate)
                break
        else:
            check(False, f"{what}: module loop {k} lies on no ezdxf path")


def ezdxf_lines(hatch):
    if hatch.pattern is None:
        return []
    return [[math.radians(l.angle), l.base_point.x, l.base_point.y, l.offset.x, l.offset.y, list(l.dash_length_items)]
            for l in hatch.pattern.lines]


def same_lines(a, b, tol):
    return len(a) == len(b) and all(
        len(x[5]) == len(y[5]) and all(abs(u - v) <= tol for u, v in zip(x[:5] + x[5], y[:5] + y[5]))
        for x, y in zip(a, b))


def module_to_ezdxf(tool, tmp):
    base = os.path.join(tmp, "base.dxf")
    doc = ezdxf.new("R2018", setup=True)
    doc.appids.new("QEV_DATA")
    doc.saveas(base)
    out = os.path.join(tmp, "module.dxf")
    written = {r["name"]: r for r in run(tool, "write", base, out)}
    check(len(written) == 10, f"written hatches: {sorted(written)}")
    doc = audited(out, "module drawing")
    seen = set()
    for hatch in doc.modelspace().query("HATCH"):
        name = hatch.get_xdata("QEV_DATA")[0][1]
        seen.add(name)
        report = written[name]
        far = name.endswith("far")
        loops = flattened(hatch)
        match_loops(report["loops"], loops, 1e-6 if far else 1e-7, name)
        check(abs(even_odd_area(loops) - report["area"]) <= 1e-4, f"{name}: area {even_odd_area(loops)} vs {report['area']}")
        check(same_lines(ezdxf_lines(hatch), report["lines"], 1e-9), f"{name}: pattern lines {ezdxf_lines(hatch)}")
        check(hatch.dxf.layer == "T-podlahove_vytapeni", f"{name}: layer")
        if name.startswith("solid"):
            check(hatch.dxf.solid_fill == 1 and hatch.dxf.pattern_name == "SOLID" and hatch.dxf.hatch_style == 2,
                  f"{name}: no solid fill")
            bulges = [abs(v[2]) for p in hatch.paths if p.type == 1 for v in p.vertices]
            check(len(hatch.paths) == 1 and len(bulges) == 8 and
                  sum(abs(b - math.tan(math.pi / 8)) < 1e-15 for b in bulges) == 4, f"{name}: corner bulges {bulges}")
        else:
            check(hatch.dxf.solid_fill == 0 and hatch.dxf.hatch_style == 1, f"{name}: no outer-style pattern fill")
        # Elliptical edges end where the module's pieces end (ezdxf keeps
        # every edge counter-clockwise: a clockwise one runs end to start).
        ends = [[*(e.start_point if e.ccw else e.end_point), *(e.end_point if e.ccw else e.start_point)]
                for p in hatch.paths if p.type == BoundaryPathType.EDGE for e in p.edges if e.type == EdgeType.ELLIPSE]
        check(len(ends) == len(report["ends"]) and all(abs(a - b) < 1e-9 for x, y in zip(ends, report["ends"])
                                                       for a, b in zip(x, y)),
              f"{name}: elliptical edges end at {ends}, built {report['ends']}")
        if name == "ansi37":
            check(len(hatch.paths) == 3 and all(p.type == 2 for p in hatch.paths), f"{name}: not three edge paths")
            angles = sorted(round(math.degrees(l[0]), 9) for l in report["lines"])
            check(angles == [45, 135], f"{name}: line angles {angles}")
            check(all(abs(math.hypot(l[3], l[4]) - 95.25) < 1e-9 for l in report["lines"]), f"{name}: line offsets")
    check(seen == set(written), f"hatches in the saved drawing: {sorted(seen)}")
    expected = {"d": 2 * math.pi, "half ellipse": 2.25 * math.pi, "cap": 2.25 * (math.pi / 2 - 1), "ansi37": 79.0}
    for name, value in expected.items():
        check(abs(written[name]["area"] - value) < 1e-6, f"{name}: tree area {written[name]['area']} vs {value}")
    # The module reads every hatch of the saved drawing back as it wrote it.
    back = run(tool, "read", out)
    check(sorted(r["name"] for r in back if r["kind"] == 6) == sorted(written), "hatches read back")


def ezdxf_drawing(version, path):
    doc = ezdxf.new(version, setup=True)
    doc.appids.new("QEV_DATA")
    msp = doc.modelspace()
    # Polyline paths with bulges and an island, ANSI31 at 30 degrees, scale 2.
    h = msp.add_hatch(color=3)
    h.set_pattern_fill("ANSI31", scale=2, angle=30)
    h.paths.add_polyline_path([(0, 0, 0), (10, 0, 0.4142135623730951), (12, 2, 0), (12, 8, -0.3), (0, 8, 0)],
                              is_closed=True, flags=1)
    h.paths.add_polyline_path([(3, 3), (6, 3), (6, 5), (3, 5)], is_closed=True, flags=0)
    h.set_xdata("QEV_DATA", XDATA + [(1000, "polyline")])
    # Edge paths: lines, arcs and elliptical edges of both senses.
    h = msp.add_hatch(color=4)
    h.set_pattern_fill("ANSI31", scale=2, angle=30)
    e = h.paths.add_edge_path(flags=1)
    e.add_line((20, 0), (30, 0))
    e.add_arc((30, 3), 3, 270, 90, ccw=True)                 # (30, 0) around the right to (30, 6)
    e.add_ellipse((25, 6), (5, 0), 0.4, 0, 180, ccw=True)     # (30, 6) over the top to (20, 6)
    e.add_line((20, 6), (20, 0))
    island = h.paths.add_edge_path(flags=0)
    island.add_arc((24, 3), 1, 0, 180, ccw=False)                # clockwise: (23, 3) over the top to (25, 3)
    island.add_ellipse((24, 3), (1, 0), 0.5, 180, 360, ccw=False)  # clockwise: (25, 3) below to (23, 3)
    h.set_xdata("QEV_DATA", XDATA + [(1000, "edges")])
    # A solid fill with a circular island.
    h = msp.add_hatch(color=1)  # a solid fill
    h.paths.add_polyline_path([(40, 0), (50, 0), (50, 10), (40, 10)], is_closed=True, flags=1)
    c = h.paths.add_edge_path(flags=0)
    c.add_arc((45, 5), 2, 0, 360)
    h.set_xdata("QEV_DATA", XDATA + [(1000, "solid")])
    # A spline edge: no hatch copy takes it.
    h = msp.add_hatch(color=5)
    s = h.paths.add_edge_path(flags=1)
    s.add_spline(control_points=[(60, 0), (63, 4), (67, 4), (70, 0)], degree=3)
    s.add_line((70, 0), (60, 0))
    h.set_xdata("QEV_DATA", XDATA + [(1000, "spline")])
    doc.saveas(path)


def seeds(hatch):
    return [(round(p[0], 9), round(p[1], 9)) for p in hatch.seeds]


def ezdxf_to_module(tool, tmp, version):
    src = os.path.join(tmp, f"ezdxf-{version}.dxf")
    out = os.path.join(tmp, f"rewritten-{version}.dxf")
    ezdxf_drawing(version, src)
    before = {h.dxf.handle: h for h in ezdxf.readfile(src).modelspace().query("HATCH")}
    reports = {r["handle"]: r for r in run(tool, "read", src, out)}
    for handle, hatch in before.items():
        r = reports.get(handle)
        name = hatch.get_xdata("QEV_DATA")[-1][1]
        what = f"{version} {name}"
        if not check(r is not None, f"{what}: not reported"):
            continue
        if name == "spline":
            check(r["kind"] == 12 and not r["entity"], f"{what}: kind {r['kind']}, entity {r['entity']}")
            continue
        check(r["kind"] == 6 and r["entity"], f"{what}: kind {r['kind']}")
        match_loops(r["loops"], flattened(hatch, 1e-7), 1e-5, what)
        check(same_lines(r["lines"], ezdxf_lines(hatch), 1e-12), f"{what}: lines {r['lines']} vs {ezdxf_lines(hatch)}")
    after = {h.dxf.handle: h for h in audited(out, version).modelspace().query("HATCH")}
    check(sorted(after) == sorted(before), f"{version}: hatches after the rewrite {sorted(after)}")
    for handle, old in before.items():
        new = after.get(handle)
        if new is None:
            continue
        what = f"{version} {old.get_xdata('QEV_DATA')[-1][1]} rewritten"
        check(new.get_xdata("QEV_DATA") == old.get_xdata("QEV_DATA"), f"{what}: extended data")
        check(seeds(new) == seeds(old), f"{what}: seeds {seeds(new)} vs {seeds(old)}")
        check(same_lines(ezdxf_lines(new), ezdxf_lines(old), 1e-9), f"{what}: pattern")
        check((new.dxf.solid_fill, new.dxf.pattern_name, new.dxf.hatch_style) ==
              (old.dxf.solid_fill, old.dxf.pattern_name, old.dxf.hatch_style), f"{what}: fill groups")
        old_loops, new_loops = flattened(old, 1e-7), flattened(new, 1e-7)
        if check(len(new_loops) == len(old_loops), f"{what}: {len(new_loops)} paths"):
            for a, b in zip(new_loops, old_loops):
                b = Loop(b)
                check(abs(Loop(a).length() - b.length()) < 1e-5 and all(b.distance(p) < 1e-6 for p in a[::7]),
                      f"{what}: a path moved")


def main():
    tool = sys.argv[1]
    with TestFolders("hatches", failures).case("hatches") as tmp:
        module_to_ezdxf(tool, tmp)
        for version in ("R2000", "R2018"):
            ezdxf_to_module(tool, tmp, version)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
