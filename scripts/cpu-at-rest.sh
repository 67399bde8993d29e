#!/usr/bin/env bash
# CPU use of the real game at rest, in a virtual 1024x768 display with a window manager:
# (a) the main menu open after start, (b) play with the boat at rest (the catalogue's
# first task opened with two clicks). Each is measured over SECONDS (default 20) from
# /proc/PID/stat, for the game and for the X server that shows its frames.
# Usage: [SHOT=play.png] cpu-at-rest.sh PATH/TO/ferrolin [software|default]   (default software)
# "software" forces SDL's software renderer (SDL_RENDER_DRIVER=software), as on a machine
# without a graphics driver; "default" lets SDL choose (OpenGL, on Mesa's llvmpipe here).
# Other SDL_* variables in the environment reach the game. SCREEN (default 1024x768x24)
# sets the virtual display; on a larger one every frame is scaled up.
set -euo pipefail
source "$(dirname "$0")/virtual-desktop.sh"
game=$(readlink -f "$1")
driver=${2:-software}
seconds=${SECONDS_TO_MEASURE:-20}
data=$(mktemp -d)
game_pid= wm_pid= x_pid=
finish() {
    # Close the window as a user would; the X server goes only after the game.
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        wmctrl -c Ferrolin 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$game_pid" 2>/dev/null && { echo "the game did not close; killed"; kill -9 "$game_pid"; }
    fi
    stop_desktop
    rm -rf "$data"
}
trap finish EXIT

start_desktop "${SCREEN:-1024x768x24}"

measure() {
    local label=$1 g0 x0 g1 x1
    g0=$(ticks "$game_pid"); x0=$(ticks "$x_pid")
    sleep "$seconds"
    g1=$(ticks "$game_pid"); x1=$(ticks "$x_pid")
    awk -v l="$label" -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v hz="$hz" -v s="$seconds" \
        'BEGIN { printf "%-22s game %5.1f %% of one core, X server %5.1f %%\n", l, 100 * g / hz / s, 100 * x / hz / s }'
}

renderer=()
[ "$driver" = software ] && renderer=(env SDL_RENDER_DRIVER=software)
XDG_DATA_HOME=$data "${renderer[@]}" "$game" &
game_pid=$!
for _ in $(seq 100); do wmctrl -l 2>/dev/null | grep -q Ferrolin && break; sleep 0.1; done
sleep 2   # the menu rolls down
echo "renderer: $driver, screen ${SCREEN:-1024x768x24}${SDL_FRAMEBUFFER_ACCELERATION:+, SDL_FRAMEBUFFER_ACCELERATION=$SDL_FRAMEBUFFER_ACCELERATION}, ${seconds} s each"
measure "menu open"

# The catalogue (the menu's first command), then the first task: select, then open.
xdotool mousemove 500 73 click 1
sleep 2
xdotool mousemove 517 167 click 1
sleep 0.5
xdotool click 1
sleep 3   # the wipe and the landing
measure "play, boat at rest"
# SHOT=file.png keeps a picture of the play screen, to see that the task really opened.
[ -n "${SHOT:-}" ] && import -window root "$SHOT"
exit 0
