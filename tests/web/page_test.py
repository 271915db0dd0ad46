#!/usr/bin/python3
"""The online page in headless Chromium, driven as a user drives it, from file:// and over plain http
under the online button's name (no navigator.clipboard there); and its GBK against code page 936
under Wine, every byte, pair and UTF-16 unit.   page_test.py PAGE.html CP936_DUMP.exe"""
import base64
import http.server
import json
import os
import sys
import threading
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from chromium import chromium  # noqa: E402
from cp936_exceptions import wine_dump  # noqa: E402

page = os.path.abspath(sys.argv[1])
failures = []
A, Name, Error = "http://h/a.zip", "http://h/中文.zip", "网址格式错误，请输入正确的网址！"
Copied, TooLong = "恭喜 转换结果已经成功复制到剪切板中！", "文本太长（超"
b64 = lambda data: base64.b64encode(data).decode()  # noqa: E731
click = lambda d, selector: d.find_element(By.CSS_SELECTOR, selector).click()  # noqa: E731
GbkLink, Utf8Link = (f"thunder://{b64(b'AA' + Name.encode(e) + b'ZZ')}" for e in ("gbk", "utf-8"))
Markup = "<script>alert(1)</script>&amp;"
Online = "http://www.tarvik.com/" + os.path.basename(page)
Examples = [  # (button, input box, output box); the conversions themselves are the module's test
    ("thunder", f"  {A}  ", "thunder://QUFodHRwOi8vaC9hLnppcFpa"), ("thunder", "   ", "kept"),
    ("flashget", A, "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ=="),
    ("xuanfeng", "qqdl://aHR0cDovL2gvYS56aXA=", A), ("rayfile", "fs2you://aHR0cDovL2gvYS56aXB8NzM1", A),
    ("rayfile", A, Error), ("base64-encode", "abc" * 400000, "YWJj" * 400000),
    ("base64-decode", b64(Markup.encode()), Markup), ("base64-encode", "ab\0cd", "YWI="),
    # Texts as the window makes and reads them: GBK, UTF-8, a character that code page 936 lacks,
    # one it reads otherwise than the browser, a lone surrogate, a line feed (CR LF in its box).
    ("thunder", Name, GbkLink), ("thunder", GbkLink, Name), ("thunder", Utf8Link, Name),
    ("xuanfeng", "http://h/\ufe10", "qqdl://" + b64("http://h/\ufe10".encode())),
    ("xuanfeng", "http://h/\ue78d€", "qqdl://" + b64(b"http://h/\xa6\xd9\x80")),
    ("base64-encode", "a\ud800", "Ye+/vQ=="), ("base64-encode", "a\nb", "YQ0KYg=="),
    ("thunder", f"{GbkLink}\n{Utf8Link}\n  \nthunder://!!!", f"{Name}\n{Name}\n\n{Error}"),
    ("extract", f"<a href='{GbkLink}'>1</a> QQDL://aHR0cDovL2gvYS56aXA= thunder://QUFodHRwOi8vaC9"
     f"hLnppcFpa\n{GbkLink}", f"{Name}\n{A}"),
]


def check(what, get, wanted):  # a value, or a function asked again a while, for what a handler awaits
    for _ in range(50 if callable(get) else 1):
        if (got := get() if callable(get) else get) == wanted:
            return
        time.sleep(0.1)
    failures.append(f"{what}: got {got!r}, wanted {wanted!r}")


def box(d, id):  # "status" is the line under the buttons
    return d.execute_script(f"const e = document.getElementById('{id}'); return e.value ?? e.textContent.trim()")


def fill(d, box, text):  # as UTF-16 units, so that a lone surrogate can be typed
    data = text.encode("utf-16-le", "surrogatepass")
    d.execute_script(f"document.getElementById('{box}').value = arguments[0].map((u) => String.fromCharCode(u)).join('')",
                     [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)])


def requests(d):  # every request but the page's own load and the browser's own pages
    events = (json.loads(entry["message"])["message"] for entry in d.get_log("performance"))
    urls = (e["params"]["request"]["url"] for e in events if e["method"] == "Network.requestWillBeSent")
    return [u for u in urls if not u.startswith(("chrome:", "data:", "file://" + page, Online))]


def in_file_page(d):
    for command, text, wanted in Examples:
        fill(d, "output", "kept")
        fill(d, "input", text)
        click(d, f"[data-command='{command}']")
        check(f"{command} {text[:80]!r}", lambda: box(d, "output"), wanted)
    # Copy and Paste, spaces trimmed; then 64 MiB by the Paste button and by Ctrl+V, refused.
    d.execute_cdp_cmd("Browser.grantPermissions", {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    fill(d, "output", f"  {A} ")
    click(d, "#copy")
    check("Copy", lambda: box(d, "status"), Copied)
    click(d, "#paste")
    check("Paste", lambda: box(d, "input"), A)
    d.execute_script("await navigator.clipboard.writeText('x'.repeat(64 << 20))")
    for paste in (lambda: click(d, "#paste"),
                  lambda: d.find_element(By.ID, "input").send_keys(Keys.CONTROL, "v")):
        d.execute_script("document.getElementById('status-text').textContent = ''")
        paste()
        check("64 MiB", lambda: (box(d, "input"), box(d, "status")[:6]), (A, TooLong))
    # A file of GBK and UTF-8 lines, and text from another page, dropped.
    lines = [*"\r\n".join([Name, GbkLink]).encode("gbk"), 10, *Name.encode()]
    for data, wanted in ((lines, f"{Name}\n{GbkLink}\n{Name}"), (A, A)):
        d.execute_script("""const data = new DataTransfer();
            if (typeof arguments[0] === 'string') data.setData('text/plain', arguments[0]);
            else data.items.add(new File([Uint8Array.from(arguments[0])], 'links.txt'));
            document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true}));""", data)
        check("dropped", lambda: box(d, "input"), wanted)
    # A link after "#", when the page opens and when it changes; a plain address fills the box.
    d.get("about:blank")
    d.get(f"file://{page}#{GbkLink}")
    Qqdl = "QQDL://aHR0cDovL2gvYS56aXA="
    for hash, wanted in (("", [GbkLink, Name]), (Qqdl.replace(":", "%3A").replace("/", "%2F"), [Qqdl, A]),
                         ("http://h/%E4%B8%AD%E6%96%87.zip", [Name, A])):
        d.execute_script("if (arguments[0]) location.hash = arguments[0]", hash)
        check(f"#{hash}", lambda: [box(d, "input"), box(d, "output")], wanted)
    for width in (360, 1920):
        d.set_window_size(width, 800)
        check(f"lang, sideways at {width} px", d.execute_script("""const page = document.documentElement;
            return [page.lang, [...document.querySelectorAll('*')]
                .filter((e) => e.getBoundingClientRect().right > page.clientWidth).length];"""), ["zh-CN", 0])
    d.execute_script("document.activeElement.blur()")
    order = []
    for _ in range(11):
        d.switch_to.active_element.send_keys(Keys.TAB)
        order.append(d.switch_to.active_element.accessible_name)
    check("Tab order and names", order, ["Base64加密", "Base64解密", "请输入要转换的链接地址：", "复制", "粘贴", "结果输出：",
          "迅雷专用链转换", "快车专用链转换", "旋风专用链转换", "RayFile解密", "提取链接"])


def same_as_cp936(d):
    single, pairs, encoder = wine_dump(sys.argv[2])
    decoded, encoded = d.execute_script("""const decoded = [], encoded = [];
        for (let code = 0x80; code <= 0xfeff; ++code)
            decoded[code] = Gbk.decode(code > 0xff ? Uint8Array.of(code >> 8, code) : Uint8Array.of(code));
        for (let unit = 0; unit <= 0xffff; ++unit) encoded.push(Gbk.encode(String.fromCharCode(unit)));
        return [decoded, encoded.map((bytes) => bytes && Array.from(bytes))];""")
    # A pair whose second byte is zero reads as "?" and the zero, which ends a text anyway.
    faults = [f"{c:02X}: page {decoded[c]!r}, Wine {t!r}" for c, t in single.items() if decoded[c] != t]
    faults += [f"{c:04X}: page {decoded[c]!r}, Wine {t!r}" for c, t in pairs.items() if c & 0xFF and decoded[c] != t]
    faults += [f"U+{u:04X}: page {encoded[u]}, Wine {b}" for u, b in encoder.items() if u and encoded[u] != b]
    check("code page 936", faults[:20], [])


def over_http():
    folder = lambda *request: http.server.SimpleHTTPRequestHandler(*request, directory=os.path.dirname(page))  # noqa: E731
    server = http.server.HTTPServer(("127.0.0.1", 0), folder)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    # The browser itself would try https first, as it does with any address typed as http.
    d = chromium(f"--host-resolver-rules=MAP www.tarvik.com 127.0.0.1:{server.server_port}",
                 "--disable-features=HttpsUpgrades")
    try:
        d.get(f"{Online}#{GbkLink}")
        click(d, "#copy")
        check("http: Copy", lambda: box(d, "status"), Copied)
        click(d, "#paste")
        check("http: Paste", lambda: box(d, "status"), "浏览器不允许网页读取剪贴板，请按 Ctrl+V 粘贴。")
        fetch = d.execute_script("return await fetch('/x').then(() => 'made', () => 'refused')")
        check("http: a fetch, requests", (fetch, requests(d)), ("refused", []))
    finally:
        d.quit()
        server.shutdown()


driver = chromium()
try:
    driver.get("file://" + page)
    in_file_page(driver)
    same_as_cp936(driver)
    errors = [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check("requests and errors", (requests(driver), errors), ([], []))
finally:
    driver.quit()
over_http()
print("\n".join(failures + [f"page_test: {len(failures)} checks failed"]))
sys.exit(1 if failures else 0)
