#!/usr/bin/env bash
# Installs the build into a fresh prefix, builds a tiny host project against it
# with find_package(cmndll), and runs that host under Wine.
set -euo pipefail
build_dir=$1
toolchain=$2
launcher=$3
work="$build_dir/package-check"
rm -rf "$work"
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
# The package must be relocatable: move it before using it.
mv "$work/prefix" "$work/moved"
cmake -S "$(dirname "$0")" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$work/moved" >/dev/null
cmake --build "$work/build" >/dev/null
cp "$work/moved/bin/cmndll.dll" "$work/build/"
"$launcher" "$work/build/package_host.exe"
