#!/usr/bin/env bash
# Checks the layering of the source tree. The first folder says the side:
# core/ (portable), framework/ (the Windows wrappers), app/ (the program),
# cli/ (velmora-encode), resources/. Includes point down only:
#   core/       includes core/ only; inside it encode, browser, layout -> midi -> errors, text
#   framework/  includes framework/ and core/
#   app/        includes app/, framework/, core/, resources/; inside it the top files -> dataview -> browser -> settings
#   cli/        includes cli/ and core/
# and no core header includes <windows.h>. Prints every offending line and exits with 1.
set -uo pipefail
cd "$(dirname "$0")/.."

# Rank of a folder inside its root: a file may include its own folder and lower ranks.
declare -A rank=(
  [core/encode]=2 [core/browser]=2 [core/layout]=2 [core/midi]=1 [core/errors]=0 [core/text]=0
  [app]=3 [app/dataview]=2 [app/browser]=1 [app/settings]=0
  [framework]=0 [cli]=0 [resources]=0
)
declare -A below=(  # the other roots each root may include
  [core]="" [framework]="core" [app]="framework core resources" [cli]="core" [resources]=""
)

status=0
fail() { echo "$1"; status=1; }

while IFS= read -r file; do
  dir=$(dirname "$file"); root=${dir%%/*}
  [ -n "${rank[$dir]:-}" ] || { fail "$dir: folder has no rank in tools/check-layout.sh"; continue; }
  while IFS= read -r line; do
    inc=${line#*\"}; inc=${inc%%\"*}
    to=$(dirname "$inc"); toroot=${to%%/*}
    if [ "$to" = . ] || [ "$to" = "$dir" ]; then continue
    elif [ -z "${rank[$to]:-}" ]; then fail "$file: includes $inc from a folder outside the tree"
    elif [ "$toroot" = "$root" ]; then
      [ "${rank[$to]}" -lt "${rank[$dir]}" ] || fail "$file: includes $inc, not below its own folder"
    elif [[ " ${below[$root]} " != *" $toroot "* ]]; then fail "$file: $root/ may not include $inc"
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
  if [ "$root" = core ] && [[ $file == *.h ]] &&
     grep -qiE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' "$file"; then
    fail "$file: core header includes <windows.h>"
  fi
done < <(find core framework app cli resources -name '*.h' -o -name '*.cpp' -o -name '*.rc' | sort)
[ $status = 0 ] && echo "layout: every include points down; core headers are portable"
exit $status
