"""The leak check at cadhost's exit completes (ASan+UBSan build, leaks
detected): the module's thread-local state, made on a thread that is alive at
exit, is never taken for a range the leak check cannot read. A thread of the
test module places its block where the sanitizer runtime misread it (it made
the tracer die every time); the heating module designs on its worker threads
and the command thread with call logs of several path lengths, which move
where its blocks land, on the minimal drawing and on twelve rooms of
examples/floor-20.dxf laid as meanders. In other builds the same runs pass.

Usage: leak_check_at_exit.py CADHOST TEST_MODULE MODULE EXAMPLES_DIR
"""
import os
import subprocess
import sys

from test_folders import TestFolders

CADHOST, TEST_MODULE, MODULE, EXAMPLES = sys.argv[1:5]
failures = []
folders = TestFolders("leak-check", failures)
HOST = os.path.join(EXAMPLES, "host")
ENV = {**os.environ, "ASAN_OPTIONS": (os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=1").lstrip(":")}


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def run(name, module, drawing, lines, log_length=0):
    """cadhost with a call log whose path is `log_length` characters long
    (none for 0); the exit code must be 0 and no sanitizer may speak."""
    work = folders.new(name)
    script = os.path.join(work, "run.script")
    with open(script, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    options = []
    if log_length:
        folder = work
        while len(os.path.join(folder, "l.jsonl")) < log_length:
            folder = os.path.join(folder, "d" * max(1, min(40, log_length - len(folder) - 10)))
        os.makedirs(folder, exist_ok=True)
        options = ["--log", os.path.join(folder, "l.jsonl")]
    done = subprocess.run([CADHOST, "--module", module, "--host-dir", HOST, "--out-dir", work, "--quiet", *options,
                           os.path.join(EXAMPLES, drawing), script], capture_output=True, text=True, timeout=600,
                          env=ENV)
    spoke = [line for line in done.stderr.splitlines() if "Sanitizer" in line or "Tracer" in line]
    check(done.returncode == 0 and not spoke, f"{name}: exit {done.returncode}: {spoke or done.stderr[-400:]}")
    return work


# The block placed where the runtime misread it: before the mend, every run.
for attempt in range(3):
    run(f"placed block {attempt}", TEST_MODULE, "minimal.dxf", ["command tmDynamicTls"])

# The heating design on worker threads with logs of several path lengths.
MINIMAL = ["command dozidEzezOvedo", "select handles 100 101 103", "select handles 102 104", "dialog wait",
           "dialog end ok", "end", "save out.dxf"]
for length in (0, 24, 63, 96, 131, 170, 233):
    work = run(f"minimal log {length}", MODULE, "minimal.dxf", MINIMAL, length)
    check(os.path.exists(os.path.join(work, "out.dxf")), f"minimal log {length}: nothing saved")

# Twelve rooms of the floor (the ten below the hall, two above), laid as meanders.
pipes = " ".join(f"{h:X}" for h in range(0x601, 0x60D))
rooms = " ".join(f"{h:X}" for h in range(0x615, 0x621))
FLOOR = ["command dozidEzezOvedo", f"select handles 600 {pipes}", f"select handles {rooms}",
         "dialog set CIRCUIT_SHAPE 0", "dialog wait", "dialog end ok", "end", "save floor.dxf"]
for length in (57, 118):
    work = run(f"floor log {length}", MODULE, "floor-20.dxf", FLOOR, length)
    check(os.path.exists(os.path.join(work, "floor.dxf")), f"floor log {length}: nothing saved")

folders.close()
print(f"{len(failures)} failed" if failures else "the leak check completed on every run")
sys.exit(1 if failures else 0)
