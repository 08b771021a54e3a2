// Two browser tabs at one named table of the real server program, through tarvelweb and
// headless Chromium, by keys alone: the wait said, messages both ways, a reload in the
// middle of the match that comes back to it, and a whole match whose verdicts agree.
//
// node --test page_network_test.mjs, with the paths page_harness.mjs reads set by CTest.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import {
  handOptions as options, inNetworkMatch, lastOf, myNetworkTurn, openPage, playNetworkTurn as playOneTurn,
  pressAnswered as press, saidNumber, SHORT_MATCH, startHarness,
} from "./page_harness.mjs";

let harness;
before(async () => {
  harness = await startHarness({ real: true, network: true });
});
after(async () => {
  await harness?.stop();
});

const chatLines = (page) => page.$$eval("#chat-log li", (all) => all.map((li) => li.textContent));

// Names the table and asks for the match, as a player does: I, the name, Enter.
async function askForMatch(player, table) {
  await player.page.focus("#hand");
  await player.page.keyboard.press("i");
  assert.equal(await player.page.evaluate(() => document.activeElement.id), "table-name");
  await player.page.keyboard.type(table);
  const told = player.frames.length;
  await player.page.keyboard.press("Enter");
  // Waiting, or at once in the match when the friend was there first.
  while (!player.frames.slice(told).some((frame) => frame.type === "network")) await player.page.waitForTimeout(20);
}

const inMatch = (player) => inNetworkMatch(player.frames);
const myTurn = (player) => myNetworkTurn(player.frames);

async function playUntil(eva, petr, done) {
  for (let idle = 0, moves = 0; !done() && idle < 300; ) {
    assert.ok(moves < 400, "the match never ended");
    const mover = myTurn(eva) ? eva : myTurn(petr) ? petr : null;
    if (mover) {
      await playOneTurn(mover);
      moves++;
      idle = 0;
    } else {
      await eva.page.waitForTimeout(20); // the server carries the move to the other side
      idle++;
    }
  }
}

test("two tabs at a named table: the wait, messages both ways, a reload, and a whole match that agrees", async () => {
  const eva = await openPage(harness, "screenReader", "cs", { ...SHORT_MATCH, gender: "z" });
  const petr = await openPage(harness, "recordings", "cs", SHORT_MATCH);
  await petr.page.focus("#hand");
  await petr.page.keyboard.press("Tab"); // the first key starts the recordings

  await askForMatch(eva, "Přátelé");
  assert.equal(await eva.page.isHidden("#network-wait"), false, "the wait is shown with its Cancel");
  await eva.page.waitForFunction(() =>
    window.liveRecord.some(([text]) => text === "Prosím počkejte na připojení soupeře"),
  );
  if (process.env.TARVEL_SCREENSHOT) await eva.page.screenshot({ path: process.env.TARVEL_SCREENSHOT });
  await askForMatch(petr, "Přátelé");
  for (const player of [eva, petr]) {
    await player.page.waitForFunction(() => document.getElementById("network-wait").hidden, null, { timeout: 15000 });
    await player.page.waitForFunction(() => !document.getElementById("chat-form").hidden);
    assert.equal(await player.page.textContent("#notice"), "", "the wait's words went with it");
  }

  // Messages both ways: C, the words, Enter; Esc goes back to the cards.
  for (const [from, words] of [[eva, "Ahoj, Petře"], [petr, "Zdravím"]]) {
    await from.page.focus("#hand");
    await from.page.keyboard.press("c");
    assert.equal(await from.page.evaluate(() => document.activeElement.id), "chat-text");
    await from.page.keyboard.type(words);
    await from.page.keyboard.press("Enter");
    await from.page.keyboard.press("Escape");
    assert.equal(await from.page.evaluate(() => document.activeElement.id), "hand");
  }
  await petr.page.waitForFunction(() => window.liveRecord.some(([text]) => text === "Zpráva soupeře: Ahoj, Petře"));
  await eva.page.waitForFunction(() => window.liveRecord.some(([text]) => text.includes("Zdravím")));
  assert.deepEqual(await eva.page.$$eval("#chat-log li", (all) => all.map((li) => li.textContent)),
                   ["Ty: Ahoj, Petře", "Soupeř: Zdravím"]);
  assert.deepEqual(await chatLines(petr.page), ["Soupeř: Ahoj, Petře", "Ty: Zdravím"]);

  // A few moves, then Eva's page is reloaded in the middle of the match and comes back to it.
  await playUntil(eva, petr, () => eva.frames.filter((frame) => frame.type === "sentence").length > 8);
  const shown = await options(eva.page);
  eva.frames.length = 0;
  await eva.page.reload();
  await eva.page.waitForFunction((count) => document.querySelectorAll("#hand [role=option]").length === count,
                                 shown.length);
  // The network frame comes after the table's in the reloaded page's snapshot.
  for (let waited = 0; !lastOf(eva.frames, "network") && waited < 5000; waited += 20) await eva.page.waitForTimeout(20);
  assert.equal(lastOf(eva.frames, "welcome").resumed, true);
  assert.equal(lastOf(eva.frames, "network")?.match, true, "the reloaded page is back in the network match");

  await playUntil(eva, petr, () => !inMatch(eva) && !inMatch(petr));
  assert.ok(!inMatch(eva) && !inMatch(petr), "the match ended on both sides");
  const evaWins = await saidNumber(eva, "5");
  assert.equal(evaWins + (await saidNumber(eva, "6")), 1, "its one game was played");
  assert.equal(evaWins, await saidNumber(petr, "6"), "the verdicts agree");
  assert.equal(await saidNumber(eva, "7"), await saidNumber(petr, "8"), "and so do the points");
  const heard = await petr.page.evaluate(() => window.tarvel.startedPhrases.map((phrase) => phrase.file));
  assert.ok(heard.some((file) => /^z/.test(file)), "Petr heard Eva's moves in her voice");
  assert.deepEqual([...eva.errors, ...petr.errors], []);
  await eva.context.close();
  await petr.context.close();
});
