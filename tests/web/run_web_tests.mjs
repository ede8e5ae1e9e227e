// The browser build in a real browser engine (engines.mjs): Chromium,
// headless, WebGL on SwiftShader; Firefox ESR or WebKitGTK in an X server.
// Where the driver can, the page's clock is fixed before it loads, so the
// world's seed is known; pictures are read from the program's own
// framebuffer and compared with the Linux tool's snapshots for the same
// seed, view and keys; keys are held as a person holds them, across frames.
// Chromium runs every check, Firefox the program's own (pictures, keys,
// Escape), WebKit a smoke run (start, the 3D picture, a mode switch, crisp
// pixels, Escape; its world chosen by the page's address), skipped with
// its reason where it has no WebGL.
//
//   node run_web_tests.mjs --dist DIR --tool TOOL --png-tool PNG_TOOL --data DIR [--shipped DIR]
//                          [--engine chromium|firefox|webkit]
//
// DIR is the test page (with the program's test hooks), --shipped the
// shipped page, checked to have none. TOOL is the native undercroft-tool, PNG_TOOL the tests' PNG reader
// (build/tests/png_tool). Prints one line per check and ends with
// "N passed, N failed"; the exit status is 1 when any check failed. The
// performance figures are bench/web_figures.mjs's.
import { mkdtempSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { parseArgs } from 'node:util';

import { engines, launchEngine } from './engines.mjs';
import {
  canvasRect, comparePictures, defaultBrowser, firstFrame, holdKey, holdKeyFor,
  holdKeypadRightFor,
  openPage, pointAtPixel, programState, readFramebuffer, readPng, seed, serveFolder, setView,
  sleep, toolSnapshot, view, waitFrames,
} from './support.mjs';
import {
  checkContextLoss, checkContextMenu, checkCrispAndFit, checkQuickShots, checkShippedPage,
  checkShownCrisply,
} from './canvas_checks.mjs';
import { checkAfterTheEnd, checkLeavingWhileRunning } from './end_checks.mjs';
import {
  checkFailedLoads, checkOpenedFromFile, checkStalledDownload, checkWithoutWebGL,
} from './load_checks.mjs';
import { checkNoControlsOnDesktop, checkPhonePage } from './phone_checks.mjs';

const { values: options } = parseArgs({
  options: {
    dist: { type: 'string' },
    tool: { type: 'string' },
    'png-tool': { type: 'string' },
    data: { type: 'string' },
    browser: { type: 'string', default: defaultBrowser },
    shipped: { type: 'string' },
    engine: { type: 'string', default: 'chromium' },
  },
});
if (!engines.includes(options.engine)) {
  console.error(`run_web_tests.mjs: --engine is one of ${engines.join(', ')}`);
  process.exit(2);
}
for (const name of ['dist', 'tool', 'png-tool', 'data'])
  if (!options[name]) {
    console.error(`run_web_tests.mjs: --${name} is needed`);
    process.exit(2);
  }
const dist = resolve(options.dist);
const native = { tool: resolve(options.tool), pngTool: resolve(options['png-tool']),
                 data: resolve(options.data) };

// The plan of dungeon level 1 in the map view; the tool reaches it from the
// view's layer with 128 steps of keypad +.
const plan = { x: 120, y: 118, z: 140 };
// Largest channel difference allowed in a 3D pixel, and the share of
// pixels allowed beyond it: two rasterizers (SwiftShader, llvmpipe) differ
// by a texel along some face edges.
const pixelTolerance = 48;
const shareBeyondTolerance = 0.01;

const scratch = mkdtempSync(join(tmpdir(), 'undercroft-web-'));
const downloads = join(scratch, 'downloads');
let passed = 0, failed = 0;

function check(name, ok, detail = '') {
  if (ok) passed++; else failed++;
  console.log(`${ok ? 'ok' : 'not ok'} - ${options.engine}: ${name}${detail ? ` (${detail})` : ''}`);
  return ok;
}

// What the page printed on its console, and its errors.
const seen = { console: [], errors: [] };

// ---- the checks -------------------------------------------------------------

async function checkStart(page) {
  await firstFrame(page);
  if (can.console)
    check('the page prints the seed of its fixed clock', seen.console.includes(`world seed ${seed}`),
          seen.console.filter((line) => line.startsWith('world seed')).join(', '));
  const rect = await canvasRect(page);
  check('the window is a 640 x 480 canvas at the page\'s top-left corner',
        rect && rect.left === 0 && rect.top === 0 && rect.width === 640 && rect.height === 480,
        JSON.stringify(rect));
}

// The page's address chooses the world as --seed does; a seed the program
// refuses ends it, and the page says why.
async function checkSeedInAddress() {
  const seeded = await engine.newPage();
  const lines = [];
  seeded.on('console', (message) => lines.push(message.text()));
  await seeded.goto(`${url}?seed=7`);
  await seeded.waitForFunction(() => window.Module && Module.frameStats && Module.frameStats.frames > 0,
                               { timeout: 30000 });
  await seeded.close(); // a running page asks before it is left: it is closed instead
  const refused = await engine.newPage();
  await refused.goto(`${url}?seed=7x`);
  await refused.waitForFunction(() => window.Module && Module.exitStatus !== undefined,
                                { timeout: 30000 });
  const ended = await refused.evaluate(() => ({ status: Module.exitStatus,
                                                text: document.getElementById('ended').textContent }));
  await refused.close();
  check('?seed=7 builds the world of seed 7; ?seed=7x ends the program, the page saying why',
        lines.includes('world seed 7') && ended.status === 2 &&
        ended.text.includes("--seed: '7x' has 'x' after the number"), JSON.stringify(ended));
}

// F7 and F6 switch the views, keys held as a person holds them.
async function checkModeSwitch(page) {
  const map = await holdKey(page, 'F7', (s) => s.width === 640);
  const back = await holdKey(page, 'F6', (s) => s.width === 320);
  check('F7 switches to the map view and F6 back to the 3D view',
        map.width === 640 && map.scale === 2 && back.width === 320 && back.scale === 2,
        JSON.stringify({ map: map.width, back: back.width }));
}

async function check3DView(page) {
  await pointAtPixel(page, 160, 120);
  await setView(page, view, view);
  await waitFrames(page, 4);
  const browser = await readFramebuffer(page);
  const linux = toolSnapshot(native, join(scratch, 'view3d.png'),
    ['--seed', `${seed}`, '--view', `${view.x},${view.y},${view.z}`,
     '--look', `${view.yaw},${view.pitch}`, '--mouse', '160,120', '--frames', '4']);
  const same = browser.width === linux.width && browser.height === linux.height;
  const difference = same ? comparePictures(browser.rgb, linux.rgb, pixelTolerance) : null;
  check('the 3D view matches the Linux tool\'s picture of the same view',
        same && difference.beyond <= difference.pixels * shareBeyondTolerance,
        same ? `${difference.differing} pixels differ, ${difference.beyond} by more than ` +
               `${pixelTolerance}, mean difference ${difference.meanDifference.toFixed(3)}`
             : `${browser.width} x ${browser.height} against ${linux.width} x ${linux.height}`);
  return browser;
}

async function checkScreenshot(page) {
  const shown = await readFramebuffer(page);
  await holdKeyFor(page, 'F12', 200);
  const deadline = Date.now() + 10000;
  let names = [];
  while (Date.now() < deadline) {
    names = existingFiles(downloads);
    if (names.length > 0 && names.every((name) => name.endsWith('.png'))) break;
    await sleep(100);
  }
  const printed = seen.console.filter((line) => line.startsWith('/screenshots/'));
  const ok = names.length === 1 && /^undercroft-\d{8}-\d{6}\.png$/.test(names[0]) &&
             printed.length === 1 && printed[0].endsWith(names[0]);
  check('F12, held, saves the frame once: the browser downloads it, the console names it',
        ok, `downloads ${JSON.stringify(names)}, printed ${JSON.stringify(printed)}`);
  if (!ok) return;
  const saved = readPng(native.pngTool, join(downloads, names[0]));
  check('the downloaded PNG holds the framebuffer as shown',
        saved.width === shown.width && saved.height === shown.height && saved.rgb.equals(shown.rgb),
        `${saved.width} x ${saved.height}`);

  // A tap shorter than a frame is a press too; the second shot of the same
  // second (the clock is fixed) is numbered.
  await page.keyboard.press('F12');
  const second = names[0].replace('.png', '-2.png');
  const until = Date.now() + 10000;
  while (Date.now() < until && !existingFiles(downloads).includes(second))
    await sleep(100);
  check('a tap of F12 saves a shot too, numbered within its second',
        existingFiles(downloads).includes(second), JSON.stringify(existingFiles(downloads)));
}

function existingFiles(folder) {
  try {
    return readdirSync(folder);
  } catch {
    return [];
  }
}

async function checkMapView(page) {
  let state = await holdKey(page, 'F7', (s) => s.width === 640);
  let rect = await canvasRect(page);
  check('F7: the map view, 640 x 480 at scale 2 in a 1280 x 960 canvas',
        state.width === 640 && state.height === 480 && state.scale === 2 &&
        rect.width === 1280 && rect.height === 960, JSON.stringify({ state, rect }));

  const held = Date.now();
  const before = state.SZ;
  state = await holdKeyFor(page, 'NumpadAdd', 1300);
  const heldMs = Date.now() - held;
  const steps = state.SZ - before;
  check('keypad +: one layer deeper per 380 ms while held',
        steps >= 2 && steps <= Math.ceil(heldMs / 380) + 1, `${steps} steps in ${heldMs} ms`);

  // 128 layers at 380 ms each would take 49 s: the hook stands in for them.
  await setView(page, plan, view);
  await waitFrames(page, 2);
  const right = await holdKeyFor(page, 'ArrowRight', 300);
  const up = await holdKeyFor(page, 'ArrowUp', 300);
  check('the arrows step the view cell once a frame while held',
        right.SX > plan.x && right.SY === plan.y && up.SY > plan.y && up.SX === right.SX,
        `SX ${plan.x} -> ${right.SX}, SY ${plan.y} -> ${up.SY}`);
  // The keypad's Right with NumLock off, as a browser may send it: the arrow
  // key, with the keypad digit's code.
  if (can.devTools) {
    const keypad = await holdKeypadRightFor(page, 300);
    check('keypad Right (NumLock off) steps the view cell as Right does',
          keypad.SX > up.SX && keypad.SY === up.SY, `SX ${up.SX} -> ${keypad.SX}`);
  }

  await pointAtPixel(page, 240, 240);
  state = await programState(page);
  const browser = await readFramebuffer(page);
  const keys = `F7,KPPlusx${state.SZ - view.z},Rightx${state.SX - view.x},Upx${state.SY - view.y}`;
  const linux = toolSnapshot(native, join(scratch, 'map.png'),
    ['--seed', `${seed}`, '--view', `${view.x},${view.y},${view.z}`,
     '--look', `${view.yaw},${view.pitch}`, '--mouse', `${state.mx},${state.my}`,
     '--keys', keys, '--frames', '1']);
  const same = browser.width === linux.width && browser.height === linux.height;
  const difference = same ? comparePictures(browser.rgb, linux.rgb, 0) : null;
  check('the map view\'s framebuffer equals the Linux tool\'s snapshot, pixel for pixel',
        same && difference.differing === 0,
        same ? `${difference.differing} pixels differ; tool keys ${keys}` : 'sizes differ');
}

async function checkWindowKeys(page) {
  let state = await holdKey(page, 'F6', (s) => s.width === 320);
  let rect = await canvasRect(page);
  check('F6: back to the 3D view, 320 x 240 at scale 2 in a 640 x 480 canvas',
        state.width === 320 && state.scale === 2 && rect.width === 640 && rect.height === 480,
        JSON.stringify(rect));

  state = await holdKey(page, 'F1', (s) => s.scale === 1);
  rect = await canvasRect(page);
  check('F1: scale 1, a 320 x 240 canvas', rect.width === 320 && rect.height === 240,
        JSON.stringify(rect));

  state = await holdKey(page, 'F5', (s) => s.scale === 5);
  rect = await canvasRect(page);
  await holdKeyFor(page, 'r', 100);
  const kept = await page.evaluate(() => ({ loaded: window.loadedOnce === true,
                                            keys: window.keptKeys }));
  // 1600 x 1200 does not fit the 1400 x 1000 viewport: four times the
  // framebuffer does.
  check('F5: scale 5, in a 1280 x 960 canvas, the largest whole multiple that fits, and the page ' +
        'is not reloaded', rect.width === 1280 && rect.height === 960 && kept.loaded, JSON.stringify(rect));
  if (can.newDocument) {
    const programKeys = ['F1', 'F5', 'F6', 'F7', 'F12', 'ArrowRight', 'ArrowUp', '+', 'm', 'Escape'];
    check('the keys the program reads are kept from the browser, the others are not',
          programKeys.every((key) => kept.keys[key] !== false) &&
          programKeys.filter((key) => kept.keys[key] === true).length >= 8 && kept.keys.r === false,
          JSON.stringify(kept.keys));
  }
  await holdKey(page, 'F2', (s) => s.scale === 2);

  await page.mouse.move(210, 130);
  await holdKeyFor(page, 'm', 300);
  rect = await canvasRect(page);
  check('M: the canvas\'s top-left corner follows the cursor',
        rect.left === 210 && rect.top === 130, JSON.stringify(rect));
  await page.mouse.move(20, 20);
  await waitFrames(page, 3);
  const left = await canvasRect(page);
  state = await programState(page);
  check('released, M leaves the canvas where it is, and the cursor maps against its new place',
        left.left === 210 && left.top === 130 && state.mx === 0 && state.my === 239,
        JSON.stringify({ rect: left, mx: state.mx, my: state.my }));
}

async function checkEscape(page) {
  await page.keyboard.down('Escape');
  await page.waitForFunction(() => Module.exitStatus !== undefined, { timeout: 10000 });
  await page.keyboard.up('Escape');
  const ended = await page.evaluate(() => ({
    status: Module.exitStatus,
    text: document.body.innerText,
    canvases: document.querySelectorAll('canvas').length,
  }));
  check('Escape ends the program with status 0 and a page that says so',
        ended.status === 0 && ended.text.includes('undercroft has ended') && ended.canvases === 0,
        JSON.stringify(ended.status));
  if (can.console)
    check('no errors in the page', seen.errors.length === 0, seen.errors.join('; '));
}

// ---- the run ----------------------------------------------------------------

const { server, url } = await serveFolder(dist);

// Each engine's checks on the page under test, then those that open pages
// of their own: every one in Chromium; in Firefox the program's own and the
// failed loads; in WebKit, whose driver can fix no clock (the address
// chooses the world), a smoke run and
// the failed loads.
const checks = {
  chromium: {
    onPage: [checkStart, (page) => checkNoControlsOnDesktop(page, check), check3DView,
             checkScreenshot, checkMapView, checkWindowKeys,
             (page) => checkContextLoss(page, check, native.pngTool, scratch),
             (page) => checkQuickShots(page, check, { downloads, pngTool: native.pngTool, seen }),
             (page) => checkCrispAndFit(page, check, native.pngTool, scratch),
             (page) => checkContextMenu(page, check, true),
             (page) => checkLeavingWhileRunning(page, check), checkEscape,
             (page) => checkContextMenu(page, check, false),
             (page) => checkAfterTheEnd(page, check)],
    afterwards: [checkSeedInAddress, () => checkPhonePage(engine, url, check), failedLoads,
                 () => checkStalledDownload(engine, dist, check),
                 () => checkOpenedFromFile(engine, dist, check), withoutWebGL,
                 () => options.shipped && checkShippedPage(check, resolve(options.shipped), dist)],
  },
  firefox: {
    onPage: [checkStart, check3DView, checkScreenshot, checkMapView, checkWindowKeys,
             (page) => checkShownCrisply(page, check, native.pngTool, scratch),
             (page) => checkContextLoss(page, check, native.pngTool, scratch), checkEscape],
    afterwards: [failedLoads, () => checkOpenedFromFile(engine, dist, check, { refuses: false }),
                 withoutWebGL],
  },
  webkit: {
    onPage: [checkStart, check3DView, checkModeSwitch,
             (page) => checkShownCrisply(page, check, native.pngTool, scratch), checkEscape],
    afterwards: [failedLoads, () => checkOpenedFromFile(engine, dist, check), withoutWebGL],
  },
}[options.engine];

function failedLoads() {
  return checkFailedLoads(engine, dist, scratch, check);
}

async function withoutWebGL() {
  const without = await launchEngine(options.engine, { withoutWebGL: true, executable });
  try {
    await checkWithoutWebGL(without, url, check, without.abilities);
  } finally {
    await without.close();
  }
}

// Whether the page got WebGL (a canvas of its own asks): the reason for a
// skip when it did not.
async function webGLMissing(page) {
  const has = await page.evaluate(() => {
    const canvas = document.createElement('canvas');
    return !!(canvas.getContext('webgl2') || canvas.getContext('webgl'));
  });
  return has ? '' : 'the engine gives the page no WebGL';
}

const executable = options.engine === 'chromium' ? options.browser : undefined;
const engine = await launchEngine(options.engine, { downloads, executable });
const can = engine.abilities;
try {
  const page = await openPage(engine, url, seen);
  const skip = options.engine === 'webkit' ? await webGLMissing(page) : '';
  if (skip)
    console.log(`skipped - ${options.engine}: ${skip}`);
  else
    for (const run of checks.onPage) await run(page);
  await page.close();
  for (const run of checks.afterwards) await run();
} catch (error) {
  check('the run went through', false, error.stack);
} finally {
  await engine.close();
  server.close();
  rmSync(scratch, { recursive: true, force: true });
}
console.log(`${options.engine}: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
