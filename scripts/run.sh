#!/usr/bin/env bash
# Builds Tagloom and starts it on FILE, or on the bundled sample page when none is given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" tagloom
if [ $# -eq 0 ]; then
  set -- "$root/samples/welcome.html"
fi
exec "$root/build/src/tagloom" "$@"
