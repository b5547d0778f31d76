#!/usr/bin/env python3
"""The include check refuses each kind of forbidden edge and passes a tree that keeps the layering.

Each case builds a small tree in a temporary folder and runs scripts/check_includes.py on it."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check_includes.py")

# A tree that keeps every rule: each file includes only what its folder may see.
GOOD = {
    "host/ge/AcGePoint3d.h": "#pragma once\n",
    "host/win/WinTypes.h": "#pragma once\n",
    "host/rx/AcRx.h": '#pragma once\n#include "host/win/WinTypes.h"\n',
    "host/db/entities/AcDbLine.h": '#pragma once\n#include "host/ge/AcGePoint3d.h"\n#include "host/rx/AcRx.h"\n',
    "host/ed/input/AcEdJig.h": '#pragma once\n#include "host/db/entities/AcDbLine.h"\n',
    "host/ap/AcApDocument.h": '#pragma once\n#include "host/ed/input/AcEdJig.h"\n',
    "module/base/Log.h": '#pragma once\n#include "host/win/WinTypes.h"\n',
    "module/options/Options.h": '#pragma once\n#include "module/base/Log.h"\n',
    "module/chain/Chain.h": '#pragma once\n#include "module/options/Options.h"\n#include "host/db/entities/AcDbLine.h"\n',
    "module/chain/Chain.cpp": '#include "module/chain/Chain.h"\n#include <vector>\n'
                             'void f() { host::FormatW(L"%d", 1); }  // host::fileExists in a comment is fine\n',
    "module/height/Height.h": '#pragma once\n#include "module/chain/Chain.h"\n',
    "module/app/App.cpp": '#include "module/height/Height.h"\n#include "host/ap/AcApDocument.h"\n',
    "module/ui/Palette.cpp": '#include "module/app/App.cpp"\n',
    "shell/main.cpp": '#include "module/app/App.cpp"\n#include "host/ap/AcApDocument.h"\n',
    "shell/Session.h": "#pragma once\n",
    "shell/serve/Server.h": '#pragma once\n#include "host/ap/AcApDocument.h"\n',
    "shell/serve/Server.cpp": '#include "shell/serve/Server.h"\n',
}


def write_tree(root, extra):
    for path, text in {**GOOD, **extra}.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as f:
            f.write(text)


def run_checker(extra):
    with tempfile.TemporaryDirectory() as root:
        write_tree(root, extra)
        done = subprocess.run([sys.executable, CHECKER, "--root", root], capture_output=True, text=True)
        return done.returncode, done.stdout


class CheckIncludes(unittest.TestCase):
    def assertRefused(self, extra, *expected):
        code, out = run_checker(extra)
        self.assertEqual(code, 1, out)
        for text in expected:
            self.assertIn(text, out)
        return out

    def test_the_web_server_reaches_the_add_on_only_through_the_host(self):
        self.assertRefused({"shell/serve/Bad.cpp": '#include "module/chain/Chain.h"\n'},
                           "shell/serve/Bad.cpp:1", "reaches the add-on only through the host")
        self.assertRefused({"shell/serve/Bad.cpp": '#include "shell/Session.h"\n'},
                           "shell/serve may include only the host")
        self.assertRefused({"shell/other/X.cpp": '#include "host/ap/AcApDocument.h"\n'},
                           "shell/other has no place in the layering yet")

    def test_a_tree_that_keeps_the_layering_passes(self):
        code, out = run_checker({})
        self.assertEqual(code, 0, out)
        self.assertIn("includes follow the layering", out)

    def test_host_folders_include_only_downwards(self):
        self.assertRefused({"host/db/entities/AcDbArc.h": '#pragma once\n\n#include "host/ed/input/AcEdJig.h"\n'},
                           "host/db/entities/AcDbArc.h:3: includes host/ed/input/AcEdJig.h", "host/db may include only")
        # Folders of one level do not see each other either, nor does the host see the module.
        self.assertRefused({"host/mfc/CDialog.h": '#include "host/rx/AcRx.h"\n'}, "host/mfc/CDialog.h:1")
        self.assertRefused({"host/ed/Cmd.cpp": '#include "module/chain/Chain.h"\n'},
                           "the host never includes the module")

    def test_module_folders_include_only_downwards(self):
        out = self.assertRefused({
            "module/chain/Jig.cpp": '#include "module/ui/Palette.cpp"\n',
            "module/options/Load.cpp": '#include "module/app/App.cpp"\n',
            "module/base/Strings.cpp": '#include "module/options/Options.h"\n',
        }, "module/chain/Jig.cpp:1: includes module/ui/Palette.cpp",
            "module/options/Load.cpp:1: includes module/app/App.cpp",
            "module/base/Strings.cpp:1: includes module/options/Options.h")
        self.assertIn("3 forbidden", out)
        # The chain does not see the height mark that builds on it.
        self.assertRefused({"module/chain/Mark.cpp": '#include "module/height/Height.h"\n'}, "module/chain/Mark.cpp")
        # The drawing's services sit below the chain and above the options: a chain may use
        # them, they may use the options, but they know no chain and no command of app/.
        code, out = run_checker({"module/services/Locks.h": '#pragma once\n#include "module/options/Options.h"\n',
                                 "module/chain/Create.cpp": '#include "module/services/Locks.h"\n'})
        self.assertEqual(code, 0, out)
        self.assertRefused({"module/services/Regen.cpp": '#include "module/chain/Chain.h"\n',
                            "module/services/Cmd.cpp": '#include "module/app/App.cpp"\n'},
                           "module/services/Regen.cpp:1: includes module/chain/Chain.h",
                           "module/services/Cmd.cpp:1: includes module/app/App.cpp")
        self.assertRefused({"module/options/Scale.cpp": '#include "module/services/Locks.h"\n',
                            "module/services/Locks.h": '#pragma once\n'},
                           "module/options/Scale.cpp:1: includes module/services/Locks.h")
        self.assertRefused({"module/misc/X.cpp": '#include "module/base/Log.h"\n'}, "module/misc has no place")

    def test_the_module_calls_no_helper_of_the_stand_in(self):
        out = self.assertRefused({"module/options/Files.cpp": "bool f() { return host::fileExists(L\"a\"); }\n"
                                  "void g() { host::mfc::setPaletteWindow(nullptr); }\n"},
                                 "module/options/Files.cpp:1: calls host::fileExists",
                                 "module/options/Files.cpp:2: calls host::mfc::setPaletteWindow")
        self.assertIn("2 forbidden", out)

    def test_an_include_that_names_no_header_is_refused(self):
        self.assertRefused({"module/chain/Typo.cpp": '#include "module/chain/Chian.h"\n'},
                           "module/chain/Typo.cpp:1: includes module/chain/Chian.h: no such header")

    def test_the_scope_the_build_gives_a_folder_follows_the_same_rules(self):
        def scope(folder):
            done = subprocess.run([sys.executable, CHECKER, "--scope", folder], capture_output=True, text=True)
            return done.returncode, done.stdout.strip().split(";") if done.stdout.strip() else []

        code, chain = scope("module/chain")
        self.assertEqual(code, 0)
        self.assertEqual(chain[0], "module/chain")
        self.assertEqual(set(chain), {"module/chain", "module/services", "module/options", "module/base",
                                      "module/resources"})
        code, db = scope("host/db")
        self.assertEqual(set(db), {"host/db", "host/gi", "host/rx", "host/ge", "host/win"})
        self.assertEqual(scope("host/ge"), (0, ["host/ge"]))
        self.assertEqual(scope("host"), (0, ["host"]))
        # A folder without a place gets no scope: the build stops and says so.
        code, none = scope("module/misc")
        self.assertEqual((code, none), (1, []))


if __name__ == "__main__":
    unittest.main()
