// A drawing surface, the twin of kit/picturebox.cpp: lines and boxes on a canvas drawn at the device's
// resolution, printed lines as text above it. Units map onto the inner area as the layout gives them,
// or one unit a pixel.

import { element } from './element.js';

// A device pixel's index for a coordinate in device pixels: a unit that lands exactly on a pixel edge
// must not fall back a pixel by a rounding error. The same rule as PictureBox::devicePixel in
// kit/picturebox.cpp, with the same tolerance: keep the two in step.
const pixelIndex = (device) => Math.floor(device + 1e-9);
// A line is one layout pixel wide, in whole device pixels; as PictureBox::strokeWidth.
const strokeWidth = (ratio) => Math.max(1, Math.round(ratio));

export class DrawingSurface {
    // `face`: the border and line ends both faces draw with.
    constructor(box, control, fontPixels, { surfaceBorder, lineCap, enlargedAxisRowStretch }) {
        this.box = box;
        box.style.borderWidth = `${surfaceBorder}px`;
        this.lineCap = lineCap;
        this.enlargedRowStretch = enlargedAxisRowStretch;
        this.across = control.unitsAcross;
        this.down = control.unitsDown;
        this.border = surfaceBorder;
        this.innerWidth = control.width - 2 * surfaceBorder;
        this.innerHeight = control.height - 2 * surfaceBorder;
        this.canvas = element('canvas', 'surface-canvas', box);
        this.text = element('div', 'surface-text', box);
        this.text.style.fontSize = `${fontPixels}px`;
        this.em = fontPixels;
        this.numberPixels = fontPixels;
        this.stretch = 1;
        this.scale = 1;
        this.clear();
    }

    unitsToPixels(x, y) {
        return [this.across > 0 ? (x * this.innerWidth) / this.across : x,
                this.down > 0 ? (y * this.innerHeight) / this.down : y];
    }

    // A new size: the strokes and the text drawn again, where their units now fall.
    resize(width, height) {
        if (width - 2 * this.border === this.innerWidth && height - 2 * this.border === this.innerHeight)
            return;
        [this.innerWidth, this.innerHeight] = [width - 2 * this.border, height - 2 * this.border];
        this.placeAgain();
        this.render();
    }

    placeAgain() {
        const texts = this.texts;
        this.text.replaceChildren();
        this.texts = [];
        this.stretch = 1;
        this.text.style.setProperty('--stretch', 1);
        for (const text of texts)
            this.placeText(...text);
    }

    clear() {
        this.texts = [];
        this.strokes = [];
        this.text.replaceChildren();
        this.stretch = 1;
        this.text.style.setProperty('--stretch', 1);
        this.position = [0, 0];
        this.render();
    }

    // `pixels` layout pixels wide.
    line(x1, y1, x2, y2, colour, pixels = 1) {
        this.add({ line: true, x1, y1, x2, y2, colour, pixels });
    }

    fillBox(x1, y1, x2, y2, colour) {
        this.add({ line: false, x1, y1, x2, y2, colour });
    }

    add(stroke) {
        this.strokes.push(stroke);
        this.position = [stroke.x2, stroke.y2];
        this.draw(stroke);
    }

    moveTo(x, y) {
        this.position = [x, y];
    }

    // `number`: a number the class reads, in the numbers' type.
    print(text, number = false) {
        if (text)
            this.placeText(text, ...this.position, false, number);
        this.nextLine();
    }

    // The numbers of an axis row, each centred under its tick, in the numbers' type.
    printAxisRow(row, firstTick, tickStep) {
        row.trim().split(/ +/).forEach((number, k) => this.placeText(number, firstTick + k * tickStep, this.position[1], true, true));
        this.nextLine();
    }

    // The numbers' type: at a projector's sizes larger than the surface's other text, as the desktop's PictureBox.
    setNumberPixels(pixels) {
        if (pixels === this.numberPixels)
            return;
        this.numberPixels = pixels;
        this.text.style.setProperty('--number-font', `${pixels}px`);
        this.text.style.setProperty('--row-stretch', pixels > this.em ? this.enlargedRowStretch : 1);
        this.placeAgain();
    }

    nextLine() {
        const unitsPerPixel = this.down > 0 ? this.down / this.innerHeight : 1;
        this.position = [0, this.position[1] + this.em * unitsPerPixel];
    }

    // Text at a point in units, kept to be placed again at a new size.
    placeText(text, unitsX, unitsY, centred, number) {
        this.texts.push([text, unitsX, unitsY, centred, number]);
        const [x, y] = this.unitsToPixels(unitsX, unitsY);
        const span = element('span', centred ? 'centred' : '', this.text);
        span.classList.toggle('number', number);
        span.textContent = text;
        span.style.left = `${x}px`;
        // Numbers larger than the surface's text stand on its bottom edge rather than run off it.
        span.style.top = `${number ? Math.min(y, this.innerHeight - this.numberPixels) : y}px`;
        // No line runs off the right edge: all lines narrow alike, as far as the widest needs.
        const width = span.offsetWidth;
        if (!centred && width > 0 && x + width > this.innerWidth) {
            this.stretch = Math.min(this.stretch, Math.max(0.5, (this.innerWidth - x) / width));
            this.text.style.setProperty('--stretch', this.stretch);
        }
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
        return [pixelIndex(px * ratio), pixelIndex(py * ratio)];
    }

    draw(stroke, context = this.canvas.getContext('2d'), ratio = this.ratio) {
        const [ax, ay] = this.devicePixel(stroke.x1, stroke.y1, ratio);
        const [bx, by] = this.devicePixel(stroke.x2, stroke.y2, ratio);
        context.fillStyle = stroke.colour;
        const width = strokeWidth(ratio) * (stroke.pixels ?? 1);
        // Centred where a line of one pixel would run.
        const centre = strokeWidth(ratio) / 2;
        // A box is closed, its edges as wide as a line: one of no height is a line.
        if (!stroke.line || ax === bx || ay === by) {
            context.fillRect(Math.min(ax, bx), Math.min(ay, by), Math.abs(bx - ax) + width, Math.abs(by - ay) + width);
        } else {
            context.strokeStyle = stroke.colour;
            context.lineWidth = width;
            context.lineCap = this.lineCap;
            context.beginPath();
            context.moveTo(ax + centre, ay + centre);
            context.lineTo(bx + centre, by + centre);
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
        context.scale(ratio, ratio);
        for (const span of this.text.children) {
            const style = getComputedStyle(span);
            const centred = span.classList.contains('centred');
            context.font = style.font;
            context.textAlign = centred ? 'center' : 'left';
            // A centred number as narrow as it stands.
            const across = centred ? new DOMMatrix(style.transform).a : 1;
            context.save();
            context.translate(parseFloat(span.style.left), parseFloat(span.style.top));
            context.scale(across, 1);
            context.fillText(span.textContent, 0, 0);
            context.restore();
        }
        return canvas;
    }
}
