#!/usr/bin/env bash
# Runs a Windows program under Debian's wine64 in a Wine prefix of the project's own
# (outside the clone, made once), quietly: the tests read the program's output, not Wine's.
#   scripts/wine-run.sh PROGRAM.exe ARGS...
set -euo pipefail
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine || true)
if [ -z "$wine" ]; then
  echo "wine-run: no wine64 (run scripts/install-deps.sh)" >&2
  exit 127
fi
if [ -z "${WINEPREFIX:-}" ]; then
  base=${FERROLIN_CACHE:-/var/cache/ferrolin}
  { mkdir -p "$base" && [ -w "$base" ]; } 2>/dev/null || base=${XDG_CACHE_HOME:-$HOME/.cache}/ferrolin
  export WINEPREFIX=$base/wine-prefix
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # A fresh prefix complains once about a missing 32-bit rundll32: harmless.
  flock "$WINEPREFIX/.lock" "$wine" wineboot --init >/dev/null 2>&1 || true
fi
exec "$wine" "$@"
