// What the browser tests share: a static server on 127.0.0.1, headless Chromium (SwiftShader's
// WebGL) opening the game's page, and a watch that fails the test on any console error, WebGL
// error, abort, uncaught exception or failed request. Every wait is bounded.
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const TYPES = {
  '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.png': 'image/png',
  '.txt': 'text/plain', '.json': 'application/json',
};

export function fail(why) {
  console.error(`${path.basename(process.argv[1])}: ${why}`);
  process.exit(1);
}

// Serves the files of ROOT, and EXTRA's files under their own paths ({'/j.txt': file}).
export async function serve(root, extra = {}) {
  const server = http.createServer((req, res) => {
    const url = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = extra[url] ?? path.join(root, path.normalize(url).replace(/^(\.\.[/\\])+/, ''));
    fs.readFile(file, (err, body) => {
      // The browser asks for an icon by itself: none is no fault of the page's.
      if (err) { res.writeHead(url === '/favicon.ico' ? 204 : 404); res.end(); return; }
      res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream',
        'Cache-Control': 'no-store' });
      res.end(body);
    });
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return { url: `http://127.0.0.1:${server.address().port}`, close: () => server.close() };
}

// Headless Chromium with WebGL on SwiftShader; none of its own connections (the network here
// refuses them), a fresh profile that is removed on close.
export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velmoor-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    protocolTimeout: 600_000,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--no-first-run', '--disable-quic', '--window-size=800,600',
      // A page in the background is still drawn at full rate.
      '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
      '--disable-backgrounding-occluded-windows'],
  });
  const close = browser.close.bind(browser);
  const remove = () => fs.rmSync(profile, { recursive: true, force: true });
  browser.close = async () => { await close(); remove(); };
  // A test that fails leaves by process.exit: the browser and its profile go with it.
  process.on('exit', () => { browser.process()?.kill('SIGKILL'); remove(); });
  return browser;
}

// Installed before the page's own scripts: after every animation frame, each WebGL context the
// page made is asked for its error, and any is written to the console as an error.
function watchGlErrors() {
  const contexts = [];
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
    const c = getContext.call(this, kind, ...rest);
    if (c && /webgl/.test(kind) && !contexts.includes(c)) contexts.push(c);
    return c;
  };
  const raf = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => raf((now) => {
    callback(now);
    for (const c of contexts) {
      const e = c.getError();
      if (e !== c.NO_ERROR) console.error(`OpenGL error 0x${e.toString(16)} after a frame`);
    }
  });
}

// Lines of the console that fail a test whatever their level: a played journey's sync line the
// game did not meet, and a buffer of sound SDL could not hand to Web Audio among them.
const FATAL = /abort|Aborted|RuntimeError|GL_INVALID|WebGL: [A-Z_]+|OpenGL error|exception|does not match|Web Audio API error/i;

// Opens URL in a new tab of BROWSER; every console line goes to LOG (one per line, as the
// game's standard error would), and every fault is kept in `faults`. DOWNLOADS, if given, is
// the folder that takes the page's downloads; BEFORE, a function run in the page before its own
// scripts.
export async function openPage(browser, url, { log = [], downloads, watchGl = true, before } = {}) {
  const page = await browser.newPage();
  const faults = [];
  page.on('console', (m) => {
    const line = `${m.type()}: ${m.text()}`;
    log.push(line);
    if (m.type() === 'error' || FATAL.test(m.text())) faults.push(`console ${line}`);
  });
  page.on('pageerror', (e) => faults.push(`uncaught: ${e.message}`));
  page.on('error', (e) => faults.push(`the page crashed: ${e.message}`));
  page.on('requestfailed', (r) => faults.push(`request failed: ${r.url()} ${r.failure()?.errorText}`));
  page.on('response', (r) => { if (r.status() >= 400) faults.push(`HTTP ${r.status()}: ${r.url()}`); });
  if (downloads) {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  }
  if (watchGl) await page.evaluateOnNewDocument(watchGlErrors);
  if (before) await page.evaluateOnNewDocument(before);
  await page.setViewport({ width: 800, height: 600 });
  await page.goto(url, { waitUntil: 'load', timeout: 60_000 });
  await page.waitForFunction('window.velmoor !== undefined', { timeout: 60_000 });
  const game = {
    page, faults, log,
    // Fails the test on any fault so far, with the console's last lines.
    check() {
      if (faults.length) fail(`${url}:\n  ${faults.slice(0, 20).join('\n  ')}${game.tail()}`);
    },
    tail: () => `\n  the console's last lines:\n    ${log.slice(-15).join('\n    ')}`,
    // The value of EXPRESSION in the page; a page whose main thread does not come back within
    // SECONDS (a loop that never yields) fails the test.
    async answer(expression, seconds = 60) {
      let timer;
      const late = new Promise((ok, no) => { timer = setTimeout(no, seconds * 1000); });
      try {
        return await Promise.race([page.evaluate(expression), late]);
      } catch (e) {
        fail(`${url}: ${e ? e.message : `the page did not answer within ${seconds} s`}${game.tail()}`);
      } finally { clearTimeout(timer); }
    },
    call: (name) => game.answer(`window.velmoor.${name}()`),
    // The click that starts the game (the pointer's lock and the sound need one), once the
    // page waits for it; a click on a game under way lets a held one go on.
    async start() {
      await game.until('window.velmoor.waiting() || window.velmoor.started()', 60,
        'the page did not get ready for the click that starts the game');
      const box = await page.$eval('canvas', (c) => { const r = c.getBoundingClientRect();
        return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; });
      await page.mouse.click(box.x, box.y);
    },
    // Waits at most SECONDS until PREDICATE (an expression in the page) is true, failing on a
    // fault or an error the game tells through lastError().
    async until(predicate, seconds, what) {
      const end = Date.now() + seconds * 1000;
      for (;;) {
        game.check();
        const [done, error] = await game.answer(`[${predicate}, window.velmoor.lastError()]`);
        if (error) fail(`${url}: the game's error: ${error}${game.tail()}`);
        if (done) return;
        if (Date.now() > end) fail(`${what} within ${seconds} s (at tick ${await game.call('tick')})`);
        await new Promise((ok) => setTimeout(ok, 100));
      }
    },
  };
  return game;
}
