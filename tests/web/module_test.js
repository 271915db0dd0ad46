// The page's WebAssembly module under Node (18 or later): every row of the core's table through its
// command, and every fuzz corpus text through every command and extract beside the native core, as
// bytes, so that a fault of the core built for WebAssembly shows here.
//   node module_test.js tarvik.wasm core_answers
'use strict';
const fs = require('fs');
const core = require('../../web/core.js')(fs.readFileSync(process.argv[2]));
const FormatError = Buffer.from('cdf8d6b7b8f1cabdb4edcef3a3acc7ebcae4c8ebd5fdc8b7b5c4cdf8d6b7a3a1', 'hex');
// \t \r \n \\ and \xHH escape bytes; the rest is the file's own UTF-8.
const bytes = (field) => Buffer.concat(field.split(/(\\x..|\\.)/).map((part, i) =>
    i % 2 === 0 ? Buffer.from(part) : part[1] === 'x' ? Buffer.from(part.slice(2), 'hex')
        : Buffer.from({t: '\t', r: '\r', n: '\n', '\\': '\\'}[part[1]])));
let rows = 0, differ = 0;
for (const line of fs.readFileSync(`${__dirname}/../core/cases.tsv`, 'utf8').split('\n')) {
    if (line === '' || line.startsWith('#')) continue;
    const [, command, input, expected] = line.split('\t');
    const got = command === 'extract' ? core.extract(bytes(input)) : core.run(command, bytes(input));
    const wanted = expected === '<error>' ? FormatError : bytes(expected);
    ++rows;
    if (got === null ? expected === '<kept>' : Buffer.from(got).equals(wanted)) continue;
    ++differ;
    console.log(`${command} ${input}: got ${got && Buffer.from(got).toString('hex')}, wanted ${expected}`);
}
const corpus = `${__dirname}/../fuzz/corpus/input`;
const files = fs.readdirSync(corpus).sort().map((name) => `${corpus}/${name}`);
const native = require('child_process')
    .execFileSync(process.argv[3], files, {encoding: 'latin1', maxBuffer: 1 << 30}).split('\n');
let answers = 0;
for (const file of files) {
    const text = fs.readFileSync(file).toString('latin1').split('\0')[0];
    for (const command of [...core.commands, 'extract']) {
        for (const piece of [text, ...text.split('\n')]) {
            const bytes = Buffer.from(piece, 'latin1');
            const got = command === 'extract' ? core.extract(bytes) : core.run(command, bytes);
            const answer = got === null ? '-' : Buffer.from(got).toString('hex');
            if (answer === native[answers++]) continue;
            ++differ;
            console.log(`${command} ${bytes.toString('hex')}: module ${answer}, native ${native[answers - 1]}`);
        }
    }
}
console.log(`module_test: ${rows} rows and ${answers} answers, ${differ} differ`);
process.exitCode = rows > 0 && answers === native.length - 1 && differ === 0 ? 0 : 1;
