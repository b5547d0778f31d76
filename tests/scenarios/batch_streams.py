#!/usr/bin/python3
"""render, export and import: the input is checked before anything loads, results
go to standard output, errors to standard error with exit code 1, and no load
message or blank line appears on the way. A refused command writes nothing.

usage: batch_streams.py LINTARO
"""
import os
import subprocess
import sys
import tempfile

HOUSE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples", "house.dxf")


def run(lintaro, env, *args):
    r = subprocess.run([lintaro, *args], env=env, capture_output=True, timeout=300)
    return r.returncode, r.stdout.decode("utf-8", "replace"), r.stderr.decode("utf-8", "replace")


def main(lintaro):
    problems = []
    with tempfile.TemporaryDirectory(prefix="lintaro-batch-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])

        def path(name):
            return os.path.join(home, name)

        with open(path("plan.scr"), "w") as f:
            f.write("LINE\n0,0\n6,0\n\nXOTA_Hdim\n0,0\n4,0\n2,-1\n6,0\n\n")
        code, out, err = run(lintaro, env, "run", path("plan.scr"), "--save", path("plan.dwg"))
        if code != 0:
            sys.exit(f"saving the plan failed ({code}):\n{out}\n{err}")
        with open(path("notes.dwg"), "w") as f:
            f.write("not a drawing\n")
        with open(path("junk.dxf"), "wb") as f:
            f.write(b"\x00\x01\x02binary junk")
        os.makedirs(path("folder.dwg"))

        refusals = [
            (("render", path("missing.dwg"), "-o", path("r1.png")), "does not exist", "r1.png"),
            (("render", path("notes.dwg"), "-o", path("r2.png")), "is not a drawing file", "r2.png"),
            (("render", HOUSE, "-o", path("r3.png")), "is a DXF file", "r3.png"),
            (("render", path("folder.dwg"), "-o", path("r4.png")), "is not a file", "r4.png"),
            (("export", path("missing.dwg"), "-o", path("e1.dxf")), "does not exist", "e1.dxf"),
            (("export", path("notes.dwg"), "-o", path("e2.dxf")), "is not a drawing file", "e2.dxf"),
            (("export", path("junk.dxf"), "-o", path("e3.dxf")), "is not a DXF file", "e3.dxf"),
            (("import", path("missing.dxf"), "-o", path("i1.dwg")), "does not exist", "i1.dwg"),
            (("import", path("plan.dwg"), "-o", path("i2.dwg")), "not a DXF file", "i2.dwg"),
            (("import", path("junk.dxf"), "-o", path("i3.dwg")), "is not a DXF file", "i3.dwg"),
        ]
        for args, reason, output in refusals:
            code, out, err = run(lintaro, env, *args)
            what = " ".join(a.replace(home + "/", "") for a in args[:2])
            if code != 1:
                problems.append(f"{what}: exit {code}, expected 1")
            if out:
                problems.append(f"{what}: printed on standard output: {out!r}")
            if reason not in err or "lintaro.arx" in err:
                problems.append(f"{what}: standard error {err!r} does not say {reason!r} alone")
            if os.path.exists(path(output)):
                problems.append(f"{what}: wrote {output} although it refused")

        good = [
            (("render", path("plan.dwg"), "-o", path("plan.png"), "--width", "320"), 0),
            (("export", path("plan.dwg"), "-o", path("plan.dxf")), 1),
            (("import", HOUSE, "-o", path("house.dwg")), 1),
            (("export", path("house.dwg"), "-o", path("house.dxf")), 1),
        ]
        for args, min_lines in good:
            code, out, err = run(lintaro, env, *args)
            what = " ".join(a.replace(home + "/", "") for a in args[:2])
            lines = out.split("\n")
            if code != 0:
                problems.append(f"{what}: exit {code}: {err}")
            if "successfully loaded" in out + err:
                problems.append(f"{what}: printed the load message")
            if out and (out.startswith("\n") or "\n\n" in out or not out.endswith("\n")):
                problems.append(f"{what}: blank lines on standard output: {out!r}")
            if len([l for l in lines if l]) < min_lines:
                problems.append(f"{what}: standard output {out!r} lacks the result")
            if min_lines == 0 and out:
                problems.append(f"{what}: a picture prints nothing, but got {out!r}")
            if err:
                problems.append(f"{what}: standard error not empty: {err!r}")
            if not os.path.exists(args[3]):
                problems.append(f"{what}: did not write {args[3]}")
    if problems:
        sys.exit("\n".join(problems))
    print("batch_streams: refusals on standard error with exit 1, results alone on standard output")


if __name__ == "__main__":
    main(sys.argv[1])
