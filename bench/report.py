#!/usr/bin/env python3
"""Turns the figures that scripts/bench collected into one table, prints it, and optionally puts
it into a Markdown file between the markers below, keeping the hand-written text around them.

    report.py RESULTS COMMANDS [MARKDOWN]
"""
import json
import statistics
import sys
from pathlib import Path

BEGIN = "<!-- scripts/bench: begin -->"
END = "<!-- scripts/bench: end -->"
GOAL_FOOTPRINT = 200 * 1024
SYSTEM_DLLS = {"advapi32.dll", "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll",
               "ole32.dll", "shell32.dll", "msvcrt.dll"}


def read_results(path):
    results = {}
    for line in Path(path).read_text().splitlines():
        key, _, value = line.partition("=")
        results[key] = value
    return results


def pairs(line):
    """'runs=15 median_ms=1.0' -> {'runs': '15', 'median_ms': '1.0'}"""
    return dict(item.split("=", 1) for item in line.split() if "=" in item)


def batch_times(prefix, side):
    """The runs of one side of the batch, a line "wall user system" in seconds each, summed up."""
    path = Path(f"{prefix}-{side}.txt")
    runs = [[float(x) for x in line.split()] for line in path.read_text().splitlines()
            if line.strip()] if prefix and path.exists() else []
    if not runs:
        return None
    return {"runs": len(runs), "wall": statistics.median(r[0] for r in runs),
            "fastest": min(r[0] for r in runs), "cpu": statistics.median(r[1] + r[2] for r in runs)}


def seconds(value):
    return f"{value * 1000:.0f} ms" if value < 10 else f"{value:.2f} s"


def verdict(met):
    return "yes" if met else "**no**"


def batch_rows(results, rows, notes):
    sides = {side: batch_times(results.get("batch_times"), side)
             for side in ("tarvik-link", "python", "base64", "cat", "floor")}
    if not all(sides.values()):
        rows.append(["Batch conversion", "not available", "", "", "", ""])
        return
    tarvik, python, base64, reading, decoding = sides.values()
    count = f"{int(results.get('links', 0)):,}" if results.get("links") else ""

    def shown(run):
        return f"{seconds(run['wall'])} (fastest {seconds(run['fastest'])})"

    def ratio(a, b):
        # On the smoke run's few links a run may end within the timer's resolution.
        return a / b if b > 0 else float("inf")

    def times(run, other):
        return ratio(run["wall"], other["wall"])

    speedup = times(python, tarvik)
    rows.append([f"Batch: {count} Thunder links, tarvik-link vs the per-line Python script",
                 shown(tarvik), shown(python), f"{speedup:.1f}× faster", "≥ 15× faster",
                 verdict(speedup >= 15)])
    share = times(tarvik, base64)
    rows.append(["Batch: tarvik-link vs `base64 -d` on the same payloads",
                 shown(tarvik), shown(base64), f"{share:.2f}× the time", "≤ 0.5× the time",
                 verdict(share <= 0.5)])
    rows.append(["Batch: tarvik-link vs `cat` reading the same links (the floor: reading alone)",
                 shown(tarvik), shown(reading), f"{times(tarvik, reading):.1f}× the time", "", ""])
    rows.append(["Batch: tarvik-link vs `bench/decoding_floor` on the same links (the floor: "
                 "reading, decoding and writing alone)",
                 shown(tarvik), shown(decoding), f"{times(tarvik, decoding):.2f}× the time", "",
                 ""])
    rows.append(["Batch: `bench/decoding_floor` vs the Python script: the most that any handling "
                 "of the lines could reach with this decoder",
                 shown(decoding), shown(python), f"{times(python, decoding):.1f}× faster", "", ""])
    if "batch_rss_kib" in results:
        rss = int(results["batch_rss_kib"]) / 1024
        rows.append([f"Batch: peak resident memory of tarvik-link on the {count} links",
                     f"{rss:.1f} MiB", "", "", "≤ 16 MiB", verdict(rss <= 16)])
    notes.append(
        f"Batch times are medians of {tarvik['runs']} runs taken in turns. Processor time (user + "
        f"system, median): tarvik-link {seconds(tarvik['cpu'])}, Python {seconds(python['cpu'])} "
        f"({ratio(python['cpu'], tarvik['cpu']):.1f}×), base64 -d {seconds(base64['cpu'])} "
        f"({ratio(tarvik['cpu'], base64['cpu']):.2f}× of it), the decoding floor "
        f"{seconds(decoding['cpu'])} ({ratio(python['cpu'], decoding['cpu']):.1f}× faster than "
        "Python).")


def extract_rows(results, rows):
    if "extract_json" not in results:
        rows.append(["Extract", "not available", "", "", "", ""])
        return
    run = json.loads(Path(results["extract_json"]).read_text())["results"][0]
    size = int(results["page_bytes"])
    mbs = size / run["mean"] / 1e6
    rows.append([f"Extract: a page of {size / 1e6:.0f} MB with a link in every kilobyte",
                 f"{mbs:,.0f} MB/s ({seconds(run['mean'])} ± {seconds(run['stddev'])})", "", "",
                 "≥ 200 MB/s", verdict(mbs >= 200)])


def startup_rows(results, rows, notes):
    tarvik, same, minimal = (results.get(f"startup_{side}")
                             for side in ("tarvik", "same", "minimal"))
    if not tarvik or not same:
        rows.append(["Start-up under Wine", "not available", "", "", "", ""])
    else:
        t, s = pairs(tarvik), pairs(same)
        ratio = float(t["median_ms"]) / float(s["median_ms"])
        rows.append([f"Start-up under Wine: process start to `MainWindow` answering, "
                     f"median of {t['runs']}, against the same window made plainly (the floor)",
                     f"{float(t['median_ms']):.0f} ms", f"same window {float(s['median_ms']):.0f} ms",
                     f"{ratio:.2f}", "≤ 1.1", verdict(ratio <= 1.1)])
        note = (f"Start-up, fastest run: tarvik.exe {float(t['min_ms']):.0f} ms, same window "
                f"{float(s['min_ms']):.0f} ms ({float(t['min_ms']) / float(s['min_ms']):.2f})")
        if minimal:
            m = pairs(minimal)
            note += (f"; the bare minimal window, median {float(m['median_ms']):.0f} ms "
                     f"(tarvik.exe {float(t['median_ms']) / float(m['median_ms']):.2f} times it)")
        notes.append(note + ".")
    tarvik, minimal = results.get("idle_tarvik"), results.get("idle_minimal")
    if not tarvik:
        rows.append(["Idle processor time", "not available", "", "", "", ""])
    else:
        t = pairs(tarvik)
        other = f"minimal window {float(pairs(minimal)['cpu_ms']):.0f} ms" if minimal else ""
        rows.append([f"Idle: processor time of tarvik.exe over {t['seconds']} s without input",
                     f"{float(t['cpu_ms']):.0f} ms", other, "", "0 ms",
                     verdict(float(t["cpu_ms"]) == 0)])


def footprint_rows(results, rows):
    if "footprint_bytes" not in results:
        rows.append(["Footprint", "not available", "", "", "", ""])
        return
    size = int(results["footprint_bytes"])
    rows.append(["Footprint: `build/mingw-x86/tarvik.exe`", f"{size / 1024:.0f} KiB",
                 "goal 200 KiB", f"{size / GOAL_FOOTPRINT:.2f}", "≤ 200 KiB",
                 verdict(size <= GOAL_FOOTPRINT)])
    dlls = results["footprint_dlls"].split()
    foreign = [dll for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    rows.append(["Footprint: DLLs imported", ", ".join(dlls), "", "", "system DLLs only",
                 verdict(not foreign)])


def online_rows(results, rows, notes):
    if "page_ready" not in results or "page_links" not in results:
        rows.append(["The online page", "not available", "", "", "", ""])
        return
    ready, empty = pairs(results["page_ready"]), pairs(results["page_empty"])
    rows.append([f"Online page: from the start of loading until its buttons work, headless "
                 f"Chromium, median of {ready['runs']}, against an empty page (the floor)",
                 f"{float(ready['median_ms']):.0f} ms", f"empty page {float(empty['median_ms']):.0f} ms",
                 f"+{float(ready['median_ms']) - float(empty['median_ms']):.0f} ms", "≤ 50 ms",
                 verdict(float(ready["median_ms"]) <= 50)])
    links, shown, floor = (pairs(results[key]) for key in
                           ("page_links", "page_links_shown", "page_links_floor"))
    rows.append(["Online page: 10,000 Thunder links, from the click until the result is in the box",
                 f"{float(links['median_ms']):.0f} ms", "", "", "< 100 ms",
                 verdict(float(links["median_ms"]) < 100)])
    rows.append(["Online page: the same until laid out, against a plain text box taking the same "
                 "text (the floor: the browser's layout)", f"{float(shown['median_ms']):.0f} ms",
                 f"plain box {float(floor['median_ms']):.0f} ms",
                 f"{float(shown['median_ms']) / float(floor['median_ms']):.2f}", "", ""])
    size, module = int(results["online_bytes"]), int(results["module_bytes"])
    rows.append(["Online page: `dist/tarvik-VERSION-online.html`, all inlined",
                 f"{size / 1024:.1f} KiB", f"module {module / 1024:.1f} KiB", "", "≤ 64 KiB",
                 verdict(size <= 64 * 1024)])
    notes.append(f"Online page, fastest runs: ready {float(ready['min_ms']):.0f} ms (empty page "
                 f"{float(empty['min_ms']):.0f} ms), 10,000 links {float(links['min_ms']):.0f} ms.")


def table(rows):
    header = ["Comparison", "tarvik", "Alternative", "Ratio", "Goal", "Met"]
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(row) + " |" for row in rows]
    return "\n".join(lines)


def main():
    results = read_results(sys.argv[1])
    commands = Path(sys.argv[2]).read_text().strip()
    markdown = Path(sys.argv[3]) if len(sys.argv) > 3 else None

    rows, notes = [], []
    batch_rows(results, rows, notes)
    extract_rows(results, rows)
    startup_rows(results, rows, notes)
    footprint_rows(results, rows)
    online_rows(results, rows, notes)

    machine = (f"{results.get('cpu')}, {results.get('cores')} cores; {results.get('kernel')}; "
               f"{results.get('gcc')}; {results.get('mingw')}; {results.get('wine')}; "
               f"{results.get('python')}; {results.get('coreutils')}; {results.get('hyperfine')}; "
               f"{results.get('chromium')}. "
               f"Load average before and after: {results.get('load_before')} / "
               f"{results.get('load_after')}.")
    body = "\n\n".join([table(rows), "\n".join(f"- {note}" for note in notes),
                        f"Machine: {machine}",
                        "Commands, in the order run:\n\n```\n" + commands + "\n```"])
    print(body)

    if markdown:
        text = markdown.read_text() if markdown.exists() else f"# Benchmarks\n\n{BEGIN}\n{END}\n"
        before, _, rest = text.partition(BEGIN)
        _, _, after = rest.partition(END)
        markdown.write_text(f"{before}{BEGIN}\n{body}\n{END}{after}")
        print(f"\nwritten to {markdown}")


if __name__ == "__main__":
    main()
