#!/usr/bin/env bash
# Installs what is missing, builds velmora and starts it under Wine. Its
# settings live in a Wine prefix of their own (build/wine-user), kept from run
# to run. Without a display it runs on a virtual one (Xvfb): close it with
# Ctrl+C here, or look at it with the screenshot this script takes.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-session.sh

tools/install-deps.sh run
mkdir -p build/logs
if ! { cmake --preset windows && cmake --build --preset windows --target velmora; } >build/logs/run-build.log 2>&1; then
  echo "The build failed (build/logs/run-build.log):"; tail -n 40 build/logs/run-build.log; exit 1
fi

export VELMORA_WINEPREFIX="$PWD/build/wine-user"
wine_prefix_prepare build/windows
run=build/windows/wine-run

# Without a display, a virtual one; its Wine server is started first, before
# any other Wine call of this script.
headless=
if [ -z "${DISPLAY:-}" ]; then
  headless=yes
  trap 'wine_session_stop build/windows' EXIT
  trap 'exit 130' INT TERM
  wine_session_start build/windows nokeeper
  echo "No display: velmora runs on the virtual display $DISPLAY."
  ( sleep 8; command -v import >/dev/null && import -window root build/velmora-screen.png 2>/dev/null &&
      echo "A screenshot of it: build/velmora-screen.png" ) &
fi

# On the first run the folder tree starts in the bundled samples.
if ! "$run" reg query 'HKCU\Software\brelvik\velmora' >/dev/null 2>&1; then
  "$run" reg add 'HKCU\Software\brelvik\velmora' /v LastPath /t REG_SZ /d "Z:$(pwd -P | tr / '\\')\\samples" /f \
    >/dev/null 2>&1
fi

echo "Starting velmora (close its window to end)."
status=0
"$run" build/windows/velmora.exe || status=$?
echo "velmora ended with exit code $status."
if [ -n "$headless" ]; then wine_session_stop build/windows; fi
exit "$status"
