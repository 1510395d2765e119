#!/usr/bin/env bash
# Compares the project includes of every folder with the allowed directions
# (the table in README.md, "Layout"). Prints each include that points the
# wrong way and fails when there is one. Run by scripts/test.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Layer -> the layers its files may include (its own layer is always allowed).
# "appcore" is app/catalogue*, app/config*, app/languages*; "app" the rest of app/.
declare -A ALLOWED=(
  [toolkit]=""
  [playlist]=""
  [streams]=""
  [cdaudio]=""
  [appcore]=""
  [player]="appcore toolkit streams cdaudio playlist"
  [ui]="player appcore toolkit streams cdaudio playlist"
  [app]="ui player appcore toolkit streams cdaudio playlist"
)

# The layer a project path belongs to ("" for anything else: system headers,
# a folder's private headers, test support).
layer_of() {
  local path=$1 top=${1%%/*}
  case $top in
    app)
      case ${path#app/} in
        catalogue* | config* | languages*) echo appcore ;;
        *) echo app ;;
      esac ;;
    toolkit | playlist | streams | cdaudio | player | ui) echo "$top" ;;
    *) echo "" ;;
  esac
}

# The layer whose rules a source file follows: a library folder's own, and
# for tests/<folder>/ that folder's (tests may use what their folder may).
rules_of() {
  local file=$1
  case $file in
    # The interface is tested as the program starts it, start-up included.
    tests/app/* | tests/ui/*) echo app ;;
    tests/*/*)
      local folder=${file#tests/}
      layer_of "${folder%%/*}/x" ;;
    *) layer_of "$file" ;;
  esac
}

# The toolkit's public face: outside toolkit/ and tests/toolkit/, only the
# headers of toolkit/include/toolkit/ may be named.
is_public_toolkit_header() {
  [ -f "toolkit/include/$1" ]
}

# The toolkit's private floors, bottom first: a floor includes only floors
# before it. A public header belongs to the floor that implements it.
TOOLKIT_FLOORS=(core draw layout windows input controls requesters file_selector)
declare -A PUBLIC_FLOOR=(
  [toolkit/colours.h]=draw [toolkit/fonts.h]=draw [toolkit/images.h]=draw
  [toolkit/placement.h]=layout
  [toolkit/windows.h]=windows [toolkit/control_calls.h]=windows
  [toolkit/cursors.h]=windows [toolkit/keyboard_focus.h]=windows
  [toolkit/start.h]=input [toolkit/events.h]=input
  [toolkit/requesters.h]=requesters [toolkit/file_selector.h]=file_selector
)
floor_rank() {
  local i
  for i in "${!TOOLKIT_FLOORS[@]}"; do
    [ "${TOOLKIT_FLOORS[$i]}" = "$1" ] && { echo "$i"; return; }
  done
  echo ""
}
# The floor of an include seen from inside toolkit/ ("" when not a floor's).
floor_of_include() {
  case $1 in
    toolkit/controls/*) echo controls ;;
    toolkit/toolkit.h) echo top ;;
    toolkit/*) echo "${PUBLIC_FLOOR[$1]:-top}" ;;
    */*) [ -n "$(floor_rank "${1%%/*}")" ] && echo "${1%%/*}" ;;
  esac
}

status=0
while IFS= read -r file; do
  rules=$(rules_of "$file")
  [ -n "$rules" ] || continue
  while IFS=: read -r line target; do
    if [[ $target == *../* ]]; then
      echo "$file:$line: includes \"$target\": no includes through .." >&2
      status=1
      continue
    fi
    if [[ $file == toolkit/*/* ]]; then
      floor=${file#toolkit/}
      floor=${floor%%/*}
      rank=$(floor_rank "$floor")
      target_floor=$(floor_of_include "$target")
      if [ -n "$rank" ] && [ -n "$target_floor" ]; then
        if [ "$target_floor" = top ] || (($(floor_rank "$target_floor") > rank)); then
          echo "$file:$line: includes \"$target\": the $floor floor may not use $target_floor" >&2
          status=1
        fi
      fi
    fi
    layer=$(layer_of "$target")
    [ -n "$layer" ] || continue
    if [ "$layer" != "$rules" ] && [[ " ${ALLOWED[$rules]} " != *" $layer "* ]]; then
      echo "$file:$line: includes \"$target\": $rules may not use $layer" >&2
      status=1
    elif [ "$layer" = toolkit ] && [[ $file != toolkit/* && $file != tests/toolkit/* ]] &&
         [ -d toolkit/include ] && ! is_public_toolkit_header "$target"; then
      echo "$file:$line: includes \"$target\": not a public toolkit header" >&2
      status=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
           sed 's/^\([0-9]*\):.*"\([^"]*\)".*/\1:\2/')
done < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.c' |
         grep -E '^(app|ui|player|streams|cdaudio|playlist|toolkit|tests)/')

if [ $status -eq 0 ]; then
  echo "includes follow the layering"
fi
exit $status
