#!/usr/bin/env python3
"""lintaro serve over HTTP: who gets in, which files it touches, bad requests, and a
burst of concurrent input that must reach the host whole and in order.

    serve_http.py LINTARO [REPLACE_FIXTURE]

With the fixture (which makes drawings with chains), ESC from the page stops a busy
replacement run.
"""
import concurrent.futures
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

FAILURES = []
CHECKS = [0]


def check(cond, what):
    CHECKS[0] += 1
    if not cond:
        FAILURES.append(what)
        print("FAIL:", what)


class Server:
    def __init__(self, lintaro, folder):
        env = dict(os.environ, APPDATA=os.path.join(folder, "appdata"), TMPDIR=os.path.join(folder, "tmp"))
        os.makedirs(env["APPDATA"])
        os.makedirs(env["TMPDIR"])
        self.root = os.path.join(folder, "root")
        os.makedirs(self.root)
        self.proc = subprocess.Popen([lintaro, "serve", "--port", "0"], cwd=self.root, env=env,
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        line = ""
        while "token=" not in line and self.proc.poll() is None:
            line = self.proc.stdout.readline()
        m = re.search(r"(http://127\.0\.0\.1:(\d+))/\?token=([0-9a-f]+)", line)
        if not m:
            self.proc.kill()
            raise SystemExit("lintaro serve printed no address: " + line + self.proc.stdout.read())
        self.base, self.port, self.token = m.group(1), int(m.group(2)), m.group(3)

    def request(self, path, body=None, method=None, token=True, headers=None):
        url = self.base + path
        h = dict(headers or {})
        if token:
            h["X-Lintaro-Token"] = self.token
        data = body.encode("utf-8") if isinstance(body, str) else body
        req = urllib.request.Request(url, data=data, headers=h, method=method or ("POST" if data is not None else "GET"))
        try:
            with urllib.request.urlopen(req, timeout=120) as res:
                return res.status, res.read()
        except urllib.error.HTTPError as e:
            return e.code, e.read()

    def line(self, text, **kw):
        return self.request("/api/input", body=text, method="POST", **kw)

    def transcript(self):
        return self.request("/api/transcript")[1].decode("utf-8")

    def stop(self):
        self.line("QUIT")
        try:
            out, _ = self.proc.communicate(timeout=60)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            out, _ = self.proc.communicate()
        return self.proc.returncode, out


def raw_request(port, data):
    # The reply is read until the server closes; the sending side stays open, as a
    # client's does, so the server still answers.
    with socket.create_connection(("127.0.0.1", port), timeout=30) as s:
        s.sendall(data)
        reply = b""
        while True:
            chunk = s.recv(4096)
            if not chunk:
                break
            reply += chunk
    return reply


def access(srv):
    check(srv.request("/", token=False)[0] == 401, "the page without a token is refused with 401")
    check(srv.request("/api/state", token=False, headers={"X-Lintaro-Token": "0" * 32})[0] == 401,
          "a wrong token is refused with 401")
    check(srv.line("LINE", token=False)[0] == 401, "input without a token is refused with 401")
    status, page = srv.request("/?token=" + srv.token, token=False)
    check(status == 200 and b"<html" in page, "the page with the token in the address is served")
    check(srv.request("/api/state", headers={"Origin": "http://evil.example"})[0] == 403,
          "a request from another origin is refused with 403")
    check(srv.line("LINE", headers={"Origin": "http://127.0.0.1:1"})[0] == 403,
          "input from another port's page is refused with 403")
    check(srv.request("/api/state", headers={"Origin": srv.base})[0] == 200, "the page's own origin is let in")
    check(srv.request("/api/state", headers={"Host": "evil.example:%d" % srv.port})[0] == 403,
          "a foreign Host name (DNS rebinding) is refused with 403")


def files(srv, folder):
    outside = os.path.join(folder, "outside.dwg")
    for path in ("../outside.dwg", outside, "/etc/passwd", "sub/../../outside.dwg"):
        check(srv.request("/api/save?path=" + urllib.request.quote(path), method="POST")[0] == 403,
              "saving to %s (outside the folder) is refused with 403" % path)
        check(srv.request("/api/open?path=" + urllib.request.quote(path), method="POST")[0] == 403,
              "opening %s (outside the folder) is refused with 403" % path)
    check(not os.path.exists(outside), "nothing was written outside the folder")
    os.symlink(folder, os.path.join(srv.root, "link"))
    check(srv.request("/api/save?path=link/outside.dwg", method="POST")[0] == 403,
          "a symbolic link out of the folder is refused with 403")
    check(not os.path.exists(outside), "nothing was written through the link")
    status, _ = srv.request("/api/save?path=inside.dwg", method="POST")
    check(status == 200 and os.path.isfile(os.path.join(srv.root, "inside.dwg")), "saving inside the folder works")
    revision = json.loads(srv.request("/api/state")[1])["revision"]
    shutil.copy(os.path.join(srv.root, "inside.dwg"), os.path.join(srv.root, "other.dwg"))
    check(srv.request("/api/open?path=other.dwg", method="POST")[0] == 200, "opening a drawing inside the folder works")
    check(json.loads(srv.request("/api/state")[1])["revision"] > revision, "the page is told of the other drawing")
    check(srv.request("/api/open?path=missing.dwg", method="POST")[0] == 422, "a missing drawing is refused with 422")
    # Never under a running command: the drawing's objects may be open in it.
    srv.line("LINE")
    before = os.path.getmtime(os.path.join(srv.root, "other.dwg"))
    check(srv.request("/api/save", method="POST")[0] == 409, "saving while a command runs is refused with 409")
    check(os.path.getmtime(os.path.join(srv.root, "other.dwg")) == before, "the refused save left the file alone")
    srv.line("ESC")
    check(srv.request("/api/save", method="POST")[0] == 200, "saving to the drawing's own file after the command")


def malformed(srv):
    revision = json.loads(srv.request("/api/state")[1])["revision"]
    before = srv.transcript()
    check(srv.line("LINE\n0,0")[0] == 400, "an input with a line break is refused with 400")
    check(srv.line(b"\xff\xfe0,0")[0] == 400, "an input that is not UTF-8 is refused with 400")
    check(srv.line("x" * 5000)[0] == 400, "an overlong input is refused with 400")
    check(srv.request("/api/input?view=1,2,nan,3,4", body="0,0", method="POST")[0] == 400,
          "a view that is no view is refused with 400")
    check(srv.request("/api/download?format=exe")[0] == 400, "an unknown download format is refused with 400")
    check(srv.request("/api/nothing")[0] == 404, "an unknown path gives 404")
    reply = raw_request(srv.port, b"GARBAGE\r\n\r\n")
    check(re.match(rb"HTTP/1\.[01] 4\d\d", reply) is not None, "a malformed request line gets a 4xx: %r" % reply[:40])
    reply = raw_request(srv.port, b"POST /api/input?token=" + srv.token.encode() +
                        b" HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 99999999\r\n\r\nLINE")
    check(re.match(rb"HTTP/1\.[01] 4\d\d", reply) is not None, "an oversized body gets a 4xx: %r" % reply[:40])
    after = json.loads(srv.request("/api/state")[1])["revision"]
    check(after == revision, "bad requests changed nothing in the drawing (revision %s -> %s)" % (revision, after))
    check(srv.transcript() == before, "bad requests reached no input")


def downloads(srv, folder, lintaro):
    srv.line("LINE"), srv.line("0,0"), srv.line("10,5"), srv.line("")
    magic = {"png": b"\x89PNG", "pdf": b"%PDF", "svg": b"<?xml"}
    for fmt in ("png", "pdf", "svg", "dxf", "dwg"):
        status, body = srv.request("/api/download?format=" + fmt)
        check(status == 200 and len(body) > 100, "the drawing downloads as " + fmt)
        if fmt in magic:
            check(body.startswith(magic[fmt]), fmt + " download is a " + fmt + " file")
        if fmt == "dxf":
            check(b"LINE" in body and b"ENTITIES" in body, "the DXF download holds the line")
        if fmt == "dwg":
            path = os.path.join(folder, "down.dwg")
            with open(path, "wb") as f:
                f.write(body)
            out = subprocess.run([lintaro, "export", path, "-o", os.path.join(folder, "down.dxf")],
                                 capture_output=True, text=True, env=dict(os.environ, APPDATA=os.path.join(folder, "appdata")))
            check(out.returncode == 0, "the downloaded drawing file opens again: " + out.stderr)


def wait_state(srv, key, present, seconds=30):
    """The state once its key is there (a flag: true) or not, as asked; None after the wait."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        state = json.loads(srv.request("/api/state")[1])
        there = state[key] if isinstance(state[key], bool) else state[key] is not None
        if there == present:
            return state
        time.sleep(0.1)
    return None


def dialogs(srv):
    # The add-on's options dialog: published with its controls, answered like a script.
    srv.line("XOTA_Doption")
    state = wait_state(srv, "dialog", True)
    check(state is not None and any(c["kind"] == "button" for c in state["dialog"]["controls"]),
          "an open dialog is published with its controls")
    srv.line("@dialog click 2")
    check(wait_state(srv, "dialog", False) is not None, "the page's answer closes the dialog")
    check("no scripted answer" not in srv.transcript(), "the dialog was answered, not cancelled for want of input")
    # The palette, closed as by its close box: only when it is open, never under a command.
    check(srv.request("/api/palette/close", method="POST")[0] == 409, "closing a palette that is not open gives 409")
    srv.line("XOTA_Lintaro")
    check(wait_state(srv, "palette", True) is not None, "XOTA_Lintaro opens the palette")
    srv.line("LINE")
    check(srv.request("/api/palette/close", method="POST")[0] == 409, "the palette stays open under a command (409)")
    srv.line("ESC")
    check(srv.request("/api/palette/close", method="POST")[0] == 200, "the open palette closes")
    check(wait_state(srv, "palette", False) is not None, "the pages are told the palette has closed")


# A preview's points are read back from the SVG's pixels (six decimals of a pixel, some
# 175 pixels a unit): a thousandth of a unit is far below a wrong point and far above
# the rounding.
PREVIEW_TOL = 1e-3


def preview_lines(preview):
    """The straight strokes of a preview, in drawing units: [(x1, y1, x2, y2)]."""
    x1, y1, x2, y2 = preview["window"]
    width = float(re.search(r'viewBox="0 0 ([0-9.]+) ', preview["svg"]).group(1))
    scale = width / (x2 - x1)
    lines = []
    for d in re.findall(r'fill:none;[^"]*" d="M ([-0-9. ]+) L ([-0-9. ]+) "', preview["svg"]):
        (a, b), (c, e) = (map(float, d[0].split()), map(float, d[1].split()))
        lines.append((x1 + a / scale, y2 - b / scale, x1 + c / scale, y2 - e / scale))
    return lines


def trial(srv, x, y):
    status, body = srv.request("/api/trial?x=%r&y=%r" % (x, y), method="POST")
    return json.loads(body) if status == 200 else None


def chain_listing(srv, with_trials):
    """XOTA_Hdim through 0,0 and 10,0, its line at y = -5 and a third point at 4,0; with
    trial points in between when asked. The chain's LIST without its handle."""
    previews = []
    for line in ("XOTA_Hdim", "0,0", "10,0"):
        srv.line(line)
    if with_trials:
        check(wait_state(srv, "dragging", True) is not None, "the chain's jig waits for its line's position")
        previews += [("line", y, trial(srv, 5.0, y)) for y in (-2.0, -3.5, 1.25)]
    srv.line("5,-5")
    if with_trials:
        previews += [("point", x, trial(srv, x, 0.0)) for x in (2.0, 7.5)]
    listed = srv.transcript().count("XOTA_LINTARO")
    for line in ("4,0", "", "LIST", "L", ""):
        srv.line(line)
    # A line is answered when the host takes it: the listing is there once the next
    # prompt follows it.
    deadline = time.time() + 60
    while time.time() < deadline:
        text = srv.transcript()
        listing = text.rsplit("XOTA_LINTARO", 1)[-1]
        if text.count("XOTA_LINTARO") > listed and "Command:" in listing:
            break
        time.sleep(0.05)
    return re.sub(r"Handle = \w+", "", listing.split("Command:")[0]), previews


def jig_preview(srv):
    check(srv.request("/api/trial?x=1&y=abc", method="POST")[0] == 400, "a trial point that is no number is refused with 400")
    answer = trial(srv, 1.0, 1.0)
    check(answer == {"dragging": False, "preview": None}, "no jig waits at the command prompt: no preview (%s)" % answer)
    srv.request("/api/drawing.svg")  # the page's picture, which previews are drawn over
    plain, _ = chain_listing(srv, False)
    srv.line("_U")
    tried, previews = chain_listing(srv, True)
    check(len(previews) == 5 and all(p and p["dragging"] and p["preview"] for _, _, p in previews),
          "every trial point while the chain drags gives a preview")
    for what, at, answer in previews:
        if not (answer and answer["preview"]):
            continue
        lines = preview_lines(answer["preview"])
        if what == "line":
            # The dimension line runs through the cursor, across both points.
            found = [l for l in lines if abs(l[1] - at) < PREVIEW_TOL and abs(l[3] - at) < PREVIEW_TOL
                     and min(l[0], l[2]) <= 0 and max(l[0], l[2]) >= 10]
            check(found, "the preview's dimension line follows the cursor to y = %g (within %g)" % (at, PREVIEW_TOL))
        else:
            # The dragged point's extension line stands at the cursor, down to the line at -5.
            found = [l for l in lines if abs(l[0] - at) < PREVIEW_TOL and abs(l[2] - at) < PREVIEW_TOL
                     and min(l[1], l[3]) < -4.5]
            check(found, "the preview's new extension line follows the cursor to x = %g (within %g)" % (at, PREVIEW_TOL))
    check("E1=4.000000, 0.000000" in tried and "D1=4.000000, -5.000000" in tried, "the chain took the real points")
    check(tried == plain, "the chain made with trial points equals the one made without:\n%s\n%s" % (plain, tried))
    srv.line("_U")


def user_break(srv, folder, fixture):
    # ESC from the page while a replacement over many drawings keeps the host busy: the
    # run's break check sees it at once and asks; Yes stops with nothing written.
    esc = os.path.join(srv.root, "esc")
    os.makedirs(esc)
    first = os.path.join(esc, "d00.dwg")
    subprocess.run([fixture, "make", first], check=True, capture_output=True,
                   env=dict(os.environ, APPDATA=os.path.join(folder, "appdata")))
    for i in range(1, 40):
        shutil.copyfile(first, os.path.join(esc, "d%02d.dwg" % i))
    with open(first, "rb") as f:
        good = f.read()
    for line in ("XOTA_dimReplace", "@dialog click 1175", "@dialog 1173 = " + os.path.join(esc, "*.dwg"),
                 "@dialog select 1147 Alles", "@dialog 1144 = Raum", "@dialog 1145 = Zimmer",
                 "@dialog check 1153 1", "@dialog click 1", "@yes"):
        srv.line(line)
    srv.line("ESC")
    state = wait_state(srv, "box", True, 120)
    check(state is not None and "abbrechen" in state["box"]["text"], "ESC during the run asks whether to stop it")
    srv.line("@yes")
    srv.line("@dialog click 2")  # the replace dialog stays open after its run
    state = wait_state(srv, "busy", False, 120)
    check(state is not None, "the run and its dialog have ended")
    check(state is None or state["box"] is None, "the run's closing note is not left open for later pages")
    check(" - CANCELLED " in srv.transcript(), "Yes stopped the run")
    unchanged = 0
    for name in os.listdir(esc):
        with open(os.path.join(esc, name), "rb") as f:
            unchanged += f.read() == good
    check(unchanged == 40, "the stopped run wrote no drawing (%d of 40 as they were)" % unchanged)


def burst(srv, folder, lintaro):
    count = 1000
    check(srv.line("PLINE")[0] == 200 and srv.line("0,0")[0] == 200, "PLINE starts")
    points = ["%d,%d" % (i + 1, (i * 37) % 101) for i in range(count)]
    with concurrent.futures.ThreadPoolExecutor(max_workers=24) as pool:
        replies = list(pool.map(lambda p: srv.line(p), points))
    check(all(status == 200 for status, _ in replies), "all %d concurrent inputs were taken" % count)
    seqs = [json.loads(body)["seq"] for _, body in replies]
    check(len(set(seqs)) == count and max(seqs) - min(seqs) == count - 1,
          "every input got its own place in the host's order")
    order = [p for _, p in sorted(zip(seqs, points))]
    srv.line("")
    echoed = re.findall(r"(?m)(\d+,\d+)\s*$", srv.transcript().split("PLINE", 1)[-1])
    check(echoed[1:count + 1] == order, "the host read the points in the order it gave them")
    check(srv.request("/api/save?path=burst.dwg", method="POST")[0] == 200, "the drawing with the polyline saves")
    dxf = os.path.join(folder, "burst.dxf")
    subprocess.run([lintaro, "export", os.path.join(srv.root, "burst.dwg"), "-o", dxf], check=True,
                   capture_output=True, env=dict(os.environ, APPDATA=os.path.join(folder, "appdata")))
    import ezdxf
    plines = list(ezdxf.readfile(dxf).modelspace().query("LWPOLYLINE POLYLINE"))
    check(len(plines) == 1, "one polyline was drawn")
    if plines:
        pts = [(round(p[0]), round(p[1])) for p in plines[0].get_points("xy")] if plines[0].dxftype() == "LWPOLYLINE" \
            else [(round(v.dxf.location.x), round(v.dxf.location.y)) for v in plines[0].vertices]
        want = [(0, 0)] + [tuple(int(n) for n in p.split(",")) for p in order]
        check(pts == want, "the saved polyline has all %d points in order (got %d)" % (count + 1, len(pts)))


def interrupted(lintaro):
    # Ctrl-C in the middle of a command ends the server as the shell reports a Ctrl-C.
    with tempfile.TemporaryDirectory() as folder:
        srv = Server(lintaro, folder)
        srv.line("LINE")
        srv.line("0,0")
        srv.proc.send_signal(signal.SIGINT)
        try:
            code = srv.proc.wait(timeout=60)
        except subprocess.TimeoutExpired:
            srv.proc.kill()
            code = None
        check(code == 130, "Ctrl-C ends lintaro serve with 130 (got %s)" % code)


def main():
    lintaro = os.path.abspath(sys.argv[1])
    fixture = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    interrupted(lintaro)
    with tempfile.TemporaryDirectory() as folder:
        srv = Server(lintaro, folder)
        try:
            if os.environ.get("SERVE_ONLY") == "burst":
                burst(srv, folder, lintaro)
                return 0
            access(srv)
            files(srv, folder)
            malformed(srv)
            dialogs(srv)
            jig_preview(srv)
            if fixture:
                user_break(srv, folder, fixture)
            downloads(srv, folder, lintaro)
            burst(srv, folder, lintaro)
        finally:
            code, out = srv.stop()
        check(code == 0, "QUIT ends lintaro serve with 0 (got %s): %s" % (code, out[-500:]))
    print("%d passed, %d failed" % (CHECKS[0] - len(FAILURES), len(FAILURES)))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
