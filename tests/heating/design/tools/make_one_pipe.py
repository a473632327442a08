#!/usr/bin/python3
"""Writes the routing tests' one-pipe drawing, tests/heating/design/data/one-pipe.dxf,
with ezdxf (Debian's python3-ezdxf), in millimetres:

  100  the manifold RZ_TEST (outline (0,0)-(600,100)) inserted at (1000, 1000)
  101  one distribution pipe, LINE (1300, 1100) -> (1300, 2000)
  102  one zone, closed LWPOLYLINE (0, 2000) - (4000, 5000)
  200  a manifold block the design cannot use: item "TOT0000-0001" with only
       four outline points (it needs six), at (10000, 0)
  201  another: item "TOT0000-0023" with three outline points, at (12000, 0)

The manifold's block, layers and item data are those of the example
drawings (scripts/make-examples.py). The drawing must audit clean.
Usage: make_one_pipe.py [OUTPUT_FILE]
"""
import importlib.util
import os
import sys

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..", "..", "..")


def examples_module():
    spec = importlib.util.spec_from_file_location("make_examples", os.path.join(ROOT, "scripts", "make-examples.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def one_pipe(ex):
    doc = ex.start("R2013")
    ex.manifold_block(doc, "RZ_TEST", [(0, 0), (600, 0), (600, 100), (0, 100)])
    msp = doc.modelspace()
    ex.fixed_handle(doc, "100")
    ex.manifold(msp, "RZ_TEST", (1000, 1000, 0), "RZ1")                                       # 100
    msp.add_line((1300, 1100), (1300, 2000), dxfattribs={"layer": "ROZVODY"})                # 101
    msp.add_lwpolyline([(0, 2000), (4000, 2000), (4000, 5000), (0, 5000)], close=True,      # 102
                       dxfattribs={"layer": "ZONY"})
    ex.manifold_block(doc, "RZ_OKR1", [(0, 0), (800, 0), (800, 100), (0, 100)])
    ex.manifold_block(doc, "RZ_TRI", [(0, 0), (600, 0), (300, 100)])
    ex.fixed_handle(doc, "200")
    for block, insert, item in (("RZ_OKR1", (10000, 0, 0), "TOT0000-0001"),                 # 200
                                ("RZ_TRI", (12000, 0, 0), "TOT0000-0023")):                 # 201
        ref = ex.manifold(msp, block, insert, "RZX")
        ref.set_xdata("QEV_DATA", [(1000, "E@2x1"), (1000, item), (1000, "RZX"),
                                   (1000, "_QEVITEM_ID"), (1000, item), (1000, "_LABEL"), (1000, "RZX")])
    return doc


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "data", "one-pipe.dxf")
    one_pipe(examples_module()).saveas(out)
    if ezdxf.readfile(out).audit().has_errors:
        raise SystemExit(f"{out} does not audit clean")


if __name__ == "__main__":
    main()
