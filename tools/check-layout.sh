#!/usr/bin/env bash
# Checks the layering of the source folders. Every folder is either portable
# core or Windows-only, and has a layer; a file may include headers of its
# own folder and of folders of a deeper layer, never of a higher or the same
# layer. No core header includes <windows.h>. Prints every offending line and
# exits with 1.
set -uo pipefail
cd "$(dirname "$0")/.."

# folder:layer:side, highest layer first (the README's layout table).
folders=(
  app:1:win
  encode/view:2:win
  browser/shell:3:win
  app/settings:4:win
  framework:5:win
  encode:6:core
  browser:6:core
  midi:7:core
  app/errors:8:core
  app/layout:8:core
  framework/text:8:core
  resources:9:win
)

declare -A layer side
for entry in "${folders[@]}"; do
  IFS=: read -r dir l s <<<"$entry"
  layer[$dir]=$l; side[$dir]=$s
done

status=0
fail() { echo "$1"; status=1; }

while IFS= read -r dir; do
  dir=${dir#./}
  [ -n "${layer[$dir]:-}" ] || fail "$dir: folder has no layer in tools/check-layout.sh"
done < <(find midi encode browser app framework resources -type d)

for entry in "${folders[@]}"; do
  IFS=: read -r dir l s <<<"$entry"
  [ -d "$dir" ] || { fail "$dir: folder missing"; continue; }
  for file in "$dir"/*.h "$dir"/*.cpp; do
    [ -e "$file" ] || continue
    while IFS= read -r line; do
      inc=${line#*\"}; inc=${inc%%\"*}
      to=$(dirname "$inc")
      [ "$to" = "$dir" ] && continue
      tl=${layer[$to]:-}
      if [ -z "$tl" ]; then
        fail "$file: includes $inc from a folder without a layer"
      elif [ "$s" = core ] && [ "${side[$to]}" = win ]; then
        fail "$file: core file includes $inc from a Windows folder"
      elif [ "$tl" -le "$l" ]; then
        fail "$file: includes $inc from layer $tl, not below its own layer $l"
      fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
    if [ "$s" = core ] && [[ $file == *.h ]] &&
       grep -qiE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' "$file"; then
      fail "$file: core header includes <windows.h>"
    fi
  done
done
[ $status = 0 ] && echo "layout: every include points down; core headers are portable"
exit $status
