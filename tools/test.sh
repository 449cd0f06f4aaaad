#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows preset, and runs
# every test: natively, natively under the sanitizers, a short fuzz run, then
# under Wine. Exit status 0 only when all pass.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-session.sh

tools/install-deps.sh test
echo "== layout"
bash tools/check-layout.sh
mkdir -p build/logs
start=$(date +%s)

step() {  # step NAME COMMAND... : output to build/logs/NAME.log, shown on failure
  local name=$1; shift
  if ! "$@" >"build/logs/$name.log" 2>&1; then
    echo "FAILED: $* (build/logs/$name.log):"; tail -n 60 "build/logs/$name.log"; exit 1
  fi
}

step configure-windows cmake --preset windows
# The new prefix takes a while to boot; let it do so while the native side builds.
( wine_prefix_prepare build/windows ) >build/logs/wine-prefix.log 2>&1 &
prefix_pid=$!

step configure-native cmake --preset native
step build-native cmake --build --preset native
echo "== native tests"
ctest --preset native

# The core and its tests again under AddressSanitizer and UBSan (host g++),
# then each fuzz target for a bounded time (clang, libFuzzer): any finding
# fails the run.
step configure-sanitize cmake --preset sanitize
step build-sanitize cmake --build --preset sanitize
echo "== native tests under ASan and UBSan"
ctest --preset sanitize
step configure-fuzz cmake --preset fuzz
step build-fuzz cmake --build --preset fuzz
echo "== fuzz smoke run"
fuzz_start=$(date +%s)
tools/fuzz/run-fuzzers.sh -j 3 smf:20 encoder:20 paths:20
echo "fuzz smoke run: $(( $(date +%s) - fuzz_start )) s"

step build-windows cmake --build --preset windows
wait "$prefix_pid" || { echo "FAILED: Wine prefix set-up"; cat build/logs/wine-prefix.log; exit 1; }

echo "== Windows tests (Wine)"
trap 'wine_session_stop build/windows' EXIT
wine_session_start build/windows
ctest --preset windows
wine_session_stop build/windows
trap - EXIT

lines() { find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | wc -l; }
test_lines=$(lines tests tools/fuzz) code_lines=$(lines core framework app cli)
echo "All tests passed in $(( $(date +%s) - start )) s. Tests $test_lines lines," \
     "code $code_lines lines: ratio $(awk -v t="$test_lines" -v c="$code_lines" 'BEGIN { printf "%.2f", t / c }')."
