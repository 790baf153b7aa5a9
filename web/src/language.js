// The language a page is shown in, chosen before the core is there: the link's lang, then the one chosen in the
// menu, then the browser's languages.

// Where the language chosen in a page's menu is kept for every page of the site.
const languageKey = 'taluno-language';

// The first of `preferred` that is one of `languages`, each compared by its language alone ("en-GB" is "en");
// English where none is. The same rule as chooseLanguage in core/catalogue.cpp: keep the two in step.
export function chooseLanguage(preferred, languages) {
    for (const code of preferred) {
        const language = code.split(/[-_.@]/)[0].toLowerCase();
        if (languages.includes(language))
            return language;
    }
    return 'en';
}

// What the page is asked to be shown in, first first.
export function preferredLanguages() {
    let remembered = null;
    try {
        remembered = localStorage.getItem(languageKey);
    } catch {
        // storage refused (a page from a file in some browsers): the browser's languages decide
    }
    const linked = new URLSearchParams(location.hash.slice(1)).get('lang');
    return [linked, remembered, ...(navigator.languages ?? [navigator.language])].filter(Boolean);
}

// The language chosen in the menu, kept for the next page opened; the link of this one no longer names another.
export function rememberLanguage(code) {
    try {
        localStorage.setItem(languageKey, code);
    } catch {
        // storage refused: the link alone carries it
    }
    const hash = location.hash.replace(/([#&])lang=[^&]*/, `$1lang=${code}`);
    history.replaceState(null, '', `${location.pathname}${location.search}${hash}`);
}
