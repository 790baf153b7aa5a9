// The input box, the Yes/No box and the message box: one modal dialog with the desktop's titles, texts and
// buttons, the twin of kit/qtmodalboxes.cpp: keep the two in step. Enter answers OK or はい, Escape
// キャンセル or いいえ, or closes the message.

import { element } from './element.js';

export class QuestionDialog {
    // `pasted`: the most characters the box of many lines takes, and the line that refuses a paste beyond it;
    // `texts`: the core's texts, the buttons' captions among them.
    constructor(parent, pasted, texts) {
        this.texts = texts;
        this.dialog = element('dialog', 'question', parent);
        this.title = element('h2', 'title', this.dialog);
        this.text = element('p', 'text', this.dialog);
        this.input = element('input', 'answer', this.dialog);
        this.input.type = 'text';
        // Pasted results, many lines long, unwrapped as on the desktop: a line of the text is a line of the box.
        this.lines = element('textarea', 'answer lines', this.dialog);
        this.lines.rows = 12;
        this.lines.setAttribute('wrap', 'off');
        for (const field of [this.input, this.lines])
            field.setAttribute('aria-labelledby', 'question-text');
        // A paste or drop that would make the lines longer than the core reads is refused, as on the desktop
        // (kit/linesbox.cpp): a box that long would take the page for seconds.
        for (const type of ['paste', 'drop']) {
            this.lines.addEventListener(type, (event) => {
                const added = (event.clipboardData ?? event.dataTransfer)?.getData('text/plain') ?? '';
                const kept = this.lines.value.length - (this.lines.selectionEnd - this.lines.selectionStart);
                if (kept + added.length <= pasted.most)
                    return;
                event.preventDefault();
                this.text.textContent = `${pasted.refusal}\n\n${this.question.text}`;
            });
        }
        this.text.id = 'question-text';
        const buttons = element('div', 'buttons', this.dialog);
        this.accept = element('button', 'accept', buttons);
        this.reject = element('button', 'reject', buttons);
        this.accept.type = this.reject.type = 'button';
        this.dialog.setAttribute('aria-labelledby', 'question-title');
        this.title.id = 'question-title';
        this.accept.addEventListener('click', () => this.finish(true));
        this.reject.addEventListener('click', () => this.finish(false));
        // Enter answers OK; in the box of many lines, Ctrl+Enter (or ⌘+Enter) does.
        this.dialog.addEventListener('keydown', (event) => {
            const lines = event.target === this.lines;
            if (event.key === 'Enter' && !event.isComposing && (event.target === this.input || (lines && (event.ctrlKey || event.metaKey)))) {
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

    // onAnswer(answer, accepted): the text typed ('' for キャンセル) or whether はい, and whether OK or はい was pressed.
    show(question, onAnswer) {
        this.question = question;
        this.onAnswer = onAnswer;
        this.title.textContent = question.title;
        this.text.textContent = question.text;
        this.field = question.multiline ? this.lines : this.input;
        this.input.hidden = !question.input || question.multiline;
        this.lines.hidden = !question.multiline;
        this.field.value = question.defaultText ?? '';
        this.accept.textContent = question.input || question.message ? this.texts.okCaption : this.texts.yesCaption;
        this.reject.textContent = question.input ? this.texts.cancelCaption : this.texts.noCaption;
        this.reject.hidden = Boolean(question.message);
        this.dialog.showModal();
        if (question.input) {
            this.field.focus();
            if (question.multiline)
                this.showLine(question.shownLine);
            else
                this.field.select();
        } else {
            this.accept.focus();
        }
    }

    // What was given to the box of many lines comes back to be mended, not selected to be typed over: its line
    // `number` (1 first) selected and scrolled into the middle, or with none, the cursor at the end. As
    // kit/linesbox.cpp: keep the two in step.
    showLine(number) {
        const area = this.lines;
        const lines = area.value.split('\n');
        if (!(number >= 1 && number <= lines.length)) {
            area.setSelectionRange(area.value.length, area.value.length);
            return;
        }
        const start = lines.slice(0, number - 1).reduce((sum, line) => sum + line.length + 1, 0);
        area.setSelectionRange(start, start + lines[number - 1].length, 'backward'); // a long line shows from its beginning
        area.scrollTop = Math.max(0, (number - 0.5) * parseFloat(getComputedStyle(area).lineHeight) - area.clientHeight / 2);
    }

    finish(accepted) {
        const { question, onAnswer } = this;
        this.dialog.close();
        onAnswer(question.input ? (accepted ? this.field.value : '') : accepted, accepted);
    }
}
