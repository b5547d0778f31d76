#!/usr/bin/python3
"""Appended texts ("Zusatz-Maßtext") through the context menu, checked in the exported
DXF (read with ezdxf): entered on two values they stand below them; one placed by hand
on a second chain keeps its place when that chain is joined into the first; removing
one leaves the others, and U brings it back. "Summe der Maße darstellen" switches the
sum of a chain's values off and on again.

usage: context_appended.py LINTARO
"""
import os
import subprocess
import sys
import tempfile

import ezdxf

TOL = 1e-6  # drawing units; far below what a user sees, far above rounding

SCRIPT = """XOTA_Lintaro
ZOOM
W
-5,-15
40,10
XOTA_Hdim
0,0
10,0
5,-5
16,0

@rclick 2,-5
@menu 32813
5,-5
13,-5

@dialog 1143 = OKFF
@dialog click 1
DXFOUT
{two}
XOTA_Hdim
20,0
30,0
25,-8

@rclick 22,-8
@menu 32813
25,-8

@dialog 1143 = BRH
@dialog check 1077 1
@dialog click 1
DXFOUT
{second}
@rclick 2,-5
@menu 32795
22,-8
DXFOUT
{joined}
@rclick 2,-5
@menu 32814
5,-5

DXFOUT
{removed}
U
DXFOUT
{undone}
"""


SUM = """XOTA_Lintaro
ZOOM
W
-5,-10
25,10
XOTA_Hdim
0,0
10,0
5,-5
16,0

DXFOUT
{first}
@rclick 2,-5
@menu 32880
DXFOUT
{switched}
@rclick 2,-5
@menu 32880
DXFOUT
{back}
"""


def run(lintaro, home, name, script, names):
    env = dict(os.environ, APPDATA=os.path.join(home, name), TMPDIR=home, LINTARO_TEST="1")
    files = {k: os.path.join(home, f"{name}_{k}.dxf") for k in names}
    path = os.path.join(home, name + ".scr")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script.format(**files))
    p = subprocess.run([lintaro, "run", path], env=env, capture_output=True, timeout=120)
    out = p.stdout.decode("utf-8", "replace") + p.stderr.decode("utf-8", "replace")
    if p.returncode != 0:
        fail(f"{name}: exit code {p.returncode}", out)
    return out, {k: texts(v) for k, v in files.items()}


def check_sum(lintaro, home):
    out, found = run(lintaro, home, "sum", SUM, ("first", "switched", "back"))
    first = sorted(t for t, _ in found["first"])
    switched = sorted(t for t, _ in found["switched"])
    back = sorted(t for t, _ in found["back"])
    if back != first:
        fail(f"sum switched twice: {back}, expected {first}", out)
    extra = [t for t in first if t not in switched] + [t for t in switched if t not in first]
    if len(extra) != 1 or "16" not in extra[0]:
        fail(f"the sum 16 should come or go alone: {first} -> {switched}", out)


def texts(path):
    doc = ezdxf.readfile(path)
    return [(e.dxf.text, e.dxf.insert) for e in doc.modelspace() if e.dxftype() == "TEXT"]


def named(found, text):
    return [p for t, p in found if t == text]


def fail(message, out):
    sys.exit(f"{message}\n{out}")


def main(lintaro):
    with tempfile.TemporaryDirectory(prefix="lintaro-append-") as home:
        out, found = run(lintaro, home, "append", SCRIPT, ("two", "second", "joined", "removed", "undone"))
        two = found["two"]
        okff = named(two, "OKFF")
        if len(okff) != 2:
            fail(f"after entering: {len(okff)} appended texts, expected 2: {two}", out)
        # Each stands below the value of its segment (10 and 6), at about its x.
        for value in ("10", "6"):
            v = [p for t, p in two if t.startswith(value)]
            if len(v) != 1:
                fail(f"value {value} shown {len(v)} times: {two}", out)
            below = [q for q in okff if abs(q.x - v[0].x) < 2.0 and q.y < v[0].y - TOL]
            if len(below) != 1:
                fail(f"no appended text below the value {value} at {v[0]}: {okff}", out)

        brh = named(found["second"], "BRH")
        if len(brh) != 1:
            fail(f"the second chain's appended text shown {len(brh)} times", out)
        joined = found["joined"]
        if len(named(joined, "OKFF")) != 2 or len(named(joined, "BRH")) != 1:
            fail(f"after joining: {joined}", out)
        moved = named(joined, "BRH")[0] - brh[0]
        if moved.magnitude > TOL:
            fail(f"the text placed by hand moved by {moved} when the chains were joined", out)

        removed = found["removed"]
        if len(named(removed, "OKFF")) != 1 or len(named(removed, "BRH")) != 1:
            fail(f"after removing one: {removed}", out)
        undone = found["undone"]
        if len(named(undone, "OKFF")) != 2:
            fail(f"after U: {undone}", out)

        check_sum(lintaro, home)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
