// Checks of the page's canvas and of what the page hands to the browser,
// each a function of the puppeteer page (or the page's folders) and a
// `check(name, ok, detail)` that records one line: the test hooks kept out
// of the shipped page.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

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
