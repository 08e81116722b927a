// What the page tests share: Debian's Chromium started as the tests need it
// (no download, no sandbox as root, nothing fetched in the background, a
// fresh profile each time), a quiz page opened and shown, and the proof that
// the page asked for nothing but itself.
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const assert = require("node:assert/strict");
const { pathToFileURL } = require("node:url");
const { chromium } = require("playwright-core");

const PAGES = process.env.QUIZZ_TEST_PAGES;
if (!PAGES) throw new Error("QUIZZ_TEST_PAGES: the folder make_test_pages wrote");

function startBrowser() {
  // launch() gives the browser a fresh profile of its own, removed at close.
  return chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: [
      "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync", "--disable-quic",
    ],
  });
}

function readJson(name) {
  return JSON.parse(fs.readFileSync(path.join(PAGES, name), "utf8"));
}

// A context whose every request, dialog and console error is kept, for
// asserting at the end that the page stayed to itself.
async function newWatchedContext(browser, options = {}) {
  const context = await browser.newContext({ acceptDownloads: true, ...options });
  // A step the page never allows fails in seconds, not in Playwright's 30.
  context.setDefaultTimeout(8000);
  const watched = { context, requests: [], dialogs: [], errors: [] };
  context.on("request", (request) => watched.requests.push(request.url()));
  context.on("page", (page) => watchPage(watched, page));
  return watched;
}

function watchPage(watched, page) {
  page.on("dialog", (dialog) => watched.dialogs.push(dialog.message()));
  page.on("console", (message) => {
    if (message.type() === "error") watched.errors.push(message.text());
  });
  page.on("pageerror", (error) => watched.errors.push(String(error)));
}

function pageUrl(folder, file) {
  return pathToFileURL(path.join(PAGES, folder, file)).href;
}

async function openQuiz(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === "1", null, {
    timeout: 15000,
  });
}

// Fails on any request for something else than the quiz pages themselves, or
// data: and blob: addresses the page makes of its own bytes.
function assertNoRequestLeft(watched) {
  const pagesRoot = pathToFileURL(PAGES).href;
  const outside = watched.requests.filter(
    (url) =>
      !url.startsWith("data:") && !url.startsWith("blob:") &&
      !(url.startsWith(pagesRoot) && url.split("#")[0].endsWith(".html"))
  );
  assert.deepEqual(outside, [], "the page asked for something outside itself");
}

module.exports = {
  PAGES, startBrowser, readJson, newWatchedContext, pageUrl, openQuiz, assertNoRequestLeft,
};
