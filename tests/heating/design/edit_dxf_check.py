"""An edited heating design against the drawing it was edited from, with ezdxf.

Usage: edit_dxf_check.py BEFORE.dxf AFTER.dxf [--left N,...] [--angled N,...]
                         [--crossing-tol T] [--linked-tol T]

As a module: compare_edit(before, after, left=(), angled=(), crossing_tol=50,
linked_tol=1e-3) answers the list of failures.

An edit that changes nothing redraws the design:
- AFTER passes the drawn-design checker as an edited design; the entities
  of the circuits left as drawn (`left`, their numbers, with their zones)
  that the manifold listed stay listed, after the output's own;
- the heating records pair by identifier and number: integers, flags, texts
  and points are equal, other numbers within one unit of their last written
  decimal, the manifold's totals too (the circuits left as drawn count as
  drawn); pipes and outlines keep their vertices within 1e-6 u, the pipes of
  a circuit through more than one zone within `linked_tol`;
- the manifold's item keys are the same keys with the same values;
- the texts (descriptions, circuit labels, heating bodies and their numbers,
  the manifold label) and the manifold keep their handles, places, heights
  and rotations (a circuit label and a heating body's texts within 0.01 u:
  they sit by the connection points and at the body's points, which the
  records keep to two decimals); pipes, outlines, hatches and dimensions are
  new (as many as before), the old ones gone;
- every other entity of BEFORE, those of the circuits left as drawn
  included, is in AFTER as it was (kind, attributes, vertices, extended data);
- an `angled` circuit (its pipe meets its wall at an angle, and its ends move
  along it): its records and their integers, flags and texts are the same,
  and its supply and return cross its first zone's outline within
  `crossing_tol` of where BEFORE's did; nothing else of it is compared.
"""
import argparse
import os
import re
import sys

import ezdxf
from ezdxf.math import Vec2

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from design_dxf_check import check_design, heating_record, item_pairs  # noqa: E402

CIRCUIT_RECORDS = ("TP80000-0001", "TP90000-0001", "TPV1001-0002")
ZONE_RECORDS = ("TPV1000-0001", "TPV2000-0001", "TPV1001-0001", "TPV1001-0003")
TEXT_RECORDS = ("TPV1000-0001", "TPV1000-0002", "TPV1001-0001", "TPV1001-0002", "TPV1001-0003")
DECIMAL = re.compile(r"-?\d+\.(\d+)")
# Warning 9004 of the edit, naming the circuits it leaves as drawn ("1, 4").
LEFT_AS_DRAWN = "Okruhy {} se nepodařilo z výkresu načíst. Úprava je vynechá a ve výkresu zůstanou beze změny."


def records_of(doc):
    """(identifier, number) -> [(entity, pairs)] of the heating records."""
    found = {}
    for entity in doc.modelspace():
        record = heating_record(entity)
        if record is None:
            continue
        identifier, pairs, _ = record
        values = dict(pairs)
        number = values.get("_PT_CISLO_OKRUHU" if identifier in CIRCUIT_RECORDS else "_PT_ZONA_CISLO", "")
        found.setdefault((identifier, number), []).append((entity, pairs))
    return found


def same_number(a, b):
    """Equal texts; decimals within one unit of the last written decimal."""
    if a == b:
        return True
    ma, mb = DECIMAL.fullmatch(a), DECIMAL.fullmatch(b)
    if not ma or not mb:
        return False
    unit = 10.0 ** -max(len(ma.group(1)), len(mb.group(1)))
    return abs(float(a) - float(b)) <= unit * 1.000001


def same_value(a, b, integers_only):
    if a.startswith("[") and b.startswith("["):
        xs, ys = a.strip("[]").split("|"), b.strip("[]").split("|")
        return len(xs) == len(ys) and all(integers_only or same_number(x, y) for x, y in zip(xs, ys))
    if integers_only and DECIMAL.fullmatch(a) and DECIMAL.fullmatch(b):
        return True
    return same_number(a, b)


def points(entity):
    return [Vec2(p[:2]) for p in entity.get_points("xy")]


def crossings(polyline, outline):
    """The points where the polyline crosses the closed outline."""
    found = []
    ring = points(outline) + points(outline)[:1]
    line = points(polyline)
    for p, q in zip(line, line[1:]):
        for a, b in zip(ring, ring[1:]):
            d, e = q - p, b - a
            den = d.x * e.y - d.y * e.x
            if abs(den) < 1e-12:
                continue
            t = ((a.x - p.x) * e.y - (a.y - p.y) * e.x) / den
            u = ((a.x - p.x) * d.y - (a.y - p.y) * d.x) / den
            if -1e-9 <= t <= 1 + 1e-9 and -1e-9 <= u <= 1 + 1e-9:
                found.append(p + d * t)
    return found


def state(entity):
    """What an entity left untouched must keep."""
    attributes = {k: v for k, v in entity.dxf.all_existing_dxf_attribs().items() if k != "owner"}
    xdata = {app: [(t.code, t.value) for t in entity.get_xdata(app)] for app in sorted(entity.xdata.data)} \
        if entity.xdata else {}
    shape = points(entity) if entity.dxftype() == "LWPOLYLINE" else None
    return attributes, xdata, shape


def cut_in_two(msp, pipe, at, cut):
    """Cuts the drawn pipe at the point `cut` of its straight piece `at` into
    two polylines that both carry its extended data, as a hand edit would: the
    edit cannot read such a circuit and leaves it as drawn. False, nothing
    cut, when the piece is an arc."""
    points = [tuple(p) for p in pipe.get_points("xyb")]
    if points[at][2] != 0:
        return False
    rest = msp.add_lwpolyline([(*cut[:2], 0.0)] + points[at + 1:], format="xyb", dxfattribs={"layer": pipe.dxf.layer})
    for app in pipe.xdata.data:
        rest.set_xdata(app, [(t.code, t.value) for t in pipe.get_xdata(app)])
    pipe.set_points(points[:at + 1] + [(*cut[:2], 0.0)], format="xyb")
    return True


def compare_edit(before_path, after_path, left=(), angled=(), crossing_tol=50.0, linked_tol=1e-3):
    failures = []
    fail = failures.append
    left, angled = {str(n) for n in left}, {str(n) for n in angled}
    before, after = ezdxf.readfile(before_path), ezdxf.readfile(after_path)
    old, new = records_of(before), records_of(after)
    zone_circuit = {n: dict(p).get("_PT_ZONA_C_OKRUHU") for (i, n), rs in old.items() if i == "TPV1000-0001"
                    for _, p in rs}
    zones_per_circuit = {}
    for circuit in zone_circuit.values():
        zones_per_circuit[circuit] = zones_per_circuit.get(circuit, 0) + 1

    def circuit_of(identifier, number):
        return number if identifier in CIRCUIT_RECORDS else zone_circuit.get(number)

    left_handles = {e.dxf.handle for (i, n), rs in old.items() if circuit_of(i, n) in left for e, _ in rs}
    problems, design = check_design(after_path, fresh=False, left=left_handles)
    failures.extend(problems)
    old_design = check_design(before_path, fresh=False)[1]
    old_listed = {e.dxf.handle for e in old_design.listed}
    unlisted = sorted(left_handles & old_listed - {e.dxf.handle for e in design.kept})
    if unlisted:
        fail(f"the manifold no longer lists {unlisted}, which the edit left as drawn")
    after_by_handle = {e.dxf.handle: e for e in after.modelspace()}

    for key, olds in old.items():
        identifier, number = key
        circuit = circuit_of(identifier, number)
        if circuit in left or identifier == "E@2x1":
            continue
        news = new.get(key, [])
        if len(news) != len(olds):
            fail(f"{identifier} {number}: {len(olds)} records before, {len(news)} after")
            continue
        tol = linked_tol if zones_per_circuit.get(circuit, 0) > 1 else 1e-6
        for (a, pa), (b, pb) in zip(olds, news):
            where = f"{identifier} {number} ({a.dxf.handle} -> {b.dxf.handle})"
            if [k for k, _ in pa] != [k for k, _ in pb]:
                fail(f"{where}: keys differ")
                continue
            for (k, va), (_, vb) in zip(pa, pb):
                if not same_value(va, vb, circuit in angled):
                    fail(f"{where}: {k} {va!r} -> {vb!r}")
            if identifier in TEXT_RECORDS:
                if a.dxf.handle != b.dxf.handle:
                    fail(f"{where}: a text is not written again under its handle")
                # A circuit label sits by its circuit's connection points, a
                # heating body's texts at its two points, which the records
                # keep to two decimals.
                place_tol = 0.01 if identifier in ("TPV1001-0001", "TPV1001-0002", "TPV1001-0003") else 1e-6
                for attribute in ("insert", "rotation", "char_height"):
                    x, y = a.dxf.get(attribute, 0.0), b.dxf.get(attribute, 0.0)
                    moved = (Vec2(x) - Vec2(y)).magnitude if attribute == "insert" else abs(x - y)
                    if moved > (place_tol if attribute == "insert" else 1e-6) and circuit not in angled:
                        fail(f"{where}: {attribute} {x} -> {y}")
                continue
            if a.dxf.handle in after_by_handle or b.dxf.handle in old_listed:
                fail(f"{where}: a pipe or outline is not new")
            if circuit in angled:
                continue
            pa_, pb_ = points(a), points(b)
            if len(pa_) != len(pb_) or any((p - q).magnitude > tol for p, q in zip(pa_, pb_)):
                fail(f"{where}: the vertices moved (tolerance {tol})")

    # The angled circuits: their pipes cross the first zone's outline near where they did.
    for circuit in angled:
        first = min((n for n, c in zone_circuit.items() if c == circuit), key=int, default=None)
        for identifier in ("TP80000-0001", "TP90000-0001"):
            was = [(e, o) for e, _ in old.get((identifier, circuit), []) for o, _ in old.get(("TPV2000-0001", first), [])]
            now = [(e, o) for e, _ in new.get((identifier, circuit), []) for o, _ in new.get(("TPV2000-0001", first), [])]
            if not was or not now:
                fail(f"circuit {circuit}: no {identifier} or outline of zone {first}")
                continue
            xs, ys = crossings(*was[0]), crossings(*now[0])
            if len(xs) != len(ys) or any(min((x - y).magnitude for y in ys) > crossing_tol for x in xs):
                fail(f"circuit {circuit}: {identifier} crosses zone {first} at {ys}, before at {xs}")

    # The manifold stays itself with its keys; the design's old hatches and dimensions are gone.
    if design.manifold is not None and old_design.manifold is not None:
        if design.manifold.dxf.handle != old_design.manifold.dxf.handle:
            fail("the manifold has another handle")
        was, now = item_pairs(old_design.manifold), item_pairs(design.manifold)
        if [k for k, _ in was] != [k for k, _ in now]:
            fail("the manifold's keys differ")
        failures.extend(f"manifold: {k} {va!r} -> {vb!r}" for (k, va), (_, vb) in zip(was, now)
                        if not same_value(va, vb, False))
    for kind in ("HATCH", "DIMENSION"):
        was = [e for e in old_design.listed if e.dxftype() == kind and e.dxf.handle not in left_handles]
        now = [e for e in design.listed if e.dxftype() == kind]
        if len(was) != len(now) or any(e.dxf.handle in after_by_handle for e in was):
            fail(f"{len(was)} {kind} before, {len(now)} new after")

    # Everything else, and what was left as drawn, is as it was.
    manifold = old_design.manifold.dxf.handle if old_design.manifold is not None else None
    for entity in before.modelspace():
        h = entity.dxf.handle
        if h == manifold or (h in old_listed and h not in left_handles):
            continue
        other = after_by_handle.get(h)
        if other is None or state(other) != state(entity):
            fail(f"{entity.dxftype()} {h} changed or went")
    return failures


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("before")
    parser.add_argument("after")
    numbers = lambda text: [n for n in text.split(",") if n]  # noqa: E731
    parser.add_argument("--left", type=numbers, default=[])
    parser.add_argument("--angled", type=numbers, default=[])
    parser.add_argument("--crossing-tol", type=float, default=50.0)
    parser.add_argument("--linked-tol", type=float, default=1e-3)
    args = parser.parse_args(argv)
    failures = compare_edit(args.before, args.after, args.left, args.angled, args.crossing_tol, args.linked_tol)
    print("\n".join(failures[:60]) or "ok: the edit redrew the design")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
