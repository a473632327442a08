"""Checks shared by the ezdxf scripts of the entity tests: failures are
collected, not raised, so that one run reports every difference."""
import json
import subprocess

import ezdxf

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


def flat(points):
    """The x and y of each point, in one list."""
    return [c for p in points for c in tuple(p)[:2]]


def finish():
    """Reports the failures; the exit code of the script."""
    print("\n".join(failures[:40]) or "ok")
    return 1 if failures else 0


def close(a, b, tol=1e-9):
    """Equal sequences of numbers within tol, relative above magnitude 1."""
    a, b = list(a), list(b)
    return len(a) == len(b) and all(abs(x - y) <= tol * max(1.0, abs(x), abs(y)) for x, y in zip(a, b))


def audited(path, what):
    """The drawing at path, read by ezdxf; every audit error or fix is a failure."""
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    failures.extend(f"{what}: audit error {e.message}" for e in auditor.errors)
    failures.extend(f"{what}: audit fix {f.message}" for f in auditor.fixes)
    return doc


def tool_lines(args, what):
    """The JSON lines a test tool prints; a failed run is a failure."""
    done = subprocess.run(args, capture_output=True, text=True, timeout=600)
    check(done.returncode == 0, f"{what}: tool failed: {done.stderr.strip()[:3000]}")
    return [json.loads(line) for line in done.stdout.splitlines() if line.startswith("{")]
