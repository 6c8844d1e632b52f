#!/usr/bin/env bash
# Shows the demo host on a virtual X display and saves a screenshot:
#   scripts/screenshot.sh [output.png]   (default build/demo.png)
# Uses its own Wine prefix with the X11 driver, apart from the tests' prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CMNDLL_BUILD_DIR:-$root/build}
out=${1:-$build/demo.png}

bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$build/x64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build/x64" --target cmndll_demo >/dev/null

display=:${CMNDLL_SCREEN:-77}
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
export CMNDLL_WINEPREFIX="$build/x64/wineprefix-x11" CMNDLL_WINE_GRAPHICS=x11
trap 'kill $xvfb 2>/dev/null; WINEPREFIX="$CMNDLL_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
"$root/scripts/wine-run.sh" --init
"$root/scripts/wine-run.sh" "$build/x64/bin/cmndll_demo.exe" --hold 6000 &
demo=$!
sleep 4
import -window root "$out"
wait "$demo"
echo "screenshot: $out"
