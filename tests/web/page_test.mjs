// The page in headless Chromium, by keys alone, as a blind player meets it: what the
// live region received (each utterance once, in order), which recordings started (none
// before the first key), the focus that never moves by itself, a reload that comes back
// to the match, the accessibility tree, and axe-core. A screenshot is left for a look.
//
// node --test page_test.mjs, with TARVEL_PAGE_BUNDLE, TARVEL_PAGE_SERVER, TARVEL_CARD_PICTURES
// and TARVEL_SOURCE set by CTest (tests/web/CMakeLists.txt).
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { spawn, execFileSync } from "node:child_process";
import { cpSync, mkdtempSync, mkdirSync, rmSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";

const source = process.env.TARVEL_SOURCE;
const require = createRequire(join(source, "web", "page", "package.json"));
const { chromium } = require("playwright-core");
const axePath = require.resolve("axe-core/axe.min.js");

let game;
let server;
let origin;
let browser;

// A scratch game folder: the bundled page, a short tone for each recording the scripted
// game names, and the card pictures.
function makeGameFolder() {
  const folder = mkdtempSync(join(tmpdir(), "tarvel-page-"));
  cpSync(process.env.TARVEL_PAGE_BUNDLE, join(folder, "web"), { recursive: true });
  mkdirSync(join(folder, "zvuky"));
  const names = execFileSync(process.env.TARVEL_PAGE_SERVER, ["--list-recordings"], { encoding: "utf8" })
    .split("\n")
    .filter(Boolean);
  names.forEach((name, i) => {
    const wav = join(folder, "zvuky", `${name}.wav`);
    execFileSync("sox", ["-n", "-r", "48000", "-c", "1", "-b", "16", wav, "synth", "0.12", "sine", String(300 + i * 20), "gain", "-6"]);
    execFileSync("opusenc", ["--quiet", wav, join(folder, "zvuky", `${name}.opus`)]);
  });
  execFileSync(join(source, "tools", "make_card_pictures.sh"), [process.env.TARVEL_CARD_PICTURES, folder], {
    stdio: "ignore",
  });
  return folder;
}

function startServer(folder) {
  return new Promise((resolve, reject) => {
    const child = spawn(process.env.TARVEL_PAGE_SERVER, [folder], { stdio: ["ignore", "pipe", "inherit"] });
    child.stdout.once("data", (data) => resolve({ child, port: Number(String(data).trim()) }));
    child.once("error", reject);
    child.once("exit", (code) => reject(new Error(`the test server ended with ${code}`)));
  });
}

before(async () => {
  game = makeGameFolder();
  const started = await startServer(game);
  server = started.child;
  origin = `http://127.0.0.1:${started.port}`;
  browser = await chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
});

after(async () => {
  await browser?.close();
  server?.kill();
  if (game) rmSync(game, { recursive: true, force: true });
});

// A fresh tab heard the given way, with the live region watched from the page's load.
async function openPage(hearing) {
  const context = await browser.newContext({ bypassCSP: true, viewport: { width: 1000, height: 900 } });
  await context.addInitScript((chosen) => {
    localStorage.setItem("tarvel.hearing", chosen);
    localStorage.setItem("tarvel.language", "cs");
    window.liveRecord = [];
    document.addEventListener("DOMContentLoaded", () => {
      const live = document.getElementById("live");
      window.liveEmptyAtLoad = live !== null && live.innerHTML === "";
      new MutationObserver(() => {
        if (live.textContent !== "") window.liveRecord.push([live.textContent, live.firstElementChild?.lang ?? ""]);
      }).observe(live, { childList: true, subtree: true, characterData: true });
    });
  }, hearing);
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push(String(error)));
  await page.goto(origin + "/");
  await page.waitForFunction(() => document.querySelector("#keys tr") !== null);
  return { context, page, errors };
}

const started = (page) => page.evaluate(() => window.tarvel.startedPhrases.map((phrase) => phrase.file));
const live = (page) => page.evaluate(() => window.liveRecord);
const options = (page) => page.$$eval("#hand [role=option]", (all) => all.map((option) => option.textContent));
const activeId = (page) => page.evaluate(() => document.activeElement?.id ?? "");

async function pressAndSettle(page, keys, until) {
  for (const key of keys) await page.keyboard.press(key);
  if (until) await page.waitForFunction(until);
  await page.waitForTimeout(150);
}

test("the screen reader hears each utterance once, in order, in its language; focus stays put", async () => {
  const { context, page, errors } = await openPage("screenReader");
  assert.equal(await page.evaluate(() => window.liveEmptyAtLoad), true, "the live region is there and empty at load");
  await page.focus("#hand");
  await pressAndSettle(page, ["n"], () => document.querySelectorAll("#hand [role=option]").length === 3);
  await pressAndSettle(page, ["ArrowRight", "ArrowRight", "ArrowRight", "Enter", "ArrowUp"]);
  await page.waitForFunction(() => window.liveRecord.length >= 6);
  assert.deepEqual(await live(page), [
    ["Soupeř: Začínáš", "cs"],
    ["8 kárová", "cs"],
    ["eso křížové", "cs"],
    ["okraj, eso křížové", "cs"],
    ["Ty: eso křížové", "cs"],
    ["eso křížové", "cs"],
  ]);
  assert.deepEqual(await options(page), ["7 srdcová", "8 kárová"]);
  assert.equal(await activeId(page), "hand", "the focus never left the hand");
  assert.deepEqual(await started(page), [], "no recording plays while the screen reader speaks");
  assert.deepEqual(await page.$$eval("#history li", (all) => all.map((li) => li.textContent)),
                   ["Soupeř: Začínáš", "Ty: eso křížové"]);
  assert.deepEqual(errors, []);
  await context.close();
});

test("recordings start only after the first key, in order, and a new key cuts the sentence", async () => {
  const { context, page, errors } = await openPage("recordings");
  // The match is started by a click on the page's button… no: by keys alone. Before any
  // key, a sentence may arrive, but nothing may sound.
  await page.waitForTimeout(300);
  assert.deepEqual(await started(page), []);
  assert.match(await page.textContent("#notice"), /první klávese/);
  await page.focus("#hand");
  await pressAndSettle(page, ["n"], () => window.tarvel.startedPhrases.length >= 1);
  assert.equal(await page.textContent("#notice"), "", "the first key starts the sound and the notice goes");
  await pressAndSettle(page, ["ArrowRight"], () => window.tarvel.startedPhrases.length >= 2);
  await page.waitForTimeout(400);
  await pressAndSettle(page, ["Enter"], () => window.tarvel.startedPhrases.length >= 4);
  await page.waitForTimeout(400);
  assert.deepEqual(await started(page), ["start", "c6", "throw", "c6"]);
  // The throw and the card's name were joined on the audio clock, without a gap.
  const [throwAt, nameAt] = await page.evaluate(() => window.tarvel.startedPhrases.slice(2).map((p) => p.at));
  assert.ok(nameAt - throwAt > 100 && nameAt - throwAt < 140, `the name followed the throw after ${nameAt - throwAt} ms`);
  // Two keys at once: the edge and the last card's name are one sentence, and the next
  // key's sentence cuts it before the name starts.
  await page.keyboard.press("End");
  await page.keyboard.press("Home");
  await page.waitForTimeout(500);
  const after = (await started(page)).slice(4);
  assert.equal(after.at(-1), "c1", "the last key's sentence is heard");
  assert.ok(!after.includes("c32"), `the cut sentence's name never started: ${after}`);
  assert.deepEqual(await live(page), [], "the live region stays quiet while the recordings speak");
  assert.deepEqual(errors, []);
  await context.close();
});

test("a reload in the middle of a match comes back to it", async () => {
  const { context, page } = await openPage("screenReader");
  await page.focus("#hand");
  await pressAndSettle(page, ["n"], () => document.querySelectorAll("#hand [role=option]").length === 3);
  await pressAndSettle(page, ["Space"], () => document.querySelectorAll("#hand [role=option]").length === 4);
  await page.reload();
  await page.waitForFunction(() => document.querySelectorAll("#hand [role=option]").length === 4);
  assert.deepEqual(await options(page), ["7 srdcová", "8 kárová", "eso křížové", "kluk srdcový"]);
  assert.deepEqual(await page.$$eval("#history li", (all) => all.map((li) => li.textContent)),
                   ["Soupeř: Začínáš", "Ty: lízání"]);
  await context.close();
});

test("the accessibility tree has a list box with its active card, no application role, and axe finds nothing", async () => {
  const { context, page } = await openPage("screenReader");
  await page.focus("#hand");
  await pressAndSettle(page, ["n", "ArrowRight"], () => document.querySelectorAll("#hand [role=option]").length === 3);
  const cdp = await context.newCDPSession(page);
  const { nodes } = await cdp.send("Accessibility.getFullAXTree");
  const roles = nodes.map((node) => node.role?.value);
  assert.ok(!roles.includes("application"), "no page-wide application role");
  const listbox = nodes.find((node) => node.role?.value === "listbox");
  assert.ok(listbox, "the hand is a list box");
  assert.equal(listbox.name?.value, "Tvoje karty");
  const active = nodes.find((node) => node.role?.value === "option" && node.properties?.some(
    (property) => property.name === "selected" && property.value.value === true));
  assert.equal(active?.name?.value, "8 kárová");
  assert.equal(await page.getAttribute("#hand", "aria-activedescendant"), "card-1");
  assert.equal(await page.getAttribute("#live", "aria-live"), "polite");
  assert.equal(await page.getAttribute("#live", "aria-atomic"), "true");

  await page.addScriptTag({ path: axePath });
  const violations = await page.evaluate(async () => (await window.axe.run(document)).violations);
  assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`), []);
  // Every key of the key table is listed on the page.
  assert.ok((await page.$$("#keys tr")).length >= 25);
  if (process.env.TARVEL_SCREENSHOT) await page.screenshot({ path: process.env.TARVEL_SCREENSHOT, fullPage: true });
  await context.close();
});
