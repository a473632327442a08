"""The offset test command end to end: cadhost runs the module's floorOffsetTest
on the outlines of examples/offset-test.dxf, and every saved drawing is checked
with ezdxf.

Usage: floor_offset_test.py CADHOST MODULE EXAMPLES_DIR

Checks of a drawing with offset loops: it audits clean, the selected input is
unchanged, every new entity is a closed LWPOLYLINE of straight sides that does
not cross itself, lies inside the outline and keeps its level's distance from
it (the least distance within 0.5 mm, 1.5 mm near arcs, no vertex nearer), and
the levels follow the offset type. Refusals show exactly one error box with
the string-table text and draw nothing; cancelled inputs end silently.
"""
import json
import math
import os
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf.math import bulge_to_arc

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
DRAWING = os.path.join(EXAMPLES, "offset-test.dxf")
NOT_CLOSED = "Některé křivky hranic zón nejsou uzavřené."
TOUCH = "Křivky hranic zón se nesmí dotýkat s křivkami hranic jiných zón."
WRONG = "Výběr obsahuje nesprávné entity."
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)
    return condition


def run(name, script_text=None, script_path=None):
    """Runs cadhost on the drawing; answers (exit code, stderr, log records, work dir)."""
    work = tempfile.mkdtemp(prefix="offset-" + name + "-")
    if script_path is None:
        script_path = os.path.join(work, name + ".script")
        with open(script_path, "w", encoding="utf-8") as f:
            f.write(script_text)
    log_path = os.path.join(work, "log.jsonl")
    done = subprocess.run([CADHOST, "--module", MODULE, "--log", log_path, "--out-dir", work, "--quiet",
                           DRAWING, script_path], capture_output=True, text=True, timeout=300)
    with open(log_path, encoding="utf-8") as f:
        records = [json.loads(line) for line in f]
    return done.returncode, done.stderr, records, work


def words(records, word):
    return [r for r in records if r.get("kind") == "word" and r.get("word") == word]


# ---- geometry of drawn entities: primitives ("seg", a, b) and ("arc", c, r, a0, sweep)

def arc_prim(c, r, a0, a1):
    sweep = (a1 - a0) % (2 * math.pi)
    return ("arc", c, r, a0, sweep)


def primitives(e):
    t = e.dxftype()
    if t == "LINE":
        return [("seg", (e.dxf.start.x, e.dxf.start.y), (e.dxf.end.x, e.dxf.end.y))]
    if t == "ARC":
        return [arc_prim((e.dxf.center.x, e.dxf.center.y), e.dxf.radius, math.radians(e.dxf.start_angle),
                         math.radians(e.dxf.end_angle))]
    pts = list(e.get_points("xyb"))
    out = []
    for i in range(len(pts) if e.closed else len(pts) - 1):
        p, q = pts[i], pts[(i + 1) % len(pts)]
        if p[2] == 0:
            out.append(("seg", p[:2], q[:2]))
        else:
            c, a0, a1, r = bulge_to_arc(p[:2], q[:2], p[2])
            out.append(arc_prim((c.x, c.y), r, a0, a1))
    return out


def seg_dist(p, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    n = dx * dx + dy * dy
    t = 0.0 if n == 0 else max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / n))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy)


def prim_dist(p, prim):
    if prim[0] == "seg":
        return seg_dist(p, prim[1], prim[2])
    _, c, r, a0, sweep = prim
    if (math.atan2(p[1] - c[1], p[0] - c[0]) - a0) % (2 * math.pi) <= sweep:
        return abs(math.hypot(p[0] - c[0], p[1] - c[1]) - r)
    ends = [(c[0] + r * math.cos(a), c[1] + r * math.sin(a)) for a in (a0, a0 + sweep)]
    return min(math.hypot(p[0] - e[0], p[1] - e[1]) for e in ends)


def prim_points(prim, step=5.0):
    """The primitive's points every `step` (its ends included)."""
    if prim[0] == "seg":
        return [prim[1], prim[2]]
    _, c, r, a0, sweep = prim
    n = max(2, int(r * sweep / step))
    return [(c[0] + r * math.cos(a0 + sweep * i / n), c[1] + r * math.sin(a0 + sweep * i / n)) for i in range(n + 1)]


def inside(p, prims):
    """Ray parity against the outline's chords (arcs sampled finely)."""
    d = (1.0, 0.3719)
    count = 0
    for prim in prims:
        pts = prim_points(prim, 2.0)
        for a, b in zip(pts, pts[1:]):
            ex, ey = b[0] - a[0], b[1] - a[1]
            den = d[0] * ey - d[1] * ex
            if den == 0:
                continue
            t = ((a[0] - p[0]) * ey - (a[1] - p[1]) * ex) / den
            u = ((a[0] - p[0]) * d[1] - (a[1] - p[1]) * d[0]) / den
            if t > 0 and 0 <= u < 1:
                count += 1
    return count % 2 == 1


def segments_cross(a, b, c, d):
    def orient(p, q, r):
        return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
    return (orient(a, b, c) * orient(a, b, d) <= 0) and (orient(c, d, a) * orient(c, d, b) <= 0)


def loop_report(name, loop, prims, tol):
    """Checks one loop's shape; answers its least distance to the outline."""
    pts = [p[:2] for p in loop.get_points("xyb")]
    check(loop.closed and all(b == 0 for *_, b in loop.get_points("xyb")), f"{name}: a loop is not closed and straight")
    n = len(pts)
    sides = [(pts[i], pts[(i + 1) % n]) for i in range(n)]
    crossing = any(segments_cross(*sides[i], *sides[j]) for i in range(n) for j in range(i + 2, n)
                   if not (i == 0 and j == n - 1))
    check(not crossing, f"{name}: loop {loop.dxf.handle} crosses itself")
    check(all(inside(p, prims) for p in pts), f"{name}: loop {loop.dxf.handle} leaves the outline")
    vertex = min(min(prim_dist(p, prim) for prim in prims) for p in pts)
    outline = min(seg_dist(q, a, b) for prim in prims for q in prim_points(prim) for a, b in sides)
    least = min(vertex, outline)
    check(vertex >= least - tol, f"{name}: loop {loop.dxf.handle} has a vertex nearer than its distance")
    return least


def same_entity(a, b):
    if a.dxftype() != b.dxftype():
        return False
    if a.dxftype() == "LWPOLYLINE":
        return list(a.get_points("xyb")) == list(b.get_points("xyb")) and a.closed == b.closed
    if a.dxftype() == "TEXT":
        return a.dxf.text == b.dxf.text
    # Angles are written in degrees: the last digit may round.
    keys = [k for k in ("start", "end", "center", "radius", "start_angle", "end_angle") if a.dxf.hasattr(k)]
    return all(ezdxf.math.Vec3(a.dxf.get(k)).isclose(ezdxf.math.Vec3(b.dxf.get(k)), abs_tol=1e-9)
               if k in ("start", "end", "center") else math.isclose(a.dxf.get(k), b.dxf.get(k), abs_tol=1e-9)
               for k in keys)


ORIGINAL = ezdxf.readfile(DRAWING)


def loops_of(name, work, handles, saved="out.dxf"):
    """The saved drawing audited, its input compared; answers (new loops, outline primitives)."""
    doc = ezdxf.readfile(os.path.join(work, saved))
    auditor = doc.audit()
    check(not auditor.has_errors, f"{name}: audit: {[str(e.message) for e in auditor.errors]}")
    before = {e.dxf.handle: e for e in ORIGINAL.modelspace()}
    after = {e.dxf.handle: e for e in doc.modelspace()}
    check(all(h in after and same_entity(before[h], after[h]) for h in before), f"{name}: the input changed")
    new = [e for h, e in after.items() if h not in before]
    check(all(e.dxftype() == "LWPOLYLINE" for e in new), f"{name}: new entities {[e.dxftype() for e in new]}")
    prims = [p for h in handles for p in primitives(after[h])]
    return [e for e in new if e.dxftype() == "LWPOLYLINE"], prims


def level_distance(first, spacing, limit, k):
    """The offset of a side at level k (limit None: no half-offset ranges)."""
    d = first
    for _ in range(k):
        d += spacing / 2
        if limit is None or d > limit:
            d += spacing / 2
    return d


def offset_run(name, handles, inputs, tol=0.5, script_path=None, saved="out.dxf"):
    """Runs the command with the answers; answers (loops, outline primitives, least distances)."""
    text = f"command floorOffsetTest\nselect handles {' '.join(handles)}\n" + "".join(l + "\n" for l in inputs)
    rc, err, log, work = run(name, text + "end\nsave out.dxf\n", script_path)
    check(rc == 0, f"{name}: exit {rc}: {err}")
    check(not [r for r in log if r.get("kind") == "msgbox"], f"{name}: a message box")
    loops, prims = loops_of(name, work, handles, saved)
    check(len(words(log, 114)) == len(loops) == len(words(log, 17)) == len(words(log, 19)),
          f"{name}: one output per loop")
    least = [loop_report(name, loop, prims, tol) for loop in loops]
    return loops, prims, least


def check_increments(name, least, first, spacing, tol):
    """Every loop sits at a level d0 + k s, and the levels run from 0 without a gap."""
    levels = [(d - first) / spacing for d in least]
    check(all(abs(k - round(k)) * spacing <= tol for k in levels), f"{name}: loop distances {least}")
    found = sorted({round(k) for k in levels})
    check(found == list(range(len(found))) and found, f"{name}: levels {found}")
    return found


# ---- the rectangle (300): each type

def rect_sizes(loops):
    def extent(loop, i):
        values = [p[i] for p in loop.get_points()]
        return round(max(values) - min(values), 3)
    return sorted(((extent(l, 0), extent(l, 1)) for l in loops), reverse=True)


loops, _, _ = offset_run("normal", ["300"], ["keyword Normální", "distance 100"])
check(rect_sizes(loops) == [(3800, 2800)], f"normal: {rect_sizes(loops)}")

loops, _, least = offset_run("incremental", ["300"], ["keyword 1", "distance 100", "distance 200"])
check(rect_sizes(loops) == [(3800 - 400 * k, 2800 - 400 * k) for k in range(7)], f"incremental: {rect_sizes(loops)}")
check_increments("incremental", least, 100, 200, 0.5)

# Half-offset ranges, one per side of the prepared outline in its order: its
# preparation puts the polyline's closing side (the left wall) first.
rc, err, log, work = run("zones", "command floorOffsetTest\nselect handles 300\nkeyword zónami\n"
                         "distance 100\ndistance 200\ndistance 600\ndistance 0\ndistance 0\ndistance 0\nend\nsave out.dxf\n")
prompts = [r["prompt"] for r in words(log, 198)]
check(prompts == ["Vzdálenost počátečního offsetu:", "Vzdálenost dalších offsetů:"] +
      [f"Rozsah polovičního offsetu strany {i}:" for i in range(1, 5)], f"zones: prompts {prompts}")
check(rc == 0 and words(log, 127)[0]["index"] == 2, f"zones: exit {rc} {err}")
loops, prims = loops_of("zones", work, ["300"])
loops.sort(key=lambda l: -abs(ezdxf.math.area(list(l.vertices()))))
check(len(loops) == 7, f"zones: {len(loops)} loops")
for k, loop in enumerate(loops):
    loop_report("zones", loop, prims, 0.5)
    xs = [p[0] for p in loop.get_points()]
    ys = [p[1] for p in loop.get_points()]
    got = [min(ys), 4000 - max(xs), 3000 - max(ys), min(xs)]  # bottom, right, top, left
    want = [level_distance(100, 200, limit, k) for limit in (0, 0, 0, 600)]
    check(all(abs(g - w) <= 0.5 for g, w in zip(got, want)), f"zones: level {k}: sides {got}, wanted {want}")

# ---- the L room with an arc wall: the example script, drawn the other way, and as loose lines

loops_l, _, least_l = offset_run("example", ["301"], [], tol=1.5,
                                 script_path=os.path.join(EXAMPLES, "offset-test.script"),
                                 saved="offset-test-loops.dxf")
levels_l = check_increments("example", least_l, 100, 200, 1.5)
for name, handles in (("clockwise", ["302"]), ("lines", ["306", "303", "307", "308", "305", "304"])):
    loops, _, least = offset_run(name, handles, ["keyword Inkrementální", "distance 100", "distance 200"], tol=1.5)
    check(check_increments(name, least, 100, 200, 1.5) == levels_l and len(loops) == len(loops_l),
          f"{name}: {len(loops)} loops, the drawn L gives {len(loops_l)}")

# ---- refusals: one error box with the string-table text, nothing drawn

for name, handles, text in (("two-outlines", "309 30A", NOT_CLOSED), ("open", "303 304", NOT_CLOSED),
                            ("shared-wall", "30B 30C 30D 30E 30F 310 311", TOUCH),
                            ("shared-wall-first", "311 30F 30B 30C 30D 30E 310", TOUCH),
                            ("circle", "312", WRONG), ("text", "300 313", WRONG)):
    rc, err, log, _ = run(name, f"command floorOffsetTest\nselect handles {handles}\n")
    boxes = [r for r in log if r.get("kind") == "msgbox"]
    check(rc == 0 and len(boxes) == 1 and boxes[0]["text"] == text and boxes[0]["flags"] == 16,
          f"{name}: exit {rc}, boxes {boxes}")
    check(not words(log, 114) and not words(log, 19) and not words(log, 127), f"{name}: went on after the refusal")

# ---- nothing drawn and no message: a zero first offset, cancelled inputs

for name, inputs in (("zero", ["keyword 0", "distance 0"]),
                     ("select-cancel", []),
                     ("keyword-cancel", ["keyword cancel"]),
                     ("normal-cancel", ["keyword 0", "distance cancel"]),
                     ("first-cancel", ["keyword 1", "distance cancel"]),
                     ("further-cancel", ["keyword 1", "distance 100", "distance cancel"]),
                     ("range-cancel", ["keyword 2", "distance 100", "distance 200", "distance 600", "distance cancel"])):
    select = "select cancel" if name == "select-cancel" else "select handles 300"
    rc, err, log, _ = run(name, f"command floorOffsetTest\n{select}\n" + "".join(l + "\n" for l in inputs))
    check(rc == 0 and not words(log, 114) and not [r for r in log if r.get("kind") == "msgbox"],
          f"{name}: exit {rc} {err}")

if failures:
    print(f"{len(failures)} failure(s)")
    sys.exit(1)
print("floorOffsetTest end to end: all checks passed")
