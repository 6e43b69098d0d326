// The golden journeys replayed in the page: each one recorded by the native velmoor-sim (the
// mouse script with its seed; every sync line, state hashes and all), played in the page from
// its URL at high speed; the page's game checks every sync line as it goes (a line it does not
// meet fails the harness), and its own recording must hold every one of the native sync lines,
// in order, up to the journey's end (a quit, or the hand-over to the mouse). Then hostile
// journeys: each must end the game at once with one line on the page, naming what is wrong.
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

// Hostile journeys: what each holds (none: no such file) and the line the page must show.
const HOSTILE = [
  { name: 'nul', text: 'seed 1\n1 0 -143\n2 0\0 -143\n', line: /^velmoor: .*nul\.txt:3: a NUL byte in the line$/ },
  { name: 'late', text: 'seed 1\n10368001 0 -143\n', line: /^velmoor: .*late\.txt:2: a tick past three days of play/ },
  { name: 'draws', text: 'seed 1\naudio 1 100000000000\n', line: /^velmoor: .*draws\.txt:2: more audio-thread draws by tick 1/ },
  { name: 'missing', text: null, line: /^velmoor: cannot fetch \/missing\.txt: 404/ },
];

const extra = {};
for (const { name, text } of HOSTILE) {
  if (text === null) continue;
  extra[`/${name}.txt`] = path.join(work, `${name}.txt`);
  fs.writeFileSync(extra[`/${name}.txt`], text);
}
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
    await game.start();
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
  for (const { name, line } of HOSTILE) {
    const game = await openPage(browser, `${server.url}/velmoor.html?play=/${name}.txt`);
    // A journey the page could not fetch ends the game before the click could start it.
    const end = Date.now() + 10_000;
    while (!(await game.answer('window.velmoor.waiting() || window.velmoor.ended()'))) {
      if (Date.now() > end) fail(`${name}.txt: the page neither waited for a click nor ended within 10 s`);
      await new Promise((ok) => setTimeout(ok, 100));
    }
    if (!(await game.answer('window.velmoor.ended()'))) await game.start();
    while (!(await game.answer('window.velmoor.ended()'))) {
      if (Date.now() > end) fail(`${name}.txt: the game did not end within 10 s`);
      await new Promise((ok) => setTimeout(ok, 100));
    }
    const [error, shown] = await game.answer("[window.velmoor.lastError(), document.getElementById('error').textContent]");
    // The one line on the console, as an error; for a missing file also the browser's 404.
    const others = game.faults.filter((f) => f !== `console error: ${error}` && !/404|ERR_/.test(f));
    if (!line.test(error) || shown !== error || others.length)
      fail(`${name}.txt: the page said "${shown}", the game "${error}"${others.length ? `, and ${others.join('; ')}` : ''}`);
    console.log(`journeys.mjs: ${name}.txt refused: ${error}`);
    await game.page.close();
  }
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
