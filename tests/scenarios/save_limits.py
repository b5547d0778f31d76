#!/usr/bin/python3
"""Saving and drawing where the system sets limits: a write-protected drawing is not
saved over, a save beyond the file-size limit (ulimit -f) reports "File too large"
instead of killing the program, neither leaves a temporary file, and a drawing with
an entity at 1e308 still renders. A script with bare CR line ends runs line by line.

usage: save_limits.py LINTARO
"""
import glob
import os
import resource
import subprocess
import sys
import tempfile


def run(lintaro, env, *args, limit=None):
    def small_files():
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))

    return subprocess.run([lintaro, *args], env=env, capture_output=True, timeout=120,
                          preexec_fn=small_files if limit else None)


def output(r):
    return r.stdout.decode("utf-8", "replace") + r.stderr.decode("utf-8", "replace")


def check(ok, what, r=None):
    if not ok:
        sys.exit(what + ("" if r is None else f" (exit {r.returncode}):\n{output(r)}"))


def main(lintaro):
    with tempfile.TemporaryDirectory(prefix="lintaro-limits-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        script = os.path.join(home, "plan.scr")
        with open(script, "w") as f:
            f.write("LINE\n0,0\n5000,0\n5000,3000\n\nLINE\n0,0\n1e308,0\n\nQUIT\n")
        dwg = os.path.join(home, "plan.dwg")
        r = run(lintaro, env, "run", script, "--save", dwg)
        check(r.returncode == 0 and os.path.isfile(dwg), "saving the drawing failed", r)
        with open(dwg, "rb") as f:
            saved = f.read()

        # The entity at 1e308 is left out of the picture, and the picture says so.
        png = os.path.join(home, "plan.png")
        r = run(lintaro, env, "render", dwg, "-o", png, "--width", "320")
        check(r.returncode == 0 and os.path.isfile(png), "render refused the drawing", r)
        check("1 object(s) lie beyond" in output(r), "render did not name what it left out", r)

        # Write-protected: refused with the reason, the file as it was.
        empty = os.path.join(home, "empty.scr")
        with open(empty, "w") as f:
            f.write("CIRCLE\n0,0\n10\n")
        os.chmod(dwg, 0o444)
        r = run(lintaro, env, "run", empty, "--dwg", dwg, "--save", dwg)
        check(r.returncode == 1 and "read-only" in output(r), "a read-only drawing was saved over", r)
        check(open(dwg, "rb").read() == saved, "the read-only drawing changed")
        os.chmod(dwg, 0o644)

        # Beyond the file-size limit: the save fails with a message, nothing changes.
        r = run(lintaro, env, "run", empty, "--dwg", dwg, "--save", dwg, limit=len(saved) // 2)
        check(r.returncode == 1 and "File too large" in output(r), "the size limit was not reported", r)
        check(open(dwg, "rb").read() == saved, "the drawing changed in a failed save")
        left = glob.glob(os.path.join(home, ".*saving*"))
        check(not left, f"temporary files left behind: {left}")

        # Bare CR line ends: three inputs, not one unknown command.
        cr = os.path.join(home, "cr.scr")
        with open(cr, "wb") as f:
            f.write(b"LINE\r0,0\r10,0\r\rLIST\rALL\r\r")
        r = run(lintaro, env, "run", cr)
        check(r.returncode == 0 and "1 found" in output(r) and "Unknown command" not in output(r),
              "a script with CR line ends did not run line by line", r)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
