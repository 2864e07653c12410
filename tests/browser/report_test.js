// The html report of `vexal check` in headless Chromium: the page of the
// example transmission shows the numbers of the jsonl summary, a click on
// a statistics row (or Enter on it) leaves only that identifier's records,
// the URL fragment opens the same view, each marked range covers exactly
// its faulty field's characters; a page of hostile records runs nothing
// from them; neither page logs a console error or makes a network request.
//
// node report_test.js VEXAL EXAMPLE_FILE OUTPUT_FOLDER
// Exits 77 (skipped) when Chromium or playwright-core is missing, after
// saying which.

"use strict";

const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");

const kSkipped = 77;
const kChromium = process.env.VEXAL_CHROMIUM || "/usr/bin/chromium";
// Without these Chromium reaches for the network at every start.
const kChromiumArgs = [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
  "--disable-component-update", "--no-first-run", "--disable-sync",
];

function skip(reason) {
  console.log(`SKIPPED: ${reason}`);
  process.exit(kSkipped);
}

let chromium;
try {
  ({ chromium } = require("playwright-core"));
} catch (e) {
  skip(`playwright-core not installed (npm ci in ${__dirname})`);
}
if (!fs.existsSync(kChromium)) skip(`no Chromium at ${kChromium} (Debian: apt-get install chromium)`);

const [vexal, example, outputFolder] = process.argv.slice(2);
if (!vexal || !example || !outputFolder) {
  console.error("usage: node report_test.js VEXAL EXAMPLE_FILE OUTPUT_FOLDER");
  process.exit(2);
}
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "vexal-browser-"));

// vexal's output; findings give exit status 1.
function vexalOutput(args) {
  try {
    return execFileSync(vexal, args, { maxBuffer: 1 << 28 });
  } catch (e) {
    if (e.status === 1) return e.stdout;
    throw e;
  }
}

function jsonlSummary(file) {
  const lines = vexalOutput(["check", "-q", "--today", "20261208", "--format", "jsonl", file])
    .toString().trim().split("\n");
  return JSON.parse(lines[lines.length - 1]);
}

function writeReport(file, name) {
  const page = path.join(scratch, name);
  fs.writeFileSync(page, vexalOutput(["check", "-q", "--today", "20261208", "--format", "html", file]));
  return page;
}

// A fresh browser with an empty profile; every console message, page
// error, dialog and request beyond the file is recorded.
async function open(browser, page_file, fragment = "") {
  const page = await browser.newPage();
  const seen = { console: [], errors: [], dialogs: [], requests: [] };
  page.on("console", (m) => { if (m.type() === "error" || m.type() === "warning") seen.console.push(m.text()); });
  page.on("pageerror", (e) => seen.errors.push(e.message));
  page.on("dialog", async (d) => { seen.dialogs.push(d.message()); await d.dismiss(); });
  page.on("request", (r) => { if (!r.url().startsWith("file:")) seen.requests.push(r.url()); });
  await page.goto("file://" + page_file + fragment);
  await page.waitForLoadState("load");
  return { page, seen };
}

function quiet(seen, what) {
  assert.deepEqual(seen.console, [], `${what}: console messages`);
  assert.deepEqual(seen.errors, [], `${what}: page errors`);
  assert.deepEqual(seen.dialogs, [], `${what}: dialogs`);
  assert.deepEqual(seen.requests, [], `${what}: requests beyond the file`);
}

// The visible records and, per record, the columns its marks cover and
// the columns of its faulty fields within the line.
async function visibleRecords(page) {
  return page.$$eval("article[data-k]", (articles) => articles.filter((a) => !a.hidden).map((a) => {
    const marked = [];
    a.querySelectorAll(".roh mark").forEach((m) => {
      const from = Number(m.dataset.p);
      for (let i = 0; i < m.textContent.length; i++) marked.push(from + i);
    });
    const length = Number(a.querySelector("h3").textContent.match(/([\d.]+) Zeichen/)[1].replace(/\./g, ""));
    const faulty = new Set();
    a.querySelectorAll("tr.x").forEach((row) => {
      for (let i = Number(row.dataset.from); i <= Math.min(Number(row.dataset.to), length); i++) faulty.add(i);
    });
    return { keys: a.dataset.k.split(" "), line: Number(a.dataset.line), marked, faulty: [...faulty].sort((x, y) => x - y) };
  }));
}

async function exampleReport(browser) {
  const summary = jsonlSummary(example);
  const file = writeReport(example, "example.html");
  const { page, seen } = await open(browser, file);

  // The numbers of the jsonl summary.
  for (const key of ["records", "records_with_findings", "findings", "warnings", "line_errors",
    "unreadable_files", "file_warnings"]) {
    assert.equal(await page.textContent(`#s-${key}`), String(summary[key]), `summary ${key}`);
  }
  for (const [type, count] of Object.entries(summary.findings_by_record_type)) {
    assert.equal(await page.textContent(`td[data-type="${type}"]`), String(count), `findings of ${type}`);
  }
  assert.match(await page.textContent(".ergebnis"), summary.line_errors > 0 ? /^Fehler/ : /Beanstandungen/);
  const all = await visibleRecords(page);
  assert.equal(all.length, summary.records_with_findings, "records shown");

  // Each record's marks cover exactly its faulty fields' characters.
  for (const record of all) {
    assert.deepEqual(record.marked, record.faulty, `marks of line ${record.line}`);
  }
  // VERSIONS-NR of line 3 where the layout places it.
  const layout = JSON.parse(vexalOutput(["layout", "--format", "json", "DSKO_04"]).toString());
  const vernr = layout.entries.find((e) => e.path === "VERNR");
  const line3 = all.find((r) => r.line === 3);
  assert.deepEqual(line3.marked, Array.from({ length: vernr.length }, (_, i) => vernr.position + i));

  // A click on a statistics row leaves that identifier's records alone.
  const row = page.locator("#stat tr[data-k]").first();
  const key = await row.getAttribute("data-k");
  const records = Number(await row.locator("td").nth(1).textContent());
  await row.click();
  await page.waitForFunction((k) => decodeURIComponent(location.hash) === "#k=" + k, key);
  let shown = await visibleRecords(page);
  assert.equal(shown.length, records, `records of ${key}`);
  assert.ok(shown.every((r) => r.keys.includes(key)), `only records of ${key}`);
  assert.ok(shown.length < all.length, "the filter hides records");
  assert.match(await page.textContent("#filterstand"), new RegExp(key.split(":")[1]));

  // Enter on another row; the fragment then opens that view anew.
  const other = page.locator("#stat tr[data-k]").nth(3);
  const otherKey = await other.getAttribute("data-k");
  await other.focus();
  await page.keyboard.press("Enter");
  await page.waitForFunction((k) => decodeURIComponent(location.hash) === "#k=" + k, otherKey);
  const fragment = await page.evaluate(() => location.hash);
  shown = await visibleRecords(page);
  assert.ok(shown.length > 0 && shown.every((r) => r.keys.includes(otherKey)), `only records of ${otherKey}`);
  const again = await open(browser, file, fragment);
  assert.deepEqual((await visibleRecords(again.page)).map((r) => r.line), shown.map((r) => r.line));
  quiet(again.seen, "reopened page");

  // By record type.
  await page.click('a[data-set="t"][data-v="DSLN_01"]');
  await page.waitForFunction(() => location.hash.includes("t=DSLN_01"));
  shown = await visibleRecords(page);
  const types = await page.$$eval("article[data-k]", (a) => a.filter((x) => !x.hidden).map((x) => x.dataset.t));
  assert.ok(types.every((t) => t === "DSLN_01"));

  // The top of the page, and one identifier's record as a clerk sees it.
  quiet(seen, "example page");
  fs.mkdirSync(outputFolder, { recursive: true });
  const top = await open(browser, file);
  await top.page.screenshot({ path: path.join(outputFolder, "report-example.png") });
  const one = await open(browser, file, "#k=DSKO_04%3ADSKO042");
  await one.page.evaluate(() => document.getElementById("saetze").scrollIntoView());
  await one.page.screenshot({ path: path.join(outputFolder, "report-example-record.png") });
  quiet(top.seen, "example page for the screenshot");
  quiet(one.seen, "filtered page for the screenshot");
  console.log(`example: ${summary.findings} findings in ${summary.records_with_findings} records shown and marked`);
}

async function hostileReport(browser) {
  const lines = fs.readFileSync(example, "latin1").split("\n");
  const payload = "</script><script>alert(1)</script><img src=x onerror=alert(2)>\"'&#0;&lt;";
  const bytes = "\x01\x1b\x7f\x80\x81\x8d\x9d\x9f";
  const hostile = [
    // Inside a faulty record's fields, and after its end.
    lines[2].slice(0, 120) + payload + lines[2].slice(120 + payload.length) + payload + bytes,
    // A line whose record type cannot be told: its first characters are quoted in the error.
    "<img src=x onerror=alert(3)>" + bytes,
    lines[4].slice(0, 200) + "<iframe src=\"https://example.invalid/\"></iframe>" + bytes,
  ];
  const input = path.join(scratch, "hostile <b>&'.txt");
  fs.writeFileSync(input, Buffer.from(hostile.join("\n") + "\n", "latin1"));
  const summary = jsonlSummary(input);
  const file = writeReport(input, "hostile.html");
  const { page, seen } = await open(browser, file);
  assert.equal(await page.$$eval("script", (s) => s.length), 1, "the page's own script only");
  assert.equal(await page.$$eval("img, iframe", (s) => s.length), 0, "no element from records");
  assert.equal(await page.textContent("#s-findings"), String(summary.findings));
  const raw = await page.textContent("article .roh");
  assert.ok(raw.includes("</script><script>alert(1)</script><img"), "the record shows as text");
  assert.ok(raw.includes("\u2401\u241b\u2421\u20ac\ufffd\ufffd\ufffd\u0178"), "control bytes shown one a byte");
  await page.locator("#stat tr[data-k]").first().click();
  await page.screenshot({ path: path.join(outputFolder, "report-hostile.png") });
  quiet(seen, "hostile page");
  console.log("hostile records: shown as text, nothing ran");
}

(async () => {
  const browser = await chromium.launchPersistentContext(fs.mkdtempSync(path.join(scratch, "profile-")), {
    executablePath: kChromium, headless: true, args: kChromiumArgs, viewport: { width: 1400, height: 1000 },
  });
  try {
    await exampleReport(browser);
    await hostileReport(browser);
  } finally {
    await browser.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
  console.log("passed");
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
