#!/usr/bin/env bash
# Checks the installed game (called by tools/run_tests.sh after the build's tests): installs
# the build folder's game to a temporary prefix with its data made read-only, validates the
# desktop entry, the AppStream file and the manual page, checks the Debian package's
# dependencies and contents when cpack made one, then starts the installed game from / on its
# own Xvfb screen and clicks through "Options", "Suppr. partie" and "Oui": the buttons only
# answer when the pictures were found, and the fresh save must land in $XDG_DATA_HOME/gobbler/,
# with nothing written into the data. Then the installed game is clicked with instant clicks
# (tools/click_check.sh).
# Usage: tools/install_check.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"

fail() {
    echo "install check: $*" >&2
    exit 1
}

work="$(mktemp -d /tmp/gobbler-install-XXXXXX)"
game_pid=""
screen_pids=()
cleanup() {
    if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
    for pid in "${screen_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The game gets a screen of its own, whatever display the caller has.
source tools/own_screen.sh
own_screen "$work"

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
data="$prefix/share/games/gobbler/resources"
[ -x "$prefix/games/gobbler" ] || fail "no program at games/gobbler"
[ -f "$data/textures/icon/gobbler.png" ] || fail "no resources under share/games/gobbler"
for size in 64 128 256 512; do
    [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/fr.gobbler.Gobbler.png" ] ||
        fail "no $size px icon"
done
chmod -R a-w "$prefix/share/games/gobbler"

desktop-file-validate "$prefix/share/applications/fr.gobbler.Gobbler.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/fr.gobbler.Gobbler.metainfo.xml" >/dev/null ||
    fail "the AppStream file does not validate"
# The manual page must read without a complaint from man, and be the game's.
manual="$prefix/share/man/man6/gobbler.6.gz"
[ -f "$manual" ] || fail "no manual page at share/man/man6/gobbler.6.gz"
complaints="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null)"
[ -z "$complaints" ] || fail "the manual page does not read cleanly: $complaints"
page="$(LC_ALL=C MANWIDTH=80 man -l "$manual" 2>/dev/null)"
[[ "$page" == *"gobbler - tower-defence game"* ]] || fail "the manual page does not show the game"

deb="$(find "$build" -maxdepth 1 -name 'gobbler_*.deb' | head -1)"
if [ -n "$deb" ]; then
    depends="$(dpkg-deb -f "$deb" Depends)"
    for lib in libsfml-graphics2.5 libsfml-window2.5 libsfml-audio2.5 libsfml-system2.5; do
        [[ "$depends" == *"$lib"* ]] || fail "$deb does not depend on $lib"
    done
    contents="$(dpkg-deb -c "$deb")"
    for path in ./usr/games/gobbler ./usr/share/games/gobbler/resources/fonts/SlyCooper.ttf \
        ./usr/share/applications/fr.gobbler.Gobbler.desktop \
        ./usr/share/metainfo/fr.gobbler.Gobbler.metainfo.xml ./usr/share/doc/gobbler/copyright \
        ./usr/share/doc/gobbler/changelog.gz ./usr/share/man/man6/gobbler.6.gz; do
        grep -q " $path\$" <<<"$contents" || fail "$deb lacks $path"
    done
fi

# Started the way a desktop starts it: from /, with only the desktop's own folders.
mkdir -p "$work/home"
touch "$work/started"
(cd / && exec env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" HOME="$work/home" \
    XDG_DATA_HOME="$work/data-home" ALSOFT_DRIVERS=null "$prefix/games/gobbler") \
    >"$work/game.log" 2>&1 &
game_pid=$!

window=""
for _ in $(seq 100); do
    window="$(xdotool search --name '^Gobbler$' 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || fail "the installed game opened no window"
# The window goes where the game asks, which may be partly off-screen.
xdotool windowmove "$window" 0 0

# A press in the game's 1920 x 1080 frame, wherever the window shows it scaled.
press() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    read -r x y < <(awk -v w="$WIDTH" -v h="$HEIGHT" -v gx="$1" -v gy="$2" 'BEGIN {
        s = w / 1920 < h / 1080 ? w / 1920 : h / 1080
        printf "%d %d\n", (w - 1920 * s) / 2 + gx * s, (h - 1080 * s) / 2 + gy * s }')
    # Held over a few frames: the game reads the button once per frame.
    xdotool mousemove --window "$window" "$x" "$y" mousedown 1 sleep 0.3 mouseup 1 sleep 0.3
}

save="$work/data-home/gobbler/Save1.txt"
# The intro plays first; a press past it opens the title menu, then the options' delete button
# and its "Oui" write a fresh save. Repeated until the save is there (the intro's length varies).
for _ in $(seq 40); do
    press 300 1000
    press 1091 510
    press 1231 772
    press 1378 562
    [ -f "$save" ] && break
done
[ -f "$save" ] || fail "no save under \$XDG_DATA_HOME/gobbler (game output: $(cat "$work/game.log"))"
[ "$(wc -w <"$save")" -eq 25 ] || fail "the save is not 25 numbers: $(cat "$save")"
[ ! -e "$data/save" ] || fail "the game made a save folder in its installed data"
[ -z "$(find "$prefix" -newer "$work/started" -print -quit)" ] ||
    fail "the game wrote into its install: $(find "$prefix" -newer "$work/started")"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=""
echo "install check: installed copy started from / found its resources and saved to $save"
tools/click_check.sh "$prefix/games/gobbler"
