// The program's frames in Debian's headless Chromium, two ways. The frame timer (frame_timing,
// in its page): FrameRender back to back, the measure frame_bench and node take. The page
// itself, as a person sees it: the main thread's time in each animation frame's callback, where
// the program runs from one refresh wait to the next (the frame, the canvas's bytes and
// putImageData, the waits' unwinding), and its processor time in scripts per frame; also the
// time from the page's start to its first frame, and the page's bytes. Prints one line of JSON.
// Usage: node page_frames.js WEB_BUILD_DIR [FRAMES]
'use strict';

const fs = require('fs');
const path = require('path');
const {serve, browserStart} = require('../../tests/web/page_harness.js');

const folder = process.argv[2];
const frames = Number(process.argv[3] || 600);

// In the page before its scripts: the program's callbacks timed, and the first frame's time.
function frameTimers() {
  const timings = {callbacks: [], puts: [], firstFrame: null};
  window.velkorFrames = timings;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function() {
    const start = performance.now();
    const result = put.apply(this, arguments);
    timings.puts.push(performance.now() - start);
    if (timings.firstFrame === null) timings.firstFrame = performance.now();
    return result;
  };
  const animationFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => animationFrame((time) => {
    const start = performance.now();
    callback(time);
    timings.callbacks.push(performance.now() - start);
  });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const micro = (milliseconds) => Math.round(milliseconds * 10000) / 10;

async function timerRun(browser, url) {
  const page = await browser.newPage();
  await page.goto(`${url}frame_timing.html?frames=${frames}`);
  await page.waitForFunction(() => document.title.startsWith('{'), {timeout: 300000});
  const result = JSON.parse(await page.title());
  await page.close();
  return result;
}

async function pageRun(browser, url) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(frameTimers);
  await page.goto(url);
  // The first second is the compiler's and the caches'.
  await page.waitForFunction(() => window.velkorFrames.callbacks.length >= 60, {timeout: 60000});
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable', {timeDomain: 'threadTicks'});
  const scripts = async () => (await cdp.send('Performance.getMetrics')).metrics
      .find((metric) => metric.name === 'ScriptDuration').value;
  const before = {script: await scripts(), frames: await page.evaluate(() => velkorFrames.puts.length)};
  await page.waitForFunction((count) => window.velkorFrames.puts.length >= count,
                             {timeout: 300000, polling: 500}, before.frames + frames);
  const after = {script: await scripts(), frames: await page.evaluate(() => velkorFrames.puts.length)};
  const timings = await page.evaluate(() => window.velkorFrames);
  await page.close();
  return {
    page_frame_us: micro(median(timings.callbacks.slice(60))),
    page_script_cpu_us: micro((after.script - before.script) * 1000 / (after.frames - before.frames)),
    page_put_image_data_us: micro(median(timings.puts.slice(60))),
    first_frame_ms: Math.round(timings.firstFrame),
  };
}

(async () => {
  const started = await browserStart();
  if (started.skipped) throw new Error(started.skipped);
  // Cross-origin isolation gives the pages their finest timer.
  const server = await serve(folder, [], {
    'Cross-Origin-Opener-Policy': 'same-origin',
    'Cross-Origin-Embedder-Policy': 'require-corp',
  });
  try {
    const timer = await timerRun(started.browser, server.url);
    const shown = await pageRun(started.browser, server.url);
    const bytes = {};
    for (const name of ['index.html', 'velkor.js', 'velkor.wasm']) {
      bytes[name] = fs.statSync(path.join(folder, name)).size;
    }
    console.log(JSON.stringify({
      chromium_frame_us: timer.median_frame_us,
      ...shown,
      page_bytes: Object.values(bytes).reduce((sum, size) => sum + size, 0),
      bytes,
    }));
  } finally {
    await started.close();
    await server.close();
  }
})().catch((error) => {
  console.error(`page_frames: ${error.message}`);
  process.exit(1);
});
