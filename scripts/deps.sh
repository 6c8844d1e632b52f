#!/usr/bin/env bash
# Installs the build and test tools from Debian packages. Safe to run again:
# it only touches apt when something is missing.
set -euo pipefail

packages=(
  cmake
  ninja-build
  g++-mingw-w64-x86-64-posix
  g++-mingw-w64-i686-posix
  binutils-mingw-w64-i686
  wine64
  xvfb
  xauth
  imagemagick
  googletest
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's mingw-w64 ships win32 and posix thread models; we build with posix.
for arch in x86_64 i686; do
  if [ ! -x "/usr/bin/${arch}-w64-mingw32-g++-posix" ]; then
    echo "deps.sh: ${arch}-w64-mingw32-g++-posix not found" >&2
    exit 1
  fi
done
if [ ! -x /usr/lib/wine/wine64 ]; then
  echo "deps.sh: /usr/lib/wine/wine64 not found" >&2
  exit 1
fi
