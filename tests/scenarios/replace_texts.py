#!/usr/bin/python3
"""Find and replace over chain and height-mark texts, end to end.

In the current drawing ("Zusatzmaßtexte ersetzen", palette item 32870): whole texts
only ("ab" leaves "abc"), "ABC" finds "abc" without case, a case-sensitive search
does not, the new text's value is the number it reads as, and a replacement used
twice stands once at the head of the remembered list.

In drawings on disk (XOTA_dimReplace): "Nur ganze Wörter suchen" leaves "12" when
"2" is searched; without it "2" in "1212" gives "1313"; "HK: Vortext/Nachtext"
leaves chains alone; a drawing without a change is not saved (bytes and time stamp
as they were, no backup); a damaged drawing is reported and skipped while the
others are changed; No to "Gefundene Zeichnungen" changes nothing; ESC while it runs
asks "Wollen Sie die Operation wirklich abbrechen?", Yes stops with nothing written,
No goes on.

In the links of height marks to other drawings (palette item 32899): a link in the
second link text only is replaced, a folder written in capitals is found in lower
case, the browse button's chosen drawing becomes the replacement, and what follows
the path (the reference) is left as it was.

usage: replace_texts.py LINTARO REPLACE_FIXTURE
"""
import os
import shutil
import subprocess
import sys
import tempfile


def run(cmd, env, what, expect_rc=0):
    r = subprocess.run(cmd, env=env, capture_output=True, timeout=300)
    out = r.stdout.decode("utf-8", "replace") + r.stderr.decode("utf-8", "replace")
    if r.returncode != expect_rc:
        sys.exit(f"{what}: exit {r.returncode}\n{out}")
    return out


def check(cond, message, out=""):
    if not cond:
        sys.exit(f"FAILED: {message}\n---- output ----\n{out}")


class Scenario:
    def __init__(self, lintaro, fixture, home):
        self.lintaro, self.fixture, self.home = lintaro, fixture, home
        self.env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(self.env["APPDATA"])
        self.edge = self.path("edge.dwg")
        run([fixture, "make", self.edge], self.env, "making the drawing")

    def path(self, *parts):
        return os.path.join(self.home, *parts)

    def copy_edge(self, *parts):
        target = self.path(*parts)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(self.edge, target)
        return target

    def lintaro_run(self, lines, *extra):
        script = self.path("run.scr")
        with open(script, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        return run([self.lintaro, "run", script, *extra], self.env, "lintaro run")

    def dump(self, drawing):
        return run([self.fixture, "dump", drawing], self.env, "dump").splitlines()

    def ini(self):
        with open(self.path("appdata", "tessaron", "lintaro", "lintaro.ini"), encoding="utf-8") as f:
            return f.read()


def external(files, search, replacement, whole, case, kind="Alles", answer="@yes", source=1175):
    return ["XOTA_dimReplace", f"@dialog click {source}", f"@dialog 1173 = {files}",
            f"@dialog select 1147 {kind}", f"@dialog 1144 = {search}", f"@dialog 1145 = {replacement}",
            f"@dialog check 1153 {1 if whole else 0}", f"@dialog check 1151 {1 if case else 0}",
            "@dialog click 1", answer]


def current_drawing(s):
    out_dwg = s.path("current.dwg")
    out = s.lintaro_run([
        "XOTA_Lintaro",
        "@palette menu 32870", "@dialog 1147 = ab", "@dialog 1148 = X", "@dialog click 1",
        "LIST", "L", "",
        "@palette menu 32870", "@dialog 1147 = ABC", "@dialog 1148 = X", "@dialog click 1",
        "LIST", "L", "",
        "@palette menu 32870", "@dialog check 1151 1", "@dialog 1147 = RAUM", "@dialog 1148 = 7", "@dialog click 1",
        "LIST", "L", "",
        "@palette menu 32870", "@dialog 1147 = Raum", "@dialog 1148 = 12,5", "@dialog click 1",
    ], "--dwg", s.edge, "--save", out_dwg)
    check(out.count('"1 Eintragungen wurden ersetzt.') == 3, "three single replacements reported", out)
    d = s.dump(out_dwg)
    check("chain 1 seg 1 app=<X> value=0.000 prefix=<2> suffix=<12>" in d, '"ab" replaced whole', "\n".join(d))
    check("chain 1 seg 2 app=<X> value=0.000 prefix=<1212> suffix=<>" in d,
          '"ABC" found "abc" without case, and only after "ab" had left it alone', "\n".join(d))
    check("chain 2 seg 1 app=<12,5> value=12.500 prefix=<> suffix=<>" in d,
          'case-sensitive "RAUM" left "Raum", "Raum" took 12,5 with its value', "\n".join(d))
    ini = s.ini()
    check("[DlgReplace]" in ini and "Replace=12,5|7|X\n" in ini,
          "the remembered list holds X once; every replacement asked for stands in it, the newest at the head", ini)
    check("chbCaseSensitive=1" in ini, "the case switch is remembered", ini)


def external_drawings(s):
    whole = s.copy_edge("ext", "whole.dwg")
    part = s.copy_edge("ext", "part.dwg")
    marks = s.copy_edge("ext", "marks.dwg")
    out = s.lintaro_run(external(whole, "2", "3", True, False) + ["LIST", "L", ""] +
                        external(part, "2", "3", False, False) + ["LIST", "L", ""] +
                        external(marks, "Raum", "Zimmer", False, False, "HK: Vortext/Nachtext"))
    check("Gefundene Zeichnungen: 1" in out, "the count of drawings is asked", out)
    d = s.dump(whole)
    check("chain 1 seg 1 app=<ab> value=0.000 prefix=<3> suffix=<12>" in d and
          "mark 1 texts=<3|12|1212|Raum> link1=<> link2=</proj/Alt/schnitt.dwg:1F>" in d,
          'whole words: "2" replaced, "12" and "1212" left', "\n".join(d))
    d = s.dump(part)
    check("chain 1 seg 1 app=<ab> value=0.000 prefix=<3> suffix=<13>" in d and
          "chain 1 seg 2 app=<abc> value=0.000 prefix=<1313> suffix=<>" in d and
          "mark 1 texts=<3|13|1313|Raum> link1=<> link2=</proj/Alt/schnitt.dwg:1F>" in d,
          'parts: "2" in "1212" gives "1313"', "\n".join(d))
    d = s.dump(marks)
    check("chain 2 seg 1 app=<Raum> value=0.000 prefix=<> suffix=<>" in d and
          "mark 1 texts=<2|12|1212|Zimmer> link1=<> link2=</proj/Alt/schnitt.dwg:1F>" in d,
          '"HK: Vortext/Nachtext" changed the mark and left the chain', "\n".join(d))
    check(os.path.exists(s.path("ext", "whole.bak")), "the changed drawing was saved with its backup")
    check("Ge\u00e4nderte Texte = 2" in out, "the counters are shown", out)


def open_drawings(s):
    # The drawing open in the editor is changed in place; the file it came from is not
    # saved by the replace (the user saves the drawing), here by --save to another file.
    opened = s.copy_edge("open", "opened.dwg")
    with open(opened, "rb") as f:
        before = f.read()
    out_dwg = s.path("open", "saved.dwg")
    out = s.lintaro_run(external("", "Raum", "Zimmer", True, False, source=1177)[:-1], "--dwg", opened,
                        "--save", out_dwg)
    check("Gefundene Zeichnungen" not in out and "1. " in out and "opened.dwg" in out, "the open drawing", out)
    d = s.dump(out_dwg)
    check("chain 2 seg 1 app=<Zimmer> value=0.000 prefix=<> suffix=<>" in d and
          "mark 1 texts=<2|12|1212|Zimmer> link1=<> link2=</proj/Alt/schnitt.dwg:1F>" in d,
          "the open drawing was changed", "\n".join(d))
    with open(opened, "rb") as f:
        check(f.read() == before, "the opened file itself is not written by the replace", out)


def unchanged_and_damaged(s):
    folder = s.path("folder")
    kept = s.copy_edge("folder", "kept.dwg")
    inner = s.copy_edge("folder", "sub", "inner.dwg")
    damaged = s.path("folder", "damaged.dwg")
    with open(kept, "rb") as f:
        good = f.read()
    with open(damaged, "wb") as f:
        f.write(good[: len(good) // 2])
    with open(damaged, "rb") as f:
        damaged_bytes = f.read()
    past = 1_000_000_000
    for p in (kept, inner, damaged):
        os.utime(p, (past, past))
    out = s.lintaro_run(external(os.path.join(folder, "*.dwg"), "nichtda", "x", False, False))
    check("Gefundene Zeichnungen: 2" in out and "Keine Vorkommen gefunden" in out, "nothing found", out)
    for p in (kept, inner):
        with open(p, "rb") as f:
            check(f.read() == good, f"{p} keeps its bytes", out)
        check(os.stat(p).st_mtime == past, f"{p} keeps its time stamp", out)
    check(not os.path.exists(s.path("folder", "kept.bak")), "no backup of an unchanged drawing", out)
    # No to the question: nothing is read or changed.
    out = s.lintaro_run(external(folder, "abc", "xyz", False, False, answer="@no", source=1176))
    check(os.stat(kept).st_mtime == past, "No changes nothing", out)
    # The folder with its subfolders: the damaged drawing is reported and skipped.
    out = s.lintaro_run(["XOTA_dimReplace", "@dialog check 1152 1"] +
                        external(folder, "abc", "xyz", False, False, source=1176)[1:])
    check("Gefundene Zeichnungen: 3" in out, "subfolders searched", out)
    check(" ERROR " in out and "damaged.dwg" in out, "the damaged drawing is named", out)
    with open(damaged, "rb") as f:
        check(f.read() == damaged_bytes, "the damaged drawing is untouched", out)
    for p in (kept, inner):
        check("chain 1 seg 2 app=<xyz> value=0.000 prefix=<1212> suffix=<>" in s.dump(p), f"{p} changed", out)
    check("Ge\u00e4nderte Zeichnungen = 2" in out and "Gescannte Zeichnungen = 2" in out, "counters", out)


def user_break(s):
    # ESC while the replace runs asks whether to stop: Yes ends the run before the next
    # object and leaves the drawings as they are; No goes on as if nothing was pressed.
    first = s.copy_edge("esc", "a.dwg")
    second = s.copy_edge("esc", "b.dwg")
    with open(first, "rb") as f:
        good = f.read()
    mask = os.path.join(s.path("esc"), "*.dwg")
    out = s.lintaro_run(external(mask, "Raum", "Zimmer", True, False) + ["ESC", "@yes"])
    check("Wollen Sie die Operation wirklich abbrechen?" in out and " - CANCELLED " in out,
          "ESC asks and Yes stops", out)
    for p in (first, second):
        with open(p, "rb") as f:
            check(f.read() == good, f"{p} is untouched after the stop", out)
    check(not os.path.exists(s.path("esc", "a.bak")), "nothing was saved", out)
    out = s.lintaro_run(external(mask, "Raum", "Zimmer", True, False) + ["ESC", "@no"])
    check("Wollen Sie die Operation wirklich abbrechen?" in out and "CANCELLED" not in out, "No goes on", out)
    for p in (first, second):
        check("chain 2 seg 1 app=<Zimmer> value=0.000 prefix=<> suffix=<>" in s.dump(p), f"{p} replaced", out)
    check("Ge\u00e4nderte Zeichnungen = 2" in out, "both drawings counted", out)


def link_paths(s):
    moved = s.copy_edge("neu", "ansicht.dwg")
    out_dwg = s.path("links.dwg")
    out = s.lintaro_run([
        "XOTA_Lintaro",
        # The offered path, written in capitals, finds the lower-case folder too.
        "@palette menu 32899", "@dialog select 1147 /proj/Alt/schnitt.dwg", "@dialog 1147 = /PROJ/ALT/",
        "@dialog 1148 = /proj/Neu/", "@dialog click 1",
        "LIST", "L", "",
        # The browse button puts the chosen drawing into the replacement.
        "@palette menu 32899", "@dialog 1147 = /proj/Neu/ansicht.dwg", "@dialog click 1081", f"@file {moved}",
        "@dialog click 1",
    ], "--dwg", s.edge, "--save", out_dwg)
    check('"3 Eintragungen wurden ersetzt.' in out and '"1 Eintragungen wurden ersetzt.' in out,
          "three link texts, then one", out)
    d = s.dump(out_dwg)
    check("mark 1 texts=<2|12|1212|Raum> link1=<> link2=</proj/Neu/schnitt.dwg:1F>" in d,
          "a link in the second link text only is replaced", "\n".join(d))
    check("mark 2 texts=<|||> link1=</proj/Neu/schnitt.dwg:2A> link2=<>" in d,
          "the folder is found without regard to case", "\n".join(d))
    check(f"mark 3 texts=<|||> link1=<{moved}:3B> link2=<1C>" in d,
          "the chosen file replaced the path; the reference after it and a bare handle stay", "\n".join(d))
    check("[DlgReplacePath]" in s.ini() and f"Replace={moved}|/proj/Neu/" in s.ini(), "remembered", s.ini())


def main(lintaro, fixture):
    with tempfile.TemporaryDirectory(prefix="lintaro-replace-") as home:
        s = Scenario(lintaro, fixture, home)
        current_drawing(s)
        external_drawings(s)
        unchanged_and_damaged(s)
        open_drawings(s)
        user_break(s)
        link_paths(s)
    print("replace scenarios passed")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
