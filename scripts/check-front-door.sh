#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that what "make run", the README and the demo script start is the program the build
# makes: scripts/check-front-door.sh SOURCE_DIR BUILD_DIR PROGRAM
set -euo pipefail
source=$1
build=$2
program=$3

cd "$source"
fail=0
# The last command of "make run" is the program itself, named as make names it.
started=$(make --no-print-directory -n run BUILD_DIR="$(realpath -m --relative-to=. "$build")" | tail -n 1 | awk '{print $1}')
if [ "$(realpath -m "$started")" != "$(realpath "$program")" ]; then
  echo "make run starts $started, but the build makes $program" >&2
  fail=1
fi
# The README and the demo script name the program as ./build/pennyloom, relative to the checkout.
expected=$(realpath -m "$source/build/pennyloom")
if [ "$(realpath -m "$build")" = "$(realpath -m "$source/build")" ] && [ "$expected" != "$(realpath "$program")" ]; then
  echo "the README names ./build/pennyloom, but the build makes $program" >&2
  fail=1
fi
for file in README.md scripts/make-demo-store; do
  if grep -n -E 'build/[a-z/]*pennyloom' "$source/$file" | grep -v -E '(\./|/)build/pennyloom\b|build-bench|build-deb' >&2; then
    echo "$file names the program somewhere other than build/pennyloom" >&2
    fail=1
  fi
done
exit $fail
