// An element made in code: its tag, class and the parent it goes into.
export function element(tag, className, parent) {
    const made = document.createElement(tag);
    if (className)
        made.className = className;
    parent?.append(made);
    return made;
}
