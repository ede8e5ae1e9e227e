// What the browser tests need besides the browser: a static file server for
// the page, the native tool and its pictures, read with the tests' PNG reader
// (png_tool), and picture comparisons.
import { spawnSync } from 'node:child_process';
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';

const contentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
};

// Serves `folder` on 127.0.0.1 at a free port; resolves to { server, url }.
export function serveFolder(folder) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(folder, path === '/' ? 'index.html' : path);
    let size = -1;
    try {
      if (file.startsWith(folder)) size = statSync(file).isFile() ? statSync(file).size : -1;
    } catch {
      size = -1;
    }
    if (size < 0) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': contentTypes[extname(file)] || 'application/octet-stream',
      'Content-Length': size,
    });
    createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

// The framebuffer's RGBA bytes (row 0 at the bottom) as RGB, top row first,
// as the tool's pictures hold them.
export function framebufferToRgb(rgba, width, height) {
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; y++) {
    const source = (height - 1 - y) * width * 4;
    for (let x = 0; x < width; x++) {
      rgb[(y * width + x) * 3] = rgba[source + x * 4];
      rgb[(y * width + x) * 3 + 1] = rgba[source + x * 4 + 1];
      rgb[(y * width + x) * 3 + 2] = rgba[source + x * 4 + 2];
    }
  }
  return rgb;
}

// A PNG, whatever wrote it, as { width, height, rgb } with 8-bit RGB bytes,
// top row first: `png_tool pixels` prints a "WIDTHxHEIGHT" line, then them.
export function readPng(pngTool, path) {
  const result = spawnSync(pngTool, ['pixels', path], { maxBuffer: 1 << 30 });
  if (result.error) throw new Error(`${pngTool}: ${result.error.message}`);
  if (result.status !== 0)
    throw new Error(`png_tool pixels ${path}: status ${result.status}: ${result.stderr}`.trim());
  const out = result.stdout;
  const end = out.indexOf(10);
  const [width, height] = out.toString('latin1', 0, end).split('x').map(Number);
  const rgb = out.subarray(end + 1);
  if (!(width > 0 && height > 0) || rgb.length !== width * height * 3)
    throw new Error(`png_tool pixels ${path}: ${rgb.length} bytes for ${width} x ${height}`);
  return { width, height, rgb };
}

// undercroft-tool snapshot in the data folder with the given arguments,
// writing `out`. `native` is { tool, data }.
export function runSnapshot(native, out, args) {
  const result = spawnSync(native.tool, ['snapshot', '--data', native.data, ...args, '--out', out],
                           { encoding: 'utf8' });
  if (result.status !== 0)
    throw new Error(`undercroft-tool snapshot ${args.join(' ')}: ${result.stderr}`);
}

// The same, and the picture it wrote; `native` is { tool, data, pngTool }.
export function toolSnapshot(native, out, args) {
  runSnapshot(native, out, args);
  return readPng(native.pngTool, out);
}

// How two RGB pictures of one size differ: the pixels that differ at all,
// those whose largest channel difference exceeds `tolerance`, and the mean
// channel difference.
export function comparePictures(a, b, tolerance) {
  let differing = 0, beyond = 0, total = 0;
  for (let i = 0; i < a.length; i += 3) {
    const d = Math.max(Math.abs(a[i] - b[i]), Math.abs(a[i + 1] - b[i + 1]),
                       Math.abs(a[i + 2] - b[i + 2]));
    total += Math.abs(a[i] - b[i]) + Math.abs(a[i + 1] - b[i + 1]) + Math.abs(a[i + 2] - b[i + 2]);
    if (d > 0) differing++;
    if (d > tolerance) beyond++;
  }
  const pixels = a.length / 3;
  return { pixels, differing, beyond, meanDifference: total / a.length };
}
