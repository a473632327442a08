"""Warnings 9002 and 9005 of both heating commands through cadhost, with a
test build of the module whose main dialog, when confirmed, lays the first
run of every double spiral's path a second time over itself: the zone is
named by 9005 (exact text, warning icon, caption), the dialog is shown again
and nothing is drawn; changed into a meander and confirmed again, the design
is drawn; a zone without a pipe comes first (9002), then the overlapping one
(9005); the edit command names a zone it lays out again the same way.

Usage: laid_pipe_warnings.py CADHOST MODULE EXAMPLES_DIR
"""
import os
import sys

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns, boxes, drawing_of, ends  # noqa: E402
from design_dxf_check import check_design  # noqa: E402
from dxf_checks import check, failures, finish  # noqa: E402
from test_folders import TestFolders  # noqa: E402

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
folders = TestFolders("laid-pipe", failures)
runs = CadhostRuns(CADHOST, MODULE, EXAMPLES, folders)

REFUSED = 0x80000020
NO_PIPE = ("Zóny {} nemají navržené potrubí: rozvržení okruhu se v nich nepodařilo. Upravte hranice zón nebo zvolte "
           "jiný tvar okruhu a návrh opakujte.")
UNSOUND = "Potrubí zón {} se kříží nebo opouští zónu. Zvolte jiný tvar okruhu nebo rozteč a návrh opakujte."
# R fixed, so that confirming lays nothing out again; the shipped shape is the double spiral.
FIXED = ["dialog set BORDER_FIXED 1", "dialog set CB_BORDER_R 0.05"]
MEANDERS = ["dialog set CIRCUIT_SHAPE 0 zone 1", "dialog set CIRCUIT_SHAPE 0 zone 2"]


def design(name, drawing, dialog):
    return runs.run(name, drawing, ["command dozidEzezOvedo", "select handles 100 101 103", "select handles 102 104",
                                    *FIXED, *dialog])


def shows(log):
    return len([r for r in log if r.get("kind") == "dialog" and r.get("event") == "open"])


def unchanged(name, drawing, saved):
    check(os.path.exists(saved) and drawing_of(saved) == drawing_of(drawing), f"{name}: the drawing changed")


MINIMAL = os.path.join(EXAMPLES, "minimal.dxf")

# ---- Both spirals overlap themselves: named, shown again, nothing drawn -----------------------
rc, err, log, saved = design("overlapping", MINIMAL, ["dialog wait", "dialog end ok", "dialog end cancel"])
check(rc == 0 and boxes(log) == [(UNSOUND.format("1, 2"), 0x30, "cadhost")], f"overlapping: {rc} {err} {boxes(log)}")
check(shows(log) == 2 and ends(log) == [REFUSED], f"overlapping: {shows(log)} shows, word 19 {ends(log)}")
unchanged("overlapping", MINIMAL, saved)

# ---- Answered by another shape: drawn at the second confirmation ------------------------------
rc, err, log, saved = design("answered", MINIMAL, ["dialog wait", "dialog end ok", *MEANDERS, "dialog wait",
                                                   "dialog end ok"])
check(rc == 0 and boxes(log) == [(UNSOUND.format("1, 2"), 0x30, "cadhost")], f"answered: {rc} {err} {boxes(log)}")
check(shows(log) == 2, f"answered: {shows(log)} shows")
problems, drawn = check_design(saved, MINIMAL)
failures.extend(f"answered: {p}" for p in problems)
shapes = sorted(z["_PT_X_ZDR_SHP"] for z in drawn.values("TPV1000-0001"))
check(shapes == ["0", "0"], f"answered: drawn shapes {shapes}")

# ---- One meander alone is left as laid: only the spiral is named ------------------------------
rc, err, log, saved = design("one spiral", MINIMAL, [MEANDERS[0], "dialog wait", "dialog end ok",
                                                     "dialog end cancel"])
check(boxes(log) == [(UNSOUND.format("2"), 0x30, "cadhost")], f"one spiral: {boxes(log)}")

# ---- 9002 before 9005: zone 1 a corridor too narrow for its border, zone 2 overlapping --------
corridor = os.path.join(folders.new("corridor drawing"), "corridor.dxf")
doc = ezdxf.readfile(MINIMAL)
doc.entitydb["102"].set_points([(1225, 2000), (1375, 2000), (1375, 5000), (1225, 5000)])
doc.saveas(corridor)
rc, err, log, saved = design("both", corridor, ["dialog set CB_BORDER_R 0.1 zone 1", "dialog wait", "dialog end ok",
                                                "dialog end cancel"])
check(rc == 0 and boxes(log) == [(NO_PIPE.format("1"), 0x30, "cadhost"), (UNSOUND.format("2"), 0x30, "cadhost")],
      f"both: {rc} {err} {boxes(log)}")
check(shows(log) == 2 and ends(log) == [REFUSED], f"both: {shows(log)} shows, word 19 {ends(log)}")
unchanged("both", corridor, saved)

# ---- The edit: meanders drawn, zone 1 laid out again as a spiral is named ---------------------
rc, err, log, drawn_design = design("meanders", MINIMAL, [*MEANDERS, "dialog wait", "dialog end ok"])
check(rc == 0 and not boxes(log), f"meanders: {rc} {err} {boxes(log)}")
edit = ["command dozidEzezOvedoEdit", "select assoc 100", "dialog set CIRCUIT_SHAPE 1 zone 1", "dialog wait",
        "dialog end ok"]
rc, err, log, saved = runs.run("edit", drawn_design, edit + ["dialog end cancel"])
check(rc == 0 and boxes(log) == [(UNSOUND.format("1"), 0x30, "cadhost")], f"edit: {rc} {err} {boxes(log)}")
check(shows(log) == 2, f"edit: {shows(log)} shows")
unchanged("edit", drawn_design, saved)
# Changed back, the edit draws; a zone whose meander is only drawn again is not named.
rc, err, log, saved = runs.run("edit answered", drawn_design,
                               edit + ["dialog set CIRCUIT_SHAPE 0 zone 1", "dialog wait", "dialog end ok"])
check(rc == 0 and boxes(log) == [(UNSOUND.format("1"), 0x30, "cadhost")], f"edit answered: {rc} {err} {boxes(log)}")
problems, _ = check_design(saved, drawn_design, fresh=False)
failures.extend(f"edit answered: {p}" for p in problems)

folders.close()
sys.exit(finish())
