#!/usr/bin/env bash
# Runs a 64-bit Windows program under Wine, quietly, in the prefix given by WINEPREFIX
# (a throw-away prefix under the build folder when none is set). ctest uses it as the emulator.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="${TMPDIR:-/tmp}/tarnwick-wine-$(id -u)"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
fi
exec /usr/lib/wine/wine64 "$@"
