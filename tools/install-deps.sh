#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
# Usage: tools/install-deps.sh [run|test]   (run: what building and starting needs)
set -euo pipefail
what=${1:-test}

pkgs=(cmake make g++ googletest locales nlohmann-json3-dev
      g++-mingw-w64-x86-64-posix wine wine64 fonts-wine fonts-ipafont-gothic)
if [ "$what" = test ]; then
  pkgs+=(xvfb openbox x11-utils xdotool libbenchmark-dev clang libclang-rt-14-dev)
else
  # A display is only needed when there is none.
  # Without a display: a virtual one, and ImageMagick for the screenshot.
  [ -n "${DISPLAY:-}" ] || pkgs+=(xvfb openbox imagemagick)
fi

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
