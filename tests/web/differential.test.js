// The page's verdicts against the native core's: every (answer, typed) pair
// make_test_pages drew is typed into the page's box in Chromium, and the
// verdict the page shows must be the one GradeQuestion gave natively.
"use strict";
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const browserTools = require("./browser.js");

let browser;
before(async () => {
  browser = await browserTools.startBrowser();
});
after(async () => {
  await browser?.close();
});

test("the page grades every pair as the native core does", { timeout: 240000 }, async () => {
  const expected = browserTools.readJson("differential/expected.json");
  const watched = await browserTools.newWatchedContext(browser);
  const page = await watched.context.newPage();
  const mismatches = [];
  let graded = 0;
  for (const quiz of expected.pages) {
    await browserTools.openQuiz(page, browserTools.pageUrl("differential", quiz.file));
    await page.evaluate((pairs) => {
      for (const { box, typed } of pairs) {
        const input = document.getElementById("box-" + box);
        input.value = typed;
        input.dispatchEvent(new Event("change", { bubbles: true }));
      }
    }, quiz.pairs.map(({ box, typed }) => ({ box, typed })));
    const shown = await page.evaluate((boxes) =>
      boxes.map((box) => document.getElementById("verdict-" + box)?.textContent ?? null),
      quiz.pairs.map(({ box }) => box));
    quiz.pairs.forEach((pair, i) => {
      graded++;
      if (shown[i] !== pair.verdict) mismatches.push({ page: quiz.file, rules: quiz.rules, ...pair, shown: shown[i] });
    });
  }
  for (const m of mismatches.slice(0, 40))
    console.log(
      `${m.page} case ${m.box}: réponse ${JSON.stringify(m.answer)}` +
        (m.alternatives.length ? ` (autres : ${JSON.stringify(m.alternatives)})` : "") +
        (m.rules ? ` règles ${JSON.stringify(m.rules)}` : "") +
        `, tapé ${JSON.stringify(m.typed)} : natif ${JSON.stringify(m.verdict)}, page ${JSON.stringify(m.shown)}`
    );
  console.log(`${graded} pairs graded, ${mismatches.length} differ`);
  assert.ok(graded >= 10000, "fewer pairs than the test promises");
  assert.equal(mismatches.length, 0, `${mismatches.length} of ${graded} verdicts differ`);
  assert.deepEqual(watched.errors, []);
  browserTools.assertNoRequestLeft(watched);
  await watched.context.close();
});
