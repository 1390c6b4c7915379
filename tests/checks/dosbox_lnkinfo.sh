#!/usr/bin/env bash
# A second opinion on the two desktop shortcuts of the DOSBox set-up: lnkinfo (libyal's
# liblnk, a reader that shares no code with the installer or its tests) reads what the real
# set-up wrote under Wine, for an install folder with a blank in its name.
#
# lnkinfo is asked only for the fields it reads right. It misreads the show command and the
# hot key of the files that Wine writes (it prints 0 for both), so those two are left to
# the tests' own reader in the Windows-side tests.
#
# Needs: WIN64_DIR (tarnwick_win_tests.exe), SOURCE_DIR; lnkinfo.
set -euo pipefail

: "${SOURCE_DIR:?}" "${WIN64_DIR:?}"
source "$SOURCE_DIR/tests/checks/lib/dosbox_setup_under_wine.sh"
command -v lnkinfo >/dev/null || { echo "dosbox_lnkinfo: lnkinfo is not installed"; exit 1; }
[ -f "$tests_exe" ] || { echo "dosbox_lnkinfo: $tests_exe is missing"; exit 1; }

scratch_home lnkinfo
folder="$work/my games"
desktop="$work/Desktop"
mkdir -p "$folder" "$desktop"
win_folder="$(windows_path "$folder")\\"
dosbox='c:\program files (x86)\dosbox-0.74\dosbox.exe'  # the set-up's default DOSBox path

if ! run_dosbox_setup "$folder" "$desktop" "$work/export.out"; then
  echo "FAIL: the DOSBox set-up under Wine failed:"; tail -n 20 "$work/export.out"
  exit 1
fi

failures=0
# expect LINK FIELD VALUE: lnkinfo's line "<FIELD><tabs>: <VALUE>" for the link.
expect() {
  local got
  got=$(lnkinfo "$1" | sed -n "s/^\t$2\t*: //p" | head -n 1)
  if [ "$got" = "$3" ]; then
    echo "ok: $(basename "$1"): $2: $got"
  else
    echo "FAIL: $(basename "$1"): $2 is \"$got\", expected \"$3\""
    failures=$((failures + 1))
  fi
}

link="$desktop/Tkmark DOSbox.lnk"
expect "$link" "Local path" "$dosbox"
expect "$link" "Working directory" 'c:\program files (x86)\dosbox-0.74\'
expect "$link" "Command line arguments" "-noconsole -conf \"${win_folder}dosbox.conf\""
expect "$link" "Description" "Tarnwick"
expect "$link" "Icon location" "${win_folder}tkmark.ico"
expect "$link" "Icon index" "0"

link="$desktop/Print F.lnk"
expect "$link" "Local path" "${win_folder}pr32.exe"
expect "$link" "Working directory" "$win_folder"
expect "$link" "Command line arguments" "f"
expect "$link" "Description" "Print File f (CTRL+ALT+P)"
expect "$link" "Icon location" "${win_folder}tkmark.ico"
expect "$link" "Icon index" "0"

if [ "$failures" -ne 0 ]; then
  echo "dosbox_lnkinfo: $failures field(s) differ"
  exit 1
fi
echo "dosbox_lnkinfo: all passed"
