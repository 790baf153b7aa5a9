// What the back row reads: the height in screen pixels of the digits' ink of every number the class reads, in each
// page at full screen on a Full HD and on a 1366 x 768 screen, and of the boxes' text, with a screenshot of each. The
// goal: the answer 36 pixels or more, every other number 28 or more. Needs `npm ci` in tests/web and Debian's chromium.
//   node bench/web/readable.mjs [build dir] [folder for the screenshots]
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from '../../tests/web/node_modules/playwright-core/index.mjs';

const build = resolve(process.argv[2] ?? 'build');
const language = process.env.TALUNO_LANGUAGE ?? 'ja'; // the pages' language: TALUNO_LANGUAGE=en for the English face
const shots = process.argv[3] ? resolve(process.argv[3]) : null;
const browser = await chromium.launch({
    executablePath: process.env.TALUNO_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update'],
});

// The ink of "0123456789" in each element's font, times the stage's scale: the tallest digit as the screen shows it.
// The boxes and the menu stand outside the stage, at the view's size.
const digits = (page, selectors, outside = false) => page.evaluate(([selectors, outside]) => {
    const stage = document.querySelector('.stage');
    const scale = outside ? 1 : stage.getBoundingClientRect().width / stage.offsetWidth;
    const context = document.createElement('canvas').getContext('2d');
    return selectors.map((selector) => {
        const found = [...document.querySelectorAll(selector)].filter((e) => outside || e.textContent.trim() !== '');
        return found.length === 0 ? null : Math.min(...found.map((element) => {
            context.font = getComputedStyle(element).font;
            const ink = context.measureText('0123456789');
            return Math.round((ink.actualBoundingBoxAscent + ink.actualBoundingBoxDescent) * scale);
        }));
    });
}, [selectors, outside]);

const answer = async (page, reply) => {
    await page.locator('dialog.question[open] input').fill(reply);
    await page.keyboard.press('Enter');
};
// Buttons by their controls' names, the same in every language.
const click = (page, name) => page.locator(`[data-window="main"] button[data-name="${name}"]`).click();
const cell = (name) => `[data-window="main"] [data-name^="${name}"] .caption`;

const rows = [];
for (const [width, height] of [[1920, 1080], [1366, 768]]) {
    for (const program of [1, 2, 3]) {
        const page = await browser.newPage({ viewport: { width, height } });
        await page.goto(`${pathToFileURL(`${build}/web/site/taluno${program}.html`).href}#lang=${language}`);
        // Its keys work once the menu is made.
        await page.locator('.extras-menu').waitFor({ state: 'attached' });
        const figures = {};
        if (program === 1) {
            await page.keyboard.press('l');
            await click(page, 'Command4'); // auto start
            await page.waitForFunction(() => document.querySelector('[data-name="tm_17"]')?.textContent !== '', null, { timeout: 60000 });
            await click(page, 'Command5'); // auto stop
            [figures.answer, figures.table] = await digits(page, ['[data-window="main"] [data-name="lowestSoFar"]', cell('tm_')]);
        } else {
            await answer(page, '100');
            await answer(page, '1000');
            await click(page, 'Command1'); // start
            await page.keyboard.press('k');
            await page.keyboard.press('c');
            await answer(page, '5');
            const table = program === 2 ? cell('dosu_') : '[data-window="main"] .surface-text span.number';
            [figures.answer, figures.table, figures.panel] = await digits(page, [cell('Label3'), table, '.side-panel td']);
            if (program === 2) {
                await page.keyboard.press('t');
                figures.law = (await digits(page, [cell('dosu_')]))[0];
            }
        }
        [figures.box] = await digits(page, ['dialog.question'], true);
        if (shots)
            await page.screenshot({ path: `${shots}/web-taluno${program}-${width}x${height}.png` });
        rows.push({ screen: `${width}x${height}`, program: `Taluno${program}`, ...figures });
        await page.close();
    }
}
console.table(rows);
await browser.close();
