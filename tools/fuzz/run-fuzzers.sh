#!/usr/bin/env bash
# Runs fuzz targets of the "fuzz" build (build it first: cmake --preset fuzz &&
# cmake --build --preset fuzz) for a bounded time each, at most JOBS at once.
# Usage: tools/fuzz/run-fuzzers.sh [-j JOBS] TARGET:SECONDS...   (TARGET: smf, encoder, paths)
#
# Each corpus lives in build/fuzz/corpus/TARGET and grows from run to run. It
# starts from the seed generator's files, the saved regression inputs of
# tests/fuzz-regressions/TARGET and, for smf, the MIDI files of
# ../shared/testdata and samples/ (copied, never changed in place). A finding
# (a broken property, a sanitizer report, a timeout, a leak, running out of
# memory) is saved under build/fuzz/findings/ and makes the script exit 1.
set -uo pipefail
cd "$(dirname "$0")/../.."

jobs=$(nproc)
if [ "${1:-}" = -j ]; then jobs=$2; shift 2; fi
[ $# -gt 0 ] || { sed -n '2,4p' "$0" >&2; exit 2; }

build=${VELMORA_FUZZ_BUILD:-build/fuzz}  # another build folder, for runs side by side
bin=$build/tools/fuzz
corpus=$build/corpus
findings=$build/findings
logs=$build/logs
mkdir -p "$corpus"/{smf,encoder,paths} "$findings" "$logs"
"$bin/make-fuzz-seeds" "$corpus" || exit 1
for t in smf encoder paths; do
  [ -d "tests/fuzz-regressions/$t" ] && cp tests/fuzz-regressions/"$t"/* "$corpus/$t/" 2>/dev/null
done
for f in ../shared/testdata/*.mid ../shared/testdata/*.midi ../shared/testdata/*.kar samples/*.mid; do
  [ -f "$f" ] && cp "$f" "$corpus/smf/"
done

# Longest input per target: big enough for every structure the code knows,
# small enough to keep many inputs a second (the smf check runs a 16 x 128
# table for every event).
max_len() { case $1 in smf) echo 4096 ;; encoder) echo 400 ;; *) echo 1024 ;; esac; }

run_one() {  # run_one TARGET SECONDS
  local t=$1 s=$2 log=$logs/$1.log
  echo 1 >"$logs/$t.status"
  "$bin/fuzz-$t" -max_total_time="$s" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$t")" \
    -dict="tools/fuzz/$t.dict" -print_final_stats=1 -artifact_prefix="$findings/$t-" \
    "$corpus/$t" >"$log" 2>&1
  local status=$?
  local units secs
  units=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  secs=$(grep -ao 'Done [0-9]* runs in [0-9]* second' "$log" | awk '{print $5}')
  # One write per target, so that targets running side by side do not mix lines.
  if [ $status -eq 0 ]; then
    echo "fuzz-$t: ${units:-?} inputs in ${secs:-$s} s, no finding (corpus $(ls "$corpus/$t" | wc -l) files)"
  else
    printf 'fuzz-%s: FINDING after %s inputs (see %s):\n%s\n' "$t" "${units:-?}" "$log" \
      "$(grep -aE 'property broken|ERROR|SUMMARY|Test unit written' "$log" | head -n 8)"
  fi
  echo $status >"$logs/$t.status"
}

targets=()
for arg in "$@"; do
  t=${arg%%:*} s=${arg#*:}
  [ -x "$bin/fuzz-$t" ] || { echo "no fuzz target $t in $bin"; exit 2; }
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  run_one "$t" "$s" &
  targets+=("$t")
done
wait
failed=0
for t in "${targets[@]}"; do [ "$(cat "$logs/$t.status")" = 0 ] || failed=1; done
exit $failed
