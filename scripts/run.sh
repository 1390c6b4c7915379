#!/usr/bin/env bash
# Builds the installer and starts it under Wine: the 32-bit product where this machine's
# Wine can run 32-bit programs, else its 64-bit twin. Without a display it starts Xvfb.
# Extra arguments go to the installer (for example /t).
set -euo pipefail
cd "$(dirname "$0")/.."
export SOURCE_DATE_EPOCH=1099612800
scripts/install-deps.sh

cmake --preset native >/dev/null && cmake --build --preset native -j2 --target tarnwick-pack >/dev/null
exe=""
wine=""
if [ -x /usr/lib/wine/wine ] && timeout 60 /usr/lib/wine/wine cmd /c exit 0 >/dev/null 2>&1; then
  cmake --preset win32 >/dev/null && cmake --build --preset win32 -j2 --target TarnwickSetup >/dev/null
  exe="$PWD/build/win32/TarnwickSetup.exe"
  wine=/usr/lib/wine/wine
  echo "run: starting the 32-bit product $exe"
else
  cmake --preset win64 >/dev/null && cmake --build --preset win64 -j2 --target TarnwickSetup >/dev/null
  exe="$PWD/build/win64/TarnwickSetup.exe"
  wine=/usr/lib/wine/wine64
  echo "run: this machine's Wine cannot run 32-bit programs; starting the 64-bit twin $exe"
fi

export WINEPREFIX="${TARNWICK_WINEPREFIX:-$PWD/build/run-prefix}"
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

if [ -z "${DISPLAY:-}" ]; then
  display=:77
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=$display
  sleep 1
  echo "run: no display here, so the installer runs on the virtual display $DISPLAY (Xvfb);"
  echo "     take a look with: DISPLAY=$DISPLAY import -window root shot.png"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: making the Wine prefix $WINEPREFIX"
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  # Wine draws the window frames itself where no window manager runs; Marlett draws the
  # title bar's buttons (without it they show as letters).
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

# On 64-bit Windows the installer starts only where DOSBox is installed. Debian's DOSBox is a
# Linux program, so the prefix gets a stand-in DOSBox folder that satisfies the check; the
# DOSBox shortcut it makes will point at that stand-in.
dosbox_dir="$WINEPREFIX/drive_c/Program Files (x86)/DOSBox-0.74"
if [ ! -f "$dosbox_dir/dosbox.exe" ]; then
  mkdir -p "$dosbox_dir"
  printf "stand-in for DOSBox, made by scripts/run.sh\r\n" >"$dosbox_dir/dosbox.exe"
  echo "run: put a stand-in DOSBox into C:\\Program Files (x86)\\DOSBox-0.74"
fi

set +e
"$wine" "$exe" "$@"
code=$?
echo "run: the installer ended with exit code $code"
/usr/lib/wine/wineserver -w 2>/dev/null || true
exit $code
