"""The one way a Python test script makes files: a folder per case in the
temporary folder ($TMPDIR), named hv-test-<script>-<case>-XXXXXXXX. A passing
case's folder is removed; a failing case's folder is kept and its path printed, so
its drawings and logs can be looked at. A case fails when the script's failure
list grows while it is open, or an exception leaves it.

    folders = TestFolders("cadhost", failures)   # on the script's list of failures
    work = folders.new("summary")         # the case lasts until the next new()
    with folders.case("roundtrip") as work: ...     # or a case in a block
    folders.close()                       # before the script's exit code

Folders made by new() stay until close(), as later cases may read them; a
script that dies keeps the folder of the case it died in. The GoogleTest tests
have the same helper in tests/support/TestFolder.h.
"""
import atexit
import contextlib
import re
import shutil
import sys
import tempfile


class TestFolders:
    def __init__(self, script, failures=None):
        self._script = script
        self._failures = failures if failures is not None else []
        self._open = None  # (case, folder, failures when it began)
        self._passed = []
        atexit.register(self.close)

    def new(self, case):
        """A fresh folder for the next case; ends the case before it."""
        self._end()
        name = re.sub(r"[^\w.-]", "_", f"{self._script}-{case}")
        folder = tempfile.mkdtemp(prefix=f"hv-test-{name}-")
        self._open = (case, folder, len(self._failures))
        return folder

    @contextlib.contextmanager
    def case(self, case):
        """A case in a block: its folder goes at the end of the block when it passed."""
        folder = self.new(case)
        try:
            yield folder
        except BaseException:
            self._open = None
            _kept(case, folder)
            raise
        self._end()
        self._remove_passed()

    def close(self):
        """Ends the open case and removes the folders of the cases that passed."""
        died = hasattr(sys, "last_value")
        if self._open is not None and died:
            _kept(*self._open[:2])
            self._open = None
        self._end()
        self._remove_passed()

    def _end(self):
        if self._open is None:
            return
        case, folder, began = self._open
        self._open = None
        if len(self._failures) > began:
            _kept(case, folder)
        else:
            self._passed.append(folder)

    def _remove_passed(self):
        for folder in self._passed:
            shutil.rmtree(folder, ignore_errors=True)
        self._passed.clear()


def _kept(case, folder):
    print(f"FAIL: case {case} failed; its folder is kept: {folder}", flush=True)
