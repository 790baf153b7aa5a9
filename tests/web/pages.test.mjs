// The three pages in Debian's Chromium, headless, opened from file:// as a teacher opens them:
// laid out as the tables say at scale 1 and 2, prompts, runs, 初期化, HELP/閉じる and 終了.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { readFileSync } from 'node:fs';
import { chromium } from 'playwright-core';
import { loadCore } from '../../web/src/core.js';

const pages = process.env.TALUNO_WEB_DIR;
let browser;
let core;
before(async () => {
    core = await loadCore(readFileSync(process.env.TALUNO_WASM), {});
    browser = await chromium.launch({
        executablePath: process.env.TALUNO_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
               '--disable-sync', '--no-first-run'],
    });
});
after(() => browser?.close());

// Opens a program's page; every console error or uncaught exception fails the test at its end.
async function open(program, { scale = 1, clock = false } = {}) {
    // The browser window just holds the main window at this scale.
    const layout = core.layout(0, program);
    const [width, height] = [Math.trunc(layout.width / 15), Math.trunc(layout.height / 15)];
    const context = await browser.newContext({ viewport: { width: width * scale, height: height * scale },
                                               deviceScaleFactor: scale });
    const page = await context.newPage();
    const errors = [];
    page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
    page.on('pageerror', (error) => errors.push(error.message));
    if (clock)
        await page.clock.install({ time: new Date('2026-12-07T12:00:00') });
    await page.goto(pathToFileURL(`${pages}/taluno${program}.html`).href);
    await page.evaluate(() => globalThis.taluno);
    if (clock)
        await page.clock.pauseAt(new Date('2026-12-07T12:00:10'));
    page.done = async () => {
        assert.deepEqual(errors, []);
        await context.close();
    };
    return page;
}

const dialog = (page) => page.locator('dialog.question');

// Answers the open box: types into an input box and presses Enter, or presses a button by its caption.
async function answer(page, expectedTitle, reply) {
    await dialog(page).waitFor();
    assert.equal((await dialog(page).locator('.title').textContent()), expectedTitle);
    if (['はい', 'いいえ', 'キャンセル'].includes(reply)) {
        await dialog(page).getByRole('button', { name: reply }).click();
    } else {
        await dialog(page).locator('input').fill(reply);
        await page.keyboard.press('Enter');
    }
}

const text = (page, name) => page.locator(`[data-name="Form1"] [data-name="${name}"]`).textContent();

for (const scale of [1, 2]) {
    for (const program of [1, 2, 3]) {
        test(`Taluno${program} laid out as its table at scale ${scale}`, async () => {
            const page = await open(program, { scale });
            const boxes = await page.locator('[data-name="Form1"] > *').evaluateAll((children) => {
                const origin = children[0].parentElement.getBoundingClientRect();
                return children.map((child) => {
                    const r = child.getBoundingClientRect();
                    return [child.dataset.name, r.left - origin.left, r.top - origin.top, r.width, r.height].join();
                });
            });
            const controls = core.layout(0, program).controls;
            assert.equal(boxes.length, controls.length);
            for (const { name, kind, left, top, width, height, visible, caption } of controls) {
                if (visible && kind !== 'line') {
                    const place = [name, ...[left, top, width, height].map((twips) => Math.trunc(twips / 15) * scale)];
                    assert.ok(boxes.includes(place.join()), `${name} at ${place}`);
                }
                // A pupil's screen reader hears each button by its caption.
                if (kind === 'button' && visible)
                    assert.equal(await page.getByRole('button', { name: caption, exact: true }).count(), 1);
            }
            await page.done();
        });
    }
}

test('Taluno2: prompts refused and accepted, a run, 初期化, HELP and 閉じる, 終了', async () => {
    const page = await open(2);
    await answer(page, ' お客人数の設定', 'abc');
    // Refused: the same prompt, with its default again.
    await dialog(page).waitFor();
    assert.equal(await dialog(page).locator('input').inputValue(), '100');
    await answer(page, ' お客人数の設定', '３５');
    await answer(page, ' 実験回数の設定', '10001');
    await answer(page, ' 実験回数の設定', '200');
    assert.equal(await text(page, 'Label82'), '35');
    assert.equal(await text(page, 'Label2'), '200');

    await page.getByRole('button', { name: '実験開始' }).click();
    const counts = await page.locator('[data-name^="dosu_"]').allTextContents();
    assert.equal(counts.reduce((sum, count) => sum + Number(count), 0), 200);
    assert.match(await text(page, 'Label3'), /^-?\d*\.\d$/);
    assert.ok(await page.getByRole('button', { name: '実験開始' }).isDisabled());
    // The focus has moved on to 終了, which asks before anything is lost.
    assert.equal(await page.evaluate(() => document.activeElement.textContent), '終了');

    await page.getByRole('button', { name: '初期化' }).click();
    await answer(page, ' お客人数の設定', '10');
    await answer(page, ' 実験回数の設定', '1');
    assert.equal(await text(page, 'dosu_59'), '');
    assert.equal(await text(page, 'Label3'), '');

    await page.getByRole('button', { name: 'HELP' }).click();
    assert.equal(await page.locator('[data-name="Form1"]').count(), 0);
    await page.locator('[data-name="Form2"] .surface-text span').first().waitFor();
    assert.match(await page.locator('[data-name="Form2"]').textContent(), /問/);
    await page.getByRole('button', { name: '閉じる' }).click();
    // The main window comes back as at start-up and asks again.
    await answer(page, ' お客人数の設定', 'キャンセル');
    await answer(page, '確認', 'いいえ');
    await answer(page, ' お客人数の設定', '20');
    await answer(page, ' 実験回数の設定', '5');
    assert.equal(await text(page, 'Label82'), '20');

    await page.getByRole('button', { name: '終了' }).click();
    await answer(page, 'Talunoの実験', 'いいえ');
    assert.equal(await page.locator('[data-name="Form1"]').count(), 1);
    await page.getByRole('button', { name: '終了' }).click();
    await answer(page, 'Talunoの実験', 'はい');
    assert.match(await page.locator('.ended-note').textContent(), /再読み込み/);
    await page.done();
});

test('Taluno3: the graph drawn, described, and cleared by 初期化', async () => {
    const page = await open(3, { scale: 2 });
    await answer(page, ' お客人数の設定', '10');
    await answer(page, ' 実験回数の設定', '1000');
    await page.keyboard.press('Enter'); // the focus starts on 実験開始
    const graph = page.locator('[data-name="Picture1"]');
    assert.match(await graph.getAttribute('aria-description'), /^1000 回の実験の度数分布。/);
    // The result is announced: the values with their captions, then the graph in words.
    assert.match(await page.locator('[aria-live]').textContent(), /^お客人数 10。.*実験回数 1000。1000 回の実験の度数分布。/);
    // The bar of 0 rises from the tick at x 120 of 130 units: about a quarter of the runs end there.
    const blueAt = (x, y) => page.evaluate(([ux, uy]) => {
        const canvas = document.querySelector('[data-name="Picture1"] canvas');
        const pixel = canvas.getContext('2d').getImageData(Math.floor(ux * canvas.width / 130),
                                                           Math.floor(uy * canvas.height / 300), 1, 1).data;
        return pixel[0] === 0 && pixel[1] === 0 && pixel[2] === 255;
    }, [x, y]);
    assert.ok(await blueAt(120.5, 279));
    assert.ok(await blueAt(120.5, 200));
    // Boxes include their edges: an empty bin lies on the axis as a light-blue segment.
    assert.ok(await blueAt(60.5, 280.2));
    assert.equal(await graph.locator('.surface-text span.centred').count(), 12);

    await page.getByRole('button', { name: '初期化' }).click();
    assert.equal(await graph.getAttribute('aria-description'), 'グラフなし');
    assert.ok(!(await blueAt(120.5, 279)));
    await page.done();
});

test('Taluno3: the extras off until asked; T, K, the context menu, copy and save', async () => {
    const page = await open(3, { scale: 2 });
    await page.evaluate(() => { navigator.clipboard.writeText = async (text) => { globalThis.copied = text; }; });
    await answer(page, ' お客人数の設定', '10');
    await answer(page, ' 実験回数の設定', '1000');
    await page.keyboard.press('Enter');
    const redPixels = () => page.evaluate(() => {
        const canvas = document.querySelector('[data-name="Picture1"] canvas');
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        let red = 0;
        for (let i = 0; i < data.length; i += 4)
            red += data[i] === 255 && data[i + 1] === 0 && data[i + 2] === 0;
        return red;
    });
    assert.equal(await redPixels(), 0);
    assert.equal(await page.locator('.coins-panel').count(), 0);
    await page.keyboard.press('t');
    assert.ok(await redPixels() > 5);
    // The menu by right click: its toggle shows the panel in the graph's upper area.
    await page.locator('[data-name="Picture1"]').click({ button: 'right' });
    await page.getByRole('menuitemcheckbox', { name: /何枚用意すればよいか/ }).click();
    assert.match(await page.locator('.coins-panel').textContent(), /何枚用意すればよいか.*50 %/);
    await page.keyboard.press('Control+c');
    assert.match(await page.evaluate(() => globalThis.copied), /^お客人数\t10\n実験回数\t1000\n[^]*理論度数[^]*何枚用意すればよいか/);
    const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Control+s')]);
    const png = readFileSync(await download.path());
    assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [533 * 2, 381 * 2]);
    await page.keyboard.press('t');
    await page.keyboard.press('k');
    assert.equal(await redPixels(), 0);
    assert.equal(await page.locator('.coins-panel').count(), 0);
    await page.done();
});

test('Taluno1: tosses on the 500 and 750 ms beats, 自動停止, HELP beside', async () => {
    const page = await open(1, { clock: true });
    await page.getByRole('button', { name: '自動開始' }).click();
    // The first toss at 500 ms, then one every 750 ms: the 100th at 74.75 s.
    for (const [wait, toss] of [[499, 1], [749, 2], [749, 3]]) {
        await page.clock.runFor(wait);
        assert.equal(await text(page, `Labme_${toss}`), '', `toss ${toss} not yet`);
        await page.clock.runFor(1);
        assert.ok(['表', '裏'].includes(await text(page, `Labme_${toss}`)), `toss ${toss}`);
    }
    const faces = await page.locator('[data-name^="Labme_"]').allTextContents();
    assert.equal(await text(page, 'tm_3'), String(faces.reduce((sum, face) => sum + (face === '表') - (face === '裏'), 0)));
    await page.getByRole('button', { name: '自動停止' }).click();
    await page.clock.runFor(2000);
    assert.equal(await text(page, 'Labme_4'), '');

    await page.getByRole('button', { name: 'HELP' }).click();
    const help = page.locator('[data-name="Form2"]');
    const main = page.locator('[data-name="Form1"]');
    assert.ok((await help.boundingBox()).x > (await main.boundingBox()).x);
    await page.getByRole('button', { name: '閉じる' }).click();
    assert.equal(await help.count(), 0);
    await page.done();
});
