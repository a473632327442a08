"""Manifold records of turned, scaled, raised, mirrored and far-out block references:
the connection points are the piece starts of ezdxf's exploded block (1e-9
relative), the offset the first negated, the elevation group 10's z; a block
without curves gives no point and offset (0, 0).

Usage: manifold_records.py TOOL
"""
import json
import os
import subprocess
import sys

import ezdxf
from test_folders import TestFolders

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "host", "entities"))
from dxf_checks import check, close, failures  # noqa: E402
from design_dxf_check import manifold_points  # noqa: E402

PLACEMENTS = [  # insertion point, rotation (degrees), scale, extrusion
    ((1000, 2000, 0), 30, 2, (0, 0, 1)),
    ((5000, -300, 250), 30, 2, (0, 0, 1)),
    ((700, 400, 0), 30, 2, (0, 0, -1)),
    ((1e7, 1e7, 0), 30, 2, (0, 0, 1)),
    ((-2500, 80, 0), 0, 1, (0, 0, 1)),
]


def build(path):
    doc = ezdxf.new("R2013", setup=True)
    block = doc.blocks.new("RZ_TURNED", base_point=(50, 20, 0))
    block.add_line((50, 20), (150, 20))
    block.add_lwpolyline([(150, 20, 0), (150, 80, 0.4), (50, 80, 0)], format="xyb", close=True)
    block.add_text("RZ", dxfattribs={"height": 10, "insert": (60, 40)})
    block.add_arc((100, 50), 30, 30, 150)
    doc.blocks.new("RZ_TEXT", base_point=(5, 5, 0)).add_text("RZ", dxfattribs={"height": 10})
    msp = doc.modelspace()
    for insert, rotation, scale, extrusion in PLACEMENTS:
        msp.add_blockref("RZ_TURNED", insert, dxfattribs={
            "rotation": rotation, "xscale": scale, "yscale": scale, "zscale": scale, "extrusion": extrusion})
    msp.add_blockref("RZ_TEXT", (300, 300, 12))
    doc.saveas(path)
    return doc


def main():
    tool = sys.argv[1]
    with TestFolders("manifold-records", failures).case("inserts") as folder:
        path = os.path.join(folder, "manifolds.dxf")
        doc = build(path)
        run = subprocess.run([tool, path], capture_output=True, text=True, timeout=300)
        check(run.returncode == 0, f"the tool failed: {run.stderr.strip()}")
        records = {r["handle"]: r for r in map(json.loads, run.stdout.splitlines())}
        inserts = doc.modelspace().query("INSERT")
        check(len(records) == len(inserts), f"{len(records)} records of {len(inserts)} block references")
        for insert in inserts:
            what = f"INSERT {insert.dxf.handle} of {insert.dxf.name}"
            record = records.get(insert.dxf.handle)
            if not check(record is not None, f"{what}: no record"):
                continue
            expected = [(p.x, p.y) for p in manifold_points(insert)]
            check(record["valid"], f"{what}: not valid")
            check(close(sum(record["points"], []), sum(map(list, expected), [])),
                  f"{what}: connection points {record['points']}, not {expected}")
            first = expected[0] if expected else (0.0, 0.0)
            check(close(record["offset"], (-first[0], -first[1])), f"{what}: offset {record['offset']}")
            check(close([record["elevation"]], [insert.dxf.insert.z]), f"{what}: elevation {record['elevation']}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
