#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine in the build's private prefix.
# Used as CMAKE_CROSSCOMPILING_EMULATOR: the first run creates the prefix with
# the "null" graphics driver, so tests need no display.
set -euo pipefail

prefix="${CMNDLL_WINEPREFIX:-$PWD/wineprefix}"
wine=/usr/lib/wine/wine64
export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# Keep wineboot from offering to install Mono and Gecko.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

driver="${CMNDLL_WINE_GRAPHICS:-null}"
marker="$prefix/.cmndll-ready-$driver"
if [ ! -f "$marker" ]; then
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  flock 9
  if [ ! -f "$marker" ]; then
    # A prefix whose first start was cut short has no system DLLs: make it again.
    for attempt in 1 2 3; do
      if [ -f "$prefix/drive_c/windows/system32/kernel32.dll" ]; then break; fi
      # Only ever remove what is recognisably a broken Wine prefix.
      if [ -e "$prefix" ] && [ -n "$(ls -A "$prefix")" ]; then
        if [ ! -e "$prefix/.update-timestamp" ] && [ ! -d "$prefix/dosdevices" ]; then
          echo "wine-run.sh: $prefix exists and is not a Wine prefix" >&2
          exit 1
        fi
      fi
      rm -rf "$prefix"
      "$wine" wineboot -i >/dev/null 2>&1 || true
      /usr/lib/wine/wineserver -w || true
    done
    if [ ! -f "$prefix/drive_c/windows/system32/kernel32.dll" ]; then
      echo "wine-run.sh: could not create the Wine prefix $prefix" >&2
      exit 1
    fi
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$driver" /f >/dev/null 2>&1
    touch "$marker"
  fi
  flock -u 9
  exec 9>&-
fi

# "--init" only prepares the prefix (the test script then starts one
# persistent wineserver for the whole run).
if [ "${1:-}" = "--init" ]; then exit 0; fi
if [ "$driver" = null ]; then unset DISPLAY; fi
exec "$wine" "$@"
