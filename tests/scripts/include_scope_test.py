#!/usr/bin/env python3
"""The compiler refuses a forbidden include: each folder compiles in its own include scope.

    include_scope_test.py BUILD_DIR

For a folder, the test takes the compile command the build uses for one of its sources
(compile_commands.json) and compiles, with the same flags, a file that includes one
header: a header of a folder below (or the folder itself) must compile, one of a folder
above or beside must not be found. The include check (check_includes.py) refuses the same
edges by reading the sources; this is its twin at the compiler."""
import json
import os
import shlex
import subprocess
import sys
import tempfile
import unittest

BUILD = None
SOURCE = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))

# Flags that name the build's output or dependency files: the probe writes nothing.
_WITH_VALUE = {"-o", "-c", "-MF", "-MT", "-MQ"}
_ALONE = {"-MD", "-MMD"}


def command_for(folder):
    """The argument list the build compiles a source of `folder` ("module/chain") with,
    without the source and the outputs."""
    with open(os.path.join(BUILD, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    prefix = os.path.join(SOURCE, folder) + os.sep
    for entry in entries:
        if not os.path.abspath(entry["file"]).startswith(prefix):
            continue
        args = entry.get("arguments") or shlex.split(entry["command"])
        kept, skip = [], False
        for arg in args:
            if skip:
                skip = False
            elif arg in _WITH_VALUE:
                skip = True
            elif arg not in _ALONE and os.path.abspath(arg) != os.path.abspath(entry["file"]):
                kept.append(arg)
        return kept, entry["directory"]
    raise AssertionError(f"the build compiles no source of {folder}")


def compile_probe(folder, header):
    """(return code, compiler messages) for a file of `folder` that includes `header`."""
    args, directory = command_for(folder)
    with tempfile.TemporaryDirectory() as probe_dir:
        probe = os.path.join(probe_dir, "probe.cpp")
        with open(probe, "w", encoding="utf-8") as f:
            f.write(f'#include "{header}"\n')
        done = subprocess.run(args + ["-fsyntax-only", "-O0", probe], cwd=directory, capture_output=True, text=True)
        return done.returncode, done.stderr


class IncludeScope(unittest.TestCase):
    def assertSees(self, folder, *headers):
        for header in headers:
            code, err = compile_probe(folder, header)
            self.assertEqual(code, 0, f"{folder} should see {header}:\n{err}")

    def assertRefuses(self, folder, *headers):
        for header in headers:
            self.assertTrue(os.path.isfile(os.path.join(SOURCE, header)), f"{header} is not in the tree")
            code, err = compile_probe(folder, header)
            self.assertNotEqual(code, 0, f"{folder} compiled an include of {header}")
            self.assertIn(f"{header}: No such file", err, err)

    def test_module_folders_see_only_the_folders_below_them(self):
        self.assertSees("module/chain", "module/chain/TRdim.h", "module/services/DocLocks.h",
                        "module/options/CGlobDimOptions.h", "host/ap/AcApDocManager.h")
        self.assertRefuses("module/chain", "module/ui/CDlgMain.h", "module/app/CommandTable.h",
                           "module/height/TRdimHeight.h")
        self.assertSees("module/services", "module/options/CGlobDimOptions.h")
        self.assertRefuses("module/services", "module/chain/TRdim.h", "module/app/Reactors.h")
        self.assertRefuses("module/options", "module/services/DbServices.h", "module/chain/TRdim.h")
        self.assertRefuses("module/base", "module/options/IniStorage.h")
        self.assertSees("module/app", "module/height/TRdimHeight.h")
        self.assertRefuses("module/app", "module/ui/PaletteApp.h")

    def test_host_folders_see_only_the_folders_below_them(self):
        args, _ = command_for("host/db")
        if not any(a.startswith("-I") and "include" in a and a.endswith("host_db") for a in args):
            self.skipTest("the host's folders compile without their include scopes")
        self.assertSees("host/db", "host/db/entities/AcDbEntity.h", "host/gi/AcGiColor.h", "host/rx/acutString.h")
        self.assertRefuses("host/db", "host/ed/acutPrintf.h", "host/io/DrawingFile.h", "module/base/LintaroLog.h")
        self.assertRefuses("host/ge", "host/db/entities/AcDbEntity.h", "host/win/FormatW.h")
        self.assertSees("host/mfc", "host/win/FormatW.h")
        self.assertRefuses("host/mfc", "host/rx/acutString.h")
        self.assertRefuses("host/ed", "host/ap/AcApDocManager.h", "host/io/DrawingFile.h")


if __name__ == "__main__":
    BUILD = os.path.abspath(sys.argv.pop(1))
    unittest.main()
