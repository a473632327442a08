"""A random floor of hv_random_rooms drawn by random_floors.py and designed
through cadhost with its own script (settings per zone, a bare room joined to
its neighbour's circuit, a heating body): the run succeeds and the saved
drawing is a sound design (design_dxf_check) whose pipes lie in their zones
and cross nowhere (spiral_dxf_check). Keeps the tool and the drawings it
makes working; the layouts themselves are judged by hv_random_rooms_tests.

Usage: random_floor_test.py TOOL CADHOST MODULE EXAMPLES_DIR
"""
import os
import sys

from test_folders import TestFolders

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns  # noqa: E402
from design_dxf_check import check_design  # noqa: E402
from dxf_checks import failures  # noqa: E402
from spiral_dxf_check import check_spirals  # noqa: E402
import random_floors  # noqa: E402

TOOL, CADHOST, MODULE, EXAMPLES = sys.argv[1:5]
# A floor with every feature the script drives: bare rooms, a join and a
# heating body; turned and far from the origin.
SEED, INDEX = 1, 1

folders = TestFolders("random-floor", failures)
runs = CadhostRuns(CADHOST, MODULE, EXAMPLES, folders)
plan = random_floors.plans(TOOL, SEED, floors=True, index=INDEX)[0]
if not (plan["join"] and plan["body"] and any(not room["pipe"] for room in plan["rooms"])):
    failures.append(f"floor {SEED}/{INDEX} lacks a join, a body or a bare room: {plan['description']}")
for lines in (False, True):
    work = folders.new("lines" if lines else "polylines")
    dxf, script, saved = random_floors.write(plan, work, "floor", lines)
    code, stderr, _, out = runs.run(("lines" if lines else "polylines") + "-design", dxf, [], script=script,
                                    saved=saved)
    if code != 0:
        failures.append(f"{plan['description']}: cadhost exited {code}: {stderr.strip()}")
        continue
    problems, _ = check_design(out, input_path=dxf)
    failures.extend(f"design: {p}" for p in problems)
    problems, _ = check_spirals(out, input_path=dxf, rooms=False)
    failures.extend(f"pipes: {p}" for p in problems)

folders.close()
for f in failures:
    print("FAIL", f)
print("ok" if not failures else f"{len(failures)} failures")
sys.exit(1 if failures else 0)
