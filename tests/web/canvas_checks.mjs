// Checks of the page's canvas and of what the page hands to the browser,
// each a function of the puppeteer page (or the page's folders) and a
// `check(name, ok, detail)` that records one line: a WebGL context lost and
// given back, crisp pixels and the fit to the viewport at any pixel ratio,
// quick F12 presses, the context menu, and the test hooks kept out of the
// shipped page.
import { readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

import {
  canvasRect, frames, holdKeyFor, pointAtPixel, programState, readFramebuffer, readPng, setView,
  sleep, view, waitFrames,
} from './support.mjs';

// The canvas as the browser shows it, in device pixels: { width, height,
// rgb }, cut from a screenshot of the viewport (WebKit's screenshots of an
// element come from the wrong place).
async function shownCanvas(page, pngTool, file) {
  writeFileSync(file, await page.screenshot({ type: 'png' }));
  const whole = readPng(pngTool, file);
  const box = await page.evaluate(() => {
    const rect = document.querySelector('canvas').getBoundingClientRect();
    return { left: rect.left, top: rect.top, width: rect.width, height: rect.height,
             ratio: window.devicePixelRatio };
  });
  const [left, top, width, height] = ['left', 'top', 'width', 'height']
    .map((side) => Math.round(box[side] * box.ratio));
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height && top + y < whole.height; y++) {
    const from = ((top + y) * whole.width + left) * 3;
    whole.rgb.copy(rgb, y * width * 3, from, from + Math.min(width, whole.width - left) * 3);
  }
  return { width, height, rgb };
}

// How the shown canvas holds the framebuffer: device pixels a framebuffer
// pixel (0 unless whole), blocks not of one colour, and solid blocks of
// another colour than their framebuffer pixel.
function blocksOf(shown, framebuffer) {
  const size = shown.width / framebuffer.width;
  if (!Number.isInteger(size) || shown.height !== framebuffer.height * size)
    return { size: 0, blended: -1, wrong: -1 };
  let blended = 0, wrong = 0;
  for (let y = 0; y < framebuffer.height; y++) {
    for (let x = 0; x < framebuffer.width; x++) {
      const expected = framebuffer.rgb.subarray((y * framebuffer.width + x) * 3, (y * framebuffer.width + x) * 3 + 3);
      const first = ((y * size) * shown.width + x * size) * 3;
      let solid = true;
      for (let dy = 0; dy < size && solid; dy++)
        for (let dx = 0; dx < size && solid; dx++) {
          const at = (((y * size + dy) * shown.width) + x * size + dx) * 3;
          solid = shown.rgb[at] === shown.rgb[first] && shown.rgb[at + 1] === shown.rgb[first + 1] &&
                  shown.rgb[at + 2] === shown.rgb[first + 2];
        }
      if (!solid) blended++;
      else if (!expected.equals(shown.rgb.subarray(first, first + 3))) wrong++;
    }
  }
  return { size, blended, wrong };
}

function bufferSize(page) {
  return page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    return canvas ? [canvas.width, canvas.height] : null;
  });
}

// The 3D view at `look`, a few frames on.
async function lookAt(page, look) {
  await setView(page, view, look);
  await waitFrames(page, 4);
  return readFramebuffer(page);
}

// In the 3D view: the context lost (through WEBGL_lose_context), then given
// back. The page prevents the loss's default and says so while it lasts, the
// program runs on, and once the context is back the picture is drawn again
// on the same canvas with nothing else changed.
export async function checkContextLoss(page, check, pngTool, scratch) {
  const before = await lookAt(page, view);
  const state = await programState(page);
  const rect = await canvasRect(page);
  await page.evaluate(() => {
    window.canvasBeforeLoss = document.querySelector('canvas');
    canvasBeforeLoss.addEventListener('webglcontextlost', (event) => {
      window.lossPrevented = event.defaultPrevented;
    });
    window.loseContext = canvasBeforeLoss.getContext('webgl2').getExtension('WEBGL_lose_context');
    loseContext.loseContext();
  });
  const said = await page.waitForFunction(
    () => document.getElementById('messages').innerText.includes('WebGL context'), { timeout: 5000 })
    .then(() => true, () => false);
  const framesLost = await frames(page);
  // A new look while the context is away: drawn once it is back.
  await setView(page, view, { yaw: view.yaw + 150, pitch: -40 });
  await waitFrames(page, 5);
  const lost = await page.evaluate(() => ({ prevented: window.lossPrevented,
                                            text: document.getElementById('messages').innerText }));
  check('a lost WebGL context: the page prevents its default and says so, the program runs on',
        said && lost.prevented === true && (await frames(page)) >= framesLost + 5,
        JSON.stringify(lost));

  await page.evaluate(() => loseContext.restoreContext());
  await waitFrames(page, 4);
  const turned = await readFramebuffer(page);
  const after = await lookAt(page, view);
  const shown = blocksOf(await shownCanvas(page, pngTool, join(scratch, 'restored.png')), after);
  const kept = await page.evaluate(() => ({
    sameCanvas: document.querySelector('canvas') === window.canvasBeforeLoss,
    canvases: document.querySelectorAll('canvas').length,
    text: document.getElementById('messages').innerText,
  }));
  const stateAfter = await programState(page);
  const rectAfter = await canvasRect(page);
  check('given back, the 3D view is drawn again as before on the same canvas, nothing else changed',
        !turned.rgb.equals(before.rgb) && after.rgb.equals(before.rgb) && kept.sameCanvas &&
        kept.canvases === 1 && !kept.text.includes('WebGL context') &&
        shown.blended === 0 && shown.wrong === 0 &&
        JSON.stringify(rectAfter) === JSON.stringify(rect) && stateAfter.width === state.width &&
        stateAfter.scale === state.scale,
        JSON.stringify({ drawnAfterLoss: !turned.rgb.equals(before.rgb), same: after.rgb.equals(before.rgb),
                         kept, shown, rect: rectAfter, scale: stateAfter.scale }));
}

// In the map view, whose picture keeps still: the canvas as the engine
// shows it holds every framebuffer pixel as a solid block of device pixels,
// whether the engine enlarges the picture or the page does.
export async function checkShownCrisply(page, check, pngTool, scratch) {
  await holdKeyFor(page, 'F7', 300);
  await waitFrames(page, 3);
  const framebuffer = await readFramebuffer(page);
  const blocks = blocksOf(await shownCanvas(page, pngTool, join(scratch, 'shown.png')), framebuffer);
  check('the map view shows every framebuffer pixel as a solid block of device pixels',
        blocks.size >= 1 && blocks.blended === 0 && blocks.wrong === 0, JSON.stringify(blocks));
  await holdKeyFor(page, 'F6', 300);
}

// The canvas at the page's corner, then shown at several pixel ratios and
// viewport sizes: its drawing buffer is its size in device pixels, every
// framebuffer pixel a solid block of device pixels, the cursor maps onto
// it, it fits a viewport too small for the window, and it follows the
// viewport back.
export async function checkCrispAndFit(page, check, pngTool, scratch) {
  await page.mouse.move(0, 0);
  await holdKeyFor(page, 'm', 300);
  // Chromium enlarges the picture itself, crisply: the buffer holds the
  // 320 x 240 framebuffer alone, and the blocks are the browser's.
  const cases = [
    { what: 'ratio 2, room for the window', viewport: [1400, 1000, 2], shown: [640, 480], block: 4 },
    { what: 'ratio 2, a 600 x 400 viewport', viewport: [600, 400, 2], shown: [480, 360], block: 3 },
    { what: 'ratio 1, a 600 x 400 viewport', viewport: [600, 400, 1], shown: [320, 240], block: 1 },
    { what: 'ratio 1, room again', viewport: [1400, 1000, 1], shown: [640, 480], block: 2 },
  ];
  for (const c of cases) {
    const [width, height, deviceScaleFactor] = c.viewport;
    await page.setViewport({ width, height, deviceScaleFactor });
    await waitFrames(page, 3);
    const rect = await canvasRect(page);
    const buffer = await bufferSize(page);
    const framebuffer = await readFramebuffer(page);
    const blocks = blocksOf(await shownCanvas(page, pngTool, join(scratch, 'crisp.png')), framebuffer);
    await pointAtPixel(page, 100, 50);
    const state = await programState(page);
    check(`${c.what}: a ${c.shown.join(' x ')} canvas, every framebuffer pixel a solid block of ` +
          `${c.block} x ${c.block} device pixels, the cursor on its pixel`,
          rect.left === 0 && rect.top === 0 && rect.width === c.shown[0] && rect.height === c.shown[1] &&
          buffer[0] === framebuffer.width && buffer[1] === framebuffer.height &&
          blocks.size === c.block && blocks.blended === 0 && blocks.wrong === 0 &&
          state.mx === 100 && state.my === 50,
          JSON.stringify({ rect, buffer, blocks, mx: state.mx, my: state.my }));
  }
}

function pngFiles(folder) {
  try {
    return readdirSync(folder).filter((name) => name.endsWith('.png'));
  } catch {
    return [];
  }
}

// `count` quick presses of F12 in an unchanging view: every name printed is
// a file the browser downloads, each a PNG of the framebuffer, and the
// page's file system keeps the names only (empty files).
export async function checkQuickShots(page, check, { downloads, pngTool, seen, count = 20 }) {
  const framebuffer = await lookAt(page, view);
  const old = new Set(pngFiles(downloads));
  const printedBefore = seen.console.filter((line) => line.startsWith('/screenshots/')).length;
  for (let i = 0; i < count; i++) await page.keyboard.press('F12');
  const deadline = Date.now() + 30000;
  let added = [];
  while (Date.now() < deadline) {
    added = pngFiles(downloads).filter((name) => !old.has(name));
    if (added.length >= count) break;
    await sleep(200);
  }
  await sleep(1000); // none more
  added = pngFiles(downloads).filter((name) => !old.has(name)).sort();
  const printed = seen.console.filter((line) => line.startsWith('/screenshots/')).slice(printedBefore)
    .map((line) => line.slice(line.lastIndexOf('/') + 1)).sort();
  check(`${count} quick presses of F12: ${count} names printed, the same ${count} files downloaded`,
        printed.length === count && JSON.stringify(added) === JSON.stringify(printed),
        `${printed.length} printed, ${added.length} downloaded`);
  const unlike = added.filter((name) => {
    try {
      const saved = readPng(pngTool, join(downloads, name));
      return saved.width !== framebuffer.width || saved.height !== framebuffer.height ||
             !saved.rgb.equals(framebuffer.rgb);
    } catch {
      return true;
    }
  });
  check('each is a PNG of the framebuffer', added.length === count && unlike.length === 0,
        unlike.length ? `not: ${unlike.join(', ')}` : '');
  const files = await page.evaluate(() => {
    const at = Module._webTestScreenshotFiles() >> 2;
    return { count: Module.HEAP32[at], bytes: Module.HEAP32[at + 1] };
  });
  const allPrinted = seen.console.filter((line) => line.startsWith('/screenshots/')).length;
  check('the page keeps each shot\'s name, numbering on, but none of its bytes',
        files.count === allPrinted && files.bytes === 0, JSON.stringify(files));
}

// A right-click beside the canvas: the browser's context menu is kept away
// while the program runs (`running`), and shown once it has ended.
export async function checkContextMenu(page, check, running) {
  await page.evaluate(() => {
    window.menuPrevented = null;
    window.addEventListener('contextmenu', (event) => { window.menuPrevented = event.defaultPrevented; },
                            { once: true });
  });
  const viewport = page.viewport();
  await page.mouse.click(viewport.width - 20, viewport.height - 100, { button: 'right' });
  const prevented = await page.evaluate(() => window.menuPrevented);
  check(running ? 'a right-click beside the canvas opens no context menu while the program runs'
                : 'once the program has ended, a right-click opens the browser\'s context menu',
        prevented === running, `default prevented: ${prevented}`);
}

// The shipped page (its script and module) carries none of the test hooks
// the test page exports.
export function checkShippedPage(check, shipped, tested) {
  const hooks = ['webTestState', 'webTestSetView', 'webTestFramebuffer'];
  const has = (folder, hook) => ['undercroft.js', 'undercroft.wasm'].some(
    (file) => readFileSync(join(folder, file)).includes(hook));
  check('the shipped page exports no test hooks; the test page does',
        hooks.every((hook) => !has(shipped, hook) && has(tested, hook)),
        hooks.map((hook) => `${hook}: shipped ${has(shipped, hook)}, test ${has(tested, hook)}`).join('; '));
}
