#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs a test program built into a page in one browser engine: opens the page, waits until the
program leaves its result in it (or the page says that it cannot run), passes on what the program
wrote, and exits with the program's status.

Usage: run_in_browser.py <chromium|firefox|webkit> <page.html> <profile folder>
"""
import os
import pathlib
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from browser import launch  # noqa: E402

# What the page ends with: the program's result, or the class of the sentence that says it cannot run.
OUTCOME = """(() => {
    const ended = document.documentElement.className.split(' ').filter(c => c === 'cannot-run' ||
        c === 'without-webassembly');
    return window.malvoranTestResult ? window.malvoranTestResult : ended.length ? {said: ended[0]} : null;
})()"""


def main():
    engine, page_file, profile = sys.argv[1:4]
    with launch(engine, profile) as browser:
        tab = browser.open(pathlib.Path(page_file).resolve().as_uri(), 800, 600)
        deadline = time.monotonic() + 600
        outcome = tab.evaluate(OUTCOME)
        while outcome is None:
            if time.monotonic() > deadline:
                print("the program did not finish in %s" % engine)
                return 1
            time.sleep(0.1)
            outcome = tab.evaluate(OUTCOME)
    if "said" in outcome:
        print("the page could not run the program in %s (%s)" % (engine, outcome["said"]))
        return 1
    print(outcome["output"], end="", flush=True)
    return int(outcome["status"])


if __name__ == "__main__":
    sys.exit(main())
