#!/usr/bin/python3
"""The page's GBK against code page 936 under Wine, every byte, pair and UTF-16 unit.   cp936.py DUMP.exe PAGE.html"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from chromium import chromium  # noqa: E402
from cp936_exceptions import wine_dump  # noqa: E402

single, pairs, encoder = wine_dump(sys.argv[1])
driver = chromium()
try:
    driver.get("file://" + os.path.abspath(sys.argv[2]))
    page = driver.execute_script("""const decoded = {}, encoded = [];
        for (let code = 0x80; code <= 0xfeff; ++code)
            decoded[code] = Gbk.decode(code > 0xff ? Uint8Array.of(code >> 8, code) : Uint8Array.of(code));
        for (let unit = 0; unit <= 0xffff; ++unit) encoded.push(Gbk.encode(String.fromCharCode(unit)));
        return [decoded, encoded.map((bytes) => bytes && Array.from(bytes))];""")
finally:
    driver.quit()
# A pair whose second byte is zero reads as "?" and the zero, which ends a text anyway.
wine = [(f"byte {c:02X}", str(c), t) for c, t in single.items()] + \
    [(f"pair {c:04X}", str(c), t) for c, t in pairs.items() if c & 0xFF]
faults = [f"{what}: page {page[0][c]!r}, Wine {t!r}" for what, c, t in wine if page[0][c] != t]
faults += [f"U+{u:04X}: page {page[1][u]}, Wine {b}" for u, b in encoder.items() if u and page[1][u] != b]
print("\n".join(faults[:20] + [f"cp936.py: {len(faults)} differences from code page 936"]))
sys.exit(1 if faults else 0)
