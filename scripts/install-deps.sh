#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, and nothing when all of it is present.
# Usage: scripts/install-deps.sh [build|test|bench]   (default: test; test and bench each
# add to build)
set -euo pipefail

what=${1:-test}

build_pkgs=(cmake make g++ g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix)
test_pkgs=(googletest libgtest-dev wine wine64 wine32:i386 binutils-mingw-w64-i686
           clang-14 libclang-rt-14-dev valgrind)
bench_pkgs=(libbenchmark-dev)

case "$what" in
  build) pkgs=("${build_pkgs[@]}") ;;
  test)  pkgs=("${build_pkgs[@]}" "${test_pkgs[@]}") ;;
  bench) pkgs=("${build_pkgs[@]}" "${bench_pkgs[@]}") ;;
  *) echo "error: unknown set '$what' (use build, test or bench)" >&2; exit 2 ;;
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
