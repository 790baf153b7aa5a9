// One window of the program, built from its table, the twin of kit/programwindow.cpp (keep the two in
// step): its controls, their captions and states, its timers, and the drawing surfaces it holds.

import { Window } from './core.js';
import { element, nextTask } from './element.js';
import { DrawingSurface } from './surface.js';

// The controls laid out in one task as a window opens stepwise.
const attachStep = 40;

export class ProgramWindow {
    constructor(page, index, layout) {
        this.page = page;
        this.index = index;
        this.layout = layout;
        this.width = layout.width;
        this.height = layout.height;
        this.askedWidth = layout.width; // as the core or the panels last set it
        this.upright = false;
        this.projector = false; // at a projector's sizes, the numbers' larger type
        this.element = element('section', 'window');
        this.element.dataset.name = layout.name;
        this.element.dataset.window = Object.keys(Window).find((name) => Window[name] === index);
        this.element.setAttribute('aria-label', layout.title.trim());
        this.element.style.width = `${this.width}px`;
        this.element.style.height = `${this.height}px`;
        this.element.style.fontSize = `${layout.fontPixels}px`;
        this.controls = [];
        this.unfitted = new Set();
        this.surfaces = new Map();
        this.timers = layout.timers.map((period) => ({ period, handle: null, next: 0 }));
        layout.controls.forEach((control, row) => this.controls.push(this.makeControl(control, row)));
        this.element.addEventListener('pointerdown', () => page.activate(index), true);
        this.element.addEventListener('focusin', () => page.activate(index));
    }

    // Puts the controls into the window, those of the keyboard's order last and in that order. Stepwise, a
    // few at a time, each laid out in a task of its own, so that no task holds the page long as it opens.
    async attach(stepwise) {
        const focusOrder = this.layout.focusOrder;
        const controls = [...this.controls.filter((_, row) => !focusOrder.includes(row)), ...focusOrder.map((row) => this.controls[row])];
        const step = stepwise ? attachStep : controls.length;
        for (let first = 0; first < controls.length; first += step) {
            if (first > 0)
                await nextTask();
            this.element.append(...controls.slice(first, first + step));
            if (stepwise)
                void this.element.offsetHeight; // laid out now
        }
    }

    makeControl(control, row) {
        const kind = control.kind;
        const made = element(kind === 'button' ? 'button' : 'div', kind);
        made.dataset.name = control.name;
        made.style.left = `${control.left}px`;
        made.style.top = `${control.top}px`;
        made.style.width = `${control.width}px`;
        made.style.height = `${control.height}px`;
        if (control.fontPixels > 0)
            made.style.fontSize = `${control.fontPixels}px`;
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
            made.style.width = control.width > 0 ? `${control.width}px` : 'var(--hairline)';
            made.style.height = control.height > 0 ? `${control.height}px` : 'var(--hairline)';
            made.setAttribute('aria-hidden', 'true');
        } else if (kind === 'surface') {
            made.setAttribute('role', 'img');
            made.setAttribute('aria-label', control.caption);
            this.surfaces.set(row, new DrawingSurface(made, control, control.fontPixels || this.layout.fontPixels, this.page.face));
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

    // A second line under a label's caption in its own colour, each line in half the label's height, or beside it
    // at a projector's sizes (the class 'beside'); as ProgramWindow::showLabel on the desktop: keep the two in step.
    setNote(control, note, colour) {
        if (note === '' && !control.classList.contains('noted'))
            return;
        const caption = control.querySelector('.caption');
        control.querySelector('.note')?.remove();
        control.classList.toggle('noted', note !== '');
        control.style.setProperty('--note-font', `${Math.floor(parseFloat(control.style.height) / 2) - 1}px`);
        if (note !== '') {
            const line = element('span', 'caption note', control);
            line.textContent = note;
            line.style.color = colour;
            this.unfitted.add(line);
        }
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
    // widths are read in one pass, so that a run that fills the table lays the window out once. A label
    // whose note stands beside its text squeezes the two as one line, towards its middle.
    fitCaptions() {
        // Those not yet in the window wait for it.
        const captions = [...this.unfitted].filter((caption) => caption.isConnected);
        const lines = new Map();
        for (const caption of captions) {
            this.unfitted.delete(caption);
            const label = caption.parentElement;
            const together = label.classList.contains('beside');
            lines.set(together ? label : caption, together ? [...label.querySelectorAll('.caption')] : [caption]);
        }
        for (const caption of [...lines.values()].flat())
            caption.style.transform = '';
        const measured = [...lines.values()].map((line) => {
            const [left, right] = [line[0].offsetLeft, line.at(-1).offsetLeft + line.at(-1).offsetWidth];
            const middles = line.map((caption) => caption.offsetLeft + caption.offsetWidth / 2 - (left + right) / 2);
            return [line, right - left, line[0].parentElement.clientWidth - 2, middles];
        });
        for (const [line, needed, room, middles] of measured) {
            const squeeze = Math.max(0.5, room / needed);
            if (needed > room)
                line.forEach((caption, k) => { caption.style.transform = `translateX(${(squeeze - 1) * middles[k]}px) scaleX(${squeeze})`; });
        }
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
        this.askedWidth = width;
        this.arrange(this.upright);
    }

    // On a screen taller than wide, what the window widened for stands under its table where the layout
    // says, the window as wide as its layout; otherwise where the layout first put it.
    arrange(upright) {
        this.upright = upright;
        const places = this.layout.upright;
        const under = Boolean(places) && upright && this.askedWidth > this.layout.width;
        for (const [row, place] of places?.rows ?? []) {
            const { left, top, width, height } = under ? place : this.layout.controls[row];
            Object.assign(this.controls[row].style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });
            this.surfaces.get(row)?.resize(width, height);
        }
        this.width = under ? this.layout.width : this.askedWidth;
        this.height = under ? places.height : this.layout.height;
        Object.assign(this.element.style, { width: `${this.width}px`, height: `${this.height}px` });
    }

    // The side panels one below the other where the layout puts them, the window as wide as they need.
    showPanels(panels) {
        this.element.querySelectorAll('.side-panel').forEach((panel) => panel.remove());
        const place = this.layout.sidePanels;
        let [top, width] = [place.top, this.layout.width];
        for (const { heading, rows, fontPixels, bold } of panels) {
            const panel = element('table', 'side-panel', this.element);
            panel.setAttribute('aria-live', 'polite');
            panel.style.fontSize = `${fontPixels}px`;
            panel.style.fontWeight = bold ? 'bold' : '';
            element('caption', '', panel).textContent = heading;
            for (const cells of rows) {
                const row = element('tr', '', panel);
                for (const cell of cells)
                    element('td', '', row).textContent = cell;
            }
            panel.style.left = `${place.left}px`;
            panel.style.top = `${top}px`;
            top += panel.offsetHeight + this.page.face.panelMargin;
            width = Math.max(width, place.left + panel.offsetWidth + this.page.face.panelMargin);
        }
        this.setWidth(width);
    }

    stopTimers() {
        this.timers.forEach((beat, timer) => this.setTimer(timer, false));
    }

    // At a projector's sizes the numbers the class reads take the larger type their boxes hold, as
    // ProgramWindow::controlFont does on the desktop.
    render(scale) {
        const projector = scale >= this.page.face.projectorScale;
        // The labels' type changes only as the stage crosses into a projector's sizes or out of them.
        if (projector !== this.projector) {
            this.projector = projector;
            this.layout.controls.forEach((control, row) => {
                if (control.projectorFontPixels === control.fontPixels || control.kind === 'surface')
                    return;
                const made = this.controls[row];
                made.style.fontSize = `${projector ? control.projectorFontPixels : control.fontPixels}px`;
                made.classList.toggle('beside', projector);
                made.querySelectorAll('.caption').forEach((caption) => this.unfitted.add(caption));
            });
            this.fitCaptions();
        }
        for (const [row, surface] of this.surfaces) {
            const { projectorFontPixels, fontPixels } = this.layout.controls[row];
            surface.setNumberPixels((projector && projectorFontPixels) || fontPixels || this.layout.fontPixels);
            surface.render(scale);
        }
    }
}
