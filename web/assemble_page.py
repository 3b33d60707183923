#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Puts the page together: one HTML file with everything inside (style sheet, font, icon, scripts and
the program's WebAssembly), which works opened from a disk and from any web server, and whose
Content-Security-Policy lets nothing run but its own scripts and styles and fetches nothing at all.

Usage: assemble_page.py --output malvoran.html --template page.html --parts <page_parts' folder>
       --style page.css --boot boot.js --inflate inflate.js --start start.js --program malvoran.js
       --wasm malvoran.wasm
       --font font.woff2 --icon icon.png --version 1.2.0 --licence LICENSE [--licence ...]
"""
import argparse
import base64
import hashlib
import re
import sys
import zlib


def read(path, mode="r"):
    with open(path, mode) as file:
        return file.read() if mode == "rb" else file.read().replace("\r\n", "\n")


def base64_of(path):
    return base64.b64encode(read(path, "rb")).decode("ascii")


def deflated(data):
    """`data` compressed as raw DEFLATE (what DecompressionStream("deflate-raw") reads), in base64."""
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
    return base64.b64encode(compressor.compress(data) + compressor.flush()).decode("ascii")


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode("utf-8")).digest()).decode("ascii") + "'"


def main():
    options = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("output", "template", "parts", "style", "boot", "inflate", "start", "program", "wasm", "font",
                 "icon", "version"):
        options.add_argument("--" + name, required=True)
    options.add_argument("--licence", action="append", required=True)
    given = options.parse_args()

    parts = given.parts + "/"
    style = read(parts + "window.css").replace("@FONT@", base64_of(given.font)) + read(given.style)
    boot = read(given.boot) + read(given.inflate)
    # The program's script and its WebAssembly are held at the end of the page, compressed, as text,
    # which the head's script runs after the first paint: the browser reads half as much before it.
    program = "%s\n%s\nmalvoranStart(createMalvoran);\n" % (read(given.program), read(given.start))
    for name, text in (("style", style), ("script", boot), ("script", program)):
        if re.search("</" + name, text, re.IGNORECASE) or (name == "script" and "<!--" in text):
            sys.exit("assemble_page: the page's %s would end inside itself" % name)
    licences = "\n\n".join(read(path).strip() for path in given.licence)
    if "-->" in licences or "--!>" in licences:
        sys.exit("assemble_page: a licence would end the comment that carries it")

    page = read(given.template)
    # Every inline script and style of the page, by its hash: nothing else may run or style it.
    scripts = [boot, program]
    styles = [style] + re.findall(r"<noscript><style>(.*?)</style>", page)
    policy = "; ".join([
        "default-src 'none'",
        "script-src " + " ".join(digest(s) for s in scripts) + " 'wasm-unsafe-eval'",
        "style-src " + " ".join(digest(s) for s in styles),
        "img-src data:",
        "font-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    values = {
        "POLICY": policy,
        "TITLE": read(parts + "title.txt"),
        "ICON": base64_of(given.icon),
        "STYLE": style,
        "BOOT": boot,
        "WINDOW": read(parts + "window.html"),
        "PROGRAM": deflated(program.encode("utf-8")),
        "WASM": deflated(read(given.wasm, "rb")),
        "VERSION": given.version,
        "LICENCES": licences,
    }
    # One pass, so that nothing put in is read again as a place to put something.
    page = re.sub(r"@([A-Z]+)@", lambda m: values[m.group(1)] if m.group(1) in values else m.group(0), page)
    with open(given.output, "w", encoding="utf-8", newline="\n") as file:
        file.write(page)


if __name__ == "__main__":
    main()
