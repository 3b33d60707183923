#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Loads the page and a floor page alternately in one headless Chromium and prints figures (see
bench/run-web.sh): each load in a new tab, as a student opens the file, then one load after another in
the same tab. The click on "Изчисли" is made as soon as the page has been read (at DOMContentLoaded),
whether or not the program runs yet: the page keeps it until then. The report is timed when the page
writes it into the report box.

Usage: web_bench.py <malvoran.html> <design.json> <work folder> <loads of each>
"""
import json
import os
import pathlib
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from chromium import Chromium  # noqa: E402

# Before any of the page's own scripts: the time of the first report written into a text box, and a
# click on Command1(0) once the page has been read.
WATCH = r"""(() => {
    const value = Object.getOwnPropertyDescriptor(HTMLTextAreaElement.prototype, 'value');
    Object.defineProperty(HTMLTextAreaElement.prototype, 'value', {
        configurable: true, get: value.get,
        set(text) {
            if (window.reportAt === undefined && String(text).startsWith('Избрана'))
                window.reportAt = performance.now();
            value.set.call(this, text);
        }
    });
    document.addEventListener('DOMContentLoaded', () => {
        const button = document.getElementById('Command1(0)');
        if (button) button.click();
    });
})();"""

# The first contentful paint, once the browser has timed it, and the report's time where there is one.
MEASURE = r"""new Promise(done => {
    const poll = () => {
        const paint = performance.getEntriesByName('first-contentful-paint');
        const waiting = document.getElementById('Command1(0)') && window.reportAt === undefined;
        if (paint.length && !waiting)
            done([paint[0].startTime, window.reportAt === undefined ? null : window.reportAt]);
        else
            setTimeout(poll, 5);
    };
    poll();
})"""


def floor_page(design, folder):
    window = design["window"]
    width, height = window["rect"][2:]
    red, green, blue = window["background"]
    title = next(c for c in design["controls"] if c["id"] == "Label1(0)")["text"]
    path = os.path.join(folder, "floor.html")
    with open(path, "w", encoding="utf-8") as file:
        file.write(
            '<!DOCTYPE html>\n<html lang="bg"><head><meta charset="utf-8">'
            '<meta name="viewport" content="width=device-width, initial-scale=1">'
            '<title>%s</title><style>body { margin: 0; min-height: 100vh; display: flex; align-items: center; '
            'justify-content: center; } main { width: %dpx; height: %dpx; background: rgb(%d, %d, %d); '
            'font: 12pt "Times New Roman", serif; text-align: center; }</style></head>'
            '<body><main>%s</main></body></html>\n' % (design["title"], width, height, red, green, blue, title))
    return pathlib.Path(path).resolve().as_uri()


def figures(name, values, unit):
    return "   %-35s median %8.2f %-3s range %.2f to %.2f (n = %d)" % (
        name, statistics.median(values), unit, min(values), max(values), len(values))


def measure(browser, urls, loads, new_tabs):
    """The figures of `loads` loads of each page, alternately first and second, so that neither always
    follows the other; each in a tab of its own where `new_tabs`."""
    results = {name: [] for name in urls}
    tab = None
    for load in range(loads):
        order = list(urls.items())
        for name, url in order if load % 2 == 0 else reversed(order):
            if tab is None:
                tab = browser.open(None, 1024, 768)
                tab.run_before_load(WATCH)
            tab.go(url)
            results[name].append(tab.evaluate(MEASURE))
            if new_tabs:
                tab.close()
                tab = None
                # The closed tab's process ends before the next load begins, as on an idle computer.
                time.sleep(0.3)
    if tab is not None:
        tab.close()
    return results


def report(title, results, loads):
    paint = [p[0] for p in results["page"]]
    floor = [f[0] for f in results["floor"]]
    written = [p[1] for p in results["page"]]
    print("%s (%d loads each, alternating):" % (title, loads))
    print(" first contentful paint:")
    print(figures("malvoran", paint, "ms"))
    print(figures("floor (one label)", floor, "ms"))
    print(figures("ratio malvoran / floor, pairwise", [p / f for p, f in zip(paint, floor)], "x"))
    print(" a click on \"Изчисли\" at DOMContentLoaded, answered with the report:")
    print(figures("report written", written, "ms"))
    print(figures("ratio to the floor's paint, pairwise", [r / f for r, f in zip(written, floor)], "x"))


def main():
    page_file, design_file, folder, loads = sys.argv[1:5]
    loads = int(loads)
    os.makedirs(folder, exist_ok=True)
    with open(design_file, encoding="utf-8") as file:
        design = json.load(file)
    urls = {"floor": floor_page(design, folder), "page": pathlib.Path(page_file).resolve().as_uri()}
    print("malvoran.html: %.1f KiB" % (os.path.getsize(page_file) / 1024))
    with Chromium(os.path.join(folder, "profile")) as browser:
        print("chromium %s" % browser.version)
        measure(browser, urls, 1, True)  # unmeasured: the browser's own first start
        report("each load in a new tab, as a student opens the file", measure(browser, urls, loads, True), loads)
        report("one load after another in the same tab", measure(browser, urls, loads, False), loads)


if __name__ == "__main__":
    main()
