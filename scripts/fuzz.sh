#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz in the sanitizer build
# (build-asan) and runs each on its seed corpus for SECONDS (default 20).
# Stops at the first target that finds a fault; its crash input is left in
# build-asan/findings.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build_dir="$root/build-asan"
"$root/scripts/build.sh" --sanitize fuzz_targets

findings="$build_dir/findings"
mkdir -p "$findings" "$build_dir/fuzz-logs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# One target per source, so a program left over from a removed source never runs.
for source in "$root"/tests/fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  target="$build_dir/tests/fuzz/fuzz_$name"
  # New inputs go to a scratch folder so the seed corpus in the tree stays as committed.
  work="$build_dir/corpus/$name"
  mkdir -p "$work"
  # Seeds: the target's own inputs, where it has some, and the pages every target starts from.
  seeds=("$root/tests/fuzz/corpus/pages")
  [ -d "$root/tests/fuzz/corpus/$name" ] && seeds+=("$root/tests/fuzz/corpus/$name")
  # Each run's report goes to a log, shown whole only when the target finds a fault.
  log="$build_dir/fuzz-logs/$name.log"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" "$work" "${seeds[@]}" > "$log" 2>&1; then
    cat "$log"
    echo "fuzz_$name found a fault; its input is in $findings" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz_$name: $runs runs in ${seconds}s, no finding"
done
echo "All fuzz targets ran ${seconds}s without a finding."
