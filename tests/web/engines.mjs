// One small interface over three browser engines, so that one list of page scenarios runs unchanged in
// Debian's Chromium and Firefox ESR (playwright-core, Firefox over WebDriver BiDi) and WebKitGTK
// (selenium-webdriver and WebKitWebDriver, in the X server and session bus the test command gives it).
//
//   const browser = await launch('firefox');
//   const tab = await browser.open(url, { width: 553, height: 512, scale: 2 });
//   await tab.click('[data-name="Command1"]');
//   await tab.close();
//   await browser.close();
//
// Clicks and keys go through the browser's automation, as a person's would; every error names its engine.
// Nothing reaches beyond loopback: each engine's own background traffic goes to a closed loopback port.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The promise's outcome, or an error after ms.
function within(ms, promise, message) {
    let timer;
    const limit = new Promise((_, reject) => {
        timer = setTimeout(() => reject(new Error(`${message} after ${ms} ms`)), ms);
    });
    return Promise.race([promise, limit]).finally(() => clearTimeout(timer));
}

const brief = (fn) => String(fn).replace(/\s+/g, ' ').slice(0, 120);

// Starts the engine; throws with a clear message naming the engine if it cannot.
export async function launch(name) {
    const launchers = { chromium: () => launchPlaywright(name), firefox: () => launchPlaywright(name), webkit: launchWebKit };
    if (!Object.hasOwn(launchers, name))
        throw new Error(`[${name}] no such engine: one of ${Object.keys(launchers).join(', ')}`);
    try {
        return await launchers[name]();
    } catch (error) {
        throw new Error(`[${name}] cannot start: ${error.message}`, { cause: error });
    }
}

// A tab of any engine. The engine fills in `io`: run(source) -> JSON text, mouse(x, y, button),
// press(modifiers, key), type(text), pdf(), goto(url), setOffline(offline), devtools(method, params), close().
class Tab {
    constructor(engine, io) {
        this.engine = engine;
        this.io = io;
    }

    fail(message, cause) {
        return new Error(`[${this.engine}] ${message}`, cause && { cause });
    }

    // fn(arg) in the page; arg and the result are JSON values, a promise is awaited. The result comes back
    // as JSON text, so that every engine hands back the same values.
    async evaluate(fn, arg) {
        const source = `(async () => JSON.stringify({ value: await (${fn})(${arg === undefined ? '' : JSON.stringify(arg)}) }))()`;
        return JSON.parse(await this.attempt(`evaluate of ${brief(fn)}`, () => this.io.run(source))).value;
    }

    // Polls fn until it gives something truthy, and returns that.
    async waitFor(fn, arg, timeoutMs = 5000) {
        for (const deadline = Date.now() + timeoutMs; ;) {
            const result = await this.evaluate(fn, arg);
            if (result)
                return result;
            if (Date.now() > deadline)
                throw this.fail(`waitFor timed out after ${timeoutMs} ms: ${brief(fn)}`);
            await sleep(25);
        }
    }

    // A left or right click in the middle of the first element matching the selector.
    async click(selector, button = 'left') {
        const point = await this.evaluate((within) => {
            const box = document.querySelector(within)?.getBoundingClientRect();
            return box && box.width > 0 ? [Math.round(box.left + box.width / 2), Math.round(box.top + box.height / 2)] : null;
        }, selector);
        if (!point)
            throw this.fail(`nothing to click at ${selector}`);
        await this.attempt(`${button} click on ${selector}`, () => this.io.mouse(...point, button));
    }

    // One key with any modifiers before it: 'Enter', 't', 'Control+c', 'Shift+F10', 'ContextMenu'.
    async press(keys) {
        const parts = keys.length === 1 ? [keys] : keys.split('+');
        const key = parts.pop();
        await this.attempt(`press ${keys}`, () => this.io.press(parts, key));
    }

    type(text) { return this.attempt('typing', () => this.io.type(text)); }
    // The page printed, as a PDF, where the engine can (supports.print).
    async pdf() { return Buffer.from(await this.attempt('printing', () => this.io.pdf())); }
    // Goes to another address in the same tab, and waits until it has loaded.
    goto(url) { return this.attempt(`going to ${url}`, () => this.io.goto(url)); }
    // Cuts the tab's network off or gives it back, where the engine can (supports.offline).
    setOffline(offline) { return this.attempt('setting the network', () => this.io.setOffline(offline)); }
    // A DevTools protocol call, where the engine has the protocol (supports.devtools).
    devtools(method, params = {}) { return this.attempt(method, () => this.io.devtools(method, params)); }

    close() {
        this.closing ??= this.attempt('closing the tab', () => this.io.close());
        return this.closing;
    }

    // A time limit on every call, so that a browser that stops answering fails the scenario, not hangs it.
    async attempt(what, action) {
        try {
            return await within(30000, action(), 'no answer');
        } catch (error) {
            throw this.fail(`${what} failed: ${error.message}`, error);
        }
    }
}

// Whatever Chromium fetches beyond loopback (autofill, accounts, updates) goes to a proxy on a closed
// loopback port, and no name resolves but localhost's, so nothing leaves the machine, not even a DNS query.
const chromiumOptions = {
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', '--proxy-server=http://127.0.0.1:9',
           '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE localhost, EXCLUDE 127.0.0.1, EXCLUDE [::1]'],
};

// Firefox the same way: no captive portal, connectivity or push checks, no remote settings or safe
// browsing, whatever still tries goes to a closed loopback port and every name resolves to loopback.
// MOZ_DISABLE_NONLOCAL_CONNECTIONS, as in Mozilla's own test runs, refuses connections beyond loopback.
const firefoxOptions = {
    channel: 'moz-firefox',
    executablePath: '/usr/bin/firefox-esr',
    firefoxUserPrefs: {
        'browser.safebrowsing.provider.google4.updateURL': '', 'browser.safebrowsing.provider.mozilla.updateURL': '',
        'browser.region.update.enabled': false, 'dom.push.connection.enabled': false,
        'network.captive-portal-service.enabled': false, 'network.connectivity-service.enabled': false,
        'network.dns.forceResolve': '127.0.0.1', 'network.proxy.type': 1, 'network.proxy.http': '127.0.0.1',
        'network.proxy.http_port': 9, 'network.proxy.ssl': '127.0.0.1', 'network.proxy.ssl_port': 9,
        'network.trr.mode': 5, 'services.settings.server': 'data:,#remote-settings-dummy/v1', 'toolkit.telemetry.enabled': false,
    },
    env: { ...process.env, MOZ_CRASHREPORTER_DISABLE: '1', MOZ_DISABLE_NONLOCAL_CONNECTIONS: '1' },
};

// Chromium or Firefox: one browser, a context of its own for every tab.
async function launchPlaywright(name) {
    const { chromium, firefox } = await import('playwright-core');
    const browser = await (name === 'chromium' ? chromium.launch(chromiumOptions) : firefox.launch(firefoxOptions));
    return {
        name,
        supports: { menuKey: name === 'chromium', devtools: name === 'chromium', print: true, offline: true },
        async open(url, { width, height, scale = 1 }) {
            const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: scale });
            try {
                const page = await within(60000, context.newPage(), 'no page');
                await within(60000, page.goto(url, { waitUntil: 'load' }), 'no load');
                let devtools = null;
                return new Tab(name, {
                    run: (source) => page.evaluate(source),
                    mouse: (x, y, button) => page.mouse.click(x, y, { button }),
                    press: (modifiers, key) => page.keyboard.press([...modifiers, key].join('+')),
                    // Characters a US keyboard lacks ('３') come as an input method gives them: as text.
                    async type(text) {
                        for (const character of text)
                            await (/^[\x20-\x7e]$/.test(character) ? page.keyboard.press(character) : page.keyboard.insertText(character));
                    },
                    pdf: () => (name === 'chromium' ? page.pdf({ preferCSSPageSize: true }) : page.pdf()),
                    goto: (address) => page.goto(address, { waitUntil: 'load' }),
                    setOffline: (offline) => context.setOffline(offline),
                    devtools: async (method, params) => (devtools ??= await context.newCDPSession(page)).send(method, params),
                    close: () => context.close(),
                });
            } catch (error) {
                await context.close().catch(() => {});
                throw new Error(`[${name}] cannot open ${url}: ${error.message}`, { cause: error });
            }
        },
        close: () => browser.close(),
    };
}

// A free port on loopback, for a WebKitWebDriver that cannot say which one it took.
async function freePort() {
    const server = createServer();
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const { port } = server.address();
    await new Promise((resolve) => server.close(resolve));
    return port;
}

// WebKitGTK: for each scale a WebKitWebDriver with one session of MiniBrowser (a driver takes one session at
// a time; GDK_SCALE gives the device pixel ratio, in whole numbers only). A tab is that session on its page;
// the next tab of that scale takes the session over.
async function launchWebKit() {
    const { Builder, Button, Key, Origin } = await import('selenium-webdriver');
    const dir = mkdtempSync(join(tmpdir(), 'taluno-webkit-'));
    const drivers = [];
    const endAll = () => {
        for (const driver of drivers)
            driver.kill('SIGKILL');
        rmSync(dir, { recursive: true, force: true });
    };
    process.on('exit', endAll); // also when a test process ends without closing the browser
    const env = { ...process.env, NO_AT_BRIDGE: '1', GSETTINGS_BACKEND: 'memory', XDG_CACHE_HOME: join(dir, 'cache'),
                  XDG_CONFIG_HOME: join(dir, 'config'), XDG_DATA_HOME: join(dir, 'data') };
    const sessions = new Map(); // scale -> session

    // A driver of its own on a free loopback port, asked for a session once it says it is ready; one that
    // does not answer goes, and a new one is asked.
    async function sessionFor(scale) {
        if (sessions.has(scale))
            return sessions.get(scale);
        const capabilities = {
            browserName: 'MiniBrowser',
            proxy: { proxyType: 'manual', httpProxy: '127.0.0.1:9', sslProxy: '127.0.0.1:9', noProxy: ['localhost', '127.0.0.1', '[::1]'] },
            'webkitgtk:browserOptions': { binary: '/usr/bin/env',
                                          args: [`GDK_SCALE=${scale}`, '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', '--automation'] },
        };
        for (let attempt = 1; ; ++attempt) {
            const server = `http://127.0.0.1:${await freePort()}`;
            const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${server.split(':')[2]}`, '--host=127.0.0.1'], { env, stdio: 'ignore' });
            drivers.push(driver);
            try {
                await within(10000, (async () => {
                    while (!(await fetch(`${server}/status`).then((r) => r.json()).catch(() => null))?.value?.ready)
                        await sleep(50);
                })(), 'WebKitWebDriver not ready');
                await sleep(300); // ready by its word, it still loses a session asked for at once, now and then
                const session = await within(15000, new Builder().disableEnvironmentOverrides().usingServer(server)
                    .withCapabilities(capabilities).build(), 'no session of MiniBrowser');
                sessions.set(scale, session);
                return session;
            } catch (error) {
                driver.kill('SIGKILL');
                if (attempt === 3)
                    throw error;
            }
        }
    }

    const keyCodes = { Enter: Key.ENTER, Escape: Key.ESCAPE, Tab: Key.TAB, ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN,
                       Control: Key.CONTROL, Shift: Key.SHIFT, F10: Key.F10 };
    return {
        name: 'webkit',
        supports: { menuKey: false, devtools: false, print: false, offline: false },
        async open(url, { width, height, scale = 1 }) {
            const session = await sessionFor(scale);
            try {
                await within(60000, fitWindow(session, width, height), 'no window');
                await within(60000, session.get(url), 'no load');
            } catch (error) {
                throw new Error(`[webkit] cannot open ${url}: ${error.message}`, { cause: error });
            }
            return new Tab('webkit', {
                run: (source) => session.executeScript(`return ${source}`),
                // WebKitWebDriver's right click (WebKitGTK 2.50) releases the left button instead, which clicks
                // and leaves the right button held: the page is given its contextmenu event itself.
                async mouse(x, y, button) {
                    if (button === 'right')
                        return session.executeScript(`document.elementFromPoint(${x}, ${y}).dispatchEvent(new MouseEvent(
                            'contextmenu', { bubbles: true, cancelable: true, button: 2, clientX: ${x}, clientY: ${y} }))`);
                    return session.actions().move({ x, y, origin: Origin.VIEWPORT }).press(Button.LEFT).release(Button.LEFT).perform();
                },
                async press(modifiers, key) {
                    if (!keyCodes[key] && key.length !== 1)
                        throw new Error(`no key ${key} in WebKit`);
                    let actions = session.actions();
                    for (const modifier of modifiers)
                        actions = actions.keyDown(keyCodes[modifier]);
                    actions = actions.keyDown(keyCodes[key] ?? key).keyUp(keyCodes[key] ?? key);
                    for (const modifier of modifiers.toReversed())
                        actions = actions.keyUp(keyCodes[modifier]);
                    await actions.perform();
                },
                type: (text) => session.actions().sendKeys(text).perform(),
                goto: (address) => session.get(address),
                // The session stays on the page until the next tab's page replaces it.
                close: async () => {},
            });
        },
        async close() {
            await Promise.allSettled([...sessions.values()].map((session) => within(5000, session.quit(), 'no quit')));
            endAll();
            process.off('exit', endAll);
        },
    };
}

// Sizes the window so that the page's viewport is width x height CSS pixels: MiniBrowser's toolbar takes
// some of the window, so the difference is measured and made up.
async function fitWindow(session, width, height) {
    const window = session.manage().window();
    let [outerWidth, outerHeight] = [width, height];
    const viewport = () => session.executeScript('return [innerWidth, innerHeight]');
    for (let round = 0; round < 4; round++) {
        await window.setRect({ x: 0, y: 0, width: outerWidth, height: outerHeight });
        // The page may hear of the new size a little later on a busy machine: the size it settles at.
        let [innerWidth, innerHeight] = await viewport();
        for (let waited = 0; waited < 2000; waited += 50) {
            await sleep(50);
            const [nowWidth, nowHeight] = await viewport();
            if (nowWidth === innerWidth && nowHeight === innerHeight)
                break;
            [innerWidth, innerHeight] = [nowWidth, nowHeight];
        }
        if (innerWidth === width && innerHeight === height)
            return;
        outerWidth = Math.max(width, outerWidth + width - innerWidth);
        outerHeight = Math.max(height, outerHeight + height - innerHeight);
    }
    throw new Error(`MiniBrowser's window cannot be sized to a ${width}x${height} viewport`);
}
