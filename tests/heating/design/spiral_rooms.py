"""Double spirals in rooms people draw, through cadhost with the example host
folder: a U room whose supply once jumped across the notch, corridors that
are rectangles only to within a few hundredths of a millimetre, a narrow
corridor with a slanted end that once got a stub, rooms whose pipe's leads
land beside the border line, a wall bowed into the room at a narrow border,
a corridor too narrow for a loop at its border and trapezoids whose centre
the design once refused (9005). Each room is drawn as it
came, turned and far from the origin, and with its outline the other way
round; every saved drawing is checked by design_dxf_check and, as laid
pipe, by spiral_dxf_check (no crossing, inside the zone, spacing, length),
the rooms of the border also by pipe_border_check (the border width, bends
included).

Usage: spiral_rooms.py CADHOST MODULE EXAMPLES_DIR [--share N]
(--share N: every Nth of each room's variants, the room as drawn first, for
the sanitizer runs where cadhost is slower)
"""
import math
import os
import sys

import ezdxf
from test_folders import TestFolders

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, os.path.join(HERE, "tools"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns, boxes  # noqa: E402
from design_dxf_check import check_design  # noqa: E402
from dxf_checks import check, failures  # noqa: E402
from make_one_pipe import examples_module  # noqa: E402
from pipe_border_check import border_problems  # noqa: E402
from spiral_dxf_check import check_spirals  # noqa: E402

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
SHARE = int(sys.argv[sys.argv.index("--share") + 1]) if "--share" in sys.argv else 1
folders = TestFolders("spiral-rooms", failures)
runs = CadhostRuns(CADHOST, MODULE, EXAMPLES, folders)
ex = examples_module()
NO_PIPE = "Zóny 1 nemají navržené potrubí: rozvržení okruhu se v nich nepodařilo. Upravte hranice zón nebo " \
          "zvolte jiný tvar okruhu a návrh opakujte."


class Room:
    """One zone with the manifold (600 x 100) below it and one distribution
    pipe from the manifold's top middle to `pipe_end` on the zone's wall;
    the zone a closed LWPOLYLINE (the side from vertex i bulged by
    bulges[i]), or LINEs (pairs of points) when `lines`."""

    def __init__(self, name, outline, manifold, pipe_end, dialog=(), lines=False, bulges=None):
        self.name, self.outline, self.manifold, self.pipe_end = name, outline, manifold, pipe_end
        self.dialog, self.lines, self.bulges = list(dialog), lines, dict(bulges or {})

    def variant(self, suffix, turn=0.0, far=0.0, reverse=False):
        """The room turned by `turn` degrees about the origin, then moved by
        (far, far); with `reverse` its outline runs the other way round."""
        c, s = math.cos(math.radians(turn)), math.sin(math.radians(turn))

        def place(p):
            return (c * p[0] - s * p[1] + far, s * p[0] + c * p[1] + far)

        if self.lines:
            outline = [(place(a), place(b)) for a, b in self.outline]
            if reverse:
                outline = [(b, a) for a, b in reversed(outline)]
        else:
            outline = [place(p) for p in self.outline]
            if reverse:
                outline = outline[::-1]
        n = len(self.outline)
        # Run the other way round, the side from vertex i is the side from
        # vertex n - 2 - i, bulged the other way.
        bulges = {(n - 2 - i) % n: -b for i, b in self.bulges.items()} if reverse else self.bulges
        room = Room(f"{self.name} {suffix}", outline, place(self.manifold), place(self.pipe_end), self.dialog,
                    self.lines, bulges)
        room.turn = turn
        return room

    turn = 0.0

    def drawing(self, folder):
        doc = ex.start("R2013")
        ex.manifold_block(doc, "RZ_TEST", ex.rectangle(0, 0, 600, 100))
        msp = doc.modelspace()
        ex.fixed_handle(doc, "100")
        ref = ex.manifold(msp, "RZ_TEST", (*self.manifold, 0), "RZ1")                    # 100
        ref.dxf.rotation = self.turn
        c, s = math.cos(math.radians(self.turn)), math.sin(math.radians(self.turn))
        top = (self.manifold[0] + c * 300 - s * 100, self.manifold[1] + s * 300 + c * 100)
        msp.add_line(top, self.pipe_end, dxfattribs={"layer": "ROZVODY"})               # 101
        if self.lines:                                                                   # 102...
            for a, b in self.outline:
                msp.add_line(a, b, dxfattribs={"layer": "ZONY"})
        else:
            msp.add_lwpolyline([(*p, self.bulges.get(i, 0)) for i, p in enumerate(self.outline)], format="xyb",
                               close=True, dxfattribs={"layer": "ZONY"})
        path = os.path.join(folder, "room.dxf")
        doc.saveas(path)
        return path

    def zone_handles(self):
        return " ".join("%X" % (0x102 + i) for i in range(len(self.outline) if self.lines else 1))


def design(room, after=()):
    """The room designed and drawn (`after`: the lines for a dialog shown
    again): (exit code, log, saved drawing, input drawing)."""
    drawing = room.drawing(folders.new(room.name + " drawing"))
    rc, err, log, saved = runs.run(room.name, drawing, ["command dozidEzezOvedo", "select handles 100 101",
                                                        f"select handles {room.zone_handles()}"] + room.dialog +
                                   ["dialog wait", "dialog end ok", *after])
    check(rc == 0, f"{room.name}: exit {rc}: {err}")
    return rc, log, saved, drawing


def laid(room, rooms=True, border=False):
    """The room's spiral drawn without warning and sound (with `border` also
    at its border width, bends included); its zone's length in metres."""
    rc, log, saved, drawing = design(room)
    check(boxes(log) == [], f"{room.name}: message boxes {boxes(log)}")
    if rc != 0 or not os.path.exists(saved):
        return 0.0
    problems, drawn = check_design(saved, drawing)
    failures.extend(f"{room.name}: {p}" for p in problems)
    if border:
        failures.extend(f"{room.name}: {p}" for p in border_problems(saved, drawn))
    problems, notes = check_spirals(saved, drawing, rooms)
    failures.extend(f"{room.name}: {p}" for p in problems)
    print("\n".join(f"{room.name}: {n}" for n in notes))
    metres = [float(n.split()[2]) for n in notes if n.startswith("zone 1:")]
    return metres[0] if metres else 0.0


def variants(room, turn, far):
    return [room, room.variant("turned far", turn, far), room.variant("reversed", reverse=True),
            room.variant("turned far reversed", turn, far, reverse=True)][::max(1, SHARE)]


# 1. A U room 3180 x 3390 whose notch (x 1055-2090) reaches from the far wall
# down to y 1860. At 0.11 m its third level is a U with arms narrower than a
# spacing: the spiral must change arms below the notch, never across it.
U = Room("U room", [(0, 0), (3180, 0), (3180, 3390), (2090, 3390), (2090, 1860), (1055, 1860), (1055, 3390),
                    (0, 3390)], (0, -1100), (300, 0), ["dialog set CB_PIPE_PITCH 0.11"])
for room in variants(U, 146.43, 6.9e6):
    laid(room)

# 2. A corridor 5900 x 1164 of four LINEs, a rectangle only to within 0.02 mm
# (a floor turned by 146.43 degrees and back): supply and return once lay on
# top of each other where the centre's zigzag ran on past the run end.
NOISY = [((10999.401761774623, 4289.405544456722), (10999.399425977597, 3125.0019108905935)),
         ((10999.401761774623, 4289.405544456722), (5099.291849460695, 4289.417380094121)),
         ((5099.291849460695, 4289.417380094121), (5099.289513663667, 3125.0137465279927)),
         ((10999.399425977597, 3125.0019108905935), (5099.289513663667, 3125.0137465279927))]
CORRIDOR_DIALOG = ["dialog set CB_PIPE_PITCH 0.258", "dialog set PIPE_PITCH 0.15"]
corridor = Room("noisy corridor", NOISY, (6326.958130474184, 2325.0106820203678),
                (6626.958130474184, 3125.0106820203678), CORRIDOR_DIALOG, lines=True)
exact = Room("exact corridor", [((11000, 4289), (11000, 3125)), ((11000, 4289), (5099, 4289)),
                                ((5099, 4289), (5099, 3125)), ((11000, 3125), (5099, 3125))],
             (6327, 2325), (6627, 3125), CORRIDOR_DIALOG, lines=True)
lengths = [laid(room) for room in variants(corridor, 243.49, 6.9e6)]
exact_length = laid(exact)
check(all(abs(m - exact_length) <= 0.05 * exact_length for m in lengths),
      f"noisy corridor: {lengths} m against the exact corridor's {exact_length} m")
# The second corridor: 1.22 m wide at 0.26 m, one LWPOLYLINE, turned by
# 243.49 degrees about 6.9e6 mm from the origin.
wide = Room("corridor 1.22", [(0, 0), (6000, 0), (6000, 1220), (0, 1220)], (1200, -1100), (1500, 0),
            ["dialog set CB_PIPE_PITCH 0.26"])
for room in variants(wide, 243.49, 6.9e6):
    laid(room)

# 3. A corridor 603 wide whose far end slants (its sharp corner 15 degrees):
# the loop along both long walls fits and is laid, stopping s across before
# the sharp corner; at 800 wide more.
slanted = Room("slanted corridor", [(603, 0), (0, 0), (0, 7507), (603, 5297)], (35, -800), (335, 0))
for room in variants(slanted, 146.43, 6.9e6):
    metres = laid(room, rooms=False)
    check(metres >= 10.5, f"{room.name}: {metres} m of pipe, not the loop along both long walls")
square = laid(Room("square-ended corridor", [(603, 0), (0, 0), (0, 7507), (603, 7507)], (35, -800), (335, 0)),
              rooms=False)
check(square >= 14.0, f"square-ended corridor: {square} m")
wider = laid(Room("slanted corridor 800", [(800, 0), (0, 0), (0, 7507), (800, 5297)], (135, -800), (435, 0)),
             rooms=False)
check(wider >= 16.0, f"slanted corridor 800: {wider} m")
# 400 wide no loop fits (2 d0 + s is 526): only the leads' stub could be
# laid, and the zone is named as one that laid nothing (9002).
rc, log, saved, drawing = design(Room("slanted corridor 400", [(400, 0), (0, 0), (0, 7507), (400, 5297)],
                                      (-100, -800), (200, 0)), ["dialog end cancel"])
check(boxes(log) == [(NO_PIPE, 0x30, "cadhost")], f"slanted corridor 400: {boxes(log)}")

# 4. The leads beside the border line: at a pitch of 0.05 the leads enter
# 115 and 165 from the east wall of a room 3000 x 4000, the one farther from
# it 2 beyond the free border line (163), the other between the line and
# the wall; they once met at the first loop's corner (warning 9005, nothing
# drawn). The same at a pitch of 0.1 (7 beyond), in a corridor 736 x 4455
# and a tiny room, and with the pipe's last piece at 37 degrees to the
# wall's normal (the leads 63 apart along the wall, one 13 beyond).
def pitches(spacing, pipe_pitch):
    return [f"dialog set CB_PIPE_PITCH {spacing}", f"dialog set PIPE_PITCH {pipe_pitch}"]


RECTANGLE = [(0, 0), (3000, 0), (3000, 4000), (0, 4000)]
BESIDE_BORDER = [
    Room("lead beside the border", RECTANGLE, (2560, -800), (2860, 0), pitches(0.2, 0.05)),
    Room("lead beside the border at pitch 0.1", RECTANGLE, (2580, -800), (2880, 0), pitches(0.2, 0.1)),
    Room("corridor lead beside the border", [(0, 0), (736, 0), (736, 4455), (0, 4455)], (284, -800), (584, 0),
         pitches(0.182, 0.05)),
    Room("tiny room lead beside the border", [(0, 0), (1100, 0), (1100, 1400), (0, 1400)], (655, -800), (955, 0),
         pitches(0.15, 0.05)),
    Room("lead beside the border, pipe at 37 degrees", RECTANGLE, (3082.5, -800), (2855, 0), pitches(0.2, 0.05))]
for beside in BESIDE_BORDER:
    for room in variants(beside, 146.43, 6.9e6):
        laid(room, border=True)

# 5. A border of 0.02 along a wall that bows into the room about 400 deep:
# the pipe, bends included, keeps 20 from the wall (once 5.3, along the
# 400 mm chords that stood for the wall).
BOWED = Room("bowed far wall, narrow border", [(0, 0), (2800, 0), (2800, 4100), (0, 4100)], (400, -800), (700, 0),
             pitches(0.2, 0.2) + ["dialog set BORDER_FIXED 1", "dialog set CB_BORDER_R 0.02"], bulges={2: -0.29})
# At a border of 0.02 the bend of 50 round the reflex corner of an L room
# would cut towards the corner (once 7.6 from it): it is made smaller.
L_NARROW = Room("L room, narrow border", [(0, 0), (1500, 0), (1500, 2000), (2800, 2000), (2800, 4100), (0, 4100)],
                (400, -800), (700, 0), pitches(0.2, 0.2) + ["dialog set BORDER_FIXED 1", "dialog set CB_BORDER_R 0.02"])
for room in variants(BOWED, 146.43, 6.9e6) + variants(L_NARROW, 146.43, 6.9e6):
    laid(room, border=True)

# 6. A corridor 630 x 5000 at a spacing of 0.132 and a border of 0.3: no
# loop fits (a loop's sides would lie 30 apart), and the leads turning back
# at the entry are no circuit: 9002, nothing drawn.
STUB = Room("corridor with a border of 0.3", [(0, 0), (630, 0), (630, 5000), (0, 5000)], (15, -800), (315, 0),
            pitches(0.132, 0.2) + ["dialog set BORDER_FIXED 1", "dialog set CB_BORDER_R 0.3"])
for room in variants(STUB, 146.43, 6.9e6):
    rc, log, saved, drawing = design(room, ["dialog end cancel"])
    check(boxes(log) == [(NO_PIPE, 0x30, "cadhost")], f"{room.name}: {boxes(log)}")

# 7. A trapezoid 2605 wide, its west wall slanting 932 over 4408, the pipe
# square to the hall wall: at 0.266 m with a fixed border of 0.088 m (and
# at 0.25 m with 0.15 m) the innermost loop's centre folded back at 12
# degrees over legs of 100 mm and the design refused it (9005); it lays one
# level fewer or another way, drawn without a word, covered and sound. The
# room 5503 x 4635 with one slanted side wall at 0.299 m keeps its centre's
# runs s/2 apart or more (spiral_dxf_check fails nearer ones).
TRAPEZOID = [(932, -4408), (2605, -4408), (2605, 0), (0, 0)]
for spacing, border in ((0.266, 0.088), (0.25, 0.15)):
    trapezoid = Room(f"trapezoid {spacing} {border}", TRAPEZOID, (1610, 600), (1910, 0),
                     [f"dialog set CB_PIPE_PITCH {spacing}", "dialog set BORDER_FIXED 1",
                      f"dialog set CB_BORDER_R {border}"])
    for room in variants(trapezoid, 146.43, 6.9e6):
        laid(room)
wide_trapezoid = Room("trapezoid 5503 x 4635", [(1200, -4635), (5503, -4635), (5503, 0), (0, 0)], (2200, 600),
                      (2500, 0), ["dialog set CB_PIPE_PITCH 0.299"])
for room in variants(wide_trapezoid, 243.49, 6.9e6):
    laid(room)

folders.close()
if failures:
    print("\n".join(failures[:60]) + f"\n{len(failures)} failure(s)")
    sys.exit(1)
print("spiral rooms end to end: all checks passed")
