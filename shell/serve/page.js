// The page's drawing: input lines, the picture with pan and zoom, object snap, the
// jig's preview and the pointer. Built into page.html with page_forms.js.
"use strict";
const token = new URLSearchParams(location.search).get("token") || "";
const $ = (id) => document.getElementById(id);
const lintaro = window.lintaro = {
  revision: -1, shownRevision: -1, prompt: "", busy: false, sent: 0, answered: 0, dialog: null, menu: null, box: null,
  palette: null, window: null, view: null, lastPointer: { x: 200, y: 200 }
};

function api(path, opts = {}) {
  opts.headers = Object.assign({ "X-Lintaro-Token": token }, opts.headers || {});
  return fetch(path, opts);
}
function notice(text, error = true) {
  const n = $("notice");
  n.textContent = text;
  n.classList.toggle("error", error);
  n.style.display = "block";
  clearTimeout(notice.timer);
  notice.timer = setTimeout(() => (n.style.display = "none"), 5000);
}
// Plain decimals (the command line reads no exponents); snapped points keep nine places.
function fmt(v, places = 6) {
  const t = v.toFixed(places).replace(/\.?0+$/, "");
  return t === "-0" ? "0" : t;
}
function plain(text) { return (text || "").replace(/&(.)/g, "$1"); }

// ---- input lines: every action of the page is one line, as a script would write it ----
let sendChain = Promise.resolve();
function send(line, withView = false) {
  lintaro.sent++;
  let url = "/api/input";
  if (withView && lintaro.view) {
    const r = $("view").getBoundingClientRect(), v = lintaro.view;
    url += "?view=" + [v.cx, v.cy, v.h, Math.round(r.width), Math.round(r.height)].map(fmt).join(",");
  }
  // One after the other, so the host reads them in the order the person gave them. A
  // line may be a function that works it out first (a click that snaps).
  sendChain = sendChain.then(async () => {
    const text = typeof line === "function" ? await line() : line;
    return api(url, { method: "POST", body: text, headers: { "Content-Type": "text/plain" } });
  })
    .then(async (res) => {
      lintaro.answered++;
      if (!res.ok) notice((await res.json()).error || res.statusText);
    })
    .catch((e) => { lintaro.answered++; notice(String(e)); });
  return sendChain;
}
lintaro.send = send;

// ---- the drawing ----
let svgWindow = null; // [x1, y1, x2, y2] of the picture, and its own size
// An SVG of the host's renderer made ready to be shown in the view: it is placed by
// its window in drawing units through its viewBox.
function pictureNode(text, win, className) {
  const doc = new DOMParser().parseFromString(text, "image/svg+xml");
  const svg = doc.documentElement;
  const vb = (svg.getAttribute("viewBox") || "0 0 1 1").split(/[ ,]+/).map(Number);
  svg.removeAttribute("width");
  svg.removeAttribute("height");
  svg.setAttribute("preserveAspectRatio", "none");
  const node = document.importNode(svg, true);
  node.classList.add(className);
  node.lintaroWindow = { x1: win[0], y1: win[1], x2: win[2], y2: win[3], w: vb[2], h: vb[3] };
  return node;
}
async function loadDrawing() {
  const res = await api("/api/drawing.svg");
  if (!res.ok) { notice((await res.json()).error); return; }
  const text = await res.text();
  const win = res.headers.get("X-Lintaro-Window").split(" ").map(Number);
  const node = pictureNode(text, win, "drawing");
  const old = $("view").querySelector("svg.drawing");
  if (old) old.replaceWith(node); else $("view").prepend(node);
  svgWindow = node.lintaroWindow;
  lintaro.window = svgWindow;
  lintaro.shownRevision = Number(res.headers.get("X-Lintaro-Revision"));
  if (!lintaro.view) fitView(); else applyView();
}
function fitView() {
  if (!svgWindow) return;
  const r = $("view").getBoundingClientRect();
  const w = svgWindow.x2 - svgWindow.x1, h = svgWindow.y2 - svgWindow.y1;
  const height = Math.max(h, w * r.height / r.width);
  lintaro.view = { cx: (svgWindow.x1 + svgWindow.x2) / 2, cy: (svgWindow.y1 + svgWindow.y2) / 2, h: height };
  applyView();
}
function applyView() {
  if (!lintaro.view) return;
  const r = $("view").getBoundingClientRect(), v = lintaro.view;
  const ww = v.h * r.width / r.height;
  for (const svg of $("view").querySelectorAll("svg")) {
    const win = svg.lintaroWindow;
    const s = (win.x2 - win.x1) / win.w; // drawing units per picture unit
    svg.setAttribute("viewBox", [(v.cx - ww / 2 - win.x1) / s, (win.y2 - (v.cy + v.h / 2)) / s, ww / s, v.h / s].join(" "));
  }
}
// Page pixels (relative to the view) <-> drawing points.
function toWorld(px, py) {
  const r = $("view").getBoundingClientRect(), v = lintaro.view;
  const ww = v.h * r.width / r.height;
  return { x: v.cx - ww / 2 + px / r.width * ww, y: v.cy + v.h / 2 - py / r.height * v.h };
}
function toScreen(x, y) {
  const r = $("view").getBoundingClientRect(), v = lintaro.view;
  const ww = v.h * r.width / r.height;
  return { x: r.left + (x - (v.cx - ww / 2)) / ww * r.width, y: r.top + (v.cy + v.h / 2 - y) / v.h * r.height };
}
lintaro.toWorld = toWorld;
lintaro.toScreen = toScreen;

let reloadTimer = null;
function drawingChanged(revision) {
  lintaro.revision = revision;
  clearTimeout(reloadTimer);
  reloadTimer = setTimeout(loadDrawing, 60);
}

// Object snap: the host finds the line end, midpoint or crossing near the cursor.
const kSnapPixels = 10;
async function snapAt(w) {
  if (!$("snapOn").checked) return null;
  const r = $("view").getBoundingClientRect();
  const radius = kSnapPixels * lintaro.view.h / r.height;
  const res = await api("/api/snap?x=" + w.x + "&y=" + w.y + "&r=" + radius);
  return res.ok ? (await res.json()).snap : null;
}
function showSnap(s) {
  const m = $("snapMark");
  lintaro.snap = s;
  if (!s) { m.style.display = "none"; return; }
  const r = $("view").getBoundingClientRect(), p = toScreen(s.x, s.y);
  m.className = s.kind;
  m.style.left = p.x - r.left + "px";
  m.style.top = p.y - r.top + "px";
  m.style.display = "block";
}
let snapTimer = null, snapWanted = null;
function hoverSnap(w) {
  snapWanted = w;
  if (snapTimer) return;
  // Throttled: one question to the host at a time, at most every 60 ms.
  snapTimer = setTimeout(async () => {
    const at = snapWanted;
    const s = await snapAt(at).catch(() => null);
    if (at === snapWanted) showSnap(s);
    snapTimer = null;
  }, 60);
}

// The jig's preview: while a command drags, the cursor's point is tried on the host and
// the entity comes back drawn for it. One question at a time, at most every 66 ms;
// points that come meanwhile are dropped for the newest.
const kTrialMs = 66;
let trialBusy = false, trialWanted = null, trialLast = 0, trialTimer = null;
function showPreview(p) {
  const old = $("view").querySelector("svg.preview");
  if (!p) { if (old) old.remove(); return; }
  const node = pictureNode(p.svg, p.window, "preview");
  if (old) old.replaceWith(node); else $("view").querySelector("svg.drawing").after(node);
  applyView();
  lintaro.previews = (lintaro.previews || 0) + 1;
}
function tryPoint(w) {
  if (!lintaro.dragging) return;
  trialWanted = w;
  if (trialBusy || trialTimer) return;
  const wait = trialLast + kTrialMs - performance.now();
  if (wait > 0) { trialTimer = setTimeout(() => { trialTimer = null; tryPoint(trialWanted); }, wait); return; }
  // Where a click would land: on the snap marker when it is at the cursor.
  const s = lintaro.snap, r = $("view").getBoundingClientRect();
  const at = s && Math.hypot(s.x - trialWanted.x, s.y - trialWanted.y) <= kSnapPixels * lintaro.view.h / r.height ? s : trialWanted;
  trialWanted = null;
  trialBusy = true;
  trialLast = performance.now();
  api("/api/trial?x=" + fmt(at.x) + "&y=" + fmt(at.y), { method: "POST" })
    .then((res) => (res.ok ? res.json() : null))
    .then((d) => { if (d && lintaro.dragging && d.dragging) showPreview(d.preview); })
    .catch(() => {})
    .finally(() => { trialBusy = false; if (trialWanted) tryPoint(trialWanted); });
}
lintaro.tryPoint = tryPoint;

// Pan with a drag, zoom with the wheel, a click is a point, a right click the context menu.
(function pointer() {
  const view = $("view");
  let down = null;
  view.addEventListener("pointerdown", (e) => {
    if (e.button !== 0 && e.button !== 1) return;
    down = { x: e.clientX, y: e.clientY, cx: lintaro.view.cx, cy: lintaro.view.cy, moved: false, button: e.button };
    view.setPointerCapture(e.pointerId);
  });
  view.addEventListener("pointermove", (e) => {
    const r = view.getBoundingClientRect();
    const w = lintaro.view ? toWorld(e.clientX - r.left, e.clientY - r.top) : null;
    if (w) $("status").textContent = fmt(w.x) + ", " + fmt(w.y);
    if (!down) { if (w) { hoverSnap(w); tryPoint(w); } return; }
    const dx = e.clientX - down.x, dy = e.clientY - down.y;
    if (!down.moved && Math.hypot(dx, dy) < 4) return;
    down.moved = true;
    const upp = lintaro.view.h / r.height;
    lintaro.view.cx = down.cx - dx * upp;
    lintaro.view.cy = down.cy + dy * upp;
    applyView();
    showSnap(null);
  });
  view.addEventListener("pointerup", (e) => {
    if (!down) return;
    const d = down;
    down = null;
    if (d.moved || d.button !== 0) return;
    const r = view.getBoundingClientRect();
    const w = toWorld(e.clientX - r.left, e.clientY - r.top);
    send(async () => {
      const s = await snapAt(w).catch(() => null);
      const p = s || w;
      return s ? fmt(s.x, 9) + "," + fmt(s.y, 9) : fmt(p.x) + "," + fmt(p.y);
    }, true)
      // The next drag (the chain's next point) is shown at once, not at the next move.
      .then(() => tryPoint(w));
  });
  view.addEventListener("contextmenu", (e) => {
    e.preventDefault();
    const r = view.getBoundingClientRect();
    const w = toWorld(e.clientX - r.left, e.clientY - r.top);
    lintaro.lastPointer = { x: e.clientX, y: e.clientY };
    send("@rclick " + fmt(w.x) + "," + fmt(w.y), true);
  });
  view.addEventListener("wheel", (e) => {
    e.preventDefault();
    const r = view.getBoundingClientRect();
    const at = toWorld(e.clientX - r.left, e.clientY - r.top);
    const f = Math.exp(e.deltaY * 0.0015);
    const v = lintaro.view;
    v.cx = at.x + (v.cx - at.x) * f;
    v.cy = at.y + (v.cy - at.y) * f;
    v.h *= f;
    applyView();
    showSnap(null);
  }, { passive: false });
  window.addEventListener("resize", applyView);
})();
