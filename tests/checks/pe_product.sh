#!/usr/bin/env bash
# Static checks of the 32-bit product, which these machines cannot run: a PE32 GUI program
# with its manifest, version and icon, importing only DLLs that Windows takes from System32.
set -uo pipefail
exe="$WIN32_DIR/TarnwickSetup.exe"
status=0
fail() { echo "FAIL: $*"; status=1; }

[ -f "$exe" ] || { echo "FAIL: $exe is missing"; exit 1; }
kind=$(file -b "$exe")
case "$kind" in
  "PE32 executable (GUI) Intel 80386"*) echo "ok: $kind" ;;
  *) fail "not a 32-bit GUI program: $kind" ;;
esac

manifest=$(wrestool -x --raw --type=24 "$exe" 2>/dev/null)
for needle in 'level="asInvoker"' 'uiAccess="false"' 'name="Microsoft.Windows.Common-Controls"' \
              'version="6.0.0.0"' '<dpiAware>true</dpiAware>'; do
  grep -qF "$needle" <<<"$manifest" && echo "ok: manifest has $needle" || fail "manifest lacks $needle"
done
wrestool -l --type=16 "$exe" | grep -q . && echo "ok: version resource" || fail "no version resource"
wrestool -l --type=14 "$exe" | grep -q . && echo "ok: icon" || fail "no icon"
version=$(wrestool -x --raw --type=16 "$exe" | tr -d '\0')
for needle in "ProductName" "Tarnwick" "CompanyName" "Corvana" "3.24"; do
  grep -qF "$needle" <<<"$version" || fail "version resource lacks $needle"
done

allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll comdlg32.dll shlwapi.dll msvcrt.dll comctl32.dll "
while read -r dll; do
  lower=$(tr 'A-Z' 'a-z' <<<"$dll")
  case "$allowed" in
    *" $lower "*) echo "ok: imports $dll" ;;
    *) fail "imports $dll, which is not a System32 DLL every Windows has" ;;
  esac
done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')

size=$(stat -c %s "$exe")
payload=0
while read -r bytes; do payload=$((payload + bytes)); done < <(
  wrestool -l --type=10 "$exe" | grep -E "name='RS_(CMD|EXE|WLB1|HLP|ICON|WLBV4|WLBV4ADD|README|PR32)'" |
    sed -E 's/.*size=([0-9]+).*/\1/')
echo "size: $size bytes in all, $((size - payload)) bytes without the payload ($payload bytes)"
[ $((size - payload)) -lt 307200 ] || echo "note: the program without its payload is above 300 KB"
exit $status
