#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page's ZIP as cpack makes it: one folder with the page, byte for byte the built one, and the
licences it carries (Malvoran's, its font's, its runtime's), with Windows line ends.

Usage: check_zip.py <build folder> <malvoran.html> <scratch folder>
"""
import glob
import os
import shutil
import subprocess
import sys
import zipfile


def main():
    build, page, scratch = sys.argv[1:4]
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    subprocess.run(["cpack", "-G", "ZIP", "-B", scratch, "--config", os.path.join(build, "CPackConfig.cmake")],
                   check=True, stdout=subprocess.DEVNULL)
    made = glob.glob(os.path.join(scratch, "Malvoran-*-web.zip"))
    if len(made) != 1:
        sys.exit("no Malvoran-<version>-web.zip: %r" % os.listdir(scratch))
    with zipfile.ZipFile(made[0]) as archive:
        names = sorted(name for name in archive.namelist() if not name.endswith("/"))
        folder = os.path.basename(made[0])[:-len(".zip")]
        if names != [folder + "/LICENSE.txt", folder + "/malvoran.html"]:
            sys.exit("the ZIP holds %r" % names)
        with open(page, "rb") as built:
            if archive.read(folder + "/malvoran.html") != built.read():
                sys.exit("the ZIP's page is not the built page")
        licence = archive.read(folder + "/LICENSE.txt").decode("utf-8")
    for notice in ("MIT License", "SIL OPEN FONT LICENSE Version 1.1", "The Emscripten Authors", "Rich Felker"):
        if notice not in licence:
            sys.exit("LICENSE.txt lacks %r" % notice)
    if "\n" in licence.replace("\r\n", ""):
        sys.exit("LICENSE.txt has a line end that is not CR LF")
    print("%s: the page and its licences" % os.path.basename(made[0]))


if __name__ == "__main__":
    main()
