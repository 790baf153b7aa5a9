// The main window's context menu (right click, the Menu key, Shift+F10, a long press) and its
// shortcuts, as the program's row lists its extras, all off until asked for; the twin of
// kit/extrasmenu.cpp: keep the two in step.

import { Window } from './core.js';
import { copyToClipboard, element } from './element.js';
import { rememberLanguage } from './language.js';
import { ShareBox } from './sharebox.js';

const longPressMs = 600;
// A finger never holds quite still: a press that moves less than this is still a long press.
const longPressSlop = 16;

export class Extras {
    constructor(page) {
        this.page = page;
        this.rows = page.row.extras;
        this.shown = new Map(); // a toggle's name: whether it is shown
        this.menu = document.createElement('div');
        this.menu.className = 'extras-menu';
        this.menu.setAttribute('role', 'menu');
        this.menu.hidden = true;
        page.root.append(this.menu);
        this.items = this.rows.map((row) => {
            const item = document.createElement('button');
            item.type = 'button';
            item.setAttribute('role', row.toggle ? 'menuitemcheckbox' : 'menuitem');
            item.setAttribute('aria-keyshortcuts', row.keys.replace('Ctrl', 'Control'));
            element('span', '', item).textContent = row.caption;
            element('kbd', '', item).textContent = row.keys;
            item.addEventListener('click', () => {
                this.close();
                this.run(row);
            });
            this.menu.append(item);
            return item;
        });
        this.items.push(...this.languageItems());
        const { core, texts, dialog } = page;
        this.shareBox = new ShareBox(page.root, core, texts, page.lessonCodeShare,
                                     (question) => new Promise((answered) => dialog.show(question, (value, accepted) => answered(accepted ? value : null))));
        this.listen();
    }

    // 言語: the languages by their own names under one heading, the one in use checked. Another chosen is kept for
    // every page, and this one opened again in it.
    languageItems() {
        const group = element('div', 'languages', this.menu);
        group.setAttribute('role', 'group');
        group.setAttribute('aria-label', this.page.texts.extraLanguage);
        element('div', 'heading', group).textContent = this.page.texts.extraLanguage;
        return this.page.languages.map(({ code, name }) => {
            const item = element('button', '', group);
            item.type = 'button';
            item.lang = code;
            item.setAttribute('role', 'menuitemradio');
            item.setAttribute('aria-checked', String(code === this.page.language));
            element('span', '', item).textContent = name;
            element('kbd', '', item);
            item.addEventListener('click', () => {
                this.close();
                if (code === this.page.language)
                    return;
                rememberLanguage(code);
                location.reload();
            });
            return item;
        });
    }

    // The toggles the core turned on by itself (a lesson's), by their names: marked as on, and every other as off.
    markShown(extras) {
        this.shown = new Map(extras.map((extra) => [extra, true]));
        this.showMarks();
    }

    showMarks() {
        this.rows.forEach((row, k) => row.toggle && this.items[k].setAttribute('aria-checked', String(Boolean(this.shown.get(row.extra)))));
    }

    run(row) {
        if (row.toggle)
            this.toggle(row.extra);
        else if (row.extra === 'copyResults')
            this.copy(row.caption);
        else if (row.extra === 'savePicture')
            this.save();
        else if (row.extra === 'shareLesson')
            this.shareBox.offer((site) => this.page.core.lessonLink(site));
        else
            this.page.forward(Window.main, (core) => core.chooseExtra(row.extra));
    }

    mainWindow() {
        return this.page.windows[Window.main];
    }

    available() {
        return this.mainWindow() && !this.page.dialog.open && !this.shareBox.open && !this.page.ended;
    }

    listen() {
        document.addEventListener('contextmenu', (event) => {
            if (this.menu.contains(event.target)) // the Menu key again, with the menu open
                event.preventDefault();
            if (!this.available() || !this.mainWindow().element.contains(event.target))
                return;
            event.preventDefault();
            this.open(event.clientX, event.clientY);
        });
        // A long press on a touch screen, where the browser gives no context menu of its own. The
        // finger then lifts over the menu: the click it would make on the window is swallowed.
        let pressed = null;
        let swallowClick = false;
        const cancel = () => {
            clearTimeout(pressed?.timer);
            pressed = null;
        };
        document.addEventListener('pointerdown', (event) => {
            cancel();
            swallowClick = false;
            if (event.pointerType !== 'touch' || !this.mainWindow()?.element.contains(event.target))
                return;
            const { clientX: x, clientY: y } = event;
            pressed = { x, y, timer: setTimeout(() => {
                pressed = null;
                if (this.available()) {
                    swallowClick = true;
                    this.open(x, y);
                }
            }, longPressMs) };
        });
        document.addEventListener('pointermove', (event) => {
            if (pressed && Math.hypot(event.clientX - pressed.x, event.clientY - pressed.y) > longPressSlop)
                cancel();
        });
        for (const type of ['pointerup', 'pointercancel'])
            document.addEventListener(type, cancel);
        document.addEventListener('click', (event) => {
            if (swallowClick && !this.menu.contains(event.target)) {
                event.preventDefault();
                event.stopPropagation();
            }
            swallowClick = false;
        }, true);
        document.addEventListener('pointerdown', (event) => {
            if (!this.menu.hidden && !this.menu.contains(event.target))
                this.close();
        }, true);
        document.addEventListener('keydown', (event) => this.onKey(event));
    }

    onKey(event) {
        if (!this.menu.hidden) {
            const at = this.items.indexOf(document.activeElement);
            if (event.key === 'Escape')
                this.close();
            else if (event.key === 'ArrowDown' || event.key === 'ArrowUp')
                this.items[(at + (event.key === 'ArrowDown' ? 1 : this.items.length - 1)) % this.items.length].focus();
            else
                return;
            event.preventDefault();
            return;
        }
        if (!this.available())
            return;
        const command = event.ctrlKey || event.metaKey;
        // The Menu key and Shift+F10, whether or not the browser makes a contextmenu event of them.
        if (event.key === 'ContextMenu' || (event.key === 'F10' && event.shiftKey && !command && !event.altKey)) {
            this.open();
            event.preventDefault();
            return;
        }
        // "Ctrl+C" asks for Ctrl (or ⌘) and C; "T" for T alone. Ctrl+C with text selected copies that.
        const row = this.rows.find(({ keys }) => {
            const ctrl = keys.startsWith('Ctrl+');
            return ctrl === command && !event.altKey && event.key.toLowerCase() === keys.slice(ctrl ? 5 : 0).toLowerCase();
        });
        if (!row || (row.extra === 'copyResults' && String(getSelection?.() ?? '')))
            return;
        this.run(row);
        event.preventDefault();
    }

    open(x, y) {
        if (this.menu.hidden)
            this.returnFocus = document.activeElement;
        this.menu.hidden = false;
        // From the keyboard the event has no place: the menu opens in the middle of the window.
        const box = this.mainWindow().element.getBoundingClientRect();
        const [left, top] = x || y ? [x, y] : [box.left + box.width / 2, box.top + box.height / 2];
        this.menu.style.left = `${Math.min(left, innerWidth - this.menu.offsetWidth)}px`;
        this.menu.style.top = `${Math.min(top, innerHeight - this.menu.offsetHeight)}px`;
        this.items[0].focus();
    }

    close() {
        this.menu.hidden = true;
        const back = this.returnFocus;
        if (back?.isConnected && back !== document.body)
            back.focus();
        else // nothing had the focus: the window's first control takes it, not a hidden item
            this.mainWindow()?.focusFirst();
    }

    toggle(extra) {
        this.shown.set(extra, !this.shown.get(extra));
        this.showMarks();
        this.page.forward(Window.main, (core) => core.setExtra(extra, this.shown.get(extra)));
    }

    // Also where the browser keeps the clipboard from a page opened from a file; before a run, says there
    // is nothing to copy yet, in a box titled `caption`.
    copy(caption) {
        const text = this.page.core.copyText();
        if (!text) {
            this.page.dialog.show({ message: true, title: caption, text: this.page.texts.nothingToCopy }, () => {});
            return;
        }
        copyToClipboard(text);
    }

    // The window's picture control (Taluno3's graph) with the lines that say what it shows under it, or
    // the whole window, as a PNG at twice the resolution, downloaded.
    async save() {
        const window = this.mainWindow();
        const picture = window.layout.pictureControl;
        const { savedPictureScale: scale } = this.page.face;
        const canvas = picture !== null
            ? withCaption(window.surfaces.get(picture).picture(scale), this.page.core.pictureCaption(), this.page.face, scale)
            : await windowPicture(window.element, scale);
        const blob = await new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
        const link = document.createElement('a');
        link.download = `${document.title}.png`;
        link.href = URL.createObjectURL(blob);
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 10_000);
    }
}

// The picture with `lines` under it, in the programs' font and spacing for a caption, at `ratio` device
// pixels a pixel.
function withCaption(picture, lines, { captionFontPixels: fontPixels, captionLinePixels: lineHeight }, ratio) {
    if (lines.length === 0)
        return picture;
    const canvas = document.createElement('canvas');
    canvas.width = picture.width;
    canvas.height = picture.height + Math.round(lineHeight * (lines.length + 1) * ratio);
    const context = canvas.getContext('2d');
    context.fillStyle = '#fff';
    context.fillRect(0, 0, canvas.width, canvas.height);
    context.drawImage(picture, 0, 0);
    context.scale(ratio, ratio);
    // Half a line's room above the first and below the last.
    context.fillStyle = '#000';
    context.textBaseline = 'top';
    context.font = `${fontPixels}px ${getComputedStyle(document.body).fontFamily}`;
    lines.forEach((line, k) => context.fillText(line, lineHeight / 2, picture.height / ratio + lineHeight * (k + 0.5)));
    return canvas;
}

// A window of elements drawn onto a canvas through an SVG image, with the page's style, on a stage of its own: the
// stage gives the window its font and its lines their width.
async function windowPicture(windowElement, scale) {
    const { width, height } = windowElement.style;
    const [w, h] = [parseFloat(width), parseFloat(height)];
    const clone = windowElement.cloneNode(true);
    const canvases = windowElement.querySelectorAll('canvas');
    clone.querySelectorAll('canvas').forEach((copy, k) => {
        const image = document.createElement('img');
        image.src = canvases[k].toDataURL();
        image.className = copy.className;
        copy.replaceWith(image);
    });
    clone.style.position = 'relative';
    // Scaled by CSS inside the foreignObject: WebKit ignores a transform on the foreignObject itself.
    clone.style.transform = `scale(${scale})`;
    clone.style.transformOrigin = '0 0';
    const style = document.querySelector('style')?.textContent ?? '';
    const markup = new XMLSerializer().serializeToString(clone);
    const svg = `<svg xmlns="http://www.w3.org/2000/svg" width="${w * scale}" height="${h * scale}">`
        + `<foreignObject width="${w * scale}" height="${h * scale}">`
        + `<div xmlns="http://www.w3.org/1999/xhtml" class="stage"><style>${style.replace(/[<&]/g, ' ')}</style>${markup}</div>`
        + '</foreignObject></svg>';
    const image = new Image();
    image.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(svg)}`;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = w * scale;
    canvas.height = h * scale;
    canvas.getContext('2d').drawImage(image, 0, 0);
    return canvas;
}
