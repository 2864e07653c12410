// Opens an html report in headless Chromium and prints how long opening
// and rendering took, in milliseconds: from navigation start to the first
// frame after the load event (the page is laid out and painted then),
// the best of RUNS fresh tabs. Chromium starts before the clock does.
//
//   node bench/html_render.js PAGE [RUNS]

"use strict";

const path = require("node:path");
const fs = require("node:fs");
const os = require("node:os");
const { chromium } = require(path.join(__dirname, "..", "tests", "browser", "node_modules", "playwright-core"));

(async () => {
  const page_file = path.resolve(process.argv[2]);
  const runs = Number(process.argv[3] || 3);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "vexal-render-"));
  const browser = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.VEXAL_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    viewport: { width: 1400, height: 1000 },
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
      "--disable-component-update", "--no-first-run", "--disable-sync"],
  });
  const times = [];
  try {
    for (let i = 0; i < runs; i++) {
      const page = await browser.newPage();
      const start = Date.now();
      await page.goto("file://" + page_file, { waitUntil: "load", timeout: 120000 });
      await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
      times.push(Date.now() - start);
      await page.close();
    }
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`${Math.min(...times)} ms best of ${runs} (${times.join(", ")} ms)`);
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
