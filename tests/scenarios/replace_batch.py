#!/usr/bin/python3
"""lintaro replace over many drawings.

200 drawings made by the fixture, every third holding "Raum 2", and a damaged one
among them: the run changes exactly the drawings that hold the text (each saved with
its backup), leaves the others byte for byte and with their time stamps, names the
damaged one in its summary and leaves it untouched, and exits with 1 for it. Bad
arguments are refused before anything is read.

A second run is interrupted with SIGINT halfway: it stops, says so, exits with 130,
and every drawing is either fully replaced or exactly as it was, with no temporary
file left beside them.

usage: replace_batch.py LINTARO REPLACE_FIXTURE
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

COUNT = 200


def check(cond, message, out=""):
    if not cond:
        sys.exit(f"FAILED: {message}\n---- output ----\n{out}")


def run(cmd, env, expect_rc=0):
    r = subprocess.run(cmd, env=env, capture_output=True, timeout=900)
    out = r.stdout.decode("utf-8", "replace") + r.stderr.decode("utf-8", "replace")
    check(r.returncode == expect_rc, f"{cmd[:3]}... exited {r.returncode}, not {expect_rc}", out)
    return out


def snapshot(folder):
    state = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            state[name] = (f.read(), os.stat(path).st_mtime_ns)
    return state


def make_drawings(fixture, env, folder):
    os.makedirs(folder)
    run([fixture, "many", folder, str(COUNT)], env)
    past = 1_000_000_000_000_000_000
    for name in os.listdir(folder):
        os.utime(os.path.join(folder, name), ns=(past, past))


def replaced(fixture, env, path):
    dump = run([fixture, "dump", path], env)
    return ("prefix=<Zimmer 2>" in dump and "texts=<Zimmer 2|||>" in dump, "Raum 2" in dump, dump)


def full_run(lintaro, fixture, env, home):
    folder = os.path.join(home, "plans")
    make_drawings(fixture, env, folder)
    damaged = os.path.join(folder, "plan_050_damaged.dwg")
    with open(os.path.join(folder, "plan_001.dwg"), "rb") as f:
        good = f.read()
    with open(damaged, "wb") as f:
        f.write(good[:-40])
    before = snapshot(folder)
    files = [os.path.join(folder, n) for n in sorted(before)]
    out = run([lintaro, "replace", "--search", "Raum 2", "--replace", "Zimmer 2", "--whole-words", *files], env,
              expect_rc=1)
    check("plan_050_damaged.dwg" in out and "NOT READ" in out, "the damaged drawing is named in the summary", out)
    check(f"{COUNT + 1} drawings: {len(range(0, COUNT, 3))} changed" in out, "the totals", out)
    check(f"{COUNT + 1}/{COUNT + 1} plan_199.dwg" in out, "plain progress lines when not on a terminal", out)
    after = snapshot(folder)
    for i in range(COUNT):
        name = f"plan_{i:03d}.dwg"
        if i % 3 == 0:
            ok, old, dump = replaced(fixture, env, os.path.join(folder, name))
            check(ok and not old, f"{name} replaced", dump)
            check(name.replace(".dwg", ".bak") in after, f"{name} kept its backup")
            check(after[name.replace(".dwg", ".bak")][0] == before[name][0], f"{name}'s backup is the old drawing")
        else:
            check(after[name] == before[name], f"{name} untouched (bytes and time stamp)")
            check(name.replace(".dwg", ".bak") not in after, f"no backup of unchanged {name}")
    check(after["plan_050_damaged.dwg"] == before["plan_050_damaged.dwg"], "the damaged drawing is untouched")
    check(len(after) == COUNT + 1 + len(range(0, COUNT, 3)), "no other file appeared", "\n".join(after))


def refusals(lintaro, env, home):
    out = run([lintaro, "replace", "--search", "", "--replace", "x", os.path.join(home, "none.dwg")], env, 2)
    check("needs a text" in out, "an empty search is refused", out)
    out = run([lintaro, "replace", "--search", "a", "--replace", "x", "--types", "walls", "x.dwg"], env, 2)
    check("--types takes hk, lm or all" in out, "an unknown type is refused", out)
    out = run([lintaro, "replace", "--search", "a", "--replace", "x", os.path.join(home, "none.dwg")], env, 1)
    check("NOT READ" in out and "none.dwg" in out, "a missing drawing is reported", out)


def interrupted_run(lintaro, fixture, env, home):
    folder = os.path.join(home, "interrupted")
    make_drawings(fixture, env, folder)
    before = snapshot(folder)
    files = [os.path.join(folder, n) for n in sorted(before)]
    proc = subprocess.Popen([lintaro, "replace", "--search", "Raum 2", "--replace", "Zimmer 2", *files], env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    lines = []
    # Halfway through, as a person pressing Ctrl-C would.
    while True:
        line = proc.stdout.readline().decode("utf-8", "replace")
        if not line:
            break
        lines.append(line)
        if line.startswith(f"{COUNT // 2}/{COUNT}"):
            proc.send_signal(signal.SIGINT)
            break
    rest, _ = proc.communicate(timeout=600)
    out = "".join(lines) + rest.decode("utf-8", "replace")
    check(proc.returncode == 130, f"an interrupted run exits with 130, not {proc.returncode}", out)
    check("Stopped by Ctrl-C" in out and "not reached" in out, "the summary says it stopped", out)
    after = snapshot(folder)
    check(set(n for n in after if not n.endswith(".bak")) == set(before), "no temporary or other file left",
          "\n".join(after))
    changed = 0
    for i in range(COUNT):
        name = f"plan_{i:03d}.dwg"
        if after[name] == before[name]:
            continue
        ok, old, dump = replaced(fixture, env, os.path.join(folder, name))
        check(i % 3 == 0 and ok and not old, f"{name} is either fully replaced or as it was", dump)
        changed += 1
    check(0 < changed < len(range(0, COUNT, 3)), f"the run stopped halfway ({changed} changed)", out)


def main(lintaro, fixture):
    with tempfile.TemporaryDirectory(prefix="lintaro-batch-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        full_run(lintaro, fixture, env, home)
        refusals(lintaro, env, home)
        interrupted_run(lintaro, fixture, env, home)
    print("replace batch passed")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
