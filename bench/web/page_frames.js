// The program's frames in the page, in Debian's headless Chromium: how long the main thread
// spends in each frame's animation-frame callback (where the program runs from one refresh wait
// to the next: its frame, the conversion for the canvas and putImageData), how much of that is
// putImageData, the time from the page's start to its first frame, and the page's bytes.
// Prints one line of JSON. Usage: node page_frames.js WEB_BUILD_DIR [FRAMES]
'use strict';

const fs = require('fs');
const path = require('path');
const {serve, browserStart, pageOpen} = require('../../tests/web/page_harness.js');

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
const mean = (values) => values.reduce((sum, value) => sum + value, 0) / values.length;
const micro = (milliseconds) => Math.round(milliseconds * 10000) / 10;

(async () => {
  const started = await browserStart();
  if (started.skipped) throw new Error(started.skipped);
  // Cross-origin isolation gives the page its finest timer.
  const server = await serve(folder, [], {
    'Cross-Origin-Opener-Policy': 'same-origin',
    'Cross-Origin-Embedder-Policy': 'require-corp',
  });
  try {
    const page = await started.browser.newPage();
    await page.evaluateOnNewDocument(frameTimers);
    await page.goto(server.url);
    await page.waitForFunction((count) => window.velkorFrames.callbacks.length >= count,
                               {timeout: 120000, polling: 500}, frames + 60);
    const timings = await page.evaluate(() => ({
      ...window.velkorFrames, isolated: crossOriginIsolated,
    }));
    // The first second is the compiler's and the caches'.
    const callbacks = timings.callbacks.slice(60);
    const puts = timings.puts.slice(60);
    const bytes = {};
    for (const name of ['index.html', 'velkor.js', 'velkor.wasm']) {
      bytes[name] = fs.statSync(path.join(folder, name)).size;
    }
    console.log(JSON.stringify({
      median_frame_us: micro(median(callbacks)),
      mean_frame_us: micro(mean(callbacks)),
      median_put_image_data_us: micro(median(puts)),
      first_frame_ms: Math.round(timings.firstFrame),
      frames: callbacks.length,
      timer_isolated: timings.isolated,
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
