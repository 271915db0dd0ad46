#!/usr/bin/python3
"""The online page's figures in headless Chromium, for scripts/bench: how long from the start of
loading until its buttons work (its script's last line marks "tarvik-ready"), beside an empty page
that marks the same at once, the two loaded in turns; and how long a list of Thunder links takes
from the click on the Thunder button until the result is in the box, and until it is laid out
there, beside a plain text box of the same size on the empty page taking the same text (the
floor: the browser's own layout). Each result is checked before it counts.

  page_timing.py PAGE.html RUNS LINKS     prints KEY=VALUE lines"""
import base64
import os
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
from chromium import chromium  # noqa: E402

page, runs, links = os.path.abspath(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
empty = os.path.join(tempfile.mkdtemp(), "empty.html")
with open(empty, "w") as out:
    out.write("<!DOCTYPE html><title>empty</title><textarea id='output' style='width:46rem;"
              "font:14px monospace'></textarea><script>performance.mark('tarvik-ready')</script>")
# A quarter of the addresses hide a GBK name, as in the batch benchmark.
addresses = [f"http://www.example.com/files/{i % 97}/{'中文' if i % 4 == 0 else 'file'}{i}.zip"
             for i in range(links)]
thunder = "\n".join("thunder://" + base64.b64encode(b"AA" + a.encode("gbk") + b"ZZ").decode()
                    for a in addresses)


def summary(times):
    return (f"runs={len(times)} median_ms={statistics.median(times):.1f} min_ms={min(times):.1f} "
            f"max_ms={max(times):.1f}")


driver = chromium()
try:
    ready = {page: [], empty: []}
    for round in range(runs):
        for side in (page, empty) if round % 2 == 0 else (empty, page):
            driver.get("about:blank")
            driver.get("file://" + side)
            ready[side].append(driver.execute_script(
                "return performance.getEntriesByName('tarvik-ready')[0].startTime"))
    converted, shown, floor = [], [], []
    for _ in range(runs):
        driver.get("about:blank")
        driver.get("file://" + page)
        times, output = driver.execute_script("""
            const input = document.getElementById('input'), output = document.getElementById('output');
            input.value = arguments[0];
            input.scrollHeight; // laid out as when the user pasted it
            const start = performance.now();
            document.querySelector('[data-command=thunder]').click();
            const converted = performance.now();
            output.scrollHeight;
            return [[converted - start, performance.now() - start], output.value];""", thunder)
        if output != "\n".join(addresses):
            sys.exit("page_timing.py: the page did not give back the addresses of the links")
        converted.append(times[0])
        shown.append(times[1])
        driver.get("file://" + empty)
        floor.append(driver.execute_script("""const output = document.getElementById('output');
            const start = performance.now();
            output.value = arguments[0];
            output.scrollHeight;
            return performance.now() - start;""", output))
finally:
    driver.quit()
print(f"page_ready={summary(ready[page])}")
print(f"page_empty={summary(ready[empty])}")
print(f"page_links={summary(converted)}")
print(f"page_links_shown={summary(shown)}")
print(f"page_links_floor={summary(floor)}")
