// The page's sound, heard as the browser is given it: the journey to the end played from the
// page's URL in real time, sound from the first tick, and every buffer the page hands to Web
// Audio kept in order with the world's tick when it was mixed, until a little after the first
// lighthouse visit; sound_check.py then judges them as the native game's capture is judged.
// usage: node sound.mjs PAGE_FOLDER
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fail, launch, openPage, serve } from './harness.mjs';

const AFTER = 80; // ticks heard after the visit: its chord is looked for up to 1.6 s on
const [pageDir] = process.argv.slice(2);
if (!pageDir) fail('usage: node sound.mjs PAGE_FOLDER');
const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const milestones = fs.readFileSync(path.join(repo, 'tests/replays/milestones.txt'), 'utf8');
const visit = Number(milestones.match(/^to_the_end\s.*?\bvisit:(\d+)/m)[1]);

// Run in the page before its scripts: each buffer started on Web Audio is copied (channel 0,
// as 16-bit), with a line of its length, the tick of the world that mixed it (SDL mixes and
// starts a buffer in one go) and the time it is to be heard at.
function listen() {
  const heard = window.velmoorHeard = { buffers: [], lines: [] };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    heard.buffers.push(Int16Array.from(this.buffer.getChannelData(0), (x) => Math.round(x * 32768)));
    heard.lines.push(`${this.buffer.length} ${window.velmoor?.tick() ?? 0} ${args[0]}\n`);
    return start.apply(this, args);
  };
}

const server = await serve(pageDir, { '/journey.txt': path.join(repo, 'tests/replays/to_the_end.txt') });
const browser = await launch();
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmoor-sound-'));
let status = 0;
try {
  const game = await openPage(browser, `${server.url}/velmoor.html?play=/journey.txt&speed=1`,
    { before: listen });
  await game.start();
  await game.until(`window.velmoor.tick() >= ${visit + AFTER}`, 120, `no tick ${visit + AFTER}`);
  const { lines, samples } = await game.answer(
    '({ lines: velmoorHeard.lines.join(""), samples: velmoorHeard.buffers.flatMap((b) => [...b]) })');
  game.check();
  fs.writeFileSync(path.join(work, 'sound.raw'), new Uint8Array(Int16Array.from(samples).buffer));
  fs.writeFileSync(path.join(work, 'buffers.txt'), lines);
  try {
    execFileSync('python3', [path.join(repo, 'tests/web/sound_check.py'), path.join(work, 'sound.raw'),
      path.join(work, 'buffers.txt'), String(visit)], { stdio: 'inherit' });
  } catch {
    status = 1;
  }
} finally {
  await browser.close();
  server.close();
  if (status) console.log(`sound.mjs: the page's sound kept in ${work}`);
  else fs.rmSync(work, { recursive: true, force: true });
}
if (status) fail('the page\'s sound is not the game\'s (see above)');
