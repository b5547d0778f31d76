#!/usr/bin/python3
"""The main job's second step runs on live chains.

The first step of `make demo` (examples/demo.scr) saves the dimensioned house; the
second (examples/demo_detail.scr) opens that drawing with --dwg. It must find every
chain of the first step alive: no proxies, and LIST shows each as XOTA_LINTARO.

usage: demo_reopen.py LINTARO EXAMPLES_FOLDER
"""
import os
import re
import subprocess
import sys
import tempfile


def run(cmd, env, cwd, what):
    r = subprocess.run(cmd, env=env, cwd=cwd, capture_output=True, timeout=600)
    text = r.stdout.decode("utf-8", "replace") + r.stderr.decode("utf-8", "replace")
    if r.returncode != 0:
        sys.exit(f"{what}: exit {r.returncode}\n{text}")
    return text


def set_option(ini, section, key, value):
    """One value of the settings file, the rest kept as it is (as scripts/demo does)."""
    with open(ini, encoding="utf-8") as f:
        lines = f.read().split("\n")
    inside, done, out = False, False, []
    for line in lines:
        if line.startswith("["):
            if inside and not done:
                out.append(f"{key}={value}")
                done = True
            inside = line.strip() == f"[{section}]"
        elif inside and not done and line.startswith(key + "="):
            out.append(f"{key}={value}")
            done = True
            continue
        out.append(line)
    if not done:
        if not inside:
            out.append(f"[{section}]")
        out.append(f"{key}={value}")
    with open(ini, "w", encoding="utf-8") as f:
        f.write("\n".join(out))


def make_demo(lintaro, root, env, home):
    """The demo drawing as `make demo` makes it, in `home`; its path and the second
    step's transcript."""
    empty = os.path.join(home, "empty.scr")
    open(empty, "w").close()
    run([lintaro, "run", empty], env, root, "first start")
    ini = os.path.join(env["APPDATA"], "tessaron", "lintaro", "lintaro.ini")
    set_option(ini, "MainOptions", "TextHeight", "35")
    dwg = os.path.join(home, "demo.dwg")
    run([lintaro, "run", "examples/demo.scr", "--save", dwg], env, root, "demo.scr")
    set_option(ini, "MainOptions", "Scale", "1:50")
    set_option(ini, "General Info", "DimByLine", "1")
    second = run([lintaro, "run", "examples/demo_detail.scr", "--dwg", dwg, "--save", dwg], env, root,
                 "demo_detail.scr")
    return dwg, second


def main(lintaro, examples):
    root = os.path.dirname(os.path.abspath(examples))
    with tempfile.TemporaryDirectory(prefix="lintaro-demo-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        dwg, second = make_demo(lintaro, root, env, home)
        for bad in ("proxies", "ACAD_PROXY_ENTITY", "could not be"):
            if bad in second:
                sys.exit(f"the second step says {bad!r}:\n{second}")
        look = os.path.join(home, "list.scr")
        with open(look, "w") as f:
            f.write("LIST\nALL\n\n")
        listed = run([lintaro, "run", look, "--dwg", dwg], env, root, "listing the result")
        chains = len(re.findall(r"XOTA_LINTARO", listed[listed.rfind("Command: LIST"):]))
        if chains < 9 or "ACAD_PROXY_ENTITY" in listed:
            sys.exit(f"the finished demo lists {chains} live chains (expected the 7 facade chains and the "
                     f"2 room chains):\n{listed}")
        print(f"demo_reopen: the second step ran on live chains; {chains} chains listed")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
