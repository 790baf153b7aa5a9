// この設定を配る: a box with the link of the set-up in use, its QR code for the class to scan off the projector,
// and a button that copies the link. Served from a web address the links begin with the page's own folder;
// opened from a file, with the site's address the teacher gives once, which is remembered.

import * as leanQr from '../node_modules/lean-qr/index.mjs';
import { copyToClipboard, element } from './element.js';

// The white border a reader needs around the code, in modules, as the QR standard asks.
const quietModules = 4;
const siteKey = 'taluno.site';

// The site's address the teacher gave, as the core reads it; null where none was given or it is kept from reach.
export function rememberedSite(core) {
    try {
        return core.siteFolder(localStorage.getItem(siteKey) ?? '');
    } catch {
        return null;
    }
}

export function rememberSite(site) {
    try {
        localStorage.setItem(siteKey, site);
    } catch { /* a browser that keeps nothing for a file: asked again next time */ }
}

// Draws `text` as a QR code (error correction M or better, its quiet zone within) on `canvas`, `side` CSS pixels
// or a little more, each module a whole number of device pixels, so that the code stays sharp.
export function drawLessonCode(canvas, text, side) {
    const code = leanQr.generate(text, { minCorrectionLevel: leanQr.correction.M });
    const modules = code.size + 2 * quietModules;
    const ratio = devicePixelRatio || 1;
    const pixels = Math.max(1, Math.ceil((side * ratio) / modules));
    canvas.width = canvas.height = modules * pixels;
    canvas.style.width = canvas.style.height = `${(modules * pixels) / ratio}px`;
    const context = canvas.getContext('2d');
    context.fillStyle = '#fff';
    context.fillRect(0, 0, canvas.width, canvas.height);
    context.fillStyle = '#000';
    for (let y = 0; y < code.size; ++y) {
        for (let x = 0; x < code.size; ++x) {
            if (code.get(x, y))
                context.fillRect((x + quietModules) * pixels, (y + quietModules) * pixels, pixels, pixels);
        }
    }
}

export class ShareBox {
    // `texts`: the core's texts of the box; `ask(question)`: a promise of the answer to an input box, null for キャンセル.
    constructor(parent, core, texts, codeShare, ask) {
        Object.assign(this, { core, texts, codeShare, ask });
        this.dialog = element('dialog', 'question share', parent);
        this.dialog.setAttribute('aria-labelledby', 'share-title');
        const title = element('h2', 'title', this.dialog);
        title.id = 'share-title';
        title.textContent = texts.shareLessonTitle;
        element('p', 'text', this.dialog).textContent = texts.shareLessonText;
        this.code = element('canvas', 'code', this.dialog);
        this.code.setAttribute('role', 'img');
        this.code.setAttribute('aria-labelledby', 'share-link');
        this.link = element('p', 'link', this.dialog);
        this.link.id = 'share-link';
        this.note = element('p', 'note', this.dialog);
        const buttons = element('div', 'buttons', this.dialog);
        const button = (caption, onClick) => {
            const made = element('button', '', buttons);
            made.type = 'button';
            made.textContent = caption;
            made.addEventListener('click', onClick);
            return made;
        };
        this.copy = button(texts.copyLink, () => copyToClipboard(this.link.textContent, this.dialog));
        this.change = button(texts.changeSite, async () => {
            this.dialog.close();
            const site = await this.askSite(this.site);
            this.show(this.lessonLink, site ?? this.site);
        });
        button(texts.closeCaption, () => this.dialog.close());
    }

    get open() {
        return this.dialog.open;
    }

    // Shows the link that `lessonLink(site)` makes: of the page's own folder where it is served, else of the site
    // the teacher gave, asked for where none was.
    async offer(lessonLink) {
        const served = this.core.siteFolder(location.href);
        const site = served ?? rememberedSite(this.core) ?? await this.askSite('');
        if (site)
            this.show(lessonLink, site, !served);
    }

    show(lessonLink, site, given = true) {
        Object.assign(this, { lessonLink, site });
        const link = lessonLink(site);
        this.link.textContent = link;
        this.note.textContent = given ? this.core.siteNote(site) : '';
        this.note.hidden = this.change.hidden = !given;
        this.dialog.showModal();
        drawLessonCode(this.code, link, this.codeShare * innerHeight);
        this.copy.focus();
    }

    // Asks for the site's address until the core takes it as one, or キャンセル; remembers what it takes.
    async askSite(offered) {
        for (let text = this.texts.sitePrompt, typed = offered; ;) {
            typed = await this.ask({ input: true, multiline: false, title: this.texts.siteTitle, text, defaultText: typed });
            if (typed === null)
                return null;
            const site = this.core.siteFolder(typed);
            if (site) {
                rememberSite(site);
                return site;
            }
            text = `${this.texts.siteRefusal}\n\n${this.texts.sitePrompt}`;
        }
    }
}
