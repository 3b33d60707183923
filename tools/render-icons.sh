#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the hamburger icon from its SVG source into every raster the program and its installers
# use. Run after editing icons/malvoran.svg; the results are kept in the repository.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/setup.sh" icons
cd "$here/../icons"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" malvoran.svg -o "malvoran-$size.png"
done
# The classic window icon: 32 x 32 in at most 256 colours.
convert malvoran-32.png -colors 256 PNG8:malvoran-32.png
# The sizes the window hands to the title bar and task switcher, as plain RGBA pixels taken from the
# PNGs above, so that the program shows them without decoding a PNG at start-up.
for size in 16 24 32 48 64; do
    convert "malvoran-$size.png" -depth 8 "rgba:malvoran-$size.rgba"
done
convert malvoran-16.png malvoran-24.png malvoran-32.png malvoran-48.png malvoran-256.png malvoran.ico
png2icns malvoran.icns malvoran-16.png malvoran-32.png malvoran-48.png malvoran-128.png malvoran-256.png >/dev/null
