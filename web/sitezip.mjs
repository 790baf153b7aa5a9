// The site as a zip that the same files always make byte for byte: the entries sorted by name, each
// stamped with one time (SOURCE_DATE_EPOCH, as the Debian package takes it, else a fixed day), and no
// extra fields that would carry a file's access or change time.
//   node sitezip.mjs <zip> <folder> <file>...
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { crc32, deflateRawSync } from 'node:zlib';

const [zipFile, folder, ...names] = process.argv.slice(2);
const seconds = Number(process.env.SOURCE_DATE_EPOCH ?? Date.UTC(2026, 0, 1) / 1000);
const stamp = new Date(seconds * 1000);
// The time and date as MS-DOS kept them: two seconds a step, years from 1980.
const dosTime = (stamp.getUTCHours() << 11) | (stamp.getUTCMinutes() << 5) | (stamp.getUTCSeconds() >> 1);
const dosDate = ((stamp.getUTCFullYear() - 1980) << 9) | ((stamp.getUTCMonth() + 1) << 5) | stamp.getUTCDate();

const header = (fields) => {
    const bytes = Buffer.alloc(fields.reduce((size, [width]) => size + width, 0));
    let at = 0;
    for (const [width, value] of fields) {
        bytes[width === 2 ? 'writeUInt16LE' : 'writeUInt32LE'](value, at);
        at += width;
    }
    return bytes;
};

const local = [];
const central = [];
let offset = 0;
for (const name of names.toSorted()) {
    const data = readFileSync(join(folder, name));
    const packed = deflateRawSync(data, { level: 9 });
    const path = Buffer.from(name, 'utf8');
    // Version 2.0, names in UTF-8, deflated, the fixed time, then the sizes and the name's length.
    const common = [[2, 20], [2, 0x0800], [2, 8], [2, dosTime], [2, dosDate], [4, crc32(data)], [4, packed.length],
                    [4, data.length], [2, path.length], [2, 0]];
    local.push(header([[4, 0x04034b50], ...common]), path, packed);
    central.push(header([[4, 0x02014b50], [2, 0x0314], ...common, [2, 0], [2, 0], [2, 0], [4, 0o100644 * 0x10000], [4, offset]]), path);
    offset += 30 + path.length + packed.length;
}
const directory = Buffer.concat(central);
const end = header([[4, 0x06054b50], [2, 0], [2, 0], [2, names.length], [2, names.length], [4, directory.length], [4, offset], [2, 0]]);
writeFileSync(zipFile, Buffer.concat([...local, directory, end]));
