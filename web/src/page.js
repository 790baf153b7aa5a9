// One program as a web page, the twin of the Qt programs' set-up (kit/talunoapplication.cpp and
// kit/desktopprogram.cpp: keep them in step): its windows on a fixed stage scaled to fit the browser
// window, the help beside or in place as the program table says, the core's questions in a modal
// dialog, its cues, and what the core tells the windows.

import { compileCore, knowWindows, loadCore, unpacked, Window } from './core.js';
import { QuestionDialog } from './dialog.js';
import { element, nextTask } from './element.js';
import { Extras } from './extras.js';
import { chooseLanguage, preferredLanguages } from './language.js';
import { ProgramWindow } from './window.js';

// A gap between the windows of Taluno1 when its help stands beside the main window.
const windowGap = 8;

export class Page {
    // `boot`: the program table and the main window's layout in the page's language, written into the page when it
    // was built, so that the window shows before the core has arrived.
    constructor({ program, root, clock, boot }) {
        this.program = program;
        this.root = root;
        this.cues = new Map();
        this.clock = clock;
        this.windows = [];
        this.active = null;
        this.pending = null;
        this.ended = false;
        this.stage = element('div', 'stage', root);
        this.announcer = element('div', 'announcer', root);
        this.announcer.setAttribute('aria-live', 'polite');
        addEventListener('resize', () => this.fit());
        // A lesson's link opened in the tab of another: the program starts again with its settings.
        addEventListener('hashchange', () => location.reload());
        const { programs, windows, cues, face, texts, language, languages, lessonCodeShare } = boot.table;
        knowWindows(windows);
        [this.face, this.texts, this.mainLayout, this.cueNames, this.lessonCodeShare] = [face, texts, boot.layout, cues, lessonCodeShare];
        [this.language, this.languages] = [language, languages];
        this.dialog = new QuestionDialog(root, { most: face.pastedCharactersMost, refusal: texts.tooMuchPasted }, texts);
        this.row = programs.find((row) => row.number === program);
        this.opened = this.showWindow(Window.main, true).then(() => document.querySelector('.opening')?.remove());
    }

    // The core, compiled: the program starts in the window already shown, and asks what it asks. The cues are
    // made in tasks of their own, loaded when first played: a sound still loading as the pupil leaves the page
    // holds up the next page in WebKit.
    async load(wasm) {
        const core = await loadCore(wasm, this);
        core.useLanguage(this.language);
        await this.opened;
        this.core = core;
        this.core.start(this.program);
        this.extras = new Extras(this);
        this.openLesson(true);
        this.activate(Window.main);
        for (const cue of this.cueNames) {
            await nextTask();
            const audio = new Audio(URL.createObjectURL(new Blob([this.core.cueWav(cue)], { type: 'audio/wav' })));
            audio.preload = 'none';
            this.cues.set(cue, audio);
        }
    }

    // The lesson of the page's link (what follows its '#'), before the main window's first activation: the toggles
    // it turns on marked in the menu; `tell`: whether the parts not used are told.
    openLesson(tell) {
        this.extras.markShown(this.core.openLesson(location.hash.slice(1), tell));
    }

    // Stepwise as the page opens (see ProgramWindow.attach): done when the promise it returns settles.
    showWindow(index, stepwise = false) {
        const layout = index === Window.main ? this.mainLayout : this.core.layout(index, this.program);
        const window = new ProgramWindow(this, index, layout);
        this.windows[index]?.stopTimers();
        this.windows[index]?.element.remove();
        this.windows[index] = window;
        this.stage.append(window.element);
        this.showTitle();
        this.fit();
        const attached = window.attach(stepwise);
        const ready = () => {
            window.fitCaptions();
            window.controls[window.layout.focusOrder[0]]?.focus({ preventScroll: true });
        };
        if (stepwise)
            return attached.then(ready);
        ready();
        return null;
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
        const shown = this.windows[Window.main] ?? this.windows[Window.help];
        if (shown)
            document.title = shown.layout.title.trim();
    }

    // The window became the one the pupil works in: the core hears of it once per change.
    activate(index) {
        if (!this.core || this.ended || this.active === index || !this.windows[index] || this.dialog.open)
            return;
        this.active = index;
        this.forward(index, (core) => core.activated(index));
    }

    // Hands an event to the core, then asks what it wants asked. A click waits while a box is open.
    forward(index, event, fromTimer = false) {
        if (!this.core || this.ended || (!fromTimer && this.dialog.open))
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

    // The stage: the windows side by side, scaled as a whole to fit the browser window, and centred in it. Where the
    // help beside the main window would make the main window smaller, it lies over what the lesson can spare
    // instead, as large as fits there, as on the desktop (placeHelp in core/viewscale.cpp).
    fit() {
        const shown = this.windows.filter(Boolean);
        // A tablet held upright: what stands beside a table goes under it, and the buttons grow to a finger's size.
        const upright = innerHeight > innerWidth;
        this.stage.classList.toggle('upright', upright);
        const fitting = (width, height) => (width > 0 && height > 0 ? Math.max(0.25, Math.min(innerWidth / width, innerHeight / height)) : 1);
        let left = 0;
        let height = 0;
        for (const window of shown) {
            window.arrange(upright);
            window.element.style.left = `${left}px`;
            window.element.style.top = '0';
            window.element.style.transform = '';
            left += window.width + windowGap;
            height = Math.max(height, window.height);
        }
        let width = Math.max(0, left - windowGap);
        const [main, help, spare] = [this.windows[Window.main], this.windows[Window.help], this.mainLayout.spareForHelp];
        let helpScale = 1;
        if (main && help && spare && fitting(width, height) < fitting(main.width, main.height)) {
            helpScale = Math.min(1, spare.width / help.width, spare.height / help.height);
            Object.assign(help.element.style, { left: `${spare.left}px`, top: `${spare.top}px`, transform: `scale(${helpScale})` });
            [width, height] = [main.width, main.height];
        }
        this.scale = fitting(width, height);
        this.stage.style.width = `${width}px`;
        this.stage.style.height = `${height}px`;
        // In the middle of the browser window: a projector's picture has room on both sides.
        this.stage.style.left = `${Math.max(0, (innerWidth - width * this.scale) / 2)}px`;
        this.stage.style.top = `${Math.max(0, (innerHeight - height * this.scale) / 2)}px`;
        this.stage.style.transform = `scale(${this.scale})`;
        this.stage.style.setProperty('--scale', this.scale);
        document.documentElement.style.setProperty('--view', Math.max(1, this.scale));
        // A line of one pixel scaled below a device pixel is dropped by some engines: it is drawn wider.
        // Whole pixels, as Firefox lays a border out.
        this.stage.style.setProperty('--hairline', `${Math.ceil(1 / Math.min(1, this.scale * (globalThis.devicePixelRatio || 1)))}px`);
        for (const window of shown)
            window.render(this.scale * (window === help ? helpScale : 1));
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
    setNote(index, row, note, colour) {
        this.windows[index].setNote(this.control(index, row), note, colour);
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
    // After a run a screen reader hears the rows the layout names: values beside their captions, and
    // what a picture shows.
    announceResults(window) {
        const heard = (row) => {
            const control = window.controls[row];
            const description = control.getAttribute('aria-description');
            return window.layout.controls[row].kind === 'surface' ? description : control.textContent && `${description} ${control.textContent}`;
        };
        this.announcer.textContent = window.layout.announcedRows.map(heard).filter(Boolean).join(this.texts.announcedJoiner);
    }
    playCue(cue) {
        const sound = this.cues.get(cue);
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
        if (!this.row.helpBeside)
            this.hideWindow(Window.main);
        if (!this.windows[Window.help])
            this.showWindow(Window.help);
        this.activate(Window.help);
    }
    closeHelp() {
        this.hideWindow(Window.help);
        if (!this.row.helpBeside) {
            // The main window comes back as at start-up, set up as the link says before it is activated (its first
            // control takes the focus as it shows), and asks for its settings again.
            this.core.start(this.program);
            this.active = Window.main;
            this.showWindow(Window.main);
            this.openLesson(false);
            this.active = null;
        }
        this.windows[Window.main].controls[this.windows[Window.main].layout.focusOrder[0]]?.focus({ preventScroll: true });
        this.activate(Window.main);
    }
    endProgram() {
        this.ended = true;
        this.pending = null;
        this.windows.forEach((window) => window?.stopTimers());
        this.stage.replaceChildren();
        this.stage.removeAttribute('style');
        this.stage.classList.add('ended');
        const note = element('div', 'ended-note', this.stage);
        element('p', '', note).textContent = this.texts.pageEnded.replace('{title}', document.title);
        element('p', '', note).textContent = this.texts.pageEndedHint;
        const again = element('button', '', note);
        again.type = 'button';
        again.textContent = this.texts.pageReload;
        again.addEventListener('click', () => location.reload());
        again.focus();
    }
    setWindowWidth(index, width) {
        this.windows[index].setWidth(width);
        this.fit();
    }
    showPanels(index, panels) {
        this.windows[index].showPanels(panels);
        this.fit();
    }
    surface(index, row) {
        return this.windows[index].surfaces.get(row);
    }
    surfaceClear(index, row) {
        this.surface(index, row).clear();
    }
    surfaceLine(index, row, x1, y1, x2, y2, colour, pixels) {
        this.surface(index, row).line(x1, y1, x2, y2, colour, pixels);
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
    surfaceNumber(index, row, text) {
        this.surface(index, row).print(text, true);
    }
    surfaceAxisRow(index, row, text, firstTick, tickStep) {
        this.surface(index, row).printAxisRow(text, firstTick, tickStep);
    }
    // Local time, its midnights found once a day: a run asks for every experiment, and a Date each time
    // would cost a large run more than its table.
    secondsSinceMidnight() {
        const now = this.clock();
        if (!(now >= this.midnight && now < this.nextMidnight)) {
            const day = new Date(now);
            this.midnight = day.setHours(0, 0, 0, 0);
            this.nextMidnight = day.setHours(24, 0, 0, 0);
        }
        return (now - this.midnight) / 1000;
    }
}

// Starts the program numbered `program` in `root`, in the language the link, the menu's choice or the browser asks
// for: its main window from `boot` (gzip-compressed JSON as base64 of each language's table and layout), while its
// core, `core` likewise, compiles. `texts`: by language, what the page says before it has unpacked `boot`, or where it
// cannot run.
export async function startPage({ program, texts, boot, core, root = document.body, clock = Date.now }) {
    const language = chooseLanguage(preferredLanguages(), Object.keys(texts));
    const said = texts[language];
    document.documentElement.lang = language;
    document.title = said.title;
    document.querySelector('.home').textContent = said.pageHome;
    const opening = document.querySelector('.opening');
    if (opening)
        opening.textContent = said.title;
    try {
        const compiled = compileCore(core);
        const booted = await (await unpacked(boot, 'application/json')).json();
        const page = new Page({ program, root, clock, boot: booted[language] });
        await page.load(await compiled);
        return page;
    } catch (error) {
        document.body.textContent = said.pageFailed;
        throw error;
    }
}
