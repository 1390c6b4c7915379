#!/usr/bin/env bash
# The sample payload end to end: packed by the host tool, embedded in both built
# TarnwickSetup.exe files, listed and extracted again by tarnwick-pack through the
# installer's reader, with bytes and dates equal to the source files. Then the refusals:
# damaged records, stored names that are no plain file names, and damaged executables,
# each with a clear one-line message, no crash and nothing written outside the folder.
set -euo pipefail
: "${SOURCE_DIR:?}" "${NATIVE_DIR:?}" "${WIN32_DIR:?}" "${WIN64_DIR:?}"
export TZ=UTC   # the packed dates are local time; one zone for the tool and the comparison

pack="$NATIVE_DIR/tarnwick-pack"
files="$NATIVE_DIR/payload/files"
manifest="$NATIVE_DIR/payload/manifest.txt"
records="$NATIVE_DIR/payload/records"
work=$(mktemp -d "${TMPDIR:-/tmp}/payload-roundtrip.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "payload_roundtrip: $*" >&2; failures=$((failures + 1)); }

# --- The manifest: item, source, stored name, date ---------------------------------------
mapfile -t items < <(awk '!/^#/ && NF == 5 {print $1}' "$manifest")
[ "${#items[@]}" -eq 9 ] || fail "the manifest lists ${#items[@]} items, not 9"
expected_listing="$work/expected-listing"
awk '!/^#/ && NF == 5 {print $1, $3, $4, $5}' "$manifest" >"$expected_listing"

check_extracted() {  # folder, what
  local folder=$1 what=$2 source stored date time when
  while read -r _ source stored date time; do
    if ! cmp -s "$files/${source#files/}" "$folder/$stored"; then
      fail "$what: $stored differs from $source"
      continue
    fi
    when=$(date -d "$date $time" +%s)
    [ "$(stat -c %Y "$folder/$stored")" = "$when" ] || fail "$what: $stored is not dated $date $time"
  done < <(awk '!/^#/ && NF == 5' "$manifest")
  local count
  count=$(find "$folder" -mindepth 1 | wc -l)
  [ "$count" -eq 9 ] || fail "$what: extracted $count entries, not 9"
}

# --- Both executables carry the nine items, and give them back exactly ----------------------
for exe in "$WIN32_DIR/TarnwickSetup.exe" "$WIN64_DIR/TarnwickSetup.exe"; do
  [ -f "$exe" ] || { fail "$exe was not built"; continue; }
  name=$(basename "$(dirname "$exe")")
  if ! "$pack" list "$exe" >"$work/$name.list" 2>"$work/$name.err"; then
    fail "list $exe failed: $(cat "$work/$name.err")"
  fi
  tail -n +2 "$work/$name.list" | awk '{print $1, $2, $3, $4}' >"$work/$name.listing"
  diff -u "$expected_listing" "$work/$name.listing" >&2 || fail "list $exe does not show the manifest's items in order"
  mkdir "$work/$name.out"
  "$pack" extract "$work/$name.out" "$exe" 2>"$work/$name.err" || fail "extract $exe failed: $(cat "$work/$name.err")"
  check_extracted "$work/$name.out" "extract $exe"
done
file "$WIN32_DIR/TarnwickSetup.exe" | grep -q 'PE32 executable' || fail "the 32-bit program is no PE32"
file "$WIN64_DIR/TarnwickSetup.exe" | grep -q 'PE32+ executable' || fail "the 64-bit twin is no PE32+"
if [ -f "$work/$(basename "$WIN32_DIR").list" ] && [ -f "$work/$(basename "$WIN64_DIR").list" ]; then
  cmp -s "$work/$(basename "$WIN32_DIR").list" "$work/$(basename "$WIN64_DIR").list" ||
    fail "the 32-bit and 64-bit programs list different payloads"
fi

# --- Every build packs the same bytes ------------------------------------------------------
for dir in "$WIN32_DIR/payload" "$WIN64_DIR/payload"; do
  for record in "$records"/*.bin "$records/payload.rc"; do
    cmp -s "$record" "$dir/$(basename "$record")" || fail "$dir/$(basename "$record") differs from the native build's"
  done
done
"$pack" pack "$manifest" "$work/repacked" || fail "packing again failed"
for record in "$records"/*.bin "$records/payload.rc"; do
  cmp -s "$record" "$work/repacked/$(basename "$record")" || fail "packing again changed $(basename "$record")"
done

# --- Record files list and extract like the executables ---------------------------------------
mkdir "$work/records.out"
"$pack" extract "$work/records.out" "$records"/*.bin 2>&1 || fail "extract of the record files failed"
check_extracted "$work/records.out" "extract of the record files"

# --- Damaged records ------------------------------------------------------------------------
# Changes are made to the enciphered bytes; the cipher adds the key byte by byte, so adding
# d to a stored byte adds d to the deciphered one.
damage() {  # name, python expression over bytearray r
  python3 - "$records/RS_README.bin" "$work/damaged/$1.bin" "$2" <<'PY'
import sys
r = bytearray(open(sys.argv[1], 'rb').read())
exec(sys.argv[3])
open(sys.argv[2], 'wb').write(bytes(r))
PY
}
mkdir "$work/damaged"
damage cut-short    'r = r[:-20]'
damage header-only  'r = r[:47]'
damage under-header 'r = r[:30]'
damage body-byte    'r[100] ^= 0x20'
damage size-plus-1  'r[4] = (r[4] + 1) % 256'
damage size-minus-1 'r[4] = (r[4] - 1) % 256'
damage name-31      'r[16] = (r[16] + 31 - len("readme.txt")) % 256'
damage parent-name  'for i, (old, new) in enumerate(zip(b"rea", b"..\\")): r[17 + i] = (r[17 + i] + new - old) % 256'
for record in "$work"/damaged/*.bin; do
  what=$(basename "$record" .bin)
  mkdir -p "$work/jail/$what/out"
  set +e
  "$pack" extract "$work/jail/$what/out" "$record" >"$work/jail/$what.stdout" 2>"$work/jail/$what.stderr"
  code=$?
  set -e
  [ "$code" -eq 1 ] || fail "damaged record $what: exit code $code, not 1"
  [ "$(wc -l <"$work/jail/$what.stderr")" -eq 1 ] && grep -q "damaged" "$work/jail/$what.stderr" ||
    fail "damaged record $what: no one-line message: $(cat "$work/jail/$what.stderr")"
  [ -z "$(ls -A "$work/jail/$what/out")" ] || fail "damaged record $what: wrote $(ls -A "$work/jail/$what/out")"
  [ "$(ls -A "$work/jail/$what")" = "out" ] || fail "damaged record $what: wrote beside the folder"
  "$pack" list "$record" >/dev/null 2>&1 && fail "damaged record $what: list did not refuse it"
done
# Bytes after the stream change nothing.
damage trailing-bytes 'r += b"after the stream" * 8'
mkdir "$work/trailing"
"$pack" extract "$work/trailing" "$work/damaged/trailing-bytes.bin" || fail "bytes after the stream were refused"
cmp -s "$files/readme.txt" "$work/trailing/readme.txt" || fail "bytes after the stream changed the content"
# A link in the folder is not followed out of it.
mkdir "$work/linked"
echo "outside" >"$work/outside.txt"
ln -s "$work/outside.txt" "$work/linked/readme.txt"
"$pack" extract "$work/linked" "$records/RS_README.bin" 2>/dev/null && fail "extract followed a symbolic link"
[ "$(cat "$work/outside.txt")" = "outside" ] || fail "extract wrote through a symbolic link"

# --- The packer refuses stored names that are no plain file names ---------------------------
printf 'x' >"$work/source.txt"
bad_names=('"abcdefghijklmnopqrstuvwxyz.txt1"' '""' '"..\x.exe"' 'a\b' 'a/b' 'c:x' 'readme.' '"readme "'
           '.' '..' 'CON' 'nul.txt' 'LPT1' 'com9.log' "$(printf '"a\tb"')")
for bad in "${bad_names[@]}"; do
  printf 'rs_bad source.txt %s 2004-11-05 12:00:00\n' "$bad" >"$work/bad.manifest"
  rm -rf "$work/bad.out"
  set +e
  "$pack" pack "$work/bad.manifest" "$work/bad.out" 2>"$work/bad.err"
  code=$?
  set -e
  [ "$code" -eq 1 ] || fail "stored name $bad: exit code $code, not 1"
  grep -q 'rs_bad' "$work/bad.err" && [ "$(wc -l <"$work/bad.err")" -eq 1 ] ||
    fail "stored name $bad: the message does not name the item in one line: $(cat "$work/bad.err")"
  [ ! -e "$work/bad.out" ] || fail "stored name $bad: wrote $work/bad.out"
done
printf 'rs_ok source.txt "ok name.txt" 2004-11-05 12:00:00\n' >"$work/ok.manifest"
"$pack" pack "$work/ok.manifest" "$work/ok.out" || fail "a name with a blank inside was refused"
printf 'rs_odd source.txt odd.txt 2004-11-05 12:00:01\n' >"$work/odd.manifest"
"$pack" pack "$work/odd.manifest" "$work/odd.out" 2>/dev/null && fail "an odd second was packed"

# --- Damaged executables and the command line -----------------------------------------------
if [ -f "$WIN32_DIR/TarnwickSetup.exe" ]; then
  # Cut inside the headers, inside the resource directory and inside the resource data.
  read -r rsrc_size rsrc_offset < <(i686-w64-mingw32-objdump -h "$WIN32_DIR/TarnwickSetup.exe" |
                                    awk '$2 == ".rsrc" {print $3, $6}')
  for cut in 64 1024 $((16#$rsrc_offset + 40)) $((16#$rsrc_offset + 16#$rsrc_size / 2)); do
    head -c "$cut" "$WIN32_DIR/TarnwickSetup.exe" >"$work/cut.exe"
    set +e
    "$pack" list "$work/cut.exe" >/dev/null 2>"$work/cut.err"
    code=$?
    set -e
    [ "$code" -eq 1 ] || fail "an executable cut at $cut bytes: exit code $code, not 1"
  done
fi
"$pack" --help | grep -q 'tarnwick-pack pack MANIFEST OUTDIR' || fail "--help does not describe pack"
"$pack" >/dev/null 2>&1 && fail "no arguments counted as success"
"$pack" list "$work/missing.exe" >/dev/null 2>&1 && fail "a missing file counted as success"

if [ "$failures" -ne 0 ]; then
  echo "payload_roundtrip: $failures failure(s)" >&2
  exit 1
fi
echo "payload_roundtrip: the nine items round-trip through both programs; damaged input refused"
