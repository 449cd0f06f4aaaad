#!/usr/bin/env bash
# Side by side, on two generated files, one of 1 M notes and one of 10 k (the
# size of a real song, where start-up counts): velmora-encode against the
# general tools users would pick instead (midicsv, and mftext of abcmidi),
# with `cat` of a file as large as velmora's output as the floor. Every
# command's output goes through a pipe (hyperfine --output=pipe). Prints each
# median, the ratios, and velmora-encode's peak memory beside its goal, with
# one formatting thread and with the default (one a processor).
#   tools/compare-speed.sh [NOTES] [RUNS]      (defaults: 1000000 and 20; the
#                                               small file has 10000 notes)
# Installs what is missing from Debian (midicsv, abcmidi, hyperfine, time,
# python3, and what the native build needs), with sudo when not root.
set -euo pipefail
cd "$(dirname "$0")/.."
notes=${1:-1000000}
runs=${2:-20}
small_notes=10000

pkgs=(midicsv abcmidi hyperfine time python3 cmake make g++ libbenchmark-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

echo "== building velmora-encode, make-bench-midi and velmora-bench (preset native)"
cmake --preset native >/dev/null
cmake --build --preset native --target velmora-encode make-bench-midi velmora-bench >/dev/null
encoder=$PWD/build/native/cli/velmora-encode
generator=$PWD/build/native/tools/bench/make-bench-midi

echo "== reference check: velmora-bench --verify-only"
build/native/tools/bench/velmora-bench --verify-only

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-speed.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"

# measure NAME NOTES RUNS: generates the file, checks that every tool reads
# it, times the four commands and takes velmora's peak memory both ways.
measure() {
  local name=$1 count=$2 times=$3
  local midi=$work/$name.mid text=$work/$name.txt
  "$generator" "$count" "$midi"
  "$encoder" --mask FFFF "$midi" >"$text"
  # The other tools must read the file cleanly, or their times mean nothing;
  # one formatting thread must give the same bytes as all of them.
  midicsv "$midi" >/dev/null
  mftext "$midi" >/dev/null
  "$encoder" --threads 1 --mask FFFF "$midi" | cmp -s - "$text" || { echo "--threads 1 differs on $midi"; exit 1; }
  echo "== $name: $count notes, $(stat -c %s "$midi") bytes; velmora's text: $(stat -c %s "$text") bytes;" \
       "hyperfine, $times runs each, output to a pipe"
  hyperfine -N --warmup 3 --runs "$times" --output=pipe --export-json "$work/$name.json" \
    -n velmora "$encoder --mask FFFF $midi" \
    -n midicsv "midicsv $midi" \
    -n mftext "mftext $midi" \
    -n cat "cat $text" >"$work/$name.hyperfine"
  local threads
  for threads in 1 0; do
    local arg=()
    [ "$threads" = 0 ] || arg=(--threads "$threads")
    /usr/bin/time -v "$encoder" "${arg[@]}" --mask FFFF "$midi" 2>"$work/$name.time$threads" >/dev/null
  done
}
measure large "$notes" "$runs"
measure small "$small_notes" $((runs * 3))

python3 - "$work" "$notes" "$small_notes" "$(nproc)" <<'PY'
import json, os, re, sys
work, threads = sys.argv[1], int(sys.argv[4])
def verdict(ok): return "met" if ok else "NOT met"
for name, notes, goal in (("large", int(sys.argv[2]), 5), ("small", int(sys.argv[3]), 3)):
    results = {r["command"]: r for r in json.load(open(os.path.join(work, name + ".json")))["results"]}
    median = {n: results[n]["median"] for n in ("velmora", "midicsv", "mftext", "cat")}
    print()
    print("%s file, %d notes" % (name, notes))
    print("%-9s %10s %10s %10s" % ("command", "median ms", "min ms", "max ms"))
    for n in ("velmora", "midicsv", "mftext", "cat"):
        r = results[n]
        print("%-9s %10.2f %10.2f %10.2f" % (n, r["median"] * 1e3, r["min"] * 1e3, r["max"] * 1e3))
    v = median["velmora"]
    print("midicsv / velmora  %5.2fx   (goal >= %dx: %s)" % (median["midicsv"] / v, goal, verdict(median["midicsv"] / v >= goal)))
    print("mftext  / velmora  %5.2fx   (goal >= %dx: %s)" % (median["mftext"] / v, goal, verdict(median["mftext"] / v >= goal)))
    print("velmora / cat      %5.2fx   (goal <= 2x: %s)" % (v / median["cat"], verdict(v / median["cat"] <= 2)))
    limit = os.path.getsize(os.path.join(work, name + ".mid")) + 16 * notes + 16 * 2**20
    for t, label in (("1", "1 thread"), ("0", "%d threads" % threads)):
        text = open(os.path.join(work, "%s.time%s" % (name, t))).read()
        rss = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", text).group(1)) * 1024
        print("peak memory, %-10s %6.1f MiB (goal <= file + 16 B/note + 16 MiB = %.1f MiB: %s)"
              % (label, rss / 2**20, limit / 2**20, verdict(rss <= limit)))
PY
