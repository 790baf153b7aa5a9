// The pages' script as taluno.js carries it, gzip-compressed as base64 in talunoScript: unpacked and run once, by the
// first start of a page or of the launcher's form, as a script of its own (a page opened from a file may load no
// module). Until then only this and the choice of a language stand in taluno.js.
/* global talunoScript, talunoModules */

let talunoUnpacked = null;

function talunoLoaded() {
    talunoUnpacked ??= (async () => {
        const packed = await fetch(`data:application/gzip;base64,${talunoScript}`);
        const script = document.createElement('script');
        script.text = await new Response(packed.body.pipeThrough(new DecompressionStream('gzip'))).text();
        document.head.append(script); // run as it is added
        return globalThis.talunoModules;
    })();
    return talunoUnpacked;
}

// A program's page (startPage in page.js); where the script cannot be unpacked, the page says so in its language.
async function startPage(options) {
    let modules;
    try {
        modules = await talunoLoaded();
    } catch (error) {
        document.body.textContent = options.texts[chooseLanguage(preferredLanguages(), Object.keys(options.texts))].pageFailed;
        throw error;
    }
    return modules.startPage(options);
}

// The launcher's form (startLauncher in launcher.js).
async function startLauncher(options) {
    return (await talunoLoaded()).startLauncher(options);
}
