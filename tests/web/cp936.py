#!/usr/bin/python3
"""The page's GBK against code page 936 under Wine: every byte and pair decoded, every UTF-16
unit encoded, and web/cp936-exceptions.txt as Chromium and Wine make it today.

  cp936.py DUMP.exe PAGE.html"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from chromium import chromium  # noqa: E402
from cp936_exceptions import chromium_pairs, exceptions, listing, wine_dump  # noqa: E402

single, pairs, encoder = wine_dump(sys.argv[1])
driver = chromium()
try:
    driver.get("file://" + os.path.abspath(sys.argv[2]))
    page_single, page_pairs, page_encoder = driver.execute_script("""
        const single = {}, pairs = {}, encoder = [];
        for (let byte = 0x80; byte <= 0xff; ++byte) single[byte] = Gbk.decode(Uint8Array.of(byte));
        for (let lead = 0x81; lead <= 0xfe; ++lead) for (let next = 0; next <= 0xff; ++next)
            pairs[lead << 8 | next] = Gbk.decode(Uint8Array.of(lead, next));
        for (let unit = 0; unit <= 0xffff; ++unit) {
            const bytes = Gbk.encode(String.fromCharCode(unit));
            encoder.push(bytes === null ? null : Array.from(bytes));
        }
        return [single, pairs, encoder];""")
    listed = exceptions(pairs, chromium_pairs(driver))
finally:
    driver.quit()
faults = [] if open(listing, encoding="utf-8").read() == listed else ["the exceptions listed are stale"]
faults += [f"byte {b:02X}: page {page_single[str(b)]!r}, Wine {t!r}"
           for b, t in single.items() if page_single[str(b)] != t]
# A pair whose second byte is zero reads as "?" and the zero, which ends a text anyway.
faults += [f"pair {c:04X}: page {page_pairs[str(c)]!r}, Wine {t!r}"
           for c, t in pairs.items() if c & 0xFF and page_pairs[str(c)] != t]
faults += [f"U+{u:04X}: page {page_encoder[u]}, Wine {b}"
           for u, b in encoder.items() if u and page_encoder[u] != b]
print("\n".join(faults[:20] + [f"cp936.py: {len(faults)} differences from code page 936"]))
sys.exit(1 if faults else 0)
