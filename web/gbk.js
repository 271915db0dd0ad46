// GBK as the window converts it, with code page 936. The browser decodes GBK by GB18030-2022,
// which reads a hundred codes otherwise than code page 936 (Cp936Exceptions, made by
// web/cp936/exceptions from both), and cannot encode it at all: the encoder is the decoder turned
// round, built the first time a character beyond ASCII is typed.
const Gbk = (() => {
    const browser = new TextDecoder('gbk');
    const exceptions = new Map(); // code → code page 936's character
    for (let i = 0; i < Cp936Exceptions.length; i += 2) {
        exceptions.set(Cp936Exceptions[i], Cp936Exceptions[i + 1]);
    }
    const isTrail = (byte) => byte >= 0x40 && byte <= 0xfe && byte !== 0x7f;
    let encoder = null; // UTF-16 unit → its code, 0 where code page 936 has none

    function buildEncoder() {
        const pairs = new Uint8Array(126 * 190 * 2);
        let length = 0;
        for (let lead = 0x81; lead <= 0xfe; ++lead) {
            for (let trail = 0x40; trail <= 0xfe; ++trail) {
                if (isTrail(trail)) pairs[length++] = lead, pairs[length++] = trail;
            }
        }
        const text = browser.decode(pairs);
        // Every two-byte code reads as one character of the BMP, so character i is pair i's.
        if (text.length * 2 !== length) throw new Error('the browser reads GBK otherwise');
        encoder = new Uint16Array(0x10000);
        for (let i = 0; i < length; i += 2) {
            const code = pairs[i] << 8 | pairs[i + 1];
            encoder[exceptions.get(code) ?? text.charCodeAt(i / 2)] = code;
        }
        encoder[0x20ac] = 0x80; // the euro sign, A2E3's character in GB18030, is 0x80 in 936
        encoder[0xf8f5] = 0xff;
    }

    // The text's bytes in code page 936, or null when a character has no exact form there (a
    // character outside GBK, an unpaired surrogate).
    function encode(text) {
        const bytes = new Uint8Array(text.length * 2);
        let length = 0;
        for (let i = 0; i < text.length; ++i) {
            const unit = text.charCodeAt(i);
            if (unit < 0x80) {
                bytes[length++] = unit;
                continue;
            }
            if (encoder === null) buildEncoder();
            const code = encoder[unit];
            if (code === 0) return null;
            if (code > 0xff) bytes[length++] = code >> 8;
            bytes[length++] = code & 0xff;
        }
        return bytes.subarray(0, length);
    }

    // Bytes read as code page 936 reads them. A lead byte takes the next byte with it, whatever
    // it is (but a zero byte); such a pair, or a lead byte at the end, reads as "?". Runs of
    // ordinary codes go to the browser's decoder whole.
    function decode(bytes) {
        let text = '', run = 0;
        for (let i = 0; i < bytes.length;) {
            const byte = bytes[i], next = bytes[i + 1];
            let own = null, size = 1;
            if (byte === 0xff) {
                own = '\uf8f5';
            } else if (byte > 0x80 && (next === undefined || next === 0)) {
                own = '?';
            } else if (byte > 0x80) {
                size = 2;
                const code = byte << 8 | next;
                if (!isTrail(next)) own = '?';
                else if (exceptions.has(code)) own = String.fromCharCode(exceptions.get(code));
            }
            if (own !== null) {
                text += browser.decode(bytes.subarray(run, i)) + own;
                run = i + size;
            }
            i += size;
        }
        return text + browser.decode(bytes.subarray(run));
    }

    return {encode, decode};
})();
