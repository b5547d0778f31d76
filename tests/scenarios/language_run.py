#!/usr/bin/python3
"""The add-on's language at the command line: a full creation run (linear, arc and
cutting-line chains, section and plan height marks) in English prints no German
prompt, message or dialog caption, chosen by `--lang en` or by Language=EN in
lintaro.ini; the same run in German keeps the German texts.

usage: language_run.py LINTARO SCRIPT
"""
import os
import re
import subprocess
import sys
import tempfile

# Words of the German prompts and messages of the run; none may show in English.
GERMAN = re.compile(r"[äöüÄÖÜß]|\b(Erster|Zweiter|Punkt|Maßpunkt|wählen|Schnittlinie|Schnittpunkte|"
                    r"Kette|Maßkette|Objekt|Ausrichtung|Bezugsebene|Höhenkote|Anzahl|Typ|oder|"
                    r"nicht|gefunden|dürfen|Führungslinie|Position des)\b")

ENGLISH_IN_ORDER = [
    "First point: ",
    "The first and the second point must not be the same!",
    "Point 3 (Enter ends the chain): ",
    "Select the object the chain follows:",
    "First point or Enter:",
    "Second point:",
    "Select a chain or specify the position of the dimension line: ",
    "Cutting line:",
    "No crossing points found...",
    "Base of the section level group:",
    "Section level point:",
    "Plan level point:",
    "Number of extension lines: 2",
    "Find and replace: no scripted answer",
]

GERMAN_IN_ORDER = [
    "Erster Maßpunkt: ",
    "Der erste und zweite Punkt dürfen nicht identisch sein!",
    "3. Maßpunkt: ",
    "Objekt zur Ausrichtung der Maßkette zeigen:",
    "Erster Maßpunkt oder Enter:",
    "Schnittlinie:",
    "Schnittpunkte nicht gefunden...",
    "Bezugsebene der Schnitt-HK-Gruppe:",
    "Grundriß-HK Maßpunkt:",
    "Suchen und Ersetzen: no scripted answer",
]


def run(lintaro, args, ini=None):
    with tempfile.TemporaryDirectory(prefix="lintaro-lang-") as home:
        if ini is not None:
            folder = os.path.join(home, "tessaron", "lintaro")
            os.makedirs(folder)
            with open(os.path.join(folder, "lintaro.ini"), "w", encoding="utf-8") as f:
                f.write(ini)
        env = dict(os.environ, APPDATA=home, TMPDIR=home, LINTARO_TEST="1")
        p = subprocess.run([lintaro] + args, stdin=subprocess.DEVNULL, capture_output=True, env=env,
                           timeout=120)
    return p.returncode, p.stdout.decode("utf-8", "replace") + p.stderr.decode("utf-8", "replace")


def in_order(out, texts):
    missing, pos = [], 0
    for t in texts:
        found = out.find(t, pos)
        if found < 0:
            missing.append(t)
        else:
            pos = found + len(t)
    return missing


def main(argv):
    lintaro, script = argv[1], argv[2]
    problems = []
    runs = [("--lang en", ["--lang", "en", "run", script], None),
            ("Language=EN", ["run", script], "[LastStatus]\nLanguage=EN\n")]
    for name, args, ini in runs:
        code, out = run(lintaro, args, ini)
        if code != 0:
            problems.append(f"{name}: exit code {code}")
        for t in in_order(out, ENGLISH_IN_ORDER):
            problems.append(f"{name}: missing (in order): {t!r}")
        for line in out.splitlines():
            if GERMAN.search(line):
                problems.append(f"{name}: German text: {line.strip()!r}")
    code, out = run(lintaro, ["--lang", "de", "run", script])
    if code != 0:
        problems.append(f"--lang de: exit code {code}")
    for t in in_order(out, GERMAN_IN_ORDER):
        problems.append(f"--lang de: missing (in order): {t!r}")
    if problems:
        print("\n".join(problems[:40]))
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
