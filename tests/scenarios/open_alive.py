#!/usr/bin/python3
"""Drawings of chains and height marks open alive in the next run.

A run saves a drawing of chains and height marks; the next run opens it with --dwg
and LIST shows XOTA_LINTARO and XOTA_DIM_HEIGHT (no proxy), MOVE and SCALE move and
re-measure the chain, and a click on its line at "Maßkette wählen oder die Position
der Maßlinie bestimmen" is recognised. A host without the add-on keeps the objects
as proxies and saves the drawing unchanged; a later run opens that file alive with
every value as it was.

usage: open_alive.py LINTARO MARKS_DRAWING BARE_HOST
"""
import os
import re
import subprocess
import sys
import tempfile

PICK_PROMPT = "Ma\u00dfkette w\u00e4hlen oder die Position der Ma\u00dflinie bestimmen"


def run(cmd, env, what):
    r = subprocess.run(cmd, env=env, capture_output=True, timeout=120)
    out = r.stdout.decode("utf-8", "replace")
    err = r.stderr.decode("utf-8", "replace")
    if r.returncode != 0:
        sys.exit(f"{what}: exit {r.returncode}\n{out}\n{err}")
    return out, err


def script(folder, name, text):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return path


def numbers(pattern, text):
    found = re.findall(pattern, text)
    return [tuple(float(v) for v in ((m,) if isinstance(m, str) else m)) for m in found]


def check(cond, message, out):
    if not cond:
        sys.exit(f"{message}\n---- output ----\n{out}")


def listing(out):
    """What LIST says of each object, without the command's own prompts."""
    return out[out.rfind("Command: LIST"):]


def main(lintaro, marks_drawing, bare_host):
    with tempfile.TemporaryDirectory(prefix="lintaro-alive-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        marks = os.path.join(home, "marks.dwg")
        run([marks_drawing, marks], env, "writing the height marks")

        # A chain measuring 0..4..6 with its line at y = -1, added to the marks.
        both = os.path.join(home, "both.dwg")
        chain = script(home, "a.scr", "XOTA_Hdim\n0,0\n4,0\n2,-1\n6,0\n\n")
        out, err = run([lintaro, "run", chain, "--dwg", marks, "--save", both], env, "adding the chain")
        check("proxies" not in out + err, "the height marks opened as proxies", out + err)

        # The next run: LIST, MOVE by (1,0), SCALE by 2 about the origin, then a new
        # chain whose placement click lands on the old chain's line (now at y = -2).
        edit = script(home, "b.scr",
                      "LIST\nALL\n\nMOVE\nALL\n\n0,0\n1,0\nSCALE\nALL\n\n0,0\n2\nLIST\nALL\n\n"
                      "XOTA_Hdim\n20,0\n24,0\n5,-2\n5,-9\n\n")
        out, err = run([lintaro, "run", edit, "--dwg", both], env, "editing the reopened drawing")
        text = out + err
        for bad in ("ACAD_PROXY_ENTITY", "proxies", "could not be transformed", "rror"):
            check(bad not in text, f"unexpected {bad!r} after opening the drawing", text)
        first = text[:text.find("Command: MOVE")]
        for name in ("XOTA_LINTARO", "XOTA_DIM_HEIGHT"):
            check(name in first, f"LIST does not show {name}", text)
        after = listing(text[:text.find("Command: XOTA_Hdim")])
        ext = numbers(r"E\d=(-?[\d.]+), (-?[\d.]+), (-?[\d.]+)", after)
        dims = numbers(r"D\d=(-?[\d.]+), (-?[\d.]+), (-?[\d.]+)", after)
        expected = [(2.0, 0.0), (10.0, 0.0), (14.0, 0.0)]
        check(len(ext) == 3, f"the moved chain lists {len(ext)} extension points, expected 3", after)
        for (x, y, _), (ex, ey) in zip(ext, expected):
            check(abs(x - ex) < 1e-6 and abs(y - ey) < 1e-6, f"extension point {x},{y}, expected {ex},{ey}", after)
        for _, y, _ in dims:
            check(abs(y + 2.0) < 1e-6, f"dimension line at y={y}, expected -2 (moved and scaled)", after)
        dist = numbers(r"Dist=(-?[\d.]+)\)", after)
        check([round(d[0], 9) for d in dist] == [8.0, 4.0], f"segments measure {dist}, expected 8 and 4", after)
        # The section mark keeps its level wherever it is moved.
        check(" 1: 2.500000" in after and " 1: -0.450000" in after, "the height marks lost their values", after)
        pick = text[text.find("Command: XOTA_Hdim"):]
        check(PICK_PROMPT in pick and "Zu versetzende Seite angeben" in pick,
              "a click on the reopened chain's line was not recognised", pick)

        # A host without the add-on passes the drawing through unchanged.
        passed = os.path.join(home, "passed.dwg")
        out, err = run([bare_host, both, passed], env, "the host without the add-on")
        check("kept as proxies" in out and "TRdim" in out and "TRdimHeight" in out,
              "the host without the add-on did not say it keeps proxies", out + err)
        with open(both, "rb") as a, open(passed, "rb") as b:
            check(a.read() == b.read(), "the drawing changed on its way through the host without the add-on", "")

        # Opened alive again, it lists exactly what the original lists.
        look = script(home, "c.scr", "LIST\nALL\n\n")
        original, _ = run([lintaro, "run", look, "--dwg", both], env, "listing the original")
        again, err = run([lintaro, "run", look, "--dwg", passed], env, "listing the passed drawing")
        check("proxies" not in again + err, "the passed drawing opened as proxies", again + err)
        check(listing(again) == listing(original).replace(both, passed),
              "the passed drawing lists differently from the original", again)
        print("open_alive: chains and height marks open alive, move, scale and pick; proxies pass unchanged")


if __name__ == "__main__":
    main(*sys.argv[1:4])
