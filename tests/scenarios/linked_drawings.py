#!/usr/bin/python3
"""A plan mark following a section mark of another drawing, across runs.

marks_drawing --linked writes a section drawing (a group whose member stands at +1.25)
and a plan drawing whose plan mark follows that member. A run with both drawings open
refreshes the links ("HK-Links zwischen DWG's aktualisieren") and the plan mark shows
+1.25; the member moved up by 0.25 in the section drawing (switched to with OPEN) gives
+1.50 at the next refresh in the plan; both are saved. A new run opening both shows
+1.50 again. With the section drawing renamed away the refresh marks the row "#" and
keeps the link, and the HK checker lists it; renamed back, the next refresh shows
+1.50 without the mark.

usage: linked_drawings.py LINTARO MARKS_DRAWING
"""
import os
import subprocess
import sys
import tempfile


def run(cmd, env, what):
    r = subprocess.run(cmd, env=env, capture_output=True, timeout=180)
    out = r.stdout.decode("utf-8", "replace")
    err = r.stderr.decode("utf-8", "replace")
    if r.returncode != 0:
        sys.exit(f"{what}: exit {r.returncode}\n{out}\n{err}")
    return out


def script(folder, name, lines):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    return path


def check(cond, message, out):
    if not cond:
        sys.exit(f"{message}\n---- output ----\n{out}")


def plan_text(out):
    """The first row of the plan mark as the last LIST shows it."""
    tail = out[out.rfind("Command: LIST"):]
    for line in tail.splitlines():
        line = line.strip()
        if line.startswith("Text1="):
            return line[len("Text1="):]
    return None


REFRESH = ["XOTA_Lintaro", "@palette menu 32897"]
LIST_LAST = ["LIST", "L", ""]


def main(lintaro, marks_drawing):
    with tempfile.TemporaryDirectory(prefix="lintaro-links-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        section = os.path.join(home, "schnitt.dwg")
        plan = os.path.join(home, "grundriss.dwg")
        run([marks_drawing, "--linked", section, plan], env, "writing the linked drawings")

        # Both open in one run; the plan follows the section as it is now.
        s1 = script(home, "first.scr", ["OPEN", section, "OPEN", plan] + REFRESH + LIST_LAST + [
            "OPEN", section, "MOVE", "C 1.9,1.2 2.1,1.3", "", "0,0", "0,0.25", "QSAVE",
            "OPEN", plan, "@palette menu 32897"] + LIST_LAST + ["QSAVE"])
        out = run([lintaro, "run", s1, "--dwg", plan], env, "first run")
        first = out[:out.find("Command: MOVE")]
        check(plan_text(first) == "+1.25", "the plan mark does not show the section's +1.25", out)
        check(plan_text(out) == "+1.50", "the plan mark does not follow the moved member", out)

        # A new run: the link survived saving both.
        s2 = script(home, "second.scr", ["OPEN", section, "OPEN", plan] + REFRESH + LIST_LAST)
        out = run([lintaro, "run", s2, "--dwg", plan], env, "second run")
        check(plan_text(out) == "+1.50", "the link did not survive reopening both drawings", out)

        # The section drawing gone: the row is marked, the link kept and saved.
        moved = os.path.join(home, "schnitt-alt.dwg")
        os.rename(section, moved)
        s3 = script(home, "third.scr", REFRESH + LIST_LAST + ["QSAVE"])
        out = run([lintaro, "run", s3, "--dwg", plan], env, "run without the section drawing")
        check(plan_text(out) == "+1.50#", "a broken link is not marked with a single '#'", out)
        # The HK checker names the broken link, with the drawing it looks for.
        checker = script(home, "checker.scr", ["XOTA_Lintaro", "@palette menu 32853", "@dialog click 1"])
        out = run([lintaro, "run", checker, "--dwg", plan], env, "the checker without the section drawing")
        check("Zeile 1: Verknüpfung '" in out and "schnitt.dwg" in out and
              "Unterbrochene HK-Verknüpfungen: 1" in out, "the checker does not list the broken link", out)

        os.rename(moved, section)
        out = run([lintaro, "run", s3, "--dwg", plan], env, "run with the section drawing back")
        check(plan_text(out) == "+1.50", "the link was lost while its drawing was away", out)
    print("linked drawings: followed, saved, reopened, broken and restored")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
