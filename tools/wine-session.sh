# Sourced by the test and run scripts: sets up and tears down the Wine side of
# a Windows build directory.
#   wine_prefix_prepare BUILD   generated locale, the build's own prefix, its settings
#                               (the prefix VELMORA_WINEPREFIX names, when set)
#   wine_session_start BUILD [nokeeper]
#                               display (Xvfb + openbox when none is set),
#                               persistent wineserver, booted prefix, desktop keeper
#   wine_session_stop BUILD
# Wine's background processes must never inherit a pipe that ctest reads, or
# ctest waits for them: everything started here writes to files.

wine_prefix_prepare() {
  local build=$1 run=$1/wine-run
  local log=$build/wine-setup.log
  local prefix=${VELMORA_WINEPREFIX:-$build/wineprefix}
  if [ ! -d "$build/locale/ja_JP.UTF-8" ]; then
    mkdir -p "$build/locale"
    # localedef warns about the character map yet writes a usable locale.
    localedef -i ja_JP -f UTF-8 "$build/locale/ja_JP.UTF-8" >>"$log" 2>&1 || true
  fi
  if [ ! -f "$prefix/.velmora-ready" ]; then
    rm -rf "$prefix"
    # Without a window manager every hide or destroy of a top-level window
    # waits about two seconds; unmanaged windows avoid that.
    {
      "$run" wineboot -i
      "$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
      "$run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f
      "$run" --exec wineserver -w
    } >>"$log" 2>&1
    cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    # The prefix links the desktop and documents to the Linux home folder; the
    # tests' desktop should be a folder of its own (a user's prefix keeps them).
    if [ -z "${VELMORA_WINEPREFIX:-}" ]; then
      local users="$prefix/drive_c/users/$(id -un)"
      for d in Desktop Documents; do
        if [ -L "$users/$d" ]; then rm -f "$users/$d"; mkdir -p "$users/$d"; fi
      done
    fi
    touch "$prefix/.velmora-ready"
  fi
}

wine_session_start() {
  local build=$1 run=$1/wine-run
  local log=$build/wine-session.log
  : >"$log"
  if [ -z "${DISPLAY:-}" ]; then
    local fdfile=$build/xvfb.display
    rm -f "$fdfile"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >>"$log" 2>&1 &
    VELMORA_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
    if [ ! -s "$fdfile" ]; then
      echo "Xvfb gave no display (see $log)" >&2
      wine_session_stop "$build"
      return 1
    fi
    export DISPLAY=":$(head -n1 "$fdfile")"
    openbox >>"$log" 2>&1 &
    VELMORA_WM_PID=$!
  fi
  # A server already running (a reg call moments ago) is fine as it is.
  "$run" --exec wineserver -p >>"$log" 2>&1 || true
  "$run" wineboot >>"$log" 2>&1
  # A process holding user32's desktop connection makes every later GUI
  # test start in a tenth of a second instead of more than one.
  if [ "${2:-}" != nokeeper ] && [ -f "$build/tools/wine-keeper.exe" ]; then
    "$run" "$build/tools/wine-keeper.exe" >>"$log" 2>&1 &
    VELMORA_KEEPER_PID=$!
  fi
}

# Stops whatever is still running; a process that is already gone is fine.
wine_session_stop() {
  local build=$1 pid
  for pid in "${VELMORA_KEEPER_PID:-}"; do [ -z "$pid" ] || kill "$pid" 2>/dev/null || true; done
  "$build/wine-run" --exec wineserver -k >/dev/null 2>&1 || true
  for pid in "${VELMORA_WM_PID:-}" "${VELMORA_XVFB_PID:-}"; do
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  done
  unset VELMORA_KEEPER_PID VELMORA_WM_PID VELMORA_XVFB_PID
  return 0
}
