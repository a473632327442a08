"""The round trip over random floors and the example floors, with random
dialog steps: each floor of hv_random_rooms (several rooms on both sides of a
hall, rooms without a pipe, a bare room joined to its neighbour's circuit,
heating bodies, pipes whose last piece meets the wall square or at an angle,
short or long, drawn from either end; both circuit shapes; display types 0
and 2) is drawn by random_floors.py, and each example floor (minimal, three
zones, the flat) is taken as shipped; each is designed through cadhost with
its own script, in which random dialog steps of the run's seed come before
the design is drawn (random_floors.dialog_lines: zones and circuits
renumbered, also a joined zone below the zone it joined, recoloured, a lower
distribution pitch, a zone's circuit shape, display type (0 to 2), spacing or
fixed border changed, the join made by its line or by picking both zones);
then it is edited without changes (`select assoc` of its manifold, `dialog
wait`, `dialog end ok`) and compared with the design by edit_dxf_check, then
edited again and compared again. No floor is excused a difference; a failing
one prints the run's seed, the line that makes its drawing and script again
and its dialog steps. Every zone of a random floor's design carries the
number its script left it with, and a joined room is in its neighbour's
circuit (random_floors.numbering_problems; the edits keep them, as
compared).

A floor the design command cannot draw (it names a zone that lays no pipe,
9002, or whose pipe is unsound, 9005, and the script runs out) has no round
trip: it is named and passed over, and at most a quarter of the floors may
be; any other failed design fails. The floors run must hold every feature
above.

Usage: floor_roundtrip.py TOOL CADHOST MODULE EXAMPLES_DIR [--seed S] [--floors N] [--first I] [--example-runs N]
"""
import argparse
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns, boxes  # noqa: E402
from design_dxf_check import check_design  # noqa: E402
from dxf_checks import check, failures, finish  # noqa: E402
from edit_dxf_check import compare_edit  # noqa: E402
from test_folders import TestFolders  # noqa: E402
import random_floors  # noqa: E402

parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
parser.add_argument("tool")
parser.add_argument("cadhost")
parser.add_argument("module")
parser.add_argument("examples")
parser.add_argument("--seed", type=int, default=58)
parser.add_argument("--floors", type=int, default=30)
parser.add_argument("--first", type=int, default=0, help="the first floor's index")
parser.add_argument("--example-runs", type=int, default=2,
                    help="designs of each example floor, each with its own dialog steps")
args = parser.parse_args()

EXAMPLES = os.path.abspath(args.examples)
folders = TestFolders("floor-roundtrip", failures)
runs = CadhostRuns(args.cadhost, args.module, args.examples, folders)
# The texts of warnings 9002 and 9005: the design cannot draw the floor.
UNDRAWABLE = ("nemají navržené potrubí", "se kříží nebo opouští zónu")

# The example floors as the dialog sees them: selections, each zone's number
# after the routing (a fed zone's circuit has its number), the join and the
# heating body the examples' scripts make.
EXAMPLE_FLOORS = {
    "minimal": ("minimal.dxf", {"select": ["100 101 103", "102 104"],
                                "zones": [{"number": 1, "fed": True}, {"number": 2, "fed": True}]}),
    "three-zones": ("three-zones.dxf", {
        "select": ["200 201 202", "203 204 205"],
        "zones": [{"number": 1, "fed": True}, {"number": 2, "fed": True}, {"number": 3, "fed": False}],
        "join": {"zone": 3, "to": 1, "point": (9250, 3000)}}),
    "flat": ("flat.dxf", {
        "select": ["400 401 402 403 404 405 406 407", "408 409 40A 40B 40C 40D 40E 40F"],
        "zones": [{"number": n, "fed": n < 8} for n in range(1, 9)],
        "join": {"zone": 8, "to": 4, "point": (12900, 2700)}, "body": {"zone": 1, "point": (2000, 1000)}}),
}


def angled(pipe):
    """Whether the pipe's last piece meets the one before it at other than a right angle."""
    if len(pipe) < 3:
        return False
    (ax, ay), (bx, by), (cx, cy) = pipe[-3], pipe[-2], pipe[-1]
    u, v = (bx - ax, by - ay), (cx - bx, cy - by)
    return abs(u[0] * v[0] + u[1] * v[1]) > 1e-6 * math.hypot(*u) * math.hypot(*v)


def round_trip(name, dxf, script, saved, manifold, dialog, again, plan=None):
    """The floor designed by its script and edited twice without changes,
    each edit compared with the drawing before; False when the design could
    not be drawn (passed over). A failure names the floor, how to make it
    again and its dialog steps."""
    before = len(failures)
    rc, err, log, drawn = runs.run(f"{name}-design", dxf, [], script=script, saved=saved)
    if rc != 0 and boxes(log) and any(text in boxes(log)[-1][0] for text in UNDRAWABLE):
        return False
    if check(rc == 0, f"{name}: the design failed (exit {rc}, {boxes(log)[-1:]}): {err[-300:]}"):
        problems, _ = check_design(drawn, input_path=dxf)
        failures.extend(f"{name}, design: {p}" for p in problems)
        if plan is not None:
            failures.extend(f"{name}, design: {p}"
                            for p in random_floors.numbering_problems(plan, drawn, dialog.numbers))
        edit = ["command dozidEzezOvedoEdit", f"select assoc {manifold}", "dialog wait", "dialog end ok"]
        for n in (1, 2):
            rc, err, log, after = runs.run(f"{name}-edit{n}", drawn, edit)
            if not check(rc == 0 and not boxes(log), f"{name}, edit {n}: exit {rc}, {boxes(log)}: {err[-300:]}"):
                break
            differences = compare_edit(drawn, after)
            failures.extend(f"{name}, edit {n}: {d}" for d in differences[:20])
            check(not differences, f"{name}, edit {n}: {len(differences)} differences")
            drawn = after
    if len(failures) > before:
        # Before the failures themselves, which finish() may cut short.
        print(f"{name} failed; made again by {again}; its dialog:\n    " + "\n    ".join(dialog.lines))
    return True


seen = set()
passed_over = []
designed = 0
plans = random_floors.plans(args.tool, args.seed, floors=True, index=args.first, count=args.floors)
for k, plan in enumerate(plans, start=args.first):
    name = f"floor {args.seed}/{k}"
    work = folders.new(f"floor-{k}")
    dxf, script, saved, dialog = random_floors.write(plan, work, "floor", rng=random_floors.steps_rng(args.seed, k))
    again = f"random_floors.py TOOL OUT --floors --index {k} --steps {args.seed} ({plan['description']})"
    if not round_trip(name, dxf, script, saved, "%X" % random_floors.FIRST_HANDLE, dialog, again, plan):
        passed_over.append(f"{name}: the design drew nothing: {plan['description']}")
        continue
    designed += 1
    pipes = [room["pipe"] for room in plan["rooms"] if room["pipe"]]
    seen |= dialog.seen | {f"shape {plan['shape']}", f"display type {plan['display_type']}"}
    seen |= {"a bare room"} if len(pipes) < len(plan["rooms"]) else set()
    seen |= {"an angled pipe"} if any(angled(p) for p in pipes) else set()

for example, (drawing, floor) in EXAMPLE_FLOORS.items():
    for n in range(args.example_runs):
        name = f"{example} {args.seed}/{n}"
        work = folders.new(f"{example}-{n}")
        text, dialog = random_floors.script({"description": f"examples/{drawing}", **floor}, "design.dxf",
                                            random_floors.steps_rng(args.seed, f"{example}/{n}"))
        script = os.path.join(work, "design.script")
        with open(script, "w", encoding="utf-8") as f:
            f.write(text)
        if not round_trip(name, os.path.join(EXAMPLES, drawing), script, "design.dxf", floor["select"][0].split()[0],
                          dialog, f"floor_roundtrip.py --seed {args.seed} --example-runs {n + 1}"):
            passed_over.append(f"{name}: the design drew nothing")
            continue
        designed += 1
        seen |= dialog.seen

for line in passed_over:
    print("passed over:", line)
total = len(plans) + args.example_runs * len(EXAMPLE_FLOORS)
check(4 * len(passed_over) <= total, f"{len(passed_over)} of {total} floors could not be designed")
# Every run holds the floors' own features; one of ten floors or more, every
# kind of random step too (a sanitizer's share of three may lack some).
wanted = {"shape 0", "shape 1", "display type 0", "display type 2", "a join", "a heating body", "a bare room",
          "an angled pipe"}
if len(plans) >= 10:
    wanted |= {"display type 1", "a zone renumbered", "a circuit renumbered", "circuits recoloured", "a lower pitch",
               "a circuit shape changed", "a spacing set", "a border fixed",
               "a joined zone numbered below the zone it joined"}
check(wanted <= seen, f"the floors run lack {sorted(wanted - seen)}")
print(f"{designed} floors designed and edited twice")
folders.close()
sys.exit(finish())
