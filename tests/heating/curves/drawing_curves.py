#!/usr/bin/python3
"""drawing_curves.py TOOL: heating curves from the lists of an ezdxf drawing.

ezdxf draws one entity of every kind the heating readers sort; TOOL loads the
drawing into the stand-in host and prints, per model-space entity, the
classification of the list the host hands out and the curve made of it. The
classification must follow the type, only LINE, LWPOLYLINE and ARC may give
curves, and each curve keeps the end points ezdxf reads (an ARC drawn under
extrusion (0, 0, -1) too).
"""
import json
import os
import subprocess
import sys

import ezdxf
from ezdxf.math import Vec3
from test_folders import TestFolders

STATUS = {"LINE": 0, "LWPOLYLINE": 0, "ARC": 0, "TEXT": 2, "MTEXT": 2, "HATCH": 2, "DIMENSION": 2,
          "POLYLINE": 3, "ELLIPSE": 3}


def make_drawing(path):
    doc = ezdxf.new("R2010", setup=True)
    msp = doc.modelspace()
    doc.blocks.new("MARK").add_line((0, 0), (1, 0))
    msp.add_line((1e7 + 1.25, 1e7 - 2.5), (1e7 + 30.0, 1e7 + 40.0))
    msp.add_line((-3.5, 0.125), (2.0, -7.75))
    msp.add_arc((10, 5), 3, 30, 120, dxfattribs={"extrusion": (0, 0, -1)})
    msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (10, 0), (10, 10), (0, 10)], format="xyseb", close=True)
    msp.add_circle((0, 0), 5)
    msp.add_ellipse((0, 0), major_axis=(5, 0), ratio=0.5)
    msp.add_polyline2d([(0, 0), (1, 1), (2, 0)])
    msp.add_text("T")
    msp.add_mtext("M")
    msp.add_hatch().paths.add_polyline_path([(0, 0), (1, 0), (1, 1)])
    msp.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(10, 0)).render()
    msp.add_blockref("MARK", (3, 4))
    doc.saveas(path)
    doc = ezdxf.readfile(path)
    if doc.audit().has_errors:
        raise SystemExit("ezdxf audit reports errors")
    return {e.dxf.handle.upper(): e for e in doc.modelspace()}


def close(a, b):
    return all(abs(x - y) <= 1e-9 * max(1.0, abs(y)) for x, y in zip(a, b))


def faults_of(entity, row):
    kind, curve = entity.dxftype(), row["curve"]
    status = STATUS.get(kind, 1)
    faults = []
    if (row["status"], row["statusInsert"]) != (status, 0 if kind == "INSERT" else status):
        faults.append("status %d, %d" % (row["status"], row["statusInsert"]))
    if row["name"] != (kind if status in (0, 2) else None):
        faults.append("name %s" % row["name"])
    if status != 0 and curve is not None:
        faults.append("a curve")
    # The drawn end points: ezdxf carries an ARC's object coordinates to the
    # world; a closed LWPOLYLINE starts and ends at its first vertex.
    ends = {"LINE": (0, 7, entity.dxf.start, entity.dxf.end) if kind == "LINE" else None,
            "ARC": (3, 11, entity.start_point, entity.end_point) if kind == "ARC" else None,
            "LWPOLYLINE": (1, 8, *[entity.ocs().to_wcs(Vec3(entity.get_points("xy")[0]))] * 2)
            if kind == "LWPOLYLINE" else None}.get(kind)
    if ends and (curve is None or (curve["kind"], curve["tag"]) != ends[:2] or
                 not close(curve["start"], ends[2].vec2) or not close(curve["end"], ends[3].vec2)):
        faults.append("curve %s, ezdxf %s" % (curve, ends))
    return ["%s %s: %s" % (kind, row["handle"], f) for f in faults]


def main():
    faults = []
    with TestFolders("drawing-curves", faults).case("curves") as folder:
        path = os.path.join(folder, "curves.dxf")
        entities = make_drawing(path)
        out = subprocess.run([sys.argv[1], path], check=True, capture_output=True, text=True).stdout
        rows = {row["handle"]: row for row in map(json.loads, out.splitlines())}
        faults += ["%s not handed out" % h for h in entities if h not in rows]
        faults += ["%s not drawn" % h for h in rows if h not in entities]
        for handle, row in rows.items():
            if handle in entities:
                faults += faults_of(entities[handle], row)
    print("\n".join(faults + ["%d entities, %d faults" % (len(rows), len(faults))]))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
