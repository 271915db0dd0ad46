#!/usr/bin/python3
"""The online page in headless Chromium, driven as a user drives it: every worked example by its
button, GBK and UTF-8 names, lists, Copy and Paste, a "#" link, dropped files and text, the
layout at 360 and 1920 px, and no network request at all; then once more served over plain http
under a name that is not local, where the page has no navigator.clipboard.

  page_test.py PAGE.html"""
import base64
import http.server
import json
import os
import sys
import threading
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from browser import chromium

page_path = os.path.abspath(sys.argv[1])
page_url = "file://" + page_path
failures = []

A = "http://h/a.zip"
Name = "http://h/中文.zip"
Error = "网址格式错误，请输入正确的网址！"
Copied = "恭喜 转换结果已经成功复制到剪切板中！"


def link(scheme, opening, address, closing, encoding="gbk"):
    return scheme + base64.b64encode(opening + address.encode(encoding) + closing).decode()


GbkLink, Utf8Link = link("thunder://", b"AA", Name, b"ZZ"), link("thunder://", b"AA", Name, b"ZZ", "utf-8")
Script = "<script>alert(1)</script>&amp;"
# (button, input, the output box's text). The input goes in as UTF-16 units, so that a lone
# surrogate can be typed.
Examples = [
    ("thunder", "  " + A + "  ", "thunder://QUFodHRwOi8vaC9hLnppcFpa"),
    ("thunder", "THUNDER://QUFodHRwOi8vaC9hLnppcFpa", A),
    ("flashget", A, "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ=="),
    ("flashget", "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==", A),
    ("xuanfeng", A, "qqdl://aHR0cDovL2gvYS56aXA="),
    ("xuanfeng", "qqdl://aHR0cDovL2gvYS56aXA=", A),
    ("rayfile", "fs2you://aHR0cDovL2gvYS56aXB8NzM1", A),
    ("rayfile", A, Error),
    ("thunder", "ed2k://x", Error),
    ("base64-encode", "abc", "YWJj"),
    ("base64-decode", "YWJjZA==", "abcd"),
    # Names as the window reads and makes them: GBK, UTF-8, a character that code page 936
    # lacks (the link hides UTF-8) and one where it differs from the browser's GBK.
    ("thunder", Name, GbkLink),
    ("thunder", GbkLink, Name),
    ("thunder", Utf8Link, Name),
    ("xuanfeng", "http://h/\ufe10.zip", link("qqdl://", b"", "http://h/\ufe10.zip", b"", "utf-8")),
    ("xuanfeng", "http://h/\ue78d€.zip", "qqdl://" + base64.b64encode(b"http://h/\xa6\xd9\x80.zip").decode()),
    ("xuanfeng", "qqdl://" + base64.b64encode(b"http://h/\xa6\xd9\x80.zip").decode(), "http://h/\ue78d€.zip"),
    ("base64-encode", "a\ud800", "Ye+/vQ=="),
    ("base64-encode", "ab\0cd", "YWI="),
    ("base64-encode", "a\nb", "YQ0KYg=="),  # the window's box holds CR LF
    # Results are text, never markup, and never a link.
    ("base64-decode", base64.b64encode(Script.encode()).decode(), Script),
    ("xuanfeng", "qqdl://" + base64.b64encode(b"javascript:alert(1)").decode(), "javascript:alert(1)"),
    # A list, line by line, each result in its own encoding.
    ("thunder", f"{GbkLink}\n{Utf8Link}\n  \nthunder://!!!", f"{Name}\n{Name}\n\n{Error}"),
    ("extract", f"<a href='{GbkLink}'>1</a> QQDL://aHR0cDovL2gvYS56aXA= thunder://QUFodHRwOi8vaC9hLnppcFpa\n{GbkLink}",
     f"{Name}\n{A}"),
]


def check(what, got, wanted):
    if got != wanted:
        failures.append(f"{what}: got {got!r}, wanted {wanted!r}")


def eventually(what, get, wanted):
    """A check of what an asynchronous handler (a clipboard, a file) leaves, given 10 s."""
    for _ in range(100):
        if get() == wanted:
            return
        time.sleep(0.1)
    check(what, get(), wanted)


def units(text):
    data = text.encode("utf-16-le", "surrogatepass")
    return [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]


def value(driver, id):
    return driver.execute_script(f"return document.getElementById('{id}').value")


def status(driver):
    return driver.execute_script("return document.getElementById('status').textContent").strip()


def set_input(driver, text):
    driver.execute_script("document.getElementById('input').value = "
                          "String.fromCharCode.apply(null, arguments[0])", units(text))


def press(driver, command):
    driver.find_element(By.CSS_SELECTOR, f"[data-command='{command}']").click()


def requests(driver):
    """Every request since the last call but the page's own load and the browser's own pages."""
    events = (json.loads(entry["message"])["message"] for entry in driver.get_log("performance"))
    urls = (e["params"]["request"]["url"] for e in events if e["method"] == "Network.requestWillBeSent")
    return [url for url in urls if not url.startswith(("chrome://", "data:")) and
            url.split("#")[0] not in (page_url, "http://www.tarvik.com/link/")]


def examples(driver):
    for command, text, wanted in Examples:
        driver.execute_script("document.getElementById('output').value = 'kept'")
        set_input(driver, text)
        press(driver, command)
        check(f"{command} {text!r}", value(driver, "output"), wanted)
    check("links made from results", driver.execute_script("return document.links.length"), 0)
    driver.execute_script("document.getElementById('output').value = 'kept'")
    set_input(driver, "   ")
    press(driver, "thunder")
    check("spaces alone", value(driver, "output"), "kept")
    driver.find_element(By.ID, "input").clear()
    driver.find_element(By.ID, "input").send_keys(Name)
    press(driver, "thunder")
    check("typed", value(driver, "output"), GbkLink)


def copy_and_paste(driver):
    driver.execute_cdp_cmd("Browser.grantPermissions", {"permissions": [
        "clipboardReadWrite", "clipboardSanitizedWrite"]})
    driver.execute_script("document.getElementById('output').value = '  ' + arguments[0] + ' '", GbkLink)
    driver.find_element(By.ID, "copy").click()
    eventually("Copy's confirmation", lambda: status(driver), Copied)
    set_input(driver, "x")
    driver.find_element(By.ID, "paste").click()
    eventually("Paste", lambda: value(driver, "input"), GbkLink)
    # 64 MiB on the clipboard, then pasted with the button and with Ctrl+V: refused in a line.
    driver.execute_script("await navigator.clipboard.writeText('x'.repeat(64 << 20))")
    driver.find_element(By.ID, "paste").click()
    eventually("64 MiB with Paste", lambda: (value(driver, "input"), status(driver)[:6]),
               (GbkLink, "文本太长（超"))
    driver.execute_script("document.getElementById('status-text').textContent = ''")
    driver.find_element(By.ID, "input").send_keys(Keys.CONTROL, "v")
    check("64 MiB with Ctrl+V", (value(driver, "input"), status(driver)[:6]), (GbkLink, "文本太长（超"))
    press(driver, "thunder")
    check("after 64 MiB", value(driver, "output"), Name)


def address_link(driver):
    driver.get("about:blank")
    driver.get(page_url + "#" + GbkLink)
    check("# link", (value(driver, "input"), value(driver, "output")), (GbkLink, Name))
    driver.execute_script("location.hash = 'QQDL%3A%2F%2FaHR0cDovL2gvYS56aXA%3D'")
    check("# link changed", value(driver, "output"), A)
    driver.execute_script("location.hash = 'http://h/%E4%B8%AD%E6%96%87.zip'")
    check("# address", (value(driver, "input"), value(driver, "output")), (Name, A))


def drops(driver):
    file = "\r\n".join([Name, GbkLink]).encode("gbk") + b"\n" + Name.encode() + b"\n"
    driver.execute_script("""
        const data = new DataTransfer();
        data.items.add(new File([Uint8Array.from(arguments[0])], 'links.txt'));
        document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true}));""",
                          list(file))
    eventually("dropped file", lambda: value(driver, "input"), f"{Name}\n{GbkLink}\n{Name}\n")
    driver.execute_script("""
        const data = new DataTransfer();
        data.setData('text/plain', arguments[0]);
        document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true}));""", A)
    check("dropped text", value(driver, "input"), A)


def layout(driver):
    for width in (360, 1920):
        driver.set_window_size(width, 800)
        overflow = driver.execute_script("""
            const page = document.documentElement, wide = [];
            for (const e of document.querySelectorAll('button, textarea, label, h1'))
                if (e.getBoundingClientRect().right > page.clientWidth) wide.push(e.textContent);
            return [page.scrollWidth > page.clientWidth, wide];""")
        check(f"sideways at {width} px", overflow, [False, []])
    driver.set_window_size(1280, 900)
    check("lang", driver.execute_script("return document.documentElement.lang"), "zh-CN")
    names = [e.accessible_name for e in driver.find_elements(By.CSS_SELECTOR, "button, textarea")]
    check("accessible names", [n for n in names if not n], [])
    driver.execute_script("document.activeElement.blur()")
    order = []
    for _ in names:
        driver.switch_to.active_element.send_keys(Keys.TAB)
        order.append(driver.switch_to.active_element.accessible_name)
    check("Tab order", order, ["Base64加密", "Base64解密", "请输入要转换的链接地址：", "复制", "粘贴",
                               "结果输出：", "迅雷专用链转换", "快车专用链转换", "旋风专用链转换",
                               "RayFile解密", "提取链接"])


def over_http():
    """Plain http under the online button's name: no navigator.clipboard there."""
    served = []

    class Page(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            served.append(self.path)
            body = open(page_path, "rb").read()
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    server = http.server.HTTPServer(("127.0.0.1", 0), Page)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    # The browser itself would try https first, as it does with every address typed as http.
    driver = chromium(f"--host-resolver-rules=MAP www.tarvik.com 127.0.0.1:{server.server_port}",
                      "--disable-features=HttpsUpgrades")
    try:
        driver.get("http://www.tarvik.com/link/#" + GbkLink)
        check("http: # link", value(driver, "output"), Name)
        driver.find_element(By.ID, "copy").click()
        eventually("http: Copy", lambda: status(driver), Copied)
        driver.find_element(By.ID, "paste").click()
        eventually("http: Paste", lambda: status(driver), "浏览器不允许网页读取剪贴板，请按 Ctrl+V 粘贴。")
        check("http: a fetch", driver.execute_script(
            "return await fetch('/x').then(() => 'made', () => 'refused')"), "refused")
        check("http: requests", (served, requests(driver)), (["/link/"], []))
    finally:
        driver.quit()
        server.shutdown()


def main():
    driver = chromium()
    try:
        driver.get(page_url)
        for test in (examples, copy_and_paste, address_link, drops, layout):
            test(driver)
        check("requests", requests(driver), [])
        check("errors", [e for e in driver.get_log("browser") if e["level"] == "SEVERE"], [])
    finally:
        driver.quit()
    over_http()
    for failure in failures:
        print(failure)
    print(f"page_test: {len(failures)} checks failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
