"""Checks shared by the ezdxf scripts of the entity tests: failures are
collected, not raised, so that one run reports every difference."""
import ezdxf

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


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
