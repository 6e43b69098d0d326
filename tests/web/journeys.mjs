// The golden journeys replayed in the page: each one recorded by the native velmoor-sim (the
// mouse script with its seed; every sync line, state hashes and all), played in the page from
// its URL at high speed; the page's game checks every sync line as it goes (a line it does not
// meet fails the harness), and its own recording must hold every one of the native sync lines,
// in order, up to the journey's end (a quit, or the hand-over to the mouse).
// usage: node journeys.mjs PAGE_FOLDER NATIVE_VELMOOR_SIM [SPEED]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fail, launch, openPage, serve } from './harness.mjs';

const [pageDir, sim, speed = '100'] = process.argv.slice(2);
if (!sim) fail('usage: node journeys.mjs PAGE_FOLDER NATIVE_VELMOOR_SIM [SPEED]');
const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const replays = path.join(repo, 'tests/replays');
const names = fs.readFileSync(path.join(replays, 'milestones.txt'), 'utf8').split('\n')
  .filter((l) => l.trim() && !l.startsWith('#')).map((l) => l.split(/\s+/)[0]);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmoor-journeys-'));
const syncs = (text) => text.split('\n').filter((l) => l.startsWith('sync '));

const extra = {};
for (const name of names) {
  const args = execFileSync('python3', [path.join(replays, 'replays.py'), 'args', name], { encoding: 'utf8' })
    .trim().split('\n');
  extra[`/${name}.txt`] = path.join(work, `${name}.txt`);
  execFileSync(sim, [...args, '--data', path.join(repo, 'dat'), '--record', extra[`/${name}.txt`]]);
}

const server = await serve(pageDir, extra);
const browser = await launch();
try {
  for (const name of names) {
    const native = syncs(fs.readFileSync(extra[`/${name}.txt`], 'utf8'));
    const log = [];
    const game = await openPage(browser, `${server.url}/velmoor.html?play=/${name}.txt&speed=${speed}`, { log });
    const started = Date.now();
    // A journey that does not quit by itself hands the boat to the mouse at its end.
    for (const end = Date.now() + 300_000; ;) {
      if (await game.answer('window.velmoor.ended()') || log.some((l) => / ends at tick \d+; the mouse rows/.test(l))) break;
      if (Date.now() > end) fail(`${name}: not at its end within 300 s (tick ${await game.call('tick')})`);
      game.check();
      await new Promise((ok) => setTimeout(ok, 200));
    }
    // Natively the run's last tick has a sync line of its own; where the page's game went on
    // with the mouse its recording has none there, but the game met it as it played.
    const expected = (await game.answer('window.velmoor.ended()')) ? native : native.slice(0, -1);
    await game.call('end');
    await game.until('window.velmoor.ended()', 30, `${name}: the game did not end`);
    game.check();
    const page = syncs(await game.call('journey'));
    const missing = expected.findIndex((line, i) => page[i] !== line);
    if (missing >= 0) fail(`${name}: the page's sync line ${missing + 1} is "${page[missing]}", natively "${expected[missing]}"`);
    console.log(`journeys.mjs: ${name}: all ${native.length} sync lines met in the page, ` +
      `to tick ${native.at(-1).split(' ')[1]}, in ${((Date.now() - started) / 1000).toFixed(1)} s at speed ${speed}`);
    await game.page.close();
  }
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
