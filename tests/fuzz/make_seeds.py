#!/usr/bin/env python3
"""Writes the hand-made seeds of every fuzz target into tests/fuzz/corpus/<target>/seed-*.

Real-looking links of every kind, GBK addresses, padded and unpadded Base64, suffixes after the
pad, CR LF, lone "=" in every position, bytes 0x80..0xFF and lone GBK lead bytes, and long inputs
on both sides of the 1024-byte result buffer. What fuzzing finds later is merged beside them by
scripts/fuzz. Run again after changing this list; it rewrites only the seed-* files.
"""
import base64
import hashlib
import pathlib

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"


def b64(data: bytes) -> bytes:
    return base64.b64encode(data)


ADDRESS = b"http://h/a.zip"
GBK_ADDRESS = "http://下载.example/文件/中文名称.rar".encode("gbk")
ADDRESSES = [
    ADDRESS, b"  " + ADDRESS + b"  ", b"HTTP://H/A.ZIP", b"ftp://x/y", b"mms://a", b"rtsp://b/c",
    b"https://d/e.exe", b"http:", b"http:x", b"ed2k://x", b"\t" + ADDRESS, ADDRESS + b"\r\n",
    GBK_ADDRESS, b"http://h/\xd6", b"http://h/a\x00b.zip", b" ", b"",
    b"http://h/" + b"x" * 760,                     # made Thunder link just over 1024 bytes
    b"http://h/" + "很长的名字".encode("gbk") * 300,   # GBK, several KiB
]


def links(address: bytes) -> list:
    return [
        b"thunder://" + b64(b"AA" + address + b"ZZ"),
        b"Flashget://" + b64(b"[FLASHGET]" + address + b"[FLASHGET]"),
        b"qqdl://" + b64(address),
        b"fs2you://" + b64(address + b"|735"),
    ]


LINKS = [link for address in (ADDRESS, GBK_ADDRESS) for link in links(address)] + [
    b"THUNDER://" + b64(b"AA" + ADDRESS + b"ZZ"),
    b"thunder:/" + b64(b"AA" + ADDRESS + b"ZZ"),
    b"thunder:", b"thunder://", b"qqdl:", b"fs2you:", b"flashget:",
    b"thunder://" + b64(b"AA" + ADDRESS + b"ZZ") + b"\r\n",
    b"Flashget://" + b64(b"[FLASHGET]" + ADDRESS + b"[FLASHGET]") + b"&abc",
    b"FlashGet://" + b64(b"[FLASHGET]" + ADDRESS + b"x[FLASHGET]") + b"&abc",
    b"QQDL://" + b64(ADDRESS), b"FS2YOU://" + b64(ADDRESS),
    b"fs2you://" + b64(b"|" + ADDRESS), b"fs2you://" + b64("http://h/\u8a71.zip|1".encode("gbk")),
    b"thunder://" + b64(b"AAhttp://h/a\x00b.zipZZ"),
    b"thunder://" + b64(b"AA" + b"http://h/" + b"y" * 1100 + b"ZZ"),  # payload over 1367 characters
]

BASE64 = [
    b"YWJjZA==", b"YWI=", b"YWJjZA", b"YQ", b"YWI=YWJj", b"YQ==YWJj", b"YWI=&abc", b"=WJj", b"AAAA",
    b"YWJj\r\nYWJj", b"=AAA", b"A=AA", b"AA=A", b"AAA=", b"=", b"==", b"====", b"YWJj=", b"-_-_",
    b"YW I=", bytes(range(0x80, 0x100)), b64(bytes(range(256))), b64(b"x" * 1100),
]

RAW = [b"", b"a", b"ab", b"abc", b"\x00", b"\x00\x00\x00", bytes(range(256)), "中文".encode("gbk"),
       b"\x81", b"\xfe\x7c", b"a\x00b", b"x" * 768, b"x" * 769]

TEXTS = [b"  ab d  ", b"   ", b" a\r\n", b"\tab\t", b"\xa1\xa1ab\xa1\xa1", b"a/b/d", b"/a", b"a//b",
         b"a/", b"thunder://QUFo", b"a|b", b"abcdef", b"THUNDER:", "甲乙".encode("gbk")]

UTF8 = ["中文链接", "http://下载/文件.rar", "€", "😀", "\u00b7", "\u30fb"]
GBK_BYTES = [b"\x81", b"\xd6\xd0\xce\xc4", b"\x80", b"\xa1\xa1", b"\xff", b"\xc0\xaf", b"\xed\xa0\x80",
             b"\xf4\x90\x80\x80", b"\xe4\xb8"]

# The line reader's input is a recipe (FuzzedDataProvider: numbers from the end, runs from the
# front); any bytes are a valid one. These give runs of LF, CR and text.
LINE_RECIPES = [b"a\x03\n\x00\r\x00b\x7f\n\x01", b"x\xff\n\x00\r\x00\n\x00y\x80", b"\n\x05\r\x02z\xc0",
                b"a\x01b\x01\r\x00\n\x00\x00\x01\x03"]

TARGETS = {
    "thunder_command": ADDRESSES + LINKS,
    "flashget_command": ADDRESSES + LINKS,
    "xuanfeng_command": ADDRESSES + LINKS,
    "rayfile_command": ADDRESSES + LINKS,
    "base64_encode_command": ADDRESSES + RAW + TEXTS,
    "base64_decode_command": BASE64 + [link.split(b"//", 1)[-1] for link in LINKS],
    "base64_encode_buffer": RAW + TEXTS + [GBK_ADDRESS],
    "base64_decode_buffer": BASE64 + [link.split(b"//", 1)[-1] for link in LINKS],
    "text_operations": TEXTS + RAW,
    "line_reader": LINE_RECIPES,
    "gbk_conversion": [s.encode("utf-8") for s in UTF8] + GBK_BYTES +
                      [bytes([n]) + link.decode("latin-1").encode("utf-8") for n, link in
                       enumerate(LINKS[:6])] + [b"\x05http://h/" + "中文".encode("utf-8")],
}


def main() -> None:
    for target, seeds in TARGETS.items():
        folder = CORPUS / target
        folder.mkdir(parents=True, exist_ok=True)
        for old in folder.glob("seed-*"):
            old.unlink()
        for seed in seeds:
            (folder / ("seed-" + hashlib.sha1(seed).hexdigest()[:16])).write_bytes(seed)


if __name__ == "__main__":
    main()
