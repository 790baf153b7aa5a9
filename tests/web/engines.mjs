// One small interface over three browser engines, so that one list of page scenarios runs unchanged in
// Debian's Chromium and Firefox ESR (playwright-core, Firefox over WebDriver BiDi) and WebKitGTK
// (selenium-webdriver and WebKitWebDriver, in the X server and session bus the test command gives it).
//
//   const browser = await launch('firefox');
//   const tab = await browser.open(url, { width: 553, height: 512, scale: 2 }); // the browser's language: locale, 'ja' unless given
//   await tab.click('[data-name="Command1"]');
//   await tab.close();
//   await browser.close();
//
// Clicks and keys go through the browser's automation, as a person's would. Nothing reaches beyond
// loopback: each engine's own background traffic goes to a closed loopback port.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The promise's outcome, or an error after ms.
function within(ms, promise, message) {
    let timer;
    const limit = new Promise((_, reject) => {
        timer = setTimeout(() => reject(new Error(`${message}: no answer after ${ms} ms`)), ms);
    });
    return Promise.race([promise, limit]).finally(() => clearTimeout(timer));
}

// Starts the engine; throws with a clear message naming the engine if it cannot.
export async function launch(name) {
    const launchers = { chromium: () => launchPlaywright(name), firefox: () => launchPlaywright(name), webkit: launchWebKit };
    try {
        return await launchers[name]();
    } catch (error) {
        throw new Error(`[${name}] cannot start: ${error.message}`, { cause: error });
    }
}

// A tab of any engine. The engine gives it run(source) -> JSON text, mouse(x, y, button), keys(modifiers,
// key), type(text), goto(url), screenshot() -> PNG as base64, close(), and where it can pdf(),
// setOffline(offline), devtools(method, params).
class Tab {
    constructor(io) {
        Object.assign(this, io);
    }

    // fn(arg) in the page; arg and the result are JSON values, a promise is awaited. The result comes back as
    // JSON text, so that every engine hands back the same values; a page that stops answering fails the call.
    async evaluate(fn, arg) {
        const source = `(async () => JSON.stringify({ value: await (${fn})(${arg === undefined ? '' : JSON.stringify(arg)}) }))()`;
        return JSON.parse(await within(30000, this.run(source), `evaluate of ${String(fn).slice(0, 100)}`)).value;
    }

    // Polls fn until it gives something truthy, and returns that. A page that goes as it is asked (it loads
    // itself again) is asked again; an error that lasts fails the call.
    async waitFor(fn, arg, timeoutMs = 5000) {
        for (const deadline = Date.now() + timeoutMs; ;) {
            const result = await this.evaluate(fn, arg).catch((error) => {
                if (Date.now() > deadline)
                    throw error;
            });
            if (result)
                return result;
            if (Date.now() > deadline)
                throw new Error(`waitFor timed out after ${timeoutMs} ms: ${String(fn).slice(0, 100)}`);
            await sleep(25);
        }
    }

    // A left or right click in the middle of the first element matching the selector, or of those the first
    // whose text is `caption`.
    async click(selector, button = 'left', caption = undefined) {
        const point = await this.evaluate(([within, text]) => {
            const found = [...document.querySelectorAll(within)].find((e) => text === null || e.textContent.trim() === text);
            const box = found?.getBoundingClientRect();
            return box && box.width > 0 ? [Math.round(box.left + box.width / 2), Math.round(box.top + box.height / 2)] : null;
        }, [selector, caption ?? null]);
        assert.ok(point, `nothing to click at ${selector} ${caption ?? ''}`);
        await this.mouse(...point, button);
    }

    // One key with any modifiers before it: 'Enter', 't', 'Control+c', 'Shift+F10', 'ContextMenu'.
    press(keys) {
        const parts = keys.length === 1 ? [keys] : keys.split('+');
        return this.keys(parts.slice(0, -1), parts.at(-1));
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
        supports: { menuKey: name === 'chromium', devtools: name === 'chromium', print: name === 'chromium' },
        async open(url, { width, height, scale = 1, locale = 'ja' }) {
            const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: scale, locale });
            const page = await context.newPage();
            await page.goto(url, { waitUntil: 'load' });
            let devtools = null;
            return new Tab({
                run: (source) => page.evaluate(source),
                mouse: (x, y, button) => page.mouse.click(x, y, { button }),
                keys: (modifiers, key) => page.keyboard.press([...modifiers, key].join('+')),
                // Characters a US keyboard lacks ('３') come as an input method gives them: as text.
                async type(text) {
                    for (const character of text)
                        await (/^[\x20-\x7e]$/.test(character) ? page.keyboard.press(character) : page.keyboard.insertText(character));
                },
                pdf: () => page.pdf({ preferCSSPageSize: true }),
                screenshot: async () => (await page.screenshot()).toString('base64'),
                goto: (address) => page.goto(address, { waitUntil: 'load' }),
                setOffline: (offline) => context.setOffline(offline),
                devtools: async (method, params) => (devtools ??= await context.newCDPSession(page)).send(method, params),
                close: () => context.close(),
            });
        },
        close: () => browser.close(),
    };
}

// WebKitGTK: for each scale and language a WebKitWebDriver with one session of MiniBrowser (a driver takes one session
// at a time; GDK_SCALE gives the device pixel ratio, in whole numbers only; the browser's language is its process's
// locale, made for it in its own folder, as a system without that locale installed lacks it, its keys typed without an
// input method). A tab is that session on
// its page; the next tab of that scale and language takes the session over.
async function launchWebKit() {
    const { Builder, Button, Key, Origin } = await import('selenium-webdriver');
    const dir = mkdtempSync(join(tmpdir(), 'taluno-webkit-'));
    const drivers = [];
    const endAll = () => {
        drivers.forEach((driver) => driver.kill('SIGKILL'));
        // A killed browser's process may still be writing its shader cache here for a moment.
        rmSync(dir, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
    };
    process.on('exit', endAll); // also when a test process ends without closing the browser
    const env = { ...process.env, NO_AT_BRIDGE: '1', GSETTINGS_BACKEND: 'memory', XDG_CACHE_HOME: join(dir, 'cache'),
                  XDG_CONFIG_HOME: join(dir, 'config'), XDG_DATA_HOME: join(dir, 'data') };
    const sessions = new Map(); // "scale locale" -> session

    // A driver of its own on a loopback port, asked for a session once it says it is ready; one that does not
    // answer, or cannot take its port, goes, and a new one is asked.
    async function sessionFor(scale, locale) {
        const key = `${scale} ${locale}`;
        if (sessions.has(key))
            return sessions.get(key);
        const localeName = `${{ ja: 'ja_JP', en: 'en_US' }[locale]}.UTF-8`;
        mkdirSync(join(dir, 'locales'), { recursive: true });
        execFileSync('/usr/bin/localedef', ['-i', localeName.slice(0, 5), '-f', 'UTF-8', join(dir, 'locales', localeName)]);
        const capabilities = {
            browserName: 'MiniBrowser',
            proxy: { proxyType: 'manual', httpProxy: '127.0.0.1:9', sslProxy: '127.0.0.1:9', noProxy: ['localhost', '127.0.0.1', '[::1]'] },
            'webkitgtk:browserOptions': { binary: '/usr/bin/env', args: [`GDK_SCALE=${scale}`, `LOCPATH=${join(dir, 'locales')}`, `LC_ALL=${localeName}`, 'GTK_IM_MODULE=gtk-im-context-simple', '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', '--automation'] },
        };
        for (let attempt = 1; ; ++attempt) {
            const port = 20000 + Math.floor(Math.random() * 20000); // a driver cannot say which port it took

            const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`, '--host=127.0.0.1'], { env, stdio: 'ignore' });
            drivers.push(driver);
            try {
                await within(10000, (async () => {
                    while (!(await fetch(`http://127.0.0.1:${port}/status`).then((r) => r.json()).catch(() => null))?.value?.ready)
                        await sleep(50);
                })(), 'WebKitWebDriver');
                await sleep(300); // ready by its word, it still loses a session asked for at once, now and then
                const session = await within(15000, new Builder().disableEnvironmentOverrides().usingServer(`http://127.0.0.1:${port}`)
                    .withCapabilities(capabilities).build(), 'a session of MiniBrowser');
                sessions.set(key, session);
                return session;
            } catch (error) {
                driver.kill('SIGKILL');
                if (attempt === 3)
                    throw error;
            }
        }
    }

    const keyCodes = { Enter: Key.ENTER, Escape: Key.ESCAPE, ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN,
                       Control: Key.CONTROL, Shift: Key.SHIFT, F10: Key.F10 };
    const code = (key) => keyCodes[key] ?? (key.length === 1 ? key : assert.fail(`no key ${key} in WebKit`));
    return {
        supports: { menuKey: false, devtools: false, print: false },
        async open(url, { width, height, scale = 1, locale = 'ja' }) {
            const session = await sessionFor(scale, locale);
            await within(60000, fitWindow(session, width, height), 'sizing the window');
            await within(60000, session.get(url), `loading ${url}`);
            return new Tab({
                run: (source) => session.executeScript(`return ${source}`),
                // WebKitWebDriver's right click (WebKitGTK 2.50) releases the left button instead, which clicks and
                // leaves the right button held: the page is given its contextmenu event itself.
                mouse: (x, y, button) => (button === 'right'
                    ? session.executeScript(`document.elementFromPoint(${x}, ${y}).dispatchEvent(new MouseEvent('contextmenu',
                        { bubbles: true, cancelable: true, button: 2, clientX: ${x}, clientY: ${y} }))`)
                    : session.actions().move({ x, y, origin: Origin.VIEWPORT }).press(Button.LEFT).release(Button.LEFT).perform()),
                keys(modifiers, key) {
                    let actions = session.actions();
                    modifiers.forEach((modifier) => (actions = actions.keyDown(code(modifier))));
                    actions = actions.keyDown(code(key)).keyUp(code(key));
                    modifiers.toReversed().forEach((modifier) => (actions = actions.keyUp(code(modifier))));
                    return actions.perform();
                },
                type: (text) => session.actions().sendKeys(text).perform(),
                screenshot: () => session.takeScreenshot(),
                goto: (address) => session.get(address),
                close: async () => {}, // the session stays on the page until the next tab's page replaces it
            });
        },
        async close() {
            await Promise.allSettled([...sessions.values()].map((session) => within(5000, session.quit(), 'quitting')));
            endAll();
            process.off('exit', endAll);
        },
    };
}

// Sizes the window so that the page's viewport is width x height CSS pixels: MiniBrowser's toolbar takes some
// of the window, so the difference is measured and made up.
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
