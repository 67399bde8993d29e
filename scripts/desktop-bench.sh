#!/usr/bin/env bash
# The real game against a bare SDL program (bench/desktop/bare_window.cpp: one full-screen
# picture copied to its window every 10 ms), side by side in one virtual display (Xvfb
# 1024x768x24 with openbox), alternating, so that the load of the machine falls on both:
#   start:    launch to the first frame on screen, each program ROUNDS times in turn;
#   at rest:  processor time over SECONDS, the game (menu open, then play with the boat
#             at rest) and the bare program in turn, the other one stopped meanwhile;
#   wake-ups: over REST_SECONDS (default 10) at rest, the bare program stopped, the game's
#             voluntary context switches summed over all its threads (each is a wake-up
#             from a wait) and the processor time of the game and the X server together;
#   crossing: the pack's goat crossing, from the arrow click (xdotool) to the boat's last
#             step on screen, over its 220 frames of 10 ms; undone between rounds;
#   memory:   the game's resident set at rest.
# Usage: scripts/desktop-bench.sh GAME    (a release build's ferrolin, e.g. build-rel/game/ferrolin)
# ROUNDS (default 3) and SECONDS (default 5) set the alternation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/virtual-desktop.sh"
game=$(readlink -f "$1")
rounds=${ROUNDS:-3}
seconds=${SECONDS_EACH:-5}
rest_seconds=${REST_SECONDS:-10}
work=$(mktemp -d)
x_pid= wm_pid= game_pid= bare_pid=

stop() {  # PID: ends a program as the desktop would and waits for it
    [ -n "$1" ] || return 0
    kill -CONT "$1" 2>/dev/null || true
    kill -TERM "$1" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    kill -9 "$1" 2>/dev/null || true
}
finish() {
    stop "$game_pid"; stop "$bare_pid"
    stop_desktop
    rm -rf "$work"
}
trap finish EXIT

c++ -O2 -o "$work/bare" "$root/bench/desktop/bare_window.cpp" $(pkg-config --cflags --libs sdl2 SDL2_image)
cc -O2 -o "$work/watch" "$root/bench/desktop/screen_watch.c" -lX11
picture=$(dirname "$game")/textures/background.tga

# A black root window, so that the first frame is the first thing that is not black.
start_desktop 1024x768x24 -br

now() { date +%s%N; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}'; }
game_run=(env "XDG_DATA_HOME=$work/data" "$game")
mkdir -p "$work/data"

# ---- start: launch to the first frame ----
first_frame() {  # COMMAND...: milliseconds from launch to the first frame; leaves the program running in $started
    "$work/watch" shown 512 384 20 >"$work/shown" &
    local watch=$! t0
    sleep 0.2
    t0=$(now)
    "$@" >/dev/null 2>&1 &
    started=$!
    wait "$watch"
    awk -v t="$(cat "$work/shown")" -v t0="$t0" 'BEGIN {printf "%.1f\n", (t > 0 ? (t - t0) / 1e6 : 0)}'
}
: >"$work/start-game"; : >"$work/start-bare"
for _ in $(seq "$rounds"); do
    first_frame "$work/bare" "$picture" >>"$work/start-bare"; stop "$started"; sleep 0.5
    first_frame "${game_run[@]}" >>"$work/start-game"; stop "$started"; sleep 0.5
done
start_game=$(median <"$work/start-game")
start_bare=$(median <"$work/start-bare")
echo "first frame after launch (median of $rounds): game $start_game ms, bare SDL $start_bare ms"

# ---- at rest ----
"$work/bare" "$picture" &
bare_pid=$!
sleep 1
"${game_run[@]}" &
game_pid=$!
sleep 3   # the menu rolls down
cpu() {  # PID: percent of one core over SECONDS
    local t0 t1
    t0=$(ticks "$1"); sleep "$seconds"; t1=$(ticks "$1")
    awk -v d=$((t1 - t0)) -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.1f\n", 100 * d / hz / s}'
}
rss_mb() { awk '/^VmRSS/ {printf "%.1f\n", $2 / 1024}' "/proc/$1/status"; }
alternate() {  # LABEL: game and bare in turn, each alone; prints the ratio of the medians
    : >"$work/$1-game"; : >"$work/$1-bare"
    for _ in $(seq "$rounds"); do
        kill -STOP "$bare_pid"; sleep 0.2; cpu "$game_pid" >>"$work/$1-game"; kill -CONT "$bare_pid"
        kill -STOP "$game_pid"; sleep 0.2; cpu "$bare_pid" >>"$work/$1-bare"; kill -CONT "$game_pid"
    done
    local g b
    g=$(median <"$work/$1-game"); b=$(median <"$work/$1-bare")
    echo "$1 at rest: game $g %, bare SDL $b % of one core" >&2
    ratio "$g" "$b"
}
still() {  # LABEL: wake-ups per second of the game at rest; the share of a core with X's
    local w0 w1 g0 g1 x0 x1
    kill -STOP "$bare_pid"; sleep 0.5
    w0=$(wakeups "$game_pid"); g0=$(ticks "$game_pid"); x0=$(ticks "$x_pid")
    sleep "$rest_seconds"
    w1=$(wakeups "$game_pid"); g1=$(ticks "$game_pid"); x1=$(ticks "$x_pid")
    kill -CONT "$bare_pid"
    awk -v w=$((w1 - w0)) -v c=$((g1 - g0 + x1 - x0)) -v hz="$hz" -v s="$rest_seconds" -v l="$1" \
        'BEGIN {printf "%s at rest over %d s: %d wake-ups, game and X server %.2f %% of one core\n", l, s, w, 100 * c / hz / s}' >&2
    awk -v w=$((w1 - w0)) -v s="$rest_seconds" 'BEGIN {printf "%.1f\n", w / s}'
}
wake_menu=$(still menu)
rest_menu=$(alternate menu)
rss_menu=$(rss_mb "$game_pid")

# The catalogue, then the pack's wolf, goat and cabbage (select, then open).
kill -STOP "$bare_pid"
xdotool mousemove 520 73 click 1; sleep 1.5
xdotool mousemove 518 266 click 1; sleep 0.3; xdotool click 1; sleep 2.5
kill -CONT "$bare_pid"
wake_play=$(still play)
rest_play=$(alternate play)
rss_play=$(rss_mb "$game_pid")
echo "resident memory at rest: menu $rss_menu MB, play $rss_play MB"

# ---- crossing: the goat into the boat, the arrow, the boat's last step ----
kill -STOP "$bare_pid"
: >"$work/crossing"
for _ in $(seq "$rounds"); do
    xdotool mousemove 105 70 mousedown 1
    for step in $(seq 1 10); do xdotool mousemove $((105 + 23 * step)) $((70 + 25 * step)); done
    xdotool mouseup 1; sleep 0.5
    xdotool mousemove 480 355
    # The column through the tip of the hull at the right landing changes last.
    "$work/watch" last 872 150 215 30 1.5 >"$work/landed" &
    watch=$!
    sleep 0.2
    t0=$(now)
    xdotool click 1
    wait "$watch"
    awk -v t="$(cat "$work/landed")" -v t0="$t0" 'BEGIN {printf "%.3f\n", (t > 0 ? (t - t0) / 1e9 / 2.2 : 0)}' >>"$work/crossing"
    sleep 0.5
    xdotool mousemove 852 415 click 1; sleep 3   # undo: the goat back, the boat at the left bank
done
crossing=$(median <"$work/crossing")
echo "crossings over 2.2 s: $(tr '\n' ' ' <"$work/crossing")"
kill -CONT "$bare_pid"
rss=$(printf '%s\n%s\n' "$rss_menu" "$rss_play" | sort -g | tail -n 1)

echo "wakeups at rest per second: $(printf '%s\n%s\n' "$wake_menu" "$wake_play" | sort -g | tail -n 1)"
echo "rest ratio menu: $rest_menu"
echo "rest ratio play: $rest_play"
echo "crossing ratio: $crossing"
echo "start ratio: $(ratio "$start_game" "$start_bare")"
echo "rss at rest MB: $rss"
