// The page's frame pacing (platform/web/page.js), run in Node on made-up
// animation-frame times: at most 60 frames a second on any display, every
// frame on a 60 Hz one, even with the timing jitter browsers show.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

// The library's objects, as Emscripten's mergeInto would receive them.
function loadPage() {
  const library = {};
  const source = readFileSync(new URL('../../platform/web/page.js', import.meta.url), 'utf8');
  new Function('mergeInto', 'LibraryManager', source)(
    (target, entries) => Object.assign(target, entries), { library });
  const Page = library.$Page;
  // The library's functions refer to the object by its name.
  globalThis.Page = Page;
  return Page;
}

// Frames shown in `seconds` of a display refreshing `hz` times a second,
// each frame's time off by up to `jitterMs` either way.
function framesShown(hz, seconds, jitterMs = 0) {
  const Page = loadPage();
  let shown = 0;
  const frames = Math.round(hz * seconds);
  for (let k = 0; k < frames; k++) {
    const jitter = jitterMs * Math.sin(k * 12.9898);
    if (Page.frameDue(1000 + (k * 1000) / hz + jitter)) shown++;
  }
  return shown / seconds;
}

test('a 60 Hz display shows every frame, jitter or not', () => {
  assert.equal(framesShown(60, 10), 60);
  assert.equal(framesShown(60, 10, 0.5), 60);
});

test('faster displays show at most 60 frames a second, and close to 60', () => {
  for (const hz of [75, 90, 120, 144, 165, 240]) {
    const rate = framesShown(hz, 10, 0.3);
    assert.ok(rate <= 60, `${hz} Hz: ${rate} frames a second`);
    assert.ok(rate >= 55, `${hz} Hz: ${rate} frames a second`);
  }
});

test('a slower display shows every frame it has', () => {
  assert.equal(framesShown(50, 10), 50);
  assert.equal(framesShown(30, 10, 0.5), 30);
});

test('after a long stall frames do not rush to catch up', () => {
  const Page = loadPage();
  assert.ok(Page.frameDue(1000));
  assert.ok(Page.frameDue(3000)); // two seconds late
  assert.ok(!Page.frameDue(3008));
  assert.ok(Page.frameDue(3016.7));
});
