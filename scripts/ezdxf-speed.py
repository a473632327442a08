#!/usr/bin/python3
"""Times python3-ezdxf loading and saving a DXF file, in MB/s, for comparison
with bench/dxf_bench (which writes its 100,000-entity drawing to the temporary
folder as hv_dxf_bench_100k.dxf).
Usage: scripts/ezdxf-speed.py FILE.dxf
"""
import os
import sys
import tempfile
import time

import ezdxf


def main():
    path = sys.argv[1]
    size_mb = os.path.getsize(path) / 1e6
    began = time.perf_counter()
    doc = ezdxf.readfile(path)
    loaded = time.perf_counter()
    with tempfile.TemporaryDirectory() as work:
        doc.saveas(os.path.join(work, "saved.dxf"))
    saved = time.perf_counter()
    print(f"{size_mb:.1f} MB: load {loaded - began:.2f} s ({size_mb / (loaded - began):.1f} MB/s), "
          f"save {saved - loaded:.2f} s ({size_mb / (saved - loaded):.1f} MB/s)")


if __name__ == "__main__":
    main()
