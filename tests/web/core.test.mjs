// The core compiled to WebAssembly against the native core: driven alike with the same clock,
// both must show the same texts (settings, counts, mean, tosses) and ask the same questions.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync, statSync } from 'node:fs';
import { test } from 'node:test';
import { loadCore, Window } from '../../web/src/core.js';
import { coinsEnough, enoughShare, lowestLaw } from './law.mjs';

const wasm = readFileSync(process.env.TALUNO_WASM);
const pages = process.env.TALUNO_WEB_DIR;
const tables = await loadCore(wasm, {});

// A step by name ("click:startButton", "tick:tossTimer") as both cores take it: by its row number.
const numbered = (program, step) => step.replace(/^(click|tick):(\w+)$/,
    (_, verb, name) => `${verb}:${tables.layout(Window.main, program).rows[name]}`);
const probe = process.env.TALUNO_COREPROBE;

async function runWasm(program, seconds, steps) {
    const state = { texts: [], asked: [], ended: false, questions: [] };
    const view = {
        setText: (window, control, text) => { state.texts[control] = text; },
        ask: (window, question) => { state.asked.push(question.title); state.questions.push(question); },
        endProgram: () => { state.ended = true; },
        secondsSinceMidnight: () => seconds,
    };
    const core = await loadCore(wasm, new Proxy(view, { get: (target, key) => target[key] ?? (() => {}) }));
    state.texts = core.layout(Window.main, program).controls.map((c) => (c.kind === 'label' ? c.caption : ''));
    core.start(program);
    core.activated(Window.main);
    for (const step of steps) {
        if (step.startsWith('click:'))
            core.clicked(Window.main, Number(step.slice(6)));
        else if (step.startsWith('tick:'))
            core.tick(Window.main, Number(step.slice(5)));
        else if (state.questions.at(-1)?.input === false)
            core.answerYesNo(Window.main, step === 'yes');
        else
            core.answerInput(Window.main, step);
    }
    return { texts: state.texts, asked: state.asked, ended: state.ended };
}

const runNative = (program, seconds, steps) =>
    JSON.parse(execFileSync(probe, [String(program), String(seconds), ...steps], { encoding: 'utf8' }));

const start = 'click:startButton';
const taluno1Run = ['click:startButton'];
for (let toss = 0; toss < 100; ++toss)
    taluno1Run.push('tick:spinTimer', 'tick:tossTimer', 'tick:nextCycleTimer');

const cases = {
    'Taluno2, the largest run': [2, 45296.75, ['1000', '10000', start]],
    'Taluno3, 10 guests, 1000 experiments at midnight': [3, 0, ['10', '1000', start]],
    'Taluno2 after 初期化': [2, 3600.5, ['35', '100', start, 'click:resetButton', '50', '7', start]],
    'Taluno1, 100 tosses': [1, 86399.9, taluno1Run],
    'empty answer, いいえ, then はい': [2, 1, ['', 'no', '', 'yes']],
};
const readings = ['9.99', '10.9', '1000.1', '50abc', '-50', '2500E-1', '1,000', '３５０', '　＋１２．５', '－５０', 'nan',
                  '1e400', '9'.repeat(400)];
for (const answer of readings)
    cases[`guest count read from ${JSON.stringify(answer.length > 20 ? answer.slice(0, 8) + '…' : answer)}`] = [2, 0, [answer, '10']];

for (const [name, [program, seconds, named]] of Object.entries(cases)) {
    test(name, async () => {
        const steps = named.map((step) => numbered(program, step));
        assert.deepEqual(await runWasm(program, seconds, steps), runNative(program, seconds, steps));
    });
}

test('the cue sounds the page makes are the desktop\'s files, byte for byte', async () => {
    const core = await loadCore(wasm, {});
    for (const [cue, file] of [[0, 'pinpon.wav'], [1, 'endpinpon.wav']])
        assert.deepEqual(Buffer.from(core.cueWav(cue)), readFileSync(`${process.env.TALUNO_CUES}/${file}`), file);
});

test('each page is 200 KB or less', () => {
    for (const program of [1, 2, 3]) {
        const size = statSync(`${pages}/taluno${program}.html`).size;
        assert.ok(size <= 200 * 1024, `taluno${program}.html is ${size} bytes`);
    }
});

test('the guide\'s worked answers are the law\'s', () => {
    const guide = readFileSync(new URL('../../docs/guide-ja.md', import.meta.url), 'utf8');
    const table = guide.slice(guide.indexOf('<!-- 理論値の表'));
    const rows = table.split('\n').filter((line) => /^\| \d/.test(line)).map((line) => line.split('|').slice(1, -1).map((c) => c.trim()));
    assert.equal(rows.length, 3);
    for (const [guests, mean, none, coins, meanShare, ...shares] of rows) {
        const law = lowestLaw(Number(guests));
        const average = law.reduce((sum, p, k) => sum + p * (k - Number(guests)), 0);
        const percent = (share) => `${(100 * share).toFixed(1)}%`;
        assert.deepEqual([mean, none, coins, meanShare, ...shares],
                         [`−${(-average).toFixed(2)}`, percent(enoughShare(law, 0)), String(Math.ceil(-average)),
                          percent(enoughShare(law, Math.ceil(-average))), ...[90, 95, 99].map((p) => String(coinsEnough(law, p)))],
                         `${guests} guests`);
    }
});
