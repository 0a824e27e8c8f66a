#!/usr/bin/env bash
# Sets up what is missing, builds and runs every test. With CI=true warnings
# are errors, the Debian package is built and checked, and a second build
# with clang (no debug information, so it is quicker to make) runs the whole
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer and gives
# the libFuzzer targets, which then run for 60 seconds each, two at a time.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
jobs=$(nproc)

"$here/scripts/build.sh" "$here/build"
(cd "$here/build" && ctest --output-on-failure -j"$jobs")

if [ "${CI:-}" = "true" ]; then
  echo "== the Debian package"
  "$here/scripts/check_package.sh" "$here/build"
  echo "== again with clang, AddressSanitizer and UndefinedBehaviorSanitizer"
  CC=clang CXX=clang++ "$here/scripts/build.sh" "$here/build-clang" -DQP_SANITIZE=ON -DQP_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG=-O1 -DCMAKE_CXX_FLAGS_DEBUG=-O1
  (cd "$here/build-clang" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")

  echo "== each fuzz target for 60 seconds"
  "$here/scripts/fuzz.sh" "$here/build-clang" 60
fi
