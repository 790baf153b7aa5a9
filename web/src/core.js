// The programs' core, compiled to WebAssembly: what a window does on its activation, clicks,
// ticks and box answers. The core answers through a view, an object with the methods below;
// colours are "#rrggbb".

// The windows by name, numbered as the core numbers them: filled from the program table's "windows" by
// knowWindows(), which reading the table calls. Programs, extras and cues go by the numbers and names the
// table gives them (core/program.h).
export const Window = {};

// Takes the core's numbering of the windows; a window the page needs and the core does not name fails here.
export function knowWindows(windows) {
    for (const name of ['main', 'help']) {
        if (!Number.isInteger(windows?.[name]))
            throw new Error(`the core's program table has no window named "${name}"`);
    }
    Object.assign(Window, windows);
}

// The boxes the core asks for, by the names it gives their kinds (questionKindName in core/programflow.cpp).
const questionKinds = {
    yesNo: { input: false, multiline: false },
    line: { input: true, multiline: false },
    lines: { input: true, multiline: true },
    message: { input: false, multiline: false, message: true },
};

const questionKind = (name) => {
    if (!Object.hasOwn(questionKinds, name))
        throw new Error(`the core asked a box of a kind the page does not know: "${name}"`);
    return questionKinds[name];
};

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The few system calls the C++ library links but the core never makes at run time.
const systemStubs = {
    fd_close: () => 0,
    fd_seek: () => 0,
    fd_write: () => 0,
};

const colourText = (rgb) => '#' + rgb.toString(16).padStart(6, '0');

// The core given gzip-compressed as base64 text: decoded, decompressed and compiled as it streams, off the
// page's main thread where the browser can.
export async function compileCore(base64) {
    const wasm = await unpacked(base64, 'application/wasm');
    return WebAssembly.compileStreaming ? WebAssembly.compileStreaming(wasm) : WebAssembly.compile(await wasm.arrayBuffer());
}

// Gzip-compressed bytes given as base64, as a response of `type` that decompresses as it is read.
export async function unpacked(base64, type) {
    const packed = await fetch(`data:application/gzip;base64,${base64}`);
    return new Response(packed.body.pipeThrough(new DecompressionStream('gzip')), { headers: { 'content-type': type } });
}

// `wasm`: the core compiled, or its bytes.
export async function loadCore(wasm, view) {
    let memory = null;
    const text = (pointer, length) => decoder.decode(new Uint8Array(memory.buffer, pointer, length));
    const imports = {
        taluno: {
            setText: (w, c, p, n) => view.setText(w, c, text(p, n)),
            setTextColour: (w, c, rgb) => view.setTextColour(w, c, colourText(rgb)),
            setNote: (w, c, p, n, rgb) => view.setNote(w, c, text(p, n), colourText(rgb)),
            setEnabled: (w, c, on) => view.setEnabled(w, c, on !== 0),
            setVisible: (w, c, on) => view.setVisible(w, c, on !== 0),
            setDescription: (w, c, p, n) => view.setDescription(w, c, text(p, n)),
            setTimer: (w, t, on) => view.setTimer(w, t, on !== 0),
            setBusy: (w, on) => view.setBusy(w, on !== 0),
            playCue: (p, n) => view.playCue(text(p, n)),
            ask: (w, kp, kn, tp, tn, hp, hn, dp, dn, shownLine) => view.ask(w, { ...questionKind(text(kp, kn)), text: text(tp, tn),
                                                                                 title: text(hp, hn), defaultText: text(dp, dn), shownLine }),
            openHelp: () => view.openHelp(),
            closeHelp: () => view.closeHelp(),
            endProgram: () => view.endProgram(),
            surfaceClear: (w, c) => view.surfaceClear(w, c),
            surfaceLine: (w, c, x1, y1, x2, y2, rgb, pixels) => view.surfaceLine(w, c, x1, y1, x2, y2, colourText(rgb), pixels),
            surfaceBox: (w, c, x1, y1, x2, y2, rgb) => view.surfaceBox(w, c, x1, y1, x2, y2, colourText(rgb)),
            surfaceMoveTo: (w, c, x, y) => view.surfaceMoveTo(w, c, x, y),
            surfacePrint: (w, c, p, n) => view.surfacePrint(w, c, text(p, n)),
            surfaceNumber: (w, c, p, n) => view.surfaceNumber(w, c, text(p, n)),
            surfaceAxisRow: (w, c, p, n, first, step) => view.surfaceAxisRow(w, c, text(p, n), first, step),
            secondsSinceMidnight: () => view.secondsSinceMidnight(),
            setWindowWidth: (w, pixels) => view.setWindowWidth(w, pixels),
            showPanels: (w, p, n) => view.showPanels(w, JSON.parse(text(p, n))),
        },
        wasi_snapshot_preview1: systemStubs,
    };
    const made = await WebAssembly.instantiate(wasm, imports);
    const instance = made.instance ?? made;
    const api = instance.exports;
    memory = api.memory;
    api._initialize();

    // Passes a string in: written into the core's memory for the length of one call.
    const withText = (value, call) => {
        const bytes = encoder.encode(value);
        const pointer = api.taluno_alloc(bytes.length);
        new Uint8Array(memory.buffer, pointer, bytes.length).set(bytes);
        try {
            return call(pointer, bytes.length);
        } finally {
            api.taluno_free(pointer);
        }
    };
    const cString = (pointer) => {
        const bytes = new Uint8Array(memory.buffer, pointer);
        return decoder.decode(bytes.subarray(0, bytes.indexOf(0)));
    };

    // A name the program's menu does not have is a fault of the page: never dropped quietly.
    const extraNamed = (extra, known) => {
        if (!known)
            throw new Error(`this program's menu has no extra named "${extra}"`);
    };

    return {
        // The programs with their titles, kinds, help places and extras; the windows' numbers, which `Window` takes
        // from here on, and the cues' names; the numbers both faces draw with; the texts a face shows of itself. A
        // page has the table written into it and takes the windows' numbers from there.
        table: () => {
            const table = JSON.parse(cString(api.taluno_programs()));
            knowWindows(table.windows);
            return table;
        },
        // Every text from here on in the language of that code; false where it has none. The table and the layouts are
        // then asked for again.
        // Every text in the language in use, by its catalogue name.
        texts: () => JSON.parse(cString(api.taluno_texts())),
        useLanguage: (code) => withText(code, (p, n) => api.taluno_use_language(p, n)) !== 0,
        layout: (window, program) => JSON.parse(cString(api.taluno_layout(window, program)) || 'null'),
        start: (program) => {
            if (!api.taluno_start(program))
                throw new Error(`no program numbered ${program}`);
        },
        activated: (window) => api.taluno_activated(window),
        clicked: (window, control) => api.taluno_clicked(window, control),
        tick: (window, timer) => api.taluno_tick(window, timer),
        answerInput: (window, value) => withText(value, (p, n) => api.taluno_answer_input(window, p, n)),
        answerYesNo: (window, yes) => api.taluno_answer_yes_no(window, yes ? 1 : 0),
        copyText: () => cString(api.taluno_copy_text()),
        // The lines under a saved picture of the main window's picture control.
        pictureCaption: () => cString(api.taluno_picture_caption()).split('\n').filter(Boolean),
        // An extra, by its name, that the core does itself.
        chooseExtra: (extra) => extraNamed(extra, withText(extra, (p, n) => api.taluno_choose_extra(p, n))),
        // The cue of that name as the bytes of a WAV file.
        cueWav: (cue) => {
            const pointer = withText(cue, (p, n) => api.taluno_cue_wav(p, n)); // first: the call may grow the memory
            return new Uint8Array(memory.buffer, pointer, api.taluno_text_length()).slice();
        },
        // Sets the main window up as a lesson's settings say (what follows a link's '#'), before its first activation,
        // telling the parts not used where `tell`; the names of the extras it turned on.
        openLesson: (settings, tell) => JSON.parse(cString(withText(settings, (p, n) => api.taluno_open_lesson(p, n, tell ? 1 : 0)))),
        // The link of the main window's set-up in use, beginning with the site's folder.
        lessonLink: (site) => cString(withText(site, (p, n) => api.taluno_lesson_link(p, n))),
        // The folder of the site at an address, as links begin; null where it is none.
        siteFolder: (address) => cString(withText(address, (p, n) => api.taluno_site_folder(p, n))) || null,
        siteNote: (site) => cString(withText(site, (p, n) => api.taluno_site_note(p, n))),
        // A link composed from a program's settings: { link, unused }, the lines saying what was not used and why.
        composeLink: (program, site, settings) => JSON.parse(cString(withText(site, (sp, sn) =>
            withText(settings, (p, n) => api.taluno_compose_link(program, sp, sn, p, n))))),
        // Shows or hides a toggled extra, by its name.
        setExtra: (extra, shown) => extraNamed(extra, withText(extra, (p, n) => api.taluno_set_extra(p, n, shown ? 1 : 0))),
    };
}
