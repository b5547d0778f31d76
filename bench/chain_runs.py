#!/usr/bin/python3
"""Big drawings through the `lintaro` program, as a user's scripts make them.

For each N: a script makes N chains of 10 points in a row (each one asks for the
chain under the third point, so every chain pays a pick among all chains made before
it) and the drawing is saved; the drawing is then read back, a chain is picked in
it, and it is drawn as a PNG. Printed: CPU seconds (the child's user + system time),
CPU per chain, peak memory, what the pick adds to the peak, and the file's bytes per
chain segment with PROXYGRAPHICS 1 and 0.

    bench/chain_runs.py LINTARO [N ...]          default N: 1000 (LINTARO_BENCH_N adds more)
    bench/chain_runs.py LINTARO --make-only N --keep FILE.dwg   for side_by_side.sh: CPU seconds
    bench/chain_runs.py LINTARO --read-only FILE.dwg            for side_by_side.sh: CPU seconds
"""
import os
import resource
import subprocess
import sys
import tempfile

POINTS = 10  # per chain: 9 segments


def chain_lines(i):
    """One chain of POINTS points, 1 unit apart, its line 3 above; chains 10 apart."""
    y = 10.0 * i
    lines = ["XOTA_Hdim", f"0,{y:g}", f"1,{y:g}", f"0.5,{y + 3:g}"]
    lines += [f"{k},{y:g}" for k in range(2, POINTS)]
    lines.append("")
    return lines


def write_script(path, n, extra=()):
    with open(path, "w", encoding="utf-8") as f:
        for line in extra:
            f.write(line + "\n")
        for i in range(n):
            f.write("\n".join(chain_lines(i)) + "\n")


def run(args, env):
    """CPU seconds and peak resident kilobytes of one child run."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    done = subprocess.run(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit(f"chain_runs: {' '.join(args)} failed: {done.stderr.decode(errors='replace')}")
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, after.ru_maxrss


def environment(folder):
    env = dict(os.environ)
    env["APPDATA"] = os.path.join(folder, "appdata")
    env["TMPDIR"] = folder
    os.makedirs(env["APPDATA"], exist_ok=True)
    return env


def make(lintaro, folder, env, n, proxy=1):
    script = os.path.join(folder, f"make{n}_{proxy}.scr")
    dwg = os.path.join(folder, f"chains{n}_{proxy}.dwg")
    extra = [] if proxy == 1 else ["PROXYGRAPHICS", "0"]
    write_script(script, n, extra)
    cpu, _ = run([lintaro, "run", script, "--save", dwg], env)
    return cpu, dwg


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    lintaro = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="lintaro-chain-runs-") as folder:
        env = environment(folder)
        empty = os.path.join(folder, "empty.scr")
        open(empty, "w").close()
        run([lintaro, "run", empty], env)  # first start writes the settings
        if sys.argv[2:3] == ["--make-only"]:
            cpu, dwg = make(lintaro, folder, env, int(sys.argv[3]))
            if sys.argv[4:5] == ["--keep"]:
                os.replace(dwg, sys.argv[5])
            print(f"{cpu:.3f}")
            return
        if sys.argv[2:3] == ["--read-only"]:
            cpu, _ = run([lintaro, "run", empty, "--dwg", sys.argv[3]], env)
            print(f"{cpu:.3f}")
            return
        sizes = [int(a) for a in sys.argv[2:]] or [1000]
        sizes += [int(a) for a in os.environ.get("LINTARO_BENCH_N", "").split() if a]
        segments = POINTS - 1
        print(f"{'N':>7} {'make+save s':>12} {'ms/chain':>9} {'B/seg':>6} {'B/seg PG0':>9} "
              f"{'read s':>7} {'read MB':>8} {'pick s':>7} {'pick +MB':>8} {'render s':>8}")
        for n in sizes:
            cpu, dwg = make(lintaro, folder, env, n)
            _, dwg0 = make(lintaro, folder, env, n, proxy=0)
            size, size0 = os.path.getsize(dwg), os.path.getsize(dwg0)
            # Read back alone: open the drawing, run nothing.
            read_cpu, _ = run([lintaro, "run", empty, "--dwg", dwg], env)
            rss = read_peak(lintaro, empty, dwg, env)
            pick = os.path.join(folder, "pick.scr")
            with open(pick, "w") as f:
                f.write("ERASE\n" + "\n".join(f"{k + 0.5},{10.0 * (n // 2) + 3:g}" for k in range(9)) + "\n\n")
            pick_cpu, _ = run([lintaro, "run", pick, "--dwg", dwg], env)
            pick_rss = read_peak(lintaro, pick, dwg, env)
            render_cpu, _ = run([lintaro, "render", dwg, "-o", os.path.join(folder, "chains.png")], env)
            print(f"{n:>7} {cpu:>12.2f} {1000 * cpu / n:>9.3f} {size / (n * segments):>6.0f} "
                  f"{size0 / (n * segments):>9.0f} {read_cpu:>7.2f} {rss / 1024:>8.0f} "
                  f"{pick_cpu - read_cpu:>7.3f} {(pick_rss - rss) / 1024:>8.0f} {render_cpu:>8.2f}")


def read_peak(lintaro, script, dwg, env):
    """Peak memory of a run that reads the drawing and runs `script` (its own child, so the peak is its own)."""
    code = ("import resource,subprocess,sys;"
            "subprocess.run(sys.argv[1:],stdout=subprocess.DEVNULL);"
            "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")
    out = subprocess.run([sys.executable, "-c", code, lintaro, "run", script, "--dwg", dwg], env=env,
                         capture_output=True, text=True, check=True)
    return int(out.stdout.strip())


if __name__ == "__main__":
    main()
