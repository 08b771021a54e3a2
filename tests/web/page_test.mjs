// The page in headless Chromium against a scripted stand-in game, where a test needs
// recordings of known lengths: which recordings started (none before the first key),
// joined without a gap and cut by the next key; the accessibility tree and axe-core; the
// key list of the README. A screenshot is left for a look. Whole matches against the
// real game are in page_game_test.mjs.
//
// node --test page_test.mjs, with the paths page_harness.mjs reads set by CTest
// (tests/web/CMakeLists.txt).
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { axePath, openPage as open, source, startHarness } from "./page_harness.mjs";

let harness;
before(async () => {
  harness = await startHarness();
});
after(async () => {
  await harness?.stop();
});
const openPage = (hearing, language) => open(harness, hearing, language);

const started = (page) => page.evaluate(() => window.tarvel.startedPhrases.map((phrase) => phrase.file));
const live = (page) => page.evaluate(() => window.liveRecord);
const options = (page) => page.$$eval("#hand [role=option]", (all) => all.map((option) => option.textContent));
const activeId = (page) => page.evaluate(() => document.activeElement?.id ?? "");

async function pressAndSettle(page, keys, until) {
  for (const key of keys) await page.keyboard.press(key);
  if (until) await page.waitForFunction(until);
  await page.waitForTimeout(150);
}

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
  // Past the last card the edge and the card's name are one sentence (the edge is long in
  // this harness); the next key's sentence cuts it before the name starts.
  await pressAndSettle(page, ["End"], () => window.tarvel.startedPhrases.length >= 5);
  await page.waitForTimeout(300);
  await page.keyboard.press("ArrowRight");
  await page.keyboard.press("Home");
  await page.waitForTimeout(500);
  const after = (await started(page)).slice(5);
  assert.equal(after.at(-1), "c1", "the last key's sentence is heard");
  assert.ok(!after.includes("c32"), `the cut sentence's name never started: ${after}`);
  assert.deepEqual(await live(page), [], "the live region stays quiet while the recordings speak");
  assert.deepEqual(errors, []);
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

test("the README lists every key the page lists, in English", async () => {
  const { context, page } = await openPage("recordings", "en");
  const rows = await page.$$eval("#keys tr", (all) => all.map((tr) => [...tr.cells].map((cell) => cell.textContent)));
  const readme = readFileSync(join(source, "README.md"), "utf8");
  const missing = rows.filter(([keys, command]) => !readme.includes(`| ${keys} | ${command} |`));
  assert.deepEqual(missing, []);
  await context.close();
});
