# Sourced by the scripts that need an X screen of their own: `own_screen FOLDER` starts Xvfb at
# 1920 x 1080 on a display it picks itself (-displayfd, so two servers started at once never
# take the same one), exports DISPLAY and adds the server's pid to the array `screen_pids`.
# With openbox installed, a window manager runs on it too, as on a desktop.
own_screen() {
    local told="$1/display"
    exec 3>"$told"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    screen_pids+=($!)
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$told" ] && break
        sleep 0.1
    done
    [ -s "$told" ] || { echo "no X server could start" >&2; return 1; }
    export DISPLAY=":$(head -1 "$told")"
    if command -v openbox >/dev/null; then
        openbox >/dev/null 2>&1 &
        screen_pids+=($!)
    fi
}
