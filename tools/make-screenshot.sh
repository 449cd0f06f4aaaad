#!/usr/bin/env bash
# Takes the README's picture: the main window under Xvfb opened at samples/,
# with a sample file selected and encoded, written to docs/main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-session.sh
# The picture is taken on a virtual display, with ImageMagick.
DISPLAY= tools/install-deps.sh run
cmake --build --preset windows --target screenshot-window >/dev/null
# The build's own prefix, whose desktop is an empty folder of its own (a
# user's prefix shows the Linux home folder there); the window keeps its
# settings under a key of its own.
unset VELMORA_WINEPREFIX
wine_prefix_prepare build/windows
unset DISPLAY
trap 'wine_session_stop build/windows' EXIT
wine_session_start build/windows
samples="Z:$(pwd -P | tr / '\\')\\samples"
build/windows/wine-run build/windows/tools/screenshot-window.exe "$samples" kaeru.mid 12 &
shown=$!
sleep 8
import -window root -crop 1200x640+0+0 docs/main-window.png
wait "$shown"
echo "docs/main-window.png"
