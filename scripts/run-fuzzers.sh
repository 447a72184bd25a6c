#!/usr/bin/env bash
# Builds the fuzzers (preset linux-fuzz, clang) and runs both at once for SECONDS each
# (default 300), from the seed corpus in tests/fuzz/corpus. Inputs the fuzzers find go to
# build/linux-fuzz/corpus/<plug-in>, an input that fails a check to build/linux-fuzz/artifacts.
# Usage: scripts/run-fuzzers.sh [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
# Called from make: keep the inner build from announcing every directory it enters.
unset MAKEFLAGS MFLAGS MAKELEVEL
seconds=${1:-300}
build=build/linux-fuzz

cmake --preset linux-fuzz --no-warn-unused-cli >/dev/null && cmake --build --preset linux-fuzz -j2 || exit 1
mkdir -p "$build/artifacts"
for plugin in plugin_one plugin_two; do
  mkdir -p "$build/corpus/$plugin"
  # An input running for 10 seconds counts as a hang.
  "$build/tests/fuzz/${plugin}_fuzzer" -max_total_time="$seconds" -timeout=10 \
    -artifact_prefix="$build/artifacts/$plugin-" "$build/corpus/$plugin" "tests/fuzz/corpus/$plugin" \
    > "$build/$plugin.log" 2>&1 &
  eval "pid_$plugin=$!"
done

status=0
for plugin in plugin_one plugin_two; do
  pid_var="pid_$plugin"
  if wait "${!pid_var}"; then
    echo "$plugin fuzzer: $(grep -h '^Done' "$build/$plugin.log")"
  else
    echo "FAIL: $plugin fuzzer (log: $build/$plugin.log)"
    grep -h -m1 -A30 -E 'check failed|ERROR: |runtime error' "$build/$plugin.log"
    grep -h 'Test unit written' "$build/$plugin.log"
    status=1
  fi
done
exit $status
