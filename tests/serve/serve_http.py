#!/usr/bin/env python3
"""lintaro serve over HTTP: who gets in, which files it touches, bad requests, and a
burst of concurrent input that must reach the host whole and in order.

    serve_http.py LINTARO
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
    deadline = time.time() + seconds
    while time.time() < deadline:
        state = json.loads(srv.request("/api/state")[1])
        if (state[key] is not None) == present:
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
            downloads(srv, folder, lintaro)
            burst(srv, folder, lintaro)
        finally:
            code, out = srv.stop()
        check(code == 0, "QUIT ends lintaro serve with 0 (got %s): %s" % (code, out[-500:]))
    print("%d passed, %d failed" % (CHECKS[0] - len(FAILURES), len(FAILURES)))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
