#!/usr/bin/python3
"""Lists the GBK codes that Chromium's TextDecoder('gbk') (GB18030-2022) reads otherwise than code
page 936 as Wine (like Windows) converts it, into web/cp936-exceptions.txt, which the page
follows. tests/web/page_test.py checks the page against the same two dumps.

  scripts/cp936_exceptions.py DUMP.exe

DUMP.exe is scripts/cp936_dump.cpp built with MinGW (the preset wasm builds it as
build/wasm/tests/web/cp936_dump.exe); it runs under scripts/wine-run, with code page 936."""
import os
import subprocess
import sys

from chromium import chromium

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
listing = os.path.join(root, "web", "cp936-exceptions.txt")
Header = """\
# The GBK codes that Chromium's TextDecoder('gbk') (GB18030-2022) reads otherwise than code
# page 936 (Wine's, as Windows'): code, code page 936's character, Chromium's character.
# Made by scripts/cp936_exceptions.py; the page reads these codes as code page 936 does.
"""


def wine_dump(program):
    """Code page 936's reading of every byte from 0x80 and every lead byte with every next byte,
    and the bytes of every UTF-16 unit (None where it has none)."""
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


def chromium_pairs(driver):
    """Chromium's own reading of every two-byte code, on whatever page the driver shows."""
    return {int(code): text for code, text in driver.execute_script("""
        const browser = new TextDecoder('gbk'), pairs = {};
        for (let lead = 0x81; lead <= 0xfe; ++lead) for (let next = 0x40; next <= 0xfe; ++next)
            if (next !== 0x7f) pairs[lead << 8 | next] = browser.decode(Uint8Array.of(lead, next));
        return pairs;""").items()}


def exceptions(wine_pairs, browser_pairs):
    return Header + "".join(f"{code:04X}\t{ord(wine_pairs[code]):04X}\t{ord(text):04X}\n"
                            for code, text in sorted(browser_pairs.items())
                            if text != wine_pairs[code])


if __name__ == "__main__":
    _, pairs, _ = wine_dump(sys.argv[1])
    driver = chromium()
    try:
        listed = exceptions(pairs, chromium_pairs(driver))
    finally:
        driver.quit()
    with open(listing, "w", encoding="utf-8") as out:
        out.write(listed)
    print(f"cp936_exceptions.py: {listed.count(chr(10)) - Header.count(chr(10))} codes")
