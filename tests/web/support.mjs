// What the browser tests (run_web_tests.mjs) and the browser figures
// (bench/web_figures.mjs) share besides the browser itself: a static file
// server for the page; the browser and the page as both start them, with the
// page's clock fixed; the program's state and framebuffer read through its
// test hooks, and keys held as a person holds them; the native tool's
// pictures, read with the tests' PNG reader (png_tool); picture comparisons.
import { spawnSync } from 'node:child_process';
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

const contentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
};

// Serves `folder` on 127.0.0.1 at a free port; resolves to { server, url }.
export function serveFolder(folder) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(folder, path === '/' ? 'index.html' : path);
    let size = -1;
    try {
      if (file.startsWith(folder)) size = statSync(file).isFile() ? statSync(file).size : -1;
    } catch {
      size = -1;
    }
    if (size < 0) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': contentTypes[extname(file)] || 'application/octet-stream',
      'Content-Length': size,
    });
    createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

// ---- the browser and the page ----------------------------------------------

// The fixed clock: the world's seed is the clock in whole seconds.
export const seed = 5;
// A room of dungeon level 4 (layers 12 and 13), looking down at its floor:
// the camera keeps still there, and the layer below the eye is open, so the
// keypad's + steps in the map view.
export const view = { x: 17, y: 49, z: 12, yaw: 30, pitch: -85 };

export const defaultBrowser = '/usr/lib/chromium/chromium';

// Headless Chromium with SwiftShader's WebGL; the page is composited in
// software, which leaves the GPU process to WebGL alone. Downloads go to
// `downloads` when it is given.
export function launchBrowser(executablePath, downloads) {
  return puppeteer.launch({
    executablePath,
    headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--disable-gpu-compositing'],
    ...(downloads ? { downloadBehavior: { policy: 'allow', downloadPath: downloads } } : {}),
  });
}

export const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// The page at `url` in `browser` (puppeteer's, or an engine of engines.mjs)
// with its clock fixed at `seed` before it loads; its console lines and
// errors are added to `seen.console` and `seen.errors`. Where the driver
// runs nothing before a page loads (WebKit), the address asks for `seed`'s
// world instead; where it hears no console, `seen` stays empty. `device` (page.emulate's argument)
// makes it a phone's or a tablet's page.
export async function openPage(browser, url, seen = { console: [], errors: [] }, device = null) {
  const can = browser.abilities || { newDocument: true, console: true };
  const page = await browser.newPage();
  if (device) await page.emulate(device);
  else await page.setViewport({ width: 1400, height: 1000 });
  if (can.console) {
    page.on('console', (message) => seen.console.push(message.text()));
    page.on('pageerror', (error) => seen.errors.push(error.message));
  }
  if (can.newDocument)
    await page.evaluateOnNewDocument((fixedMs) => {
      Date.now = () => fixedMs;
      // Whether the page kept each key from the browser (its default action
      // prevented), seen after the program's own listeners.
      window.keptKeys = {};
      document.addEventListener('keydown', (event) => { keptKeys[event.key] = event.defaultPrevented; });
    }, seed * 1000);
  // A driver that cannot fix the clock chooses the world by the page's
  // address instead.
  await page.goto(can.newDocument ? url : `${url}?seed=${seed}`);
  // Gone if the page is ever loaded again.
  await page.evaluate(() => { window.loadedOnce = true; });
  return page;
}

// Waits for the program's first frame; the time from opening the page to
// it, in milliseconds, as the page measured it.
export async function firstFrame(page) {
  await page.waitForFunction(() => window.Module && Module.frameStats && Module.frameStats.frames > 0,
                             { timeout: 30000 });
  return page.evaluate(() => Module.frameStats.firstFrameMs);
}

export function frames(page) {
  return page.evaluate(() => (window.Module && Module.frameStats ? Module.frameStats.frames : 0));
}

export async function waitFrames(page, count, timeoutMs = 30000) {
  const start = await frames(page);
  const deadline = Date.now() + timeoutMs;
  while ((await frames(page)) < start + count) {
    if (Date.now() > deadline) throw new Error(`fewer than ${count} frames in ${timeoutMs} ms`);
    await sleep(20);
  }
}

// SX, SY, SZ, mx, my, screen size, pixel scale, quit flag.
export function programState(page) {
  return page.evaluate(() => {
    const at = Module._webTestState() >> 2;
    const [SX, SY, SZ, mx, my, width, height, scale, quit] = Module.HEAP32.slice(at, at + 9);
    return { SX, SY, SZ, mx, my, width, height, scale, quit };
  });
}

// Puts the view cell at `cell` and the look at `look`'s yaw and pitch, as
// the tool's --view and --look do.
export function setView(page, cell, look) {
  return page.evaluate((c, l) => Module._webTestSetView(c.x, c.y, c.z, l.yaw, l.pitch), cell, look);
}

export function canvasRect(page) {
  return page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    if (!canvas) return null;
    const box = canvas.getBoundingClientRect();
    return { left: box.left, top: box.top, width: box.width, height: box.height };
  });
}

// The framebuffer as RGB, top row first.
export async function readFramebuffer(page) {
  const { base64, width, height } = await page.evaluate(() => {
    const at = Module._webTestState() >> 2;
    const width = Module.HEAP32[at + 5], height = Module.HEAP32[at + 6];
    const pointer = Module._webTestFramebuffer();
    const bytes = Module.HEAPU8.subarray(pointer, pointer + width * height * 4);
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000)
      binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return { base64: btoa(binary), width, height };
  });
  return { width, height, rgb: framebufferToRgb(Buffer.from(base64, 'base64'), width, height) };
}

// Holds `key` as a person does: down until `done(state)` holds and at least
// `minFrames` frames have run with it held, then up. The state it ends with.
export async function holdKey(page, key, done, minFrames = 3, timeoutMs = 20000) {
  await page.keyboard.down(key);
  const start = await frames(page);
  const deadline = Date.now() + timeoutMs;
  let state;
  for (;;) {
    await sleep(30);
    state = await programState(page);
    if ((await frames(page)) >= start + minFrames && done(state)) break;
    if (Date.now() > deadline) {
      await page.keyboard.up(key);
      throw new Error(`${key} held ${timeoutMs} ms: the program never got there`);
    }
  }
  await page.keyboard.up(key);
  await waitFrames(page, 2);
  return programState(page);
}

// Holds `key` for `ms` milliseconds (and at least three frames).
export async function holdKeyFor(page, key, ms) {
  await page.keyboard.down(key);
  const start = await frames(page);
  await sleep(ms);
  while ((await frames(page)) < start + 3) await sleep(20);
  await page.keyboard.up(key);
  await waitFrames(page, 2);
  return programState(page);
}

// Holds the keypad's 6 with NumLock off for at least `ms` and three frames:
// the key is ArrowRight, its code the keypad digit's (Chromium only: the
// event is sent through the DevTools protocol).
export async function holdKeypadRightFor(page, ms) {
  const session = await page.createCDPSession();
  const key = { key: 'ArrowRight', code: 'Numpad6', windowsVirtualKeyCode: 102, location: 3 };
  await session.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...key });
  const start = await frames(page);
  await sleep(ms);
  while ((await frames(page)) < start + 3) await sleep(20);
  await session.send('Input.dispatchKeyEvent', { type: 'keyUp', ...key });
  await session.detach();
  await waitFrames(page, 2);
  return programState(page);
}

// Puts the cursor on the page where it falls on framebuffer pixel (x, y),
// y from the bottom, of the canvas as it is shown: on whole CSS pixels, as
// the program reads the cursor, inside the pixel as it maps it (rows
// counted up from the canvas's bottom edge).
export async function pointAtPixel(page, x, y) {
  const state = await programState(page);
  const rect = await canvasRect(page);
  const size = rect.width / state.width; // CSS pixels a framebuffer pixel
  await page.mouse.move(Math.floor(rect.left + (x + 0.5) * size),
                        Math.ceil(rect.top + (state.height - 1 - y + 0.5) * size));
  await waitFrames(page, 2);
}

// ---- pictures ---------------------------------------------------------------

// The framebuffer's RGBA bytes (row 0 at the bottom) as RGB, top row first,
// as the tool's pictures hold them.
export function framebufferToRgb(rgba, width, height) {
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; y++) {
    const source = (height - 1 - y) * width * 4;
    for (let x = 0; x < width; x++) {
      rgb[(y * width + x) * 3] = rgba[source + x * 4];
      rgb[(y * width + x) * 3 + 1] = rgba[source + x * 4 + 1];
      rgb[(y * width + x) * 3 + 2] = rgba[source + x * 4 + 2];
    }
  }
  return rgb;
}

// A PNG, whatever wrote it, as { width, height, rgb } with 8-bit RGB bytes,
// top row first: `png_tool pixels` prints a "WIDTHxHEIGHT" line, then them.
export function readPng(pngTool, path) {
  const result = spawnSync(pngTool, ['pixels', path], { maxBuffer: 1 << 30 });
  if (result.error) throw new Error(`${pngTool}: ${result.error.message}`);
  if (result.status !== 0)
    throw new Error(`png_tool pixels ${path}: status ${result.status}: ${result.stderr}`.trim());
  const out = result.stdout;
  const end = out.indexOf(10);
  const [width, height] = out.toString('latin1', 0, end).split('x').map(Number);
  const rgb = out.subarray(end + 1);
  if (!(width > 0 && height > 0) || rgb.length !== width * height * 3)
    throw new Error(`png_tool pixels ${path}: ${rgb.length} bytes for ${width} x ${height}`);
  return { width, height, rgb };
}

// undercroft-tool snapshot in the data folder with the given arguments,
// writing `out`. `native` is { tool, data }.
export function runSnapshot(native, out, args) {
  const result = spawnSync(native.tool, ['snapshot', '--data', native.data, ...args, '--out', out],
                           { encoding: 'utf8' });
  if (result.status !== 0)
    throw new Error(`undercroft-tool snapshot ${args.join(' ')}: ${result.stderr}`);
}

// The same, and the picture it wrote; `native` is { tool, data, pngTool }.
export function toolSnapshot(native, out, args) {
  runSnapshot(native, out, args);
  return readPng(native.pngTool, out);
}

// How two RGB pictures of one size differ: the pixels that differ at all,
// those whose largest channel difference exceeds `tolerance`, and the mean
// channel difference.
export function comparePictures(a, b, tolerance) {
  let differing = 0, beyond = 0, total = 0;
  for (let i = 0; i < a.length; i += 3) {
    const d = Math.max(Math.abs(a[i] - b[i]), Math.abs(a[i + 1] - b[i + 1]),
                       Math.abs(a[i + 2] - b[i + 2]));
    total += Math.abs(a[i] - b[i]) + Math.abs(a[i + 1] - b[i + 1]) + Math.abs(a[i + 2] - b[i + 2]);
    if (d > 0) differing++;
    if (d > tolerance) beyond++;
  }
  const pixels = a.length / 3;
  return { pixels, differing, beyond, meanDifference: total / a.length };
}
