#!/usr/bin/env bash
# The demo: builds the Linux plug-ins and fxhost, synthesises the test material (a plucked-
# string phrase and a sine sweep), renders both through both plug-ins with every curve at
# two DEPTH settings, leaves the WAV files in build/demo/ and prints one table per plug-in,
# then draws the transfer curves and harmonic spectra of both plug-ins there (fxhost curves).
set -euo pipefail
cd "$(dirname "$0")/.."
# Called from make: keep the inner build from announcing every directory it enters.
unset MAKEFLAGS MFLAGS MAKELEVEL

preset=linux-x86_64
bin=build/$preset
out=build/demo
echo "=== building ($preset)"
cmake --preset $preset -DFX_BUILD_TESTS=OFF --no-warn-unused-cli >/dev/null
cmake --build --preset $preset -j2 --target QUORV1_01 QUORV1_02 fxhost fxdemo_material fxdemo_table >/dev/null

rm -rf "$out"
mkdir -p "$out/summaries"
echo "=== test material"
"$bin/host/demo/fxdemo_material" "$out"

fxhost=$bin/host/fxhost/fxhost
curves=(0 0.5 1)      # Type values selecting curves 0, 1 and 2
depths=(0.75 1)       # a moderate and the full drive
summaries=()

render() {  # plugin material name settings...
  local plugin=$1 material=$2 name=$3
  shift 3
  local summary=$out/summaries/$name.json
  "$fxhost" render "dist/$preset/$plugin.so" "$out/$material.wav" "$out/$name.wav" \
    --quiet --overwrite --summary-json "$summary" "$@"
  summaries+=("$summary")
}

echo "=== rendering into $out/"
for material in pluck sweep; do
  for c in 0 1 2; do
    for depth in "${depths[@]}"; do
      render QUORV1_01 $material "QUORV1_01-$material-curve$c-depth$depth" \
        --set Type="${curves[$c]}" --set DEPTH="$depth" --set MIX=0
      render QUORV1_02 $material "QUORV1_02-$material-curve$c-depth$depth" \
        --set Type="${curves[$c]}" --set DEPTH="$depth" --set PreAmp=0.6 --set MIX=0
    done
  done
done

"$bin/host/demo/fxdemo_table" "${summaries[@]}"

echo
echo "=== drawing the curves into $out/"
for plugin in QUORV1_01 QUORV1_02; do
  "$fxhost" curves "dist/$preset/$plugin.so" --out "$out" > "$out/$plugin-curves.log" || { cat "$out/$plugin-curves.log"; exit 1; }
  sed -n '/^curve /,/^wrote/p' "$out/$plugin-curves.log" | grep -v '^wrote'
  echo "$out/${plugin}_curves.png"
done
echo
echo "$(ls "$out"/*.wav | wc -l) WAV files in $out/"
