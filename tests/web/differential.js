// The page's WebAssembly module under Node (18 or later) against the native core: every row of the
// core's table and every fuzz corpus text, whole and line by line, through every command and
// extract, compared as bytes.   node differential.js tarvik.wasm core_answers
'use strict';
const fs = require('fs');
const path = require('path');
const {spawnSync} = require('child_process');
const core = require('../../web/core.js')(fs.readFileSync(process.argv[2]));

const root = path.join(__dirname, '..', '..');
const requests = []; // [command, bytes] as the page hands them over, without NUL
const table = path.join(root, 'tests', 'core', 'cases.tsv');
if (fs.existsSync(table)) {
    for (const line of fs.readFileSync(table, 'utf8').split('\n')) {
        if (line === '' || line.startsWith('#')) continue;
        const [, command, input] = line.split('\t');
        // \t \r \n \\ and \xHH are escaped; the escapes become Latin-1 characters, one byte each.
        const escaped = Buffer.from(input, 'utf8').toString('latin1').replace(/\\(x..|.)/g,
            (_, e) => e[0] === 'x' ? String.fromCharCode(parseInt(e.slice(1), 16))
                : {t: '\t', r: '\r', n: '\n', '\\': '\\'}[e]);
        requests.push([command, Buffer.from(escaped, 'latin1')]);
    }
} else {
    console.log('differential: no tests/core/cases.tsv yet; the fuzz corpus alone is compared');
}
const corpus = path.join(root, 'tests', 'fuzz', 'corpus', 'input');
for (const name of fs.readdirSync(corpus).sort()) {
    const text = fs.readFileSync(path.join(corpus, name)).toString('latin1').split('\0')[0];
    for (const command of [...core.commands, 'extract']) {
        for (const t of [text, ...text.split('\n')]) requests.push([command, Buffer.from(t, 'latin1')]);
    }
}

const hex = (bytes) => (bytes === null ? '-' : Buffer.from(bytes).toString('hex'));
const native = spawnSync(path.resolve(process.argv[3]), {
    input: requests.map(([command, bytes]) => `${command} ${hex(bytes)}\n`).join(''),
    maxBuffer: 1 << 30,
    encoding: 'latin1',
});
if (native.status !== 0) throw new Error(`core_answers failed: ${native.error ?? native.stderr}`);
const answers = native.stdout.split('\n');
const differ = requests.filter(([command, bytes], i) => {
    const answer = hex(command === 'extract' ? core.extract(bytes) : core.run(command, bytes));
    if (answer !== answers[i]) console.log(`${command} ${hex(bytes)}: module ${answer}, native ${answers[i]}`);
    return answer !== answers[i];
});
console.log(`differential: ${requests.length} answers compared, ${differ.length} differ`);
process.exitCode = differ.length === 0 ? 0 : 1;
