#!/usr/bin/env python3
"""Puts the online page together into one file: page.html with its style, the script (the code
page 936 exceptions, core.js, gbk.js, page.js) and the WebAssembly module inlined as Base64.
The same inputs give the same bytes.

usage: assemble.py TITLE MODULE.wasm OUTPUT.html   (run in web/)"""
import base64
import html
import sys

PageLimit = 64 * 1024

title, module_path, output_path = sys.argv[1:]
module = base64.b64encode(open(module_path, "rb").read()).decode()
exceptions = []
for line in open("cp936-exceptions.txt", encoding="utf-8"):
    if line.strip() and not line.startswith("#"):
        code, cp936 = line.split()[:2]
        exceptions += [f"0x{code}", f"0x{cp936}"]
script = "\n".join([
    f"const ModuleBase64 = '{module}';",
    f"const Cp936Exceptions = [{','.join(exceptions)}];",
    *(open(name, encoding="utf-8").read() for name in ("core.js", "gbk.js", "page.js")),
])
page = (open("page.html", encoding="utf-8").read()
        .replace("{{title}}", html.escape(title))
        .replace("{{style}}", open("page.css", encoding="utf-8").read())
        .replace("{{script}}", script))
data = page.encode("utf-8")
if len(data) > PageLimit:
    sys.exit(f"assemble.py: the page is {len(data)} bytes, over its limit of {PageLimit}")
with open(output_path, "wb") as out:
    out.write(data)
