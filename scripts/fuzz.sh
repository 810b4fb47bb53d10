#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target built in BUILD_DIR for SECONDS in all, shared evenly. Each target
# first replays fuzz/regressions/<name>/ (every input that once failed), then fuzzes from
# fuzz/corpus/<name>/ in a scratch folder, so the seeds in the repository stay as they are.
# A failing input is written to fuzz/regressions/<name>/ and the run fails.
#   bash scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build folder}
total=${2:?seconds in all}

targets=()
for t in "$build"/fuzz/fuzz_*; do
  if [ -f "$t" ] && [ -x "$t" ]; then targets+=("$t"); fi
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets in $build/fuzz" >&2
  exit 1
fi
each=$((total / ${#targets[@]}))
# The same leak report as the sanitizer test run: caches that system libraries keep for the
# life of the process are not the targets' leaks.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
if [ "$each" -lt 1 ]; then each=1; fi

for target in "${targets[@]}"; do
  name=${target##*/fuzz_}
  regressions=fuzz/regressions/$name
  mkdir -p "$regressions"
  inputs=()
  for f in "$regressions"/*; do
    if [ -f "$f" ]; then inputs+=("$f"); fi
  done
  if [ ${#inputs[@]} -gt 0 ]; then
    "$target" "${inputs[@]}" >/dev/null 2>&1 || { echo "fuzz $name: a regression input fails again" >&2; "$target" "${inputs[@]}"; exit 1; }
  fi
  scratch=$(mktemp -d)
  status=0
  "$target" -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$regressions/" "$scratch" "fuzz/corpus/$name" >"$scratch.log" 2>&1 || status=$?
  executed=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$scratch.log" | grep -o '[0-9]*$' || echo "?")
  echo "fuzz $name: $executed inputs in ${each}s"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$scratch.log" >&2
    rm -rf "$scratch" "$scratch.log"
    exit "$status"
  fi
  rm -rf "$scratch" "$scratch.log"
done
