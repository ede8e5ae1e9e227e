// What the browser tests need besides the browser: a static file server for
// the page, PNG reading for the Linux tool's pictures, the tool itself, and
// picture comparisons.
import { spawnSync } from 'node:child_process';
import { createReadStream, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import { inflateSync } from 'node:zlib';

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

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An 8-bit RGB, non-interlaced PNG (what the tool writes) as
// { width, height, rgb } with the top row first.
export function readPngRgb(path) {
  const bytes = readFileSync(path);
  let offset = 8;
  let width = 0, height = 0;
  const idat = [];
  while (offset < bytes.length) {
    const length = bytes.readUInt32BE(offset);
    const type = bytes.toString('latin1', offset + 4, offset + 8);
    const data = bytes.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      if (data[8] !== 8 || data[9] !== 2 || data[12] !== 0)
        throw new Error(`${path}: not an 8-bit RGB PNG`);
    } else if (type === 'IDAT') {
      idat.push(data);
    }
    offset += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(idat));
  const row = width * 3;
  const rgb = Buffer.alloc(row * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (row + 1)];
    for (let x = 0; x < row; x++) {
      const value = raw[y * (row + 1) + 1 + x];
      const a = x >= 3 ? rgb[y * row + x - 3] : 0;
      const b = y > 0 ? rgb[(y - 1) * row + x] : 0;
      const c = x >= 3 && y > 0 ? rgb[(y - 1) * row + x - 3] : 0;
      const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
      rgb[y * row + x] = (value + predictor) & 0xff;
    }
  }
  return { width, height, rgb };
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

// undercroft-tool snapshot in the data folder with the given arguments; the
// picture it wrote.
export function toolSnapshot(tool, data, out, args) {
  const result = spawnSync(tool, ['snapshot', '--data', data, ...args, '--out', out],
                           { encoding: 'utf8' });
  if (result.status !== 0)
    throw new Error(`undercroft-tool snapshot ${args.join(' ')}: ${result.stderr}`);
  return readPngRgb(out);
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
