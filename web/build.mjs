// Makes the three self-contained pages and the launcher: node build.mjs <core.wasm> <icon.png> <out dir>
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';

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
for (const program of [1, 2, 3]) {
    const page = fill(read('page.html'), {
        TITLE: titles[program], STYLE: read('style.css'), SCRIPT: script, PROGRAM: program,
        // The core stored compressed; the page makes the cue sounds with it.
        WASM: gzipSync(readFileSync(wasmFile), { level: 9 }).toString('base64'),
        ICON: readFileSync(iconFile).toString('base64'),
    });
    writeFileSync(join(out, `taluno${program}.html`), page);
}
writeFileSync(join(out, 'index.html'), read('index.html'));
