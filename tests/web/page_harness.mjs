// What the page's tests and its bench share: a scratch game folder with the bundled page,
// a short tone for each recording the scripted game names and the card pictures; the test
// server over it; headless Chromium; and a tab whose live region is watched from its load.
// Paths come from the environment: TARVEL_SOURCE, TARVEL_PAGE_BUNDLE, TARVEL_PAGE_SERVER
// and TARVEL_CARD_PICTURES; for the real game, TARVEL_WEB (tarvelweb) and
// TARVEL_VOICE_LIST (the voice pack's list program); for network matches, TARVELSVR.
import { spawn, execFileSync } from "node:child_process";
import { copyFileSync, cpSync, mkdtempSync, mkdirSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:net";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";

export const source = process.env.TARVEL_SOURCE;
const require = createRequire(join(source, "web", "page", "package.json"));
const { chromium } = require("playwright-core");
export const axePath = require.resolve("axe-core/axe.min.js");

// The real game's recordings: one short tone under every name of the voice pack.
function realRecordings(folder) {
  const names = execFileSync(process.env.TARVEL_VOICE_LIST, { encoding: "utf8" })
    .split("\n")
    .filter(Boolean)
    .map((line) => line.split("\t")[0].replace(/^zvuky\//, "").replace(/\.wav$/, ""));
  const wav = join(folder, "tone.wav");
  const tone = join(folder, "tone.opus");
  execFileSync("sox", ["-n", "-r", "48000", "-c", "1", "-b", "16", wav, "synth", "0.08", "sine", "440", "gain", "-6"]);
  execFileSync("opusenc", ["--quiet", wav, tone]);
  for (const name of names) copyFileSync(tone, join(folder, "zvuky", `${name}.opus`));
  rmSync(wav);
  rmSync(tone);
}

function makeGameFolder(real) {
  const folder = mkdtempSync(join(tmpdir(), "tarvel-page-"));
  cpSync(process.env.TARVEL_PAGE_BUNDLE, join(folder, "web"), { recursive: true });
  mkdirSync(join(folder, "zvuky"));
  execFileSync(join(source, "tools", "make_card_pictures.sh"), [process.env.TARVEL_CARD_PICTURES, folder], {
    stdio: "ignore",
  });
  if (real) {
    realRecordings(folder);
    return folder;
  }
  const names = execFileSync(process.env.TARVEL_PAGE_SERVER, ["--list-recordings"], { encoding: "utf8" })
    .split("\n")
    .filter(Boolean);
  names.forEach((name, i) => {
    const wav = join(folder, "zvuky", `${name}.wav`);
    // The edge is long, so that a test can cut the sentence it begins however slow the machine.
    const seconds = name === "edge" ? "1.5" : "0.12";
    execFileSync("sox", ["-n", "-r", "48000", "-c", "1", "-b", "16", wav, "synth", seconds, "sine", String(300 + i * 20),
                         "gain", "-6"]);
    execFileSync("opusenc", ["--quiet", wav, join(folder, "zvuky", `${name}.opus`)]);
  });
  return folder;
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.once("error", reject);
    probe.listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

// The server program in a folder of its own, with several tables, on a port below the
// kernel's range for outgoing connections (a test beside this one cannot take it first);
// one that is taken anyway is tried again.
async function startGameServer() {
  const folder = mkdtempSync(join(tmpdir(), "tarvel-server-"));
  const program = join(folder, "tarvelsvr");
  copyFileSync(process.env.TARVELSVR, program);
  for (let attempt = 0; attempt < 10; attempt++) {
    const port = 20000 + Math.floor(Math.random() * 12000);
    writeFileSync(join(folder, "tarvelsvr.ini"), `[server]\nport=${port}\nconnectatstartup=1\ntables=4\n`);
    const child = spawn(program, [], {
      cwd: folder,
      env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
      stdio: ["ignore", "pipe", "inherit"],
    });
    const listening = await new Promise((resolve) => {
      let output = "";
      child.stdout.on("data", (data) => {
        output += String(data);
        if (output.includes("Port serveru")) resolve(true);
        if (output.includes("Nelze naslouchat")) resolve(false);
      });
      child.once("exit", () => resolve(false));
      setTimeout(() => resolve(false), 10000);
    });
    if (listening) return { child, port, folder };
    child.kill();
  }
  throw new Error("the server program found no port to listen on");
}

// tarvelweb itself in the game folder, every tab dealing from one seed. Each closed tab's
// game waits a minute for a reload, and all come from loopback: room for a few dozen.
// `serverPort`: the game server its tabs' network matches are played on.
async function startTarvelweb(folder, serverPort) {
  if (serverPort) writeFileSync(join(folder, "tarvelweb.ini"), `[web]\nserver=127.0.0.1:${serverPort}\n`);
  const port = await freePort();
  return new Promise((resolve, reject) => {
    const child = spawn(process.env.TARVEL_WEB, ["--port", String(port), "--seed", "7", "--tabs-per-address", "40"], {
      cwd: folder,
      stdio: ["ignore", "pipe", "inherit"],
    });
    child.stdout.once("data", () => resolve({ child, port }));
    child.once("error", reject);
    child.once("exit", (code) => reject(new Error(`tarvelweb ended with ${code}`)));
  });
}

function startServer(folder) {
  return new Promise((resolve, reject) => {
    const child = spawn(process.env.TARVEL_PAGE_SERVER, [folder], { stdio: ["ignore", "pipe", "inherit"] });
    child.stdout.once("data", (data) => resolve({ child, port: Number(String(data).trim()) }));
    child.once("error", reject);
    child.once("exit", (code) => reject(new Error(`the test server ended with ${code}`)));
  });
}

// The game folder, the server and the browser, and how to end them all.
// `real`: tarvelweb with the game; else the test server with the scripted stand-in.
// `network`: with the server program too, for tarvelweb's network matches;
// `serverPort`: tarvelweb's matches on a game server started by the caller instead.
export async function startHarness({ real = false, network = false, serverPort = null } = {}) {
  const folder = makeGameFolder(real);
  const gameServer = network && !serverPort ? await startGameServer() : null;
  const { child, port } = await (real ? startTarvelweb(folder, serverPort ?? gameServer?.port) : startServer(folder)).catch(
    (error) => {
      gameServer?.child.kill();
      throw error;
    },
  );
  const browser = await chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
  return {
    origin: `http://127.0.0.1:${port}`,
    browser,
    async stop() {
      await browser.close();
      child.kill();
      rmSync(folder, { recursive: true, force: true });
      if (gameServer) {
        gameServer.child.kill();
        rmSync(gameServer.folder, { recursive: true, force: true });
      }
    },
  };
}

// A fresh tab heard the given way, its live region watched from the page's load: each
// change that leaves words is recorded with their language and the time.
export async function openPage(harness, hearing, language = "cs", settings = null) {
  const context = await harness.browser.newContext({ bypassCSP: true, viewport: { width: 1000, height: 900 } });
  await context.addInitScript(([chosen, chosenLanguage, chosenSettings]) => {
    localStorage.setItem("tarvel.hearing", chosen);
    localStorage.setItem("tarvel.language", chosenLanguage);
    // Set once: a reload finds what the page itself stored since.
    if (chosenSettings && localStorage.getItem("tarvel.settings") === null) {
      localStorage.setItem("tarvel.settings", chosenSettings);
    }
    window.liveRecord = [];
    window.liveTimes = [];
    document.addEventListener("DOMContentLoaded", () => {
      const live = document.getElementById("live");
      window.liveEmptyAtLoad = live !== null && live.innerHTML === "";
      new MutationObserver(() => {
        if (live.textContent === "") return;
        window.liveRecord.push([live.textContent, live.firstElementChild?.lang ?? ""]);
        window.liveTimes.push(performance.now());
      }).observe(live, { childList: true, subtree: true, characterData: true });
    });
  }, [hearing, language, settings ? JSON.stringify(settings) : null]);
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push(String(error)));
  // What tarvelweb sent the tab, as the wire carried it.
  const frames = [];
  page.on("websocket", (socket) =>
    socket.on("framereceived", ({ payload }) => frames.push(JSON.parse(String(payload)))),
  );
  await page.goto(harness.origin + "/");
  await page.waitForFunction(() => document.querySelector("#keys tr") !== null);
  return { context, page, errors, frames };
}

// One game of four cards, played for points: a whole match in a few dozen keys. Two
// players of a network match must ask for the same rules.
export const SHORT_MATCH = {
  pickupForSeven: 2, kingOfSpades: false, returnToGame: false, playForPoints: true, numberOfGames: 1,
  compulsory: true, shuffleCards: false, dealtCards: 4, gender: "m", useTable: false, computerLevel: 0,
};
// tarvelweb lets a page send 20 commands a second; a player never types faster.
export const KEY_GAP_MS = 55;

// The last frame of a type tarvelweb sent, from a tab's `frames`.
export const lastOf = (frames, type) => frames.filter((frame) => frame.type === type).at(-1);
export const handOptions = (page) =>
  page.$$eval("#hand [role=option]", (all) => all.map((option) => option.textContent));
export const inNetworkMatch = (frames) =>
  lastOf(frames, "network")?.match === true && lastOf(frames, "table")?.running === true;
export const myNetworkTurn = (frames) => inNetworkMatch(frames) && lastOf(frames, "table").playerTurn;

// A key, and an answer after it (the opponent's moves are answers too, so this waits for
// one, not necessarily its own).
export async function pressAnswered(page, key) {
  const answered = await page.evaluate(() => window.tarvel.answers);
  await page.keyboard.press(key);
  await page.waitForFunction((count) => window.tarvel.answers > count, answered);
  await page.waitForTimeout(KEY_GAP_MS);
}

// One turn of a network match by a player who knows no rule: lays each card in turn until
// one is taken, names the first suit a queen asks for, and draws when none is taken.
export async function playNetworkTurn({ page, frames }) {
  await page.focus("#hand");
  if (lastOf(frames, "table").suits.length > 0) {
    await pressAnswered(page, "Enter");
    return;
  }
  const before = await handOptions(page);
  await pressAnswered(page, "Home");
  for (let tried = 0; tried < before.length; tried++) {
    await pressAnswered(page, "Enter");
    if (JSON.stringify(await handOptions(page)) !== JSON.stringify(before) || !myNetworkTurn(frames)) return;
    await pressAnswered(page, "ArrowRight");
  }
  await pressAnswered(page, " ");
}

// The number a Say key answers with, from the sentence tarvelweb sent for it: its phrases
// are the number's words ("60", "9"; "2", "sta"). A sentence still on its way from an
// earlier answer (the last move's, after the match ended) is passed over.
const SCALES = { sto: 100, sta: 100, set: 100, tisic: 1000, tisice: 1000 };
const isNumberWord = (text) => /^\d+$/.test(text) || text === "dva" || text in SCALES;
export async function saidNumber({ page, frames }, key) {
  await page.focus("#hand");
  const from = frames.length;
  await page.keyboard.press(key);
  const said = () => frames.slice(from).find((frame) => frame.type === "sentence" && frame.phrases.length > 0 &&
                                                         frame.phrases.every((phrase) => isNumberWord(phrase.text)));
  for (let waited = 0; !said(); waited += 20) {
    if (waited > 10_000) throw new Error(`no number was said for the key ${key}`);
    await page.waitForTimeout(20);
  }
  await page.waitForTimeout(KEY_GAP_MS);
  let total = 0;
  let group = 0;
  for (const { text } of said().phrases) {
    if (text in SCALES) {
      total += (group || 1) * SCALES[text];
      group = 0;
    } else {
      group += text === "dva" ? 2 : Number(text);
    }
  }
  return total + group;
}
