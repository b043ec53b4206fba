#!/usr/bin/env bash
# Builds Tagloom with its tests and runs every test with CTest.
#   scripts/test.sh [--sanitize]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir="$root/build"
[ "${1:-}" = "--sanitize" ] && build_dir="$root/build-asan"
"$root/scripts/build.sh" "$@"
cd "$build_dir"
ctest --output-on-failure -j "$(nproc)"
