#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Keeps the layers of src/ running one way:
#   model <- store <- export, reminder, import <- ui <- entry <- the workspaces <- app
# A file may include its own folder and any folder of a lower layer. Folders of one layer
# never include each other: a workspace does not know another workspace, and none knows
# the shell. A folder that is in no layer fails the check, so a new one gets placed here.
# ui/ skips the store too: its widgets draw values handed to them and never read the records.
set -euo pipefail
src=${1:-$(dirname "$0")/../src}

layer_of() {
  case "$1" in
    model) echo 0 ;;
    store) echo 1 ;;
    export | reminder | import) echo 2 ;;
    ui) echo 3 ;;
    entry) echo 4 ;;
    overview | bills | budget | statistics | trends | receipt | savings | assets | fixedassets | settings | recurring) echo 5 ;;
    app) echo 6 ;;
    *) echo "" ;;
  esac
}

# Pairs that the layers alone would allow but that stay apart.
kept_apart() {
  case "$1>$2" in
    "ui>store") return 0 ;;
    *) return 1 ;;
  esac
}

failures=0
for dir in "$src"/*/; do
  folder=$(basename "$dir")
  own=$(layer_of "$folder")
  if [ -z "$own" ]; then
    echo "src/$folder: a folder in no layer; place it in scripts/check-layers.sh"
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$rest")
    [ "$target" = "$folder" ] && continue
    theirs=$(layer_of "$target")
    if [ -z "$theirs" ] || [ "$theirs" -ge "$own" ]; then
      echo "${file#"$src"/}:$line includes $target/, which is not below $folder/"
      failures=$((failures + 1))
    elif kept_apart "$folder" "$target"; then
      echo "${file#"$src"/}:$line includes $target/, which $folder/ keeps apart from"
      failures=$((failures + 1))
    fi
  done < <(grep -n -H -E '^#include "[a-z]+/' "$dir"*.h "$dir"*.cpp 2>/dev/null | sed -E 's/^([^:]+):([0-9]+):/\1:\2:/')
done

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) against the layers"
  exit 1
fi
echo "layers: every include runs down"
