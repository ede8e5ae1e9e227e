// Checks of the page's canvas and of what the page hands to the browser,
// each a function of the puppeteer page (or the page's folders) and a
// `check(name, ok, detail)` that records one line: quick F12 presses, the
// context menu, and the test hooks kept out of the shipped page.
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';

import { readFramebuffer, readPng, setView, sleep, view, waitFrames } from './support.mjs';

// The 3D view at `look`, a few frames on.
async function lookAt(page, look) {
  await setView(page, view, look);
  await waitFrames(page, 4);
  return readFramebuffer(page);
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
