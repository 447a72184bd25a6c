#!/usr/bin/env bash
# Builds every target and runs every test: natively (and under valgrind), with the
# sanitizers, with ThreadSanitizer, and the two Windows builds under wine; runs the fuzzers
# for 30 seconds; then checks that the fixed renders are the same bytes on all three
# platforms.
set -uo pipefail
cd "$(dirname "$0")/.."
# Called from make: keep the inner builds from announcing every directory they enter.
unset MAKEFLAGS MFLAGS MAKELEVEL
scripts/install-deps.sh test || exit 1

# Making the wine prefix takes minutes where 32-bit code is emulated; it runs while the
# native builds compile. The Windows tests wait for it through their fixture.
prefix=$PWD/build/wineprefix
mkdir -p build
scripts/make-wine-prefix.sh "$prefix" > build/wineprefix.log 2>&1 &

passed=0
failed=0
failures=()
for preset in linux-x86_64 linux-sanitize linux-tsan windows-x64 windows-x86; do
  echo "=== $preset"
  if cmake --preset "$preset" -DFX_BUILD_TESTS=ON >/dev/null &&
     cmake --build --preset "$preset" -j2 &&
     ctest --preset "$preset"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$preset")
  fi
done
wait
cat build/wineprefix.log

echo "=== linux-fuzz"
if scripts/run-fuzzers.sh 30; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  failures+=("linux-fuzz")
fi

echo "=== the same render on every platform"
for plugin in QUORV1_01 QUORV1_02; do
  reference=build/linux-x86_64/renders/$plugin.f32
  same=yes
  for preset in windows-x86 windows-x64; do
    if ! cmp -s "$reference" "build/$preset/renders/$plugin.f32"; then
      echo "FAIL: $plugin: the $preset render differs from the Linux one"
      same=no
    fi
  done
  if [ "$same" = yes ] && [ -s "$reference" ]; then
    echo "$plugin: identical on linux-x86_64, windows-x86, windows-x64 ($(stat -c %s "$reference") bytes)"
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$plugin render")
  fi
done

[ ${#failures[@]} -eq 0 ] || echo "failed: ${failures[*]}"
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
