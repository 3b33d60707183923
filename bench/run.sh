#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up benchmark: builds a Release configuration with the benchmark tools and prints, for
# Malvoran and a one-label Qt floor of the same window size: the instructions to the first painted
# frame under callgrind (deterministic: the figure to track), launch to first painted frame
# (alternating, warm), the same from a cold page cache (rough), peak resident memory, click to
# repainted report, and the size of the stripped program; then where the instructions go, phase by
# phase, for both. The practice program, "Malvoran — упражнение", is measured the same way against the
# same floor (its window is larger: the floor's ratio is the harder for it), but for clicks and the
# cold start. Figures only; nothing here passes or fails.
# Everything runs in a private session like a desktop's: its own session bus, home and X server.
#   bench/run.sh [launches (20)] [clicks (200)] [cold launches (5)]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
launches=${1:-20}
clicks=${2:-200}
cold=${3:-5}
tools/setup.sh build bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMALVORAN_BENCH=ON >/dev/null
cmake --build build/bench >/dev/null
program=$PWD/build/bench/qt/malvoran
practice=$PWD/build/bench/qt/malvoran-practice
floor=$PWD/build/bench/bench/malvoran_floor
watch=$PWD/build/bench/bench/frame_watch

# A desktop always has a session bus; the caller's display, bus and locale stay outside.
private() {
    "$PWD/tests/private_session.sh" "$PWD/build/bench/sessions" --xvfb "$@" 2>/dev/null
}

# Instructions from exec to the first image the program puts on the screen; callgrind's profile of
# that stretch is kept as $2 for the account at the end.
instructions() {
    local out
    out=$(mktemp -d)
    private bash -c '
        valgrind --tool=callgrind --callgrind-out-file="$1/run.%p" --dump-before=xcb_shm_put_image \
            --dump-before=xcb_put_image "$2" >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 1200); do compgen -G "$1/run.*.1" >/dev/null && break; sleep 0.1; done
        kill "$pid"; wait "$pid" 2>/dev/null || true' _ "$out" "$1"
    cp "$(compgen -G "$out/run.*.1" | head -n1)" "$2"
    sed -n 's/^totals: //p' "$2" | head -n1
    rm -rf "$out"
}

# Instructions spent in a function and all it calls, from a listing of callgrind_annotate
# --inclusive=yes; 0 if it never ran.
inside() {
    awk -v name="???:$2 [" 'index($0, name) { gsub(",", "", $1); print $1; found = 1; exit }
                            END { if (!found) print 0 }' "$1"
}

# The first frame phase by phase: loading and linking before main, QApplication, fontconfig's
# font database (which comes with the first font used, wherever that is), building the window,
# showing it, and the event loop up to the first image.
phases() {
    local listing=$1.inclusive total main app fonts show loop build
    callgrind_annotate --inclusive=yes --threshold=100 "$1" >"$listing" 2>/dev/null
    total=$(sed -n 's/^totals: //p' "$1" | head -n1)
    main=$(inside "$listing" 'main')
    app=$(inside "$listing" 'QApplication::QApplication(int&, char**, int)')
    fonts=$(inside "$listing" 'QFontDatabasePrivate::ensureFontDatabase()')
    show=$(inside "$listing" 'QWidget::show()')
    loop=$(inside "$listing" 'QApplication::exec()')
    build=$((main - app - show - loop))
    # The font database is counted once, out of the phase that loaded it.
    if [ "$build" -ge "$fonts" ]; then
        build=$((build - fonts))
    elif [ "$show" -ge "$fonts" ]; then
        show=$((show - fonts))
    else
        loop=$((loop - fonts))
    fi
    echo "$((total - main)) $app $fonts $build $show $loop $total"
}

echo "Malvoran start-up benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1)"
echo "session: private dbus-run-session, Xvfb -noreset, LC_ALL=C.UTF-8, $(lsb_release -ds 2>/dev/null || echo Linux)"
# Fontconfig's start-up, the largest part of either program's, grows with the fonts installed.
echo "fonts: $(dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Version}\n' 'fonts-*' 2>/dev/null |
    awk '$1 == "ii" { printf "%s%s %s", sep, $2, $3; sep = ", " }')"
stripped=$(mktemp)
strip -o "$stripped" "$program"
printf 'stripped program: %d KiB\n' "$(($(stat -c %s "$stripped") / 1024))"
strip -o "$stripped" "$practice"
printf 'stripped practice program: %d KiB\n' "$(($(stat -c %s "$stripped") / 1024))"
rm -f "$stripped"

echo "instructions to the first painted frame (callgrind, two runs each):"
profiles=$PWD/build/bench/callgrind
mkdir -p "$profiles"
ours=() floors=() practices=()
for round in 1 2; do
    ours+=("$(instructions "$program" "$profiles/malvoran.$round")")
    floors+=("$(instructions "$floor" "$profiles/floor.$round")")
    practices+=("$(instructions "$practice" "$profiles/practice.$round")")
done
printf '  %-34s %s\n' "malvoran" "${ours[*]}" "floor (one QLabel)" "${floors[*]}"
awk -v a="${ours[0]}" -v b="${floors[0]}" 'BEGIN { printf "  %-34s %.3f x\n", "ratio malvoran / floor", a / b }'
printf '  %-34s %s\n' "malvoran-practice" "${practices[*]}"
awk -v a="${practices[0]}" -v b="${floors[0]}" \
    'BEGIN { printf "  %-34s %.3f x\n", "ratio malvoran-practice / floor", a / b }'

# Both programs start warm: one untimed launch each fills the page cache and the font cache.
private "$watch" 1 "$program" "$floor" 1 >/dev/null
private "$watch" 1 "$practice" "$floor" 0 >/dev/null
private "$watch" "$launches" "$program" "$floor" "$clicks"
private "$watch" "$launches" "$practice" "$floor" 0 "floor (one QLabel)" "malvoran-practice"
private "$watch" --cold "$cold" "$program" "$floor"

labels=("loading and linking, before main" "QApplication" "font database (fontconfig)" "building the window"
        "showing it" "event loop to the first frame" "total")
read -r -a base <<<"$(phases "$profiles/floor.1")"
for name in malvoran practice; do
    [ "$name" = malvoran ] && whose=the || whose="the practice's"
    echo "where the instructions to $whose first painted frame go (first run, millions):"
    read -r -a mine <<<"$(phases "$profiles/$name.1")"
    printf '  %-40s %9s %9s %9s\n' "" "$name" floor extra
    for i in "${!labels[@]}"; do
        awk -v what="${labels[$i]}" -v a="${mine[$i]}" -v b="${base[$i]}" \
            'BEGIN { printf "  %-40s %9.2f %9.2f %+9.2f\n", what, a / 1e6, b / 1e6, (a - b) / 1e6 }'
    done
done
# Malvoran's own parts of those phases.
listing=$profiles/malvoran.1.inclusive
fonts=$(inside "$listing" 'QFontDatabasePrivate::ensureFontDatabase()')
echo "of which in malvoran's own parts (millions):"
while IFS='|' read -r what function; do
    cost=$(inside "$listing" "$function")
    [ "$function" = "chooseWindowFont()" ] && cost=$((cost - fonts))
    awk -v what="$what" -v a="$cost" 'BEGIN { printf "  %-40s %9.2f\n", what, a / 1e6 }'
done <<'PARTS'
choosing the font, beyond the database|chooseWindowFont()
the four colour lists made|ColourList::ColourList(std::span<bands::Colour const, 18446744073709551615ul>, QWidget*)
the report box made|QPlainTextEdit::QPlainTextEdit(QWidget*)
colour names measured to fit|ColourList::fitNames()
the introduction laid out|FormWindow::showWritten(unsigned long)
painting the first frame|QWidgetRepaintManager::paintAndFlush()
PARTS
