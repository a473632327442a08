"""floorOffsetTest through cadhost on examples/offset-test.dxf, each saved drawing
checked with ezdxf: new loops are closed straight LWPOLYLINEs inside the outline,
not crossing themselves, at their level's distance (0.5 mm, 1.5 mm near arcs);
the input is unchanged. Refusals show one error box; cancels end silently.

Usage: floor_offset_test.py CADHOST MODULE EXAMPLES_DIR
"""
import json
import math
import os
import subprocess
import sys

import ezdxf
import ezdxf.path
from test_folders import TestFolders

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "host", "entities"))
from dxf_checks import audited, check, close, failures  # noqa: E402

folders = TestFolders("offset", failures)

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
DRAWING = os.path.join(EXAMPLES, "offset-test.dxf")
ORIGINAL = ezdxf.readfile(DRAWING)


def run(name, lines, script_path=None):
    """cadhost on the drawing: (exit code, stderr, log records, work folder)."""
    work = folders.new(name)
    if script_path is None:
        script_path = os.path.join(work, "run.script")
        with open(script_path, "w", encoding="utf-8") as f:
            f.write("command floorOffsetTest\n" + "".join(line + "\n" for line in lines))
    log_path = os.path.join(work, "log.jsonl")
    done = subprocess.run([CADHOST, "--module", MODULE, "--log", log_path, "--out-dir", work, "--quiet",
                           DRAWING, script_path], capture_output=True, text=True, timeout=300)
    with open(log_path, encoding="utf-8") as f:
        records = [json.loads(line) for line in f]
    return done.returncode, done.stderr, records, work


def words(records, word):
    return [r for r in records if r.get("kind") == "word" and r.get("word") == word]


def boxes(records):
    return [r for r in records if r.get("kind") == "msgbox"]


def chords(entity, sagitta=0.01):
    pts = [(p.x, p.y) for p in ezdxf.path.make_path(entity).flattening(sagitta)]
    return list(zip(pts, pts[1:]))


def seg_dist(p, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    n = dx * dx + dy * dy
    t = 0.0 if n == 0 else max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / n))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy)


def inside(p, pieces):
    count = 0
    for a, b in pieces:
        ex, ey = b[0] - a[0], b[1] - a[1]
        den = ey - 0.3719 * ex
        if den != 0:
            t = ((a[0] - p[0]) * ey - (a[1] - p[1]) * ex) / den
            u = ((a[0] - p[0]) * 0.3719 - (a[1] - p[1])) / den
            count += t > 0 and 0 <= u < 1
    return count % 2 == 1


def crosses(a, b, c, d):
    def orient(p, q, r):
        return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
    if orient(a, b, c) == 0 and orient(a, b, d) == 0:  # on one line: they must overlap
        return all(max(min(a[i], b[i]), min(c[i], d[i])) <= min(max(a[i], b[i]), max(c[i], d[i])) for i in (0, 1))
    return orient(a, b, c) * orient(a, b, d) <= 0 and orient(c, d, a) * orient(c, d, b) <= 0


def loop_distance(name, loop, outline, tol):
    """Checks one loop's shape; answers its least distance to the outline."""
    what = f"{name}: loop {loop.dxf.handle}"
    check(loop.closed and all(b == 0 for *_, b in loop.get_points("xyb")), f"{what} is not closed and straight")
    pts = [p[:2] for p in loop.get_points("xy")]
    n = len(pts)
    sides = [(pts[i], pts[(i + 1) % n]) for i in range(n)]
    check(not any(crosses(*sides[i], *sides[j]) for i in range(n) for j in range(i + 2, n) if (i, j) != (0, n - 1)),
          f"{what} crosses itself")
    check(all(inside(p, outline) for p in pts), f"{what} leaves the outline")
    vertex = min(seg_dist(p, a, b) for p in pts for a, b in outline)
    least = min([vertex] + [seg_dist(q, a, b) for piece in outline for q in piece for a, b in sides])
    check(vertex >= least - tol, f"{what} has a vertex nearer than its distance")
    return least


def same_input(a, b):
    if a.dxftype() != b.dxftype():
        return False
    if a.dxftype() == "TEXT":
        return a.dxf.text == b.dxf.text
    vertices = [[c for v in ezdxf.path.make_path(e).control_vertices() for c in v] for e in (a, b)]
    return close(*vertices, 1e-9) and (a.dxftype() != "LWPOLYLINE" or a.closed == b.closed)


def offset_run(name, handles, inputs, tol=0.5, script_path=None, saved="out.dxf"):
    rc, err, log, work = run(name, [f"select handles {' '.join(handles)}"] + inputs + ["end", "save out.dxf"],
                             script_path)
    check(rc == 0 and not boxes(log), f"{name}: exit {rc}: {err} {boxes(log)}")
    after = {e.dxf.handle: e for e in audited(os.path.join(work, saved), name).modelspace()}
    before = {e.dxf.handle: e for e in ORIGINAL.modelspace()}
    check(all(h in after and same_input(e, after[h]) for h, e in before.items()), f"{name}: the input changed")
    loops = [e for h, e in after.items() if h not in before]
    check(all(e.dxftype() == "LWPOLYLINE" for e in loops), f"{name}: new entities {[e.dxftype() for e in loops]}")
    check(len(words(log, 114)) == len(loops) == len(words(log, 17)) == len(words(log, 19)), f"{name}: one output per loop")
    outline = [piece for h in handles for piece in chords(after[h])]
    loops.sort(key=lambda e: -abs(ezdxf.math.area(list(e.vertices()))))
    return loops, [loop_distance(name, loop, outline, tol) for loop in loops], log


def levels_of(name, least, first, spacing, tol):
    """Every loop sits at a level first + k spacing, and the levels run from 0 without a gap."""
    levels = [(d - first) / spacing for d in least]
    check(all(abs(k - round(k)) * spacing <= tol for k in levels), f"{name}: loop distances {least}")
    found = sorted({round(k) for k in levels})
    check(found and found == list(range(len(found))), f"{name}: levels {found}")
    return found


def side_distances(loop):
    """Bottom, right, top and left distance of a loop inside the 4000 x 3000 rectangle."""
    xs, ys = [p[0] for p in loop.get_points()], [p[1] for p in loop.get_points()]
    return [min(ys), 4000 - max(xs), 3000 - max(ys), min(xs)]


# The rectangle (300), each type.
loops, _, _ = offset_run("normal", ["300"], ["keyword Normální", "distance 100"])
check([close(side_distances(l), [100] * 4, 1e-6) for l in loops] == [True], "normal: one loop 3800 x 2800")

loops, least, _ = offset_run("incremental", ["300"], ["keyword 1", "distance 100", "distance 200"])
check(len(loops) == 7 and all(close(side_distances(l), [100 + 200 * k] * 4, 1e-6) for k, l in enumerate(loops)),
      f"incremental: {[side_distances(l) for l in loops]}")
levels_of("incremental", least, 100, 200, 0.5)

# Half-offset ranges per side of the prepared outline (its closing side, the
# left wall, first): a side moves half the spacing per level within its range.
loops, _, log = offset_run("zones", ["300"], ["keyword zónami", "distance 100", "distance 200", "distance 600"] +
                           ["distance 0"] * 3)
prompts = [r["prompt"] for r in words(log, 198)]
check(prompts == ["Vzdálenost počátečního offsetu:", "Vzdálenost dalších offsetů:"] +
      [f"Rozsah polovičního offsetu strany {i}:" for i in range(1, 5)], f"zones: prompts {prompts}")
left = [100, 200, 300, 400, 500, 600, 800]
check(len(loops) == 7 and all(close(side_distances(l), [100 + 200 * k] * 3 + [left[k]], 1e-6)
                              for k, l in enumerate(loops)), f"zones: {[side_distances(l) for l in loops]}")

# The L room with an arc wall: the example script, drawn the other way, and as loose lines and an arc.
loops_l, least_l, _ = offset_run("example", ["301"], [], 1.5, os.path.join(EXAMPLES, "offset-test.script"),
                                 "offset-test-loops.dxf")
levels_l = levels_of("example", least_l, 100, 200, 1.5)
for name, handles in (("clockwise", ["302"]), ("lines", ["306", "303", "307", "308", "305", "304"])):
    loops, least, _ = offset_run(name, handles, ["keyword Inkrementální", "distance 100", "distance 200"], 1.5)
    check(levels_of(name, least, 100, 200, 1.5) == levels_l and len(loops) == len(loops_l),
          f"{name}: {len(loops)} loops, the drawn L gives {len(loops_l)}")

# Rooms with an edge shorter than the zone-bound tolerance (25 mm) at the
# polyline's start, or as a loose piece offered first, between or last: one
# closed outline each, drawn as any room.
LOOSE = ["31C", "31D", "31E", "31F", "320"]
for name, handles, tol in (("jog-20", ["314"], 0.5), ("jog-10", ["315"], 0.5), ("jog-2", ["316"], 0.5),
                           ("jog-30", ["317"], 0.5), ("first-edge-22.8", ["318"], 0.5), ("jog-inside", ["319"], 0.5),
                           ("repeated-vertex", ["31A"], 0.5), ("loose-jog-first", ["31B"] + LOOSE, 1.5),
                           ("loose-jog-between", LOOSE[:2] + ["31B"] + LOOSE[2:], 1.5),
                           ("loose-jog-last", LOOSE + ["31B"], 1.5)):
    _, least, _ = offset_run(name, handles, ["keyword 1", "distance 100", "distance 200"], tol)
    levels_of(name, least, 100, 200, tol)

# The room with a 2 mm jog started at each vertex, either way round: the same
# loops wherever it is placed (5000 k, 24000 or 29000).
shapes = []
for k in range(12):
    loops, least, _ = offset_run(f"start-{k}", [f"{0x321 + k:X}"], ["keyword 1", "distance 100", "distance 200"])
    levels_of(f"start-{k}", least, 100, 200, 0.5)
    shapes.append([[(x - 5000 * (k % 6), y - 24000 - 5000 * (k // 6)) for x, y in l.get_points("xy")] for l in loops])
same = [len(s) == len(shapes[0]) and all(len(a) == len(b) and all(min(math.dist(p, q) for q in b) < 1e-6 for p in a)
                                         for a, b in zip(s, shapes[0])) for s in shapes]
check(all(same) and shapes[0], f"start vertex: loops differ from those of the first start in {same}")

# Refusals: one error box with the string-table text, nothing drawn.
NOT_CLOSED = "Některé křivky hranic zón nejsou uzavřené."
TOUCH = "Křivky hranic zón se nesmí dotýkat s křivkami hranic jiných zón."
WRONG = "Výběr obsahuje nesprávné entity."
for name, handles, text in (("two-outlines", "309 30A", NOT_CLOSED), ("open", "303 304", NOT_CLOSED),
                            ("shared-wall", "30B 30C 30D 30E 30F 310 311", TOUCH),
                            ("shared-wall-first", "311 30F 30B 30C 30D 30E 310", TOUCH),
                            ("circle", "312", WRONG), ("text", "300 313", WRONG)):
    rc, err, log, _ = run(name, [f"select handles {handles}"])
    check(rc == 0 and [(b["text"], b["flags"]) for b in boxes(log)] == [(text, 16)], f"{name}: exit {rc}, {boxes(log)}")
    check(not words(log, 114) and not words(log, 19) and not words(log, 127), f"{name}: went on after the refusal")

# Nothing drawn and no message: a zero first offset, cancelled inputs.
S = "select handles 300"
for lines in (["select cancel"], [S, "keyword 0", "distance 0"], [S, "keyword cancel"], [S, "keyword 0", "distance cancel"],
              [S, "keyword 1", "distance cancel"], [S, "keyword 1", "distance 100", "distance cancel"],
              [S, "keyword 2", "distance 100", "distance 200", "distance 600", "distance cancel"]):
    rc, err, log, _ = run("silent", lines)
    check(rc == 0 and not words(log, 114) and not boxes(log), f"{lines}: exit {rc} {err}")

folders.close()
if failures:
    print("\n".join(failures) + f"\n{len(failures)} failure(s)")
    sys.exit(1)
print("floorOffsetTest end to end: all checks passed")
