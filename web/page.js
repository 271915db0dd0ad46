// The page: moves texts between its boxes and the core, as the window does. Every rule of a
// conversion is the core's; here texts only change form (UTF-16 in the page, bytes in the core).
// A plain loop: Uint8Array.from with a function took 4 to 11 ms of the page's start here, this 1.
const moduleText = atob(ModuleBase64), moduleBytes = new Uint8Array(moduleText.length);
for (let i = 0; i < moduleText.length; ++i) moduleBytes[i] = moduleText.charCodeAt(i);
const core = TarvikCore(moduleBytes);
const utf8 = new TextDecoder('utf-8'), utf8Encoder = new TextEncoder();
const $ = (id) => document.getElementById(id);
const input = $('input'), output = $('output'), status = $('status');
// Longer texts are refused rather than left to hang the tab: a page's source or a list of a
// hundred thousand links stays far below.
const TextLimit = 16 << 20;
const TooLong = `文本太长（超过 ${TextLimit >> 20} M 个字符），请分几次转换。`;

function say(message, title = '') {
    $('status-title').textContent = title;
    $('status-text').textContent = message;
}

// A text as the window's box holds it: up to a NUL, lines ending in CR LF; in GBK, or in UTF-8
// when a character has no GBK form.
function bytesOf(text) {
    text = text.split('\0', 1)[0].replace(/\n/g, '\r\n');
    return Gbk.encode(text) ?? utf8Encoder.encode(text);
}

// Bytes as the window shows them: line by line, each line in UTF-8 where the core finds it so,
// in GBK otherwise.
function textOf(bytes) {
    const lines = [];
    for (let start = 0; start <= bytes.length;) {
        let end = bytes.indexOf(0x0a, start);
        if (end < 0) end = bytes.length;
        const line = bytes.subarray(start, end);
        lines.push(core.isUtf8(line) ? utf8.decode(line) : Gbk.decode(line));
        start = end + 1;
    }
    return lines.join('\n');
}

function setInput(text) {
    if (text.length > TextLimit) return say(TooLong);
    input.value = text;
    say('');
}

function convert(command) {
    if (input.value.length > TextLimit) return say(TooLong);
    const bytes = bytesOf(input.value);
    const result = command === 'extract' ? core.extract(bytes) : core.run(command, bytes);
    if (result !== null) output.value = textOf(result);
    say(result === null && command === 'extract' ? '没有找到专用链。' : '');
}

async function copy() {
    if (output.value === '') return;
    try {
        await navigator.clipboard.writeText(output.value);
    } catch {
        // A page served over plain http has no navigator.clipboard; a selection still copies.
        output.select();
        if (!document.execCommand('copy')) return say('浏览器不允许复制，请按 Ctrl+C 复制结果。');
    }
    say('转换结果已经成功复制到剪切板中！', '恭喜');
}

async function paste() {
    let text;
    try {
        text = await navigator.clipboard.readText();
    } catch {
        input.focus();
        return say('浏览器不允许网页读取剪贴板，请按 Ctrl+V 粘贴。');
    }
    text = text.split('\0', 1)[0];
    if (text.length > TextLimit) return say(TooLong);
    // Only spaces are trimmed, one byte each in either encoding, so bytes count characters here.
    const bytes = bytesOf(text);
    const [start, length] = core.trimmed(bytes);
    if (length > 0) setInput(text.slice(start, text.length - (bytes.length - start - length)));
}

// "#" and a link in the page's address: shared, bookmarked, never sent to a server.
function readAddressLink() {
    const link = location.hash.slice(1);
    if (link === '') return;
    const bytes = [];
    for (const part of link.split(/(%[0-9A-Fa-f]{2})/)) {
        if (/^%[0-9A-Fa-f]{2}$/.test(part)) bytes.push(parseInt(part.slice(1), 16));
        else for (const byte of utf8Encoder.encode(part)) bytes.push(byte);
    }
    const zero = bytes.indexOf(0);
    const text = Uint8Array.from(zero < 0 ? bytes : bytes.slice(0, zero));
    setInput(textOf(text));
    const result = core.readLink(text);
    if (result !== null) output.value = textOf(result);
}

async function drop(event) {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    if (file === undefined) return setInput(event.dataTransfer.getData('text/plain'));
    if (file.size > TextLimit) return say(TooLong);
    setInput(textOf(new Uint8Array(await file.arrayBuffer())));
}

for (const button of document.querySelectorAll('[data-command]')) {
    button.addEventListener('click', () => convert(button.dataset.command));
}
$('copy').addEventListener('click', copy);
$('paste').addEventListener('click', paste);
input.addEventListener('paste', (event) => {
    if (event.clipboardData.getData('text/plain').length <= TextLimit) return;
    event.preventDefault();
    say(TooLong);
});
document.addEventListener('dragover', (event) => event.preventDefault());
document.addEventListener('drop', drop);
window.addEventListener('hashchange', readAddressLink);
readAddressLink();
performance.mark('tarvik-ready');
