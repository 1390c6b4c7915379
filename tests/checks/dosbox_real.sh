#!/usr/bin/env bash
# Real DOSBox 0.74 against what the installer writes.
#
#  1. The embedded template: DOSBox reads every setting of it and writes the same settings
#     back (config -writeconf), with no complaint about the configuration.
#  2. For install folders with a plain name, a blank, a percent sign, and both: the real
#     DOSBox set-up (the Windows-side test program under Wine, on a Z: folder) installs the
#     sample payload and writes dosbox.conf; with only its mount folder translated to the
#     Linux folder behind Wine's Z: drive, DOSBox mounts it, deletes the old print file F,
#     loads the installed quenw.exe and closes by itself, without a configuration complaint.
#     A probe program put in quenw.exe's place proves that the program gets control, with
#     " /ns" as its arguments, in the mounted folder.
#
# Needs: WIN64_DIR (tarnwick_win_tests.exe), SOURCE_DIR; dosbox, strace and nasm.
set -euo pipefail

: "${SOURCE_DIR:?}" "${WIN64_DIR:?}"
source "$SOURCE_DIR/tests/checks/lib/dosbox_setup_under_wine.sh"
template="$SOURCE_DIR/resources/dosbox/dosbox-0.74.conf"
for tool in dosbox strace nasm; do
  command -v "$tool" >/dev/null || { echo "dosbox_real: $tool is not installed"; exit 1; }
done
[ -f "$tests_exe" ] || { echo "dosbox_real: $tests_exe is missing"; exit 1; }

scratch_home dosbox

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs DOSBox headless on a configuration, in the background of a time limit: a DOSBox that
# does not close by itself is a failure, not a hang. Output in $2, system calls in $3.
run_dosbox() {  # run_dosbox CONF OUTPUT TRACE
  (cd "$work" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
     timeout --kill-after=5 60 strace -f -qq -e trace=openat,unlink,unlinkat -o "$3" \
     dosbox -conf "$1" >"$2" 2>&1)
}

# DOSBox's complaints about a configuration: values it refuses, settings or sections it
# does not know. Everything else it prints is about the machine (no display, no sound).
complaints() {  # complaints OUTPUT
  grep -E 'is not a valid value|[Uu]nknown (option|setting|section)|CONFIG:' "$1" |
    grep -v 'CONFIG:Loading primary settings from config file' || true
}

# The settings of a configuration as "[section] name=value" lines, in file order.
settings() {  # settings FILE
  tr -d '\r' <"$1" | awk '/^\[/ { section = $0; next } /^#/ || /^$/ { next }
                          section != "[autoexec]" { print section " " $0 }'
}

echo "--- the template, read back by DOSBox"
cp "$template" "$work/readback.conf"
printf 'config -writeconf written.conf\r\nexit\r\n' >>"$work/readback.conf"
if run_dosbox "$work/readback.conf" "$work/readback.out" "$work/readback.trace"; then
  [ -z "$(complaints "$work/readback.out")" ] || fail "DOSBox complains about the template: $(complaints "$work/readback.out")"
  if [ ! -s "$work/written.conf" ]; then
    fail "DOSBox wrote no configuration back"
  elif ! diff <(settings "$template") <(settings "$work/written.conf") >"$work/readback.diff"; then
    fail "DOSBox does not keep the template's settings as written:"; cat "$work/readback.diff"
  else
    echo "ok: $(settings "$template" | wc -l) settings read back unchanged"
  fi
else
  fail "DOSBox did not end by itself on the template (exit $?)"
fi

# The probe: prints a line, then writes its command tail into RAN.TXT in the current folder.
nasm -f bin -o "$work/probe.exe" "$SOURCE_DIR/tests/checks/dosbox_probe.asm"

check_folder() {  # check_folder NAME
  local name=$1
  local folder="$work/install/$name" desktop="$work/desktop-$name"
  echo "--- install folder \"$name\""
  mkdir -p "$folder" "$desktop"
  printf 'printed last time' >"$folder/F"
  printf 'old' >"$folder/settings.conf"

  if ! run_dosbox_setup "$folder" "$desktop" "$work/export-$name.out"; then
    fail "the DOSBox set-up under Wine failed for \"$name\":"; tail -n 20 "$work/export-$name.out"
    return
  fi
  local conf="$folder/dosbox.conf"
  [ -f "$conf" ] || { fail "no dosbox.conf in \"$name\""; return; }
  [ ! -e "$folder/settings.conf" ] || fail "settings.conf of \"$name\" was not sent to the Recycle Bin"
  echo "mount line as written: $(grep -a '^mount c ' "$conf" | tr -d '\r')"

  # Only the mount folder changes: Z:\ becomes / and the backslashes slashes.
  sed -e '/^mount c /{s#Z:\\#/#;s#\\#/#g}' "$conf" >"$work/run-$name.conf"
  [ "$(diff "$conf" "$work/run-$name.conf" | grep -c '^[<>]')" -eq 2 ] ||
    fail "translating the mount folder changed more than the mount line"

  if run_dosbox "$work/run-$name.conf" "$work/run-$name.out" "$work/run-$name.trace"; then
    [ -z "$(complaints "$work/run-$name.out")" ] || fail "DOSBox complains: $(complaints "$work/run-$name.out")"
    [ ! -e "$folder/F" ] || fail "\"del f\" left F in \"$name\": the folder was not mounted as C:"
    grep -qF "openat(AT_FDCWD, \"$folder/quenw.exe\", O_RDONLY)" "$work/run-$name.trace" ||
      fail "DOSBox never loaded quenw.exe from \"$name\""
  else
    fail "DOSBox did not end by itself for \"$name\" (exit $?)"
  fi

  # The probe in quenw.exe's place: it must run in the mounted folder with " /ns".
  cp "$work/probe.exe" "$folder/quenw.exe"
  rm -f "$folder/RAN.TXT"
  if run_dosbox "$work/run-$name.conf" "$work/probe-$name.out" "$work/probe-$name.trace"; then
    if [ "$(cat "$folder/RAN.TXT" 2>/dev/null)" = " /ns" ]; then
      echo "ok: quenw.exe ran in \"$name\" with arguments \" /ns\" and DOSBox closed by itself"
    else
      fail "the program in \"$name\" did not run with \" /ns\" (RAN.TXT: $(cat "$folder/RAN.TXT" 2>/dev/null || echo missing))"
    fi
  else
    fail "DOSBox did not end by itself with the probe in \"$name\" (exit $?)"
  fi
}

for name in "tarnwick" "my games" "100%wheels" "my 100% games"; do
  check_folder "$name"
done

if [ "$failures" -ne 0 ]; then
  echo "dosbox_real: $failures failure(s)"
  exit 1
fi
echo "dosbox_real: all passed"
