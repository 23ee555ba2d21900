// The page in a real headless Chromium, as a person meets it: the window, the spinning cube, the
// keys, the close button, the box for a missing picture, a hidden tab. Run by CTest one test at
// a time (--test-name-pattern); VELKOR_PAGE_FOLDER names the build's page folder.
'use strict';

const assert = require('node:assert/strict');
const {test} = require('node:test');
const {serve, browserStart, pageOpen} = require('./page_harness.js');

const Folder = process.env.VELKOR_PAGE_FOLDER;
const Window = '.velkor-window';
const Canvas = '.velkor-window canvas';

// A browser and a server for one test, closed when it ends; the page opened in it, shown.
async function velkorOpen(t, without = []) {
  const started = await browserStart();
  if (started.skipped) {
    console.log(`SKIPPED: ${started.skipped}`);
    process.exit(77);
  }
  const server = await serve(Folder, without);
  t.after(async () => {
    await started.close();
    await server.close();
  });
  const opened = await pageOpen(started.browser, server.url);
  opened.page.setDefaultTimeout(60000);
  return {...opened, browser: started.browser};
}

// The page open with its window shown and drawing.
async function velkorRunning(t) {
  const opened = await velkorOpen(t);
  await opened.page.waitForSelector(`${Window}:not([hidden])`);
  await framesWait(opened.page, 5);
  return opened;
}

function counters(page) {
  return page.evaluate(() => ({...window.velkorTest}));
}

// Waits until the program has put `count` more frames on its canvas.
async function framesWait(page, count) {
  const now = (await counters(page)).presents;
  await page.waitForFunction((until) => window.velkorTest.presents >= until, {}, now + count);
}

async function exitWait(page) {
  await page.waitForFunction(() => 'exitCode' in document.body.dataset);
  return page.evaluate(() => ({
    code: document.body.dataset.exitCode,
    status: document.getElementById('velkor-status').textContent,
    windows: document.querySelectorAll('.velkor-window').length,
  }));
}

const Ended = {code: '0', status: 'Velkor has ended (exit code 0)', windows: 0};

// The bounding box of what is drawn on the canvas (anything not black), and the share of its
// pixels that are brightly coloured.
function drawnArea(page) {
  return page.$eval(Canvas, (canvas) => {
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let left = canvas.width, top = canvas.height, right = -1, bottom = -1, drawn = 0, bright = 0;
    for (let y = 0; y < canvas.height; ++y) {
      for (let x = 0; x < canvas.width; ++x) {
        const i = 4 * (y * canvas.width + x);
        const r = pixels[i], g = pixels[i + 1], b = pixels[i + 2];
        if (r + g + b < 24) continue;
        ++drawn;
        if (Math.max(r, g, b) > 100) ++bright;
        left = Math.min(left, x);
        right = Math.max(right, x);
        top = Math.min(top, y);
        bottom = Math.max(bottom, y);
      }
    }
    return {left, top, right, bottom, drawn, bright};
  });
}

test('the window is titled Velkor, its canvas has the keyboard and the cube spins lit', async (t) => {
  const {page} = await velkorOpen(t);
  await page.waitForSelector(`${Window}:not([hidden])`);
  const window = await page.$eval(Window, (frame) => {
    const box = frame.getBoundingClientRect();
    const canvas = frame.querySelector('canvas');
    const client = canvas.getBoundingClientRect();
    return {
      label: frame.getAttribute('aria-label'),
      title: frame.querySelector('.velkor-title').textContent,
      outer: [box.width, box.height],
      canvas: [canvas.width, canvas.height],
      client: [client.width, client.height],
      focused: document.activeElement === canvas,
      close: frame.querySelectorAll('button[aria-label="Close"]').length,
    };
  });
  assert.deepEqual(window, {
    label: 'Velkor', title: 'Velkor', outer: [640, 480], canvas: [624, 441], client: [624, 441],
    focused: true, close: 1,
  });

  const canvas = await page.$(Canvas);
  await framesWait(page, 2);
  const first = await canvas.screenshot();
  await framesWait(page, 10);
  const second = await canvas.screenshot();
  assert.notDeepEqual(first, second, 'the cube turns between two screenshots');

  const area = await drawnArea(page);
  t.diagnostic(`drawn: ${JSON.stringify(area)}`);
  assert.ok(area.drawn > 20000, 'the cube covers a good part of the canvas');
  assert.ok(area.bright > area.drawn / 4, 'lit: much of the cube is bright');
  const centre = [(area.left + area.right) / 2, (area.top + area.bottom) / 2];
  assert.ok(Math.abs(centre[0] - 312) < 40 && Math.abs(centre[1] - 220) < 40,
            `the cube is in the middle of the canvas, not at ${centre}`);

  // Focus taken away comes back with a click on the window.
  await page.evaluate(() => document.activeElement.blur());
  await page.click(Canvas);
  assert.ok(await page.$eval(Canvas, (c) => document.activeElement === c), 'a click focuses');
});

test('frames come no faster than animation frames', async (t) => {
  const {page} = await velkorRunning(t);
  const before = await counters(page);
  await page.waitForFunction((until) => window.velkorTest.animationFrames >= until, {},
                             before.animationFrames + 90);
  const after = await counters(page);
  const frames = after.presents - before.presents;
  const animationFrames = after.animationFrames - before.animationFrames;
  t.diagnostic(`${frames} frames presented in ${animationFrames} animation frames`);
  assert.ok(frames > 0, 'the program draws');
  // The last frame may be put between the two counts' reads.
  assert.ok(frames <= animationFrames + 1, `${frames} frames in ${animationFrames} animation frames`);
});

test('plain keys change nothing', async (t) => {
  const {page, console} = await velkorRunning(t);
  for (const key of ['KeyA', 'Space', 'Enter', 'ArrowUp', 'Tab', 'Digit5', 'Backspace', 'F4']) {
    await page.keyboard.press(key);
  }
  await framesWait(page, 10);
  const state = await page.evaluate(() => ({
    ended: 'exitCode' in document.body.dataset,
    windows: document.querySelectorAll('.velkor-window:not([hidden])').length,
    focused: document.activeElement === document.querySelector('.velkor-window canvas'),
  }));
  assert.deepEqual(state, {ended: false, windows: 1, focused: true}, 'still running, keys kept');
  // The program writes nothing, to standard error least of all: a failed present would say so.
  assert.deepEqual(console.filter((line) => !/favicon|404/.test(line)), [], 'nothing written');
});

test('Escape ends it with exit code 0', async (t) => {
  const {page} = await velkorRunning(t);
  await page.keyboard.press('Escape');
  assert.deepEqual(await exitWait(page), Ended);
});

test('Alt+F4, where the browser lets the page have it, ends it with exit code 0', async (t) => {
  const {page} = await velkorRunning(t);
  await page.keyboard.down('Alt');
  await page.keyboard.press('F4');
  await page.keyboard.up('Alt');
  assert.deepEqual(await exitWait(page), Ended);
});

test('the close button ends it with exit code 0', async (t) => {
  const {page} = await velkorRunning(t);
  await page.click(`${Window} button[aria-label="Close"]`);
  assert.deepEqual(await exitWait(page), Ended);
});

test('without the picture on the server, the Error box says so and OK ends it with 0', async (t) => {
  const {page, console} = await velkorOpen(t, ['mad040.raw']);
  const box = await page.waitForSelector('dialog.velkor-box[open]');
  const said = await box.evaluate((dialog) => ({
    caption: dialog.querySelector('h2').textContent,
    text: dialog.querySelector('p').textContent,
    modal: dialog.matches(':modal'),
    windowsShown: document.querySelectorAll('.velkor-window:not([hidden])').length,
  }));
  assert.deepEqual(said, {caption: 'Error', text: 'Missing file: mad040.raw', modal: true,
                          windowsShown: 0});
  assert.ok(console.includes('Error: Missing file: mad040.raw'), 'standard error reaches the console');
  await box.$eval('button', (ok) => ok.click());
  assert.deepEqual(await exitWait(page), Ended);
});

test('a hidden page runs nothing and draws nothing until it is shown again', async (t) => {
  const {page, browser} = await velkorRunning(t);
  const other = await browser.newPage();
  await other.bringToFront();
  await page.waitForFunction(() => document.visibilityState === 'hidden');
  const hidden = await counters(page);
  // As long as the visible page took for 30 animation frames, measured in the other tab.
  await other.evaluate(() => new Promise((resolve) => {
    let left = 30;
    const step = () => (--left > 0 ? requestAnimationFrame(step) : resolve());
    requestAnimationFrame(step);
  }));
  const later = await counters(page);
  assert.deepEqual(later, hidden, 'no frame, no animation frame, no timer ran while hidden');
  await page.bringToFront();
  await framesWait(page, 5);
});
