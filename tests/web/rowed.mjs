// A game rowed in the page from real mouse input (relative motion under the pointer's lock,
// sent through the DevTools protocol as a player's mouse would move), its journey taken from
// the page and replayed by the native velmoor-sim: every sync line the page wrote must be one
// the native game writes too. On the way, the pointer lost holds the world still until a
// click, and the end button ends the game.
// usage: node rowed.mjs PAGE_FOLDER NATIVE_VELMOOR_SIM [SECONDS]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fail, launch, openPage, serve } from './harness.mjs';

const [pageDir, sim, seconds = '20'] = process.argv.slice(2);
if (!sim) fail('usage: node rowed.mjs PAGE_FOLDER NATIVE_VELMOOR_SIM [SECONDS]');
const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));

const server = await serve(pageDir);
const browser = await launch();
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmoor-rowed-'));
let journey, strokes = 0;
const lateFaults = [];
try {
  const game = await openPage(browser, `${server.url}/velmoor.html`);
  const settles = async (expression, seconds) => {
    for (const end = Date.now() + seconds * 1000; Date.now() < end; await sleep(100))
      if (await game.answer(expression)) return true;
    return false;
  };
  // The click that starts the game locks the pointer too; when it does not, a second click
  // tries, so that the rest is still tested, and the test fails at its end.
  await game.start();
  if (!(await settles('document.pointerLockElement !== null', 3))) {
    lateFaults.push('the click that started the game did not lock the pointer');
    await game.start();
    await game.until('document.pointerLockElement !== null', 10, 'a second click did not lock the pointer');
  }
  const first = await game.call('tick');
  // Strokes of ten pulls of 140 px a tick apart (the game takes so much in a tick), return
  // sweeps of ten pushes; every fourth stroke 400 px to the side, turning right, back, left
  // and back again, so that the boat wanders the sea. Under the lock only the motion counts,
  // so the pointer's place may go anywhere.
  const cdp = await game.page.createCDPSession();
  let x = 400, y = 300;
  const move = (dx, dy) => { x += dx; y += dy; return cdp.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y }); };
  const sides = [400, -400, -400, 400];
  for (const end = Date.now() + seconds * 1000; Date.now() < end; strokes++) {
    for (let i = 0; i < 10; i++) { await move(0, 140); await sleep(25); }
    if (strokes % 4 === 3) await move(sides[Math.floor(strokes / 4) % 4], 0);
    for (let i = 0; i < 10; i++) { await move(0, -140); await sleep(25); }
    game.check();
  }
  // Losing the pointer (as Escape does) holds the world still; the next click lets it go on
  // with nothing made up for the time held (1.5 s would be 60 ticks).
  await game.answer('document.exitPointerLock()');
  await sleep(300);
  const held = await game.call('tick');
  await sleep(1200);
  if (await game.call('tick') !== held) fail('the world went on while the pointer was lost');
  const clicked = Date.now();
  await game.start();
  await game.until(`window.velmoor.tick() > ${held}`, 10, 'the world did not go on after the click');
  await sleep(500);
  const resumed = (await game.call('tick')) - held, owed = (Date.now() - clicked) / 25;
  if (resumed > owed + 10) fail(`${resumed} ticks in the ${owed.toFixed(0)} ticks' time after the click: the hold was made up`);
  // The button ends the game as Escape does natively, and a new one is offered.
  await game.answer("document.getElementById('end').click()");
  await game.until('window.velmoor.ended()', 10, 'the end button did not end the game');
  if (await game.answer("document.getElementById('again').hidden")) fail('no new game offered at the end');
  const last = await game.call('tick');
  journey = await game.call('journey');
  game.check();
  console.log(`rowed.mjs: ${strokes} strokes over ticks ${first} to ${last}; ` +
    `the journey has ${journey.split('\n').filter((l) => /^\d+ /.test(l)).length} motion lines`);
  if (last - first < seconds * 20) fail(`only ${last - first} ticks ran in ${seconds} s of rowing`);
} finally {
  await browser.close();
  server.close();
}

// The native replay: velmoor-sim stops with status 3 at a sync line it does not meet.
const syncs = (text) => text.split('\n').filter((l) => l.startsWith('sync '));
const file = path.join(work, 'journey.txt'), again = path.join(work, 'again.txt');
fs.writeFileSync(file, journey);
try {
  execFileSync(sim, ['--input', file, '--data', path.join(repo, 'dat'), '--record', again],
    { stdio: ['ignore', 'ignore', 'pipe'] });
} catch (e) {
  fs.copyFileSync(file, path.join(os.tmpdir(), 'velmoor-web-rowed.txt'));
  fail(`the native replay failed (status ${e.status}): ${e.stderr}; ` +
    `the journey kept as ${os.tmpdir()}/velmoor-web-rowed.txt`);
}
const native = new Set(syncs(fs.readFileSync(again, 'utf8')));
const page = syncs(journey);
const missing = page.filter((l) => !native.has(l));
fs.rmSync(work, { recursive: true, force: true });
if (page.length < 2) fail(`the page's journey has ${page.length} sync lines`);
// sync TICK DRAWS X Y ...: the rowing must have taken the boat somewhere.
const place = (line) => line.split(' ').slice(3, 5).join(' ');
if (place(page[0]) === place(page.at(-1))) fail(`the boat did not move: ${page.at(-1)}`);
if (missing.length) fail(`${missing.length} of the page's sync lines are not the native game's: ${missing[0]}`);
console.log(`rowed.mjs: all ${page.length} of the page's sync lines met natively`);
if (lateFaults.length) fail(lateFaults.join('; '));
