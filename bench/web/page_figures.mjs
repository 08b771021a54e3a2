// In headless Chromium on loopback, against tarvelweb with the game: key down → the
// phrase's audio started (the moment its recording is scheduled on the audio clock; the
// sound card's own output latency comes on top), and key down → the live region's change,
// p50 and p99 over COUNT presses of Up and Down (the card on the pile, the opponent's
// count: each says something) in a match (default 100; the test command runs 10).
//   node bench/web/page_figures.mjs [COUNT], with the paths tests/web/page_harness.mjs reads.
import { openPage, startHarness } from "../../tests/web/page_harness.mjs";

const count = Number(process.argv[2] ?? 100);
const harness = await startHarness({ real: true });

function percentile(values, share) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(share * sorted.length))];
}

async function measure(hearing) {
  const { context, page } = await openPage(harness, hearing, "cs");
  await page.evaluate(() => {
    window.keyTimes = [];
    document.addEventListener("keydown", () => window.keyTimes.push(performance.now()), { capture: true });
  });
  await page.focus("#hand");
  await page.keyboard.press("n");
  await page.waitForFunction(() => document.querySelectorAll("#hand [role=option]").length > 0);
  await page.waitForTimeout(300);
  const firstKey = await page.evaluate(() => window.keyTimes.length);
  const firstSaid = await page.evaluate((mode) =>
    mode === "recordings" ? window.tarvel.startedPhrases.length : window.liveRecord.length, hearing);
  for (let i = 0; i < count; i++) {
    await page.keyboard.press(i % 2 === 0 ? "ArrowUp" : "ArrowDown");
    await page.waitForTimeout(250); // each sentence heard out before the next key
  }
  const [keys, said] = await page.evaluate((mode) => [
    window.keyTimes,
    mode === "recordings" ? window.tarvel.startedPhrases.map((phrase) => phrase.at) : window.liveTimes,
  ], hearing);
  await context.close();
  const delays = said.slice(firstSaid).map((at, i) => at - keys[firstKey + i]);
  return { p50: percentile(delays, 0.5), p99: percentile(delays, 0.99), n: delays.length };
}

try {
  const audio = await measure("recordings");
  const live = await measure("screenReader");
  console.log(`key down -> phrase audio started: p50 ${audio.p50.toFixed(1)} ms, p99 ${audio.p99.toFixed(1)} ms (${audio.n} keys)`);
  console.log(`key down -> live region changed:  p50 ${live.p50.toFixed(1)} ms, p99 ${live.p99.toFixed(1)} ms (${live.n} keys)`);
} finally {
  await harness.stop();
}
