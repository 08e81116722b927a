// Plays a quiz page in headless Chromium as a pupil would: types an answer
// in each box in turn, and checks the title and the score shown, and that
// the page asked for nothing.
//   node tests/dist/play_page.mjs PAGE TITLE SCORE ANSWER...
import { createRequire } from "node:module";
import { resolve } from "node:path";
import { pathToFileURL } from "node:url";

const require = createRequire(import.meta.url);
const { chromium } = require("../web/node_modules/playwright-core");

const [file, title, score, ...answers] = process.argv.slice(2);
const url = pathToFileURL(resolve(file)).href;
const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--disable-quic"],
});
let failed = false;
const fail = (message) => {
  console.error(`play_page: ${file}: ${message}`);
  failed = true;
};
try {
  const page = await browser.newPage();
  page.on("request", (request) => {
    const asked = request.url();
    if (asked !== url && !asked.startsWith("data:") && !asked.startsWith("blob:"))
      fail(`the page asked for ${asked}`);
  });
  page.on("pageerror", (error) => fail(`error in the page: ${error.message}`));
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === "1", null,
                             { timeout: 30000 });
  await page.focus("#box-1");
  for (const answer of answers) {
    await page.keyboard.type(answer);
    await page.keyboard.press("Tab");
  }
  const shown = await page.evaluate(() => ({
    title: document.getElementById("quiz-title").textContent,
    score: document.getElementById("quiz-score").textContent,
  }));
  if (shown.title !== title) fail(`title « ${shown.title} », expected « ${title} »`);
  if (shown.score.trim() !== score.trim()) fail(`score « ${shown.score} », expected « ${score} »`);
} finally {
  await browser.close();
}
process.exit(failed ? 1 : 0);
