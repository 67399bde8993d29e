#!/usr/bin/env bash
# The real game at rest, the Linux build against the Windows build under Wine, in the same
# virtual display (Xvfb 1024x768x24 with openbox), one after the other, ROUNDS times in
# turn so that the machine's load falls on both: processor time over SECONDS with the
# menu open, then in play with the boat at rest, of the game and the X server together.
# For the Windows build "the game" is every process of its Wine prefix (the program,
# wineserver and Wine's helpers), since all of them work for it.
# Usage: scripts/wine-at-rest.sh LINUX_GAME WINDOWS_GAME_EXE   (release builds)
# ROUNDS (default 3) and SECONDS_EACH (default 10) set the alternation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(readlink -f "$1")
windows=$(readlink -f "$2")
rounds=${ROUNDS:-3}
seconds=${SECONDS_EACH:-10}
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
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
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$x_pid" ] && kill "$x_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
x_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1
# The prefix is made before anything is measured.
"$root/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true

hz=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# The processes of this Wine prefix (their environment names it).
wine_pids() {
    grep -lsa "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true
}
game_ticks() {  # KIND
    if [ "$1" = linux ]; then
        ticks "$game_pid"
    else
        local sum=0 pid
        for pid in $(wine_pids); do sum=$((sum + $(ticks "$pid"))); done
        echo "$sum"
    fi
}
measure() {  # KIND: percent of one core of the game and of the X server over SECONDS
    local g0 x0 g1 x1
    g0=$(game_ticks "$1"); x0=$(ticks "$x_pid")
    sleep "$seconds"
    g1=$(game_ticks "$1"); x1=$(ticks "$x_pid")
    awk -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v hz="$hz" -v s="$seconds" \
        'BEGIN {printf "%.2f %.2f\n", 100 * g / hz / s, 100 * x / hz / s}'
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
        read -r g x < <(measure "$kind")
        echo "$kind menu $g $x" >>"$work/results"
        # The catalogue, then the pack's wolf, goat and cabbage (select, then open).
        xdotool mousemove 520 73 click 1; sleep 1.5
        xdotool mousemove 518 266 click 1; sleep 0.3; xdotool click 1; sleep 3
        read -r g x < <(measure "$kind")
        echo "$kind play $g $x" >>"$work/results"
        close
        echo "round $round: $kind done" >&2
    done
done
median() { sort -g | awk '{v[NR] = $1} END {print ((NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }
echo "percent of one core at rest, median of $rounds rounds of $seconds s (renderer: software on both)"
for screen in menu play; do
    for kind in linux windows; do
        g=$(awk -v k="$kind" -v s="$screen" '$1 == k && $2 == s {print $3}' "$work/results" | median)
        x=$(awk -v k="$kind" -v s="$screen" '$1 == k && $2 == s {print $4}' "$work/results" | median)
        printf '%-5s %-8s game %6.2f %%  X server %6.2f %%  together %6.2f %%\n' "$screen" "$kind" "$g" "$x" \
            "$(awk -v a="$g" -v b="$x" 'BEGIN {print a + b}')"
    done
done
