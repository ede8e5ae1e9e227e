// Checks of the page's canvas and of what the page hands to the browser,
// each a function of the puppeteer page (or the page's folders) and a
// `check(name, ok, detail)` that records one line: the context menu, and
// the test hooks kept out of the shipped page.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

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
