#!/usr/bin/python3
"""Random rooms and floors of hv_random_rooms as DXF drawings, each with the
cadhost script that designs it with its own settings.

A plan is one room or one floor of the tool's JSON. drawing(plan) makes the
drawing in the conventions of scripts/make-examples.py (millimetres; the
manifold an INSERT of a block with its item record, so that the product file
finds it; distribution pipes on ROZVODY as LINE or LWPOLYLINE; zone outlines
on ZONY as closed LWPOLYLINEs with bulges, or with lines=True as LINEs and
ARCs) and answers the handles; floor_of(plan, handles) is the floor as its
design's dialog sees it, and script(floor, saved) writes the script: the
manifold with its pipes, then the zones, the settings of every zone and of
the manifold by "dialog set" (zone numbers as the routing gives them,
zone_numbers), a bare room joined to its neighbour's circuit ("dialog end
600 join"), a heating body ("dialog end 601 body"), "dialog end ok" and the
save; with a random generator, random dialog steps among them
(dialog_lines: zones and circuits renumbered, recoloured, the pitch, a
zone's shape, display type, spacing or border changed, the join picked).

Usage: random_floors.py TOOL OUT_DIR [--seed N] [--floors | --family NAME]
                        [--index I] [--count N] [--lines]
                        [--shape 0|1] [--display-type 0|2] [--steps S]
(--shape and --display-type replace the plan's own: 0 meander, 1 double spiral;
--steps adds the random dialog steps floor_roundtrip.py --seed S gives a floor)
writes OUT_DIR/<name>.dxf and <name>.script per plan; run one with
cadhost --host-dir examples/host --out-dir OUT_DIR OUT_DIR/<name>.dxf OUT_DIR/<name>.script
"""
import argparse
import importlib.util
import json
import math
import os
import random
import subprocess
import sys
from typing import NamedTuple

import ezdxf

from spiral_dxf_check import DESCRIPTION, OUTLINE, points_of, records

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location(
    "make_examples", os.path.join(HERE, "..", "..", "..", "scripts", "make-examples.py"))
make_examples = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(make_examples)

BLOCK = "RZ_NAHODNY"
FIRST_HANDLE = 0x100


def plans(tool, seed=1, floors=False, family="all", index=0, count=1):
    """The tool's rooms (or floors) as dicts."""
    args = [tool, "--seed", str(seed), "--index", str(index), "--count", str(count)]
    args += ["--floors"] if floors else ["--family", family]
    out = subprocess.run(args, capture_output=True, text=True, check=True, timeout=120).stdout
    data = json.loads(out)
    return data["floors"] if floors else data["rooms"]


def rooms_of(plan):
    """The rooms of a floor, or the room itself, each with outline, pipe,
    spacing and border."""
    return plan["rooms"] if "rooms" in plan else [plan]


def _add_outline(msp, outline, lines):
    zony = {"layer": "ZONY"}
    if not lines:
        msp.add_lwpolyline([(v["x"], v["y"], 0, 0, v["bulge"]) for v in outline], format="xyseb", close=True,
                           dxfattribs=zony)
        return 1
    for k, v in enumerate(outline):
        w = outline[(k + 1) % len(outline)]
        if v["bulge"] == 0:
            msp.add_line((v["x"], v["y"]), (w["x"], w["y"]), dxfattribs=zony)
        else:
            # An ARC runs counter-clockwise: a clockwise side is drawn from its end.
            p, q = (v["x"], v["y"]), (w["x"], w["y"])
            ends = (p, q) if v["bulge"] > 0 else (q, p)
            centre, radius, start, end = make_examples.bulge_arc(*ends, abs(v["bulge"]))
            msp.add_arc(centre, radius, start, end, dxfattribs=zony)
    return len(outline)


def drawing(plan, lines=False):
    """The plan's drawing and its handles: {"manifold", "pipes", "zones"},
    the pipes and zones (each zone's entities) in room order."""
    doc = make_examples.start("R2013")
    m = plan["manifold"]
    make_examples.manifold_block(doc, BLOCK, make_examples.rectangle(0, 0, m["width"], m["depth"]))
    msp = doc.modelspace()
    make_examples.fixed_handle(doc, "%X" % FIRST_HANDLE)
    ref = make_examples.manifold(msp, BLOCK, (m["insert"][0], m["insert"][1], 0), "RZ1")
    ref.dxf.rotation = m["angle"]
    handles = {"manifold": ref.dxf.handle, "pipes": [], "zones": []}
    for room in rooms_of(plan):
        if room["pipe"]:
            pipe = [tuple(p) for p in room["pipe"]]
            rozvody = {"layer": "ROZVODY"}
            if len(pipe) == 2:
                e = msp.add_line(*pipe, dxfattribs=rozvody)
            else:
                e = msp.add_lwpolyline(pipe, dxfattribs=rozvody)
            handles["pipes"].append(e.dxf.handle)
    for room in rooms_of(plan):
        before = len(msp)
        _add_outline(msp, room["outline"], lines)
        handles["zones"].append([e.dxf.handle for e in list(msp)[before:]])
    auditor = doc.audit()
    if auditor.has_errors:
        raise RuntimeError(f"the drawing of {plan['description']} does not audit clean")
    return doc, handles


# Outlets whose distances from the manifold's reference point differ by less
# than this leave the routing's order, and so the zone numbers, to rounding.
CLEAR_ORDER = 1.0


def zone_numbers(plan):
    """The number each room's zone has after the routing: zones are numbered
    in selection order, the pipes ordered by the distance of their manifold
    end from the manifold's reference point (the middle of its second side,
    or of its fourth when the fourth runs at an angle above 3 pi/4 and up to
    7 pi/4), and circuit c's zone takes number c, the zone that had it the
    zone's old number. Raises ValueError when two outlets lie within
    CLEAR_ORDER of the same distance: the numbers would be left to rounding."""
    rooms = rooms_of(plan)
    corners = plan["manifold"]["corners"]
    fourth = math.atan2(corners[0][1] - corners[3][1], corners[0][0] - corners[3][0]) % (2 * math.pi)
    second = fourth <= 3 * math.pi / 4 or fourth > 7 * math.pi / 4
    a, b = (corners[1], corners[2]) if second else (corners[3], corners[0])
    reference = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2)

    def outlet(pipe):
        return min((pipe[0], pipe[-1]), key=lambda p: _to_outline(p, corners))

    distance = {k: math.dist(outlet(room["pipe"]), reference) for k, room in enumerate(rooms) if room["pipe"]}
    fed = sorted(distance, key=distance.get)
    for k, j in zip(fed, fed[1:]):
        if distance[j] - distance[k] < CLEAR_ORDER:
            raise ValueError(f"{plan['description']}: the outlets of {rooms[k]['name']} and {rooms[j]['name']} lie "
                             f"{distance[k]:.3f} and {distance[j]:.3f} from the manifold's reference point: "
                             "their zones' numbers are left to rounding")
    numbers = list(range(1, len(rooms) + 1))
    for circuit, k in enumerate(fed, start=1):
        holder = numbers.index(circuit)
        numbers[holder], numbers[k] = numbers[k], circuit
    return numbers


def numbering_problems(plan, saved, numbers=None):
    """What the saved design numbers otherwise than the script assumes (the
    zone number of each room, zone_numbers unless given): a room whose zone
    has another number, a joined room not in the circuit of the room it was
    joined to."""
    zones, circuits = {}, {}
    for ident, values, e in records(ezdxf.readfile(saved)):
        if ident == OUTLINE:
            zones[values["_PT_ZONA_CISLO"]] = points_of(e, 10.0)
        elif ident == DESCRIPTION:
            circuits[values["_PT_ZONA_CISLO"]] = values.get("_PT_ZONA_C_OKRUHU")
    numbers = [str(n) for n in (numbers or zone_numbers(plan))]
    problems = []
    for room, number in zip(rooms_of(plan), numbers):
        corner = (room["outline"][0]["x"], room["outline"][0]["y"])
        if number not in zones or min(math.dist(corner, p) for p in zones[number]) > 1.0:
            problems.append(f"{room['name']} is not zone {number}")
    join = plan.get("join")
    if join and circuits.get(numbers[join["room"]]) != circuits.get(numbers[join["to"]]):
        problems.append(f"zone {numbers[join['room']]} is not in the circuit of zone {numbers[join['to']]}")
    return problems


def _to_outline(p, corners):
    best = math.inf
    for k in range(4):
        a, b = corners[k], corners[(k + 1) % 4]
        dx, dy = b[0] - a[0], b[1] - a[1]
        t = max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.dist(p, (a[0] + t * dx, a[1] + t * dy)))
    return best


def floor_of(plan, handles):
    """The plan as its design's dialog sees it (see dialog_lines): its
    selections, each room's zone with the number the routing gives it
    (zone_numbers), fed or not (a fed room's circuit has its zone's number),
    its spacing and border; the floor's pitch, circuit shape and display
    type; the join and the heating body by zone number."""
    numbers = zone_numbers(plan)
    join, body = plan.get("join"), plan.get("body")
    return {
        "description": plan["description"],
        "select": [" ".join([handles["manifold"]] + handles["pipes"]),
                   " ".join(h for zone in handles["zones"] for h in zone)],
        "zones": [{"number": number, "fed": bool(room["pipe"]), "spacing": room["spacing"], "border": room["border"]}
                  for room, number in zip(rooms_of(plan), numbers)],
        "pitch": plan["pipe_pitch"], "shape": plan["shape"], "display_type": plan["display_type"],
        "join": join and {"zone": numbers[join["room"]], "to": numbers[join["to"]], "point": join["point"]},
        "body": body and {"zone": numbers[body["room"]], "point": body["point"]},
    }


def steps_rng(seed, key):
    """The random generator of the dialog steps of run `seed`, design `key`
    (a floor's index, an example's name and round)."""
    return random.Random(f"dialog steps {seed}/{key}")


class Dialog(NamedTuple):
    """A design's dialog lines, the zone number of each room after them, and
    what they did ("a zone renumbered", "a join", ...)."""
    lines: list
    numbers: list
    seen: set


class _Numbers:
    """The zones' and circuits' numbers as the dialog steps change them: by
    room, the room's zone number and its circuit (None without one)."""

    def __init__(self, zones):
        self.floor = [z["number"] for z in zones]
        self.zone = list(self.floor)
        self.circuit = [z["number"] if z["fed"] else None for z in zones]

    def room(self, number):
        """The room whose zone the floor numbers so."""
        return self.floor.index(number)

    def fresh(self, rng, taken, top):
        return rng.choice([n for n in range(1, top + 1) if n not in taken])


def dialog_lines(floor, rng=None):
    """The dialog of the floor's design, up to its "dialog end ok": the
    pitch, each zone's circuit shape, display type, spacing and border
    (those the floor gives), the join (600) and the heating body (601).

    With a random generator `rng`, random dialog steps as well: another
    (lower) pitch; a zone's circuit shape or display type changed; zones
    renumbered, and with them their circuits (picked by "dialog pick",
    numbered by "dialog number", to free numbers below and above the
    others), before or after the join; circuits recoloured; the join made by
    its line or by picking the two zones; a spacing or a fixed border for a
    zone the floor gives none. Every step is one the dialog takes. Answers
    the lines, the zone number of each room at the end and what the steps
    did (Dialog)."""
    chance = (lambda p: rng.random() < p) if rng else (lambda p: False)
    zones, numbers, seen = floor["zones"], _Numbers(floor["zones"]), set()
    join, body = floor.get("join"), floor.get("body")
    lines = ["dialog wait"]
    pitch = floor.get("pitch")
    lower = [p for p in (0.08, 0.1, 0.12) if pitch is None or p < pitch]
    if lower and chance(0.3):
        pitch = rng.choice(lower)
        seen.add("a lower pitch")
    if pitch is not None:
        lines.append(f"dialog set PIPE_PITCH {pitch}")
    for zone in zones:
        target = f"zone {zone['number']}"
        shape, display, spacing, border = floor.get("shape"), floor.get("display_type"), zone.get("spacing"), \
            zone.get("border")
        if chance(0.15):
            shape = 1 - (shape if shape is not None else 1)
            seen.add("a circuit shape changed")
        if chance(0.25):
            display = rng.choice([d for d in (0, 1, 2) if d != display])
            seen.add(f"display type {display}")
        if spacing is None and chance(0.3):
            spacing = rng.choice((0.1, 0.15, 0.25))
            seen.add("a spacing set")
        if border is None and chance(0.2):
            border = {"fixed": True, "width": rng.choice((0.05, 0.1, 0.15))}
            seen.add("a border fixed")
        lines += [f"dialog set CIRCUIT_SHAPE {shape} {target}"] if shape is not None else []
        lines += [f"dialog set DISPLAY_TYPE {display} {target}"] if display is not None else []
        if spacing is not None:
            lines.append(f"dialog set CB_PIPE_PITCH {spacing} {target}")
        if border is not None:
            lines.append(f"dialog set BORDER_FIXED {1 if border['fixed'] else 0} {target}")
            if border["fixed"]:
                lines.append(f"dialog set CB_BORDER_R {border['width']} {target}")

    def renumber():
        top = 2 * len(zones) + 6
        for k in range(len(zones)):
            if not chance(0.4):
                continue
            new = numbers.fresh(rng, set(numbers.zone), top)
            lines.extend([f"dialog pick 0 zone {numbers.zone[k]}", f"dialog number zone {new}"])
            numbers.zone[k] = new
            seen.add("a zone renumbered")
            old = numbers.circuit[k]
            if old is not None and chance(0.6):
                circuit = numbers.fresh(rng, set(numbers.circuit), top)
                lines.append(f"dialog number circuit {circuit}")
                numbers.circuit = [circuit if c == old else c for c in numbers.circuit]
                seen.add("a circuit renumbered")

    def recolour():
        circuits = sorted({c for c in numbers.circuit if c is not None})
        if circuits and chance(0.4):
            lines.append("dialog colors " + " ".join(f"{c}={rng.randint(1, 255)}" for c in circuits if chance(0.7)
                                                     or c == circuits[0]))
            seen.add("circuits recoloured")

    early = chance(0.5)
    if early:
        renumber()
        recolour()
    if join:
        bare, fed = numbers.room(join["zone"]), numbers.room(join["to"])
        lines.append("dialog wait")
        if chance(0.5):
            lines += [f"dialog pick 0 option 6 zone {numbers.zone[bare]} zone {numbers.zone[fed]}", "dialog end 600"]
        else:
            lines.append(f"dialog end 600 join {numbers.zone[fed]} {numbers.zone[bare]}")
        lines.append("point %.6f,%.6f" % tuple(join["point"]))
        numbers.circuit[bare] = numbers.circuit[fed]
        seen.add("a join")
    if rng and not early:
        lines.append("dialog wait")
        renumber()
        recolour()
    if body:
        zone = numbers.zone[numbers.room(body["zone"])]
        lines += ["dialog wait", f"dialog set BODY_OUTPUT 450 zone {zone}", f"dialog end 601 body {zone}",
                  "point %.6f,%.6f" % tuple(body["point"])]
        seen.add("a heating body")
    if join and numbers.zone[fed] > numbers.zone[bare]:
        seen.add("a joined zone numbered below the zone it joined")
    lines += ["dialog wait", "dialog end ok"]
    return Dialog(lines, numbers.zone, seen)


def script(floor, saved, rng=None):
    """The cadhost script that designs the floor (floor_of) and saves `saved`,
    with random dialog steps when given a generator; and its Dialog."""
    dialog = dialog_lines(floor, rng)
    lines = [f"# {floor['description']}", "command dozidEzezOvedo",
             *(f"select handles {handles}" for handles in floor["select"]), *dialog.lines, "end", f"save {saved}"]
    return "".join(line + "\n" for line in lines), dialog


def write(plan, folder, name, lines=False, rng=None):
    """The plan's drawing and script in the folder, with random dialog steps
    when given a generator: (drawing, script, saved name, its Dialog)."""
    doc, handles = drawing(plan, lines)
    dxf = os.path.join(folder, name + ".dxf")
    doc.saveas(dxf)
    saved = name + "-design.dxf"
    path = os.path.join(folder, name + ".script")
    text, dialog = script(floor_of(plan, handles), saved, rng)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return dxf, path, saved, dialog


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("tool")
    parser.add_argument("out_dir")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--floors", action="store_true")
    parser.add_argument("--family", default="all")
    parser.add_argument("--index", type=int, default=0)
    parser.add_argument("--count", type=int, default=1)
    parser.add_argument("--lines", action="store_true", help="zone outlines as LINEs and ARCs")
    parser.add_argument("--shape", type=int, choices=(0, 1))
    parser.add_argument("--display-type", type=int, choices=(0, 2))
    parser.add_argument("--steps", type=int, help="random dialog steps of this run's seed (floor_roundtrip.py)")
    args = parser.parse_args(argv)
    for k, plan in enumerate(plans(args.tool, args.seed, args.floors, args.family, args.index, args.count)):
        if args.shape is not None:
            plan["shape"] = args.shape
        if args.display_type is not None:
            plan["display_type"] = args.display_type
        if args.floors:
            name = f"floor-{args.seed}-{args.index + k}"
        else:
            name = f"{plan['family']}-{plan['seed']}-{plan['index']}"
        rng = steps_rng(args.steps, args.index + k) if args.steps is not None and args.floors else None
        dxf, path, _, _ = write(plan, args.out_dir, name, args.lines, rng)
        print(f"{dxf}\n{path}\n  {plan['description']}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
