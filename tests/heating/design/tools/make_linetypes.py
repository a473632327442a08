#!/usr/bin/python3
"""Writes the preview tests' linetype drawing, tests/heating/design/data/linetypes.dxf,
with ezdxf (Debian's python3-ezdxf): an R2013 drawing in millimetres whose
LTYPE table holds, beside the required ones,

  DASHED   a dash of 0.5 and a gap of 0.25
  DOUBLED  dashes of 0.5 and 0.25 in a row, then a gap of 0.25

and one LINE (handle 100) drawn with DASHED. The drawing must audit clean.
Usage: make_linetypes.py [OUTPUT_FILE]
"""
import os
import sys

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))


def linetypes():
    doc = ezdxf.new("R2013", setup=False)
    doc.header["$INSUNITS"] = 4
    doc.header["$MEASUREMENT"] = 1
    doc.linetypes.add("DASHED", pattern=[0.75, 0.5, -0.25], description="Dashed __ __ __")
    doc.linetypes.add("DOUBLED", pattern=[1.0, 0.5, 0.25, -0.25], description="Doubled ____ ____")
    doc.entitydb.handles.reset("100")
    line = doc.modelspace().add_line((0, 0), (1000, 0), dxfattribs={"linetype": "DASHED"})
    assert line.dxf.handle == "100"
    return doc


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "data", "linetypes.dxf")
    linetypes().saveas(out)
    if ezdxf.readfile(out).audit().has_errors:
        raise SystemExit(f"{out} does not audit clean")


if __name__ == "__main__":
    main()
