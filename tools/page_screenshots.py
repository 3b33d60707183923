#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page's screenshots for the README, as a student sees it in Chromium: at a desktop's width and
at a phone's, with yellow, violet, red and gold chosen with the keys and "Изчисли" pressed.

Usage: page_screenshots.py <malvoran.html> <design.json> <profile folder> <desktop.png> <phone.png>
"""
import base64
import json
import os
import pathlib
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import Chromium  # noqa: E402

CODE = ["жълт", "виолетов", "червен", "златист"]


def shoot(browser, url, design, out, width, height, scale, mobile):
    page = browser.open(None, width, height, scale, mobile)
    page.go(url)
    page.wait_until("!document.querySelector('.window').hasAttribute('aria-busy')")
    for band, colour in enumerate(CODE):
        page.evaluate("document.getElementById('List1(%d)').focus()" % band)
        page.key("Home")
        for _ in range(design["lists"][band].index(colour)):
            page.key("ArrowDown")
    page.evaluate("document.getElementById('Command1(0)').focus()")
    page.key(" ")
    page.evaluate("document.activeElement.blur()")
    with open(out, "wb") as file:
        file.write(base64.b64decode(page.send("Page.captureScreenshot", {"format": "png"})["data"]))


def main():
    page_file, design_file, profile, desktop, phone = sys.argv[1:6]
    url = pathlib.Path(page_file).resolve().as_uri()
    with open(design_file, encoding="utf-8") as file:
        design = json.load(file)
    with Chromium(profile) as browser:
        shoot(browser, url, design, desktop, 640, 400, 1, False)
        shoot(browser, url, design, phone, 360, 640, 2, True)


if __name__ == "__main__":
    main()
