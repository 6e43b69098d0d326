// The page's figures in headless Chromium (SwiftShader): its download size compressed, the time
// from loading it to its first frame, frames per second in the late world as the page plays it
// (the journey to the end at speed 8 from its third lighthouse visit to its fourth: the walls,
// the chaser, the babies, the sparks and the gathered plants all in play), and bench-frame's
// own late world in its page (BENCH_FOLDER), the scene the native bench-frame draws. Prints
// figures; it fails only when a page does.
// usage: node bench.mjs PAGE_FOLDER BENCH_FOLDER
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { fail, launch, openPage, serve } from './harness.mjs';

const [pageDir, benchDir] = process.argv.slice(2);
if (!benchDir) fail('usage: node bench.mjs PAGE_FOLDER BENCH_FOLDER');
const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const milestones = fs.readFileSync(path.join(repo, 'tests/replays/milestones.txt'), 'utf8')
  .split('\n').find((l) => l.startsWith('to_the_end '));
const visits = [...milestones.matchAll(/visit:(\d+)/g)].map((m) => Number(m[1]));

// What a browser downloads, each file as gzip -9 would send it.
let raw = 0, packed = 0;
for (const f of fs.readdirSync(pageDir)) {
  if (!/\.(html|js|wasm|data)$/.test(f)) continue;
  const body = fs.readFileSync(path.join(pageDir, f));
  const z = zlib.gzipSync(body, { level: 9 }).length;
  raw += body.length; packed += z;
  console.log(`download    ${f.padEnd(20)} ${(body.length / 1024).toFixed(0).padStart(6)} KiB, ` +
    `${(z / 1024).toFixed(0).padStart(5)} KiB compressed`);
}
console.log(`download    the page in all        ${(raw / 1048576).toFixed(2)} MB, ` +
  `${(packed / 1048576).toFixed(2)} MB compressed (aim: under 1.5 MB)`);

// Before the page's scripts: the time the page first waits for its click, the click's, the
// first WebGL clear or draw's, and every animation frame's.
function instrument() {
  window.benchFrames = [];
  window.benchFirstDraw = null;
  window.benchClick = null;
  window.benchWaiting = null;
  document.addEventListener('click', () => { window.benchClick ??= performance.now(); }, true);
  const waiting = () => {
    if (window.velmoor?.waiting()) window.benchWaiting = performance.now();
    else setTimeout(waiting, 1);
  };
  waiting();
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
    const c = getContext.call(this, kind, ...rest);
    if (c && /webgl/.test(kind) && !c.benchWrapped) {
      c.benchWrapped = true;
      for (const name of ['clear', 'drawArrays', 'drawElements']) {
        const draw = c[name].bind(c);
        c[name] = (...a) => { window.benchFirstDraw ??= performance.now(); return draw(...a); };
      }
    }
    return c;
  };
  const raf = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => raf((now) => {
    callback(now);
    if (window.velmoor) window.benchFrames.push([now, window.velmoor.tick()]);
  });
}

const server = await serve(pageDir, { '/journey.txt': path.join(repo, 'tests/replays/to_the_end.txt') });
const browser = await launch();
try {
  // No error check after each frame here: asking WebGL for its error waits for the GPU.
  const game = await openPage(browser, `${server.url}/velmoor.html?play=/journey.txt&speed=8`,
    { watchGl: false, before: instrument });
  await game.start();
  await game.until('window.benchFirstDraw !== null', 60, 'nothing was drawn');
  const [ready, click, first] = await game.answer('[window.benchWaiting, window.benchClick, window.benchFirstDraw]');
  console.log(`first frame ${(ready + first - click).toFixed(0)} ms from the start of loading the page: ` +
    `${ready.toFixed(0)} ms to wait for the click that starts the game (the page, its WebAssembly, its ` +
    `data and the journey loaded), ${(first - click).toFixed(0)} ms from the click to the first WebGL draw`);

  await game.until(`window.velmoor.tick() >= ${visits[3]} || window.velmoor.ended()`, 600,
    'the journey did not reach its fourth visit');
  game.check();
  const frames = (await game.answer('window.benchFrames'))
    .filter(([, tick]) => tick > visits[2] + 100 && tick < visits[3]);
  const seconds = (frames.at(-1)[0] - frames[0][0]) / 1000;
  console.log(`frames      the late world in Chromium (SwiftShader): ` +
    `${((frames.length - 1) / seconds).toFixed(1)} frames per second ` +
    `(${frames.length} frames over ticks ${frames[0][1]} to ${frames.at(-1)[1]}, ` +
    `${seconds.toFixed(1)} s, 8 ticks a frame; the browser draws at most 60)`);
} finally {
  await browser.close();
  server.close();
}

// bench-frame's page prints its figures and "done"; its failures begin "bench-frame:".
const benchServer = await serve(benchDir);
const benchBrowser = await launch();
try {
  const page = await benchBrowser.newPage();
  const lines = [], faults = [];
  page.on('console', (m) => {
    const text = m.text();
    if (/^stderr: bench-frame:/.test(text) || m.type() === 'error') faults.push(text);
    else if (!/^stderr: |GL Driver Message/.test(text)) lines.push(text);
  });
  page.on('pageerror', (e) => faults.push(`uncaught: ${e.message}`));
  await page.setViewport({ width: 800, height: 600 });
  await page.goto(`${benchServer.url}/bench-frame.html?frames=400`, { waitUntil: 'load', timeout: 60_000 });
  for (const end = Date.now() + 600_000; !lines.includes('done'); await new Promise((ok) => setTimeout(ok, 250))) {
    if (faults.length) fail(`bench-frame's page: ${faults.join('; ')}`);
    if (Date.now() > end) fail("bench-frame's page did not finish within 600 s");
  }
  for (const line of lines.filter((l) => l !== 'done'))
    console.log(`${line.startsWith('frames') ? 'frames     ' : 'scene      '} ${line}`);
} finally {
  await benchBrowser.close();
  benchServer.close();
}
