// Makes the three self-contained pages, the launcher and the printable guide and worksheet:
//   node build.mjs <core.wasm> <icon.png> <out dir>
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { printablePage } from './printpage.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const [wasmFile, iconFile, out] = process.argv.slice(2);
const read = (name) => readFileSync(join(here, name), 'utf8');

// The modules as one inline script: a page opened from a file may not load modules of its own.
const script = ['src/core.js', 'src/element.js', 'src/surface.js', 'src/window.js', 'src/dialog.js', 'src/extras.js',
                'src/page.js']
    .map((name) => read(name).replace(/^import .*;\n/gm, '').replace(/^export /gm, ''))
    .join('\n');
const titles = { 1: 'Talunoの実験１', 2: 'Talunoの実験２', 3: 'Talunoの実験３' };

mkdirSync(out, { recursive: true });
const fill = (template, values) => template.replace(/@([A-Z]+)@/g, (_, key) => values[key]);
const icon = readFileSync(iconFile).toString('base64');
for (const program of [1, 2, 3]) {
    const page = fill(read('page.html'), {
        TITLE: titles[program], STYLE: read('style.css'), SCRIPT: script, PROGRAM: program,
        // The core stored compressed; the page makes the cue sounds with it.
        WASM: gzipSync(readFileSync(wasmFile), { level: 9 }).toString('base64'),
        ICON: icon,
    });
    writeFileSync(join(out, `taluno${program}.html`), page);
}
writeFileSync(join(out, 'index.html'), fill(read('index.html'), { ICON: icon }));

// The teacher's guide and the worksheet from their Markdown, with the pictures the guide shows.
const docs = join(here, '../docs');
for (const [name, title] of [['guide', 'Talunoの実験 ― 先生のための手引き'], ['worksheet', 'Talunoの実験 ワークシート']])
    writeFileSync(join(out, `${name}.html`), printablePage(title, readFileSync(join(docs, `${name}-ja.md`), 'utf8'), icon));
for (const picture of ['web-taluno1-line.png', 'web-taluno3-extras.png', 'reflection.svg'])
    copyFileSync(join(docs, picture), join(out, picture));
