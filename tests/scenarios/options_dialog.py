#!/usr/bin/python3
"""The options dialog and the palette's place across runs of lintaro in one settings folder.

1. The palette's place is stored when the run ends after XOTA_Lintaro, and the next
   run puts the palette back there (and stores it again unchanged).
2. The options dialog reopens, in the next run, on the page it was saved on.
3. "Save as..." onto the file in use copies nothing and saves; onto a new file it
   copies, switches to the copy and lists it; onto a write-protected file it is told
   and nothing changes.
4. A wrong entry is told and nothing is written.
5. XOTA_Lintaro2Acad opens the palette first.
6. The interactive command line shows the dialog as a text form with its fields.
7. The options-file dialog sheds a deleted file and a second spelling of a listed one,
   and the main INI keeps the shorter list.

usage: options_dialog.py LINTARO
"""
import configparser
import os
import re
import stat
import subprocess
import sys
import tempfile


def run(lintaro, env, home, lines, stdin=None):
    script = os.path.join(home, "step.scr")
    with open(script, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    args = [lintaro] if stdin is not None else [lintaro, "run", script]
    r = subprocess.run(args, env=env, capture_output=True, timeout=120,
                       input=stdin.encode("utf-8") if stdin is not None else None)
    out = r.stdout.decode("utf-8", "replace")
    if r.returncode != 0:
        sys.exit(f"lintaro exited {r.returncode}:\n{out}\n{r.stderr.decode()}")
    return out


def ini(path):
    cp = configparser.ConfigParser(interpolation=None, strict=False)
    cp.optionxform = str
    cp.read(path, encoding="utf-8")
    return cp


def check(condition, message, out=""):
    if not condition:
        sys.exit(message + ("\n--- transcript ---\n" + out if out else ""))


def set_general(path, key, value):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    text = re.sub(rf"(?m)^{key}=.*$", f"{key}={value}", text)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main(lintaro):
    with tempfile.TemporaryDirectory(prefix="lintaro-options-") as home:
        appdata = os.path.join(home, "appdata")
        tmp = os.path.join(home, "tmp")
        os.makedirs(appdata)
        os.makedirs(tmp)
        env = dict(os.environ, APPDATA=appdata, TMPDIR=tmp, HOME=home)
        env.pop("XDG_CONFIG_HOME", None)
        folder = os.path.join(appdata, "tessaron", "lintaro")
        main_ini = os.path.join(folder, "lintaro.ini")

        # 1. The palette's place, stored at the end of the run and restored in the next.
        out = run(lintaro, env, home, ["XOTA_Lintaro", "QUIT"])
        place = ini(main_ini)["General Info"].get("DlgMain", "")
        check(re.fullmatch(r"-?\d+,-?\d+,\d+,\d+,[01]", place) is not None,
              f"DlgMain after XOTA_Lintaro and the end of the run is {place!r}", out)
        set_general(main_ini, "DlgMain", "120,80,260,540,0")
        out = run(lintaro, env, home, ["XOTA_Lintaro", "QUIT"])
        place = ini(main_ini)["General Info"].get("DlgMain")
        check(place == "120,80,260,540,0", f"the palette did not come back where it was: {place!r}", out)

        # 2. The dialog saved on "Maßstab" opens on it in the next run: its field is there.
        out = run(lintaro, env, home, ["XOTA_Doption", "@dialog select 12320 Maßstab", "@dialog click 1", "QUIT"])
        check(ini(main_ini)["General Info"].get("OptionsActivePage") == "2", "OptionsActivePage is not 2", out)
        out = run(lintaro, env, home, ["XOTA_Doption", "@dialog 1266 = 1:20", "@dialog click 1", "QUIT"])
        check("ignored" not in out, "the dialog did not reopen on the page last saved", out)
        check(ini(main_ini)["General Info"].get("ScalePaperSpace") == "1:20", "ScalePaperSpace was not saved", out)

        # 3. "Save as..." onto the file in use: no copy, the values saved, the file stays.
        before = set(os.listdir(folder))
        out = run(lintaro, env, home, ["XOTA_Doption", "@dialog 1266 = 1:25", "@dialog click 1006",
                                       f"@file {main_ini}", "QUIT"])
        cp = ini(main_ini)
        check(cp["General Info"].get("ScalePaperSpace") == "1:25", "Save as onto itself did not save", out)
        check(cp["General Info"].get("CurOptionsFile") == main_ini, "Save as onto itself switched files", out)
        check(set(os.listdir(folder)) == before, f"Save as onto itself left files: {sorted(os.listdir(folder))}")

        # ... onto a new file: copied, in use, listed.
        copy = os.path.join(folder, "Buero.ini")
        out = run(lintaro, env, home, ["XOTA_Doption", "@dialog click 1006", f"@file {copy}", "QUIT"])
        check(os.path.isfile(copy), "Save as did not make the copy", out)
        cp = ini(main_ini)
        check(cp["General Info"].get("CurOptionsFile") == copy, "the copy is not the file in use", out)
        check(copy in cp["OptionsFiles"].values(), "the copy is not in the list of options files", out)
        check(ini(copy)["MainOptions"].get("Measure") == "m/cm", "the copy lacks the options", out)

        # ... onto a write-protected file: told, nothing changes.
        locked = os.path.join(folder, "Gesperrt.ini")
        with open(locked, "w", encoding="utf-8") as f:
            f.write("[MainOptions]\nMeasure=mm\n")
        os.chmod(locked, stat.S_IRUSR)
        main_before = open(main_ini, "rb").read()
        out = run(lintaro, env, home, ["XOTA_Doption", "@dialog click 1006", f"@file {locked}", "@dialog click 2",
                                       "QUIT"])
        os.chmod(locked, stat.S_IRUSR | stat.S_IWUSR)
        check("ist schreibgeschützt..." in out, "a write-protected target was not refused", out)
        check(open(locked, encoding="utf-8").read() == "[MainOptions]\nMeasure=mm\n", "the locked file changed")
        check(ini(main_ini)["General Info"].get("CurOptionsFile") == copy, "the file in use changed", out)
        check(open(main_ini, "rb").read() == main_before, "the main INI changed", out)

        # 4. A wrong entry: told, nothing written.
        out = run(lintaro, env, home, ["XOTA_Doption", "@dialog select 12320 Geometrie", "@dialog 1201 = 4,5,6",
                                       "@dialog click 1", "@dialog click 2", "QUIT"])
        check('Ungültiger Wert für "Symbolgröße (Maßbegrenzung)": "4,5,6"' in out, "the wrong entry was not told", out)
        check(open(main_ini, "rb").read() == main_before, "a wrong entry changed the main INI", out)

        # 5. XOTA_Lintaro2Acad opens the palette before it converts.
        set_general(main_ini, "ShowAppWindow", "0")
        out = run(lintaro, env, home, ["XOTA_Lintaro2Acad", "", "QUIT"])
        check(ini(main_ini)["General Info"].get("ShowAppWindow") == "1",
              "XOTA_Lintaro2Acad did not open the palette", out)

        # 6. Interactively the dialog is a text form: fields, values, the mode's labels.
        out = run(lintaro, env, home, [], stdin="XOTA_Doption\nselect 12320 Geometrie\nselect 1107 Höhenkoten\n?\ncancel\nQUIT\n")
        for text in ["[1107] drop-down list \"Höhenkoten\" {Lineare Bemaßungen|Höhenkoten|Text}",
                     "[1200] static \"Symbolgröße (HK)\"", "[1201] edit \"5\"", "[1206] static \"HK-Durchmesser\"",
                     "[12320] tab \"Geometrie\" {Geometrie|Text|Maßstab|Texthöhe|Konvert|Listen}"]:
            check(text in out, f"the text form lacks {text!r}", out)

        # 7. The list of options files, as the palette's menu opens it.
        with open(main_ini, encoding="utf-8") as f:
            text = f.read()
        text = re.sub(r"(?ms)^\[OptionsFiles\].*?(?=^\[|\Z)",
                      f"[OptionsFiles]\nItem_0={main_ini}\nItem_1={os.path.join(folder, 'weg.ini')}\n"
                      f"Item_2={copy}\nItem_3={copy.upper()}\n\n", text)
        with open(main_ini, "w", encoding="utf-8") as f:
            f.write(text)
        out = run(lintaro, env, home, ["XOTA_Lintaro", "@palette menu 32788", "@dialog click 2", "QUIT"])
        # The list ends at its first empty item.
        items = ini(main_ini)["OptionsFiles"]
        listed = []
        while items.get(f"Item_{len(listed)}"):
            listed.append(items[f"Item_{len(listed)}"])
        check(listed == [main_ini, copy], f"the list of options files is {listed}", out)

        # 8. "Listen": a layer's default colour saved into the options file in use, a wrong
        # entry told and nothing added; the alternate units' formats kept by Save.
        in_use = ini(main_ini)["General Info"].get("CurOptionsFile")
        before = open(in_use, "rb").read()
        out = run(lintaro, env, home, ["XOTA_Doption", "@dialog select 12320 Listen",
                                       "@dialog select 1290 Layer2DefaultColor", "@dialog 1292 = WAND",
                                       "@dialog click 1293", "@dialog click 2", "QUIT"])
        check('Ungültiger Eintrag: "WAND"' in out, "a layer without a colour was not told", out)
        check(open(in_use, "rb").read() == before, "a wrong entry changed the options file", out)
        out = run(lintaro, env, home, ["XOTA_Doption", "@dialog select 12320 Listen",
                                       "@dialog select 1290 Layer2DefaultColor", "@dialog 1292 = WAND=3",
                                       "@dialog click 1293", "@dialog click 1296",
                                       "@dialog select 1290 AltFormatList", "@dialog 1292 = (#)",
                                       "@dialog click 1293", "@dialog click 1", "QUIT"])
        check(ini(in_use)["Layer2DefaultColor"].get("Item_0") == "WAND=3",
              "the layer's default colour was not saved", out)
        formats = ini(main_ini)["General Info"].get("AltFormatList", "")
        check(formats.split(",")[-1] == "(#)" and formats.startswith("[#]"),
              f"the formats list is {formats!r}", out)


if __name__ == "__main__":
    main(sys.argv[1])
