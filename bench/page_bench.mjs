// The web page's figures in headless Chromium, printed:
//   node bench/page_bench.mjs TEXT_PAGE PICTURE_PAGE
// the first screen of each page (the quiz shown and graded, then the
// pictures in view decoded), grading one answer through the page, and the
// longest frame while 90 answers are typed and while F1 fills 180 boxes.
// bench/run.sh makes the pages (page_bench_quiz) and runs this.
import { createRequire } from "node:module";
import { resolve } from "node:path";
import { pathToFileURL } from "node:url";

const require = createRequire(import.meta.url);
const { chromium } = require("../tests/web/node_modules/playwright-core");

const [textPage, picturePage] = process.argv.slice(2).map((file) => pathToFileURL(resolve(file)).href);
const RUNS = 9;

// When the page says it is ready, and when every picture in view has been
// decoded, in milliseconds from the start of navigation.
function watchFirstScreen() {
  const times = (window.__firstScreen = {});
  const look = () => {
    const root = document.documentElement;
    if (root.dataset.ready === "1" && times.ready === undefined) times.ready = performance.now();
    if (times.ready !== undefined) {
      const inView = [...document.querySelectorAll("img")].filter((img) => {
        const box = img.getBoundingClientRect();
        return box.bottom > 0 && box.top < innerHeight;
      });
      if (inView.every((img) => img.complete && img.naturalWidth > 0)) {
        times.pictures = performance.now();
        return;
      }
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
}

// Frame lengths from now on, and the long tasks Chromium reports.
function watchFrames() {
  window.__frames = [];
  window.__longTasks = [];
  let last = performance.now();
  const frame = (time) => {
    window.__frames.push(time - last);
    last = time;
    requestAnimationFrame(frame);
  };
  requestAnimationFrame(frame);
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) window.__longTasks.push(entry.duration);
  }).observe({ type: "longtask" });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--disable-quic"],
});
try {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  await context.addInitScript(watchFirstScreen);
  const page = await context.newPage();

  async function firstScreen(url) {
    const ready = [], pictures = [];
    for (let run = 0; run < RUNS; run++) {
      await page.goto(url);
      await page.waitForFunction(() => window.__firstScreen?.pictures !== undefined, null, { timeout: 60000 });
      const times = await page.evaluate(() => window.__firstScreen);
      ready.push(times.ready);
      pictures.push(times.pictures);
    }
    return { ready: median(ready), pictures: median(pictures) };
  }
  const text = await firstScreen(textPage);
  const photos = await firstScreen(picturePage);
  console.log(`first screen, median of ${RUNS} loads (quiz shown and graded / pictures in view decoded):`);
  console.log(`  3-question text page     ${text.ready.toFixed(0)} ms / ${text.pictures.toFixed(0)} ms`);
  console.log(`  90-picture page          ${photos.ready.toFixed(0)} ms / ${photos.pictures.toFixed(0)} ms` +
              `  (${(photos.pictures / text.pictures).toFixed(2)} x the text page)`);

  // Grading through the page: the box's text handed to the core, graded,
  // the verdict, the score and the code shown.
  await page.evaluate(() => localStorage.clear());
  await page.goto(picturePage);
  await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
  const perAnswer = await page.evaluate(() => {
    const box = document.getElementById("box-1");
    const answers = ["photo 1", "phot 1", "photo 12", "xyz", "Photo 1 ", "1 otohp"];
    const count = 3000, batches = [];
    for (let batch = 0; batch < 7; batch++) {
      const start = performance.now();
      for (let i = 0; i < count; i++) {
        box.value = answers[i % answers.length];
        box.dispatchEvent(new Event("change", { bubbles: true }));
      }
      batches.push(((performance.now() - start) / count) * 1000);
    }
    return batches.sort((a, b) => a - b)[3];
  });
  console.log(`grading one answer through the page (typed text in, verdict shown; median of 7 batches): ${perAnswer.toFixed(1)} µs`);
  // The core alone, as the page calls it: a second instance, on the demo
  // quiz, given a typed text in UTF-8 and asked for the question's grade.
  const inCore = await page.evaluate(async () => {
    const core = await QuizzCore();
    core._quizz_load(0, -1, 0, -1, 0, -1, 0, -1, 0, -1);
    const encoder = new TextEncoder();
    const answers = ["Bonjour", "bonjur", "Bonjour tout le monde", "xyz", "éléphant"];
    const count = 20000;
    const start = performance.now();
    for (let i = 0; i < count; i++) {
      const bytes = encoder.encode(answers[i % answers.length]);
      const pointer = core._quizz_block(bytes.length + 1);
      core.HEAPU8.set(bytes, pointer);
      core.HEAPU8[pointer + bytes.length] = 0;
      core._quizz_set_box(0, pointer);
      core._quizz_grade(0);
    }
    return ((performance.now() - start) / count) * 1000;
  });
  console.log(`grading one answer in the core (its text handed over in UTF-8, graded): ${inCore.toFixed(1)} µs`);

  await page.evaluate(() => localStorage.clear());
  await page.goto(picturePage);
  await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
  await page.evaluate(watchFrames);
  await page.focus("#box-1");
  for (let question = 1; question <= 90; question++) {
    await page.keyboard.type(question % 3 ? `photo ${question}` : `phot ${question}`);
    await page.keyboard.press("Tab");
    await page.keyboard.press("Tab");
  }
  const typing = await page.evaluate(() => ({
    frame: Math.max(...window.__frames), task: Math.max(0, ...window.__longTasks) }));
  console.log(`typing 90 answers: longest frame ${typing.frame.toFixed(1)} ms, longest task ${typing.task.toFixed(1)} ms`);

  await page.evaluate(() => localStorage.clear());
  await page.goto(picturePage);
  await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
  await page.evaluate(watchFrames);
  await page.focus("#box-1");
  await page.keyboard.type("photo 1");
  await page.keyboard.press("F1");
  await page.waitForFunction(() => document.getElementById("box-180").value === "photo 1");
  await page.waitForTimeout(300);
  const filling = await page.evaluate(() => ({
    frame: Math.max(...window.__frames), task: Math.max(0, ...window.__longTasks) }));
  console.log(`F1 over 180 boxes: longest frame ${filling.frame.toFixed(1)} ms, longest task ${filling.task.toFixed(1)} ms`);
} finally {
  await browser.close();
}
