"""Random floors of hv_random_rooms drawn by random_floors.py and designed
through cadhost with their own scripts (settings per zone, a bare room joined
to its neighbour's circuit, a heating body): each run succeeds and the saved
drawing is a sound design (design_dxf_check) whose pipes lie in their zones,
cross nowhere and run through the wall of a join at least max(pitch, s/2 of
both zones) apart (spiral_dxf_check); every zone carries the number the
script gave its settings to, and the joined room is in its neighbour's
circuit; the edit command reads each design back and draws it again as
sound, the link kept. The layouts themselves are judged by hv_random_rooms_tests.

Usage: random_floor_test.py TOOL CADHOST MODULE EXAMPLES_DIR [[SEED/]FLOOR[:lines] ...]
FLOOR is a floor index of the seed (1 when not given), drawn with polylines
or (":lines") with lines and arcs; by default floor 1 of seed 1 both ways,
which keeps the tool and the drawings it makes working (a join, a body, bare
rooms, turned far from the origin): the floors of seed 1 must hold a join.
Floors of other seeds are named for a layout they once broke and need not. Floor 4 is the join at pitch 0.15 m whose routing lowers the pitch
to half the distance of the first two drawn pipes (they leave the manifold's
two sides 50 mm apart along it: 56 mm), under half the joined rooms'
spacings: the link's supply and return ran through the wall that near.
"""
import os
import sys

from test_folders import TestFolders

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns, boxes  # noqa: E402
from design_dxf_check import check_design  # noqa: E402
from dxf_checks import failures  # noqa: E402
from spiral_dxf_check import check_spirals  # noqa: E402
import random_floors  # noqa: E402

TOOL, CADHOST, MODULE, EXAMPLES = sys.argv[1:5]


def run_of(arg):
    """(seed, floor index, drawn with lines) of a [SEED/]FLOOR[:lines] argument."""
    floor = arg.split(":")[0]
    seed, index = floor.split("/") if "/" in floor else ("1", floor)
    return int(seed), int(index), arg.endswith(":lines")


RUNS = [run_of(arg) for arg in sys.argv[5:] or ["1", "1:lines"]]


folders = TestFolders("random-floor", failures)
runs = CadhostRuns(CADHOST, MODULE, EXAMPLES, folders)
for seed, index, lines in RUNS:
    plan = random_floors.plans(TOOL, seed, floors=True, index=index)[0]
    if seed == 1 and (not plan["join"] or
                      (index == 1 and not (plan["body"] and any(not room["pipe"] for room in plan["rooms"])))):
        failures.append(f"floor {seed}/{index} lacks a join, a body or a bare room: {plan['description']}")
    name = f"floor-{seed}-{index}-" + ("lines" if lines else "polylines")
    work = folders.new(name)
    dxf, script, saved, _ = random_floors.write(plan, work, "floor", lines)
    code, stderr, _, out = runs.run(name + "-design", dxf, [], script=script, saved=saved)
    if code != 0:
        failures.append(f"{plan['description']}: cadhost exited {code}: {stderr.strip()}")
        continue
    problems, _ = check_design(out, input_path=dxf)
    failures.extend(f"{name}: design: {p}" for p in problems)
    problems, _ = check_spirals(out, input_path=dxf, rooms=False)
    failures.extend(f"{name}: pipes: {p}" for p in problems)
    failures.extend(f"{name}: zones: {p}" for p in random_floors.numbering_problems(plan, out))
    # The edit command reads the design back (the joined circuit linked
    # again from its drawn pipes) and draws it anew: as sound, the link kept.
    code, stderr, log, edited = runs.run(name + "-edit", out, ["command dozidEzezOvedoEdit", "select assoc 100",
                                                               "dialog wait", "dialog end ok"])
    if code != 0 or boxes(log):
        failures.append(f"{name}: the edit exited {code}, {boxes(log)}: {stderr.strip()[-300:]}")
        continue
    problems, _ = check_spirals(edited, rooms=False)
    failures.extend(f"{name}: edited pipes: {p}" for p in problems)
    failures.extend(f"{name}: edited zones: {p}" for p in random_floors.numbering_problems(plan, edited))

folders.close()
for f in failures:
    print("FAIL", f)
print("ok" if not failures else f"{len(failures)} failures")
sys.exit(1 if failures else 0)
