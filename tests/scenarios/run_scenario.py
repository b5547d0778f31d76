#!/usr/bin/python3
"""Runs lintaro once in a fresh settings folder and checks what it printed.

usage: run_scenario.py LINTARO [--exit N] [--expect TEXT]... [--absent TEXT]...
                       [--stdin FILE] -- ARGS...

A script given in ARGS may carry its own checks as comment lines:
  ; expect: TEXT        TEXT must appear in the output, after the previous expect
  ; absent: TEXT        TEXT must not appear anywhere
  ; exit: N             the exit code (default 0)
"""
import os
import subprocess
import sys
import tempfile


def checks_from_script(path):
    expects, absents, code = [], [], None
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                s = line.strip()
                if s.startswith("; expect:"):
                    expects.append(s[len("; expect:"):].strip())
                elif s.startswith("; absent:"):
                    absents.append(s[len("; absent:"):].strip())
                elif s.startswith("; exit:"):
                    code = int(s[len("; exit:"):].strip())
    except OSError:
        pass
    return expects, absents, code


def main(argv):
    lintaro = argv[1]
    rest = argv[2:]
    sep = rest.index("--")
    opts, args = rest[:sep], rest[sep + 1:]
    expects, absents, code, stdin_file = [], [], None, None
    i = 0
    while i < len(opts):
        if opts[i] == "--exit":
            code = int(opts[i + 1])
        elif opts[i] == "--expect":
            expects.append(opts[i + 1])
        elif opts[i] == "--absent":
            absents.append(opts[i + 1])
        elif opts[i] == "--stdin":
            stdin_file = opts[i + 1]
        i += 2
    for a in args:
        if a.endswith(".scr"):
            e, ab, c = checks_from_script(a)
            expects += e
            absents += ab
            code = c if c is not None and code is None else code
    code = 0 if code is None else code

    with tempfile.TemporaryDirectory(prefix="lintaro-scenario-") as home:
        env = dict(os.environ, APPDATA=home, TMPDIR=home, LINTARO_TEST="1")
        stdin = open(stdin_file, "rb") if stdin_file else subprocess.DEVNULL
        try:
            # A hang is a failure too: nothing here takes more than a few seconds.
            p = subprocess.run([lintaro] + args, stdin=stdin, capture_output=True, env=env, timeout=120)
        finally:
            if stdin_file:
                stdin.close()
    out = p.stdout.decode("utf-8", "replace") + p.stderr.decode("utf-8", "replace")
    problems = []
    if p.returncode != code:
        problems.append(f"exit code {p.returncode}, expected {code}")
    pos = 0
    for e in expects:
        found = out.find(e, pos)
        if found < 0:
            problems.append(f"missing (in order): {e!r}")
        else:
            pos = found + len(e)
    for a in absents:
        if a in out:
            problems.append(f"unexpected: {a!r}")
    if problems:
        print("\n".join(problems))
        print("---- output ----")
        print(out)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
