#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Quillet Pro with the given arguments.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" "$here/build" >/dev/null
exec "$here/build/quillet" "$@"
