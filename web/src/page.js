// One program as a web page: its windows built from the core's layout tables on a fixed stage
// that is scaled to fit the browser window, the core's questions as modal dialogs, its timers,
// cues and drawing surfaces.

import { gunzip, loadCore } from './core.js';
import { Extras } from './extras.js';

const MAIN = 0;
const HELP = 1;
const pixels = (twips) => Math.trunc(twips / 15);
const fontPixels = (points) => Math.round((points * 96) / 72);
const fontStack = (family) =>
    `"${family}", "MS PGothic", "IPAPGothic", "Hiragino Kaku Gothic ProN", "Noto Sans CJK JP", sans-serif`;
// A gap between the windows of Taluno1 when its help stands beside the main window.
const windowGap = 8;

function element(tag, className, parent) {
    const made = document.createElement(tag);
    if (className)
        made.className = className;
    parent?.append(made);
    return made;
}

// A drawing surface: lines and boxes on a canvas drawn at the device's resolution, printed lines
// as text above it. Units map onto the inner area as the layout gives them, or one unit a pixel.
class DrawingSurface {
    constructor(box, control, points, axis) {
        this.box = box;
        this.across = control.unitsAcross;
        this.down = control.unitsDown;
        this.axis = axis;
        this.innerWidth = pixels(control.width) - 4;
        this.innerHeight = pixels(control.height) - 4;
        this.canvas = element('canvas', 'surface-canvas', box);
        this.text = element('div', 'surface-text', box);
        this.text.style.fontSize = `${fontPixels(points)}px`;
        this.em = fontPixels(points);
        this.stretch = 1;
        this.scale = 1;
        this.clear();
    }

    unitsToPixels(x, y) {
        return [this.across > 0 ? (x * this.innerWidth) / this.across : x,
                this.down > 0 ? (y * this.innerHeight) / this.down : y];
    }

    clear() {
        this.strokes = [];
        this.text.replaceChildren();
        this.stretch = 1;
        this.text.style.setProperty('--stretch', 1);
        this.position = [0, 0];
        this.render();
    }

    line(x1, y1, x2, y2, colour) {
        this.strokes.push({ line: true, x1, y1, x2, y2, colour });
        this.position = [x2, y2];
        this.draw(this.strokes.at(-1));
    }

    fillBox(x1, y1, x2, y2, colour) {
        this.strokes.push({ line: false, x1, y1, x2, y2, colour });
        this.position = [x2, y2];
        this.draw(this.strokes.at(-1));
    }

    moveTo(x, y) {
        this.position = [x, y];
    }

    print(text) {
        const [x, y] = this.unitsToPixels(...this.position);
        if (text === this.axis?.row)
            this.printAxisRow(text, y);
        else if (text)
            this.placeText(text, x, y, false);
        const unitsPerPixel = this.down > 0 ? this.down / this.innerHeight : 1;
        this.position = [0, this.position[1] + this.em * unitsPerPixel];
    }

    placeText(text, x, y, centred) {
        const span = element('span', centred ? 'centred' : '', this.text);
        span.textContent = text;
        span.style.left = `${x}px`;
        span.style.top = `${y}px`;
        // No line runs off the right edge: all lines narrow alike, as far as the widest needs.
        const width = span.offsetWidth;
        if (!centred && width > 0 && x + width > this.innerWidth) {
            this.stretch = Math.min(this.stretch, Math.max(0.5, (this.innerWidth - x) / width));
            this.text.style.setProperty('--stretch', this.stretch);
        }
    }

    // The numbers under the axis, each centred under its tick.
    printAxisRow(row, y) {
        row.trim().split(/ +/).forEach((number, k) => {
            const [x] = this.unitsToPixels(this.axis.firstTick + k * this.axis.tickStep, 0);
            this.placeText(number, x, y, true);
        });
    }

    // Redraws every stroke for the stage's scale and the device's pixels.
    render(scale = this.scale) {
        this.scale = scale;
        const ratio = scale * (globalThis.devicePixelRatio || 1);
        this.canvas.width = Math.round(this.innerWidth * ratio);
        this.canvas.height = Math.round(this.innerHeight * ratio);
        this.ratio = ratio;
        for (const stroke of this.strokes)
            this.draw(stroke);
    }

    devicePixel(x, y, ratio) {
        const [px, py] = this.unitsToPixels(x, y);
        // A unit that lands exactly on a pixel edge must not fall back a pixel by a rounding error.
        return [Math.floor(px * ratio + 1e-6), Math.floor(py * ratio + 1e-6)];
    }

    draw(stroke, context = this.canvas.getContext('2d'), ratio = this.ratio) {
        const [ax, ay] = this.devicePixel(stroke.x1, stroke.y1, ratio);
        const [bx, by] = this.devicePixel(stroke.x2, stroke.y2, ratio);
        context.fillStyle = stroke.colour;
        const left = Math.min(ax, bx);
        const top = Math.min(ay, by);
        const width = Math.max(1, Math.round(ratio));
        // A box is closed, its edges as wide as a line: one of no height is a line.
        if (!stroke.line || ax === bx || ay === by) {
            context.fillRect(left, top, Math.abs(bx - ax) + width, Math.abs(by - ay) + width);
        } else {
            context.strokeStyle = stroke.colour;
            context.lineWidth = width;
            context.beginPath();
            context.moveTo(ax + width / 2, ay + width / 2);
            context.lineTo(bx + width / 2, by + width / 2);
            context.stroke();
        }
    }

    // The whole drawing, printed lines too, on a canvas of its own at `ratio` device pixels a pixel.
    picture(ratio) {
        const canvas = document.createElement('canvas');
        canvas.width = Math.round(this.innerWidth * ratio);
        canvas.height = Math.round(this.innerHeight * ratio);
        const context = canvas.getContext('2d');
        context.fillStyle = getComputedStyle(this.box).backgroundColor;
        context.fillRect(0, 0, canvas.width, canvas.height);
        for (const stroke of this.strokes)
            this.draw(stroke, context, ratio);
        context.fillStyle = '#000';
        context.textBaseline = 'top';
        context.font = getComputedStyle(this.text).font;
        context.scale(ratio, ratio);
        for (const span of this.text.children) {
            context.textAlign = span.classList.contains('centred') ? 'center' : 'left';
            context.fillText(span.textContent, parseFloat(span.style.left), parseFloat(span.style.top));
        }
        return canvas;
    }
}

// One window of the program, built from its table.
class ProgramWindow {
    constructor(page, index, layout) {
        this.page = page;
        this.index = index;
        this.layout = layout;
        this.width = pixels(layout.width);
        this.height = pixels(layout.height);
        this.element = element('section', 'window');
        this.element.dataset.name = layout.name;
        this.element.setAttribute('aria-label', layout.title.trim());
        this.element.style.width = `${this.width}px`;
        this.element.style.height = `${this.height}px`;
        this.element.style.fontSize = `${fontPixels(layout.points)}px`;
        this.controls = [];
        this.unfitted = new Set();
        this.surfaces = new Map();
        this.timers = layout.timers.map((period) => ({ period, handle: null, next: 0 }));
        layout.controls.forEach((control, row) => this.controls.push(this.makeControl(control, row)));
        // Keyboard order as the table gives it.
        for (const row of layout.focusOrder)
            this.element.append(this.controls[row]);
        this.element.addEventListener('pointerdown', () => page.activate(index), true);
        this.element.addEventListener('focusin', () => page.activate(index));
    }

    makeControl(control, row) {
        const kind = control.kind;
        const made = element(kind === 'button' ? 'button' : 'div', kind, this.element);
        made.dataset.name = control.name;
        made.style.left = `${pixels(control.left)}px`;
        made.style.top = `${pixels(control.top)}px`;
        made.style.width = `${pixels(control.width)}px`;
        made.style.height = `${pixels(control.height)}px`;
        if (control.points > 0)
            made.style.fontSize = `${fontPixels(control.points)}px`;
        if (control.bold)
            made.style.fontWeight = 'bold';
        if (control.background)
            made.style.backgroundColor = control.background;
        if (control.foreground)
            made.style.color = control.foreground;
        if (!control.visible)
            made.hidden = true;
        if (kind === 'button') {
            made.type = 'button';
            made.textContent = control.caption;
            made.disabled = !control.enabled;
            made.tabIndex = this.layout.focusOrder.includes(row) ? 0 : -1;
            made.addEventListener('click', () => this.page.forward(this.index, (core) => core.clicked(this.index, row)));
        } else if (kind === 'label') {
            element('span', 'caption', made);
            this.setText(made, control.caption);
        } else if (kind === 'line') {
            made.style.width = `${Math.max(1, pixels(control.width))}px`;
            made.style.height = `${Math.max(1, pixels(control.height))}px`;
            made.setAttribute('aria-hidden', 'true');
        } else if (kind === 'surface') {
            made.setAttribute('role', 'img');
            made.setAttribute('aria-label', control.caption);
            const points = control.points > 0 ? control.points : this.layout.points;
            this.surfaces.set(row, new DrawingSurface(made, control, points, this.layout.axis));
        } else if (kind === 'coin') {
            made.setAttribute('role', 'img');
            made.setAttribute('aria-label', control.caption);
            element('span', 'mark', made).textContent = control.caption;
        }
        if (control.description)
            made.setAttribute('aria-description', control.description);
        return made;
    }

    setText(control, text) {
        const caption = control.querySelector('.caption');
        if (!caption) {
            control.textContent = text;
            return;
        }
        caption.textContent = text;
        this.unfitted.add(caption);
    }

    // A disabled control gives the focus on to the next one that can take it, as on the desktop.
    focusNext(row) {
        const order = this.layout.focusOrder;
        for (let step = 1; step <= order.length; ++step) {
            const next = this.controls[order[(order.indexOf(row) + step) % order.length]];
            if (!next.disabled && !next.hidden) {
                next.focus({ preventScroll: true });
                return;
            }
        }
    }

    // The first control in the keyboard order that can take the focus.
    focusFirst() {
        this.focusNext(this.layout.focusOrder.at(-1));
    }

    // Squeezes across each new text that does not fit its label, as the desktop narrows a face: all
    // widths are read in one pass, so that a run that fills the table lays the window out once.
    fitCaptions() {
        const captions = [...this.unfitted].filter((caption) => caption.isConnected);
        this.unfitted.clear();
        for (const caption of captions)
            caption.style.transform = '';
        const widths = captions.map((caption) => [caption.scrollWidth, caption.parentElement.clientWidth - 2]);
        captions.forEach((caption, k) => {
            const [needed, room] = widths[k];
            if (needed > room)
                caption.style.transform = `scaleX(${Math.max(0.5, room / needed)})`;
        });
    }

    setTimer(timer, running) {
        const beat = this.timers[timer];
        if (!running) {
            clearTimeout(beat.handle);
            beat.handle = null;
            return;
        }
        if (beat.handle !== null)
            return; // a running timer keeps its beat
        beat.next = performance.now() + beat.period;
        const fire = () => {
            beat.next += beat.period;
            beat.handle = setTimeout(fire, Math.max(0, beat.next - performance.now()));
            this.page.forward(this.index, (core) => core.tick(this.index, timer), true);
        };
        beat.handle = setTimeout(fire, beat.period);
    }

    setWidth(width) {
        this.width = width;
        this.element.style.width = `${width}px`;
    }

    stopTimers() {
        this.timers.forEach((beat, timer) => this.setTimer(timer, false));
    }

    render(scale) {
        for (const surface of this.surfaces.values())
            surface.render(scale);
    }
}

// The input box and the Yes/No box: one modal dialog, with the desktop's titles, texts and buttons.
class QuestionDialog {
    constructor(parent) {
        this.dialog = element('dialog', 'question', parent);
        this.title = element('h2', 'title', this.dialog);
        this.text = element('p', 'text', this.dialog);
        this.input = element('input', 'answer', this.dialog);
        this.input.type = 'text';
        this.input.setAttribute('aria-labelledby', 'question-text');
        this.text.id = 'question-text';
        const buttons = element('div', 'buttons', this.dialog);
        this.accept = element('button', 'accept', buttons);
        this.reject = element('button', 'reject', buttons);
        this.accept.type = this.reject.type = 'button';
        this.dialog.setAttribute('aria-labelledby', 'question-title');
        this.title.id = 'question-title';
        this.accept.addEventListener('click', () => this.finish(true));
        this.reject.addEventListener('click', () => this.finish(false));
        this.input.addEventListener('keydown', (event) => {
            if (event.key === 'Enter' && !event.isComposing) {
                event.preventDefault();
                this.finish(true);
            }
        });
        // Escape is Cancel, or No.
        this.dialog.addEventListener('cancel', (event) => {
            event.preventDefault();
            this.finish(false);
        });
    }

    get open() {
        return this.dialog.open;
    }

    show(question, onAnswer) {
        this.question = question;
        this.onAnswer = onAnswer;
        this.title.textContent = question.title;
        this.text.textContent = question.text;
        this.input.hidden = !question.input;
        this.input.value = question.defaultText;
        this.accept.textContent = question.input ? 'OK' : 'はい';
        this.reject.textContent = question.input ? 'キャンセル' : 'いいえ';
        this.dialog.showModal();
        if (question.input) {
            this.input.focus();
            this.input.select();
        } else {
            this.accept.focus();
        }
    }

    finish(accepted) {
        const { question, onAnswer } = this;
        this.dialog.close();
        onAnswer(question.input ? (accepted ? this.input.value : '') : accepted);
    }
}

export class Page {
    constructor({ program, root, clock }) {
        this.program = program;
        this.root = root;
        this.cues = [];
        this.clock = clock;
        this.windows = [];
        this.active = null;
        this.pending = null;
        this.ended = false;
        this.stage = element('div', 'stage', root);
        this.dialog = new QuestionDialog(root);
        this.announcer = element('div', 'announcer', root);
        this.announcer.setAttribute('aria-live', 'polite');
        addEventListener('resize', () => this.fit());
    }

    async load(wasmBytes) {
        this.core = await loadCore(wasmBytes, this);
        this.cues = [0, 1].map((cue) => {
            const audio = new Audio(URL.createObjectURL(new Blob([this.core.cueWav(cue)], { type: 'audio/wav' })));
            audio.preload = 'auto';
            return audio;
        });
        this.core.start(this.program);
        this.extras = new Extras(this);
        this.showWindow(MAIN);
        this.activate(MAIN);
    }

    showWindow(index) {
        const window = new ProgramWindow(this, index, this.core.layout(index, this.program));
        this.windows[index]?.stopTimers();
        this.windows[index]?.element.remove();
        this.windows[index] = window;
        this.stage.append(window.element);
        window.fitCaptions();
        this.showTitle();
        this.fit();
        window.controls[window.layout.focusOrder[0]]?.focus({ preventScroll: true });
    }

    hideWindow(index) {
        this.windows[index]?.stopTimers();
        this.windows[index]?.element.remove();
        this.windows[index] = null;
        if (this.active === index)
            this.active = null;
        this.showTitle();
        this.fit();
    }

    // The tab bears the main window's title while it shows (a saved picture is named after it),
    // else the help window's.
    showTitle() {
        const shown = this.windows[MAIN] ?? this.windows[HELP];
        if (shown)
            document.title = shown.layout.title.trim();
    }

    // The window became the one the pupil works in: the core hears of it once per change.
    activate(index) {
        if (this.ended || this.active === index || !this.windows[index] || this.dialog.open)
            return;
        this.active = index;
        this.forward(index, (core) => core.activated(index));
    }

    // Hands an event to the core, then asks what it wants asked. A click waits while a box is open.
    forward(index, event, fromTimer = false) {
        if (this.ended || (!fromTimer && this.dialog.open))
            return;
        event(this.core);
        this.askPending();
    }

    // After the core has spoken: captions fitted, then the question it asked, if any.
    askPending() {
        for (const window of this.windows)
            window?.fitCaptions();
        if (!this.pending || this.dialog.open || this.ended)
            return;
        const { window, question } = this.pending;
        this.pending = null;
        this.dialog.show(question, (answer) => {
            if (question.input)
                this.core.answerInput(window, answer);
            else
                this.core.answerYesNo(window, answer);
            this.askPending();
        });
    }

    // The stage: the windows side by side, scaled as a whole to fit the browser window.
    fit() {
        const shown = this.windows.filter(Boolean);
        let left = 0;
        let height = 0;
        for (const window of shown) {
            window.element.style.left = `${left}px`;
            left += window.width + windowGap;
            height = Math.max(height, window.height);
        }
        const width = Math.max(0, left - windowGap);
        this.scale = width > 0 && height > 0 ? Math.max(0.25, Math.min(innerWidth / width, innerHeight / height)) : 1;
        this.stage.style.width = `${width}px`;
        this.stage.style.height = `${height}px`;
        this.stage.style.transform = `scale(${this.scale})`;
        for (const window of shown)
            window.render(this.scale);
    }

    // What the core tells the windows.
    control(index, row) {
        return this.windows[index].controls[row];
    }
    setText(index, row, text) {
        this.windows[index].setText(this.control(index, row), text);
    }
    setTextColour(index, row, colour) {
        this.control(index, row).style.color = colour;
    }
    setEnabled(index, row, enabled) {
        const control = this.control(index, row);
        const hadFocus = document.activeElement === control;
        control.disabled = !enabled;
        if (hadFocus && !enabled)
            this.windows[index].focusNext(row);
    }
    setVisible(index, row, visible) {
        this.control(index, row).hidden = !visible;
    }
    setDescription(index, row, text) {
        this.control(index, row).setAttribute('aria-description', text);
    }
    setTimer(index, timer, running) {
        this.windows[index].setTimer(timer, running);
    }
    setBusy(index, busy) {
        this.windows[index].element.style.cursor = busy ? 'wait' : '';
        if (!busy)
            this.announceResults(this.windows[index]);
    }
    // After a run a screen reader hears the values beside their captions, and what the graph shows.
    announceResults(window) {
        const captions = new Set(window.layout.controls.filter((c) => c.kind === 'label').map((c) => c.caption));
        const described = (control) => control.getAttribute('aria-description');
        const values = window.controls.filter((c) => captions.has(described(c)) && c.textContent)
            .map((c) => `${described(c)} ${c.textContent}`);
        const pictures = [...window.surfaces.keys()].map((row) => described(window.controls[row]));
        this.announcer.textContent = [...values, ...pictures].join('。');
    }
    playCue(cue) {
        const sound = this.cues[cue];
        if (!sound)
            return;
        sound.currentTime = 0;
        // Where sound cannot play, the program goes on in silence.
        sound.play()?.catch?.(() => {});
    }
    ask(index, question) {
        this.pending = { window: index, question };
    }
    openHelp() {
        if (this.program !== 1)
            this.hideWindow(MAIN);
        if (!this.windows[HELP])
            this.showWindow(HELP);
        this.activate(HELP);
    }
    closeHelp() {
        this.hideWindow(HELP);
        if (this.program !== 1) {
            // The main window comes back as at start-up, and asks for its settings again.
            this.core.start(this.program);
            this.showWindow(MAIN);
        }
        this.windows[MAIN].controls[this.windows[MAIN].layout.focusOrder[0]]?.focus({ preventScroll: true });
        this.activate(MAIN);
    }
    endProgram() {
        this.ended = true;
        this.pending = null;
        this.windows.forEach((window) => window?.stopTimers());
        this.stage.replaceChildren();
        this.stage.style.transform = '';
        this.stage.classList.add('ended');
        const note = element('div', 'ended-note', this.stage);
        element('p', '', note).textContent = `${document.title}を終了しました。`;
        element('p', '', note).textContent = 'もう一度始めるには、このページを再読み込みしてください。';
        const again = element('button', '', note);
        again.type = 'button';
        again.textContent = '再読み込み';
        again.addEventListener('click', () => location.reload());
        again.focus();
    }
    setHint(index, row, text) {
        this.control(index, row).title = text;
    }
    // The panel stands where the layout puts it; beside the window's controls, the window widens
    // to hold it while it shows.
    showCoinsPanel(lines) {
        this.coinsPanel?.remove();
        this.coinsPanel = null;
        const main = this.windows[MAIN];
        const place = main.layout.coinsPanel;
        main.setWidth(pixels(main.layout.width));
        if (lines.length > 0) {
            const panel = element('table', 'coins-panel', main.element);
            panel.setAttribute('aria-live', 'polite');
            element('caption', '', panel).textContent = lines[0];
            for (const line of lines.slice(1)) {
                const row = element('tr', '', panel);
                for (const cell of line.split('\t'))
                    element('td', '', row).textContent = cell;
            }
            panel.style.left = `${pixels(place.left)}px`;
            panel.style.top = `${pixels(place.top)}px`;
            if (place.widensWindow)
                main.setWidth(pixels(place.left) + panel.offsetWidth + pixels(place.margin));
            this.coinsPanel = panel;
        }
        this.fit();
    }
    surface(index, row) {
        return this.windows[index].surfaces.get(row);
    }
    surfaceClear(index, row) {
        this.surface(index, row).clear();
    }
    surfaceLine(index, row, x1, y1, x2, y2, colour) {
        this.surface(index, row).line(x1, y1, x2, y2, colour);
    }
    surfaceBox(index, row, x1, y1, x2, y2, colour) {
        this.surface(index, row).fillBox(x1, y1, x2, y2, colour);
    }
    surfaceMoveTo(index, row, x, y) {
        this.surface(index, row).moveTo(x, y);
    }
    surfacePrint(index, row, text) {
        this.surface(index, row).print(text);
    }
    secondsSinceMidnight() {
        const now = this.clock();
        return now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds() + now.getMilliseconds() / 1000;
    }
}

// Starts the program numbered `program` (1-3) in `root`, its core given as gzip-compressed bytes.
export async function startPage({ program, wasm, root = document.body, clock = () => new Date() }) {
    const page = new Page({ program, root, clock });
    await page.load(await gunzip(wasm));
    return page;
}
