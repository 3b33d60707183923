#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the icons from their SVG sources into every raster the programs and their installers use:
# Malvoran's hamburger, and the practice's hamburger with a tick. Run after editing an SVG in icons/;
# the results are kept in the repository.
#   tools/render-icons.sh [malvoran | malvoran-practice ...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/setup.sh" icons
cd "$here/../icons"
icons=("$@")
[ ${#icons[@]} -gt 0 ] || icons=(malvoran malvoran-practice)
for icon in "${icons[@]}"; do
    for size in 16 24 32 48 64 128 256; do
        rsvg-convert -w "$size" -h "$size" "$icon.svg" -o "$icon-$size.png"
    done
    # The classic window icon: 32 x 32 in at most 256 colours.
    convert "$icon-32.png" -colors 256 "PNG8:$icon-32.png"
    # The sizes the window hands to the title bar and task switcher, as plain RGBA pixels taken from the
    # PNGs above, so that the program shows them without decoding a PNG at start-up.
    for size in 16 24 32 48 64; do
        convert "$icon-$size.png" -depth 8 "rgba:$icon-$size.rgba"
    done
    convert "$icon-16.png" "$icon-24.png" "$icon-32.png" "$icon-48.png" "$icon-256.png" "$icon.ico"
    png2icns "$icon.icns" "$icon-16.png" "$icon-32.png" "$icon-48.png" "$icon-128.png" "$icon-256.png" >/dev/null
done
