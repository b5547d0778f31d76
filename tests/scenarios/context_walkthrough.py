#!/usr/bin/python3
"""A chain edited through its context menu from start to end: made, two points added,
one removed, one value made "ca. 3", its text moved with the position dialog, and every
step taken back with U one by one. The exported DXF (read with ezdxf) shows the text
moved by exactly the step; with "TextMoveStep" 1 at 1:50 one arrow press moves a text
by 50 drawing units, along its segment too, and a step shown in the drawing is taken
as it is seen.

usage: context_walkthrough.py LINTARO
"""
import os
import subprocess
import sys
import tempfile

import ezdxf

TOL = 1e-6  # drawing units; far below what a user sees, far above rounding

WALK = """XOTA_Lintaro
ZOOM
W
-5,-10
25,10
XOTA_Hdim
0,0
10,0
5,-5

@rclick 2,-5
@menu 32798
15,0
20,0

@rclick 2,-5
@menu 32797
15,-4.5

@rclick 2,-5
@menu 32802
5,-5

@dialog 1001 = ca. 3
@dialog click 1
DXFOUT
{before}
@rclick 2,-5
@menu 32806
@dialog click 1225
5,-4.6

@dialog 1028 = Verschieben
@dialog 1045 = 0.01
@dialog click 1055
@dialog click 1070
DXFOUT
{after}
LIST
L

U
LIST
L

U
LIST
L

U
LIST
L

U
LIST
L

U
LIST
L

"""

# What LIST shows after the walk and after each U, in this order.
STEPS = [
    ["Anzahl von Hilfslinien: 3", "E2=20.000000", "Text1=ca. 3"],  # all done
    ["Anzahl von Hilfslinien: 3", "Text1=ca. 3"],  # the move taken back
    ["Anzahl von Hilfslinien: 3", "Text1=10.00"],  # the value taken back
    ["Anzahl von Hilfslinien: 4", "E2=15.000000"],  # the removal taken back
    ["Anzahl von Hilfslinien: 2", "E1=10.000000"],  # the added points taken back
    ["0 found"],  # the chain itself
]

# A chain at 1:50 written out, then the position dialog opened on its first value.
POSITION_DIALOG_AT_50 = """XOTA_Lintaro
@palette 1020 = 50
ZOOM
W
-50,-300
300,100
XOTA_Hdim
0,0
10,0
5,-5

DXFOUT
{before}
@rclick 2,-5
@menu 32806
@dialog click 1225
5,-4.9

"""

SCALE_50 = POSITION_DIALOG_AT_50 + """@dialog 1028 = Verschieben
@dialog click 1055
@dialog click 1070
DXFOUT
{after}
"""

# On the page "Verschieben": one step along the segment (50 units at 1:50), then a step
# measured in the drawing (0.5 units, so 0.01 before scaling) to the segment's left.
SEGMENT_ARROWS = POSITION_DIALOG_AT_50 + """@dialog click 1064
@dialog 1028 = Verschieben
@dialog click 1064
@dialog click 1049
0,0
0.5,0
@dialog click 1065
@dialog click 1070
DXFOUT
{after}
"""


def texts(path):
    doc = ezdxf.readfile(path)
    return [(e.dxf.text, e.dxf.insert) for e in doc.modelspace() if e.dxftype() == "TEXT"]


def run(lintaro, home, name, script, ini=None):
    env = dict(os.environ, APPDATA=os.path.join(home, name), TMPDIR=home, LINTARO_TEST="1")
    if ini:
        folder = os.path.join(env["APPDATA"], "tessaron", "lintaro")
        os.makedirs(folder)
        with open(os.path.join(folder, "lintaro.ini"), "w", encoding="utf-8") as f:
            f.write(ini)
    before, after = os.path.join(home, name + "0.dxf"), os.path.join(home, name + "1.dxf")
    path = os.path.join(home, name + ".scr")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script.format(before=before, after=after))
    p = subprocess.run([lintaro, "run", path], env=env, capture_output=True, timeout=120)
    out = p.stdout.decode("utf-8", "replace") + p.stderr.decode("utf-8", "replace")
    if p.returncode != 0:
        sys.exit(f"{name}: exit code {p.returncode}\n{out}")
    return out, texts(before), texts(after)


def moved(name, before, after, dx, dy, out):
    """Exactly one text moved, by (dx, dy); the others stayed."""
    if len(before) != len(after):
        sys.exit(f"{name}: {len(before)} texts before, {len(after)} after")
    shifts = [(b[1], a[1]) for b, a in zip(sorted(before), sorted(after)) if (a[1] - b[1]).magnitude > TOL]
    if len(shifts) != 1:
        sys.exit(f"{name}: {len(shifts)} texts moved, expected 1: {before} -> {after}\n{out}")
    d = shifts[0][1] - shifts[0][0]
    if abs(d.x - dx) > TOL or abs(d.y - dy) > TOL:
        sys.exit(f"{name}: the text moved by ({d.x}, {d.y}), expected ({dx}, {dy}) within {TOL}")


def main(lintaro):
    with tempfile.TemporaryDirectory(prefix="lintaro-walk-") as home:
        out, before, after = run(lintaro, home, "walk", WALK)
        moved("walk", before, after, 0.0, 1.0, out)
        listings = out.split("Command: LIST")[1:]
        if len(listings) != len(STEPS):
            sys.exit(f"walk: {len(listings)} listings, expected {len(STEPS)}\n{out}")
        for i, (listing, expected) in enumerate(zip(listings, STEPS)):
            for e in expected:
                if e not in listing:
                    sys.exit(f"walk: the listing after step {i} lacks {e!r}\n{listing}")

        out, before, after = run(lintaro, home, "scale50", SCALE_50, "[General Info]\nTextMoveStep=1\n")
        moved("scale50", before, after, 0.0, 50.0, out)

        out, before, after = run(lintaro, home, "segment", SEGMENT_ARROWS, "[General Info]\nTextMoveStep=1\n")
        if "is hidden" not in out:
            sys.exit(f"segment: an arrow of the page not shown was clicked\n{out}")
        moved("segment", before, after, 50.0, 0.5, out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
