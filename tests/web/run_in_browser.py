#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs a test program built into a page: opens the page in headless Chromium, passes on what the
program writes to the browser's console, and exits with the program's status.

Usage: run_in_chromium.py <page.html> <profile folder>
"""
import os
import pathlib
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from chromium import Chromium  # noqa: E402


def main():
    page_file, profile = sys.argv[1:3]
    with Chromium(profile) as browser:
        page = browser.open()
        page.send("Page.navigate", {"url": pathlib.Path(page_file).resolve().as_uri()})
        while True:
            method, params = browser.wait_for(("Runtime.consoleAPICalled", "Runtime.exceptionThrown"),
                                              page.session, timeout=600)
            if method == "Runtime.exceptionThrown":
                details = params["exceptionDetails"]
                print("the program ended on an exception: %s" % details.get("exception", {}).get(
                    "description", details.get("text")))
                return 1
            line = " ".join(str(argument.get("value", argument.get("description", "")))
                            for argument in params["args"])
            ended = re.fullmatch(r"malvoran-test-exit (\d+)", line)
            if ended:
                return int(ended.group(1))
            print(line, flush=True)


if __name__ == "__main__":
    sys.exit(main())
