#!/usr/bin/env bash
# The layering check passes on the repository and fails on a back-include
# (a lower folder including a higher one) and on a folder it does not know.
set -uo pipefail
script="$1"
repo="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$script" "$repo" >/dev/null || fail "the repository's own sources do not pass"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/platform" "$tree/src/core" "$tree/src/app"
printf '#include "platform/a.h"\n' >"$tree/src/core/b.h"
printf '#include <vector>\n#include "core/b.h"\n' >"$tree/src/app/c.cpp"
"$script" "$tree" >/dev/null 2>&1 || fail "downward includes were refused"

printf '#include "app/c.h"\n' >"$tree/src/platform/ini_file.cpp"
out=$("$script" "$tree" 2>&1) && fail "a back-include from platform/ to app/ passed"
grep -q 'src/platform/ini_file.cpp:1: src/platform includes app/' <<<"$out" || fail "the back-include was not named: $out"

rm "$tree/src/platform/ini_file.cpp"
mkdir -p "$tree/src/extra"
"$script" "$tree" >/dev/null 2>&1 && fail "a folder outside the order passed"
echo "check-layers: all cases hold"
