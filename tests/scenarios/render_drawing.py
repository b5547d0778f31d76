#!/usr/bin/python3
"""lintaro render: a drawing saved by a script is drawn to PNG, SVG and PDF; bad
arguments are refused with exit code 2, a missing drawing with 1, and nothing is
written then.

usage: render_drawing.py LINTARO
"""
import os
import struct
import subprocess
import sys
import tempfile


def run(lintaro, env, *args):
    return subprocess.run([lintaro, *args], env=env, capture_output=True, timeout=120)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path} is not a PNG")
    return struct.unpack(">II", head[16:24])


def main(lintaro):
    with tempfile.TemporaryDirectory(prefix="lintaro-render-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        script = os.path.join(home, "plan.scr")
        with open(script, "w") as f:
            f.write("LINE\n0,0\n5000,0\n5000,3000\n\nCIRCLE\n2500,1500\n800\nQUIT\n")
        dwg = os.path.join(home, "plan.dwg")
        r = run(lintaro, env, "run", script, "--save", dwg)
        if r.returncode != 0 or not os.path.isfile(dwg):
            sys.exit(f"saving the drawing failed ({r.returncode}): {r.stderr.decode()}")

        png = os.path.join(home, "plan.png")
        r = run(lintaro, env, "render", dwg, "-o", png, "--width", "640")
        if r.returncode != 0:
            sys.exit(f"render to PNG failed: {r.stderr.decode()}")
        width, height = png_size(png)
        if width != 640 or height < 1:
            sys.exit(f"the PNG is {width}x{height}, expected 640 wide")
        for ext, magic in ((".svg", b"<?xml"), (".pdf", b"%PDF")):
            out = os.path.join(home, "plan" + ext)
            r = run(lintaro, env, "render", dwg, "-o", out, "--window", "0,0,6000,4000")
            if r.returncode != 0:
                sys.exit(f"render to {ext} failed: {r.stderr.decode()}")
            with open(out, "rb") as f:
                if not f.read(16).startswith(magic):
                    sys.exit(f"{out} does not start with {magic!r}")

        refused = os.path.join(home, "refused.png")
        for args, code in (((dwg, "-o", refused, "--window", "1,2,3"), 2),
                           ((dwg, "-o", refused, "--window", "0,0,0,10"), 2),
                           ((dwg, "-o", refused, "--width", "0"), 2),
                           ((os.path.join(home, "missing.dwg"), "-o", refused), 1),
                           ((dwg, "-o", os.path.join(home, "plan.bmp")), 1)):
            r = run(lintaro, env, "render", *args)
            if r.returncode != code:
                sys.exit(f"render {' '.join(args)} exited {r.returncode}, expected {code}")
            if not r.stderr.strip():
                sys.exit(f"render {' '.join(args)} said nothing about why it refused")
        if os.path.exists(refused):
            sys.exit("a refused render wrote a picture")

        # PLOT draws the open drawing the same way; a wrong file type is asked again.
        plot = os.path.join(home, "plot.png")
        plot_script = os.path.join(home, "plot.scr")
        with open(plot_script, "w") as f:
            f.write(f"PLOT\nplot.txt\n{plot}\nQUIT\n")
        r = run(lintaro, env, "run", plot_script, "--dwg", dwg)
        out = r.stdout.decode("utf-8", "replace")
        if r.returncode != 0 or "A plot file ends in .pdf or .png." not in out or not os.path.isfile(plot):
            sys.exit(f"PLOT did not write {plot}:\n{out}")
        png_size(plot)
        print("render: PNG, SVG and PDF written; bad arguments refused; PLOT wrote its file")


if __name__ == "__main__":
    main(sys.argv[1])
