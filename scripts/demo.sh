#!/usr/bin/env bash
# Installs what is missing, builds the x86_64 configuration and runs the demo
# host under Wine. With DISPLAY set the window is shown; without it the demo
# runs on the null graphics driver and only reports what it saw.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CMNDLL_BUILD_DIR:-$root/build}

bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$build/x64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build/x64" --target cmndll_demo

export CMNDLL_WINEPREFIX="$build/x64/wineprefix-demo"
if [ -n "${DISPLAY:-}" ]; then export CMNDLL_WINE_GRAPHICS=x11; fi
"$root/scripts/wine-run.sh" "$build/x64/bin/cmndll_demo.exe"
