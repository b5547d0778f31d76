#!/usr/bin/python3
"""Runs the README's five-minute tutorial exactly as it is printed.

The README marks the tutorial's script files with "<!-- tutorial file NAME -->" and the
shell lines a reader types with "<!-- tutorial run -->", each followed by a fenced block.
Every shell line runs through bash in a fresh folder and settings folder, with the
lintaro under test first on the path; then the results the README promises are checked.

usage: readme_tutorial.py LINTARO README
"""
import os
import re
import subprocess
import sys
import tempfile

MARK = re.compile(r"^<!-- tutorial (file (\S+)|run) -->\s*$")


def tutorial_steps(readme):
    """[(kind, name, text)] in the README's order: ("file", name, text) or ("run", "", lines)."""
    lines = open(readme, encoding="utf-8").read().split("\n")
    steps = []
    i = 0
    while i < len(lines):
        m = MARK.match(lines[i])
        i += 1
        if not m:
            continue
        if i >= len(lines) or not lines[i].startswith("```"):
            raise SystemExit(f"README line {i}: a tutorial mark must be followed by a fenced block")
        end = lines.index("```", i + 1)
        body = "\n".join(lines[i + 1:end]) + "\n"
        steps.append(("file", m.group(2), body) if m.group(2) else ("run", "", body))
        i = end + 1
    return steps


def main(argv):
    lintaro, readme = os.path.abspath(argv[1]), argv[2]
    steps = tutorial_steps(readme)
    problems = []
    if sum(1 for k, _, _ in steps if k == "run") < 2 or not any(k == "file" for k, _, _ in steps):
        problems.append("the README's tutorial marks are missing")
    outputs = []
    with tempfile.TemporaryDirectory(prefix="lintaro-tutorial-") as work:
        env = dict(os.environ, APPDATA=os.path.join(work, "settings"), TMPDIR=work, LINTARO_TEST="1",
                   PATH=os.path.dirname(lintaro) + os.pathsep + os.environ.get("PATH", ""))
        for kind, name, body in steps:
            if kind == "file":
                with open(os.path.join(work, name), "w", encoding="utf-8") as f:
                    f.write(body)
                continue
            for line in body.strip().split("\n"):
                p = subprocess.run(["bash", "-c", line], cwd=work, env=env, capture_output=True, timeout=120)
                out = p.stdout.decode("utf-8", "replace") + p.stderr.decode("utf-8", "replace")
                outputs.append(f"$ {line}\n{out}")
                if p.returncode != 0:
                    problems.append(f"{line!r} ended with {p.returncode}")
                for slip in ("Unknown command", "ignored", "Invalid", "required", "*Cancel*", "error"):
                    if slip in out:
                        problems.append(f"{line!r} printed {slip!r}")
        # What the README says the reader gets.
        everything = "\n".join(outputs)
        if "Text1=3,76" not in everything:
            problems.append("LIST did not print Text1=3,76")
        for name, least in (("room.dwg", 100), ("room.bak", 100), ("room.png", 5000)):
            path = os.path.join(work, name)
            if not os.path.exists(path) or os.path.getsize(path) < least:
                problems.append(f"{name} is missing or too small")
        with open(os.path.join(work, "list.scr"), "w", encoding="utf-8") as f:
            f.write("LIST\nALL\n\n")
        p = subprocess.run([lintaro, "run", "list.scr", "--dwg", "room.dwg"], cwd=work, env=env,
                           capture_output=True, timeout=120)
        listed = p.stdout.decode("utf-8", "replace")
        for text in ("Text1=88^5", "Text3=3,12^5"):
            if text not in listed:
                problems.append(f"the saved drawing does not hold {text!r}")
    if problems:
        print("\n".join(problems))
        print("---- output ----")
        print("\n".join(outputs))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
