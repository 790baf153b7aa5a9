// An element made in code: its tag, class and the parent it goes into.
// Resolves in a task of its own, after what is waiting (a timer's clock may stand still under test).
export function nextTask() {
    return new Promise((next) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => next();
        channel.port2.postMessage(null);
    });
}

export function element(tag, className, parent) {
    const made = document.createElement(tag);
    if (className)
        made.className = className;
    parent?.append(made);
    return made;
}

// Puts `text` on the clipboard; where the browser keeps the clipboard from the page (opened from a file, say), by
// the copy command on a text selected for it in `parent`, which may be an open modal box.
export function copyToClipboard(text, parent = document.body) {
    const byCommand = () => {
        const area = element('textarea', '', parent);
        area.value = text;
        area.select();
        document.execCommand('copy');
        area.remove();
    };
    navigator.clipboard?.writeText(text).catch(byCommand) ?? byCommand();
}
