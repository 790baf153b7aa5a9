// Lighthouse 12 as it tries a school tablet's view of the site (mobile: a slow 4G line, a CPU four times
// slower): the launcher and each program's page served on 127.0.0.1 as built, their four scores, first
// contentful paint, largest contentful paint and total blocking time. Installs lighthouse@12.2.3 from npm
// into <build>/lighthouse on first use; runs Debian's chromium.
//   node bench/web/lighthouse.mjs [build dir]
import { execFile, execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, resolve } from 'node:path';
import { promisify } from 'node:util';

const build = resolve(process.argv[2] ?? 'build');
const site = join(build, 'web/site');
const tools = join(build, 'lighthouse');
const lighthouse = join(tools, 'node_modules/.bin/lighthouse');
if (!existsSync(lighthouse))
    execFileSync('npm', ['install', '--prefix', tools, '--no-audit', '--no-fund', 'lighthouse@12.2.3'], { stdio: 'inherit' });

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png', '.svg': 'image/svg+xml',
                '.webmanifest': 'application/manifest+json' };
const server = createServer((request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname.replace(/^\/$/, '/index.html');
    try {
        const body = readFileSync(join(site, decodeURIComponent(name).replace(/\.\./g, '')));
        response.writeHead(200, { 'content-type': types[extname(name)] ?? 'application/octet-stream' }).end(body);
    } catch {
        response.writeHead(404).end();
    }
});
await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
const base = `http://127.0.0.1:${server.address().port}/`;

console.log('Lighthouse 12.2.3, mobile (targets: 100 in every category, first contentful paint under 1 s)');
const pages = ['index.html', ...[...readFileSync(join(site, 'index.html'), 'utf8').matchAll(/href="(taluno\d\.html)"/g)].map((link) => link[1])];
for (const page of pages) {
    // Not a synchronous run: the server answers from this process.
    const { stdout } = await promisify(execFile)(lighthouse, [`${base}${page}`, '--output=json', '--quiet',
                                                               '--chrome-flags=--headless=new --no-sandbox'],
                                                 { env: { ...process.env, CHROME_PATH: process.env.CHROME_PATH ?? '/usr/bin/chromium' },
                                                   maxBuffer: 1 << 28 });
    const report = JSON.parse(stdout);
    const scores = Object.values(report.categories).map((category) => `${category.title} ${Math.round(category.score * 100)}`);
    const audit = (id) => report.audits[id].displayValue;
    console.log(`  ${page.padEnd(12)} ${scores.join(', ')}; FCP ${audit('first-contentful-paint')}, LCP ${
        audit('largest-contentful-paint')}, TBT ${audit('total-blocking-time')}`);
}
server.close();
