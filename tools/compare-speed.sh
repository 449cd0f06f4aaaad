#!/usr/bin/env bash
# Side by side, on one generated file of 1 M notes: velmora-encode against the
# general tools users would pick instead (midicsv, and mftext of abcmidi),
# with `cat` of a file as large as velmora's output as the floor. Every
# command's output goes through a pipe (hyperfine --output=pipe). Prints each
# median, the ratios, and velmora-encode's peak memory beside its goal.
#   tools/compare-speed.sh [NOTES] [RUNS]      (defaults: 1000000 and 20)
# Installs what is missing from Debian (midicsv, abcmidi, hyperfine, time,
# python3, and what the native build needs), with sudo when not root.
set -euo pipefail
cd "$(dirname "$0")/.."
notes=${1:-1000000}
runs=${2:-20}

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

echo "== building velmora-encode and make-bench-midi (preset native)"
cmake --preset native >/dev/null
cmake --build --preset native --target velmora-encode make-bench-midi >/dev/null
encoder=$PWD/build/native/tools/velmora-encode
generator=$PWD/build/native/tools/bench/make-bench-midi

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-speed.XXXXXX")
trap 'rm -rf "$work"' EXIT
midi=$work/notes.mid
"$generator" "$notes" "$midi"
"$encoder" --mask FFFF "$midi" >"$work/floor.txt"
midi_bytes=$(stat -c %s "$midi")
text_bytes=$(stat -c %s "$work/floor.txt")
# The other tools must read the file cleanly, or their times mean nothing.
midicsv "$midi" >/dev/null
mftext "$midi" >/dev/null
echo "file: $notes notes, $midi_bytes bytes; velmora's text: $text_bytes bytes"
echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"

echo "== hyperfine: $runs runs each, output to a pipe"
hyperfine -N --warmup 3 --runs "$runs" --output=pipe --export-json "$work/times.json" \
  -n velmora "$encoder --mask FFFF $midi" \
  -n midicsv "midicsv $midi" \
  -n mftext "mftext $midi" \
  -n cat "cat $work/floor.txt" >"$work/hyperfine.txt"

echo "== peak memory: /usr/bin/time -v $encoder --mask FFFF FILE > /dev/null"
/usr/bin/time -v "$encoder" --mask FFFF "$midi" 2>"$work/time.txt" >/dev/null
rss_kib=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' "$work/time.txt")

python3 - "$work/times.json" "$notes" "$midi_bytes" "$rss_kib" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
notes, midi_bytes, rss_kib = int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
median = {name: results[name]["median"] for name in ("velmora", "midicsv", "mftext", "cat")}
print()
print("%-9s %10s %10s %10s" % ("command", "median ms", "min ms", "max ms"))
for name in ("velmora", "midicsv", "mftext", "cat"):
    r = results[name]
    print("%-9s %10.1f %10.1f %10.1f" % (name, r["median"] * 1e3, r["min"] * 1e3, r["max"] * 1e3))
print()
def verdict(ok): return "met" if ok else "NOT met"
v = median["velmora"]
print("midicsv / velmora  %5.2fx   (goal >= 4x: %s)" % (median["midicsv"] / v, verdict(median["midicsv"] / v >= 4)))
print("mftext  / velmora  %5.2fx   (goal >= 4x: %s)" % (median["mftext"] / v, verdict(median["mftext"] / v >= 4)))
print("velmora / cat      %5.2fx   (goal <= 2x: %s)" % (v / median["cat"], verdict(v / median["cat"] <= 2)))
goal = midi_bytes + 16 * notes + 16 * 1024 * 1024
rss = rss_kib * 1024
print("peak memory        %5.1f MiB (goal <= file + 16 B/note + 16 MiB = %.1f MiB: %s)"
      % (rss / 2**20, goal / 2**20, verdict(rss <= goal)))
PY
