# Sourced, not run, by the scripts that measure the real game in a virtual display
# (cpu-at-rest.sh, wine-at-rest.sh, desktop-bench.sh): the display with its window manager,
# and the processor time and wake-ups of a process read from /proc.

# start_desktop GEOMETRY [XVFB OPTION...]: Xvfb on a display of its own with openbox on it,
# ready when this returns; sets DISPLAY, x_pid and wm_pid for stop_desktop and the measures.
start_desktop() {
    local geometry=$1
    shift
    local display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 "$geometry" "$@" -nolisten tcp >/dev/null 2>&1 &
    x_pid=$!
    export DISPLAY=$display
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    wm_pid=$!
    sleep 1
}

# Ends the window manager and the display (after the programs shown on it).
stop_desktop() {
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null
    [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null
    return 0
}

# Clock ticks a second, the unit of ticks below.
hz=$(getconf CLK_TCK)
# ticks PID: the processor time, user and system, that the process has used so far.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# wakeups PID: voluntary context switches summed over all its threads; each is a wake-up
# from a wait.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s + 0}'; }
# The median of the numbers on standard input, one a line.
median() { sort -g | awk '{v[NR] = $1} END {print ((NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }
