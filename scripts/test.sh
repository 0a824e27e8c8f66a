#!/usr/bin/env bash
# Sets up what is missing, builds and runs every test. With CI=true warnings
# are errors, the Debian package is built and checked, and the whole suite
# runs a second time under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
jobs=$(nproc)

"$here/scripts/build.sh" "$here/build"
(cd "$here/build" && ctest --output-on-failure -j"$jobs")

if [ "${CI:-}" = "true" ]; then
  echo "== the Debian package"
  "$here/scripts/check_package.sh" "$here/build"
  echo "== again with AddressSanitizer and UndefinedBehaviorSanitizer"
  "$here/scripts/build.sh" "$here/build-asan" -DQP_SANITIZE=ON -DQP_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
  (cd "$here/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")
fi
