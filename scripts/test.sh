#!/usr/bin/env bash
# Builds everything and runs every test level: the README's test command, and CI's.
#   1. native unit tests (GoogleTest) against the in-memory machine
#   2. Windows-side tests (GoogleTest built by MinGW) under Wine
#   3. end-to-end scenarios and checks against real peers (tests/checks/*.sh)
# It installs what a fresh Debian machine lacks first. Ends with "N passed, M failed".
set -uo pipefail
cd "$(dirname "$0")/.."
SOURCE_DIR=$PWD
export SOURCE_DATE_EPOCH=1099612800 CI=${CI:-}

scripts/install-deps.sh || { echo "test: installing the packages failed"; exit 1; }

passed=0
failed=0
failures=()
note() { printf '\n=== %s\n' "$*"; }
record() {  # record NAME STATUS
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("$1"); fi
}

# Adds ctest's own counts from its summary line to the totals.
count_ctest() {  # count_ctest LOG LABEL
  local line total bad
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then record "$2 (no test ran)" 1; return; fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || failures+=("$2: $bad failed")
}

# The Windows-side programs are GoogleTest programs run by ctest: count their cases, and a
# program that ended without its summary (a crash, a time-out) as one failure.
count_gtest_cases() {  # count_gtest_cases LOG LABEL
  local good bad broken
  good=$(grep -oE '^[0-9]+: \[  PASSED  \] [0-9]+ test' "$1" | awk '{s += $5} END {print s + 0}')
  bad=$(grep -oE '^[0-9]+: \[  FAILED  \] [0-9]+ tests?, listed below' "$1" | awk '{s += $5} END {print s + 0}')
  broken=$(grep -cE '^[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*' "$1")
  if [ "$good" -eq 0 ] && [ "$bad" -eq 0 ] && [ "$broken" -eq 0 ]; then record "$2 (no test ran)" 1; return; fi
  [ "$bad" -eq 0 ] && bad=$broken
  passed=$((passed + good))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || failures+=("$2: $bad failed")
}

# A check that ends with its own "N passed, M failed" counts those; any other counts once.
count_check() {  # count_check LOG LABEL STATUS
  local line good bad
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$1" | tail -n 1)
  if [ -z "$line" ]; then record "$2" "$3"; return; fi
  good=$(awk '{print $1}' <<<"$line")
  bad=$(awk '{print $3}' <<<"$line")
  if [ "$3" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi
  passed=$((passed + good))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || failures+=("$2: $bad failed")
}

build() {  # build PRESET
  note "build $1"
  cmake --preset "$1" >"build-$1.log" 2>&1 && cmake --build --preset "$1" -j2 >>"build-$1.log" 2>&1
  local status=$?
  if [ $status -ne 0 ]; then tail -n 60 "build-$1.log"; fi
  rm -f "build-$1.log"
  return $status
}

mkdir -p build
if build native; then
  note "native unit tests"
  ctest --preset native -j2 2>&1 | tee build/native-tests.log | tail -n 15
  count_ctest build/native-tests.log "native unit tests"
else
  record "native build" 1
fi

built_win32=0
built_win64=0
build win32 && built_win32=1 || record "win32 build" 1
build win64 && built_win64=1 || record "win64 build" 1

if [ $built_win64 -eq 1 ]; then
  note "Windows-side tests under Wine"
  export WINEPREFIX="$SOURCE_DIR/build/wine-tests"
  ctest --preset win64 -L win -V >build/win-tests.log 2>&1
  grep -E '^[0-9]+: \[  FAILED  \] [A-Za-z]|^[0-9]+: \[  PASSED  \]' build/win-tests.log
  tail -n 8 build/win-tests.log
  count_gtest_cases build/win-tests.log "Windows-side tests"
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  unset WINEPREFIX
fi

export SOURCE_DIR NATIVE_DIR="$SOURCE_DIR/build/native" WIN32_DIR="$SOURCE_DIR/build/win32" WIN64_DIR="$SOURCE_DIR/build/win64"
if [ $built_win32 -eq 1 ] && [ $built_win64 -eq 1 ]; then
  for check in tests/checks/*.sh; do
    [ -e "$check" ] || continue
    note "check $(basename "$check")"
    timeout --kill-after=30 1200 bash "$check" </dev/null 2>&1 | tee build/check.log
    status=${PIPESTATUS[0]}
    count_check build/check.log "check $(basename "$check")" "$status"
  done
fi

printf '\n'
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
