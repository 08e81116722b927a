// The page as a pupil plays it, in Chromium, on one quiz of each layout made
// by make_test_pages: answers typed on the keyboard and graded on Enter, Tab
// and leaving the box; verdicts, colours, score, code and reveal as the
// native core gives them; F1 and the button that complete; answers kept over
// a reload, cleared by "Recommencer", saved as the player's answers file and
// read back; a quiz whose texts hold markup shows them as text; the boxes
// named for a screen reader; screenshots at a phone's and a desktop's size;
// a quiz whose pupils hand in their work: the name, the results file and
// block the teacher's reader takes, and a new pupil.
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const browserTools = require("./browser.js");

const behaviour = browserTools.readJson("behaviour/behaviour.json");
const SCREENSHOTS = process.env.QUIZZ_SCREENSHOTS;
const PHONE = { viewport: { width: 360, height: 740 }, isMobile: true, hasTouch: true };
const DESKTOP = { viewport: { width: 1280, height: 800 } };
const LAYOUTS = behaviour.pages.filter((quiz) => !quiz.name.startsWith("injection"));
const MARKUP = behaviour.pages.filter((quiz) => quiz.name.startsWith("injection"));
const TIMEOUT = { timeout: 60000 };

let browser;
before(async () => {
  browser = await browserTools.startBrowser();
});
after(async () => {
  await browser?.close();
});

function boxNumber(quiz, question, box) {
  return quiz.boxesPerQuestion * (question - 1) + box;
}

// Every box of the quiz, numbered as the page numbers them, with what the
// game types there and the native verdict.
function boxes(quiz) {
  const all = [];
  quiz.questions.forEach((question, q) =>
    question.typed.forEach((typed, b) =>
      all.push({ question: q + 1, box: b + 1, n: boxNumber(quiz, q + 1, b + 1), typed,
                 verdict: question.verdicts[b] })));
  return all;
}

async function withPage(options, body) {
  const watched = await browserTools.newWatchedContext(browser, options);
  try {
    const page = await watched.context.newPage();
    await body(page, watched);
  } finally {
    await watched.context.close();
  }
  assert.deepEqual(watched.errors, [], "console errors");
  browserTools.assertNoRequestLeft(watched);
}

// The game, typed: each typed box ended by Enter, Tab or a click elsewhere in
// turn, as pupils do.
async function playGame(page, quiz) {
  const ends = ["Enter", "Tab", "click"];
  let turn = 0;
  for (const { n, typed } of boxes(quiz)) {
    if (!typed) continue;
    await page.click("#box-" + n);
    await page.keyboard.type(typed);
    const end = ends[turn++ % ends.length];
    if (end === "click") await page.click("#quiz-title");
    else await page.keyboard.press(end);
  }
}

async function shownVerdicts(page, quiz) {
  return page.evaluate((numbers) => numbers.map((n) => {
    const label = document.getElementById("verdict-" + n);
    return { text: label.textContent, colour: getComputedStyle(label).backgroundColor };
  }), boxes(quiz).map(({ n }) => n));
}

async function boxValues(page, quiz) {
  return page.evaluate((numbers) => numbers.map((n) => document.getElementById("box-" + n).value),
    boxes(quiz).map(({ n }) => n));
}

// What the page must show after the game: the native verdicts in their
// colours (boxes left empty show no verdict), the score and the code.
async function assertGameShown(page, quiz) {
  const shown = await shownVerdicts(page, quiz);
  boxes(quiz).forEach(({ n, typed, verdict }, i) => {
    if (!typed) {
      assert.ok(["", "?"].includes(shown[i].text), `box ${n} left empty shows ${shown[i].text}`);
      return;
    }
    assert.equal(shown[i].text, verdict, `verdict of box ${n} (${JSON.stringify(typed)})`);
    assert.equal(shown[i].colour, behaviour.verdictColours[verdict], `colour of ${verdict}, box ${n}`);
  });
  assert.equal((await page.textContent("#quiz-score")).trim(),
    `${quiz.solved} / ${quiz.questions.length}`);
  assert.equal((await page.textContent("#quiz-code")).trim(), quiz.code);
}

for (const quiz of LAYOUTS) {
  const url = browserTools.pageUrl("behaviour", quiz.file);

  test(`${quiz.name}: a game typed on the keyboard, graded as the player grades it`, TIMEOUT, async () => {
    await withPage(DESKTOP, async (page) => {
      await browserTools.openQuiz(page, url);
      assert.equal(await page.textContent("#quiz-title"), quiz.title);
      // A quiz that asks for no work shows none of it.
      assert.ok(!(await page.isVisible("#work")) && (await page.locator("dialog[open]").count()) === 0,
        "no work asked");
      assert.equal(await page.locator("#quiz-site").evaluate((a) => a.tagName), "A");
      assert.equal(await page.locator(".cell").count(), quiz.questions.length);
      // The game solves question 1, which reveals its picture or text.
      assert.ok(quiz.reveal === 0 || quiz.questions[0].revealed);
      const pictureBefore = quiz.reveal === 1 ? await page.getAttribute("#picture-1", "src") : null;
      await playGame(page, quiz);
      await assertGameShown(page, quiz);
      if (quiz.reveal === 1)
        assert.notEqual(await page.getAttribute("#picture-1", "src"), pictureBefore,
          "the reveal picture replaces the question's");
      for (const [q, question] of quiz.questions.entries()) {
        if (quiz.reveal !== 2) break;
        assert.equal(await page.isVisible(`#reveal-${q + 1}`), question.revealed, `reveal ${q + 1} shown`);
        if (question.revealed) assert.equal(await page.textContent(`#reveal-${q + 1}`), question.reveal);
      }
    });
  });

  test(`${quiz.name}: answers kept over a reload, saved and read back as the player's file`, TIMEOUT, async () => {
    const expectedFile = Buffer.from(quiz.answersFile, "base64");
    await withPage(DESKTOP, async (page) => {
      await browserTools.openQuiz(page, url);
      await playGame(page, quiz);
      const typed = await boxValues(page, quiz);
      await page.reload();
      await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
      assert.deepEqual(await boxValues(page, quiz), typed, "the boxes after a reload");
      await assertGameShown(page, quiz);

      const [download] = await Promise.all([page.waitForEvent("download"), page.click("#save-answers")]);
      const saved = fs.readFileSync(await download.path());
      assert.deepEqual(saved, expectedFile, "the answers file, byte for byte, as the player writes it");
    });
    await withPage(DESKTOP, async (page) => {
      await browserTools.openQuiz(page, url);
      await page.setInputFiles("#load-answers", {
        name: quiz.name + ".txt", mimeType: "text/plain", buffer: expectedFile,
      });
      await page.waitForFunction((n) => document.getElementById("verdict-" + n).textContent !== "" &&
        document.getElementById("verdict-" + n).textContent !== "?", boxNumber(quiz, 1, 1));
      await assertGameShown(page, quiz);
    });
  });

  test(`${quiz.name}: "Recommencer" clears only once confirmed`, TIMEOUT, async () => {
    await withPage(DESKTOP, async (page) => {
      await browserTools.openQuiz(page, url);
      await playGame(page, quiz);
      // The page asks in a dialog of its own, which a screen reader reads.
      await page.click("#restart");
      assert.ok(await page.isVisible("#restart-dialog"), "Recommencer asks first");
      await page.click("#restart-cancel");
      await assertGameShown(page, quiz);
      await page.click("#restart");
      await page.click("#restart-confirm");
      assert.ok((await boxValues(page, quiz)).every((value) => value === ""));
      const verdictColours = Object.values(behaviour.verdictColours).filter(Boolean);
      for (const { text, colour } of await shownVerdicts(page, quiz))
        assert.ok(["", "?"].includes(text) && !verdictColours.includes(colour),
          `a cleared verdict shows ${text} on ${colour}`);
      assert.equal((await page.textContent("#quiz-score")).trim(), `0 / ${quiz.questions.length}`);
      await page.reload();
      await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
      assert.ok((await boxValues(page, quiz)).every((value) => value === ""), "cleared for good");
    });
  });

  test(`${quiz.name}: boxes named for screen readers, verdicts read aloud, no sideways scroll on a phone`, TIMEOUT, async () => {
    await withPage(PHONE, async (page) => {
      await browserTools.openQuiz(page, url);
      for (const { question, box, n } of boxes(quiz)) {
        const name = quiz.boxesPerQuestion === 2 ? `Question ${question}, réponse ${box}` : `Question ${question}`;
        const named = page.getByRole("textbox", { name, exact: true });
        assert.equal(await named.count(), 1, `one box named "${name}"`);
        assert.equal(await named.getAttribute("id"), "box-" + n);
        assert.ok(await page.$eval("#verdict-" + n, (label) => label.closest("[aria-live]") !== null),
          `verdict ${n} is read when it changes`);
      }
      await playGame(page, quiz);
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 360),
        "the page scrolls sideways at 360 px");
      if (SCREENSHOTS) {
        fs.mkdirSync(SCREENSHOTS, { recursive: true });
        await page.screenshot({ path: path.join(SCREENSHOTS, `${quiz.name}-phone.png`), fullPage: true });
        await page.setViewportSize(DESKTOP.viewport);
        await page.screenshot({ path: path.join(SCREENSHOTS, `${quiz.name}-desktop.png`) });
      }
    });
  });
}

test("texte: F1 and the button copy the box's text into every box not yet right, and grade them", TIMEOUT, async () => {
  const quiz = LAYOUTS.find(({ name }) => name === "texte");
  const last = quiz.questions.length;
  const lastAnswer = quiz.questions[last - 1].answers[0];
  const otherAnswer = quiz.questions[last - 2].answers[0];
  await withPage(DESKTOP, async (page) => {
    await browserTools.openQuiz(page, browserTools.pageUrl("behaviour", quiz.file));
    await page.click("#box-1");
    await page.keyboard.type(lastAnswer);
    await page.keyboard.press("F1");
    assert.deepEqual(await boxValues(page, quiz), Array(last).fill(lastAnswer));
    assert.equal(await page.textContent("#verdict-" + last), "BRAVO");
    assert.equal(await page.textContent("#verdict-1"), "FAUX");
    await page.click("#box-2");
    await page.keyboard.press("Control+A");
    await page.keyboard.type(otherAnswer);
    await page.click("#complete");
    assert.deepEqual(await boxValues(page, quiz), [...Array(last - 1).fill(otherAnswer), lastAnswer],
      "a box already right keeps its text");
    assert.equal(await page.textContent("#verdict-" + (last - 1)), "BRAVO");
    assert.equal((await page.textContent("#quiz-score")).trim(), `2 / ${last}`);
    assert.equal((await page.textContent("#quiz-code")).trim(), quiz.questions[1].code);
  });
});

for (const quiz of MARKUP) {
  test(`${quiz.name}: markup in a quiz's texts shows as text and runs nothing`, TIMEOUT, async () => {
    const markup = quiz.title;
    await withPage(DESKTOP, async (page, watched) => {
      await browserTools.openQuiz(page, browserTools.pageUrl("behaviour", quiz.file));
      await playGame(page, quiz);
      await page.waitForTimeout(300); // time for an injected onerror to fire
      assert.equal(await page.textContent("#quiz-title"), markup);
      assert.equal(await page.textContent("#quiz-author"), markup);
      assert.equal(await page.textContent("#quiz-explanations"), markup);
      // The picture layout shows pictures in place of question texts.
      if (quiz.reveal === 0)
        for (let q = 1; q <= quiz.questions.length; q++)
          assert.ok((await page.textContent(`.cell[data-question="${q}"]`)).includes(markup),
            `question ${q}'s text`);
      else assert.equal(await page.textContent("#reveal-1"), markup);
      assert.equal((await page.textContent("#quiz-code")).trim(), markup);
      assert.equal(await page.evaluate(() => document.querySelectorAll('img[src="x"]').length +
        [...document.scripts].filter((script) => script.textContent.includes("alert(1)")).length), 0,
        "no element made of the quiz's texts");
      assert.deepEqual(watched.dialogs, [], "a dialog opened");
    });
  });
}

// A quiz whose pupils hand in their work (make_test_pages built it from
// work/travail.toml): what the page hands in is read back by the teacher's
// reader, make_test_pages read-results, with the key of the quiz's title.
const WORK_URL = browserTools.pageUrl("work", "travail.html");
const WORK_TITLE = /^titre = "(.*)"$/m.exec(
  fs.readFileSync(path.join(browserTools.PAGES, "work", "travail.toml"), "utf8"))[1];
// Every box in order, question 1 box 1 first; the fourth left empty.
const WORK_TYPED = ["France", "Paris", "Grece", "", "Espagne", "Madrd"];
// The pupil's own clock, not UTC: the reader must show the hour the pupil saw.
const ZONE = "Pacific/Auckland";
const WORK_PHONE = { ...PHONE, timezoneId: ZONE };
const WORK_DESKTOP = { ...DESKTOP, timezoneId: ZONE };

function readResults(text) {
  const file = path.join(fs.mkdtempSync(path.join(require("node:os").tmpdir(), "quizz-")), "rendu.txt");
  fs.writeFileSync(file, text);
  const out = require("node:child_process").execFileSync(process.env.QUIZZ_TOOL,
    ["read-results", WORK_TITLE, file], { encoding: "utf8", timeout: 10000 });
  return JSON.parse(out);
}

// The local minutes around now, as the page writes them.
function localMinutes() {
  const format = new Intl.DateTimeFormat("sv-SE", { timeZone: ZONE, year: "numeric", month: "2-digit",
    day: "2-digit", hour: "2-digit", minute: "2-digit" });
  return [-60000, 0, 60000].map((shift) => format.format(new Date(Date.now() + shift)));
}

function assertHandedIn(read, name) {
  assert.equal(read.read, "Read", "the teacher's reader takes the results as the quiz's");
  assert.equal(read.quiz, read.identity);
  assert.equal(read.name, name);
  assert.ok(localMinutes().includes(read.date), `date ${read.date} is the pupil's local time`);
  assert.deepEqual(read.answers, WORK_TYPED);
}

async function giveName(page, name) {
  await page.waitForSelector("#name-dialog[open]");
  await page.fill("#name-input", name);
  await page.press("#name-input", "Enter");
  await page.waitForSelector("#name-dialog:not([open])", { state: "attached" });
}

async function typeWork(page) {
  for (const [n, typed] of WORK_TYPED.entries()) {
    if (!typed) continue;
    await page.click("#box-" + (n + 1));
    await page.keyboard.type(typed);
    await page.keyboard.press("Enter");
  }
}

test("travail: the name asked once, refused empty, remembered over a reload", TIMEOUT, async () => {
  await withPage(WORK_DESKTOP, async (page) => {
    await browserTools.openQuiz(page, WORK_URL);
    assert.ok(await page.isVisible("#name-dialog"), "the name is asked at the first visit");
    assert.equal(await page.evaluate(() => document.activeElement.id), "name-input");
    await page.click("#name-confirm");
    assert.match(await page.textContent("#name-problem"), /prénom et votre nom/, "an empty name is refused");
    assert.ok(await page.isVisible("#name-dialog"));
    await giveName(page, "  Léa   Martin ");
    assert.equal(await page.textContent("#pupil"), "Élève : Léa Martin");
    await page.reload();
    await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
    assert.ok(!(await page.isVisible("#name-dialog")), "a remembered name is not asked again");
    assert.equal(await page.textContent("#pupil"), "Élève : Léa Martin");
  });
  // Storage refused (private browsing, a full quota): the name serves this
  // visit and is asked again at the next.
  await withPage(WORK_DESKTOP, async (page) => {
    await page.addInitScript(() => {
      Storage.prototype.setItem = () => {
        throw new DOMException("refusé", "QuotaExceededError");
      };
    });
    await browserTools.openQuiz(page, WORK_URL);
    await giveName(page, "Léa Martin");
    assert.equal(await page.textContent("#pupil"), "Élève : Léa Martin");
    await page.reload();
    await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
    assert.ok(await page.isVisible("#name-dialog"), "asked again");
  });
});

test("travail: \"Rendre mon travail\" downloads the results the teacher reads", TIMEOUT, async () => {
  await withPage(WORK_DESKTOP, async (page) => {
    await browserTools.openQuiz(page, WORK_URL);
    await giveName(page, "Léa Martin");
    await typeWork(page);
    // On the keyboard, the header's button opens the dialog with the name.
    await page.focus("#hand-in");
    await page.keyboard.press("Enter");
    assert.ok(await page.isVisible("#hand-in-dialog"));
    assert.equal(await page.inputValue("#hand-in-name"), "Léa Martin");
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#hand-in-download")]);
    assert.equal(download.suggestedFilename(), `${WORK_TITLE} - Léa Martin.txt`);
    const bytes = fs.readFileSync(await download.path());
    assertHandedIn(readResults(bytes), "Léa Martin");
    assert.match(await page.textContent("#hand-in-status"), /Le fichier « .* » est dans vos téléchargements/);
    if (SCREENSHOTS) {
      fs.mkdirSync(SCREENSHOTS, { recursive: true });
      fs.writeFileSync(path.join(SCREENSHOTS, "travail-results.txt"), bytes);
    }

    // The name mended in the dialog is the one handed in, and remembered;
    // an empty one is refused.
    await page.fill("#hand-in-name", "");
    await page.click("#hand-in-download");
    assert.match(await page.textContent("#hand-in-problem"), /prénom et votre nom/);
    await page.fill("#hand-in-name", "Zoë Łukasiewicz");
    const [second] = await Promise.all([page.waitForEvent("download"), page.click("#hand-in-download")]);
    assert.equal(second.suggestedFilename(), `${WORK_TITLE} - Zoë Łukasiewicz.txt`);
    assertHandedIn(readResults(fs.readFileSync(await second.path())), "Zoë Łukasiewicz");
    await page.click("#hand-in-close");
    assert.equal(await page.textContent("#pupil"), "Élève : Zoë Łukasiewicz");
  });
});

test("travail: \"Copier le texte\" copies the block, or shows it selected when copying is refused", TIMEOUT, async () => {
  await withPage({ ...WORK_DESKTOP, permissions: ["clipboard-read", "clipboard-write"] }, async (page) => {
    await browserTools.openQuiz(page, WORK_URL);
    await giveName(page, "Léa Martin");
    await typeWork(page);
    await page.click("#hand-in");
    await page.click("#hand-in-copy");
    await page.waitForFunction(() => document.getElementById("hand-in-status").textContent !== "");
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    assert.match(copied, /^--- Quizz : travail rendu ---\r\n/);
    assertHandedIn(readResults("Bonjour,\n\n" + copied), "Léa Martin");
    assert.ok(!(await page.isVisible("#hand-in-manual")));
  });
  await withPage(WORK_DESKTOP, async (page) => {
    await page.addInitScript(() => {
      navigator.clipboard.writeText = () => Promise.reject(new Error("refusé"));
    });
    await browserTools.openQuiz(page, WORK_URL);
    await giveName(page, "Léa Martin");
    await typeWork(page);
    await page.click("#hand-in");
    await page.click("#hand-in-copy");
    await page.waitForSelector("#hand-in-block", { state: "visible" });
    const shown = await page.evaluate(() => {
      const area = document.getElementById("hand-in-block");
      return { value: area.value, selected: area.selectionEnd - area.selectionStart,
               focused: document.activeElement === area };
    });
    assert.ok(shown.focused && shown.selected === shown.value.length, "the block shown selected");
    assert.match(await page.textContent("#hand-in-manual"), /Copiez ce texte \(Ctrl\+C\)/);
    assertHandedIn(readResults(shown.value), "Léa Martin");
    if (SCREENSHOTS) {
      fs.mkdirSync(SCREENSHOTS, { recursive: true });
      await page.screenshot({ path: path.join(SCREENSHOTS, "travail-copy-by-hand-desktop.png") });
    }
  });
});

test("travail: \"Nouvel élève\" cancelled keeps everything, confirmed clears it and asks the name", TIMEOUT, async () => {
  await withPage(WORK_DESKTOP, async (page) => {
    await browserTools.openQuiz(page, WORK_URL);
    await giveName(page, "Léa Martin");
    await typeWork(page);
    const values = () => page.evaluate(() => [...document.querySelectorAll(".answer input")].map((box) => box.value));
    await page.click("#new-pupil");
    assert.equal(await page.textContent("#new-pupil-question"),
      "Les réponses de Léa Martin seront effacées de cet appareil.");
    assert.equal(await page.evaluate(() => document.activeElement.id), "new-pupil-cancel", "starts on Annuler");
    await page.keyboard.press("Enter");
    assert.ok(!(await page.isVisible("#new-pupil-dialog")));
    assert.deepEqual(await values(), WORK_TYPED, "cancelled: the answers stay");
    assert.equal(await page.textContent("#pupil"), "Élève : Léa Martin");
    assert.equal((await page.textContent("#quiz-score")).trim(), "1 / 3");

    await page.click("#new-pupil");
    await page.click("#new-pupil-confirm");
    assert.deepEqual(await values(), WORK_TYPED.map(() => ""));
    assert.ok(await page.evaluate(() => [...document.querySelectorAll(".verdict")].every(
      (label) => ["", "?"].includes(label.textContent) && !label.classList.contains("graded"))));
    assert.equal((await page.textContent("#quiz-score")).trim(), "0 / 3");
    assert.equal((await page.textContent("#quiz-code")).trim(), "");
    assert.ok(!(await page.isVisible("#pupil")));
    assert.ok(await page.isVisible("#name-dialog"), "the new pupil's name is asked");
    await page.reload();
    await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
    assert.deepEqual(await values(), WORK_TYPED.map(() => ""), "the stored answers are gone");
    assert.ok(await page.isVisible("#name-dialog"), "and so is the stored name");
  });
});

test("travail: the header's buttons fit a phone, 44 px each", TIMEOUT, async () => {
  await withPage(WORK_PHONE, async (page) => {
    await browserTools.openQuiz(page, WORK_URL);
    if (SCREENSHOTS) {
      fs.mkdirSync(SCREENSHOTS, { recursive: true });
      await page.screenshot({ path: path.join(SCREENSHOTS, "travail-name-phone.png") });
    }
    await giveName(page, "Marie-Charlotte de La Rochefoucauld");
    await typeWork(page);
    for (const id of ["#hand-in", "#new-pupil"]) {
      const box = await page.locator(id).boundingBox();
      assert.ok(box.height >= 44 && box.width >= 44, `${id} is ${box.width} x ${box.height}`);
    }
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 360),
      "the page scrolls sideways at 360 px");
    await page.click("#hand-in");
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 360));
    if (SCREENSHOTS) {
      await page.screenshot({ path: path.join(SCREENSHOTS, "travail-hand-in-phone.png") });
      await page.click("#hand-in-close");
      await page.screenshot({ path: path.join(SCREENSHOTS, "travail-phone.png"), fullPage: true });
      await page.setViewportSize(DESKTOP.viewport);
      await page.screenshot({ path: path.join(SCREENSHOTS, "travail-desktop.png") });
      await page.click("#hand-in");
      await page.screenshot({ path: path.join(SCREENSHOTS, "travail-hand-in-desktop.png") });
    }
  });
});
