// The canvas's size in the page (platform/web/page.js's fitCanvas), run in
// Node on made-up viewports and pixel ratios: a window that fits is shown at
// its size, one that does not at the largest whole multiple of its picture
// in device pixels that fits, and the drawing buffer is the shown size in
// device pixels where the page enlarges the picture itself, the picture's
// where the browser does.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

function loadPage() {
  const library = {};
  const source = readFileSync(new URL('../../platform/web/page.js', import.meta.url), 'utf8');
  new Function('mergeInto', 'LibraryManager', source)(
    (target, entries) => Object.assign(target, entries), { library });
  return library.$Page;
}

const view3D = { width: 320, height: 240 };
const map = { width: 640, height: 480 };

// [what, window asked (CSS px), picture, viewport (CSS px), pixel ratio,
//  expected: CSS width, height, buffer width, height]
const cases = [
  ['fits: shown as asked', [640, 480], view3D, [1400, 1000], 1, [640, 480, 640, 480]],
  ['fits at ratio 2: a buffer of device pixels', [640, 480], view3D, [1400, 1000], 2,
   [640, 480, 1280, 960]],
  ['fits at ratio 1.25: the buffer rounded', [1280, 960], map, [1400, 1000], 1.25,
   [1280, 960, 1600, 1200]],
  ['scale 5 in 1400 x 1000: four times the picture', [1600, 1200], view3D, [1400, 1000], 1,
   [1280, 960, 1280, 960]],
  ['the map at scale 2 in 1000 x 700: once', [1280, 960], map, [1000, 700], 1, [640, 480, 640, 480]],
  ['ratio 2 in 600 x 400: three device pixels a picture pixel', [640, 480], view3D, [600, 400], 2,
   [480, 360, 960, 720]],
  ['ratio 1.5 in 700 x 500: a whole device multiple, its CSS size fractional', [1280, 960], map,
   [700, 500], 1.5, [640 / 1.5, 320, 640, 480]],
  ['no whole multiple fits: as large as fits, the buffer never below the 3D view', [640, 480],
   view3D, [300, 200], 1, [266, 200, 320, 240]],
];

test('the canvas fits the viewport in whole multiples of its picture', () => {
  const Page = loadPage();
  for (const [what, [width, height], picture, [vw, vh], ratio, expected] of cases) {
    const asked = { width, height };
    const viewport = { width: vw, height: vh };
    const fit = Page.fitCanvas(asked, picture, viewport, ratio, view3D, false);
    assert.deepEqual([fit.width, fit.height, fit.bufferWidth, fit.bufferHeight], expected, what);
    assert.ok(fit.width <= vw && fit.height <= vh, `${what}: overflows`);
    // Where the browser enlarges the picture, the buffer holds it alone.
    const enlarged = Page.fitCanvas(asked, picture, viewport, ratio, view3D, true);
    assert.deepEqual([enlarged.width, enlarged.height, enlarged.bufferWidth, enlarged.bufferHeight],
                     [fit.width, fit.height, Math.max(320, picture.width), Math.max(240, picture.height)],
                     `${what}, enlarged by the browser`);
  }
});
