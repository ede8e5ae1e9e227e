// Loads that go wrong: the page must say in the page what went wrong, and
// its loading line must not hang. Each check takes the browser to open pages
// in, the page's folder or address, and the driver's `check(name, ok, detail)`.
import { copyFileSync, mkdirSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { join } from 'node:path';

import { serveFolder, sleep } from './support.mjs';

// What the page at `url` shows once it has started or said why not (20 s at most).
async function outcome(browser, url) {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForFunction(() => document.getElementById('problem').textContent !== '' ||
                                   (Module.frameStats && Module.frameStats.frames > 0),
                             { timeout: 20000 }).catch(() => {});
  const seen = await page.evaluate(() => ({
    problem: document.getElementById('problem').textContent,
    status: document.getElementById('status').textContent,
    started: Module.running === true,
  }));
  await page.close();
  return seen;
}

// Copies of `dist` with one file missing, cut in half or empty.
export async function checkFailedLoads(browser, dist, scratch, check) {
  const data = statSync(join(dist, 'undercroft.data')).size;
  const n = (count) => count.toLocaleString('en');
  const cases = [
    ['undercroft.js', null, 'undercroft.js is missing: the server answered 404 (Not Found).'],
    ['undercroft.wasm', null, 'undercroft.wasm is missing: the server answered 404 (Not Found).'],
    ['undercroft.data', null, 'undercroft.data is missing: the server answered 404 (Not Found).'],
    ['undercroft.js', 0.5, 'undercroft.js is damaged: the browser cannot run it (SyntaxError'],
    ['undercroft.wasm', 0.5, 'undercroft.wasm is damaged: it is not a valid WebAssembly module'],
    ['undercroft.data', 0.5, `undercroft.data is damaged: it holds only ${n(data >> 1)} of its ${n(data)} bytes.`],
    ['undercroft.data', 0, `undercroft.data is empty: it should hold ${n(data)} bytes.`],
  ];
  for (const [file, share, says] of cases) {
    const folder = join(scratch, 'broken');
    rmSync(folder, { recursive: true, force: true });
    mkdirSync(folder);
    for (const name of readdirSync(dist)) if (name !== file) copyFileSync(join(dist, name), join(folder, name));
    const bytes = readFileSync(join(dist, file));
    if (share !== null) writeFileSync(join(folder, file), bytes.subarray(0, Math.floor(bytes.length * share)));
    const { server, url } = await serveFolder(folder);
    const seen = await outcome(browser, url).finally(() => server.close());
    check(`${file} ${share === null ? 'missing' : share ? 'cut in half' : 'empty'}: the page says so, ` +
          'the program does not start',
          seen.problem.startsWith(says) && seen.problem.includes('Copy the whole folder') && !seen.started &&
          seen.status === 'undercroft could not start', JSON.stringify(seen));
  }
}

// A server that sends half of undercroft.data and then nothing; the page is
// told to call 2 s without a byte a stall.
export async function checkStalledDownload(browser, dist, check) {
  const server = createServer((request, response) => {
    const name = new URL(request.url, 'http://x').pathname.slice(1) || 'index.html';
    const bytes = readFileSync(join(dist, name));
    response.writeHead(200, { 'Content-Length': bytes.length });
    if (name === 'undercroft.data') response.write(bytes.subarray(0, bytes.length >> 1));
    else response.end(bytes);
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  const seen = await outcome(browser, `http://127.0.0.1:${server.address().port}/?stall=2`);
  server.closeAllConnections();
  server.close();
  check('a download that stalls: the page says so and still shows how far it got',
        /^The download has stalled: nothing has arrived for 2 seconds \(\d+ KB so far\)/.test(seen.problem) &&
        /^Loading undercroft… \d+ KB of \d+ KB$/.test(seen.status), JSON.stringify(seen));
}

// A browser that refuses a page opened from a file its files (Chromium,
// WebKit) gets the page's advice; one that allows them (Firefox) runs it.
export async function checkOpenedFromFile(browser, dist, check, { refuses = true } = {}) {
  const seen = await outcome(browser, `file://${join(dist, 'index.html')}`);
  const advice = seen.problem.startsWith('undercroft must be served over HTTP') &&
                 seen.problem.includes('python3 -m http.server') &&
                 seen.problem.includes('http://localhost:8000/');
  check(`opened from a file, the page ${refuses ? 'says to serve it over HTTP and how' : 'runs'}`,
        refuses ? advice && !seen.started : seen.started, JSON.stringify(seen));
}

// A browser without WebGL: the program says so in the page and on the
// console, goes on without a window, and Escape still ends it; the page
// says plainly what to do.
export async function checkWithoutWebGL(browser, url, check, { console: hearsConsole = true } = {}) {
  const lines = [];
  const errors = [];
  const page = await browser.newPage();
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(url);
  const text = 'ERROR: Can\'t Create A GL Rendering Context.';
  await page.waitForFunction((t) => document.body.innerText.includes(t), { timeout: 20000 }, text);
  await sleep(1500); // start-up goes on: the map's pause, the world
  const seen = await page.evaluate(() => ({ problem: document.getElementById('problem').textContent,
                                            status: document.getElementById('status').textContent }));
  await page.keyboard.down('Escape');
  await page.waitForFunction(() => Module.exitStatus !== undefined, { timeout: 10000 });
  await page.keyboard.up('Escape');
  const ended = await page.evaluate(() => ({ status: Module.exitStatus,
                                             text: document.body.innerText }));
  // Where the driver hears no console (WebKit), the page alone is read.
  check(`without WebGL the page${hearsConsole ? ' and the console' : ''} say so, and Escape still ` +
        'ends the program',
        (!hearsConsole || lines.includes(text)) && ended.status === 0 && ended.text.includes(text) &&
        errors.length === 0,
        JSON.stringify({ lines: lines.filter((l) => !l.startsWith('[')), errors }));
  check('without WebGL the page says what to try, and no longer that it is loading',
        seen.problem.startsWith('This browser gives the page no WebGL') &&
        seen.problem.includes('hardware acceleration') && seen.status === '', JSON.stringify(seen));
  await page.close();
}
