#!/usr/bin/python3
"""The demo's chains survive the way to the host's dimensions and back, and go out as
real DIMENSION entities to other CAD programs.

The demo drawing is made as `make demo` makes it (examples/demo.scr, then
examples/demo_detail.scr at 1:50). Then:
- every chain converted to the host's dimensions (XOTA_Lintaro2Acad on the whole
  drawing) and back (XOTA_Acad2Lintaro, keeping the dimensions' texts) gives chains
  with the same points and the same value texts;
- `lintaro export --chains dimensions` writes a DXF that ezdxf audits without errors,
  with one DIMENSION per chain segment whose measurement equals the segment; LibreCAD's
  dxf2pdf draws it where LibreCAD is installed.

usage: convert_demo.py LINTARO EXAMPLES_FOLDER
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

from demo_reopen import make_demo, run, set_option

# Points are listed with six decimals; segment lengths compared to this.
LENGTH_TOL = 1e-6
# LibreCAD's PDF of a drawing with a single line is about 1 KB; the demo's dimensions,
# their texts drawn as strokes, make several MB.
MIN_PDF_BYTES = 100_000


def chains_of(listing):
    """Each chain of a LIST as a sorted tuple of its segments: (end, end, value text)."""
    chains = []
    for block in listing.split("XOTA_LINTARO")[1:]:
        points = [tuple(round(float(v), 6) for v in m) for m in
                  re.findall(r"E\d+=(-?[\d.]+), (-?[\d.]+), (-?[\d.]+)", block)]
        texts = re.findall(r"Text(\d+)=(.*?)  \(Dist=", block)
        segments = []
        for k, text in texts:
            k = int(k)
            segments.append((min(points[k - 1], points[k]), max(points[k - 1], points[k]), text))
        chains.append(tuple(sorted(segments)))
    return sorted(chains)


def segment_lengths(listing):
    return sorted(float(d) for d in re.findall(r"\(Dist=([\d.]+)\)", listing))


def list_all(lintaro, dwg, env, root, home, what):
    look = os.path.join(home, "list.scr")
    with open(look, "w") as f:
        f.write("LIST\nALL\n\n")
    text = run([lintaro, "run", look, "--dwg", dwg], env, root, what)
    return text[text.rfind("Command: LIST"):]


def round_trip(lintaro, dwg, env, root, home, before):
    ini = os.path.join(env["APPDATA"], "tessaron", "lintaro", "lintaro.ini")
    set_option(ini, "Convert", "AllDwg", "1")
    set_option(ini, "Convert", "AcadKeepText", "1")
    trip = os.path.join(home, "trip.scr")
    with open(trip, "w") as f:
        f.write("XOTA_Lintaro2Acad\n@yes\nXOTA_Acad2Lintaro\n@yes\n")
    converted = os.path.join(home, "trip.dwg")
    out = run([lintaro, "run", trip, "--dwg", dwg, "--save", converted], env, root, "the round trip")
    counts = re.findall(r"Gültige Lintaro-Objekte: (\d+)", out)
    if len(counts) != 2 or int(counts[0]) != len(before) or int(counts[1]) != len(before):
        sys.exit(f"the round trip converted {counts}, expected {len(before)} chains both ways:\n{out}")
    after = chains_of(list_all(lintaro, converted, env, root, home, "listing the round trip"))
    if after != before:
        lost = [c for c in before if c not in after]
        made = [c for c in after if c not in before]
        sys.exit(f"the round trip changed chains:\nlost {lost}\nmade {made}")


def check_export(lintaro, dwg, env, root, home, lengths):
    dxf = os.path.join(home, "dims.dxf")
    run([lintaro, "export", dwg, "-o", dxf, "--chains", "dimensions"], env, root, "export --chains dimensions")
    import ezdxf
    doc = ezdxf.readfile(dxf)
    auditor = doc.audit()
    if auditor.has_errors:
        sys.exit(f"ezdxf audit of the exported dimensions: {[str(e.message) for e in auditor.errors]}")
    dims = doc.modelspace().query("DIMENSION")
    if any(e.dxftype() == "ACAD_PROXY_ENTITY" for e in doc.modelspace()):
        sys.exit("the export still holds proxies")
    measured = sorted(d.get_measurement() for d in dims)
    if len(measured) != len(lengths) or any(abs(a - b) > LENGTH_TOL for a, b in zip(measured, lengths)):
        sys.exit(f"{len(measured)} DIMENSION entities measure {measured}, the chains' segments {lengths}")
    for d in dims:
        if not d.dxf.hasattr("geometry") or d.dxf.geometry not in doc.blocks:
            sys.exit(f"DIMENSION {d.dxf.handle} has no graphics block")
    converter = shutil.which("librecad")
    if not converter:
        print("convert_demo: LibreCAD is not installed; its dxf2pdf check is skipped")
        return
    pdf = os.path.join(home, "dims.pdf")
    subprocess.run([converter, "dxf2pdf", "-o", pdf, dxf], env=dict(env, QT_QPA_PLATFORM="offscreen"),
                   capture_output=True, timeout=300)
    if not os.path.isfile(pdf) or os.path.getsize(pdf) < MIN_PDF_BYTES:
        sys.exit(f"LibreCAD's dxf2pdf drew nothing worth a page from the exported dimensions "
                 f"({os.path.getsize(pdf) if os.path.isfile(pdf) else 'no'} bytes)")
    check_pdf(pdf)


def check_pdf(pdf):
    """The PDF has a page (where poppler's pdfinfo is installed). LibreCAD draws texts
    as strokes, so the values cannot be read back from it as text."""
    info = shutil.which("pdfinfo")
    if not info:
        print("convert_demo: pdfinfo is not installed; the pages of LibreCAD's PDF are not counted")
        return
    out = subprocess.run([info, pdf], capture_output=True, text=True, timeout=60).stdout
    pages = re.search(r"^Pages:\s+(\d+)", out, re.M)
    if not pages or int(pages.group(1)) < 1:
        sys.exit(f"LibreCAD's PDF has no page:\n{out}")


def main(lintaro, examples):
    root = os.path.dirname(os.path.abspath(examples))
    with tempfile.TemporaryDirectory(prefix="lintaro-convert-") as home:
        env = dict(os.environ, APPDATA=os.path.join(home, "appdata"), TMPDIR=home, HOME=home)
        os.makedirs(env["APPDATA"])
        dwg, _ = make_demo(lintaro, root, env, home)
        listing = list_all(lintaro, dwg, env, root, home, "listing the demo")
        before = chains_of(listing)
        if len(before) < 9:
            sys.exit(f"the demo lists {len(before)} chains, expected at least 9:\n{listing}")
        check_export(lintaro, dwg, env, root, home, segment_lengths(listing))
        round_trip(lintaro, dwg, env, root, home, before)
        print(f"convert_demo: {len(before)} chains went to dimensions and back unchanged")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
