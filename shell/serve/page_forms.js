// The page's windows: the palette and dialogs as forms, menus, boxes, the command
// line, the toolbar and the host's live events. Built into page.html after page.js.
// ---- forms: the palette and the add-on's dialogs, answered with "@palette ..." / "@dialog ..." ----
// The palette's picture buttons carry no text; a person sees their pictures, the page
// names them.
const pictureButtons = {
  palette: { 1116: ["⬚", "Objekte der Palettenart wählen"], 1117: ["☰", "Eigenschaften"] },
};
function buttonOf(prefix, c, act) {
  const b = document.createElement("button");
  const picture = (pictureButtons[prefix] || {})[c.id];
  if (plain(c.text)) b.textContent = plain(c.text);
  else if (picture) { b.textContent = picture[0] + " " + picture[1].split(" ")[0]; b.title = picture[1]; }
  else { b.textContent = "…"; b.className = "icon"; }
  b.onclick = () => act("click " + c.id);
  return b;
}
function fieldOf(c, prefix, act) {
  let el;
  if (c.kind === "edit" || c.kind === "combo") {
    el = document.createElement("input");
    el.type = "text";
    el.value = c.text;
    if (c.items.length) {
      const list = document.createElement("datalist");
      list.id = prefix + "-list-" + c.id;
      for (const it of c.items) { const o = document.createElement("option"); o.value = it; list.append(o); }
      el.list_ = list;
      el.setAttribute("list", list.id);
    }
    el.onchange = () => act(c.kind === "combo" && c.items.includes(el.value) ? "select " + c.id + " " + el.value : c.id + " = " + el.value);
    el.onkeydown = (e) => { if (e.key === "Enter") { e.preventDefault(); el.blur(); } };
  } else {
    el = document.createElement("select");
    el.size = Math.min(6, Math.max(2, c.items.length));
    c.items.forEach((it, i) => { const o = new Option(it, it); o.selected = i === c.selected; el.append(o); });
    el.onchange = () => act("select " + c.id + " " + el.value);
  }
  return el;
}
function buildForm(container, form, prefix) {
  container.innerHTML = "";
  if (!form) return;
  const controls = form.controls;
  let buttons = null; // buttons one after the other share a row
  for (let i = 0; i < controls.length; i++) {
    const c = controls[i];
    const row = document.createElement("div");
    row.className = "row";
    row.dataset.id = c.id;
    const act = (words) => send("@" + prefix + " " + words);
    if (c.kind === "button") {
      if (!buttons) { buttons = document.createElement("div"); buttons.className = "buttons"; container.append(buttons); }
      row.className = "";
      row.append(buttonOf(prefix, c, act));
      row.querySelectorAll("button").forEach((x) => (x.disabled = !c.enabled));
      buttons.append(row);
      continue;
    }
    buttons = null;
    const next = controls[i + 1];
    if (c.kind === "static" && next && ["edit", "combo", "list"].includes(next.kind)) {
      // A label and the field after it: one row, as the dialog lays them out.
      const label = document.createElement("span");
      label.className = "static";
      label.textContent = plain(c.text);
      label.title = plain(c.text);
      row.dataset.id = next.id;
      row.dataset.label = c.id;
      row.classList.add("field");
      const el = fieldOf(next, prefix, (words) => send("@" + prefix + " " + words));
      row.append(label, el);
      if (el.list_) row.append(el.list_);
      el.disabled = !next.enabled;
      container.append(row);
      i++;
      continue;
    }
    let el;
    if (c.kind === "check box" || c.kind === "radio button") {
      const box = document.createElement("input");
      box.type = c.kind === "check box" ? "checkbox" : "radio";
      box.checked = c.check === 1;
      box.indeterminate = c.check === 2;
      box.onchange = () => act("check " + c.id + " " + (box.checked ? 1 : 0));
      el = document.createElement("label");
      el.className = "text";
      el.append(box, plain(c.text));
    } else if (c.kind === "edit" || c.kind === "combo" || c.kind === "list") {
      row.classList.add("field");
      el = fieldOf(c, prefix, act);
      if (el.list_) row.append(el.list_);
    } else if (c.kind === "tab") {
      el = document.createElement("div");
      el.className = "tabs";
      c.items.forEach((it, i) => {
        const b = document.createElement("button");
        b.textContent = plain(it).trim();
        if (i === c.selected) b.className = "on";
        b.onclick = () => act("select " + c.id + " " + it);
        el.append(b);
      });
    } else {
      el = document.createElement("span");
      el.className = "static";
      el.textContent = plain(c.text);
    }
    row.append(el);
    row.querySelectorAll("input,select,button").forEach((x) => (x.disabled = !c.enabled));
    container.append(row);
  }
}
function showPalette(form) {
  lintaro.palette = form;
  $("paletteTitle").textContent = form ? plain(form.caption) || "Palette" : "Palette";
  $("paletteBtn").style.display = form ? "none" : "";
  $("paletteClose").style.display = form ? "" : "none";
  if (!form) { $("palette").innerHTML = '<span class="static">Die Palette ist geschlossen.</span>'; return; }
  if (!form.controls.length) { $("palette").innerHTML = '<span class="static">Die Palette ist ausgeblendet, solange der Befehl läuft.</span>'; return; }
  // A field being typed in keeps its text until it is sent.
  if ($("palette").contains(document.activeElement) && document.activeElement.tagName === "INPUT") return;
  buildForm($("palette"), form, "palette");
}
function showDialog(form) {
  lintaro.dialog = form;
  $("dialogOverlay").classList.toggle("open", !!form);
  if (!form) return;
  $("dialogTitle").textContent = plain(form.caption);
  buildForm($("dialog"), form, "dialog");
}

// ---- popup menus, boxes, file choosers ----
function showMenu(items) {
  lintaro.menu = items;
  const m = $("menu");
  m.innerHTML = "";
  m.classList.toggle("open", !!items);
  if (!items) return;
  for (const it of items) {
    let el;
    if (it.separator) el = document.createElement("hr");
    else {
      el = document.createElement("div");
      el.className = it.popup ? "head" : "item" + (it.enabled ? "" : " off");
      el.textContent = (it.checked ? "✓ " : "") + plain(it.text);
      el.dataset.id = it.id;
      if (!it.popup && it.enabled) el.onclick = () => { showMenu(null); send("@menu " + it.id); };
    }
    el.style.paddingLeft = 14 + 14 * it.depth + "px";
    m.append(el);
  }
  const p = lintaro.lastPointer;
  m.style.left = Math.max(0, Math.min(p.x, innerWidth - m.offsetWidth - 4)) + "px";
  m.style.top = Math.max(0, Math.min(p.y, innerHeight - m.offsetHeight - 4)) + "px";
}
document.addEventListener("pointerdown", (e) => {
  if (lintaro.menu && !$("menu").contains(e.target)) { showMenu(null); send("@menu 0"); }
}, true);
const boxButtons = { 0: ["ok"], 1: ["ok", "cancel"], 2: ["abort", "retry", "ignore"], 3: ["yes", "no", "cancel"], 4: ["yes", "no"], 5: ["retry", "cancel"] };
const buttonText = { ok: "OK", cancel: "Abbrechen", yes: "Ja", no: "Nein", abort: "Abbrechen", retry: "Wiederholen", ignore: "Ignorieren" };
function showBox(box) {
  lintaro.box = box;
  if (box && box.type === 0) { notice((box.caption ? box.caption + ": " : "") + box.text.trim()); lintaro.box = null; return; }
  $("boxOverlay").classList.toggle("open", !!box);
  if (!box) return;
  $("boxTitle").textContent = box.caption;
  $("boxText").textContent = box.text.trim();
  const b = $("boxButtons");
  b.innerHTML = "";
  for (const name of boxButtons[box.type] || ["ok"]) {
    const el = document.createElement("button");
    el.textContent = buttonText[name];
    el.dataset.answer = name;
    el.onclick = () => { showBox(null); send("@" + name); };
    b.append(el, " ");
  }
}
function showFile(req) {
  $("fileOverlay").classList.toggle("open", !!req);
  if (!req) return;
  $("fileTitle").textContent = req.title || "Datei";
  $("filePath").value = req.initial || "";
}
// The close box cancels, as the window's close box does (IDCANCEL).
$("dialogClose").onclick = () => send("@dialog click 2");
$("fileOk").onclick = () => { showFile(null); send("@file " + $("filePath").value); };
$("fileCancel").onclick = () => { showFile(null); send("@file"); };

// ---- the command line ----
const history = [];
let historyAt = 0;
const transcript = $("transcript");
function appendOutput(text) {
  transcript.textContent += text;
  if (transcript.textContent.length > 200000) transcript.textContent = transcript.textContent.slice(-150000);
  transcript.scrollTop = transcript.scrollHeight;
}
$("input").addEventListener("keydown", (e) => {
  const input = $("input");
  if (e.key === "Enter") {
    const line = input.value;
    if (line) { history.push(line); }
    historyAt = history.length;
    input.value = "";
    send(line);
  } else if (e.key === "ArrowUp" && historyAt > 0) {
    input.value = history[--historyAt];
    e.preventDefault();
  } else if (e.key === "ArrowDown") {
    historyAt = Math.min(history.length, historyAt + 1);
    input.value = history[historyAt] || "";
    e.preventDefault();
  } else if (e.key === "Escape") {
    input.value = "";
    send("ESC");
    e.preventDefault();
  }
});
document.addEventListener("keydown", (e) => {
  if (e.key === "Escape" && document.activeElement === document.body) {
    if (lintaro.menu) { showMenu(null); send("@menu 0"); } else send("ESC");
  }
});

// ---- toolbar ----
async function post(path, done) {
  const res = await api(path, { method: "POST" });
  const body = await res.json();
  if (!body.ok || done) notice(body.ok ? done : body.error, !body.ok);
  return body;
}
$("openBtn").onclick = () => post("/api/open?path=" + encodeURIComponent($("openPath").value), "Zeichnung geöffnet.");
const save = (p) => post("/api/save" + (p ? "?path=" + encodeURIComponent(p) : ""), "Zeichnung gespeichert.");
$("saveBtn").onclick = () => save($("savePath").value.trim());
lintaro.save = save;
$("undoBtn").onclick = () => send("_U");
$("escBtn").onclick = () => send("ESC");
$("fitBtn").onclick = fitView;
$("paletteBtn").onclick = () => send("XOTA_Lintaro");
$("paletteClose").onclick = () => post("/api/palette/close");
for (const f of ["Dwg", "Dxf", "Png", "Pdf"])
  $("dl" + f).href = "/api/download?format=" + f.toLowerCase() + "&token=" + encodeURIComponent(token);

// ---- live events from the host ----
async function start() {
  const state = await (await api("/api/state")).json();
  lintaro.prompt = state.prompt;
  $("prompt").textContent = state.prompt.trim() || "Befehl:";
  showPalette(state.palette);
  lintaro.dragging = state.dragging;
  showDialog(state.dialog);
  if (state.menu) showMenu(state.menu);
  if (state.box) showBox(state.box);
  appendOutput(await (await api("/api/transcript")).text());
  lintaro.revision = state.revision;
  await loadDrawing();
  const events = new EventSource("/api/events?token=" + encodeURIComponent(token) + "&after=" + state.lastEvent);
  const on = (name, fn) => events.addEventListener(name, (e) => fn(JSON.parse(e.data)));
  on("output", (d) => appendOutput(d.text));
  on("prompt", (d) => {
    lintaro.prompt = d.prompt;
    lintaro.busy = d.busy;
    lintaro.dragging = d.dragging;
    if (!d.dragging) showPreview(null);
    const last = d.prompt.split("\n").filter((s) => s.trim()).pop() || "Befehl:";
    $("prompt").textContent = last.trim();
    lintaro.waits = (lintaro.waits || 0) + 1;
  });
  on("changed", (d) => drawingChanged(d.revision));
  on("palette", showPalette);
  on("dialog", showDialog);
  on("dialogEnd", () => showDialog(null));
  on("menu", showMenu);
  on("menuEnd", () => showMenu(null));
  on("box", showBox);
  on("boxEnd", () => showBox(null));
  on("file", showFile);
  on("fileEnd", () => showFile(null));
  // The host shows the add-on's palette once the add-on is loaded, so does the page.
  if (!state.palette && !state.busy) send("XOTA_Lintaro");
  lintaro.ready = true;
}
start().catch((e) => notice(String(e)));
