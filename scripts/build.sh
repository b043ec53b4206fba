#!/usr/bin/env bash
# Configures and builds Tagloom into a build folder.
#   scripts/build.sh [--sanitize] [cmake target...]
# --sanitize builds into build-asan with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build_dir="$root/build"
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build_dir="$root/build-asan"
  extra+=(-DTAGLOOM_SANITIZE=ON)
fi

if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}"
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build_dir" "${targets[@]}"
