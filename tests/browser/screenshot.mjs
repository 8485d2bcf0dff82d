// Takes screenshots of X3D scenes shown by X_ITE in headless Chromium.
//   node screenshot.mjs JOBS.json
// JOBS.json: { "root": DIR, "jobs": [ { "page": PATH, "scene": PATH?, "shots":
// [ { "width": W, "height": H, "output": PNG } ] } ], "nodeTable": JSON? }: each
// job loads once and is shot at each size in turn. Files are served from DIR on
// 127.0.0.1 only;
// /x_ite/ serves X_ITE's dist folder of this package. A job with a scene shows
// that X3D file through viewer.html; one without opens the page itself, which
// must mark its x3d-canvas with data-scene="loaded" when it is shown.
import http from 'node:http';
import { readFile, writeFile } from 'node:fs/promises';
import { fileURLToPath } from 'node:url';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const xite = path.join(here, 'node_modules', 'x_ite', 'dist');
const { root, jobs, nodeTable } = JSON.parse(await readFile(process.argv[2], 'utf8'));
const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.css': 'text/css',
  '.x3dv': 'model/x3d+vrml', '.x3d': 'model/x3d+xml', '.wrl': 'model/vrml',
  '.png': 'image/png', '.woff2': 'font/woff2', '.ttf': 'font/ttf', '.json': 'application/json',
};

function localFile(urlPath) {
  const clean = path.posix.normalize(decodeURIComponent(urlPath));
  if (clean.startsWith('/x_ite/')) return path.join(xite, clean.slice('/x_ite/'.length));
  if (clean === '/viewer.html') return path.join(here, 'viewer.html');
  return path.join(root, clean);
}

const server = http.createServer(async (request, response) => {
  const file = localFile(new URL(request.url, 'http://127.0.0.1').pathname);
  try {
    const data = await readFile(file);
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
    response.end(data);
  } catch {
    response.writeHead(404);
    response.end();
  }
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const origin = `http://127.0.0.1:${server.address().port}`;

// Flags that work headless on this machine: software WebGL, and nothing that
// reaches for the network.
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--hide-scrollbars'],
});

async function frames(page, count) {
  await page.evaluate(async (count) => {
    const x3d = X3D.getBrowser(document.querySelector('x3d-canvas'));
    for (let i = 0; i < count; ++i) await x3d.nextFrame();
  }, count);
}

let failed = 0;
for (const job of jobs) {
  const page = await browser.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error' && !/favicon/.test(message.text())) problems.push(message.text());
  });
  try {
    await page.setViewport({ width: job.shots[0].width, height: job.shots[0].height });
    const url = job.scene ? `${origin}/viewer.html?scene=${encodeURIComponent(job.scene)}` : `${origin}${job.page}`;
    await page.goto(url);
    await page.waitForFunction(
      () => document.querySelector('x3d-canvas')?.getAttribute('data-scene'), { timeout: 120000 });
    const state = await page.$eval('x3d-canvas', (canvas) => canvas.getAttribute('data-scene'));
    if (state !== 'loaded') throw new Error(`scene ${state}: ${problems.join('; ')}`);
    for (const shot of job.shots) {
      await page.setViewport({ width: shot.width, height: shot.height });
      // A few more frames, so that the new size and everything loaded late
      // are drawn.
      await frames(page, 5);
      await page.screenshot({ path: shot.output });
      console.log(`ok   ${shot.output}`);
    }
  } catch (error) {
    ++failed;
    console.log(`FAIL ${job.page ?? job.scene}: ${error.message}`);
  }
  await page.close();
}
// The nodes X_ITE knows once a scene is loaded, each with its fields.
if (nodeTable && jobs.length) {
  const page = await browser.newPage();
  await page.goto(`${origin}/viewer.html?scene=${encodeURIComponent(jobs.find((job) => job.scene)?.scene ?? '')}`);
  await page.waitForFunction(() => document.querySelector('x3d-canvas')?.getAttribute('data-scene'));
  const table = await page.evaluate(() => {
    const nodes = {};
    for (const node of X3D.getBrowser(document.querySelector('x3d-canvas')).getConcreteNodes())
      nodes[node.typeName] = Array.from(node.fieldDefinitions, (field) => field.name);
    return nodes;
  });
  await writeFile(nodeTable, JSON.stringify(table));
  await page.close();
}
await browser.close();
server.close();
process.exit(failed ? 1 : 0);
