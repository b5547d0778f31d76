#!/usr/bin/python3
"""Height marks go to people without the add-on as their drawn geometry.

A group of section marks (its base and two members) and a plan mark that follows one
member are converted with "HK zerlegen" (ExplodeHDim) on the whole drawing. The base
and the followed member go away during the run, one object after the other, yet no
mark's geometry shows the missing-base "!!!" and the plan mark keeps its value without
the broken-link "#": while the conversion runs, marks neither follow their sources nor
mark a missing base. With ExplodeHDim off the marks stay as they are.

usage: convert_height_marks.py LINTARO
"""
import os
import re
import sys
import tempfile

from demo_reopen import run, set_option

MARKS = """XOTA_Lintaro
@palette check 1017 1
XOTA_HdimFront
0,0
@dialog 1212 = 0
@dialog click 1
5,1.25
8,1.25
5,3
8,3

XOTA_HdimPlan
20,0
@dialog click 1215
8,1.25
@dialog click 1
"""


def check(cond, message, out):
    if not cond:
        sys.exit(f"FAILED: {message}\n---- output ----\n{out}")


def main(lintaro):
    with tempfile.TemporaryDirectory(prefix="lintaro-explode-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        ini = os.path.join(env["APPDATA"], "tessaron", "lintaro", "lintaro.ini")
        marks_scr = os.path.join(home, "marks.scr")
        with open(marks_scr, "w", encoding="utf-8") as f:
            f.write(MARKS)
        dwg = os.path.join(home, "marks.dwg")
        run([lintaro, "run", marks_scr, "--save", dwg], env, home, "making the marks")
        convert = os.path.join(home, "convert.scr")
        with open(convert, "w", encoding="utf-8") as f:
            f.write("XOTA_Lintaro2Acad\n@yes\nLIST\nALL\n\n")

        # Off: the selection holds chains only, the marks stay.
        set_option(ini, "Convert", "AllDwg", "1")
        set_option(ini, "Convert", "ExplodeHDim", "0")
        out = run([lintaro, "run", convert, "--dwg", dwg], env, home, "converting without HK zerlegen")
        check("Gültige Lintaro-Objekte" not in out, "nothing to convert without HK zerlegen", out)
        check(out.count("XOTA_DIM_HEIGHT") == 4, "the four marks stay", out)

        set_option(ini, "Convert", "ExplodeHDim", "1")
        out = run([lintaro, "run", convert, "--dwg", dwg], env, home, "converting with HK zerlegen")
        check("Gültige Lintaro-Objekte: 4" in out, "base, two members and the plan mark converted", out)
        listing = out[out.rfind("Command: LIST"):]
        check("XOTA_DIM_HEIGHT" not in listing, "no height mark left", listing)
        texts = re.findall(r"text\s+(\S.*)", listing)
        check("+1.25" in texts and "+3.00" in texts, f"the members' values drawn as texts: {texts}", listing)
        check(texts.count("+1.25") >= 2, f"the plan mark's value drawn too: {texts}", listing)
        check("!!!" not in listing, "no missing-base marker in the geometry", listing)
        check(not any(t.endswith("#") for t in texts), f"no broken-link marker: {texts}", listing)
    print("convert_height_marks: the marks became their geometry without markers")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
