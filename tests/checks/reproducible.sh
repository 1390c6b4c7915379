#!/usr/bin/env bash
# Two builds of the same sources must give a byte-identical product.
set -uo pipefail
again="$SOURCE_DIR/build/win32-again"
rm -rf "$again"
cmake --preset win32 -B "$again" >/dev/null 2>&1 && cmake --build "$again" -j2 --target TarnwickSetup >/dev/null 2>&1 ||
  { echo "FAIL: second build of win32 failed"; exit 1; }
if cmp "$WIN32_DIR/TarnwickSetup.exe" "$again/TarnwickSetup.exe"; then
  echo "ok: two builds gave the same TarnwickSetup.exe ($(sha256sum <"$again/TarnwickSetup.exe" | cut -c1-16))"
  rm -rf "$again"
else
  echo "FAIL: two builds differ"
  exit 1
fi
