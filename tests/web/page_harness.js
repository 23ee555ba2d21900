// What the page tests stand on: a static web server of the test's own on 127.0.0.1, serving the
// build's page folder (less any file a test leaves out), and Debian's Chromium, headless, with
// a profile of its own, driven over the DevTools protocol.
'use strict';

const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');

const Chromium = process.env.VELKOR_CHROMIUM || '/usr/bin/chromium';

const ContentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
};

// Serves the files of `folder` itself (no subfolders) but those named in `without`, which
// answer 404 as a server that has not got them does; `headers` go with every file.
function serve(folder, without = [], headers = {}) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://host').pathname.slice(1)) ||
                 'index.html';
    const absent = () => {
      response.writeHead(404, {'Content-Type': 'text/plain'});
      response.end('not found\n');
    };
    if (name.includes('/') || name.startsWith('.') || without.includes(name)) return absent();
    fs.readFile(path.join(folder, name), (error, bytes) => {
      if (error) return absent();
      response.writeHead(200, {
        'Content-Type': ContentTypes[path.extname(name)] || 'application/octet-stream',
        'Cache-Control': 'no-store',
        ...headers,
      });
      response.end(bytes);
    });
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => new Promise((closed) => server.close(closed)),
      });
    });
  });
}

// Counters the page tests read, in place before the page's own scripts run: each frame put on
// a canvas, each animation frame, and each callback of the browser's that runs the page's
// scripts (animation frames and timers).
function pageCounters() {
  const counters = {presents: 0, animationFrames: 0, callbacks: 0};
  window.velkorTest = counters;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function() {
    counters.presents++;
    return put.apply(this, arguments);
  };
  const counted = (callback) => function() {
    counters.callbacks++;
    return callback.apply(this, arguments);
  };
  const animationFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => animationFrame(counted(callback));
  const timeout = window.setTimeout.bind(window);
  window.setTimeout = (callback, ...rest) =>
    typeof callback === 'function' ? timeout(counted(callback), ...rest) : timeout(callback, ...rest);
  const tick = () => {
    counters.animationFrames++;
    animationFrame(tick);
  };
  animationFrame(tick);
}

// A headless Chromium with a fresh profile. Null, with the reason in `skipped`, where there is
// none to start.
async function browserStart() {
  if (!fs.existsSync(Chromium)) return {skipped: `no Chromium at ${Chromium} (scripts/deps installs it)`};
  const puppeteer = require('puppeteer-core');
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velkor-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: Chromium,
    // Exactly these flags: what runs is Debian's Chromium as a person would start it headless.
    ignoreDefaultArgs: true,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`, '--window-size=800,600', 'about:blank',
    ],
    defaultViewport: {width: 800, height: 600},
    protocolTimeout: 120000,
  });
  return {
    browser,
    close: async () => {
      await browser.close();
      fs.rmSync(profile, {recursive: true, force: true});
    },
  };
}

// A tab with the counters, its console lines kept, at `url`.
async function pageOpen(browser, url) {
  const page = await browser.newPage();
  const console = [];
  page.on('console', (message) => console.push(message.text()));
  page.on('pageerror', (error) => console.push(`page error: ${error.message}`));
  await page.evaluateOnNewDocument(pageCounters);
  await page.goto(url);
  return {page, console};
}

module.exports = {serve, browserStart, pageOpen};
