#!/usr/bin/python3
"""Dimensions inside an external reference are never converted into chains.

A drawing with two dimensions on one line is saved; a second drawing has two
dimensions of its own, a block of its own with two more, and the first drawing
attached twice as an external reference (-XREF and XATTACH, moved, scaled and
turned). Converting the whole drawing, blocks included, makes chains of the
drawing's own dimensions and of its block, and leaves the reference's dimensions as
they are; so does a selection of everything. The reference keeps its path through
the drawing file and through DXF, where it is a BLOCK with flag 4 and its path.
Bad attachments (a missing file, the drawing itself, a name taken by another block)
are refused and change nothing. LIST names a reference's file, and opening the drawing
reads the reference again.

usage: xref_dimensions.py LINTARO
"""
import os
import re
import subprocess
import sys
import tempfile

from demo_reopen import run, set_option

POINT_TOL = 1e-6


def script(home, name, text):
    path = os.path.join(home, name)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return path


def converted(out):
    counts = re.findall(r"Gültige Lintaro-Objekte: (\d+)", out)
    if len(counts) != 1:
        sys.exit(f"expected one conversion report, got {counts}:\n{out}")
    return int(counts[0])


def check_dxf(path, other):
    import ezdxf
    doc = ezdxf.readfile(path)
    block = doc.blocks.get("OTHER")
    if block is None:
        sys.exit(f"the export has no block OTHER: {[b.name for b in doc.blocks]}")
    flags = block.block.dxf.flags
    if not flags & 4 or flags & 8:
        sys.exit(f"block OTHER has flags {flags}, expected an attached external reference (4, not 8)")
    if os.path.abspath(block.block.dxf.xref_path) != os.path.abspath(other):
        sys.exit(f"block OTHER refers to {block.block.dxf.xref_path!r}, expected {other!r}")
    dims = block.query("DIMENSION")
    measured = sorted(round(d.get_measurement(), 6) for d in dims)
    if measured != [3.0, 4.0]:
        sys.exit(f"the reference holds dimensions measuring {measured}, expected its own 3 and 4")
    inserts = [e for e in doc.modelspace().query("INSERT") if e.dxf.name.upper() == "OTHER"]
    if len(inserts) != 2:
        sys.exit(f"{len(inserts)} references to OTHER in model space, expected 2")
    turned = [e for e in inserts if abs(e.dxf.rotation - 90.0) < POINT_TOL]
    if len(turned) != 1 or abs(turned[0].dxf.xscale - 2.0) > POINT_TOL or abs(turned[0].dxf.yscale - 2.0) > POINT_TOL:
        sys.exit("the XATTACH reference lost its scale 2 or its rotation of 90 degrees")
    if doc.modelspace().query("DIMENSION"):
        sys.exit("the drawing's own dimensions are still there after the conversion")


def main(lintaro):
    root = os.getcwd()
    with tempfile.TemporaryDirectory(prefix="lintaro-xref-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        other = os.path.join(home, "other.dwg")
        run([lintaro, "run", script(home, "other.scr",
                                    "DIMLINEAR\n0,0\n3,0\n1,1\nDIMLINEAR\n3,0\n7,0\n5,1\n"),
             "--save", other], env, root, "the other drawing")
        ini = os.path.join(env["APPDATA"], "tessaron", "lintaro", "lintaro.ini")
        set_option(ini, "Convert", "AllDwg", "1")
        set_option(ini, "Convert", "ReadBlocks", "1")

        host = os.path.join(home, "host.dwg")
        attach = (
            "DIMLINEAR\n0,20\n5,20\n2,22\nDIMLINEAR\n5,20\n9,20\n7,22\n"
            # a block of the drawing's own, with two dimensions on one line
            "DIMLINEAR\n0,40\n2,40\n1,42\nDIMLINEAR\n2,40\n6,40\n4,42\n"
            "BLOCK\nEIGEN\n0,40\nC -1,39 7,43\n\nINSERT\nEIGEN\n0,40\n"
            f"-XREF\nA\n{other}\n100,0\n\n\n\n"
            f"XATTACH\n\"{other}\"\n200,0\n2\n\n90\n"
            # refused: missing, a name of this drawing's block, the drawing itself
            f"-XREF\n\n{os.path.join(home, 'none.dwg')}\n"
            "LINE\n0,60\n1,60\n\nBLOCK\nTAKEN\n0,60\nC -1,59 2,61\n\n"
            "LIST\nALL\n\n"
        )
        out = run([lintaro, "run", script(home, "attach.scr", attach), "--save", host], env, root,
                  "attaching")
        for expected in ("Attach Xref \"other\"", "none.dwg\" not found - nothing attached.",
                         f"External reference: {other}"):
            if expected not in out:
                sys.exit(f"attaching: {expected!r} is missing:\n{out}")
        if out.count("Attach Xref \"other\"") != 2:
            sys.exit(f"the drawing was not attached twice:\n{out}")

        taken = os.path.join(home, "TAKEN.dwg")
        os.rename(other, taken)
        refused = run([lintaro, "run", script(home, "refused.scr",
                                              f"XATTACH\n{taken}\n0,0\n\n\n\nXATTACH\n{host}\n0,0\n\n\n\n"),
                       "--dwg", host], env, root, "refused attachments")
        os.rename(taken, other)
        for expected in ("Block \"TAKEN\" exists and is no reference", "A drawing cannot refer to itself"):
            if expected not in refused:
                sys.exit(f"refused attachments: {expected!r} is missing:\n{refused}")

        # The whole drawing, blocks included: the drawing's chain and the block's chain.
        whole = run([lintaro, "run", script(home, "whole.scr", "XOTA_Acad2Lintaro\n@yes\nLIST\nALL\n\n"),
                     "--dwg", host, "--save", host], env, root, "converting the whole drawing")
        if f"Xref \"other\" loaded: {other}" not in whole:
            sys.exit(f"opening the drawing did not read its reference again:\n{whole}")
        if converted(whole) != 2:
            sys.exit(f"the whole drawing gave {converted(whole)} chains, expected 2 (its own and its block's):\n{whole}")

        dxf = os.path.join(home, "host.dxf")
        run([lintaro, "export", host, "-o", dxf], env, root, "exporting")
        check_dxf(dxf, other)

        # The drawing read back from DXF still holds a reference, never converted.
        back = os.path.join(home, "back.dwg")
        run([lintaro, "import", dxf, "-o", back], env, root, "importing the export")
        set_option(ini, "Convert", "AllDwg", "0")
        again = run([lintaro, "run", script(home, "select.scr", "XOTA_Acad2Lintaro\nC -50,-50 400,100\n\n"),
                     "--dwg", back], env, root, "converting a selection of the imported drawing")
        if converted(again) != 0:
            sys.exit(f"a selection of everything converted {converted(again)} chains from the reference:\n{again}")
        print("xref_dimensions: the reference's dimensions stayed as they were")


if __name__ == "__main__":
    main(sys.argv[1])
