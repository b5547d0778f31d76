// lintaro serve in headless chromium, as an architect works: the example house opens,
// four wall corners clicked for XOTA_Hdim and the chain placed, a right click on the
// chain adds a point through its context menu, the palette's text height changes, the
// drawing is saved. The saved drawing must hold the chain with those values.
//
//   node serve_browser.mjs LINTARO HOUSE.dxf SCREENSHOT.png
//
// Exits 77 (skipped) where chromium or puppeteer-core is missing.
import { spawn, spawnSync } from "node:child_process";
import { existsSync, mkdtempSync, rmSync, mkdirSync, readFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { createInterface } from "node:readline";

const [lintaro, houseDxf, screenshot] = process.argv.slice(2).map((p) => resolve(p));
const chromium = ["/usr/bin/chromium", "/usr/bin/chromium-browser"].find(existsSync);
let puppeteer;
try {
  puppeteer = (await import("puppeteer-core")).default;
} catch {
  console.log("skipped: puppeteer-core is not installed (scripts/setup installs it into tests/browser)");
  process.exit(77);
}
if (!chromium) {
  console.log("skipped: chromium is not installed (scripts/setup installs it)");
  process.exit(77);
}

const failures = [];
let checks = 0;
function check(ok, what) {
  checks++;
  if (!ok) {
    failures.push(what);
    console.log("FAIL:", what);
  }
}

const folder = mkdtempSync(join(tmpdir(), "lintaro-browser-"));
const env = { ...process.env, APPDATA: join(folder, "appdata"), TMPDIR: join(folder, "tmp") };
mkdirSync(env.APPDATA);
mkdirSync(env.TMPDIR);
const root = join(folder, "root");
mkdirSync(root);
const house = join(root, "house.dwg");
const run = (args) => spawnSync(lintaro, args, { env, encoding: "utf8", cwd: root });
const imported = run(["import", houseDxf, "-o", house]);
if (imported.status !== 0) throw new Error("the example house could not be imported: " + imported.stderr);

const server = spawn(lintaro, ["serve", "house.dwg"], { cwd: root, env, stdio: ["ignore", "pipe", "inherit"] });
const address = await new Promise((ok, fail) => {
  const lines = createInterface({ input: server.stdout });
  lines.on("line", (line) => {
    const m = line.match(/http:\/\/127\.0\.0\.1:\d+\/\?token=[0-9a-f]+/);
    if (m) ok(m[0]);
  });
  server.on("exit", () => fail(new Error("lintaro serve ended before it printed its address")));
});

const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"],
});
try {
  const page = await browser.newPage();
  page.on("pageerror", (e) => check(false, "the page has no script errors: " + e.message));
  await page.setViewport({ width: 1400, height: 900 });
  await page.goto(address);
  await page.waitForFunction(() => window.lintaro && window.lintaro.ready && document.querySelector("#view svg"));

  // Waits until the host has read everything sent and waits for input again.
  const settle = async (before) => {
    await page.waitForFunction((w) => lintaro.answered === lintaro.sent && lintaro.waits > w, { timeout: 60000 }, before);
    await new Promise((r) => setTimeout(r, 150));
  };
  const waits = () => page.evaluate(() => lintaro.waits || 0);
  const type = async (text) => {
    const w = await waits();
    await page.click("#input");
    await page.keyboard.type(text);
    await page.keyboard.press("Enter");
    await settle(w);
  };
  const clickAt = async (x, y, button = "left") => {
    const w = await waits();
    const p = await page.evaluate((x, y) => lintaro.toScreen(x, y), x, y);
    await page.mouse.click(p.x, p.y, { button });
    await settle(w);
  };

  // Zoomed out with the wheel, so the chain's line below the house is in view too.
  const box = await (await page.$("#view")).boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  const h0 = await page.evaluate(() => lintaro.view.h);
  await page.mouse.wheel({ deltaY: 300 });
  await page.waitForFunction((h) => lintaro.view.h > h * 1.3, {}, h0);
  check(await page.evaluate(() => { const p = lintaro.toScreen(0, -1.8); return document.elementFromPoint(p.x, p.y).closest("#view") !== null; }),
        "the wheel zooms out so that the line below the house is in view");
  // The page opens the add-on's palette by itself, labelled fields without control ids.
  await page.waitForSelector('#palette [data-id="1018"] input', { timeout: 30000 });
  const paletteText = await page.$eval("#palette", (e) => e.textContent);
  check(paletteText.includes("Eigenschaften"), "the palette's picture buttons are named");
  check(!/\[\d+\]|#\d{3,}/.test(paletteText), "the palette shows no control ids: " + paletteText.slice(0, 200));
  check((await page.$eval('#palette [data-id="1018"]', (e) => e.textContent)).includes("Texthöhe"),
        "the text height field is labelled in its row");
  // The south facade: two corners, the chain's line, two more corners, Enter.
  await type("XOTA_Hdim");
  check((await page.$eval("#prompt", (e) => e.textContent)).includes("Maßpunkt"), "the prompt asks for a point");
  // A few pixels off the corner: the object snap puts the point on it.
  const off = await page.evaluate(() => 3 * lintaro.view.h / document.getElementById("view").getBoundingClientRect().height);
  await clickAt(0 + off, 0 - off);
  await clickAt(1.5 - off, 0 + off);
  // While the chain's line follows the cursor, the page shows it where the mouse is.
  check(await page.evaluate(() => lintaro.dragging), "the chain's jig waits for the line's position");
  const previews = await page.evaluate(() => lintaro.previews || 0);
  for (const y of [-1.0, -1.4, -1.8]) {
    const q = await page.evaluate((y) => lintaro.toScreen(6, y), y);
    await page.mouse.move(q.x, q.y, { steps: 3 });
  }
  await page.waitForFunction((n) => (lintaro.previews || 0) > n && document.querySelector("#view svg.preview"),
                             { timeout: 30000 }, previews);
  check(await page.$("#view svg.preview") !== null, "a preview of the dragged chain is shown over the drawing");
  mkdirSync(dirname(screenshot), { recursive: true });
  await new Promise((r) => setTimeout(r, 400)); // the last move's preview
  await page.screenshot({ path: screenshot.replace(/\.png$/, "-drag.png") });
  await clickAt(6, -1.8);
  await clickAt(2.76, 0);
  await clickAt(6.5, 0);
  await type("");
  // A right click on the new chain: its context menu, "add points", one more corner.
  await page.evaluate(() => { lintaro.menu = null; });
  const p = await page.evaluate(() => lintaro.toScreen(4, -1.8));
  await page.mouse.click(p.x, p.y, { button: "right" });
  await page.waitForSelector("#menu.open .item", { timeout: 30000 });
  const item = await page.$$eval("#menu .item", (items) =>
    items.findIndex((i) => i.textContent.includes("Maßpunkt(e) hinzufügen")));
  check(item >= 0, "the chain's context menu offers to add points");
  const w = await waits();
  const entry = (await page.$$("#menu .item"))[item];
  await entry.scrollIntoView();
  await entry.click();
  await settle(w);
  await clickAt(8, 0);
  await type("");
  // The chain selected, then 3.5 mm text on the palette.
  await type("XOTA_SelectLintaroObjects");
  await clickAt(4, -1.8);
  await type("");
  const before = await waits();
  await page.$eval('#palette [data-id="1018"] input', (el) => {
    el.value = "35";
    el.dispatchEvent(new Event("change"));
  });
  await settle(before);
  // "Aktualisieren" gives the selected chain what the palette shows.
  const w2 = await waits();
  await page.click('#palette [data-id="1023"] button');
  await settle(w2);
  if ((await page.evaluate(() => lintaro.prompt)).includes("Select objects")) {
    await clickAt(4, -1.8);
    await type("");
  }
  await page.click("#saveBtn");
  await page.waitForFunction(() => document.querySelector("#notice").textContent === "Zeichnung gespeichert.", { timeout: 30000 });
  await page.waitForFunction((r) => lintaro.shownRevision >= lintaro.revision, { timeout: 30000 });
  await new Promise((r) => setTimeout(r, 300));
  await page.$eval("#notice", (e) => (e.style.display = "none"));
  await page.screenshot({ path: screenshot });
  const transcript = await page.$eval("#transcript", (e) => e.textContent);
  check(transcript.includes("Entfernen/<Maßpunkt>: 8,0"), "the added point reached the chain's command");
} finally {
  await browser.close();
  // Whatever the page left running is cancelled before QUIT; a host that does not
  // leave is ended.
  for (const line of ["ESC", "ESC", "QUIT"])
    await fetch(address.replace("/?token=", "/api/input?token="), { method: "POST", body: line }).catch(() => {});
  const killer = setTimeout(() => server.kill("SIGKILL"), 30000);
  if (server.exitCode === null) await new Promise((r) => server.on("exit", r));
  clearTimeout(killer);
  check(server.exitCode === 0, "lintaro serve leaves on QUIT with 0");
}

// The saved drawing: one chain through the five corners on its line at y = -1.8,
// with texts 3.5 mm high at 1:100 (0.35 m).
const list = join(folder, "list.scr");
spawnSync("sh", ["-c", `printf 'LIST\\nL\\n\\n' > '${list}'`]);
const listed = run(["run", list, "--dwg", house]).stdout;
// The clicks snap to the wall corners: the points are the corners, not the pixels near them.
const kClickTolerance = 1e-6;
const near = (key, x, y) => {
  const m = listed.match(new RegExp(`${key}=(-?[0-9.]+), (-?[0-9.]+),`));
  return m && Math.abs(Number(m[1]) - x) <= kClickTolerance && Math.abs(Number(m[2]) - y) <= kClickTolerance;
};
for (const [i, x] of [0, 1.5, 2.76, 6.5, 8].entries()) {
  check(near(`E${i}`, x, 0), `the chain's point ${i} is at ${x},0 (within ${kClickTolerance})`);
  check(near(`D${i}`, x, -1.8), `the chain's line passes ${x},-1.8 (within ${kClickTolerance})`);
}
check(listed.includes("Anzahl von Hilfslinien: 5"), "the chain has five extension lines");
const dxf = join(folder, "house.dxf");
run(["export", house, "-o", dxf]);
const pairs = readFileSync(dxf, "utf8").split(/\r?\n/);
const heights = [];
for (let i = 0; i + 1 < pairs.length; i += 2) {
  if (pairs[i].trim() !== "0" || pairs[i + 1].trim() !== "TEXT") continue;
  let layer = "", height = NaN;
  for (let j = i + 2; j + 1 < pairs.length && pairs[j].trim() !== "0"; j += 2) {
    if (pairs[j].trim() === "8") layer = pairs[j + 1].trim();
    if (pairs[j].trim() === "40") height = Number(pairs[j + 1]);
  }
  if (layer === "DIM_1_100") heights.push(height);
}
check(heights.length === 4, `the chain draws four value texts (got ${heights.length})`);
check(heights.every((h) => Math.abs(h - 0.35) < 1e-9), `the chain's texts are 0.35 high (got ${heights})`);
rmSync(folder, { recursive: true, force: true });
console.log(`${checks - failures.length} passed, ${failures.length} failed`);
process.exit(failures.length ? 1 : 0);
