// The installed tarvelweb's page in headless Chromium, by keys alone, at a named table of
// the installed server against the installed desktop client: it asks for the match, plays
// it to the end, and tells what it heard. Signals on the way are files the desktop's
// driver waits for: DEALT once the match runs, OVER once it has ended.
//
// node page_meets_desktop.mjs ORIGIN TABLE SETTINGS_JSON SIGNAL_FOLDER
// (the page's modules are resolved from TARVEL_SOURCE/web/page)
import { createRequire } from "node:module";
import { writeFileSync } from "node:fs";
import { join } from "node:path";

const [origin, table, settings, signals] = process.argv.slice(2);
const require = createRequire(join(process.env.TARVEL_SOURCE, "web", "page", "package.json"));
const { chromium } = require("playwright-core");

// tarvelweb lets a page send 20 commands a second; a player never types faster.
const KEY_GAP_MS = 55;
const MATCH_LIMIT_MS = 150_000;

const lastOf = (frames, type) => frames.filter((frame) => frame.type === type).at(-1);
const inMatch = (frames) => lastOf(frames, "network")?.match === true && lastOf(frames, "table")?.running === true;
const myTurn = (frames) => inMatch(frames) && lastOf(frames, "table").playerTurn;

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking"],
});
let failed = null;
try {
  const context = await browser.newContext();
  await context.addInitScript((chosen) => {
    localStorage.setItem("tarvel.hearing", "recordings");
    localStorage.setItem("tarvel.settings", chosen);
  }, settings);
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push(String(error)));
  const frames = [];
  page.on("websocket", (socket) =>
    socket.on("framereceived", ({ payload }) => frames.push(JSON.parse(String(payload)))),
  );
  await page.goto(origin + "/");
  await page.waitForFunction(() => document.querySelector("#keys tr") !== null);
  const options = () => page.$$eval("#hand [role=option]", (all) => all.map((option) => option.textContent));
  const press = async (key) => {
    const answered = await page.evaluate(() => window.tarvel.answers);
    await page.keyboard.press(key);
    await page.waitForFunction((count) => window.tarvel.answers > count, answered);
    await page.waitForTimeout(KEY_GAP_MS);
  };

  // Tab starts the recordings; I, the table's name and Enter ask for the match.
  await page.focus("#hand");
  await page.keyboard.press("Tab");
  await page.focus("#hand");
  await page.keyboard.press("i");
  await page.keyboard.type(table);
  await page.keyboard.press("Enter");
  const began = Date.now();
  while (!inMatch(frames)) {
    if (Date.now() - began > 30_000) throw new Error("the desktop player never came to the table");
    await page.waitForTimeout(50);
  }
  writeFileSync(join(signals, "DEALT"), "");

  // Each card in turn until one is taken (the first suit after a queen), else a draw.
  let turns = 0;
  while (inMatch(frames) || lastOf(frames, "network")?.returning) {
    if (Date.now() - began > MATCH_LIMIT_MS) throw new Error(`the match did not end (${turns} turns of the page)`);
    if (!myTurn(frames)) {
      await page.waitForTimeout(50);
      continue;
    }
    turns++;
    await page.focus("#hand");
    if (lastOf(frames, "table").suits.length > 0) {
      await press("Enter");
      continue;
    }
    const before = await options();
    await press("Home");
    let laid = false;
    for (let tried = 0; tried < before.length && !laid; tried++) {
      await press("Enter");
      laid = JSON.stringify(await options()) !== JSON.stringify(before) || !myTurn(frames);
      if (!laid) await press("ArrowRight");
    }
    if (!laid) await press(" ");
  }
  writeFileSync(join(signals, "OVER"), "");

  // What the page heard: the desktop player's moves among its recordings.
  const heard = await page.evaluate(() => window.tarvel.startedPhrases.map((phrase) => phrase.file));
  const wins = async (key) => {
    await page.focus("#hand");
    await press(key);
    return Number(/\d+/.exec(lastOf(frames, "sentence").text)?.[0] ?? -1);
  };
  const mine = await wins("5");
  const theirs = await wins("6");
  console.log(`page: ${turns} turns, ${heard.length} phrases heard, games won ${mine} : ${theirs}`);
  if (mine + theirs !== 1) throw new Error(`one game was to be played, the page counts ${mine} : ${theirs}`);
  if (!heard.some((file) => /vyhozeni/.test(file))) throw new Error("the page heard no card laid");
  if (errors.length > 0) throw new Error(`the page failed: ${errors.join("; ")}`);
  writeFileSync(join(signals, "WINS"), `${mine} ${theirs}\n`);
} catch (error) {
  failed = error;
} finally {
  await browser.close();
}
if (failed) {
  console.error(`page: ${failed.message}`);
  process.exit(1);
}
