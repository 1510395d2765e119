#!/usr/bin/env bash
# Runs clang-tidy (the naming rules of .clang-tidy) on the C++ sources changed
# on this branch: against the merge base with `main` when there is one, and
# the uncommitted changes. About two seconds a file on one core.
# Usage: scripts/tidy_changed.sh <build dir with compile_commands.json>
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:?build dir}
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json" >&2; exit 1; }
command -v clang-tidy >/dev/null || { echo "clang-tidy is not installed" >&2; exit 1; }

base=HEAD
if git rev-parse -q --verify main >/dev/null && [ "$(git rev-parse HEAD)" != "$(git rev-parse main)" ]; then
  base=$(git merge-base HEAD main)
fi
mapfile -t files < <({ git diff --name-only --diff-filter=d "$base" -- '*.cpp'
                       git ls-files --others --exclude-standard -- '*.cpp'; } |
                     grep -E '^(app|ui|player|streams|cdaudio|playlist|toolkit)/' | sort -u)
if ((${#files[@]} == 0)); then
  echo "clang-tidy: no changed sources"
  exit 0
fi
echo "clang-tidy: ${#files[@]} changed sources"
printf '%s\n' "${files[@]}" | xargs -P"$(nproc)" -n4 clang-tidy -p "$build" --quiet --extra-arg=-Wno-error 2>/dev/null
