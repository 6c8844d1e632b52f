#!/usr/bin/env bash
# Installs what is missing, builds the i686 and x86_64 configurations, and runs
# every test under 64-bit Wine (the i686 DLL is checked by its export table).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CMNDLL_BUILD_DIR:-$root/build}
jobs=$(nproc)

bash "$root/scripts/deps.sh"

cmake -S "$root" -B "$build/i686" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/i686" -j "$jobs"

cmake -S "$root" -B "$build/x64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMNDLL_I686_DLL="$build/i686/bin/cmndll.dll" >/dev/null
cmake --build "$build/x64" -j "$jobs"

# One wineserver for the whole run: every test process then starts at once.
export CMNDLL_WINEPREFIX="$build/x64/wineprefix"
# The prefix's first start leaves a server of its own running: stop it (that
# also saves the registry) before starting the persistent one.
"$root/scripts/wine-run.sh" --init
WINEPREFIX="$CMNDLL_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
WINEPREFIX="$CMNDLL_WINEPREFIX" /usr/lib/wine/wineserver -w
trap 'WINEPREFIX="$CMNDLL_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
WINEPREFIX="$CMNDLL_WINEPREFIX" /usr/lib/wine/wineserver -p
# Wine's background services start with the first program of a server and
# inherit its output: start them here, away from ctest's pipes, or ctest
# would wait for them to close the pipe of the first test.
"$root/scripts/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1

cd "$build/x64"
ctest --output-on-failure -j "$jobs" "$@"
