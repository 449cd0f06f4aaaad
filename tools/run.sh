#!/usr/bin/env bash
# Installs what is missing, builds velmora and runs its main job: the
# encoder on a bundled sample file.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh run
mkdir -p build/logs
if ! { cmake --preset native && cmake --build --preset native --target velmora-encode; } >build/logs/run-build.log 2>&1; then
  echo "The build failed (build/logs/run-build.log):"; tail -n 40 build/logs/run-build.log; exit 1
fi

encode=build/native/tools/velmora-encode
sample=samples/kaeru.mid
echo "== $sample"
# The texts of the file are Shift-JIS bytes; shown here in the terminal's UTF-8.
"$encode" --info "$sample" | iconv -f CP932 -t UTF-8
echo "== its notes as assembler data (channels 1 to 16 but 10)"
"$encode" "$sample"
