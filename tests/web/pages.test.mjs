// The three pages as a teacher and pupils meet them, in the browser engine named by TALUNO_ENGINE
// (chromium, firefox or webkit), opened from files and from a loopback web server: what the page adds to
// the core, each in the engine that draws it: the layout at its scale, the dialog, the help beside or in
// place, the canvases, the menu by mouse, keys and finger, the saved pictures, printing and the site offline.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { after, before, test } from 'node:test';
import { knowWindows, loadCore, Window } from '../../web/src/core.js';
import { launch } from './engines.mjs';
import { fileCopies, serve } from './harness.mjs';

const engine = process.env.TALUNO_ENGINE ?? 'chromium';
// Lines fed to the box of many lines in both faces: each must be shown as text, literally.
const hostileLines = JSON.parse(readFileSync(new URL('../support/hostile-lines.json', import.meta.url)));
const folder = process.env.TALUNO_WEB_DIR;
let browser;
let core; // the core in Node, its clock at 12:00:10 as the pages' still clock is
const coreTexts = new Map(); // the text the core in Node gave each control last
let table; // the programs, the cues and the numbers both faces draw with
let server;
let files;

before(async () => {
    core = await loadCore(readFileSync(process.env.TALUNO_WASM), new Proxy({}, {
        get: (_, name) => (name === 'secondsSinceMidnight' ? () => 43210 : (w, c, t) => name === 'setText' && coreTexts.set(c, t)),
    }));
    table = core.table();
    [browser, server] = await Promise.all([launch(engine), serve(folder)]);
    files = fileCopies(folder);
});
after(async () => {
    await Promise.all([browser?.close(), server?.close()]);
    files?.remove();
});

// Taluno2's mean for a run of `guests` x `experiments` as the core in Node makes it, its seeds drawn at 12:00:10.
function coreMean(guests, experiments) {
    core.start(2);
    core.activated(Window.main);
    core.answerInput(Window.main, String(guests));
    core.answerInput(Window.main, String(experiments));
    const { meanValue, startButton } = core.layout(Window.main, 2).rows;
    core.clicked(Window.main, startButton);
    return coreTexts.get(meanValue);
}

// Every scenario is named after its engine, so that a failure says where it failed.
const scenario = (name, body) => test(`[${engine}] ${name}`, body);

scenario('a name the page and the core do not share fails aloud: an extra of another menu or of none, a window', () => {
    core.start(2);
    assert.throws(() => core.chooseExtra('walkLine'), /no extra named "walkLine"/);
    assert.throws(() => core.setExtra('exactlaw', true), /no extra named "exactlaw"/);
    assert.throws(() => knowWindows({ main: 0 }), /no window named "help"/);
});

const mainWindow = '[data-window="main"]';
const helpWindow = '[data-window="help"]';

// Opens a program's page with the browser window just holding its main window at `scale`, or of the
// viewport's size. Every error the page reports, and every request the server cannot answer, fails the
// scenario at its end.
async function open(program, { from = 'file', scale = 1, clock = false, viewport = null, hash = '', locale = 'ja' } = {}) {
    const layout = core.layout(Window.main, program);
    const name = `taluno${program}.html`;
    const url = (from === 'http' ? `${server.base}${name}${clock ? '?clock' : ''}` : files.url(name, clock)) + hash;
    const [width, height] = viewport ?? [layout.width * scale, layout.height * scale];
    const tab = await browser.open(url, { width, height, scale, locale });
    // The window shows before the core is in; its keys work once the menu is made.
    await tab.waitFor((window) => document.querySelector(`${window} button`) && document.querySelector('.extras-menu'), mainWindow);
    tab.layout = layout;
    tab.row = table.programs.find((row) => row.number === program);
    const requested = server.requests.length;
    tab.done = async () => {
        assert.deepEqual(await tab.evaluate(() => globalThis.pageErrors), []);
        assert.deepEqual(server.requests.slice(requested).filter((r) => r.status !== 200), []); // nothing went missing, not even an icon
        await tab.close();
    };
    return tab;
}

// Answers the open box: presses a button by its caption, or types into the input box and presses Enter; then
// each box after it, as more pairs of a title and a reply say.
async function answer(tab, title, reply, ...more) {
    assert.equal(await tab.waitFor(() => document.querySelector('dialog.question[open] .title')?.textContent), title);
    if (['はい', 'いいえ', 'キャンセル', 'OK'].includes(reply)) {
        await tab.click('dialog.question button', 'left', reply);
    } else {
        await tab.evaluate(() => { document.querySelector('dialog.question input').value = ''; });
        await tab.type(reply);
        await tab.press('Enter');
    }
    if (more.length)
        await answer(tab, ...more);
}

const button = (tab, caption) => tab.click(`${mainWindow} button`, 'left', caption);

// The selector of the main window's row of that name, or an array of them for an array of rows.
function named(tab, name) {
    const rows = tab.layout.rows[name];
    const selector = (row) => `${mainWindow} [data-name="${tab.layout.controls[row].name}"]`;
    return Array.isArray(rows) ? rows.map(selector) : selector(rows);
}
// The text of the element the selector finds, or of the elements an array of them finds, a line each.
const text = (tab, selector) => tab.evaluate((s) => [s].flat().map((one) => document.querySelector(one).textContent).join('\n'), selector);
// The place and size in pixels of the main window's row of that name, as its table gives it.
const place = (tab, name, k = 0) => tab.layout.controls[[tab.layout.rows[name]].flat()[k]];
const runFor = (tab, ms) => tab.evaluate((t) => globalThis.testClock.runFor(t), ms);

// Each control where its table puts it at the page's scale, and each button heard by its caption.
async function assertLaidOut(tab, scale) {
    const boxes = await tab.evaluate(() => {
        const window = document.querySelector('[data-window="main"]');
        const origin = window.getBoundingClientRect();
        return [...window.children].map((child) => {
            const r = child.getBoundingClientRect();
            return [child.dataset.name, ...[r.left - origin.left, r.top - origin.top, r.width, r.height].map((v) => Math.round(v * 100) / 100)].join();
        });
    });
    const { controls } = tab.layout;
    assert.equal(boxes.length, controls.length);
    for (const { name, kind, left, top, width, height, visible } of controls) {
        const place = [name, ...[left, top, width, height].map((pixels) => pixels * scale)];
        assert.ok(!visible || kind === 'line' || boxes.includes(place.join()), `${name} at ${place}`);
    }
    const buttons = await tab.evaluate(() => [...document.querySelectorAll('[data-window="main"] button:not([hidden])')].map((b) => b.textContent));
    assert.deepEqual(buttons.sort(), controls.filter((c) => c.kind === 'button' && c.visible).map((c) => c.caption).sort());
}

// The colours of a canvas of the main window at points given in its units: '#rrggbb' for blue, red and black, else 'other'.
function colours(tab, surface, points) {
    return tab.evaluate(([at, selector, [across, down]]) => {
        const canvas = document.querySelector(`${selector} canvas`);
        // Read once: a read of each point alone takes Firefox seconds for a few hundred points.
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        return at.map(([x, y]) => {
            const k = 4 * (Math.floor((y * canvas.height) / down) * canvas.width + Math.floor((x * canvas.width) / across));
            const [r, g, b, a] = pixels.slice(k, k + 4);
            const hex = `#${[r, g, b].map((c) => c.toString(16).padStart(2, '0')).join('')}`;
            return a === 255 && ['#0000ff', '#ff0000', '#000000'].includes(hex) ? hex : 'other';
        });
    }, [points, named(tab, surface), [place(tab, surface).unitsAcross, place(tab, surface).unitsDown]]);
}

// The name and size of the picture saved next, its pixels at (x, y) as '#rrggbb', and whether its right
// margin of `margin` pixels below `below` is clear of ink.
const savedPicture = async (tab, points, below = 0, margin = 0) => {
    await tab.waitFor(() => globalThis.saved.length, undefined, 15000);
    return tab.evaluate(async ([at, top, right]) => {
        const { name, bitmap } = await globalThis.saved.at(-1);
        const canvas = document.createElement('canvas');
        [canvas.width, canvas.height] = [bitmap.width, bitmap.height];
        const context = canvas.getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const colour = ([x, y]) => `#${[...context.getImageData(x, y, 1, 1).data.slice(0, 3)].map((c) => c.toString(16).padStart(2, '0')).join('')}`;
        const edge = right ? context.getImageData(canvas.width - right, top, right, canvas.height - top).data : [];
        const clear = !edge.some((value, k) => k % 4 < 3 && value < 128);
        globalThis.saved = [];
        return { name, width: bitmap.width, height: bitmap.height, colours: at.map(colour), clear };
    }, [points, below, margin]);
};

// The side panels of the main window: their cells, places, font sizes and weights, and the window's width.
const sidePanels = (tab) => tab.evaluate((window) => {
    const panels = [...document.querySelectorAll(`${window} .side-panel`)];
    return { width: document.querySelector(window).offsetWidth, panels: panels.map((panel) => ({
        cells: [...panel.querySelectorAll('caption, td')].map((c) => c.textContent).filter(Boolean),
        left: panel.offsetLeft, top: panel.offsetTop, right: panel.offsetLeft + panel.offsetWidth, bottom: panel.offsetTop + panel.offsetHeight,
        fontPixels: parseFloat(getComputedStyle(panel).fontSize), bold: getComputedStyle(panel).fontWeight >= 700 })) };
}, mainWindow);

scenario('Taluno2 from the web server: laid out, the dialog, a run, the class\'s results and what is pasted, HELP in place, 終了, the cues', async () => {
    const tab = await open(2, { from: 'http' });
    await assertLaidOut(tab, 1);
    await answer(tab, ' お客人数の設定', 'abc');
    // Refused: the same prompt, with its default again; full-width digits as an input method gives them.
    assert.equal(await tab.waitFor(() => document.querySelector('dialog.question[open] input')?.value), '100');
    await answer(tab, ' お客人数の設定', '１０', ' 実験回数の設定', '200');
    await button(tab, '実験開始');
    // The focus has moved on to 終了, which asks before anything is lost.
    assert.equal(await tab.evaluate(() => document.activeElement.textContent), '終了');


    // At six in ten needing change, the class's results in a box of many lines; Ctrl+Enter answers.
    await tab.press('p');
    await answer(tab, ' お釣りの要る人の割合', '60');
    const paste = async (lines) => {
        await tab.waitFor(() => document.querySelector('dialog.question[open] textarea:not([hidden])'));
        await tab.evaluate((value) => { document.querySelector('dialog.question textarea').value = value; }, lines);
        await tab.press('Control+Enter');
    };
    // Each hostile line, and a line among 4000: asked again, quoted literally as text, no element made and no script
    // run, what was pasted given back with the line selected and in view.
    const among = { name: 'line 989 of 4000', line: `${'-3\n'.repeat(988)}x\n${'-3\n'.repeat(3011)}`, shown: 'x', number: 989 };
    for (const { name, line, repeat = 1, shown: quoted, number = 1 } of [...hostileLines, among]) {
        await tab.press('m');
        await paste(line.repeat(repeat));
        const [said, elements, selected] = await tab.waitFor((n) => {
            const [message, area] = ['.text', 'textarea'].map((part) => document.querySelector(`dialog.question[open] ${part}`));
            const [top, height] = [(n - 1) * parseFloat(getComputedStyle(area).lineHeight), parseFloat(getComputedStyle(area).lineHeight)];
            return message && [message.textContent, message.childElementCount, area.value.slice(area.selectionStart, area.selectionEnd) === area.value.split('\n')[n - 1]
                               && top >= area.scrollTop && top + height <= area.scrollTop + area.clientHeight];
        }, number);
        assert.ok(said.startsWith(`${number}行目が読めません：「${quoted}」\n\n`) && elements === 0 && selected, `${name}: ${said.slice(0, 40)} ${selected}`);
        await answer(tab, ' クラスの結果をまとめる', 'キャンセル');
    }
    // Ten million characters pasted (as a browser hands a paste to the page: Firefox drops the data of a paste made
    // in script): refused at once, saying why above the prompt, the box as it was.
    await tab.press('m');
    await tab.waitFor(() => document.querySelector('dialog.question[open] textarea:not([hidden])'));
    assert.deepEqual(await tab.evaluate(() => {
        const [area, data] = [document.querySelector('dialog.question textarea'), new DataTransfer()];
        data.setData('text/plain', '7'.repeat(10_000_000));
        const taken = area.dispatchEvent(Object.defineProperty(new ClipboardEvent('paste', { bubbles: true, cancelable: true }), 'clipboardData', { value: data }));
        return [taken, area.value.length, document.querySelector('dialog.question .text').textContent.split('\n')[0]];
    }), [false, among.line.length, table.texts.tooMuchPasted]);
    await answer(tab, ' クラスの結果をまとめる', 'キャンセル');
    await tab.press('m');
    await paste('−3, ▲2\n１');
    await tab.waitFor(() => !document.querySelector('dialog.question[open]'));
    assert.equal(await text(tab, ['guestCountValue', 'experimentCountValue', 'meanValue'].map((name) => named(tab, name))), '100\n3\n-1.3');

    // HELP takes the main window's place and the tab's title; 閉じる brings the window back as at start-up.
    await button(tab, 'HELP');
    await tab.waitFor((window) => document.querySelector(`${window} .surface-text span`), helpWindow);
    assert.equal(await tab.evaluate((window) => document.querySelectorAll(window).length, mainWindow), 0);
    assert.equal(await tab.evaluate(() => document.title), 'Talunoの実験２＿ヘルプ（設問と操作方法）');
    await tab.click(`${helpWindow} button`, 'left', '閉じる');
    assert.equal(await tab.evaluate(() => document.title), 'Talunoの実験２');
    await answer(tab, ' お客人数の設定', 'キャンセル');
    // A Yes/No box has no text field.
    assert.equal(await tab.waitFor(() => getComputedStyle(document.querySelector('dialog[open] input')).display), 'none');
    await answer(tab, '確認', 'はい');
    assert.match(await tab.evaluate(() => document.querySelector('.ended-note').textContent), /^Talunoの実験２を終了しました。.*再読み込み/);
    // HELP chimes pinpon, the sound the core makes.
    const played = await tab.evaluate(() => Promise.all(globalThis.playedCues.map(async (address) =>
        [...new Uint8Array(await (await fetch(address)).arrayBuffer())].join())));
    assert.deepEqual(played.map((bytes) => table.cues.find((cue) => core.cueWav(cue).join() === bytes)), ['pinpon']);
    await tab.done();
});

// How many lines cross each scan of the page as the engine drew it, or of the main window's picture as saved last: a
// scan runs down from the top of the first element a selector finds to the bottom of the last, `inset` layout pixels
// right of its left edge. The page's picture is taken once the page has painted what it laid out last.
const linesAcross = async (tab, scans, saved = false) => tab.evaluate(async ([png, scans, saved]) => {
    const image = saved ? (await globalThis.saved.at(-1)).bitmap
                        : await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
    const canvas = document.createElement('canvas');
    [canvas.width, canvas.height] = [image.width, image.height];
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const origin = saved ? document.querySelector('[data-window="main"]').getBoundingClientRect() : { left: 0, top: 0, width: innerWidth };
    const ratio = image.width / origin.width;
    const scale = document.querySelector('.stage').getBoundingClientRect().width / document.querySelector('.stage').offsetWidth;
    return scans.map(([first, last, inset]) => {
        const [top, bottom] = [first, last].map((selector) => document.querySelector(selector).getBoundingClientRect());
        const x = Math.round((top.left - origin.left + inset * scale) * ratio);
        const column = context.getImageData(x, Math.floor((top.top - origin.top) * ratio) - 2, 1, Math.ceil((bottom.bottom - top.top) * ratio) + 4).data;
        let [lines, dark] = [0, false];
        for (let k = 0; k < column.length; k += 4) {
            const now = column[k] + column[k + 1] + column[k + 2] < 3 * 160;
            lines += now && !dark ? 1 : 0;
            dark = now;
        }
        return lines;
    });
}, [saved ? null : await tab.evaluate(() => new Promise((painted) => requestAnimationFrame(() => requestAnimationFrame(painted))))
    .then(() => tab.screenshot()), scans, saved]);

scenario('Borders at any scale: every line of the table and the panels drawn with the stage scaled to 0.74 as at 1.4, and in the window\'s picture; the panels\' places; 理論値 under the counts', async () => {
    const counts = [];
    for (const viewport of [[553, 512], [1050, 720]]) {
        const tab = await open(2, { viewport, clock: true });
        // The box at the view's size, or at its own where the stage is smaller.
        assert.ok(await tab.waitFor(() => document.querySelector('dialog.question[open]') && Math.abs(parseFloat(getComputedStyle(document.querySelector('dialog.question')).fontSize)
            - 15 * Math.max(1, document.querySelector('.stage').getBoundingClientRect().width / document.querySelector('.stage').offsetWidth)) < 0.1));
        await answer(tab, ' お客人数の設定', '100', ' 実験回数の設定', '100');
        await button(tab, '実験開始');
        // Seeded from the local time, 12:00:10 on the still clock, as the core itself would be.
        assert.equal(await text(tab, named(tab, 'meanValue')), coreMean(100, 100));
        await tab.press('k');
        await tab.press('c');
        await answer(tab, ' c枚用意したら？', '3');
        const scale = await tab.waitFor(() => document.querySelector('.side-panel') && document.querySelector('.stage').getBoundingClientRect().width
            / document.querySelector('.stage').offsetWidth);
        // Down the table's first column from its first count to its last row, and down both panels.
        const cells = named(tab, 'countCells');
        const scans = [[cells[0], cells[54], 3], [`${mainWindow} .side-panel caption`, `${mainWindow} .side-panel:last-of-type`, 3]];
        counts.push([Math.round(scale * 100) / 100, ...await linesAcross(tab, scans)]);
        // The panels right of the table's last column, in the window, which widens to hold them: the coins as large
        // as the table's numbers, then the share of c coins under them, larger and bold.
        const margin = table.face.panelMargin;
        const numbers = parseFloat(await tab.evaluate((cell) => getComputedStyle(document.querySelector(cell)).fontSize, cells[0]));
        const { width, panels: [coins, share] } = await sidePanels(tab);
        const lastColumn = place(tab, 'countCells', 62);
        assert.deepEqual([coins.left, coins.top, coins.fontPixels, coins.bold], [lastColumn.left + lastColumn.width + margin, tab.layout.sidePanels.top, numbers, false]);
        assert.deepEqual([share.left, share.cells[0], share.bold], [coins.left, '3枚用意したら', true]);
        // A cell each: the heading, the column heads, then four rows of a share and its coins by the run and the law.
        assert.deepEqual([coins.cells.slice(0, 4), coins.cells.length], [['何枚用意すればよいか', '実験', '理論', '50 %'], 15]);
        assert.ok(share.top >= coins.bottom + margin && share.fontPixels > numbers && width === Math.max(coins.right, share.right) + margin);
        // The window's picture, named after it, at twice its size, holds every line, whole, at whatever scale the stage stands.
        await tab.press('Control+s');
        await tab.waitFor(() => globalThis.saved.length);
        assert.deepEqual(await linesAcross(tab, scans, true), counts.at(-1).slice(1));
        assert.deepEqual(await savedPicture(tab, []), { name: 'Talunoの実験２.png', width: 2 * width, height: 2 * tab.layout.height, colours: [], clear: true });
        // Cancel takes the share away; the panels go, and the window is as narrow as its table again.
        await tab.press('c');
        await answer(tab, ' c枚用意したら？', 'キャンセル');
        await tab.press('k');
        assert.deepEqual(await sidePanels(tab), { width: tab.layout.width, panels: [] });
        // The count over its expectation in red, each within its half of the cell; 「度　　数」 over 「理論度数」
        // with its two full-width blanks, nearly four characters wide.
        await tab.press('t');
        assert.deepEqual(await tab.evaluate(([cell, title]) => {
            const box = document.querySelector(cell).getBoundingClientRect();
            const [count, note] = [...document.querySelectorAll(`${cell} .caption`)].map((line) => line.getBoundingClientRect());
            const middle = box.top + box.height / 2;
            const titleLine = document.querySelector(`${title} .caption`);
            return [count.top >= box.top && count.bottom <= middle + 0.5, note.top >= middle - 0.5 && note.bottom <= box.bottom,
                    getComputedStyle(document.querySelector(`${cell} .note`)).color,
                    titleLine.textContent, titleLine.offsetWidth >= 3.5 * parseFloat(getComputedStyle(titleLine).fontSize)];
        }, [cells[50], named(tab, 'countTitles')[0]]), [true, true, 'rgb(255, 0, 0)', '度　　数', true]);
        await tab.done();
    }
    const [[small, ...scaledDown], [large, ...scaledUp]] = counts;
    assert.ok(small < 0.8 && large > 1.3, String([small, large]));
    assert.deepEqual(scaledDown, scaledUp, `${engine}: the lines at ${small} against those at ${large}`);
});

scenario('Taluno3 at scale 2: laid out, the graph drawn at the device\'s pixels and told, the menu by mouse and keys, the law\'s marks, the graph saved with all its caption within it', async () => {
    const tab = await open(3, { scale: 2 });
    await assertLaidOut(tab, 2);
    await answer(tab, ' お客人数の設定', '1000', ' 実験回数の設定', '200');
    await tab.press('Enter'); // the focus starts on 実験開始
    // The result is announced: the values with their captions, then the graph in words, which names the mode.
    const announced = await tab.waitFor(() => document.querySelector('[aria-live]').textContent);
    assert.match(announced, /^お客人数 1000。.*実験回数 200。200 回の実験の度数分布。/);
    assert.equal(await tab.evaluate((graph) => document.querySelector(graph).getAttribute('aria-description'), named(tab, 'graphSurface')),
                 announced.slice(announced.indexOf('200 回の実験')));
    // With 1000 guests the bin of v spans x 120 + v: the mode's bar stands on the axis, blue.
    const mode = Number(/最も多い不足枚数は (-?\d+)/.exec(announced)[1]);
    assert.deepEqual(await colours(tab, 'graphSurface', [[120.5 + mode, 279.5], [3.1, 150]]), ['#0000ff', '#000000']);

    // The menu holds the layout's extras by right click, Shift+F10 and the Menu key; the arrows go round,
    // Escape gives the focus back, Enter chooses.
    const menuItems = () => tab.evaluate(() => {
        const menu = document.querySelector('.extras-menu');
        return menu.hidden ? null : [...menu.querySelectorAll('button')].map((item) =>
            [item.firstChild.textContent, item.querySelector('kbd').textContent, item.getAttribute('aria-checked')].join(' '));
    });
    // Below them 言語: the languages by name, the one in use checked.
    const items = [...tab.row.extras.map((row) => `${row.caption} ${row.keys} ${row.toggle ? 'false' : ''}`),
                   ...table.languages.map(({ code, name }) => `${name}  ${code === 'ja'}`)];
    await tab.click(mainWindow, 'right');
    assert.deepEqual(await menuItems(), items);
    await tab.press('Escape');
    assert.equal(await menuItems(), null);
    // The focus is back in the window, where the keys work, even where the click took it away.
    assert.ok(await tab.evaluate((window) => document.activeElement.closest(window) !== null, mainWindow));
    const focused = () => tab.evaluate(() => document.activeElement.firstChild?.textContent);
    for (const keys of browser.supports.menuKey ? ['Shift+F10', 'ContextMenu'] : ['Shift+F10']) {
        const before = await tab.evaluate(() => document.activeElement.textContent);
        await tab.press(keys);
        assert.equal(await focused(), tab.row.extras[0].caption, keys);
        await tab.press('ArrowUp');
        assert.equal(await focused(), table.languages.at(-1).name);
        await tab.press('Escape');
        assert.equal(await tab.evaluate(() => document.activeElement.textContent), before);
    }
    // 理論値 chosen from the keyboard: a mark over the mode's bar and none over that of -90 (about 0.1 of 200), looked
    // for a quarter of a unit apart from 240 to 280.
    const redIn = async (x) => (await colours(tab, 'graphSurface', Array.from({ length: 160 }, (_, k) => [x, 240 + k / 4]))).includes('#ff0000');
    assert.deepEqual([await redIn(120.5 + mode), await redIn(30.5)], [false, false]);
    for (const key of ['Shift+F10', 'ArrowDown', 'ArrowDown', 'Enter'])
        await tab.press(key);
    assert.deepEqual([await redIn(120.5 + mode), await redIn(30.5)], [true, false]);

    // The graph saved with eight lines under it with half a line's room above and
    // below, none reaching into the right margin: the settings and mean, the marks, the coins' heading and
    // four shares, the share of c coins.
    await tab.press('k');
    await tab.press('c');
    await answer(tab, ' c枚用意したら？', '1000');
    await tab.press('Control+s');
    const graph = place(tab, 'graphSurface');
    const [inner, line] = [[graph.width - 2 * table.face.surfaceBorder, graph.height - 2 * table.face.surfaceBorder], table.face.captionLinePixels];
    const at = (x, y) => [Math.floor((2 * x * inner[0]) / 130), Math.floor((2 * y * inner[1]) / 300)];
    const picture = await savedPicture(tab, [at(3.1, 150), at(60.5, 95)], 2 * inner[1], line);
    assert.deepEqual(picture, { name: 'Talunoの実験３.png', width: 2 * inner[0], height: 2 * (inner[1] + 9 * line),
                                colours: ['#000000', '#ffffff'], clear: true });

    await button(tab, '初期化');
    assert.deepEqual(await colours(tab, 'graphSurface', [[120.5 + mode, 279.5]]), ['other']);
    await tab.done();
});

scenario('Taluno1 from the web server: laid out, nothing to copy yet, tosses on the 500 and 750 ms beats, 自動停止, the copy, HELP beside', async () => {
    const tab = await open(1, { from: 'http', clock: true });
    await assertLaidOut(tab, 1);
    await tab.press('Control+c');
    assert.deepEqual(await tab.waitFor(() => document.querySelector('dialog[open]') && [...document.querySelectorAll('dialog[open] .text, dialog[open] button:not([hidden])')].map((e) => e.textContent)),
                     [table.texts.nothingToCopy, 'OK']);
    await answer(tab, '結果をコピー', 'OK');
    await button(tab, '自動開始');
    // The first toss at 500 ms, then one every 750 ms.
    const results = named(tab, 'resultCells');
    for (const [wait, toss] of [[499, 1], [749, 2], [749, 3]]) {
        await runFor(tab, wait);
        assert.equal(await text(tab, results[toss - 1]), '', `toss ${toss} not yet`);
        await runFor(tab, 1);
        assert.ok(['表', '裏'].includes(await text(tab, results[toss - 1])), `toss ${toss}`);
    }
    await button(tab, '自動停止');
    await runFor(tab, 2000);
    assert.equal(await text(tab, results[3]), '');
    const faces = await text(tab, results.slice(0, 3));
    await tab.press('Control+c');
    assert.equal((await tab.waitFor(() => globalThis.copied)).split('\n').slice(1, 4).map((row) => row.split('\t')[1]).join('\n'), faces);

    // No room beside the main window: the help lies over its table, the main window as large as it was.
    const boxes = () => tab.evaluate((windows) => windows.map((w) => document.querySelector(w)?.getBoundingClientRect().toJSON()), [mainWindow, helpWindow]);
    const [before] = await boxes();
    await button(tab, 'HELP');
    await tab.waitFor((window) => document.querySelector(window), helpWindow);
    const [[main, help], spare] = [await boxes(), tab.layout.spareForHelp];
    assert.ok(JSON.stringify(main) === JSON.stringify(before) && help.left >= main.left + spare.left - 0.5 && help.top >= main.top + spare.top - 0.5
              && help.right <= main.left + spare.left + spare.width + 0.5 && help.bottom <= main.top + spare.top + spare.height + 0.5, JSON.stringify([main, help]));
    // The tab, and so a picture saved then, bears the main window's title while the help shows.
    assert.equal(await tab.evaluate(() => document.title), tab.layout.title.trim());
    await tab.click(`${helpWindow} button`, 'left', '閉じる');
    assert.equal(await tab.evaluate((window) => document.querySelectorAll(window).length, helpWindow), 0);
    // Back to the launcher, which says where the lesson's menu is.
    await tab.goto(await tab.evaluate(() => document.querySelector('a.home').href));
    assert.ok(await tab.waitFor(() => document.readyState === 'complete' && document.title === 'Talunoの実験' && document.body.textContent.includes('右クリック')));
    await tab.done();
});

// The QR code on the screen, read back by zbarimg as a pupil's tablet reads it off the projector.
async function scannedCode(tab) {
    const png = await tab.evaluate(() => new Promise((painted) => requestAnimationFrame(() => requestAnimationFrame(painted)))).then(() => tab.screenshot());
    const scratch = mkdtempSync(join(tmpdir(), 'taluno-code-'));
    try {
        writeFileSync(join(scratch, 'screen.png'), Buffer.from(png, 'base64'));
        return execFileSync('zbarimg', ['--raw', '-q', join(scratch, 'screen.png')], { encoding: 'utf8' }).trim();
    } finally {
        rmSync(scratch, { recursive: true, force: true });
    }
}
const noticeLines = () => document.querySelector('dialog.question[open]')?.querySelector('.title').textContent === ' 授業のリンク'
    && [document.querySelector('dialog.question .text').textContent.split('\n').slice(1), document.querySelector('dialog.question .text').childElementCount, document.images.length];
const menuMarks = (tab) => tab.evaluate(() => [...document.querySelectorAll('.extras-menu [role="menuitemcheckbox"]')].map((item) => `${item.firstChild.textContent} ${item.getAttribute('aria-checked')}`));
const marks = (tab, on) => tab.row.extras.filter((row) => row.toggle).map((row) => `${row.caption} ${on.includes(row.lessonName)}`);

scenario('A lesson\'s link: Taluno3 set up as it says and handed out again as a link and its QR code; a link in the same tab; a hostile one told as text; the launcher\'s form', async () => {
    const settings = 'guests=35&experiments=1000&share=60&show=law,coins&prepare=5';
    const tab = await open(3, { from: 'http', clock: true, viewport: [1280, 720], hash: `#${settings}` });
    for (const [title, offered] of [[' お客人数の設定', '35'], [' 実験回数の設定', '1000']]) {
        assert.equal(await tab.waitFor(() => document.querySelector('dialog.question[open] input')?.value), offered);
        await answer(tab, title, 'OK');
    }
    await button(tab, '実験開始');
    const graphWords = await tab.waitFor((graph) => document.querySelector(graph).getAttribute('aria-description'), named(tab, 'graphSurface'));
    const mode = Number(/最も多い不足枚数は (-?\d+)/.exec(graphWords)[1]);
    const column = (x) => Array.from({ length: 300 }, (_, y) => [x, y + 0.5]);
    assert.ok((await colours(tab, 'graphSurface', column(120.5 + mode))).includes('#ff0000'), 'the law\'s mark over the mode');
    assert.equal(await text(tab, named(tab, 'changeShareLabel')), 'お釣りの要る人：60%');
    assert.deepEqual((await sidePanels(tab)).panels.map((panel) => panel.cells[0]), ['何枚用意すればよいか', '5枚用意したら']);
    assert.deepEqual(await menuMarks(tab), marks(tab, ['law', 'coins']));

    // この設定を配る: the link of the set-up in use from the page's own folder, its code a phone reads off the projector.
    await tab.press('q');
    const link = `${server.base}taluno3.html#${settings}&lang=ja`;
    assert.deepEqual(await tab.waitFor(() => document.querySelector('dialog.share[open]') && [document.querySelector('.share .link').textContent, document.querySelector('.share .note').hidden]), [link, true]);
    const [side, height, crisp] = await tab.evaluate(() => {
        const code = document.querySelector('.share canvas');
        return [code.getBoundingClientRect().height, innerHeight, code.width === Math.round(code.getBoundingClientRect().width * devicePixelRatio)];
    });
    assert.ok(side >= table.lessonCodeShare * height && crisp, `${side} of ${height}`);
    assert.equal(await scannedCode(tab), link);
    await tab.click('dialog.share button', 'left', 'リンクをコピー');
    assert.equal(await tab.waitFor(() => globalThis.copied), link);
    await tab.click('dialog.share button', 'left', '閉じる');

    // Another link opened in the tab: the page starts again with it, telling as text what it did not use; the
    // window made afresh after HELP takes it again, without telling again, its marks as the link's.
    const hostile = 'guests=20&share=<img src=x onerror=alert(1)>&zzz=1&show=law,nope';
    const offered = () => tab.waitFor(() => document.querySelector('dialog.question[open] input:not([hidden])')?.value);
    await tab.goto(`${server.base}taluno3.html?clock#${hostile}`);
    assert.deepEqual(await tab.waitFor(noticeLines), [core.composeLink(3, '', hostile).unused.map((line) => `・${line}`), 0, 0]);
    await answer(tab, ' 授業のリンク', 'OK');
    assert.equal(await offered(), '20');
    await answer(tab, ' お客人数の設定', 'キャンセル', '確認', 'いいえ');
    await tab.press('k');
    assert.deepEqual(await menuMarks(tab), marks(tab, ['law', 'coins']));
    await button(tab, 'HELP');
    await tab.click(`${helpWindow} button`, 'left', '閉じる');
    assert.deepEqual([await tab.waitFor(() => document.querySelector('dialog.question[open] .title')?.textContent), await offered()], [' お客人数の設定', '20']);
    assert.deepEqual(await menuMarks(tab), marks(tab, ['law']));
    await tab.done();

    // The launcher composes the link a teacher prepares at home: only what the program takes, as the core reads it.
    const launcher = await browser.open(`${server.base}index.html`, { width: 1280, height: 720 });
    await launcher.waitFor(() => document.readyState === 'complete' && !document.querySelector('script[src="taluno.js"]'));
    await launcher.click('summary');
    await launcher.waitFor(() => !document.querySelector('form.lesson').hidden);
    await launcher.evaluate(() => {
        const form = document.querySelector('form.lesson');
        Object.entries({ program: '1', guests: '35', share: '60', prepare: '500' }).forEach(([name, value]) => {
            form.elements[name].value = value;
            form.elements[name].dispatchEvent(new Event('change', { bubbles: true }));
        });
        form.querySelector('.toggles input').click();
        form.querySelector('canvas').scrollIntoView();
    });
    const composed = await launcher.evaluate(() => [...document.querySelectorAll('.lesson-link, .lesson-unused li')].map((part) => part.textContent));
    assert.deepEqual(composed, [`${server.base}taluno1.html#share=60&show=line&lang=ja`, ...core.composeLink(1, '', 'share=60&prepare=500').unused]);
    assert.equal(await scannedCode(launcher), composed[0]);
    await launcher.close();
});

scenario('この設定を配る from a file: the site\'s address asked for until it is one, remembered, changed', async () => {
    const tab = await open(1, { hash: '#show=line&share=60' });
    await tab.evaluate(() => localStorage.clear());
    await tab.press('q');
    await answer(tab, ' サイトのアドレス', 'javascript:alert(1)');
    assert.equal(await tab.waitFor(() => document.querySelector('dialog.question[open] .text')?.textContent.split('\n')[0]), table.texts.siteRefusal);
    await answer(tab, ' サイトのアドレス', 'https://school.example/taluno/index.html');
    const shown = () => tab.waitFor(() => document.querySelector('dialog.share[open]') && [...document.querySelectorAll('.share .link, .share .note')].map((part) => part.textContent));
    const box = (site) => [`${site}taluno1.html#share=60&show=line&lang=ja`, core.siteNote(site)];
    assert.deepEqual(await shown(), box('https://school.example/taluno/'));
    await tab.click('dialog.share button', 'left', '閉じる');
    await tab.evaluate(() => setTimeout(() => location.reload(), globalThis.left = 1));
    await tab.waitFor(() => !globalThis.left && document.querySelector('.extras-menu'));
    await tab.press('q');
    assert.deepEqual(await shown(), box('https://school.example/taluno/'));
    await tab.click('dialog.share button', 'left', table.texts.changeSite);
    await answer(tab, ' サイトのアドレス', 'http://192.0.2.7/t');
    assert.deepEqual(await shown(), box('http://192.0.2.7/t/'));
    await tab.done();
});

scenario('Taluno1 on a Full HD projector: the stage in the middle, the walk as a line beside the table, the lowest so far large', async () => {
    const tab = await open(1, { clock: true, viewport: [1920, 1080] });
    // Equal room left and right, above and below, the walk's line shown or not.
    const margins = () => tab.evaluate(() => {
        const stage = document.querySelector('.stage').getBoundingClientRect();
        return [stage.left, innerWidth - stage.right, stage.top, innerHeight - stage.bottom].map(Math.round);
    });
    const [left, right, above, below] = await margins();
    assert.ok(left > 100 && Math.abs(left - right) <= 1 && Math.abs(above - below) <= 1, String([left, right, above, below]));
    await tab.press('l');
    const [graph, [wideLeft, wideRight]] = [place(tab, 'walkGraph'), await margins()];
    assert.ok(Math.abs(wideLeft - wideRight) <= 1);
    assert.equal(await tab.evaluate((window) => document.querySelector(window).offsetWidth, mainWindow), graph.left + graph.width + table.face.panelMargin);
    await button(tab, '自動開始');
    await runFor(tab, 500);
    // The lowest so far in type as large as the window's title.
    const [lowest, title] = await tab.evaluate((labels) => labels.map((s) => parseFloat(getComputedStyle(document.querySelector(s)).fontSize)),
                                              [named(tab, 'lowestSoFarLabel'), named(tab, 'titleLabel')]);
    assert.ok(lowest >= title, String([lowest, title]));
    const first = Number(await text(tab, named(tab, 'balanceCells')[0]));
    // The first step in blue, three layout pixels wide or more across its middle at the stage's scale: a line the back row follows.
    const across = await tab.evaluate(([selector, y, [unitsAcross, unitsDown]]) => {
        const canvas = document.querySelector(`${selector} canvas`);
        const row = canvas.getContext('2d').getImageData(0, Math.floor((y * canvas.height) / unitsDown), Math.floor((13 * canvas.width) / unitsAcross), 1).data;
        return row.filter((value, k) => k % 4 === 2 && value > 128 && row[k - 2] < 128).length / (canvas.width / canvas.clientWidth);
    }, [named(tab, 'walkGraph'), 46 - 2 * first, [graph.unitsAcross, graph.unitsDown]]);
    assert.ok(across >= 3, `the walk ${across} px wide`);
    await tab.done();
});

scenario('Taluno2 and Taluno3 on a Full HD projector: the mean, each count beside its expectation, the axis numbers, read from the back row', async () => {
    for (const program of [2, 3]) {
        const tab = await open(program, { clock: true, viewport: [1920, 1080] });
        await answer(tab, ' お客人数の設定', '100', ' 実験回数の設定', '100');
        await button(tab, '実験開始');
        await tab.press('t');
        // The ink of the digits on the screen: the answer 36 pixels or more, every other number 28 (0: cut at its surface's edge).
        const numbers = program === 2 ? `${named(tab, 'countCells')[50]} .caption` : `${mainWindow} .surface-text .number`;
        const [mean, ...others] = await tab.evaluate((selectors) => {
            const context = document.createElement('canvas').getContext('2d');
            const scale = document.querySelector('.stage').getBoundingClientRect().width / document.querySelector('.stage').offsetWidth;
            return selectors.flatMap((s) => [...document.querySelectorAll(s)]).map((element) => {
                context.font = getComputedStyle(element).font;
                const ink = context.measureText('0123456789');
                const edge = element.closest('.surface')?.getBoundingClientRect().bottom ?? Infinity;
                return element.getBoundingClientRect().bottom > edge + 0.5 ? 0 : (ink.actualBoundingBoxAscent + ink.actualBoundingBoxDescent) * scale;
            });
        }, [`${named(tab, 'meanValue')} .caption`, numbers]);
        assert.ok(mean >= 36 && others.length >= 2 && Math.min(...others) >= 28, `${mean}, ${others}`);
        await tab.done();
    }
});

scenario('A tablet held upright: Taluno1\'s walk under its table, every button 44 pixels high or more', async () => {
    for (const viewport of [[820, 1180], [768, 1024]]) {
        const tab = await open(1, { clock: true, viewport });
        await tab.press('l');
        await button(tab, '自動開始');
        await runFor(tab, 500);
        const first = Number(await text(tab, named(tab, 'balanceCells')[0]));
        const [graph, answer, table, buttons, window] = await tab.evaluate(([graph, answer, cell, window]) => {
            const box = (selector) => document.querySelector(selector).getBoundingClientRect();
            const shown = [...document.querySelectorAll('.window .button')].filter((b) => b.offsetParent !== null);
            return [box(graph), box(answer), box(cell), shown.map((b) => Math.round(b.getBoundingClientRect().height * 10) / 10), box(window)];
        }, [named(tab, 'walkGraph'), named(tab, 'lowestSoFarLabel'), named(tab, 'balanceCells').at(-1), mainWindow]);
        // The walk and the answer inside the window, and the window inside the screen.
        const within = (inner, outer) => inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right + 0.5 && inner.bottom <= outer.bottom + 0.5;
        assert.ok(graph.top >= table.bottom && answer.top >= graph.bottom && within(graph, window) && within(answer, window)
                  && within(window, { left: 0, top: 0, right: viewport[0], bottom: viewport[1] }), `${viewport}: ${JSON.stringify([graph, answer, table, window])}`);
        assert.ok(buttons.length === 5 && buttons.every((height) => height >= 44), `${viewport}: ${buttons}`);
        // Drawn again at its new size: the first step in blue where its units fall.
        assert.deepEqual(await colours(tab, 'walkGraph', [[11.5, 46 - 2 * first]]), ['#0000ff']);
        await tab.done();
    }
});

scenario('Under a finger: a long press opens the menu through a small movement and clicks nothing; a tap clicks; buttons a finger can hit', async () => {
    const tab = await open(3, { clock: true });
    await answer(tab, ' お客人数の設定', '10', ' 実験回数の設定', '5');
    // A press on 実験開始 that moves, held, then lifted.
    const press = (moveBy, holdMs) => tab.evaluate(([[dx, dy], hold]) => {
        const target = [...document.querySelectorAll('button')].find((b) => b.textContent === '実験開始');
        const box = target.getBoundingClientRect();
        const at = (x, y) => ({ bubbles: true, cancelable: true, pointerType: 'touch', isPrimary: true, pointerId: 7, clientX: box.left + x, clientY: box.top + y });
        target.dispatchEvent(new PointerEvent('pointerdown', at(10, 10)));
        target.dispatchEvent(new PointerEvent('pointermove', at(10 + dx, 10 + dy)));
        globalThis.testClock.runFor(hold);
        target.dispatchEvent(new PointerEvent('pointerup', at(10 + dx, 10 + dy)));
        target.click();
        return !document.querySelector('.extras-menu').hidden;
    }, [moveBy, holdMs]);
    assert.equal(await press([6, 8], 600), true);
    assert.equal(await text(tab, named(tab, 'meanValue')), '');
    // The menu's items, and the buttons of the boxes, 44 pixels high or more.
    assert.ok(await tab.evaluate(() => [...document.querySelectorAll('.extras-menu button')].every((b) => b.getBoundingClientRect().height >= 44)));
    await tab.press('Escape');
    assert.equal(await press([0, 0], 300), false, 'a tap is no long press');
    assert.notEqual(await text(tab, named(tab, 'meanValue')), '', 'the tap runs');
    // No double-tap zoom, no selection or callout of the system's own.
    assert.deepEqual(await tab.evaluate(() => {
        const body = getComputedStyle(document.body);
        return [body.touchAction, body.userSelect || body.webkitUserSelect, CSS.supports('-webkit-touch-callout', 'none') ? body.webkitTouchCallout : 'none'];
    }), ['manipulation', 'none', 'none']);
    await tab.done();
});

scenario('The guide and the worksheet beside the pages: every picture there, the worksheet on one A4 page with rows to write in, the menus each on one line', async () => {
    for (const [name, pages] of [['guide', null], ['worksheet', 1], ['guide-en', null], ['worksheet-en', 1]]) {
        const tab = await browser.open(`${server.base}${name}.html`, { width: 1000, height: 800 });
        const pictures = await tab.waitFor(() => document.readyState === 'complete' && [...document.images].map((image) => image.complete && image.naturalWidth > 0));
        assert.ok(pictures.every(Boolean), `${name}: ${pictures}`);
        if (browser.supports.print && pages) {
            const pdf = (await tab.pdf()).toString('latin1');
            assert.equal(pdf.match(/\/Type\s*\/Page[^s]/g).length, pages, name);
            // 210 x 297 mm in points, to a point.
            const [width, height] = pdf.match(/\/MediaBox\s*\[\s*0 0 ([\d.]+) ([\d.]+)\s*\]/).slice(1).map(Number);
            assert.ok(Math.abs(width - 595.3) < 1 && Math.abs(height - 841.9) < 1, `${name} on A4: ${width} x ${height}`);
            // Printed, every row to write in is 9 mm high or more, room for a pupil's hand.
            await tab.devtools('Emulation.setEmulatedMedia', { media: 'print' });
            const lowest = await tab.evaluate(() => Math.min(...[...document.querySelectorAll('td:empty')].map((cell) => cell.parentElement.getBoundingClientRect().height)));
            assert.ok((lowest * 25.4) / 96 >= 9, `${name}: a row of ${lowest} px`);
        } else if (browser.supports.print) { // printed, each of the guide's menus on one line
            await tab.devtools('Emulation.setEmulatedMedia', { media: 'print' });
            assert.deepEqual(await tab.evaluate(() => [...document.querySelectorAll('td:first-child:nth-last-child(3)')].filter((cell) => {
                const text = document.createRange();
                text.selectNodeContents(cell);
                return text.getClientRects().length > 1;
            }).map((cell) => cell.textContent)), []);
        }
        await tab.close();
    }
    assert.deepEqual(server.requests.filter((r) => r.status !== 200), []);
});

scenario('The site from its zip: every file kept, installable, every program run offline after one visit, a new build on the next visit', async () => {
    const version = process.env.TALUNO_VERSION;
    const folder = mkdtempSync(join(tmpdir(), 'taluno-site-'));
    execFileSync(process.env.TALUNO_CMAKE, ['-E', 'tar', 'xf', process.env.TALUNO_SITE_ZIP], { cwd: folder });
    const zipped = readdirSync(folder).sort();
    assert.equal(basename(process.env.TALUNO_SITE_ZIP), `taluno-web-${version}.zip`);

    // The service worker keeps every file of the zip; one version throughout.
    const worker = readFileSync(join(folder, 'serviceworker.js'), 'utf8');
    const kept = JSON.parse(/const files = (.*);/.exec(worker)[1]);
    assert.deepEqual(kept.toSorted(), ['./', ...zipped.filter((name) => name !== 'serviceworker.js')].sort());
    const manifest = JSON.parse(readFileSync(join(folder, 'manifest.webmanifest'), 'utf8'));
    assert.ok(manifest.description.endsWith(`（バージョン ${version}）`), manifest.description);
    // The app's icons of 192 and 512 pixels, and the iPad's of 180, each as large as it says.
    const pixels = (name) => { const png = readFileSync(join(folder, name)); return `${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`; };
    assert.deepEqual(manifest.icons.map((icon) => [icon.sizes, pixels(icon.src)]), [['192x192', '192x192'], ['512x512', '512x512']]);
    assert.equal(pixels('apple-touch-icon.png'), '180x180');
    // Each page with the core it loads fits a school tablet's slow line: 200 KB or less.
    for (const { number: program } of table.programs)
        assert.ok(readFileSync(join(folder, `taluno${program}.html`)).length + readFileSync(join(folder, 'taluno.js')).length <= 200 * 1024, `taluno${program}.html`);

    let host = await serve(folder, { stillClock: true });
    const launcher = `${host.base}index.html`;
    const tab = await browser.open(launcher, { width: 1000, height: 700 });
    const footer = () => tab.waitFor(() => document.readyState === 'complete' && document.querySelector('footer')?.textContent);
    assert.equal(await footer(), `バージョン ${version}`);
    // Kept on the first visit: the worker active, its cache holding every file.
    const keeping = await tab.waitFor(async () => {
        const registration = await navigator.serviceWorker.getRegistration();
        return registration?.active?.state === 'activated' && navigator.serviceWorker.controller !== null
            && (await Promise.all((await caches.keys()).map(async (name) => (await (await caches.open(name)).keys()).length)));
    }, undefined, 20000);
    assert.deepEqual(keeping, [kept.length]);
    if (browser.supports.devtools) {
        // The test's browser context is off the record, where nothing installs; that is all it may say.
        const { installabilityErrors } = await tab.devtools('Page.getInstallabilityErrors');
        assert.deepEqual(installabilityErrors.filter((error) => error.errorId !== 'in-incognito'), []);
        assert.deepEqual((await tab.devtools('Page.getAppManifest')).errors, []);
    }

    // The network gone (the server too, and where the engine can, the tab's): each program opens, its core with it.
    const goOffline = async () => Promise.all([tab.setOffline?.(true), host.close()]);
    await goOffline();
    for (const { number: program } of table.programs) {
        await tab.goto(`${host.base}taluno${program}.html`);
        assert.equal(await tab.waitFor((window) => document.querySelector(`${window} button`) && document.title, mainWindow),
                     core.layout(Window.main, program).title.trim());
    }

    // A new build on the same address: shown on the next visit with the network back, kept in its own
    // cache, the old one gone, and shown offline from then on.
    const newVersion = `${version}.1`;
    writeFileSync(join(folder, 'index.html'), readFileSync(join(folder, 'index.html'), 'utf8').replaceAll(`バージョン ${version}`, `バージョン ${newVersion}`));
    writeFileSync(join(folder, 'serviceworker.js'), worker.replace(/const cacheName = "([^"]+)"/, 'const cacheName = "$1-new"'));
    host = await serve(folder, { port: host.port, stillClock: true });
    await tab.setOffline?.(false);
    await tab.goto(launcher);
    assert.equal(await footer(), `バージョン ${newVersion}`);
    await tab.waitFor(async () => (await caches.keys()).every((name) => name.endsWith('-new')), undefined, 20000);
    await goOffline();
    await tab.goto(launcher);
    assert.equal(await footer(), `バージョン ${newVersion}`);
    assert.equal((await tab.evaluate(() => caches.keys())).length, 1);
    assert.deepEqual(await tab.evaluate(() => globalThis.pageErrors), []);
    await tab.close();
    rmSync(folder, { recursive: true, force: true });
});

// What a page or the launcher shows as text in its language, its title with it: not the names of the other languages,
// each marked as in its own.
const shownText = (tab) => tab.evaluate(() => [...document.querySelectorAll('body [lang]')].filter((other) => other.lang !== document.documentElement.lang)
    .reduce((shown, other) => shown.replace(other.textContent, ''), `${document.title}\n${document.body.innerText}`));
const japanese = /[\u3040-\u30ff\u3400-\u9fff\uf900-\ufaff\u3000-\u303f\uff00-\uffef]/;

scenario('Each language: chosen by the browser, the link or the menu, remembered; every caption fitting its box after a run; no Japanese in English', async () => {
    // The launcher of a browser in English: its texts and its guide in English, the form making English links.
    const launcher = await browser.open(`${server.base}index.html`, { width: 1280, height: 720, locale: 'en' });
    await launcher.click('summary');
    await launcher.waitFor(() => !document.querySelector('form.lesson').hidden);
    const said = await launcher.evaluate(() => [document.documentElement.lang, document.querySelector('[data-href="guide"]').href.split('/').at(-1),
                                                document.querySelector('form.lesson').elements.lang.value]);
    assert.deepEqual(said, ['en', 'guide-en.html', 'en']);
    assert.doesNotMatch(await shownText(launcher), japanese);
    await launcher.close();
    // Each program in each language after a run: the browser's language (Japanese), or the link's over it.
    for (const [language, hash] of [['ja', ''], ['en', '#lang=en']]) {
        for (const { number: program } of table.programs) {
            const tab = await open(program, { from: 'http', clock: true, hash });
            const accept = async () => tab.click((await tab.waitFor(() => document.querySelector('dialog.question[open]') && 'dialog.question .accept')));
            if (program !== 1) {
                await tab.waitFor(() => document.querySelector('dialog.question[open]'));
                assert.ok(language === 'ja' || !japanese.test(await shownText(tab)), 'a box in English');
                await accept().then(accept);
            }
            await tab.click(named(tab, 'startButton'));
            if (program === 1) // Taluno1's first 20 tosses: every caption the walk's cells take on
                await runFor(tab, 7500).then(() => runFor(tab, 7500));
            // Every caption within its box, in the main window and in the help window.
            const unfit = () => tab.evaluate(() => [...document.querySelectorAll('.window :is(.label, button):not([hidden])')].filter((box) => {
                const outer = box.getBoundingClientRect();
                const range = document.createRange();
                range.selectNodeContents(box);
                return [...range.getClientRects()].some((r) => r.width && (r.left < outer.left - 0.5 || r.right > outer.right + 0.5 || r.top < outer.top - 0.5 || r.bottom > outer.bottom + 0.5));
            }).map((box) => box.textContent));
            assert.deepEqual([await tab.evaluate(() => document.documentElement.lang), await unfit()], [language, []], `taluno${program} ${hash}`);
            if (language === 'en') {
                await tab.click(mainWindow, 'right');
                assert.doesNotMatch(await shownText(tab), japanese);
                await tab.press('Escape');
            }
            // Taluno1's HELP waits for a walk stopped.
            for (const row of program === 1 ? ['resetButton', 'startButton', 'stopButton'] : [])
                await tab.click(named(tab, row));
            await tab.click(named(tab, 'helpButton'));
            await tab.waitFor((help) => document.querySelector(help), helpWindow);
            assert.deepEqual(await unfit(), [], `taluno${program} help ${hash}`);
            await tab.done();
        }
    }
    // English chosen in the menu over a link naming Japanese: the link rewritten, the choice kept for the next page.
    const tab = await open(1, { from: 'http', hash: '#share=60&lang=ja' });
    await tab.click(mainWindow, 'right');
    await tab.click('.extras-menu button', 'left', 'English');
    assert.equal(await tab.waitFor(() => document.documentElement.lang === 'en' && document.querySelector('.extras-menu') && location.hash), '#share=60&lang=en');
    await tab.goto(`${server.base}taluno3.html`);
    assert.equal(await tab.waitFor(() => document.querySelector('.extras-menu') && document.documentElement.lang), 'en');
    await tab.evaluate(() => localStorage.clear()); // WebKit keeps it for the next scenario
    await tab.close();
});
