// The launcher's form for a teacher preparing a lesson at home: a program's settings, its toggles and the site,
// composed into the link to hand out by the core, shown with its QR code and the lines of what the core did not use.

import { compileCore, loadCore } from './core.js';
import { element } from './element.js';
import { drawLessonCode, rememberedSite, rememberSite } from './sharebox.js';

// `form` holds fields named program, guests, experiments, share, prepare, lang and site, a .toggles box, and beside it
// the .lesson-link, .lesson-code (a canvas), .lesson-unused and .site-refusal it fills; in the launcher's language.
export async function startLauncher({ core: packedCore, form }) {
    const core = await loadCore(await compileCore(packedCore), {});
    core.useLanguage(document.documentElement.lang);
    const { programs, texts, languages, language, lessonCodeShare } = core.table();
    const field = (name) => form.elements[name];
    const part = (name) => form.querySelector(`.${name}`);
    for (const { number, title } of programs)
        Object.assign(element('option', '', field('program')), { value: number, textContent: title });
    for (const { code, name } of languages)
        Object.assign(element('option', '', field('lang')), { value: code, lang: code, textContent: name, selected: code === language });
    const served = core.siteFolder(location.href);
    field('site').closest('label').hidden = Boolean(served);
    field('site').value = rememberedSite(core) ?? '';

    // The program's own fields: its prompts' (with the values they offer), its toggles by their captions.
    const showProgram = () => {
        const row = programs.find(({ number }) => number === Number(field('program').value));
        for (const name of ['guests', 'experiments']) {
            const prompt = row.prompts?.[name];
            field(name).closest('label').hidden = !prompt;
            field(name).placeholder = prompt?.offered ?? '';
        }
        part('toggles').replaceChildren();
        for (const { caption, lessonName } of row.extras.filter((extra) => extra.lessonName)) {
            const label = element('label', '', part('toggles'));
            Object.assign(element('input', '', label), { type: 'checkbox', value: lessonName });
            label.append(caption);
        }
    };
    const compose = () => {
        const given = core.siteFolder(field('site').value);
        if (given)
            rememberSite(given);
        const site = served ?? given;
        part('site-refusal').textContent = site || !field('site').value.trim() ? '' : texts.siteRefusal;
        const settings = ['guests', 'experiments', 'share'].filter((name) => !field(name).closest('label').hidden && field(name).value.trim())
            .map((name) => `${name}=${encodeURIComponent(field(name).value.trim())}`);
        const shown = [...part('toggles').querySelectorAll('input:checked')].map((box) => box.value);
        if (shown.length)
            settings.push(`show=${shown.join(',')}`);
        if (field('prepare').value.trim())
            settings.push(`prepare=${encodeURIComponent(field('prepare').value.trim())}`);
        settings.push(`lang=${field('lang').value}`);
        const { link, unused } = core.composeLink(Number(field('program').value), site ?? '', settings.join('&'));
        part('lesson-link').textContent = site ? link : '';
        part('lesson-code').hidden = !site;
        if (site)
            drawLessonCode(part('lesson-code'), link, lessonCodeShare * innerHeight);
        part('lesson-unused').replaceChildren(...unused.map((line) => Object.assign(document.createElement('li'), { textContent: line })));
    };
    field('program').addEventListener('change', showProgram);
    form.addEventListener('input', compose);
    form.addEventListener('change', compose);
    form.addEventListener('submit', (event) => event.preventDefault());
    showProgram();
    compose();
    form.hidden = false;
}
