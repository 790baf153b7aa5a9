// What every page scenario needs beside the browser: the pages served from a loopback http server
// or opened from files, each with a small script put in front of the page's own that records its
// errors and, where asked, runs its timers on a clock the test moves. The shipped pages carry no
// such script; only the copies a test opens do.
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { pathToFileURL } from 'node:url';

// Runs in the page before anything else: keeps the page's errors, the cues it plays, unheard, what it copies
// and saves. With a still clock, setTimeout, performance.now and Date follow globalThis.testClock.runFor(ms) alone, from 12:00:10.
function beforePage(stillClock) {
    const errors = (globalThis.pageErrors = []);
    addEventListener('error', (event) => errors.push(String(event.message)));
    addEventListener('unhandledrejection', (event) => errors.push(String(event.reason)));
    globalThis.playedCues = []; // by the address of their sound
    HTMLMediaElement.prototype.play = function () { return Promise.resolve(globalThis.playedCues.push(this.src)); };
    // What the page copies, and each download's name and picture.
    globalThis.saved = [];
    Object.defineProperty(navigator, 'clipboard', { value: { writeText: async (value) => { globalThis.copied = value; } } });
    HTMLAnchorElement.prototype.click = function () {
        const name = this.download;
        globalThis.saved.push(fetch(this.href).then((r) => r.blob()).then((blob) => createImageBitmap(blob)).then((bitmap) => ({ name, bitmap })));
    };
    const consoleError = console.error.bind(console);
    console.error = (...parts) => { errors.push(parts.join(' ')); consoleError(...parts); };
    if (!stillClock)
        return;
    const RealDate = Date;
    const origin = new RealDate(2026, 11, 7, 12, 0, 10).getTime();
    let now = 0;
    let lastId = 0;
    const timers = new Map();
    globalThis.setTimeout = (callback, delay = 0, ...args) => {
        timers.set(++lastId, { at: now + Math.max(0, Number(delay) || 0), run: () => callback(...args) });
        return lastId;
    };
    globalThis.clearTimeout = (id) => timers.delete(id);
    Object.defineProperty(performance, 'now', { value: () => now });
    globalThis.Date = class extends RealDate {
        constructor(...args) { super(...(args.length ? args : [origin + now])); }
        static now() { return origin + now; }
    };
    globalThis.testClock = {
        // Fires every timer due within `ms`, in order of time, then of setting.
        runFor(ms) {
            const end = now + ms;
            for (let due; (due = [...timers].filter(([, timer]) => timer.at <= end).sort(([a, x], [b, y]) => x.at - y.at || a - b)[0]);) {
                timers.delete(due[0]);
                now = due[1].at;
                due[1].run();
            }
            now = end;
        },
    };
}

const withScript = (html, stillClock) =>
    html.replace('<head>', `<head>\n<script>(${beforePage})(${stillClock});</script>`);

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.json': 'application/json',
                '.png': 'image/png', '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json', '.css': 'text/css' };

// Serves `folder` on 127.0.0.1, on `port` if given; HTML goes out with the test script, with a still
// clock where `?clock` is in the address or `stillClock` is set. Every request is kept in `requests`
// with its status.
export async function serve(folder, { port = 0, stillClock = false } = {}) {
    const requests = [];
    const server = createServer((request, response) => {
        const url = new URL(request.url, 'http://127.0.0.1');
        const path = normalize(join(folder, decodeURIComponent(url.pathname === '/' ? '/index.html' : url.pathname)));
        let body = null;
        try {
            body = path.startsWith(folder) ? readFileSync(path) : null;
        } catch { /* no such file */ }
        requests.push({ path: url.pathname, status: body ? 200 : 404 });
        if (!body)
            return response.writeHead(404).end();
        const type = types[extname(path)] ?? 'application/octet-stream';
        if (type.startsWith('text/html'))
            body = withScript(body.toString('utf8'), stillClock || url.searchParams.has('clock'));
        response.writeHead(200, { 'content-type': type, 'cache-control': 'no-cache' }).end(body);
    });
    await new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
    const base = `http://127.0.0.1:${server.address().port}/`;
    // Closed, it also drops the connections a browser keeps open, as a network gone would.
    return { base, requests, port: server.address().port,
             close: () => new Promise((resolve) => { server.close(resolve); server.closeAllConnections(); }) };
}

// Copies of the pages in a folder of their own, with the test script, for opening from file://.
export function fileCopies(folder) {
    const copies = mkdtempSync(join(tmpdir(), 'taluno-pages-'));
    cpSync(folder, copies, { recursive: true });
    for (const name of readdirSync(copies).filter((name) => name.endsWith('.html'))) {
        const html = readFileSync(join(copies, name), 'utf8');
        writeFileSync(join(copies, name), withScript(html, false));
        writeFileSync(join(copies, name.replace('.html', '.clock.html')), withScript(html, true));
    }
    return {
        url: (name, stillClock) => pathToFileURL(join(copies, stillClock ? name.replace('.html', '.clock.html') : name)).href,
        remove: () => rmSync(copies, { recursive: true, force: true }),
    };
}
