// The page's WebAssembly module under Node (18 or later) beside the native core: the inputs of the
// core's table and every fuzz corpus text, whole and line by line, through every command and
// extract, compared as bytes, so that a fault of the core built for WebAssembly shows here.
//   node module_test.js tarvik.wasm core_answers
'use strict';
const fs = require('fs');
const core = require('../../web/core.js')(fs.readFileSync(process.argv[2]));
// \t \r \n \\ and \xHH escape bytes; the rest is the file's own UTF-8.
const bytes = (field) => Buffer.concat(field.split(/(\\x..|\\.)/).map((part, i) =>
    i % 2 === 0 ? Buffer.from(part) : part[1] === 'x' ? Buffer.from(part.slice(2), 'hex')
        : Buffer.from({t: '\t', r: '\r', n: '\n', '\\': '\\'}[part[1]])));
const texts = fs.readFileSync(`${__dirname}/../core/cases.tsv`, 'utf8').split('\n')
    .filter((line) => line !== '' && !line.startsWith('#')).map((line) => bytes(line.split('\t')[2]));
const corpus = `${__dirname}/../fuzz/corpus/input`;
for (const name of fs.readdirSync(corpus)) {
    const text = fs.readFileSync(`${corpus}/${name}`).toString('latin1').split('\0')[0];
    texts.push(...[text, ...text.split('\n')].map((piece) => Buffer.from(piece, 'latin1')));
}
const native = require('child_process').execFileSync(process.argv[3],
    {input: texts.map((text) => text.toString('hex')).join('\n') + '\n', encoding: 'latin1',
        maxBuffer: 1 << 30}).split('\n');
let answers = 0, differ = 0;
for (const text of texts) {
    for (const command of [...core.commands, 'extract']) {
        const got = command === 'extract' ? core.extract(text) : core.run(command, text);
        const answer = got === null ? '-' : Buffer.from(got).toString('hex');
        if (answer === native[answers++]) continue;
        ++differ;
        console.log(`${command} ${text.toString('hex')}: module ${answer}, native ${native[answers - 1]}`);
    }
}
console.log(`module_test: ${texts.length} texts, ${answers} answers, ${differ} differ`);
process.exitCode = answers > 0 && answers === native.length - 1 && differ === 0 ? 0 : 1;
