#!/usr/bin/env bash
# The real game at rest, the Linux build against the Windows build under Wine, in the same
# virtual display (Xvfb 1024x768x24 with openbox), one after the other, ROUNDS times in
# turn so that the machine's load falls on both: processor time over SECONDS with the
# menu open, then in play with the boat at rest, of the game and the X server together.
# For the Windows build the game's own process and Wine's services are told apart.
# SHOTS=DIR keeps a screenshot of each measured screen.
# Usage: scripts/wine-at-rest.sh LINUX_GAME WINDOWS_GAME_EXE   (release builds)
# ROUNDS (default 3) and SECONDS_EACH (default 10) set the alternation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/virtual-desktop.sh"
linux=$(readlink -f "$1")
windows=$(readlink -f "$2")
rounds=${ROUNDS:-3}
seconds=${SECONDS_EACH:-10}
work=$(mktemp -d)
x_pid= wm_pid= game_pid=
# A prefix of its own, so that only this game's Wine processes are counted.
export WINEPREFIX=$work/prefix

finish() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        wmctrl -c Ferrolin 2>/dev/null || true
        for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$game_pid" 2>/dev/null || true
    fi
    [ -f "$WINEPREFIX/system.reg" ] && { wineserver -k 2>/dev/null || /usr/lib/wine/wineserver -k 2>/dev/null || true; }
    stop_desktop
    rm -rf "$work"
}
trap finish EXIT

start_desktop 1024x768x24
# The prefix is made before anything is measured.
"$root/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true

# A process of Wine's may end between being listed and being read: it counts nothing.
ticks_or_none() { ticks "$1" 2>/dev/null || echo 0; }
# The processes of this Wine prefix (their environment names it): the game's own, whose
# command line names its program, and Wine's services (wineserver, the device and
# service hosts), which run beside any Windows program, an idle Notepad as well.
wine_pids() {  # game|services
    local pid
    for pid in $(grep -lsa "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
        # This script's own shells carry the prefix in their environment too.
        readlink "/proc/$pid/exe" 2>/dev/null | grep -q wine || continue
        if tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -qF "$(basename "$windows")"; then
            [ "$1" = game ] && echo "$pid"
        else
            [ "$1" = services ] && echo "$pid"
        fi
    done
}
sum() {  # FUNCTION PIDS...
    local f=$1 total=0 pid
    shift
    for pid in "$@"; do total=$((total + $($f "$pid"))); done
    echo "$total"
}
measure() {  # KIND: percent of one core of the game, of Wine's services and of the X server
             # over SECONDS, and the game's wake-ups a second
    local game services g0 w0 s0 x0 g1 w1 s1 x1
    if [ "$1" = linux ]; then game=$game_pid services=; else game=$(wine_pids game) services=$(wine_pids services); fi
    g0=$(sum ticks_or_none $game); w0=$(sum wakeups $game); s0=$(sum ticks_or_none $services); x0=$(ticks_or_none "$x_pid")
    sleep "$seconds"
    g1=$(sum ticks_or_none $game); w1=$(sum wakeups $game); s1=$(sum ticks_or_none $services); x1=$(ticks_or_none "$x_pid")
    awk -v g=$((g1 - g0)) -v w=$((w1 - w0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" -v t="$seconds" \
        'BEGIN {printf "%.2f %.1f %.2f %.2f\n", 100 * g / hz / t, w / t, 100 * s / hz / t, 100 * x / hz / t}'
}
start() {  # KIND
    if [ "$1" = linux ]; then
        env "XDG_DATA_HOME=$work/data" SDL_RENDER_DRIVER=software "$linux" >/dev/null 2>&1 &
    else
        "$root/scripts/wine-run.sh" "$windows" >/dev/null 2>&1 &
    fi
    game_pid=$!
    for _ in $(seq 300); do wmctrl -l 2>/dev/null | grep -q Ferrolin && break; sleep 0.1; done
    sleep 3   # the menu rolls down
}
close() {
    wmctrl -c Ferrolin 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    game_pid=
    sleep 1
}
for round in $(seq "$rounds"); do
    for kind in linux windows; do
        start "$kind"
        read -r g w s x < <(measure "$kind")
        echo "$kind menu $g $w $s $x" >>"$work/results"
        [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/$kind-menu-$round.png"
        # The catalogue, then the pack's wolf, goat and cabbage (select, then open).
        xdotool mousemove 520 73 click 1; sleep 1.5
        xdotool mousemove 518 266 click 1; sleep 0.3; xdotool click 1; sleep 3
        read -r g w s x < <(measure "$kind")
        echo "$kind play $g $w $s $x" >>"$work/results"
        [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/$kind-play-$round.png"
        close
        echo "round $round: $kind done" >&2
    done
done
echo "at rest, medians of $rounds rounds of $seconds s (renderer: software on both); percent of one core"
for screen in menu play; do
    for kind in linux windows; do
        col() { awk -v k="$kind" -v s="$screen" -v c="$1" '$1 == k && $2 == s {print $c}' "$work/results" | median; }
        printf '%-5s %-8s game %6.2f %% (%5.1f wake-ups/s)  Wine services %6.2f %%  X server %6.2f %%\n' \
            "$screen" "$kind" "$(col 3)" "$(col 4)" "$(col 5)" "$(col 6)"
    done
done
