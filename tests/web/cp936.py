#!/usr/bin/python3
"""The page's GBK against code page 936 as Wine (like Windows) converts it, over every code.

  cp936.py DUMP.exe PAGE.html            checks that web/cp936-exceptions.txt lists every code
                                         that Chromium's TextDecoder('gbk') reads otherwise than
                                         code page 936, and that the page decodes every byte and
                                         pair and encodes every UTF-16 unit as code page 936 does
  cp936.py --write DUMP.exe PAGE.html    writes web/cp936-exceptions.txt anew

DUMP.exe is tests/web/cp936_dump.cpp built with MinGW; it runs under scripts/wine-run, with code
page 936."""
import os
import subprocess
import sys

from browser import chromium

root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
listing = os.path.join(root, "web", "cp936-exceptions.txt")
Header = """\
# The GBK codes that Chromium's TextDecoder('gbk') (GB18030-2022) reads otherwise than code
# page 936 (Wine's, as Windows'): code, code page 936's character, Chromium's character.
# Made by tests/web/cp936.py --write; the page reads these codes as code page 936 does.
"""


def is_trail(byte):
    return 0x40 <= byte <= 0xFE and byte != 0x7F


def wine_dump(program):
    run = subprocess.run([os.path.join(root, "scripts", "wine-run"), program],
                         capture_output=True, text=True, check=True)
    single, pairs, encoder = {}, {}, {}
    for line in run.stdout.splitlines():
        kind, code, *units = line.split()
        if kind == "E":
            encoder[int(code, 16)] = None if units == ["-"] else [int(u, 16) for u in units]
        else:
            text = "".join(chr(int(u, 16)) for u in units)
            (single if kind == "S" else pairs)[int(code, 16)] = text
    assert len(single) == 128 and len(pairs) == 126 * 256 and len(encoder) == 0x10000
    return single, pairs, encoder


def page_gbk(page):
    """What the page's Gbk makes of every lone byte, every pair and every UTF-16 unit, and what
    Chromium's own decoder makes of every two-byte code."""
    driver = chromium()
    try:
        driver.get("file://" + os.path.abspath(page))
        return driver.execute_script("""
            const browser = new TextDecoder('gbk'), single = {}, pairs = {}, native = {},
                encoder = [];
            for (let byte = 0x80; byte <= 0xff; ++byte) single[byte] = Gbk.decode(Uint8Array.of(byte));
            for (let lead = 0x81; lead <= 0xfe; ++lead) for (let next = 0; next <= 0xff; ++next) {
                const code = lead << 8 | next, bytes = Uint8Array.of(lead, next);
                pairs[code] = Gbk.decode(bytes);
                native[code] = browser.decode(bytes);
            }
            for (let unit = 0; unit <= 0xffff; ++unit) {
                const bytes = Gbk.encode(String.fromCharCode(unit));
                encoder.push(bytes === null ? null : Array.from(bytes));
            }
            return [single, pairs, native, encoder];""")
    finally:
        driver.quit()


def main():
    write = sys.argv[1] == "--write"
    program, page = sys.argv[1 + write:]
    single, pairs, encoder = wine_dump(program)
    page_single, page_pairs, native, page_encoder = page_gbk(page)
    lines = [f"{code:04X}\t{ord(pairs[code]):04X}\t{ord(native[str(code)]):04X}\n"
             for code in sorted(pairs) if is_trail(code & 0xFF) and native[str(code)] != pairs[code]]
    if write:
        with open(listing, "w", encoding="utf-8") as out:
            out.write(Header + "".join(lines))
        print(f"cp936.py: {len(lines)} codes where Chromium differs from code page 936")
        return 0
    faults = []
    if open(listing, encoding="utf-8").read() != Header + "".join(lines):
        faults.append("web/cp936-exceptions.txt is not what Chromium and Wine give now")
    # A pair with a zero byte reads as "?" and then the zero byte, which ends a text anyway.
    faults += [f"byte {b:02X}: page {page_single[str(b)]!r}, Wine {t!r}"
               for b, t in single.items() if page_single[str(b)] != t]
    faults += [f"pair {c:04X}: page {page_pairs[str(c)]!r}, Wine {t!r}"
               for c, t in pairs.items() if c & 0xFF and page_pairs[str(c)] != t]
    faults += [f"unit U+{u:04X}: page {page_encoder[u]}, Wine {b}"
               for u, b in encoder.items() if u and page_encoder[u] != b]
    for fault in faults[:20]:
        print(fault)
    print(f"cp936.py: {len(lines)} exceptions; {len(faults)} differences from code page 936")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
