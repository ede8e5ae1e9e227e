// Leaving the page: while the program runs, leaving asks first (a browser
// may reload on F5 whatever the page says, losing the world); once it has
// ended, the page keeps no keys and leaves without asking. Each check takes
// a page keys were pressed in (a browser asks only on a page that was used)
// and the driver's `check(name, ok, detail)`.
import { sleep } from './support.mjs';

// Reloads the page, dismissing any question: the questions, and whether the
// page was loaded again within 2 s.
async function reload(page) {
  const asked = [];
  const answer = (dialog) => { asked.push(dialog.type()); return dialog.dismiss(); };
  page.on('dialog', answer);
  const navigated = page.waitForNavigation({ timeout: 2000 }).then(() => true, () => false);
  await page.evaluate(() => { location.reload(); });
  const reloaded = await navigated;
  page.off('dialog', answer);
  return { asked, reloaded };
}

export async function checkLeavingWhileRunning(page, check) {
  const seen = await reload(page);
  check('while the program runs, leaving the page asks first',
        seen.asked.join() === 'beforeunload' && !seen.reloaded, JSON.stringify(seen));
}

// After the program's end.
export async function checkAfterTheEnd(page, check) {
  await page.keyboard.down('F5');
  await sleep(100);
  await page.keyboard.up('F5');
  const kept = await page.evaluate(() => keptKeys.F5);
  const seen = await reload(page);
  check('once the program has ended, F5 is the browser\'s again and the page leaves without asking',
        kept === false && seen.asked.length === 0 && seen.reloaded, JSON.stringify({ kept, ...seen }));
}
