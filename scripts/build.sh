#!/usr/bin/env bash
# Configures and builds into build/ (or $1). With CI=true warnings are errors.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$here/build}
shift || true
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$here" -B "$dir" -G Ninja -DQP_WERROR=$werror "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
