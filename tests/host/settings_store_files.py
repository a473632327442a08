#!/usr/bin/python3
"""Profile files of the settings stores, checked against Python's INI reader.

  settings_store_files.py TOOL

TOOL is the settings-store driver (tools/SettingsStoreTool.cpp). The stores
write values; configparser and the decoders below must read the same values
from the file, and the stores must read them back. Then files written here,
one of them in code page 1250, must read through the stores as written.
"""
import configparser
import os
import re
import subprocess
import sys

from test_folders import TestFolders

SECTION = "FH_PAGE_CALC"
CZECH = "P\u0159\u00edvodn\u00ed-podlahov\u00e9 vyt\u00e1p\u011bn\u00ed"


def hx(text):
    return text.encode("utf-8").hex()


def encode(kind, value):
    if kind == "str":
        return hx(value)
    if kind == "int":
        return str(value)
    if kind == "dbl":
        return float(value).hex()
    if kind == "bin":
        return value.hex()
    return ",".join(hx(v) for v in value) if value else "-"


def decode(kind, text):
    if kind == "str":
        return bytes.fromhex(text).decode("utf-8")
    if kind == "int":
        return int(text)
    if kind == "dbl":
        return float.fromhex(text)
    if kind == "bin":
        return b"" if text == "-" else bytes.fromhex(text)
    return [] if text == "-" else [bytes.fromhex(t).decode("utf-8") for t in text.split(",")]


def answer(kind, line):
    return decode(kind, line[3:]) if line.startswith("ok ") else line


class Tool:
    def __init__(self, path):
        self.path = path
        self.lines = []

    def open(self, family, file, text_mode=True, section=SECTION):
        self.lines.append("open\t%s\t%s\t%s\t%d" % (family, hx(file), hx(section), 1 if text_mode else 0))

    def put(self, kind, key, value):
        self.lines.append("put\t%s\t%s\t%s" % (kind, hx(key), encode(kind, value)))

    def get(self, kind, key):
        self.lines.append("get\t%s\t%s" % (kind, hx(key)))

    def run(self):
        out = subprocess.run([self.path], input="\n".join(self.lines) + "\n", capture_output=True,
                             text=True, timeout=60, check=True).stdout.splitlines()
        self.lines = []
        return out


# The forms of the two store families, decoded and encoded independently.
def hex_block(text):
    count = text[:8]
    assert count == count.upper() and len(text) == 8 + 2 * int(count, 16), text[:16]
    return bytes.fromhex(text[8:])


def make_hex_block(data, lower=False):
    digits = data.hex()
    return "%08X" % len(data) + (digits if lower else digits.upper())


def checked_block(text):
    length = int(text[3] + text[2] + text[1] + text[0], 16)
    assert length == len(text), text[:16]
    return bytes(int(text[i + 1] + text[i], 16) for i in range(4, len(text), 2))


def make_checked_block(data):
    length = "%04X" % (2 * len(data) + 4)
    return length[::-1] + "".join(("%02X" % b)[::-1] for b in data)


def unescape(text):
    def one(match):
        digits = match.group(1)
        return "\\" if digits == "\\" else chr(int(digits[2:] or "0", 16) << 8 | int(digits[:2], 16))
    return re.sub(r"\\(\\|[0-9A-Fa-f]{1,4})", one, text)


def escape(text):
    return "".join("\\\\" if c == "\\" else "\\%02X%02X" % (ord(c) & 255, ord(c) >> 8)
                   if c.isspace() or ord(c) < 32 else c for c in text)


def read_ini(path):
    parser = configparser.RawConfigParser(delimiters=("=",), strict=False, interpolation=None)
    with open(path, encoding="utf-8") as f:
        parser.read_file(f)
    return parser[SECTION]


def utf16_strings(data):
    if not data:
        return []
    text = data.decode("utf-16-le")
    return text[:-1].split("\0") if text.endswith("\0") else text.split("\0")


FAILURES = []


def check(what, got, expected):
    if got != expected:
        FAILURES.append("%s: got %.200r, expected %.200r" % (what, got, expected))


STRINGS = {"PLAIN": "plain", "CZECH": CZECH, "MARKER": "$EMPTY$", "INVALID": "#INVALID#",
           "LONG": "".join(chr(0x61 + i % 26) for i in range(5000)), "PUNCT": "a=b;c#d:e", "EMPTY": ""}
INTS = {"N4000": 4000, "N600000": 600000, "N80001234": 80001234, "MINUS": -1, "MAX": 2147483647}
DOUBLES = {"TENTH": 0.1, "THIRD": 2.0 / 3.0, "TINY": 1e-300, "CAPACITY": 4176.0, "RZ": 1.11}


def written_values_read_back(tool, folder, family, values, too_big, file_value):
    """The store writes values (and refuses a block too big); it and the INI reader read them back."""
    path = os.path.join(folder, "written_by_%s.dat" % family)
    tool.open(family, path)
    for kind, key, value in values:
        tool.put(kind, key, value)
    tool.put("bin", too_big, bytes(40 * 1024))
    for kind, key, _ in values:
        tool.get(kind, key)
    out = tool.run()
    puts, gets = out[1:len(values) + 2], out[len(values) + 2:]
    check("%s writes" % family, puts, ["ok"] * len(values) + ["fail"])
    ini = read_ini(path)
    for (kind, key, value), line in zip(values, gets):
        check("%s read back %s" % (family, key), answer(kind, line), value)
        check("%s file %s" % (family, key), file_value(kind, key, ini), value)
    check("%s refused block" % family, too_big in ini, False)
    return ini


def exact_int(text):
    return int(text) if str(int(text)) == text else text


def scalars(strings):
    return [("str", k, v) for k, v in strings.items()] + [("int", k, v) for k, v in INTS.items()] + \
           [("dbl", k, v) for k, v in DOUBLES.items()]


def stores_write_ini_reads(tool, folder):
    def plain(kind, key, ini):
        if kind == "strs":
            return utf16_strings(hex_block(ini[key + "_UNICODE"]))
        return {"str": str, "int": exact_int, "dbl": float, "bin": hex_block}[kind](ini[key])
    block = bytes((i * 7) & 255 for i in range(32767))
    written_values_read_back(tool, folder, "prf", scalars(STRINGS) + [
        ("bin", "SMALL", b"\x00\xff\x12"), ("bin", "BLOCK", block), ("strs", "HIST", ["a", "", CZECH]),
        ("strs", "CLEARED", [])], "TOOBIG", plain)

    def escaped(kind, key, ini):
        text = ini[key]
        if kind == "strs":
            plain_text = unescape(text)
            return plain_text[1:].split(plain_text[0])
        return {"str": unescape, "int": exact_int, "dbl": float, "bin": checked_block}[kind](text)
    strings = dict(STRINGS, BLANKS="  a b\tc\\d  ", QUOTED='"q"')
    del strings["EMPTY"]
    ini = written_values_read_back(tool, folder, "prf2", scalars(strings) + [
        ("bin", "TWO", b"\x12\xab"), ("bin", "BLOCK", bytes(range(256)) * 127), ("strs", "LIST", ["a;b", "c", ""])],
        "FORTY_KB", escaped)
    check("escaped blank", ini["TWO"], "800021BA")


def stores_read_files_of_others(tool, folder):
    path = os.path.join(folder, "written_in_cp1250.dat")
    data = bytes(range(1, 200))
    lines = ["; written by another program in code page 1250", "[%s]" % SECTION,
             "CB_PIPE_MAT=M\u011b\u010f \u017elut\u00e1", "N1=4000", "N2=600000", "N3=80001234",
             "COMMA=0,5", "ESCAPED=" + escape("a b\tc\\d \u0159"), "CHECKED=" + make_checked_block(data),
             "HEXBLOCK=" + make_hex_block(data, lower=True),
             "WIDE_UNICODE=" + make_hex_block("x\0\u0161\0".encode("utf-16-le")),
             "LIST=,a;b,\u010d", "CB_LOOP_LAYER_CB_ACT=T-podlahov\u00e9", "MARKER=#INVALID#", ""]
    with open(path, "wb") as f:
        f.write("\r\n".join(lines).encode("cp1250"))
    tool.open("prf", path)
    for kind, key in [("str", "CB_PIPE_MAT"), ("int", "N1"), ("int", "N2"), ("int", "N3"), ("bin", "HEXBLOCK"),
                      ("strs", "WIDE"), ("dbl", "COMMA")]:
        tool.get(kind, key)
    tool.open("prf2", path)
    for kind, key in [("str", "CB_PIPE_MAT"), ("int", "N1"), ("int", "N2"), ("int", "N3"), ("dbl", "COMMA"),
                      ("str", "ESCAPED"), ("bin", "CHECKED"), ("strs", "LIST"), ("str", "MARKER")]:
        tool.get(kind, key)
    tool.open("prf2", path, text_mode=False)
    for key in ("N1", "N2", "N3"):
        tool.get("int", key)
    tool.open("def", path)
    tool.get("str", "CB_LOOP_LAYER_CB_ACT")
    out = [line for line in tool.run() if line != "ok"]
    expected = ["M\u011b\u010f \u017elut\u00e1", 4000, 600000, 80001234, data, ["x", "\u0161"], "fail",
                "M\u011b\u010f \u017elut\u00e1", 4000, 600000, 80001234, 0.5, "a b\tc\\d \u0159", data,
                ["a;b", "\u010d"], "#INVALID#", 4000, 600000, 80001234, "T-podlahov\u00e9"]
    kinds = ["str", "int", "int", "int", "bin", "strs", "dbl", "str", "int", "int", "int", "dbl", "str", "bin",
             "strs", "str", "int", "int", "int", "str"]
    check("answers", len(out), len(expected))
    for i, (kind, line, value) in enumerate(zip(kinds, out, expected)):
        check("read %d" % i, answer(kind, line), value)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    tool = Tool(sys.argv[1])
    with TestFolders("stores", FAILURES).case("files") as folder:
        stores_write_ini_reads(tool, folder)
        stores_read_files_of_others(tool, folder)
    for failure in FAILURES:
        print(failure)
    if FAILURES:
        return 1
    print("settings store files agree with configparser")
    return 0


if __name__ == "__main__":
    sys.exit(main())
