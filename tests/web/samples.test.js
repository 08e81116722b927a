// The sample quizzes' pages as the shipped quizzpack makes them (under Wine,
// scripts/build-samples.sh): each played on the keyboard with a right, a
// near and a wrong answer, its verdicts in the player's colours, its score
// and code, kept over a reload, without a request; and a screenshot of each
// at a phone's and a desktop's size.
//   QUIZZ_TEST_PAGES=build/windows/samples [QUIZZ_SCREENSHOTS=DIR] node --test tests/web/samples.test.js
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const assert = require("node:assert/strict");
const { test } = require("node:test");
const browserTools = require("./browser.js");

const ROOT = path.join(__dirname, "..", "..");
const SCREENSHOTS = process.env.QUIZZ_SCREENSHOTS;
const PHONE = { viewport: { width: 360, height: 740 }, isMobile: true, hasTouch: true };
const DESKTOP = { viewport: { width: 1280, height: 800 } };
const TIMEOUT = { timeout: 60000 };
// The player's label colours (checking/verdict.h), as CSS gives them.
const GREEN = "rgb(0, 255, 0)", AMBER = "rgb(255, 203, 38)", RED = "rgb(255, 0, 0)";

// The sample's answers and codes, from its source as written.
function readSample(name) {
  const text = fs.readFileSync(path.join(ROOT, "samples", name, `${name}.toml`), "utf8");
  const values = (key) => [...text.matchAll(new RegExp(`^${key} = "(.*)"$`, "gm"))].map((m) => m[1]);
  const codes = /^codes = \[(.*)\]$/m.exec(text);
  return {
    title: values("titre")[0],
    answers: values("reponse"),
    boxes: values("seconde_reponse").length > 0 ? 2 : 1,
    codes: codes ? [...codes[1].matchAll(/"([^"]*)"/g)].map((m) => m[1]) : [],
  };
}

// One letter wrong at its end.
const near = (answer) => answer.slice(0, -1) + (answer.endsWith("x") ? "y" : "x");

const samples = fs.readdirSync(browserTools.PAGES).filter((file) => file.endsWith(".html"));
assert.ok(samples.length >= 6, `sample pages in ${browserTools.PAGES}: ${samples}`);

for (const file of samples) {
  const name = path.basename(file, ".html");
  const sample = readSample(name);
  test(`${name}: right, near and wrong answers typed, graded as the player grades them`, TIMEOUT, async () => {
    const browser = await browserTools.startBrowser();
    try {
      const watched = await browserTools.newWatchedContext(browser, PHONE);
      const page = await watched.context.newPage();
      await browserTools.openQuiz(page, browserTools.pageUrl(".", file));
      assert.equal(await page.textContent("#quiz-title"), sample.title);
      const typed = [sample.answers[0], near(sample.answers[1]), "zzzz"];
      for (let question = 1; question <= 3; question++) {
        const box = `#box-${sample.boxes * (question - 1) + 1}`;
        await page.click(box);
        await page.keyboard.type(typed[question - 1]);
        await page.keyboard.press("Enter");
      }
      const verdicts = await page.evaluate((boxes) => [1, 2, 3].map((question) => {
        const label = document.getElementById(`verdict-${boxes * (question - 1) + 1}`);
        return [label.textContent, getComputedStyle(label).backgroundColor];
      }), sample.boxes);
      assert.deepEqual(verdicts, [["BRAVO", GREEN], ["Quasiment", AMBER], ["FAUX", RED]]);
      const solved = sample.boxes === 1 ? 1 : 0;
      const score = () => page.textContent("#quiz-score").then((text) => text.trim());
      assert.equal(await score(), `${solved} / ${sample.answers.length}`);
      assert.equal((await page.textContent("#quiz-code")).trim(), solved ? sample.codes[0] : "");
      await page.reload();
      await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
      assert.equal(await page.inputValue("#box-1"), sample.answers[0], "the answers come back");
      assert.equal(await score(), `${solved} / ${sample.answers.length}`);
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 360));
      if (SCREENSHOTS) {
        fs.mkdirSync(SCREENSHOTS, { recursive: true });
        await page.evaluate(() => window.scrollTo(0, 0));
        await page.screenshot({ path: path.join(SCREENSHOTS, `${name}-phone.png`) });
        await page.setViewportSize(DESKTOP.viewport);
        await page.screenshot({ path: path.join(SCREENSHOTS, `${name}-desktop.png`) });
      }
      browserTools.assertNoRequestLeft(watched);
      assert.deepEqual(watched.errors, []);
    } finally {
      await browser.close();
    }
  });
}
