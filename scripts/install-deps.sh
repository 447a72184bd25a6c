#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, and nothing when all of it is present.
# Usage: scripts/install-deps.sh [build|demo|bench|test]   (default: test, a superset of build
# and demo)
set -euo pipefail

what=${1:-test}

# The native build: the plug-ins, and fxhost with its audio-file and command-line libraries.
native_pkgs=(cmake make g++ libsndfile1-dev libcli11-dev nlohmann-json3-dev libfftw3-dev)
# gnuplot draws the figures of `fxhost curves` (the demo's and the tests').
plot_pkgs=(gnuplot-nox)
cross_pkgs=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix)
# zam-plugins: a peer plug-in from another maker for the host's tests.
test_pkgs=(googletest libgtest-dev wine wine64 wine32:i386 binutils-mingw-w64-i686
           clang-14 libclang-rt-14-dev valgrind zam-plugins)
# Google Benchmark for `make bench`.
bench_pkgs=(libbenchmark-dev)

case "$what" in
  build) pkgs=("${native_pkgs[@]}" "${cross_pkgs[@]}") ;;
  demo)  pkgs=("${native_pkgs[@]}" "${plot_pkgs[@]}") ;;
  bench) pkgs=("${native_pkgs[@]}" "${bench_pkgs[@]}") ;;
  test)  pkgs=("${native_pkgs[@]}" "${plot_pkgs[@]}" "${cross_pkgs[@]}" "${test_pkgs[@]}") ;;
  *) echo "error: unknown set '$what' (use build, demo, bench or test)" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
  # dpkg-query knows "name:arch" as well as plain names.
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  [ "$what" = test ] && exec "$(dirname "$0")/enable-32bit-exec.sh"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "error: missing packages: ${missing[*]}" >&2
  echo "run as root:  sudo $0 $what" >&2
  exit 1
fi

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
needs_i386=no
for p in "${missing[@]}"; do
  case "$p" in *:i386) needs_i386=yes ;; esac
done
if [ "$needs_i386" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
[ "$what" = test ] && exec "$(dirname "$0")/enable-32bit-exec.sh"
exit 0
