// The page's player in a match against a desktop window that another program drives: a
// tab of real tarvelweb in headless Chromium, by keys alone, its game server the port the
// driver names. The driver sends one command a line on stdin and reads one answer a line
// on stdout:
//   ask TABLE      names the table and asks for the match  -> "waiting", later "dealt"
//   chat TEXT      writes a message to the opponent        -> "chat-sent"
//   expect-chat T  waits for the opponent's message T      -> "chat-seen"
//   play N         plays N turns of the page and waits for the opponent's answer
//                                                          -> "played" or "played over"
//   reload         reloads the page in the match           -> "back" (the messages as they were)
//   expect-return  waits for the lost server and its return -> "returned LOST|BACK"
//   play-out       plays to the end of the match           -> "over WON LOST POINTS THEIR_POINTS"
//   quit
// Any failure is "failed WHY" and the end of the program.
//
// The page plays the short match in a woman's voice; the window must ask for the same rules.
//
// node page_meets_window.mjs GAME_SERVER_PORT, with the paths page_harness.mjs reads in the
// environment (TARVEL_SCREENSHOT: the page at the server's return).
import { createInterface } from "node:readline";
import {
  handOptions, inNetworkMatch as inMatch, lastOf, myNetworkTurn as myTurn, openPage, playNetworkTurn, saidNumber,
  SHORT_MATCH, startHarness,
} from "./page_harness.mjs";

const [serverPort] = process.argv.slice(2);
const MATCH_LIMIT_MS = 90_000;

const returning = (frames) => lastOf(frames, "network")?.returning === true;
const answer = (line) => process.stdout.write(`${line}\n`);

const harness = await startHarness({ real: true, serverPort: Number(serverPort) });
const player = await openPage(harness, "recordings", "cs", { ...SHORT_MATCH, gender: "z" });
const { page, frames } = player;

const chatLines = () => page.$$eval("#chat-log li", (all) => all.map((li) => li.textContent));

async function until(done, what, limit = 30_000) {
  const began = Date.now();
  while (!(await done())) {
    if (Date.now() - began > limit) throw new Error(`${what} did not come`);
    await page.waitForTimeout(20);
  }
}

// Turns of the page until `turns` were made and the opponent has answered, or until the match
// is over (a lost server is waited out); true when it is over.
async function play(turns) {
  const began = Date.now();
  for (let made = 0; made < turns; ) {
    if (Date.now() - began > MATCH_LIMIT_MS) throw new Error(`the match did not end (${made} turns of the page)`);
    if (!inMatch(frames) && !returning(frames)) return true;
    if (myTurn(frames)) {
      await playNetworkTurn(player);
      made++;
    } else {
      await page.waitForTimeout(20);
    }
  }
  // The opponent's answer: the page is to move again, and nothing is on its way.
  await until(() => myTurn(frames) || (!inMatch(frames) && !returning(frames)), "the opponent's move");
  return !inMatch(frames) && !returning(frames);
}

const commands = {
  async ask(table) {
    await page.focus("#hand");
    await page.keyboard.press("Tab"); // the first key starts the recordings
    await page.focus("#hand");
    await page.keyboard.press("i");
    await page.keyboard.type(table);
    await page.keyboard.press("Enter");
    await until(() => page.evaluate(() => window.liveRecord.some(([text]) => text === "Prosím počkejte na připojení soupeře")),
                "the wait's words");
    answer("waiting");
    await until(() => inMatch(frames), "the desktop player");
    answer("dealt");
  },
  async chat(text) {
    await page.focus("#hand");
    await page.keyboard.press("c");
    await page.keyboard.type(text);
    await page.keyboard.press("Enter");
    await page.keyboard.press("Escape");
    answer("chat-sent");
  },
  async "expect-chat"(text) {
    await until(() => page.evaluate((words) => window.liveRecord.some(([said]) => said === `Zpráva soupeře: ${words}`),
                                    text), "the desktop's message");
    const lines = await chatLines();
    if (!lines.includes(`Soupeř: ${text}`)) throw new Error(`the messages shown are ${JSON.stringify(lines)}`);
    answer("chat-seen");
  },
  async play(turns) {
    answer((await play(Number(turns))) ? "played over" : "played");
  },
  async reload() {
    const shown = await handOptions(page);
    const messages = await chatLines();
    frames.length = 0;
    await page.reload();
    await until(() => lastOf(frames, "welcome") !== undefined, "the reloaded page's welcome");
    if (lastOf(frames, "welcome").resumed !== true) throw new Error("the reloaded page got a new session");
    await page.waitForFunction((count) => document.querySelectorAll("#hand [role=option]").length === count,
                               shown.length, { timeout: 15_000 });
    // The network frame comes after the table's in the resumed session's snapshot.
    await until(() => lastOf(frames, "network") !== undefined, "the network frame of the snapshot");
    if (!inMatch(frames)) throw new Error("the reloaded page is not back in the network match");
    const messagesNow = await chatLines();
    if (JSON.stringify(messagesNow) !== JSON.stringify(messages)) {
      throw new Error(`the messages list was ${JSON.stringify(messages)}, after the reload ${JSON.stringify(messagesNow)}`);
    }
    answer("back");
  },
  async "expect-return"() {
    await until(() => returning(frames), "the lost server", 15_000);
    const lost = await page.textContent("#notice");
    await until(() => !returning(frames) && inMatch(frames), "the server's return", 20_000);
    await until(async () => (await page.textContent("#notice")) !== lost, "the words of the return", 10_000);
    const back = await page.textContent("#notice");
    if (process.env.TARVEL_SCREENSHOT) await page.screenshot({ path: process.env.TARVEL_SCREENSHOT });
    const said = await page.evaluate(() => window.liveRecord.map(([text]) => text));
    for (const words of [lost, back]) {
      if (!said.includes(words)) throw new Error(`"${words}" was shown but never said`);
    }
    answer(`returned ${lost}|${back}`);
  },
  async "play-out"() {
    if (!(await play(Infinity))) throw new Error("the match did not end");
    const won = await saidNumber(player, "5");
    const lost = await saidNumber(player, "6");
    const points = await saidNumber(player, "7");
    const theirPoints = await saidNumber(player, "8");
    const heard = await page.evaluate(() => window.tarvel.startedPhrases.map((phrase) => phrase.file));
    if (!heard.some((file) => /^m/.test(file))) throw new Error("the page never heard the desktop player's voice");
    if (player.errors.length > 0) throw new Error(`the page failed: ${player.errors.join("; ")}`);
    answer(`over ${won} ${lost} ${points} ${theirPoints}`);
  },
};

// One command at a time, in the order they came.
let failed = false;
const lines = createInterface({ input: process.stdin });
for await (const line of lines) {
  const [name, ...rest] = line.split(" ");
  if (name === "quit") break;
  try {
    if (!commands[name]) throw new Error(`no command ${name}`);
    await commands[name](rest.join(" "));
  } catch (error) {
    answer(`failed ${name}: ${String(error.message ?? error).split("\n")[0]}`);
    failed = true;
    break;
  }
}
await harness.stop();
process.exit(failed ? 1 : 0);
