// The page's WebAssembly module under Node against the native core: every row of the core's
// table and every fuzz corpus text, whole and line by line, through every command and extract,
// compared as bytes. Written for Node 18.
//   node differential.js tarvik.wasm core_answers
'use strict';
const fs = require('fs');
const path = require('path');
const {spawnSync} = require('child_process');
const TarvikCore = require('../../web/core.js');

const [modulePath, nativePath] = process.argv.slice(2);
const core = TarvikCore(fs.readFileSync(modulePath));
const root = path.join(__dirname, '..', '..');
const commands = [...core.commands, 'extract'];

// A field of cases.tsv: \t \r \n \\ and \xHH escaped, the rest UTF-8.
function unescape(field) {
    const bytes = [];
    for (let i = 0; i < field.length; ++i) {
        if (field[i] !== '\\') {
            bytes.push(...Buffer.from(field[i]));
        } else if (field[++i] === 'x') {
            bytes.push(parseInt(field.slice(i + 1, i + 3), 16));
            i += 2;
        } else {
            bytes.push({t: 9, r: 13, n: 10, '\\': 92}[field[i]]);
        }
    }
    return Buffer.from(bytes);
}

const requests = []; // [command, bytes], as the page hands them over: no NUL
const table = path.join(root, 'tests', 'core', 'cases.tsv');
if (fs.existsSync(table)) {
    for (const line of fs.readFileSync(table, 'utf8').split('\n')) {
        if (line === '' || line.startsWith('#')) continue;
        const [, command, input] = line.split('\t');
        requests.push([command, unescape(input)]);
    }
} else {
    console.log('differential: no tests/core/cases.tsv yet; the fuzz corpus alone is compared');
}
const corpus = path.join(root, 'tests', 'fuzz', 'corpus', 'input');
for (const name of fs.readdirSync(corpus).sort()) {
    const bytes = fs.readFileSync(path.join(corpus, name));
    const text = bytes.subarray(0, bytes.indexOf(0) < 0 ? bytes.length : bytes.indexOf(0));
    const texts = [text];
    for (let start = 0; start <= text.length;) {
        const end = text.indexOf(10, start) < 0 ? text.length : text.indexOf(10, start);
        texts.push(text.subarray(start, end));
        start = end + 1;
    }
    for (const command of commands) for (const t of texts) requests.push([command, t]);
}

const hex = (bytes) => (bytes === null ? '-' : Buffer.from(bytes).toString('hex'));
const native = spawnSync(path.resolve(nativePath), {
    input: requests.map(([command, bytes]) => `${command} ${hex(bytes)}\n`).join(''),
    maxBuffer: 1 << 30,
    encoding: 'latin1',
});
if (native.status !== 0) throw new Error(`core_answers failed: ${native.error ?? native.stderr}`);
const answers = native.stdout.split('\n');
let differ = 0;
requests.forEach(([command, bytes], i) => {
    const module = command === 'extract' ? core.extract(bytes) : core.run(command, bytes);
    if (hex(module) === answers[i]) return;
    if (++differ <= 10) {
        console.log(`${command} ${JSON.stringify(bytes.toString('latin1'))}:\n` +
            `  module ${hex(module)}\n  native ${answers[i]}`);
    }
});
console.log(`differential: ${requests.length} answers compared, ${differ} differ`);
process.exitCode = differ === 0 ? 0 : 1;
