#!/usr/bin/env bash
# Fails when a C++ file differs from the repository's .clang-format; `make format` mends it.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench fuzz \( -name '*.h' -o -name '*.cpp' \) -print0 | xargs -0 clang-format --dry-run -Werror
echo "format: every file follows .clang-format"
