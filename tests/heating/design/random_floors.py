#!/usr/bin/python3
"""Random rooms and floors of hv_random_rooms as DXF drawings, each with the
cadhost script that designs it with its own settings.

A plan is one room or one floor of the tool's JSON. drawing(plan) makes the
drawing in the conventions of scripts/make-examples.py (millimetres; the
manifold an INSERT of a block with its item record, so that the product file
finds it; distribution pipes on ROZVODY as LINE or LWPOLYLINE; zone outlines
on ZONY as closed LWPOLYLINEs with bulges, or with lines=True as LINEs and
ARCs) and answers the handles; script(plan, handles, saved) writes the
script: the manifold with its pipes, then the zones, the settings of every
zone and of the manifold by "dialog set" (zone numbers as the routing gives
them, zone_numbers), a bare room joined to its neighbour's circuit
("dialog end 600 join"), a heating body ("dialog end 601 body"), "dialog end
ok" and the save.

Usage: random_floors.py TOOL OUT_DIR [--seed N] [--floors | --family NAME]
                        [--index I] [--count N] [--lines]
                        [--shape 0|1] [--display-type 0|2]
(--shape and --display-type replace the plan's own: 0 meander, 1 double spiral)
writes OUT_DIR/<name>.dxf and <name>.script per plan; run one with
cadhost --host-dir examples/host --out-dir OUT_DIR OUT_DIR/<name>.dxf OUT_DIR/<name>.script
"""
import argparse
import importlib.util
import json
import math
import os
import subprocess
import sys

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


def numbering_problems(plan, saved):
    """What the saved design numbers otherwise than zone_numbers and the
    script assume: a room whose zone has another number, a joined room not in
    the circuit of the room it was joined to."""
    zones, circuits = {}, {}
    for ident, values, e in records(ezdxf.readfile(saved)):
        if ident == OUTLINE:
            zones[values["_PT_ZONA_CISLO"]] = points_of(e, 10.0)
        elif ident == DESCRIPTION:
            circuits[values["_PT_ZONA_CISLO"]] = values.get("_PT_ZONA_C_OKRUHU")
    numbers = [str(n) for n in zone_numbers(plan)]
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


def script(plan, handles, saved):
    """The cadhost script that designs the plan's drawing and saves `saved`."""
    numbers = zone_numbers(plan)
    lines = [f"# {plan['description']}", "command dozidEzezOvedo",
             "select handles " + " ".join([handles["manifold"]] + handles["pipes"]),
             "select handles " + " ".join(h for zone in handles["zones"] for h in zone),
             "dialog wait",
             f"dialog set PIPE_PITCH {plan['pipe_pitch']}"]
    for room, number in zip(rooms_of(plan), numbers):
        target = f"zone {number}"
        lines += [f"dialog set CIRCUIT_SHAPE {plan['shape']} {target}",
                  f"dialog set DISPLAY_TYPE {plan['display_type']} {target}",
                  f"dialog set CB_PIPE_PITCH {room['spacing']} {target}",
                  f"dialog set BORDER_FIXED {1 if room['border']['fixed'] else 0} {target}"]
        if room["border"]["fixed"]:
            lines.append(f"dialog set CB_BORDER_R {room['border']['width']} {target}")
    join, body = plan.get("join"), plan.get("body")
    if join:
        lines += ["dialog wait", f"dialog end 600 join {numbers[join['to']]} {numbers[join['room']]}",
                  "point %.6f,%.6f" % tuple(join["point"])]
    if body:
        lines += ["dialog wait", f"dialog set BODY_OUTPUT 450 zone {numbers[body['room']]}",
                  f"dialog end 601 body {numbers[body['room']]}", "point %.6f,%.6f" % tuple(body["point"])]
    lines += ["dialog wait", "dialog end ok", "end", f"save {saved}"]
    return "".join(line + "\n" for line in lines)


def write(plan, folder, name, lines=False):
    """The plan's drawing and script in the folder: (drawing, script, saved name)."""
    doc, handles = drawing(plan, lines)
    dxf = os.path.join(folder, name + ".dxf")
    doc.saveas(dxf)
    saved = name + "-design.dxf"
    path = os.path.join(folder, name + ".script")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script(plan, handles, saved))
    return dxf, path, saved


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
        dxf, path, _ = write(plan, args.out_dir, name, args.lines)
        print(f"{dxf}\n{path}\n  {plan['description']}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
