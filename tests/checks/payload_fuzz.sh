#!/usr/bin/env bash
# Fuzzes LoadPayloadItem for a bounded time (FUZZ_SECONDS, 60 by default) with clang's
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, in a build folder of its own
# beside the native one. The starting corpus is the sample payload packed by the native build.
# The longer run: FUZZ_SECONDS=300 tests/checks/payload_fuzz.sh (with the same variables).
set -euo pipefail
: "${SOURCE_DIR:?}" "${NATIVE_DIR:?}"
seconds=${FUZZ_SECONDS:-60}
fuzz_dir=${FUZZ_DIR:-$(dirname "$NATIVE_DIR")/fuzz}

fail() { echo "payload_fuzz: $*" >&2; exit 1; }

ls "$NATIVE_DIR"/payload/records/*.bin >/dev/null 2>&1 || fail "no packed records in $NATIVE_DIR/payload/records"
if [ ! -f "$fuzz_dir/build.ninja" ]; then
  mkdir -p "$fuzz_dir"
  cmake -S "$SOURCE_DIR/tests/fuzz" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ >"$fuzz_dir/configure.log" 2>&1 || { cat "$fuzz_dir/configure.log" >&2; fail "configure failed"; }
fi
ninja -C "$fuzz_dir" -j2 payload_fuzz payload_fuzz_seeds >"$fuzz_dir/build.log" 2>&1 || { tail -40 "$fuzz_dir/build.log" >&2; fail "build failed"; }

seeds="$fuzz_dir/seeds"
corpus="$fuzz_dir/corpus"   # kept between runs, so that later runs start further on
rm -rf "$seeds" && mkdir -p "$seeds" "$corpus"
"$fuzz_dir/payload_fuzz_seeds" "$seeds" "$NATIVE_DIR"/payload/records/*.bin || fail "could not write the seeds"

# -malloc_limit_mb: a record may not make the reader allocate more than 256 MiB at once (the
# largest body the corpus can grow to, times deflate's 1032:1, stays below that), so a size
# field allocated without a look at the body is reported as a finding.
log="$fuzz_dir/fuzz.log"
cd "$fuzz_dir"
if ! "$fuzz_dir/payload_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
     -malloc_limit_mb=256 -print_final_stats=1 -artifact_prefix="$fuzz_dir/finding-" \
     "$corpus" "$seeds" >"$log" 2>&1; then
  tail -60 "$log" >&2
  fail "the fuzzer reported a finding (see $log and $fuzz_dir/finding-*)"
fi
grep -E '^stat::number_of_executed_units|^Done' "$log" | sed 's/^/payload_fuzz: /'
