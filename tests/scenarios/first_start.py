#!/usr/bin/python3
"""First start of lintaro in an empty settings folder, then a second start.

The first run must create tessaron/lintaro/lintaro.ini with the General Info entries,
the option sections of every mode and the map sections, and exit 0; the second run
must leave the file byte for byte as it was.

usage: first_start.py LINTARO
"""
import configparser
import os
import subprocess
import sys
import tempfile


def run(lintaro, env, script):
    r = subprocess.run([lintaro, "run", script], env=env, capture_output=True, timeout=120)
    if r.returncode != 0:
        sys.exit(f"lintaro exited {r.returncode}:\n{r.stdout.decode()}\n{r.stderr.decode()}")


def main(lintaro):
    with tempfile.TemporaryDirectory(prefix="lintaro-first-") as home:
        appdata = os.path.join(home, "appdata")
        tmp = os.path.join(home, "tmp")
        os.makedirs(appdata)
        os.makedirs(tmp)
        script = os.path.join(home, "quit.scr")
        with open(script, "w") as f:
            f.write("QUIT\n")
        env = dict(os.environ, APPDATA=appdata, TMPDIR=tmp, HOME=home)
        env.pop("XDG_CONFIG_HOME", None)

        run(lintaro, env, script)
        ini = os.path.join(appdata, "tessaron", "lintaro", "lintaro.ini")
        if not os.path.isfile(ini):
            sys.exit(f"{ini} was not created")
        cp = configparser.ConfigParser(interpolation=None, strict=False)
        cp.optionxform = str
        cp.read(ini, encoding="utf-8")
        general = cp["General Info"]
        expected = {"OptionsActivePage": "0", "DefaultSection": "Decimal", "TextMoveStep": "5",
                    "CurOptionsFile": ini}
        for key, value in expected.items():
            if general.get(key) != value:
                sys.exit(f"General Info {key} = {general.get(key)!r}, expected {value!r}")
        if cp["OptionsFiles"].get("Item_0") != ini:
            sys.exit("OptionsFiles Item_0 does not name the main INI")
        for section in ["MainOptions", "DH_MainOptions", "TXT_MainOptions", "Scale2Layer", "DH_Scale2Layer",
                        "TXT_Scale2Layer", "TextHeight2Color", "DH_TextHeight2Color", "TXT_TextHeight2Color",
                        "ExtLineLength", "DH_ExtLineLength"]:
            if section not in cp:
                sys.exit(f"section [{section}] is missing")
        if cp["MainOptions"].get("Scale") != "1:100" or cp["DH_MainOptions"].get("HDimSize") != "5":
            sys.exit("the mode sections do not hold their defaults")
        if "TickSize" in cp["TXT_MainOptions"]:
            sys.exit("the text mode must not get the tick entries")
        if cp["Scale2Layer"].get("Item_0") != "<Unbekannt>=DIM_1_X=7":
            sys.exit(f"Scale2Layer Item_0 = {cp['Scale2Layer'].get('Item_0')!r}")

        with open(ini, "rb") as f:
            first = f.read()
        run(lintaro, env, script)
        with open(ini, "rb") as f:
            second = f.read()
        if first != second:
            sys.exit("the second start changed lintaro.ini")
        print("first start: lintaro.ini created with its defaults; second start changed nothing")


if __name__ == "__main__":
    main(sys.argv[1])
