#!/usr/bin/env bash
# Clicks the real game the way a quick hand or a touchpad does: `xdotool click`, whose press
# and release reach the window together, between two frames. Starts the given program from /
# on an X screen of its own (with openbox when it is installed), opens the title menu, then
# ten times goes to "Aides" and back to "Options" with instant clicks, and checks each time with
# "Suppr. partie" and its "Oui", which write a fresh save only on the options screen. Then the
# same with the game held down to about ten frames a second. Last, "Quitter" by one instant
# click, ten times in a window and ten times after F11: the window must be gone at once (the
# slowest is told, in milliseconds). Prints how many acted, each way; fails unless all did.
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

# Starts the game from / with folders of its own (numbered by its start) and finds its window.
start_game() {
    mkdir -p "$work/home$1"
    (cd / && exec env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME="$work/home$1" \
        XDG_DATA_HOME="$work/data$1" ALSOFT_DRIVERS=null "$program") >"$work/game.log" 2>&1 &
    game=$!
    pids+=("$game")
    save="$work/data$1/gobbler/Save1.txt"
    find_window
    xdotool windowmove "$window" 0 0
    sleep 0.5
}

# The game's window as it shows now (F11 makes a new one), `size` wide when asked.
find_window() {
    for _ in $(seq 100); do
        for window in $(xdotool search --onlyvisible --pid "$game" --name '^Gobbler$' 2>/dev/null); do
            geometry="$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)" || continue
            eval "$geometry"
            [ -z "${1:-}" ] || [ "$WIDTH" -eq "$1" ] || continue
            return 0
        done
        sleep 0.1
    done
    fail "the game shows no window${1:+ $1 pixels wide}"
}

# Window pixels (x, y) of a point of the game's 1920 x 1080 frame, wherever the window shows it.
at() {
    geometry="$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)" || find_window
    eval "$geometry"
    read -r x y < <(awk -v w="$WIDTH" -v h="$HEIGHT" -v gx="$1" -v gy="$2" 'BEGIN {
        s = w / 1920 < h / 1080 ? w / 1920 : h / 1080
        printf "%d %d\n", (w - 1920 * s) / 2 + gx * s, (h - 1080 * s) / 2 + gy * s }')
}
held() {
    at "$1" "$2"
    xdotool mousemove --window "$window" "$x" "$y" mousedown 1 sleep 0.3 mouseup 1 sleep 0.3
}
instant() {
    at "$1" "$2"
    xdotool mousemove --window "$window" "$x" "$y" sleep "$pause" click 1 sleep "$pause"
}

# "Suppr. partie" asks first; "Oui" stands here.
yes="1378 562"
# Past the intro to the title menu with held presses (its length varies), until the options'
# delete button and its "Oui" have written a save.
reach_options() {
    for _ in $(seq 40); do
        held 300 1000
        held 1091 510
        held 1231 772
        held $yes
        [ -f "$save" ] && return 0
    done
    fail "the title menu was not reached (game output: $(cat "$work/game.log"))"
}

start_game 0
reach_options

# Ten rounds: "Aides", where "Suppr. partie" must do nothing, then "Options", where it must
# write the save. A round counts when both instant clicks on the panel acted.
rounds() {
    local acted=0
    for _ in $(seq 10); do
        instant 1086 640
        rm -f "$save"
        instant 1231 772
        instant $yes
        [ -f "$save" ] && continue
        instant 1091 510
        instant 1231 772
        instant $yes
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
pacer=$!
pids+=("$pacer")
pause=0.5
slow="$(rounds)"

echo "click check: instant clicks that acted: $normal of 10 at the normal frame rate, $slow of 10 at about 10 frames a second"
[ "$normal" -eq 10 ] && [ "$slow" -eq 10 ] || fail "instant clicks were lost"
# The pacing stops first; the game, running again, is then ended and its window gone.
kill "$pacer" 2>/dev/null || true
wait "$pacer" 2>/dev/null || true
kill -CONT "$game" 2>/dev/null || true
kill "$game" 2>/dev/null || true
wait "$game" 2>/dev/null || true
pids=()

# "Quitter" by one instant click: the window goes on the frame that shows the press. Ten games
# in a window, ten switched to fullscreen by F11 first; `closed` counts those gone within a
# second of the click, `slowest` is the longest of them, in milliseconds.
now_ms() { echo $(($(date +%s%N) / 1000000)); }
quits() {
    local start took
    closed=0
    slowest=0
    for round in $(seq 10); do
        start_game "$1$round"
        reach_options
        if [ "$1" = fullscreen ]; then
            xdotool key --window "$window" F11
            sleep 1
            find_window 1920
        fi
        at 1096 770
        xdotool mousemove --window "$window" "$x" "$y" sleep 0.3 click 1
        # From the release on (xdotool itself takes about a tenth of a second to click).
        start="$(now_ms)"
        while xdotool getwindowname "$window" >/dev/null 2>&1 &&
            [ $(($(now_ms) - start)) -lt 2000 ]; do
            sleep 0.01
        done
        took=$(($(now_ms) - start))
        if ! xdotool getwindowname "$window" >/dev/null 2>&1 && [ "$took" -lt 1000 ]; then
            closed=$((closed + 1))
            [ "$took" -gt "$slowest" ] && slowest="$took"
        fi
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
        pids=()
    done
}
quits window
windowed="$closed" windowed_ms="$slowest"
quits fullscreen
echo "click check: \"Quitter\" by an instant click closed the game $windowed of 10 in a window" \
    "(slowest ${windowed_ms} ms) and $closed of 10 after F11 (slowest ${slowest} ms)"
[ "$windowed" -eq 10 ] && [ "$closed" -eq 10 ] || fail "an instant click on \"Quitter\" left the game open"
