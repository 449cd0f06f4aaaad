#!/usr/bin/env bash
# Takes the README's picture: the main window under Xvfb opened at samples/,
# with a sample file selected and encoded, written to docs/main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-session.sh
cmake --build --preset windows --target screenshot-window >/dev/null
# The prefix of tools/run.sh: the window keeps its settings under a key of
# its own there.
export VELMORA_WINEPREFIX="$PWD/build/wine-user"
wine_prefix_prepare build/windows
unset DISPLAY
trap 'wine_session_stop build/windows' EXIT
wine_session_start build/windows
samples="Z:$(pwd -P | tr / '\\')\\samples"
build/windows/wine-run build/windows/tools/screenshot-window.exe "$samples" kaeru.mid 6 &
shown=$!
sleep 4
import -window root -crop 900x600+0+0 docs/main-window.png
wait "$shown"
echo "docs/main-window.png"
