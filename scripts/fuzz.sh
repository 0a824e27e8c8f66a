#!/usr/bin/env bash
# Runs every libFuzzer target of a clang build for SECONDS seconds (60),
# two at a time, starting from its seed corpus (fuzz/corpus/<name>/). New
# inputs go to a scratch folder, never into the repository. A crash stops
# the run with the target's report and the input that caused it.
#   scripts/fuzz.sh BUILD_DIR [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: scripts/fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

targets=()
for f in "$build"/fuzz/fuzz_*; do
  name=$(basename "$f")
  [[ "$name" == *_replay ]] && continue
  [ -x "$f" ] && targets+=("${name#fuzz_}")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "no libFuzzer targets in $build/fuzz (they are built with clang)" >&2
  exit 1
fi

export build seconds scratch here
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c '
  name={}
  mkdir -p "$scratch/$name"
  if "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$scratch/$name-" "$scratch/$name" "$here/fuzz/corpus/$name" \
       > "$scratch/$name.log" 2>&1; then
    echo "fuzz_$name: $(grep -m1 -o "stat::number_of_executed_units: *[0-9]*" "$scratch/$name.log" | grep -o "[0-9]*$") runs, no failure"
  else
    echo "fuzz_$name FAILED:"; tail -40 "$scratch/$name.log"
    for a in "$scratch/$name"-*; do [ -e "$a" ] && { echo "input: $a"; od -A d -t x1 "$a" | head -20; }; done
    exit 255
  fi'
