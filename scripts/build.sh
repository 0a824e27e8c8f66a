#!/usr/bin/env bash
# Configures and builds into build/ (or $1). With CI=true warnings are errors.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$here/build}
shift || true
werror=OFF
# Paths in the compiler cache are taken relative to the checkout, so a clone
# in another folder reuses what an earlier build compiled.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$here}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$here" -B "$dir" -G Ninja -DQP_WERROR=$werror "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
