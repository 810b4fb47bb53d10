#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file differs from the repository's .clang-format (`make format` mends it) or
# does not open with the licence line every source carries.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench fuzz \( -name '*.h' -o -name '*.cpp' \) -print0 | xargs -0 clang-format --dry-run -Werror
licence='// SPDX-License-Identifier: GPL-3.0-or-later'
missing=$(find src tests bench fuzz \( -name '*.h' -o -name '*.cpp' \) -print0 |
  xargs -0 awk -v want="$licence" 'FNR == 1 && $0 != want { print FILENAME }')
if [ -n "$missing" ]; then
  echo "these files do not open with \"$licence\":"
  echo "$missing"
  exit 1
fi
echo "format: every file follows .clang-format and carries the licence line"
