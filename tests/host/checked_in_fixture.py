"""Keeps a checked-in C++ fixture equal to what an independent reader makes.

    script --write FILE   regenerate FILE
    script --check FILE   fail when FILE differs from a fresh generation
"""

import sys


def run(make_text, doc, differs, agrees):
    """The command line of a fixture script: make_text() builds the file."""
    if len(sys.argv) != 3 or sys.argv[1] not in ("--write", "--check"):
        print(doc)
        return 2
    text = make_text()
    if sys.argv[1] == "--write":
        with open(sys.argv[2], "w", encoding="ascii") as f:
            f.write(text)
        return 0
    with open(sys.argv[2], encoding="ascii") as f:
        if f.read() != text:
            print("%s differs from %s; regenerate it with --write" % (sys.argv[2], differs))
            return 1
    print(agrees)
    return 0
