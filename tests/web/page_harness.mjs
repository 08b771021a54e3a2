// What the page's tests and its bench share: a scratch game folder with the bundled page,
// a short tone for each recording the scripted game names and the card pictures; the test
// server over it; headless Chromium; and a tab whose live region is watched from its load.
// Paths come from the environment: TARVEL_SOURCE, TARVEL_PAGE_BUNDLE, TARVEL_PAGE_SERVER
// and TARVEL_CARD_PICTURES.
import { spawn, execFileSync } from "node:child_process";
import { cpSync, mkdtempSync, mkdirSync, rmSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";

export const source = process.env.TARVEL_SOURCE;
const require = createRequire(join(source, "web", "page", "package.json"));
const { chromium } = require("playwright-core");
export const axePath = require.resolve("axe-core/axe.min.js");

function makeGameFolder() {
  const folder = mkdtempSync(join(tmpdir(), "tarvel-page-"));
  cpSync(process.env.TARVEL_PAGE_BUNDLE, join(folder, "web"), { recursive: true });
  mkdirSync(join(folder, "zvuky"));
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

// The game folder, the server and the browser, and how to end them all.
export async function startHarness() {
  const folder = makeGameFolder();
  const { child, port } = await startServer(folder);
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
    },
  };
}

// A fresh tab heard the given way, its live region watched from the page's load: each
// change that leaves words is recorded with their language and the time.
export async function openPage(harness, hearing, language = "cs") {
  const context = await harness.browser.newContext({ bypassCSP: true, viewport: { width: 1000, height: 900 } });
  await context.addInitScript(([chosen, chosenLanguage]) => {
    localStorage.setItem("tarvel.hearing", chosen);
    localStorage.setItem("tarvel.language", chosenLanguage);
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
  }, [hearing, language]);
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push(String(error)));
  await page.goto(harness.origin + "/");
  await page.waitForFunction(() => document.querySelector("#keys tr") !== null);
  return { context, page, errors };
}
