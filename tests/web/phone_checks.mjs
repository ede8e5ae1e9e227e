// The page on a phone (Chromium's emulation): its on-screen controls turn,
// fly and switch views as the mouse and the keys do, and it fits a narrow
// screen; a desktop page has no controls. Each check takes the browser or
// page and the driver's `check(name, ok, detail)`.
import { canvasRect, firstFrame, openPage, programState, readFramebuffer, setView, sleep, view, waitFrames,
} from './support.mjs';

const android = 'Mozilla/5.0 (Linux; Android 14; Pixel 7) AppleWebKit/537.36 (KHTML, like Gecko) ' +
                'Chrome/156.0.0.0 Mobile Safari/537.36';
const screen = (width, height, deviceScaleFactor) => ({
  viewport: { width, height, deviceScaleFactor, isMobile: true, hasTouch: true }, userAgent: android });
export const phone = screen(393, 851, 2);

const frames = (page) => page.evaluate(() => Module.frameStats.frames);
const cellOf = (s) => `${s.SX},${s.SY},${s.SZ}`;
// Rows of the 3D view clear of the status lines and the banner.
const middle = (picture) => picture.rgb.subarray(picture.width * 3 * 60, picture.width * 3 * 180);

// A finger on the control labelled `label` until `done(state)` holds (15 s
// at most) and three frames have run; the state after it is lifted.
async function touchControl(page, label, done = () => true) {
  const at = await page.evaluate((text) => {
    const box = [...document.querySelectorAll('#controls button')].find((b) => b.textContent === text)
      .getBoundingClientRect();
    return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
  }, label);
  await page.touchscreen.touchStart(at.x, at.y);
  const start = await frames(page), deadline = Date.now() + 15000;
  while (Date.now() < deadline && !((await frames(page)) >= start + 3 && done(await programState(page))))
    await sleep(30);
  await page.touchscreen.touchEnd();
  await waitFrames(page, 2);
  return programState(page);
}

// A whole CSS pixel on the page that falls on framebuffer pixel (x, y), y
// from the bottom: the canvas is fitted to the screen, so its shown size
// says where.
async function atPixel(page, x, y) {
  const rect = await canvasRect(page);
  const state = await programState(page);
  const across = rect.width / state.width, up = rect.height / state.height;
  return { x: Math.round(rect.left + x * across + Math.floor(across / 2)),
           y: Math.round(rect.top + rect.height - y * up - Math.floor(up / 2)) };
}

export async function checkPhonePage(browser, url, check) {
  const page = await openPage(browser, url, undefined, phone);
  await firstFrame(page);
  await setView(page, view, view);
  await waitFrames(page, 3);
  const before = await readFramebuffer(page);
  const cell = await programState(page);
  const from = await atPixel(page, 30, 190), to = await atPixel(page, 10, 5);
  await page.touchscreen.touchStart(from.x, from.y);
  await page.touchscreen.touchMove(to.x, to.y);
  await waitFrames(page, 8); // the left button would have flown a cell by now
  await page.touchscreen.touchEnd();
  await waitFrames(page, 2);
  const turned = await readFramebuffer(page);
  let state = await programState(page);
  check('phone: a finger dragged on the canvas turns the view toward it and flies nowhere',
        !middle(turned).equals(middle(before)) && state.mx === 10 && state.my === 5 &&
        cellOf(state) === cellOf(cell), JSON.stringify(state));

  // Both keep the look the drag left: the cells they reach lie ahead and behind.
  const flown = await touchControl(page, 'Fly', (s) => cellOf(s) !== cellOf(cell));
  const back = await touchControl(page, 'Back', (s) => cellOf(s) !== cellOf(flown));
  check('phone: Fly flies the camera into the next cell, Back out of it',
        flown.SY === cell.SY - 1 && cellOf(back) === cellOf(cell),
        `${cellOf(cell)} -> ${cellOf(flown)} -> ${cellOf(back)}`);

  const map = await touchControl(page, 'Map');
  const right = await touchControl(page, '\u25b6', (s) => s.SX > map.SX);
  state = await touchControl(page, '3D');
  check('phone: Map shows the map view, where the arrows step the view cell, and 3D the 3D view',
        map.width === 640 && right.SX > map.SX && state.width === 320,
        `widths ${map.width}, ${state.width}; SX ${map.SX} -> ${right.SX}`);

  // Nothing of the page reaches past a 360 px screen's edge, and the
  // controls leave the canvas clear.
  await page.emulate(screen(360, 740, 3));
  await waitFrames(page, 3);
  state = await programState(page);
  const layout = await page.evaluate(() => ({
    width: innerWidth, scrollWidth: document.documentElement.scrollWidth,
    controls: document.getElementById('controls').getBoundingClientRect().toJSON() }));
  const canvas = await canvasRect(page);
  check('phone: a 360 px wide screen holds the whole page, canvas above the controls',
        state.scale === 2 && layout.width === 360 && layout.scrollWidth === 360 &&
        layout.controls.right <= 360 && canvas.top + canvas.height <= layout.controls.top,
        JSON.stringify({ layout, canvas }));
  await page.close();
}

export async function checkNoControlsOnDesktop(page, check) {
  check('a desktop page shows no on-screen controls',
        await page.evaluate(() => document.getElementById('controls') === null));
}
