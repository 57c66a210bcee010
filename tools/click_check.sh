#!/usr/bin/env bash
# Clicks the real game the way a quick hand or a touchpad does: `xdotool click`, whose press
# and release reach the window together, between two frames. Starts the given program from /
# on an X screen of its own (with openbox when it is installed), opens the title menu, then
# ten times goes to "Aides" and back to "Options" with instant clicks, and checks each time with
# "Suppr. partie", which writes a fresh save only on the options screen. Then the same with the
# game held down to about ten frames a second. Prints how many of the ten acted, each way;
# fails unless all did.
# Usage: tools/click_check.sh <program>
set -euo pipefail
program="$(realpath "$1")"

work="$(mktemp -d /tmp/gobbler-clicks-XXXXXX)"
pids=()
screen_pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -CONT "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}" "${screen_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "click check: $*" >&2
    exit 1
}

source "$(dirname "$0")/own_screen.sh"
own_screen "$work"

mkdir -p "$work/home"
(cd / && exec env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME="$work/home" \
    XDG_DATA_HOME="$work/data" ALSOFT_DRIVERS=null "$program") >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")

window=""
for _ in $(seq 100); do
    window="$(xdotool search --name '^Gobbler$' 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || fail "the game opened no window"
xdotool windowmove "$window" 0 0
sleep 0.5

# Window pixels of a point of the game's 1920 x 1080 frame, wherever the window shows it.
at() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    awk -v w="$WIDTH" -v h="$HEIGHT" -v gx="$1" -v gy="$2" 'BEGIN {
        s = w / 1920 < h / 1080 ? w / 1920 : h / 1080
        printf "%d %d\n", (w - 1920 * s) / 2 + gx * s, (h - 1080 * s) / 2 + gy * s }'
}
held() {
    read -r x y < <(at "$1" "$2")
    xdotool mousemove --window "$window" "$x" "$y" mousedown 1 sleep 0.3 mouseup 1 sleep 0.3
}
instant() {
    read -r x y < <(at "$1" "$2")
    xdotool mousemove --window "$window" "$x" "$y" sleep "$pause" click 1 sleep "$pause"
}

save="$work/data/gobbler/Save1.txt"
# Past the intro to the title menu with held presses (its length varies), until the options'
# delete button has written a save.
for _ in $(seq 40); do
    held 300 1000
    held 1091 510
    held 1231 772
    [ -f "$save" ] && break
done
[ -f "$save" ] || fail "the title menu was not reached (game output: $(cat "$work/game.log"))"

# Ten rounds: "Aides", where "Suppr. partie" must do nothing, then "Options", where it must
# write the save. A round counts when both instant clicks on the panel acted.
rounds() {
    local acted=0
    for _ in $(seq 10); do
        instant 1086 640
        rm -f "$save"
        instant 1231 772
        [ -f "$save" ] && continue
        instant 1091 510
        instant 1231 772
        sleep "$pause"
        [ -f "$save" ] && acted=$((acted + 1))
    done
    echo "$acted"
}

pause=0.15
normal="$(rounds)"

# About ten frames a second: the game runs 15 ms of every 100 ms (a frame of the menus takes
# about that here), and the clicks come while it is stopped.
(while kill -STOP "$game" 2>/dev/null; do
    sleep 0.085
    kill -CONT "$game" 2>/dev/null || break
    sleep 0.015
done) &
pids+=($!)
pause=0.5
slow="$(rounds)"

echo "click check: instant clicks that acted: $normal of 10 at the normal frame rate, $slow of 10 at about 10 frames a second"
[ "$normal" -eq 10 ] && [ "$slow" -eq 10 ] || fail "instant clicks were lost"
