#!/usr/bin/env bash
# Builds Tagloom and passes every test:
#   1. the whole suite in build/ (the compiler of the machine, optimised);
#   2. the whole suite once more in build-asan/, built by clang with
#      AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. each libFuzzer target of tests/fuzz for 20 s on its seeds, from that
#      same build.
#   scripts/test.sh [--plain | --sanitize]
# --plain runs step 1 only; --sanitize runs steps 2 and 3 only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
stage=${1:-all}
case "$stage" in
  all | --plain | --sanitize) ;;
  *) echo "usage: scripts/test.sh [--plain | --sanitize]" >&2; exit 2 ;;
esac

run_suite() {
  (cd "$1" && ctest --output-on-failure -j "$(nproc)")
}

if [ "$stage" != --sanitize ]; then
  "$root/scripts/build.sh"
  run_suite "$root/build"
fi
if [ "$stage" != --plain ]; then
  "$root/scripts/build.sh" --sanitize
  run_suite "$root/build-asan"
  "$root/scripts/fuzz.sh" 20
fi
