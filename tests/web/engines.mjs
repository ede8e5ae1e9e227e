// The three browser engines the page is tested in, each started as the
// tests and figures drive it, behind one small page interface (puppeteer's
// Page: goto, evaluate, waitForFunction, keyboard.down/up/press, mouse.move,
// screenshot, setViewport, close):
// - chromium: Debian's Chromium, headless, WebGL on SwiftShader (puppeteer);
// - firefox: Firefox ESR, headed (it refuses WebGL headless), WebGL on
//   llvmpipe, over WebDriver BiDi (puppeteer);
// - webkit: WebKitGTK's MiniBrowser through WebKitWebDriver (webdriverio,
//   classic WebDriver), behind an adapter to the same interface.
// Firefox and WebKit need an X server (DISPLAY).
import { spawn } from 'node:child_process';
import { connect, createServer } from 'node:net';
import puppeteer from 'puppeteer-core';
import { remote } from 'webdriverio';

import { launchBrowser, sleep } from './support.mjs';

export const engines = ['chromium', 'firefox', 'webkit'];

const executables = {
  chromium: '/usr/lib/chromium/chromium',
  firefox: '/usr/bin/firefox-esr',
  webkit: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
};

// What each engine's driver can do beyond the common interface: set the
// page's clock before it loads (a known world), read its console, send the
// DevTools protocol's raw key events.
const abilities = {
  chromium: { newDocument: true, console: true, devTools: true },
  firefox: { newDocument: true, console: true, devTools: false },
  webkit: { newDocument: false, console: false, devTools: false },
};

// Starts `engine`; downloads go to `downloads` where given; withoutWebGL
// turns WebGL off, as a browser without it would be. Resolves to
// { engine, abilities, newPage(), close() }; newPage() resolves to a page
// (puppeteer's, or the WebKit adapter).
export async function launchEngine(engine, { downloads, executable, withoutWebGL = false } = {}) {
  const path = executable || executables[engine];
  if (engine === 'chromium')
    return wrapPuppeteer(engine, withoutWebGL
      ? await puppeteer.launch({ executablePath: path, headless: true,
                                 args: ['--no-sandbox', '--disable-3d-apis'] })
      : await launchBrowser(path, downloads));
  if (engine === 'firefox')
    return wrapPuppeteer(engine, await launchFirefox(path, downloads, withoutWebGL));
  if (engine === 'webkit') return launchWebKit(path, withoutWebGL);
  throw new Error(`no engine ${engine}: one of ${engines.join(', ')}`);
}

// Firefox in a window of the X server, its downloads saved without asking
// and without opening the downloads panel (which would take the keyboard).
function launchFirefox(executablePath, downloads, withoutWebGL) {
  return puppeteer.launch({
    browser: 'firefox',
    executablePath,
    headless: false,
    timeout: 120000,
    protocolTimeout: 120000,
    defaultViewport: null,
    extraPrefsFirefox: {
      'browser.download.folderList': 2,
      'browser.download.useDownloadDir': true,
      'browser.download.alwaysOpenPanel': false,
      ...(downloads ? { 'browser.download.dir': downloads } : {}),
      ...(withoutWebGL ? { 'webgl.disabled': true } : {}),
    },
  });
}

function wrapPuppeteer(engine, browser) {
  return {
    engine,
    abilities: abilities[engine],
    browser, // puppeteer's, for what only it offers (its processes)
    newPage: () => browser.newPage(),
    close: () => browser.close(),
  };
}

// ---- WebKit ------------------------------------------------------------------

function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// WebDriver's codes for the keys the tests press (puppeteer's names).
const webDriverKeys = {
  Escape: '\uE00C', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014',
  ArrowDown: '\uE015', NumpadAdd: '\uE025', NumpadSubtract: '\uE027',
  ...Object.fromEntries(Array.from({ length: 12 }, (_, i) => [`F${i + 1}`, String.fromCharCode(0xE031 + i)])),
};

// Resolves once something listens on the port (20 s at most).
async function listening(port) {
  const deadline = Date.now() + 20000;
  for (;;) {
    const open = await new Promise((resolve) => {
      const socket = connect(port, '127.0.0.1', () => { socket.end(); resolve(true); });
      socket.on('error', () => resolve(false));
    });
    if (open) return;
    if (Date.now() > deadline) throw new Error(`nothing listens on port ${port}`);
    await sleep(100);
  }
}

// WebKitWebDriver on a port of its own, then a MiniBrowser session through it.
async function launchWebKit(binary, withoutWebGL) {
  const port = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore' });
  let browser;
  try {
    await listening(port);
    browser = await remote({
      hostname: '127.0.0.1', port, path: '/', logLevel: 'error',
      capabilities: {
        browserName: 'MiniBrowser',
        'wdio:enforceWebDriverClassic': true,
        'webkitgtk:browserOptions': {
          binary, args: ['--automation', ...(withoutWebGL ? ['--enable-webgl=false'] : [])],
        },
      },
    });
  } catch (error) {
    driver.kill();
    throw error;
  }
  return {
    engine: 'webkit',
    abilities: abilities.webkit,
    newPage: async () => webKitPage(browser),
    close: async () => {
      await browser.deleteSession().catch(() => {});
      driver.kill();
    },
  };
}

// The one window of a WebDriver session as a page with puppeteer's methods.
function webKitPage(browser) {
  const key = (name) => webDriverKeys[name] || name;
  const keyAction = (type, name) =>
    browser.performActions([{ type: 'key', id: 'keyboard', actions: [{ type, value: key(name) }] }]);
  const page = {
    goto: (url) => browser.url(url),
    evaluate: (fn, ...args) => browser.execute(fn, ...args),
    async waitForFunction(fn, { timeout = 30000 } = {}, ...args) {
      const deadline = Date.now() + timeout;
      while (!(await browser.execute(fn, ...args))) {
        if (Date.now() > deadline) throw new Error(`waited ${timeout} ms for ${fn}`);
        await sleep(100);
      }
    },
    keyboard: {
      down: (name) => keyAction('keyDown', name),
      up: (name) => keyAction('keyUp', name),
      async press(name) {
        await keyAction('keyDown', name);
        await keyAction('keyUp', name);
      },
    },
    mouse: {
      move: (x, y) => browser.performActions([{
        type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' },
        actions: [{ type: 'pointerMove', duration: 0, x: Math.round(x), y: Math.round(y),
                    origin: 'viewport' }],
      }]),
    },
    screenshot: async () => Buffer.from(await browser.takeScreenshot(), 'base64'),
    // The window, for want of the viewport: a little larger than asked.
    setViewport: ({ width, height }) => browser.setWindowSize(width, height + 100),
    on: () => page, // no console or errors over classic WebDriver
    close: async () => {}, // the session's one window stays for the next page
    evaluateOnNewDocument: () => {
      throw new Error('WebKit over classic WebDriver runs nothing before a page loads');
    },
  };
  return page;
}
