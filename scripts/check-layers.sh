#!/usr/bin/env bash
# Fails when a lower folder of src/ includes a header of a higher one.
# The folders from the lowest to the highest; a folder may include its own
# headers and those of every folder before it (README, "For developers").
# Usage: scripts/check-layers.sh [source root, default: this repository]
set -euo pipefail
layers=(platform link core appearance measure cycle port instrument record report session cli app)

root=${1:-"$(dirname "$0")/.."}
src="$root/src"
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

status=0
for dir in "$src"/*/; do
  folder=$(basename "$dir")
  if [ -z "${rank[$folder]+set}" ]; then
    echo "src/$folder: not in the folder order of scripts/check-layers.sh" >&2
    status=1
    continue
  fi
  while IFS=: read -r file line text; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$text")
    [ -n "${rank[$target]+set}" ] || continue
    if [ "${rank[$target]}" -gt "${rank[$folder]}" ]; then
      echo "${file#"$root"/}:$line: src/$folder includes $target/, a higher folder" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$dir" --include='*.h' --include='*.cpp' || true)
done
[ "$status" = 0 ] && echo "layers: every include goes down (${layers[*]})"
exit "$status"
