// The golden journey to the end played from the page's URL at a high speed, with its `print`
// lines asking for screenshots at the ticks the native ones were taken (each a PNG download),
// and every picture compared with the native game's at the same tick.
//
// The measure: both pictures scaled down to 80 x 60 by averaging 8 x 8 blocks, and each block's
// absolute difference, the mean of its three channels (0 to 255). The mean over the blocks must
// be at most 4 and the worst block at most 24. Mesa's llvmpipe and Chromium's SwiftShader
// rasterise the same triangles a little differently (an edge half a pixel over moves a block by
// about 10 at the walls' contrast), and the film grain is new every frame (two native runs
// differ by 0.75 on the mean and at most 4 in a block); averaging blocks keeps those apart from
// what matters: a missing pass or a wrong colour moves the mean, a missing or misshapen object
// (an oar's blade, a plant's branches, a baby) moves its blocks by 30 and more. Each picture
// must also be nearer its own native picture than any other moment's by half as much again:
// the moment's scene (the lighthouse ahead, the babies, the chaser, the walls, the white fade)
// is there, not merely a similar sea.
//
// Where the rasterisers part: SwiftShader snaps vertices to 1/16 of a pixel, llvmpipe to 1/256,
// so an edge that misses a row of pixel centres by less than 1/32 of a pixel lands on them in
// the page, and both count such a tie in: the row is covered in the page, not natively. The
// babies' picture has its largest block for that alone: the rower's thwart ends 0.026 of a
// pixel above a row's centres and is a row thicker in the page (13; the same page in Chromium
// drawing with llvmpipe, through ANGLE's OpenGL backend, has no such row and 4 at worst).
//
// usage: node screenshots.mjs PAGE_FOLDER NATIVE_FOLDER [SPEED] [PAGE_OPTIONS]
//   NATIVE_FOLDER as scripts/make-screenshots.sh BINARY FOLDER leaves it (shots.txt and PNGs);
//   PAGE_OPTIONS more URL parameters for the page.
// A picture that fails is kept in the temporary folder with its blocks' differences; with
// VELMOOR_WEB_KEEP set in the environment every picture is kept so, passing or not.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fail, launch, openPage, serve } from './harness.mjs';

const MEAN = 4, WORST = 24; // the blocks' mean and largest |difference|, 0-255
const MARGIN = 1.5; // the nearest other moment must differ at least this many times more
const [pageDir, nativeDir, speed = '8', options = ''] = process.argv.slice(2);
if (!nativeDir) fail('usage: node screenshots.mjs PAGE_FOLDER NATIVE_FOLDER [SPEED] [PAGE_OPTIONS]');

const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const shots = fs.readFileSync(path.join(nativeDir, 'shots.txt'), 'utf8').trim().split('\n')
  .map((l) => { const [name, tick] = l.split(' '); return { name, tick: Number(tick) }; });
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmoor-shots-'));
fs.writeFileSync(path.join(work, 'journey.txt'),
  fs.readFileSync(path.join(repo, 'tests/replays/to_the_end.txt'), 'utf8') +
  shots.map((s) => `print ${s.tick}\n`).join(''));
const downloads = path.join(work, 'downloads');
fs.mkdirSync(downloads);

// The picture as 80 x 60 RGB bytes, each the mean of an 8 x 8 block.
function small(file) {
  return execFileSync('convert', [file, '-alpha', 'off', '-scale', '80x60!', '-depth', '8', 'rgb:-']);
}
// The blocks' mean difference and their largest.
function differences(a, b) {
  let sum = 0, worst = 0;
  for (let i = 0; i < a.length; i += 3) {
    const d = (Math.abs(a[i] - b[i]) + Math.abs(a[i + 1] - b[i + 1]) + Math.abs(a[i + 2] - b[i + 2])) / 3;
    sum += d;
    worst = Math.max(worst, d);
  }
  return { mean: sum / (a.length / 3), worst };
}

const server = await serve(pageDir, { '/journey.txt': path.join(work, 'journey.txt') });
const browser = await launch();
const log = [];
const pngs = () => fs.readdirSync(downloads).filter((f) => f.endsWith('.png'));
let status = 0;
try {
  const started = Date.now();
  const game = await openPage(browser,
    `${server.url}/velmoor.html?play=/journey.txt&speed=${speed}${options ? `&${options}` : ''}`,
    { log, downloads });
  await game.start();
  // The pictures come as the journey passes their ticks; it quits by itself a little after.
  for (const end = Date.now() + 600_000; pngs().length < shots.length;) {
    if (Date.now() > end) fail(`${pngs().length} of ${shots.length} pictures within 600 s`);
    await game.until('true', 10, 'no answer');
    await new Promise((ok) => setTimeout(ok, 500));
  }
  game.check();
  const taken = pngs().map((f) => path.join(downloads, f))
    .sort((a, b) => fs.statSync(a).mtimeMs - fs.statSync(b).mtimeMs);
  console.log(`screenshots.mjs: the journey at tick ${await game.call('tick')} after ` +
    `${((Date.now() - started) / 1000).toFixed(1)} s at speed ${speed}; ${taken.length} pictures`);
  if (taken.length !== shots.length) fail(`${taken.length} pictures downloaded, ${shots.length} asked for`);

  const native = shots.map((s) => small(path.join(nativeDir, `${s.name}.png`)));
  shots.forEach((s, i) => {
    const web = small(taken[i]);
    const own = differences(web, native[i]);
    const others = native.map((n, j) => (j === i ? Infinity : differences(web, n).mean));
    const nearest = Math.min(...others);
    const other = shots[others.indexOf(nearest)].name;
    const ok = own.mean <= MEAN && own.worst <= WORST && nearest >= MARGIN * own.mean;
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${s.name.padEnd(7)} tick ${String(s.tick).padStart(4)}: ` +
      `mean ${own.mean.toFixed(2)} (at most ${MEAN}), worst block ${own.worst.toFixed(1)} ` +
      `(at most ${WORST}); nearest other moment ${other} ${nearest.toFixed(2)} ` +
      `(at least ${(MARGIN * own.mean).toFixed(2)})`);
    if (!ok) status = 1;
    if (!ok || process.env.VELMOOR_WEB_KEEP) {
      const keep = path.join(os.tmpdir(), `velmoor-web-${s.name}.png`);
      fs.copyFileSync(taken[i], keep);
      execFileSync('convert', [taken[i], path.join(nativeDir, `${s.name}.png`), '-compose', 'difference',
        '-composite', '-scale', '80x60!', '-scale', '640x480!', '-level', '0,30%', keep.replace('.png', '-diff.png')]);
      console.log(`     the page's picture kept as ${keep}, the blocks' differences in ${keep.replace('.png', '-diff.png')}`);
    }
  });
  await game.until('window.velmoor.ended()', 60, 'the game did not end after the journey\'s quit');
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
if (status) fail('the page\'s pictures differ from the native game\'s');
