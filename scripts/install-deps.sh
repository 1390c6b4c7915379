#!/usr/bin/env bash
# Installs the Debian packages the builds and the test levels need. Safe to run again:
# packages already present are skipped, so a warm machine pays only for the check.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev binutils-mingw-w64
  wine wine64 xvfb xauth imagemagick icoutils liblnk-utils dosbox nasm
  python3 file
  fonts-wine
  strace
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
