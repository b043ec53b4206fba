#!/usr/bin/env bash
# Configures and builds Tagloom into a build folder.
#   scripts/build.sh [--sanitize] [cmake target...]
# --sanitize builds into build-asan with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and the libFuzzer targets besides the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build_dir="$root/build"
configure=(cmake -S "$root" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build_dir="$root/build-asan"
  configure=(env CC=clang CXX=clang++ "${configure[@]}" -DTAGLOOM_FUZZ=ON -DTAGLOOM_BUILD_BENCH=OFF)
fi

# A folder configured before with other options (an older gcc sanitizer
# build, say) is configured afresh.
if [ ! -f "$build_dir/build.ninja" ]; then
  "${configure[@]}" -B "$build_dir"
elif [ "$build_dir" = "$root/build-asan" ] && ! grep -q '^TAGLOOM_FUZZ:BOOL=ON' "$build_dir/CMakeCache.txt"; then
  "${configure[@]}" -B "$build_dir" --fresh
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build_dir" "${targets[@]}"
