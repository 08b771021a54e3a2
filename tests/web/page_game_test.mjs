// The page against tarvelweb itself, every tab dealing from one seed: whole matches by
// keys alone with either way of hearing, a reload in the middle of a match, axe-core on
// a table in play, and the focus that stays in the hand throughout.
//
// node --test page_game_test.mjs, with the paths page_harness.mjs reads set by CTest.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { axePath, KEY_GAP_MS, openPage as open, SHORT_MATCH, startHarness } from "./page_harness.mjs";

// One game of four cards, not for points: a whole match in a few dozen keys.
const LOCAL_MATCH = { ...SHORT_MATCH, playForPoints: false };

let harness;
before(async () => {
  harness = await startHarness({ real: true });
});
after(async () => {
  await harness?.stop();
});
const openPage = (hearing, settings = LOCAL_MATCH) => open(harness, hearing, "cs", settings);

const options = (page) => page.$$eval("#hand [role=option]", (all) => all.map((option) => option.textContent));
const historyLines = (page) => page.$$eval("#history li", (all) => all.map((li) => li.textContent));
const matchRunning = (page) => page.evaluate(() => !document.querySelector("button[data-command=endMatch]").disabled);

// Every key pressed, in order, and whether the selection the hand's list shows moved.
let keysPressed = [];
const SELECTION_KEYS = new Set(["ArrowLeft", "ArrowRight", "Home", "End"]);

// A key, and the game's whole answer to it.
async function press(page, key) {
  const answered = await page.evaluate(() => window.tarvel.answers);
  const selected = await page.getAttribute("#hand", "aria-activedescendant");
  await page.keyboard.press(key);
  await page.waitForFunction((count) => window.tarvel.answers > count, answered);
  const moved = SELECTION_KEYS.has(key) && (await page.getAttribute("#hand", "aria-activedescendant")) !== selected;
  keysPressed.push({ key, moved });
  await page.waitForTimeout(KEY_GAP_MS);
}

// What a player who knows no rule does on his turn: lays each card in turn until one is
// taken, names the first suit a queen asks for, and draws (or stands) when none is.
async function playOneTurn(page) {
  if ((await page.getAttribute("#hand", "aria-label")) !== "Tvoje karty") {
    await press(page, "Enter");
    return;
  }
  const before = await options(page);
  await press(page, "Home");
  for (let tried = 0; tried < before.length; tried++) {
    await press(page, "Enter");
    if (JSON.stringify(await options(page)) !== JSON.stringify(before) || !(await matchRunning(page))) return;
    await press(page, "ArrowRight");
  }
  await press(page, " ");
}

async function playMatch(page) {
  keysPressed = [];
  await page.keyboard.press("Tab"); // the hand is the page's first stop
  assert.equal(await page.evaluate(() => document.activeElement.id), "hand");
  await press(page, "n");
  assert.equal((await options(page)).length, 4, "the browser's settings deal four cards");
  for (let turns = 0; await matchRunning(page); turns++) {
    assert.ok(turns < 150, "the match never ended");
    await playOneTurn(page);
  }
}

test("a whole match by keys alone, heard by the screen reader: each utterance once, in order", async () => {
  const { context, page, errors, frames } = await openPage("screenReader");
  await playMatch(page);
  // Each answer's words once, in order, as tarvelweb sent them; a selection that moved in
  // the focused list is left to the list.
  const sentences = frames.filter((frame) => frame.type === "sentence");
  assert.equal(sentences.length, keysPressed.length, "one answer for every key");
  const expected = sentences
    .filter((sentence, i) => sentence.text !== "" && !keysPressed[i].moved)
    .map((sentence) => [sentence.text, "cs"]);
  const live = await page.evaluate(() => window.liveRecord);
  assert.ok(live.length > 10, `the match was heard: ${live.length} utterances`);
  assert.deepEqual(live, expected);
  // The history's lines were each said, in their order, as part of an utterance.
  const history = await historyLines(page);
  let at = 0;
  for (const line of history) {
    while (at < live.length && !live[at][0].includes(line)) at++;
    assert.ok(at < live.length, `never said: ${line}`);
  }
  assert.equal(await page.evaluate(() => document.activeElement.id), "hand", "the focus never left the hand");
  assert.deepEqual(await page.evaluate(() => window.tarvel.startedPhrases.length), 0, "no recording sounded");
  assert.deepEqual(errors, []);
  await context.close();
});

test("moving through the focused hand is read by the list alone; the edge by the live region", async () => {
  const { context, page } = await openPage("screenReader");
  await page.keyboard.press("Tab");
  await press(page, "n");
  const heard = await page.evaluate(() => window.liveRecord.length);
  await press(page, "End");
  await press(page, "Home");
  assert.equal(await page.evaluate(() => window.liveRecord.length), heard, "the list's active descendant says it");
  assert.equal(await page.getAttribute("#hand", "aria-activedescendant"), "card-0");
  await press(page, "ArrowLeft");
  const [edge] = (await page.evaluate(() => window.liveRecord)).slice(heard);
  assert.equal(edge[0], `okraj. ${(await options(page))[0]}`);
  await context.close();
});

test("a whole match by keys alone with the recordings, none before the first key", async () => {
  const { context, page, errors } = await openPage("recordings");
  await page.waitForTimeout(300);
  assert.deepEqual(await page.evaluate(() => window.tarvel.startedPhrases), [], "silent until the first key");
  await playMatch(page);
  const files = await page.evaluate(() => window.tarvel.startedPhrases.map((phrase) => phrase.file));
  assert.ok(files.length > 10, `the match was heard: ${files.length} recordings`);
  assert.ok(files.some((file) => /^m/.test(file)) && files.some((file) => /^z/.test(file)), "both voices spoke");
  assert.deepEqual(errors, []);
  await context.close();
});

test("a reload in the middle of a match comes back to it; axe-core finds nothing on the table in play", async () => {
  const { context, page, errors } = await openPage("recordings", { ...LOCAL_MATCH, dealtCards: 7 });
  await page.keyboard.press("Tab");
  await press(page, "n");
  await press(page, "End");
  await playOneTurn(page);
  const hand = await options(page);
  const history = await historyLines(page);
  const selected = await page.getAttribute("#hand", "aria-activedescendant");
  await page.reload();
  await page.waitForFunction((count) => document.querySelectorAll("#hand [role=option]").length === count, hand.length);
  await page.waitForFunction((count) => document.querySelectorAll("#history li").length === count, history.length);
  assert.deepEqual(await options(page), hand);
  assert.deepEqual(await historyLines(page), history);
  assert.equal(await page.getAttribute("#hand", "aria-activedescendant"), selected);
  assert.equal(await matchRunning(page), true);
  await page.addScriptTag({ path: axePath });
  const { violations } = await page.evaluate(() => window.axe.run());
  assert.deepEqual(violations.map((violation) => `${violation.id}: ${violation.help}`), []);
  assert.deepEqual(errors, []);
  await context.close();
});

test("the game settings chosen on the page are kept in the browser and deal the next match", async () => {
  const { context, page, errors } = await openPage("screenReader");
  const dealt = page.locator("#settings input[name=dealtCards]");
  await dealt.focus();
  await page.keyboard.press("Control+A");
  await page.keyboard.type("6");
  await page.keyboard.press("Tab"); // the change is taken as the field is left
  await page.waitForFunction(() => JSON.parse(localStorage.getItem("tarvel.settings")).dealtCards === 6);
  await page.focus("#hand");
  await press(page, "n");
  assert.equal((await options(page)).length, 6);
  // A count the rules cannot deal keeps the one before.
  await dealt.focus();
  await page.keyboard.press("Control+A");
  await page.keyboard.type("12");
  await page.keyboard.press("Tab");
  await page.waitForTimeout(200);
  assert.equal(await dealt.inputValue(), "6");
  assert.equal(JSON.parse(await page.evaluate(() => localStorage.getItem("tarvel.settings"))).dealtCards, 6);
  assert.deepEqual(errors, []);
  await context.close();
});

test("a new tab hands tarvelweb the table of best results this browser keeps; a damaged one is told", async () => {
  const { context, page, errors } = await openPage("screenReader");
  // As if changed by hand: three bytes, no table of ten results.
  await page.evaluate(() => localStorage.setItem("tarvel.scores", "AAAA"));
  const second = await context.newPage();
  second.on("pageerror", (error) => errors.push(String(error)));
  await second.goto(harness.origin + "/");
  await second.waitForFunction(() => window.liveRecord.some(([text]) => text.includes("poškozená: má 3 bajty")));
  // Nothing else changed: the tab plays on.
  await second.focus("#hand");
  await press(second, "n");
  assert.equal((await options(second)).length, 4);
  assert.deepEqual(errors, []);
  await context.close();
});
