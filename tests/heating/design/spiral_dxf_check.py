"""The drawn pipes of a saved heating design, checked with ezdxf as laid
circuits: every circuit one supply and one return polyline that meet at one
end and cross nowhere, leaving the zone where the routed pipes meet it; the
pipe inside its zones at the drawn border width, one spacing from itself
but at the places the layouts allow nearer; the length of pipe each zone
holds.

Usage: spiral_dxf_check.py DESIGN.dxf [--input INPUT.dxf]

As a module: check_spirals(path, input_path=None, rooms=True) answers
(failures, notes): the failures (empty when the pipes are sound) and the
notes (the places allowed nearer than a spacing and each zone's length, for
the record). With rooms=False the lengths are noted, not judged (a corridor
narrower than two spacings holds a single ring).

The rules, with u the drawing unit factor ($INSUNITS), per zone s its
"_PT_X_ZDR_SPC" (drawing units) and d0 its "_PT_ZONA_R" x u, read from its
description (TPV1000-0001) and matched to its outline (TPV2000-0001) by
"_PT_ZONA_CISLO"; eps = 1 % of s:
- ends: with the input drawing, the midpoint of the free ends of a
  circuit's supply (TP80000-0001) and return (TP90000-0001) is an end of a
  drawn distribution pipe (layer ROZVODY): the routed pipes run half a pitch
  either side of it; before the pipe enters its first zone and after it
  leaves its last it runs along the distribution pipe, and the rules below
  take only the stretch between;
- simple: flattened (fillets included), neither polyline crosses itself or
  the other but where they meet;
- inside: every sample (each s/8) lies in an outline of the circuit's zones
  at least d0 cos 45 - eps from it (a chamfered offset corner at a reflex
  wall corner is nearer than d0), but the leads (s + d0 from where the pipe
  enters and leaves); outside them only near two of its zones' outlines
  (the links across a wall);
- spacing: samples more than 2 s apart along the pipe (but the two leads
  against each other) lie at least s - eps apart; pairs down to s/2 - eps (the
  hairpin detours' legs; connectors keep 0.75 s, level steps 0.99 s) are
  noted with their place, nearer ones fail;
- length: each zone's pipe within +-10 % of (A + P (s/2 - d0)) / s, A and P
  its outline's area and perimeter;
- coverage: no piece of a zone's heated area (the points d0 or more inside
  its outline) lies farther than 1.5 s from the circuit's pipe, but in the
  parts narrower than 1.1 s (a tip beyond the last run that fits, a sliver:
  what a disc 1.1 s across inside the heated area does not reach); pieces
  under s^2 / 50 or within 1.55 s are rounding;
- links: where the pipe goes from one of the circuit's zones into another
  (from its last sample in the one to its first in the other: through the
  wall) and back, the way there and the way back lie at least
  max(p, s1/2, s2/2) - eps apart, p the distribution pitch (the distance
  of the pipe's free ends), s1 and s2 the two zones' spacings.
"""
import argparse
import math
import sys

import ezdxf
from ezdxf import path as ezpath
from shapely.geometry import LineString, Point, Polygon

from design_dxf_check import heating_record

UNIT_FACTORS = {4: 1000.0, 5: 100.0, 6: 1.0}  # $INSUNITS: mm, cm, m -> drawing units per metre
SUPPLY, RETURN, DESCRIPTION, OUTLINE = "TP80000-0001", "TP90000-0001", "TPV1000-0001", "TPV2000-0001"


def records(doc):
    """(identifier, {key: value}, entity) of every entity with heating data."""
    for e in doc.modelspace():
        record = heating_record(e)
        if record is not None:
            yield record[0], dict(record[1]), e


def points_of(entity, step):
    return [(p.x, p.y) for p in ezpath.make_path(entity).flattening(step)]


def length_of(points):
    return sum(math.dist(a, b) for a, b in zip(points, points[1:]))


def segment_distance(p, a, b):
    ax, ay = b[0] - a[0], b[1] - a[1]
    n = ax * ax + ay * ay
    t = 0.0 if n == 0 else max(0.0, min(1.0, ((p[0] - a[0]) * ax + (p[1] - a[1]) * ay) / n))
    return math.dist(p, (a[0] + t * ax, a[1] + t * ay))


def outline_distance(outline, p):
    return min(segment_distance(p, a, b) for a, b in zip(outline, outline[1:] + outline[:1]))


def inside(outline, p):
    """Even-odd ray crossing."""
    x, y = p
    odd = False
    for (x1, y1), (x2, y2) in zip(outline, outline[1:] + outline[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            odd = not odd
    return odd


def area_and_perimeter(outline):
    area = 0.5 * abs(sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(outline, outline[1:] + outline[:1])))
    return area, length_of(outline + outline[:1])


def samples_of(points, step):
    """Points every `step` along the polyline (its vertices too), with their length along it."""
    out, along = [], 0.0
    for a, b in zip(points, points[1:]):
        d = math.dist(a, b)
        n = max(1, int(math.ceil(d / step)))
        for k in range(n):
            t = k / n
            out.append(((a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1])), along + t * d))
        along += d
    out.append((points[-1], along))
    return out


def crossings(points, tol):
    """The places where two non-neighbouring segments of the polyline meet."""
    segs = list(zip(points, points[1:]))
    order = sorted(range(len(segs)), key=lambda i: min(segs[i][0][0], segs[i][1][0]))
    found = []
    for u, i in enumerate(order):
        a, b = segs[i]
        right = max(a[0], b[0]) + tol
        for j in order[u + 1:]:
            c, d = segs[j]
            if min(c[0], d[0]) > right:
                break
            if abs(i - j) <= 1 or max(c[1], d[1]) < min(a[1], b[1]) - tol or min(c[1], d[1]) > max(a[1], b[1]) + tol:
                continue
            if segment_distance(c, a, b) < tol or segment_distance(d, a, b) < tol or \
                    segment_distance(a, c, d) < tol or segment_distance(b, c, d) < tol or _cross(a, b, c, d):
                found.append(a)
    return found


def _cross(a, b, c, d):
    def side(p, q, r):
        return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
    return side(a, b, c) * side(a, b, d) < 0 and side(c, d, a) * side(c, d, b) < 0


def bare_parts(outline, d0, s, pipe):
    """The pieces of the heated area (d0 or more inside the outline) that lie
    farther than 1.5 s from the pipe (a polyline) in the parts a disc 1.1 s
    across inside it reaches, as (area, farthest distance, (x, y) of the
    farthest point), largest first; pieces under s^2 / 50, or none of whose
    points lies 1.55 s away (the rounding of the flattened curves), are left
    out."""
    heated = Polygon(outline).buffer(0).buffer(-d0)
    wide = heated.buffer(-0.55 * s).buffer(0.55 * s)
    line = LineString(pipe)
    bare = wide.difference(line.buffer(1.5 * s, resolution=16))
    found = []
    for piece in getattr(bare, "geoms", [bare]):
        if piece.is_empty or piece.area < s * s / 50:
            continue
        x0, y0, x1, y1 = piece.bounds
        step = s / 4
        grid = [(x0 + i * step, y0 + j * step) for i in range(int((x1 - x0) / step) + 1)
                for j in range(int((y1 - y0) / step) + 1)]
        points = [c for c in grid if piece.contains(Point(c))] + list(piece.exterior.coords)
        far = max(points, key=lambda c: line.distance(Point(c)))
        if line.distance(Point(far)) > 1.55 * s:
            found.append((piece.area, line.distance(Point(far)), far))
    return sorted(found, reverse=True)


def pipe_ends(input_path):
    """The end points of the drawn distribution pipes of the input drawing."""
    if not input_path:
        return None
    ends = []
    for e in ezdxf.readfile(input_path).modelspace():
        if e.dxf.get("layer") == "ROZVODY" and e.dxftype() in ("LINE", "LWPOLYLINE"):
            pts = points_of(e, 1.0)
            ends += [pts[0], pts[-1]]
    return ends


def check_spirals(path, input_path=None, rooms=True):
    doc = ezdxf.readfile(path)
    failures, notes = [], []
    auditor = doc.audit()
    if auditor.has_errors:
        failures.append(f"audit: {len(auditor.errors)} errors")
    u = UNIT_FACTORS.get(doc.header.get("$INSUNITS", 4), 1000.0)
    zones, outlines, pipes = {}, {}, {}
    for ident, values, e in records(doc):
        if ident == DESCRIPTION:
            zones[values["_PT_ZONA_CISLO"]] = values
        elif ident == OUTLINE:
            outlines[values["_PT_ZONA_CISLO"]] = e
        elif ident in (SUPPLY, RETURN):
            pipes.setdefault(values.get("_PT_CISLO_OKRUHU"), {}).setdefault(ident, []).append(e)
    drawn_ends = pipe_ends(input_path)
    for circuit, sides in sorted(pipes.items()):
        name = f"circuit {circuit}"
        if len(sides.get(SUPPLY, [])) != 1 or len(sides.get(RETURN, [])) != 1:
            failures.append(f"{name}: {len(sides.get(SUPPLY, []))} supply, {len(sides.get(RETURN, []))} return")
            continue
        own = [z for z in zones.values() if z.get("_PT_ZONA_C_OKRUHU") == circuit and z["_PT_ZONA_CISLO"] in outlines]
        if not own:
            failures.append(f"{name}: no zone")
            continue
        s = min(float(z["_PT_X_ZDR_SPC"]) for z in own)
        eps = 0.01 * s
        shapes = {z["_PT_ZONA_CISLO"]: points_of(outlines[z["_PT_ZONA_CISLO"]], 0.05 * s) for z in own}
        d0 = {z["_PT_ZONA_CISLO"]: float(z["_PT_ZONA_R"]) * u for z in own}
        supply = points_of(sides[SUPPLY][0], 0.05 * s)
        ret = points_of(sides[RETURN][0], 0.05 * s)
        # One end shared; the supply runs to it, the return from it.
        pairs = [(i, j) for i in (0, -1) for j in (0, -1) if math.dist(supply[i], ret[j]) <= eps]
        if len(pairs) != 1:
            failures.append(f"{name}: supply and return meet at {len(pairs)} ends")
            continue
        i, j = pairs[0]
        supply = supply if i == -1 else supply[::-1]
        ret = ret if j == 0 else ret[::-1]
        pipe = supply + ret[1:]
        ends = [pipe[0], pipe[-1]]
        if drawn_ends is not None:
            middle = ((ends[0][0] + ends[1][0]) / 2, (ends[0][1] + ends[1][1]) / 2)
            if not any(math.dist(middle, p) <= eps for p in drawn_ends):
                failures.append(f"{name}: the pipe ends {ends} lie not either side of a drawn pipe's end")
        for at in crossings(pipe, 1e-6 * s):
            failures.append(f"{name}: the pipe meets itself at ({at[0]:.1f}, {at[1]:.1f})")
        samples = samples_of(pipe, s / 8)
        holders = [[number for number, shape in shapes.items() if inside(shape, p)] for p, _ in samples]
        inner = [k for k, h in enumerate(holders) if h]
        if not inner:
            failures.append(f"{name}: no pipe in its zones")
            continue
        # Before it enters its first zone and after it leaves its last the
        # pipe runs along its distribution pipe (routed, not laid).
        samples = samples[inner[0]:inner[-1] + 1]
        holders = holders[inner[0]:inner[-1] + 1]
        enter, total = samples[0][1], samples[-1][1]
        samples = [(p, along - enter) for p, along in samples]
        total -= enter
        lead = s + max(d0.values())
        # The links through a wall, with the pieces that run from each zone's
        # pipe to the wall (d0 + s either side of the wall, however thick).
        walls = [(samples[a][1] - lead, samples[b][1] + lead) for _, _, a, b in link_crossings(holders)]
        per_zone = {number: 0.0 for number in shapes}
        off = []
        for k, (p, along) in enumerate(samples):
            is_lead = along <= lead or along >= total - lead
            link = sum(outline_distance(shape, p) <= lead for shape in shapes.values()) >= 2 or \
                any(a <= along <= b for a, b in walls)
            if holders[k]:
                number = holders[k][0]
                if k + 1 < len(samples):
                    per_zone[number] += samples[k + 1][1] - along
                gap = outline_distance(shapes[number], p)
                if not (is_lead or link) and gap < d0[number] * math.cos(math.pi / 4) - eps:
                    off.append(f"{name}: the pipe is {gap:.1f} from zone {number}'s outline at "
                               f"({p[0]:.1f}, {p[1]:.1f}), d0 {d0[number]:.1f}")
            elif not (is_lead or link):
                off.append(f"{name}: the pipe leaves its zones at ({p[0]:.1f}, {p[1]:.1f})")
        failures += off[:1]
        near = spacing(samples, s, total, lead)
        for d, p in near:
            if d < 0.5 * s - eps:
                failures.append(f"{name}: the pipe comes {d:.1f} near itself at ({p[0]:.1f}, {p[1]:.1f})")
            else:
                notes.append(f"{name}: {d:.1f} apart at ({p[0]:.1f}, {p[1]:.1f})")
        spacings = {z["_PT_ZONA_CISLO"]: float(z["_PT_X_ZDR_SPC"]) for z in own}
        failures += link_failures(name, samples, holders, spacings, math.dist(ends[0], ends[1]), eps)
        for number, shape in shapes.items():
            for area, far, at in bare_parts(shape, d0[number], float(zones[number]["_PT_X_ZDR_SPC"]), pipe)[:1]:
                failures.append(f"zone {number}: {area / (u * u):.3f} m2 of its heated area lie farther than 1.5 s "
                                f"from the pipe, the farthest {far:.0f} (at ({at[0]:.1f}, {at[1]:.1f}))")
            area, perimeter = area_and_perimeter(shape)
            expected = (area + perimeter * (s / 2 - d0[number])) / s
            ratio = per_zone[number] / expected if expected > 0 else 0.0
            notes.append(f"zone {number}: {per_zone[number] / u:.2f} m of pipe, ratio {ratio:.3f}")
            if rooms and not 0.9 <= ratio <= 1.1:
                failures.append(f"zone {number}: {per_zone[number]:.0f} of pipe against {expected:.0f} "
                                f"(A + P (s/2 - d0)) / s")
    return failures, notes


def link_crossings(holders):
    """The pipe's ways from one zone into another: (from zone, to zone, its
    last sample in the one, its first in the other)."""
    found, last = [], None
    for k, held in enumerate(holders):
        if not held:
            continue
        if last is not None and holders[last][0] != held[0]:
            found.append((holders[last][0], held[0], last, k))
        last = k
    return found


def stretch_distance(a, b):
    """The least distance between two polylines."""
    def seg(p, q, r, t):
        if _cross(p, q, r, t):
            return 0.0
        return min(segment_distance(p, r, t), segment_distance(q, r, t),
                   segment_distance(r, p, q), segment_distance(t, p, q))
    return min(seg(p, q, r, t) for p, q in zip(a, a[1:]) for r, t in zip(b, b[1:]))


def link_failures(name, samples, holders, spacings, pitch, eps):
    """Each way through a wall against the way back between the same two
    zones: at least max(pitch, s1/2, s2/2) - eps apart."""
    crossings = [(a, b, [p for p, _ in samples[i:j + 1]]) for a, b, i, j in link_crossings(holders)]
    out = []
    for k, (a, b, there) in enumerate(crossings):
        back = [c for c in crossings[k + 1:] if (c[0], c[1]) == (b, a)]
        if not back:
            continue
        d = min(stretch_distance(there, c[2]) for c in back)
        bound = max(pitch, 0.5 * spacings[a], 0.5 * spacings[b])
        if d < bound - eps:
            x, y = there[len(there) // 2]
            out.append(f"{name}: the link from zone {a} to zone {b} runs {d:.1f} from its way back through "
                       f"the wall at ({x:.1f}, {y:.1f}), under max(pitch {pitch:.1f}, s/2 of both zones) "
                       f"{bound:.1f}")
    return out


def spacing(samples, s, total, lead):
    """The nearest pair of each place where samples more than 2 s apart along
    the pipe (but the two leads, `lead` long) come nearer than s - eps."""
    cell = s
    grid = {}
    for k, (p, _) in enumerate(samples):
        grid.setdefault((int(p[0] // cell), int(p[1] // cell)), []).append(k)
    limit = 0.99 * s
    worst = {}
    for k, (p, along) in enumerate(samples):
        cx, cy = int(p[0] // cell), int(p[1] // cell)
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                for m in grid.get((cx + dx, cy + dy), []):
                    q, other = samples[m]
                    if m <= k or abs(other - along) <= 2 * s:
                        continue
                    if (along <= lead and other >= total - lead) or (other <= lead and along >= total - lead):
                        continue
                    d = math.dist(p, q)
                    if d < limit:
                        key = (int(p[0] // (4 * s)), int(p[1] // (4 * s)))
                        if key not in worst or d < worst[key][0]:
                            worst[key] = (d, p)
    return sorted(worst.values())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("design")
    parser.add_argument("--input")
    args = parser.parse_args()
    failures, notes = check_spirals(args.design, args.input)
    for line in notes:
        print(line)
    for line in failures:
        print("FAIL:", line, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
