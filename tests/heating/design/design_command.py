"""dozidEzezOvedo through cadhost with the example host folder: every refusal
from its fixture (exact text, error icon, caption, word 19 with the stage's
code, the drawing unchanged), the silent ends, the dialog's codes and steps,
and whole designs of the minimal drawing, the flat and the three zones, each
saved drawing checked by design_dxf_check.

Usage: design_command.py CADHOST MODULE EXAMPLES_DIR
"""
import os
import re
import subprocess
import sys

import ezdxf
from test_folders import TestFolders

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "host", "entities"))
sys.path.insert(0, HERE)
from cadhost_runs import CadhostRuns, box_numbers, boxes, drawing_of, ends, manifold_misses, words  # noqa: E402
from design_dxf_check import check_design  # noqa: E402
from pipe_border_check import border_problems  # noqa: E402
from spiral_dxf_check import check_spirals  # noqa: E402
from dxf_checks import audited, check, failures  # noqa: E402

CADHOST, MODULE, EXAMPLES = sys.argv[1:4]
HOST = os.path.join(EXAMPLES, "host")
folders = TestFolders("design", failures)

REFUSED = 0x80000020
SELECTION_FAILED = 0xFFFFFFFF
TEXTS = {
    273: "Bylo vybráno více rozdělovačů. Vyberte pouze jeden rozdělovač.",
    274: "Výběr obsahuje nesprávné entity.",
    275: "Chyba při zpracování entity.",
    276: "Některé křivky hranic zón nejsou uzavřené.",
    277: "Křivky hranic zón se nesmí dotýkat s křivkami hranic jiných zón.",
    278: "Nebyl vybrán rozdělovač.",
    281: "Potrubní rozvody z rozdělovače nejsou propojené s rozdělovačem.",
    282: "Potrubní rozvody z rozdělovače nejsou propojené s vytápěnými zónami.",
    290: "Nebyly vybrány potrubní rozvody z rozdělovače.",
    291: "Nebyly vybrány uzavřené hranice otopných zón.",
    297: "Výběr obsahuje nepodporovaný blok rozdělovače/sběrače.",
    298: "Hranice zón neumí pracovat se spline křivkami a elipsami. Doporučujeme použít přímé úseky nebo oblouky.",
    317: "Výběr nesmí obsahovat křivky/úsečky, které jsou vykreslené přes sebe.",
    319: "Otopná zóna je z jednoho rozdělovače napojena z více rozvodů.",
}


runs = CadhostRuns(CADHOST, MODULE, EXAMPLES, folders)
run = runs.run


def example(name):
    """An example's own script: (exit code, stderr, log records, the saved drawing's path)."""
    return run(name, name + ".dxf", None, script=os.path.join(EXAMPLES, name + ".script"), saved=name + "-design.dxf")


def design(drawing, first, second, dialog, *options, name=None):
    """The command with two handle selections and the dialog's lines."""
    return run(name or drawing, drawing, ["command dozidEzezOvedo", f"select handles {first}",
                                          f"select handles {second}"] + dialog, *options)


def unchanged(name, drawing, saved):
    before = drawing_of(os.path.join(EXAMPLES, drawing))
    check(os.path.exists(saved) and drawing_of(saved) == before, f"{name}: the drawing changed")


def laid_as_spirals(name, saved, drawing, rooms=True):
    """The drawn circuits checked as laid pipes; the places nearer than a
    spacing and each zone's length are printed for the record."""
    problems, notes = check_spirals(saved, os.path.join(EXAMPLES, drawing), rooms)
    failures.extend(f"{name}: {p}" for p in problems)
    print("\n".join(f"{name}: {n}" for n in notes))


# ---- Refusals: one error box, word 19 with the stage's code, nothing drawn --------------
REFUSALS = [
    # (name, id, first selection, second selection or None, word 19)
    ("two manifolds", 273, "500 503 501", None, SELECTION_FAILED),
    ("circle first", 274, "500 504", None, SELECTION_FAILED),
    ("circle zone", 274, "500 501", "502 504", REFUSED),
    ("spline zone", 274, "500 501", "502 50E", REFUSED),
    ("text zone", 274, "500 501", "502 511", REFUSED),
    ("one vertex", 275, "500 501", "502 508", REFUSED),
    ("open zone", 276, "500 501", "509", REFUSED),
    ("shared edge", 277, "500 501", "50A 50B", REFUSED),
    ("pipes only", 278, "501", None, SELECTION_FAILED),
    ("refused before manifold", 278, "504 500 501", None, SELECTION_FAILED),
    ("pipe off manifold", 281, "500 505", "502", REFUSED),
    ("pipe into no zone", 282, "500 506", "502", REFUSED),
    ("manifold alone", 290, "500", "502", REFUSED),
    ("foreign block", 297, "50F 501", None, SELECTION_FAILED),
    ("short outline", 297, "510 501", None, SELECTION_FAILED),
    ("ellipse zone", 298, "500 501", "502 50C", REFUSED),
    ("heavy polyline zone", 298, "500 501", "502 514", REFUSED),
    ("line over edge", 317, "500 501", "502 50D", REFUSED),
    ("zone fed twice", 319, "500 501 507", "502", REFUSED),
]
# What cadhost finds a refused manifold to miss (see also the own floor below).
PRODUCTS = os.path.join(HOST, "Dat", "QevProducts.dat")
MISSES = {
    "foreign block": [("50F", ["its QEV_DATA names item TOT0000-0002, which is not a floor-heating manifold "
                               "(TOT0000-0023 or TOT0000-0001)",
                               f"item TOT0000-0002 has no record in the product file {PRODUCTS}"])],
    "short outline": [("510", ["its block RZ_TEST gives 4 connection points (the starts of its LINEs, ARCs and "
                               "LWPOLYLINE segments), fewer than the 6 of item TOT0000-0001"])],
}
for name, text_id, first, second, code in REFUSALS:
    lines = ["command dozidEzezOvedo", f"select handles {first}"] + ([f"select handles {second}"] if second else [])
    rc, err, log, saved = run(name, "refusals.dxf", lines)
    check(rc == 0 and boxes(log) == [(TEXTS[text_id], 0x10, "cadhost")], f"{name}: exit {rc} {err} {boxes(log)}")
    check(box_numbers(log) == [text_id], f"{name}: the box's number {box_numbers(log)}")
    check(manifold_misses(log) == MISSES.get(name, []), f"{name}: misses {manifold_misses(log)}")
    for handle, misses in MISSES.get(name, []):
        said = f"run.script:2: the module refused block reference {handle} (block "
        check(said in err and "; ".join(misses) + " (see cadhost --help manifold)" in err, f"{name}: {err}")
    check(ends(log) == [code] and not words(log, 114), f"{name}: word 19 {ends(log)}, 114 {len(words(log, 114))}")
    unchanged(name, "refusals.dxf", saved)

rc, err, log, saved = run("empty zones", "refusals.dxf", ["command dozidEzezOvedo", "select handles 500 501",
                                                          "select window 90000,90000 90001,90001 empty-ok"])
check(rc == 0 and boxes(log) == [(TEXTS[291], 0x10, "cadhost")] and ends(log) == [REFUSED], f"291: {boxes(log)}")

# ---- Silent ends --------------------------------------------------------------------------
for name, lines, code, released in (
        ("cancelled prompt", ["select cancel"], [], 0),
        ("failed prompt", ["select fail"], [SELECTION_FAILED], 0),
        ("cancelled zones", ["select handles 100 101 103", "select cancel"], [1], 3)):
    rc, err, log, saved = run(name, "minimal.dxf", ["command dozidEzezOvedo"] + lines)
    check(rc == 0 and not boxes(log) and ends(log) == code, f"{name}: exit {rc} {boxes(log)} {ends(log)}")
    # Held entities go back to the host (17, one 114 each, 19 with 1).
    check(len(words(log, 114)) == released, f"{name}: {len(words(log, 114))} entities given back")
    unchanged(name, "minimal.dxf", saved)

# Duplicate zones: one warning per group, and the command goes on to the dialog.
rc, err, log, _ = design("refusals.dxf", "500 501", "502 512 50A 513", ["dialog end cancel"], name="duplicates")
dup = "Zóny {} jsou umístěné duplicitně na sobě. Pro správný výpočet tyto zóny překontrolujte."
check(sorted(b[0] for b in boxes(log)) == sorted([dup.format("1, 2"), dup.format("3, 4")]) and
      all(b[1] == 0x30 for b in boxes(log)) and box_numbers(log) == [294, 294], f"duplicates: {boxes(log)}")
check(ends(log) == [REFUSED], f"duplicates: the cancelled dialog ends with {ends(log)}")

# ---- The minimal design --------------------------------------------------------------------
rc, err, log, saved = example("minimal")
check(rc == 0, f"minimal: exit {rc}: {err}")
prompts = [(r["prompt"], r["mode"]) for r in log if r.get("kind") == "word" and r.get("word") == 138 and r["mode"] == 2]
check(prompts == [("Vyberte rozdělovač a rozvody z rozdělovače:", 2), ("Vyberte uzavřené křivky výtopných zón:", 2)],
      f"minimal: prompts {prompts}")
modes = [r["filter"] for r in words(log, 138) if r["mode"] == 0]
check(modes == [4, 0x2003], f"minimal: selection filters {modes}")
calls = [(r["word"], r.get("code"), r.get("handles")) for r in log if r.get("kind") == "word" and
         r.get("word") in (17, 19, 142)]
check(calls == [(17, None, None), (19, 1, None), (142, None, ["102", "104"]), (17, None, None), (19, 1, None)],
      f"minimal: output, hand-over and release {calls}")
last17 = max(i for i, r in enumerate(log) if r.get("word") == 17)
check([r["handle"] for r in log[last17:] if r.get("word") == 114] == ["101", "103"], "minimal: the pipes go back")
steps = [r["step"] for r in log if r.get("kind") == "dialog" and r.get("event") == "step"]
check(steps == ["dialog wait", "dialog end ok"], f"minimal: dialog steps {steps}")
problems, drawn = check_design(saved, os.path.join(EXAMPLES, "minimal.dxf"))
failures.extend(f"minimal: {p}" for p in problems + border_problems(saved, drawn))
laid_as_spirals("minimal", saved, "minimal.dxf")
after = drawing_of(saved)
check("100" in after and "102" not in after and "104" not in after, f"minimal: zone curves replaced: {after}")



def pipes_of(path, design):
    entities = {e.dxf.handle: e for e in ezdxf.readfile(path).modelspace()}
    return sorted((i, dict(p)["_PT_CISLO_OKRUHU"], entities[h].get_points("xyb")) for h, (i, p) in design.records.items()
                  if i in ("TP80000-0001", "TP90000-0001"))


# ---- The pipe lies at the drawn border width R -------------------------------------------------
# A free R changes at the first calculation (0.02 m by default): confirmed at once, after a
# calculation, or as the example is, the zones are laid at the drawn R, with the same pipes.
example_pipes = pipes_of(saved, drawn)
fixed = ["dialog set BORDER_FIXED 1", "dialog set CB_BORDER_R 0.05"]
for name, dialog in (("border at once", []), ("border calculated", ["dialog wait", "dialog calc"]),
                     ("border fixed", fixed)):
    rc, err, log, saved = design("minimal.dxf", "100 101 103", "102 104", dialog + ["dialog end ok"], name=name)
    problems, drawn = check_design(saved)
    failures.extend(f"{name}: {p}" for p in problems + border_problems(saved, drawn))
    widths = [z["_PT_ZONA_R"] for z in drawn.values("TPV1000-0001")]
    check(rc == 0 and (widths == ["0.0500"] * 2 if dialog == fixed else "0.0200" not in widths), f"{name}: R {widths}")
    check(dialog == fixed or pipes_of(saved, drawn) == example_pipes, f"{name}: the pipes differ from the example's")

# ---- The dialog's codes on the minimal drawing ----------------------------------------------
rc, err, log, saved = design("minimal.dxf", "100 101 103", "102 104", ["dialog end cancel"], name="cancel")
check(rc == 0 and ends(log) == [REFUSED] and not words(log, 114), f"cancel: {rc} {ends(log)}")
unchanged("cancel", "minimal.dxf", saved)

# The minimal drawing with zone 1 a corridor 150 wide whose pipe ends on its
# short side: at a fixed border of 0.1 m it has no offset level, lays no pipe
# and is named by 9002 (the dialog shown again); at 0.02 m and the spacing
# of 0.2 m its one level is a ring 110 wide, whose sides would lie nearer
# than s: no loop fits, 9002 again; at a spacing of 0.1 m the ring fits and
# is laid (shape 1, the default), and the design is drawn.
corridor_dxf = os.path.join(folders.new("corridor drawing"), "corridor.dxf")
corridor = ezdxf.readfile(os.path.join(EXAMPLES, "minimal.dxf"))
corridor.entitydb["102"].set_points([(1225, 2000), (1375, 2000), (1375, 5000), (1225, 5000)])
corridor.saveas(corridor_dxf)
no_pipe = "Zóny 1 nemají navržené potrubí: rozvržení okruhu se v nich nepodařilo. Upravte hranice zón nebo zvolte " \
          "jiný tvar okruhu a návrh opakujte."
border = ["dialog set BORDER_FIXED 1 zone 1", "dialog set CB_BORDER_R {} zone 1", "dialog wait", "dialog end ok"]
rc, err, log, saved = design(corridor_dxf, "100 101 103", "102 104",
                             [line.format("0.1") for line in border] + ["dialog end cancel"], name="corridor")
check(rc == 0 and boxes(log) == [(no_pipe, 0x30, "cadhost")] and box_numbers(log) == [9002],
      f"corridor: {rc} {err} {boxes(log)}")
check(len([r for r in log if r.get("event") == "open"]) == 2 and ends(log) == [REFUSED], "corridor: shown again")
unchanged("corridor", corridor_dxf, saved)
rc, err, log, saved = design(corridor_dxf, "100 101 103", "102 104",
                             [line.format("0.02") for line in border] + ["dialog end cancel"], name="corridor sliver")
check(rc == 0 and boxes(log) == [(no_pipe, 0x30, "cadhost")], f"corridor sliver: {rc} {err} {boxes(log)}")
unchanged("corridor sliver", corridor_dxf, saved)
rc, err, log, saved = design(corridor_dxf, "100 101 103", "102 104",
                             ["dialog set CB_PIPE_PITCH 0.1 zone 1"] + [line.format("0.02") for line in border],
                             name="corridor ring")
check(rc == 0 and boxes(log) == [], f"corridor ring: {rc} {err} {boxes(log)}")
problems, drawn = check_design(saved, corridor_dxf)
failures.extend(f"corridor ring: {p}" for p in problems)
laid_as_spirals("corridor ring", saved, corridor_dxf, rooms=False)

# Display type 2 on the shipped spiral: the zone's second layout is laid and
# drawn (its border hatched), the main one holds levels only.
rc, err, log, saved = design("minimal.dxf", "100 101 103", "102 104",
                             ["dialog set DISPLAY_TYPE 2 zone 1", "dialog wait", "dialog end ok"], name="display 2")
check(rc == 0 and boxes(log) == [], f"display 2: {rc} {err} {boxes(log)}")
problems, drawn = check_design(saved, os.path.join(EXAMPLES, "minimal.dxf"))
failures.extend(f"display 2: {p}" for p in problems)
laid_as_spirals("display 2", saved, "minimal.dxf")

rc, err, log, saved = design("minimal.dxf", "100 101 103", "102 104", ["dialog wait", "dialog end ok"],
                             "--fail-word", "114@1", name="failed output")
check(boxes(log) == [("Návrh podlahového vytápění se nepodařilo vykreslit. Výkres zůstal beze změny.", 0x10,
                      "cadhost")], f"failed output: {boxes(log)}")
check(ends(log) == [REFUSED] and not words(log, 142), f"failed output: {ends(log)}")
unchanged("failed output", "minimal.dxf", saved)

# Every setting applies (and shows in the drawn records); bad steps are refused.
SETTINGS = [("CB_T_TI", "21", "zone 1", "_PT_ZONA_TI", "21.000"), ("CB_T_TP", "24", "zone 1", "_PT_ZONA_TP", "24.000"),
            ("T_TP_FIXED", "0", "zone 2", "_PT_ZONA_TP_FIX", "0"), ("CB_T_TDI", "16", "zone 1", "_PT_ZONA_TI2", "16.000"),
            ("CB_PIPE_DIAM", "0.02", "zone 1", "_PT_ZONA_POTR_PRUMER", "0.020"),
            ("CB_PLACEMENT", "1", "zone 1", "_PT_ZONA_PODL_UMISTENI", "Podsklepená podlaha (vytápěná místnost)"),
            ("CB_ABOVE_AP", "11", "zone 1", "_PT_ZONA_AP", "11.000"), ("CB_T_ADP", "7", "zone 1", "_PT_ZONA_A2P", "7.000"),
            ("CB_T_LVR", "1.1", "zone 1", "_PT_ZONA_LVR", "1.100"), ("CB_CAPACITY", "4180", "zone 1", "_PT_ZONA_C", "4180.000"),
            ("CB_SOIL_RZ", "1.2", "zone 1", None, None), ("CB_T_TZ", "5", "zone 1", "_PT_ZONA_TZ", "5.000"),
            ("CB_FURN_PLINTH", "1.5", "zone 1", "_PT_ZONA_SPNS", "1.500"),
            ("CB_FURN_LEGS", "0.5", "zone 1", "_PT_ZONA_SPNN", "0.500"),
            ("LOSS_QC", "1200", "zone 1", "_PT_ZONA_LOSS_QC", "1200.000"), ("AREA_FROM_LOSS", "1", "zone 1", None, None),
            ("CB_PIPE_PITCH", "0.15", "zone 2", "_PT_ZONA_L_ROZTEC", "0.150"),
            # R stays as set only when fixed first (the calculation sets a free R).
            ("BORDER_FIXED", "1", "zone 2", "_PT_X_CLC_BFIX", "1"), ("CB_BORDER_R", "0.05", "zone 2", "_PT_ZONA_R", "0.0500"),
            ("DISPLAY_TYPE", "0", "zone 2", "_PT_X_ZDR_DD", "0"), ("CIRCUIT_SHAPE", "0", "zone 2", "_PT_X_ZDR_SHP", "0"),
            ("CB_IN_T1", "40", "circuit 1", "_PT_X_IN_T1", "40.000"), ("CB_OUT_T2", "32", "circuit 1", "_PT_X_OUT_T2", "32.000"),
            ("CB_MAX_LEN", "150", "circuit 1", "_PT_X_CD_LMAX", "150.000"),
            ("PMAX_KPA", "20", "circuit 2", "_PT_X_CD_PMAX", "20.000"), ("CHECK_PMAX", "1", "circuit 2", "_PT_X_CD_PMAXD", "1"),
            ("CB_PIPE_MAT", "PE-Xa", "circuit 2", None, None), ("BODY_OUTPUT", "300", "zone 2", None, None)]
rc, err, log, saved = design("minimal.dxf", "100 101 103", "102 104",
                             [f"dialog set {k} {v} {t}" for k, v, t, _, _ in SETTINGS] + ["dialog wait", "dialog end ok"],
                             name="settings")
check(rc == 0, f"settings: exit {rc}: {err}")
problems, drawn = check_design(saved)
failures.extend(f"settings: {p}" for p in problems)
by_zone = {dict(pairs)["_PT_ZONA_CISLO"]: dict(pairs) for ident, pairs in drawn.records.values() if ident == "TPV1000-0001"}
by_circuit = {dict(pairs)["_PT_CISLO_OKRUHU"]: dict(pairs) for ident, pairs in drawn.records.values()
              if ident == "TPV1001-0002"}
for key, value, target, record_key, expected in SETTINGS:
    if record_key is None:
        continue
    kind, number = target.split()
    record = (by_zone if kind == "zone" else by_circuit).get(number, {})
    check(record.get(record_key) == expected, f"settings: {key} {value} {target}: {record_key} = {record.get(record_key)}")
pipes2 = [dict(pairs) for ident, pairs in drawn.records.values() if ident == "TP80000-0001" and
          dict(pairs)["_PT_CISLO_OKRUHU"] == "2"]
check(pipes2 and "PE-Xa" in pipes2[0].values(), "settings: the pipe material of circuit 2")

BAD = ["dialog set NO_SUCH_KEY 1", "dialog set CB_IN_T1 40 zone 1", "dialog set CB_T_TI 20 circuit 1",
       "dialog set CB_T_TI 20 zone 9", "dialog set CB_IN_T1 40 circuit 7", "dialog set CB_T_TI 2,5 zone 1",
       "dialog set CB_T_TI warm zone 1", "dialog set CIRCUIT_SHAPE 2 zone 1", "dialog set DISPLAY_TYPE 3 zone 1",
       "dialog set CB_PIPE_PITCH 0 zone 1", "dialog end 600 join 2 1", "dialog end 600 join 1 9",
       "dialog end 601 body 9"]
rc, err, log, saved = design("minimal.dxf", "100 101 103", "102 104", BAD + ["dialog end cancel"], name="bad steps")
statuses = [r["status"] for r in log if r.get("kind") == "dialog" and r.get("event") == "step"]
check(rc == 1 and statuses == [-5001] * len(BAD) + [5100], f"bad steps: exit {rc}, statuses {statuses}")
check(ends(log) == [REFUSED], f"bad steps: {ends(log)}")

# ---- The flat: settings, a join, a heating body, a floor structure, the calculation -----------
FLAT_ZONES = "408 409 40A 40B 40C 40D 40E 40F"
rc, err, log, saved = example("flat")
check(rc == 0, f"flat: exit {rc}: {err}")
over = "Zóny 5 překračují maximální tlakovou ztrátu nebo maximální délku smyčky. Pro správný výpočet tyto zóny " \
       "překontrolujte."
# Once when the redesign of zone 2 ends (WM_USER+4), once from the calculation.
check(boxes(log) == [(over, 0x30, "cadhost")] * 2, f"flat: the warnings {boxes(log)}")
problems, drawn = check_design(saved, os.path.join(EXAMPLES, "flat.dxf"))
failures.extend(f"flat: {p}" for p in problems + border_problems(saved, drawn))


laid_as_spirals("flat", saved, "flat.dxf")
zones = {dict(p)["_PT_ZONA_CISLO"]: dict(p) for i, p in drawn.records.values() if i == "TPV1000-0001"}
check(len(zones) == 8 and zones.get("8", {}).get("_PT_ZONA_C_OKRUHU") == zones.get("4", {}).get("_PT_ZONA_C_OKRUHU"),
      f"flat: the WC joins the bathroom's circuit: {[(n, z.get('_PT_ZONA_C_OKRUHU')) for n, z in zones.items()]}")
check(all(z.get("_PT_ZONA_SKLADBA_OZN") == "P1" for z in zones.values()), "flat: the floor structure P1 on every zone")
check(any(i == "TPV1001-0001" for i, _ in drawn.records.values()), "flat: the heating body is drawn")
doc = ezdxf.readfile(saved)
sides = {}
for entity in doc.modelspace().query("LWPOLYLINE"):
    ident = drawn.records.get(entity.dxf.handle, ("",))[0]
    if ident in ("TP80000-0001", "TP90000-0001"):
        number = dict(drawn.records[entity.dxf.handle][1])["_PT_CISLO_OKRUHU"]
        sides.setdefault(number, {}).setdefault(ident, []).append([p[:2] for p in entity.get_points("xy")])
check(len(sides) == 7, f"flat: {len(sides)} circuits drawn")
for number, pair in sides.items():
    supply, ret = pair.get("TP80000-0001", []), pair.get("TP90000-0001", [])
    one_each = len(supply) == 1 and len(ret) == 1
    check(one_each, f"flat: circuit {number} has {len(supply)} supply and {len(ret)} return polylines")
    if one_each:
        ends_s = [supply[0][0], supply[0][-1]]
        ends_r = [ret[0][0], ret[0][-1]]
        meet = [(a, b) for a in ends_s for b in ends_r if abs(a[0] - b[0]) < 1e-3 and abs(a[1] - b[1]) < 1e-3]
        check(len(meet) == 1, f"flat: circuit {number}: supply and return meet at {len(meet)} ends")

# A cancelled join point and a heating body without a point.
rc, err, log, saved = design("flat.dxf", "400 401 402 403 404 405 406 407", FLAT_ZONES,
                             ["dialog end 600 join 4 8", "point cancel", "dialog end 601 body 1", "point cancel",
                              "dialog wait", "dialog end ok"], name="flat cancels")
check(rc == 0, f"flat cancels: exit {rc}: {err}")
problems, drawn = check_design(saved)
failures.extend(f"flat cancels: {p}" for p in problems)
zones = {dict(p)["_PT_ZONA_CISLO"]: dict(p) for i, p in drawn.records.values() if i == "TPV1000-0001"}
check(zones.get("8", {}).get("_PT_ZONA_C_OKRUHU") == "-1", "flat cancels: the WC stays without circuit")
check(not any(i == "TPV1001-0001" for i, _ in drawn.records.values()), "flat cancels: no heating body")

# ---- Three zones: the arc-wall room has no pipe, no circuit, and is drawn as outline and text --
rc, err, log, saved = example("three-zones")
check(rc == 0, f"three zones: exit {rc}: {err}")
problems, drawn = check_design(saved, os.path.join(EXAMPLES, "three-zones.dxf"))
failures.extend(f"three zones: {p}" for p in problems)
zones = {dict(p)["_PT_ZONA_CISLO"]: dict(p) for i, p in drawn.records.values() if i == "TPV1000-0001"}
check(sorted(z["_PT_ZONA_C_OKRUHU"] for z in zones.values()) == ["-1", "1", "2"], f"three zones: {zones.keys()}")

# ---- The module's boxes in `cadhost --help messages`: each number with the start of its text ----
done = subprocess.run([CADHOST, "--module", MODULE, "--help", "messages"], capture_output=True, text=True,
                      timeout=120)
listed = {int(m.group(1)): (m.group(2), m.group(3)) for m in
          re.finditer(r'^  (\d+) \((\w+)\) "(.*?)(?:\.\.\.)?"$', done.stdout, re.MULTILINE)}
for number, text in list(TEXTS.items()) + [(294, dup.format("%s")), (9002, no_pipe.replace("Zóny 1", "Zóny %s"))]:
    icon, start = listed.get(number, ("", None))
    check(start is not None and len(start) >= 20 and text.startswith(start) and
          icon == ("warning" if number in (294, 9002) else "error"), f"--help messages: {number} {icon} {start!r}")

# ---- A floor drawn by another program from `cadhost --help manifold` alone ---------------------
# In metres; the manifold block is four LINEs whose starts are its connection
# points, its item named by the short QEV_DATA form in lower case, QEV_INSPT
# its 1001 group alone; the rooms are closed LWPOLYLINEs, the pipes
# LWPOLYLINEs from the manifold's top side. Designed in both shapes; then with
# each requirement of the help missing in turn, refused (297) with what the
# block reference misses on standard error and nothing else.
OWN_ITEM = [(1000, "tot0000-0023"), (1000, "_LABEL"), (1000, "R1")]
OWN_OUTLINE = [(0, 0), (0.5, 0), (0.5, 0.1), (0, 0.1)]


def own_floor(name, qev_data=OWN_ITEM, inspt=(), outline=OWN_OUTLINE):
    """The floor's drawing, in a test folder: its path and the selections'
    handles (the manifold with its pipes, the rooms)."""
    path = os.path.join(folders.new(name), "floor.dxf")
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 6
    for app in ("QEV_DATA", "QEV_INSPT"):
        doc.appids.new(app)
    block = doc.blocks.new("ROZDELOVAC")
    for a, b in zip(outline, outline[1:] + outline[:1]):
        block.add_line(a, b)
    msp = doc.modelspace()
    manifold = msp.add_blockref("ROZDELOVAC", (2, 0.5))
    if qev_data is not None:
        manifold.set_xdata("QEV_DATA", list(qev_data))
    if inspt is not None:
        manifold.set_xdata("QEV_INSPT", list(inspt))
    pipes = [msp.add_lwpolyline(run, dxfattribs={"layer": "ROZVODY"}) for run in (
        [(2.2, 0.6), (2.2, 1.0), (1.5, 1.0), (1.5, 1.5)], [(2.4, 0.6), (2.4, 1.2), (6.5, 1.2), (6.5, 1.5)])]
    rooms = [msp.add_lwpolyline(room, close=True) for room in (
        [(1, 1.5), (5, 1.5), (5, 5), (1, 5)], [(5.2, 1.5), (9, 1.5), (9, 4), (7.5, 4), (7.5, 5.5), (5.2, 5.5)])]
    doc.saveas(path)
    handles = [e.dxf.handle for e in [manifold] + pipes + rooms]
    return path, " ".join(handles[:3]), " ".join(handles[3:]), handles[0]


own, first, second, _ = own_floor("own floor drawing")
for shape in (0, 1):
    name = f"own floor, shape {shape}"
    rc, err, log, saved = design(own, first, second, [f"dialog set CIRCUIT_SHAPE {shape}", "dialog wait",
                                                      "dialog end ok"], name=name)
    check(rc == 0 and boxes(log) == [], f"{name}: exit {rc}: {err} {boxes(log)}")
    problems, drawn = check_design(saved, own)
    failures.extend(f"{name}: {p}" for p in problems + border_problems(saved, drawn))
    shapes = [z["_PT_X_ZDR_SHP"] for z in drawn.values("TPV1000-0001")]
    check(shapes == [str(shape)] * 2, f"{name}: the zones' shapes {shapes}")
    if shape == 1:
        laid_as_spirals(name, saved, own)

products = os.path.join(folders.new("own products"), "products.dat")
with open(products, "w", encoding="utf-8") as f:
    f.write("[PROFESSION T]\nPROP1=_LABEL\n[ITEM TOT0000-0001]\nNUMID=1\nPOINT1=#G/P1|0|0|-\n"
            "[ITEM TOT0000-0002]\nNUMID=2\nPOINT1=#G/P1|0|0|-\n")
OWN_MISSING = [
    # (name, drawing, options, what it misses)
    ("no QEV_DATA", {"qev_data": None}, [], "it has no QEV_DATA extended data (1001 QEV_DATA)"),
    ("no header", {"qev_data": [(1070, 1)]}, [],
     "its QEV_DATA has no header (a 1000 text right after 1001 QEV_DATA)"),
    ("short table", {"qev_data": [(1000, "E@2x2"), (1000, "TOT0000-0023")]}, [],
     "its QEV_DATA header E@2x2 promises 4 table texts, and the block holds 1"),
    ("no item named", {"qev_data": [(1000, "E@2x1"), (1000, "TOT0000-0023"), (1000, "R1"), (1000, "_LABEL"),
                                    (1000, "R1")]}, [],
     "its QEV_DATA names no item: no _QEVITEM_ID pair follows the table of its header E@2x1"),
    ("not a manifold", {"qev_data": [(1000, "TOT0000-0002")]}, ["--products", products],
     "its QEV_DATA names item TOT0000-0002, which is not a floor-heating manifold (TOT0000-0023 or TOT0000-0001)"),
    ("no record", {}, ["--products", products], f"item tot0000-0023 has no record in the product file {products}"),
    ("no product file", {}, ["--products", "none"],
     "the run has no product file (--products none), so item tot0000-0023 has no record"),
    ("no QEV_INSPT", {"inspt": None}, [], "it has no QEV_INSPT extended data (1001 QEV_INSPT)"),
    ("three connection points", {"outline": OWN_OUTLINE[:3]}, [],
     "its block ROZDELOVAC gives 3 connection points (the starts of its LINEs, ARCs and LWPOLYLINE segments), "
     "fewer than the 4 a manifold needs"),
    ("six-point item", {"qev_data": [(1000, "TOT0000-0001")]}, [],
     "its block ROZDELOVAC gives 4 connection points (the starts of its LINEs, ARCs and LWPOLYLINE segments), "
     "fewer than the 6 of item TOT0000-0001"),
]
for name, changes, options, miss in OWN_MISSING:
    path, first, _, manifold = own_floor(f"own floor, {name}", **changes)
    rc, err, log, saved = run(f"own floor run, {name}", path, ["command dozidEzezOvedo", f"select handles {first}"],
                              *options)
    check(rc == 0 and boxes(log) == [(TEXTS[297], 0x10, "cadhost")] and box_numbers(log) == [297],
          f"{name}: exit {rc} {err} {boxes(log)}")
    check(manifold_misses(log) == [(manifold, [miss])], f"{name}: misses {manifold_misses(log)}")
    check(f"run.script:2: the module refused block reference {manifold} (block ROZDELOVAC) as its manifold: {miss} "
          "(see cadhost --help manifold)" in err, f"{name}: {err}")
    check(ends(log) == [SELECTION_FAILED] and not words(log, 114), f"{name}: word 19 {ends(log)}")

folders.close()
if failures:
    print("\n".join(failures[:60]) + f"\n{len(failures)} failure(s)")
    sys.exit(1)
print("dozidEzezOvedo end to end: all checks passed")
