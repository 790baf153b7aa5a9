// Makes the site: the three self-contained pages, the launcher, the printable guide and worksheet with
// their pictures, the web app's manifest and icons, and the service worker that keeps it all offline.
//   node build.mjs <core.wasm> <web icons folder> <32 px icon.png> <version> <out dir>
import { createHash } from 'node:crypto';
import { copyFileSync, existsSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { printablePage } from './printpage.mjs';
import { loadCore, Window } from './src/core.js';
import { keepOffline } from './src/offline.js';

const here = dirname(fileURLToPath(import.meta.url));
const [wasmFile, iconFolder, smallIcon, version, out] = process.argv.slice(2);
const read = (name) => readFileSync(join(here, name), 'utf8');
const fill = (template, values) => template.replace(/@([A-Z]+)@/g, (_, key) => values[key]);
const siteName = 'Talunoの実験';
const siteDescription = '500円玉を何枚用意すればよいか、コイン投げのシミュレーションで調べます';
const themeColour = '#3a6ea5'; // the desktop behind the windows
mkdirSync(out, { recursive: true });
const written = [];
const write = (name, content) => {
    writeFileSync(join(out, name), content);
    written.push(name);
};

// What every page's head holds: what the site is for, its icons, the colour of its app's frame, and the
// lines that offer the site as an app and keep it offline when it is served from a web address.
const head = `<meta name="description" content="${siteDescription}。中学・高校の確率・統計の授業で使えます。">
<link rel="icon" type="image/png" sizes="32x32" href="data:image/png;base64,${readFileSync(smallIcon).toString('base64')}">
<link rel="apple-touch-icon" href="apple-touch-icon.png">
<meta name="theme-color" content="${themeColour}">
<script>(${keepOffline})();</script>`;

// The modules of a page, each after those it imports. Put together as one classic script (a page opened
// from a file may not load modules of its own), they share one scope: no two may declare one name.
const modules = ['src/language.js', 'src/core.js', 'src/element.js', 'src/surface.js', 'src/window.js', 'src/dialog.js', 'src/sharebox.js',
                 'src/extras.js', 'src/page.js', 'src/launcher.js'];
const declaredBy = new Map();
for (const name of modules) {
    for (const [, declared] of read(name).matchAll(/^(?:export )?(?:async )?(?:const|let|var|function\*?|class) +([\w$]+)/gm)) {
        if (declaredBy.has(declared))
            throw new Error(`${name} and ${declaredBy.get(declared)} both declare ${declared} at the top level`);
        declaredBy.set(declared, name);
    }
}
// The QR codes' library (npm ci in this folder), in a scope of its own: its short names stay its own, and the pages
// know it as leanQr, as the modules import it.
const qrLibrary = 'node_modules/lean-qr/index.mjs';
if (!existsSync(join(here, qrLibrary)))
    throw new Error(`${qrLibrary} is missing: run npm ci in ${here}`);
const qrExports = /export\{([^}]*)\};?\s*$/;
const qrSource = read(qrLibrary);
if (!qrExports.test(qrSource))
    throw new Error(`${qrLibrary} does not end in the exports it is read for`);
const leanQr = `const leanQr = (() => {${qrSource.replace(qrExports, (_, names) =>
    `return {${names.split(',').map((pair) => pair.split(' as ').reverse().join(': ')).join(', ')}};`)}})();`;
// Without the comments and indentation the sources keep for their readers: the less a page weighs, the sooner
// a tablet on a slow network shows it.
const plain = (name) => read(name).replace(/^import .*;\n/gm, '').replace(/^export /gm, '');
const squeezed = (text) => text.replace(/^[ \t]*\/\/.*\n/gm, '').replace(/^[ \t]+/gm, '').replace(/\n{2,}/g, '\n');

// A page for each program of the core's table, with the table and its main window's layout written in, so that
// the window shows at once; the core, compressed, in a script beside them that all three share. The page makes
// the cue sounds with it.
const wasmBytes = readFileSync(wasmFile);
const core = await loadCore(wasmBytes, {});
const table = core.table();
const { programs } = table;
// Each language's table and main windows, the original language's first: a page is written with them all.
const languages = table.languages.map(({ code }) => code).sort((a, b) => (b === table.language) - (a === table.language));
const inLanguage = Object.fromEntries(languages.map((code) => {
    core.useLanguage(code);
    return [code, { table: core.table(), texts: core.texts(),
                    layouts: Object.fromEntries(programs.map(({ number }) => [number, core.layout(Window.main, number)])) }];
}));
core.useLanguage(table.language);
const packed = (bytes) => gzipSync(bytes, { level: 9 }).toString('base64');
// The pages' script and the core, gzip-compressed as base64, in one file that all three pages share (a page
// opened from a file may load a classic script, not modules or other files). Beside them stands what runs before the
// script is unpacked: the choice of a language (a page that cannot unpack says so in its own) and the small loader.
const [loaderModules, scriptModules] = [modules.slice(0, 1), modules.slice(1)];
const pagesScript = `globalThis.talunoModules = (() => {\n'use strict';\n${leanQr}\n${squeezed(scriptModules.map(plain).join('\n'))}\nreturn { startPage, startLauncher };\n})();\n`;
write('taluno.js', `'use strict';\n${squeezed([...loaderModules.map(plain), read('src/loader.js')].join('\n'))}
const talunoScript = '${packed(pagesScript)}';\nconst talunoCore = '${packed(wasmBytes)}';\n`);
for (const { number, title } of programs) {
    const each = (make) => JSON.stringify(Object.fromEntries(languages.map((code) => [code, make(inLanguage[code])])));
    const { pageHome } = table.texts;
    write(`taluno${number}.html`, fill(read('page.html'), {
        TITLE: title, HEAD: head, STYLE: read('style.css'), PROGRAM: number, HOME: pageHome,
        TEXTS: each(({ table: { programs: rows, texts } }) => ({ title: rows.find((row) => row.number === number).title,
                                                                pageHome: texts.pageHome, pageFailed: texts.pageFailed })),
        BOOT: packed(each(({ table: shown, layouts }) => ({ table: shown, layout: layouts[number] }))),
    }));
}
// The launcher with its texts in every language, written in the original language and put in the one chosen by a
// script of its own; the guide and the worksheet in that language where it has them.
const placed = (template, values) => template.replace(/\{(\w+)\}/g, (_, key) => values[key]);
const launcherTexts = Object.fromEntries(languages.map((code) => {
    const { texts } = inLanguage[code];
    const own = (name) => (existsSync(join(here, `../docs/${name}-${code}.md`)) && code !== table.language ? `${name}-${code}.html` : `${name}.html`);
    return [code, { ...texts, language: code, guide: own('guide'), worksheet: own('worksheet'),
                    launcherVersion: placed(texts.launcherVersion, { version }),
                    ...Object.fromEntries(inLanguage[code].table.programs.map((row) => [`program${row.number}`, placed(texts.launcherProgram, row)])) }];
}));
const used = new Set([...read('index.html').matchAll(/data-(?:text|href)="(\w+)"/g)].map(([, key]) => key).concat('language'));
const escaped = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
const launcher = fill(read('index.html'), {
    HEAD: head, PROGRAMS: programs.map(({ number }) => `<a href="taluno${number}.html" data-text="program${number}"></a>`).join('\n'),
    LANGUAGE: squeezed(plain('src/language.js')),
    TEXTS: JSON.stringify(Object.fromEntries(Object.entries(launcherTexts).map(([code, texts]) =>
        [code, Object.fromEntries([...used].map((key) => [key, texts[key]]))]))).replace(/</g, '\\u003c'),
});
write('index.html', launcher.replace(/(<(\w+)[^>]* data-text="(\w+)"[^>]*>)<\/\2>/g,
                                     (_, open, tag, key) => `${open}${escaped(launcherTexts[table.language][key])}</${tag}>`));

// The teacher's guide and the worksheet from their Markdown, with the pictures the guide shows.
const docs = join(here, '../docs');
// Each language's pages beside the Japanese ones: guide-en.html from guide-en.md.
const printed = [['guide', 'ja', `${siteName} ― 先生のための手引き`], ['worksheet', 'ja', `${siteName} ワークシート`],
                 ['guide', 'en', 'Taluno Experiments: a guide for teachers'], ['worksheet', 'en', 'Taluno Experiments: worksheet']];
for (const [name, lang, title] of printed)
    write(`${name}${lang === 'ja' ? '' : `-${lang}`}.html`, printablePage(title, readFileSync(join(docs, `${name}-${lang}.md`), 'utf8'), head, lang));
for (const picture of ['web-taluno1-line.png', 'web-taluno3-extras.png', 'web-share-lesson.png', 'reflection.svg', 'drift.svg',
                       'web-taluno1-line-en.png', 'web-taluno3-extras-en.png', 'web-share-lesson-en.png', 'reflection-en.svg', 'drift-en.svg']) {
    copyFileSync(join(docs, picture), join(out, picture));
    written.push(picture);
}

// The app: Japanese names, the launcher first, in a frame of its own, with the coin as its icon.
for (const icon of ['icon-192.png', 'icon-512.png', 'apple-touch-icon.png']) {
    copyFileSync(join(iconFolder, icon), join(out, icon));
    written.push(icon);
}
write('manifest.webmanifest', `${JSON.stringify({
    name: siteName,
    short_name: siteName,
    description: `${siteDescription}（バージョン ${version}）`,
    lang: 'ja',
    id: './',
    start_url: './index.html',
    scope: './',
    display: 'standalone',
    theme_color: themeColour,
    background_color: themeColour,
    icons: [192, 512].map((size) => ({ src: `icon-${size}.png`, sizes: `${size}x${size}`, type: 'image/png' })),
}, null, 2)}\n`);

// The service worker keeps every file above, and the folder's own address; its cache is named after
// the version and what the files hold.
const contents = createHash('sha256');
for (const name of written.toSorted())
    contents.update(name).update(readFileSync(join(out, name)));
writeFileSync(join(out, 'serviceworker.js'), fill(read('serviceworker.js'), {
    CACHE: JSON.stringify(`taluno-${version}-${contents.digest('hex').slice(0, 12)}`),
    FILES: JSON.stringify(['./', ...written]),
}));
