// The teacher's guide and the worksheet as printable pages: the little Markdown they are written in
// (headings, paragraphs, lists, tables, images, links, bold and code; a rule `---` starts a new sheet
// when printed) as HTML with print rules for A4.

const escape = (text) => text.replace(/&(?!\w+;)/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

// Bold, code, images and links within a line; a link to another Markdown page goes to its printable page
// (guide-ja.md to guide.html, guide-en.md to guide-en.html).
function inline(text) {
    return escape(text)
        .replace(/`([^`]+)`/g, '<code>$1</code>')
        .replace(/\*\*([^*]+)\*\*/g, '<strong>$1</strong>')
        .replace(/!\[([^\]]*)\]\(([^)]+)\)/g, '<figure><img src="$2" alt="$1"><figcaption>$1</figcaption></figure>')
        .replace(/\[([^\]]+)\]\(([^)]+)\)/g, (_, label, target) => `<a href="${target.replace(/-ja\.md$/, '.html').replace(/-en\.md$/, '-en.html')}">${label}</a>`);
}

const cells = (row) => row.trim().replace(/^\||\|$/g, '').split('|').map((cell) => cell.trim());

// A line wrapped in the Markdown goes on without a space in Japanese, after one in English.
export function markdownToHtml(markdown, lang = 'ja') {
    const wrap = lang === 'ja' ? '' : ' ';
    const html = [];
    const lines = markdown.replace(/<!--[^]*?-->/g, '').split('\n');
    for (let k = 0; k < lines.length;) {
        const line = lines[k];
        const heading = /^(#{1,3}) (.*)$/.exec(line);
        if (heading) {
            html.push(`<h${heading[1].length}>${inline(heading[2])}</h${heading[1].length}>`);
            ++k;
        } else if (line === '---') {
            html.push('<hr>');
            ++k;
        } else if (line.startsWith('|')) {
            const rows = [];
            for (; lines[k]?.startsWith('|'); ++k)
                rows.push(cells(lines[k]));
            const [head, , ...body] = rows;
            html.push(`<table><thead><tr>${head.map((c) => `<th>${inline(c)}</th>`).join('')}</tr></thead><tbody>`
                + body.map((row) => `<tr>${row.map((c) => `<td>${inline(c)}</td>`).join('')}</tr>`).join('')
                + '</tbody></table>');
        } else if (/^(- |\d+\. )/.test(line)) {
            const tag = line.startsWith('- ') ? 'ul' : 'ol';
            const items = [];
            for (; /^(- |\d+\. )/.test(lines[k] ?? ''); ) {
                let item = lines[k++].replace(/^(- |\d+\. )/, '');
                for (; /^ {2,}\S/.test(lines[k] ?? ''); ++k)
                    item += wrap + lines[k].trim();
                items.push(`<li>${inline(item)}</li>`);
            }
            html.push(`<${tag}>${items.join('')}</${tag}>`);
        } else if (line.trim()) {
            let paragraph = line.trim();
            for (++k; lines[k]?.trim() && !/^(#|\||- |\d+\. )/.test(lines[k]); ++k)
                paragraph += wrap + lines[k].trim();
            html.push(paragraph.startsWith('![') ? inline(paragraph) : `<p>${inline(paragraph)}</p>`);
        } else {
            ++k;
        }
    }
    return html.join('\n');
}

const style = `
body { font-family: "IPAPGothic", "Hiragino Kaku Gothic ProN", "Noto Sans CJK JP", "Yu Gothic", sans-serif;
       max-width: 50em; margin: 2em auto; padding: 0 1em; line-height: 1.7; color: #000; }
h1 { font-size: 1.6em; border-bottom: 2px solid #000; }
h2 { font-size: 1.3em; margin-top: 1.6em; }
table { border-collapse: collapse; margin: 0.8em 0; width: 100%; }
th, td { border: 1px solid #000; padding: 0.3em 0.5em; vertical-align: top; }
th { background: #eee; }
td:empty { height: 2.4em; }
td:first-child:nth-last-child(2) { width: 40%; }
/* A table of menus: each menu's name and key on one line, whatever the text beside them. */
td:first-child:nth-last-child(3), td:nth-child(2):nth-last-child(2) { white-space: nowrap; }
figure { margin: 1em 0; text-align: center; }
figure img { max-width: 100%; }
figcaption { font-size: 0.9em; }
hr { border: 0; border-top: 1px solid #888; margin: 2em 0; }
@page { size: A4; margin: 15mm; }
@media print {
    body { max-width: none; margin: 0; padding: 0; font-size: 10pt; line-height: 1.4; }
    th, td { padding: 0.2em 0.4em; }
    h1 { margin: 0 0 0.4em; font-size: 1.4em; }
    h2 { margin: 0.8em 0 0.2em; font-size: 1.15em; }
    table { margin: 0.4em 0; }
    td:empty { height: 9mm; } /* room to write by hand */
    hr { break-after: page; border: 0; margin: 0; }
    h1, h2, h3 { break-after: avoid; }
    table, figure, li { break-inside: avoid; }
    a { color: inherit; text-decoration: none; }
}`;

// A whole printable page in the language of its Markdown ('ja' or 'en'), with the lines the site puts in every head.
export function printablePage(title, markdown, head, lang = 'ja') {
    return `<!DOCTYPE html>
<html lang="${lang}">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>${escape(title)}</title>
${head}
<style>${style}
</style>
</head>
<body>
${markdownToHtml(markdown, lang)}
</body>
</html>
`;
}
