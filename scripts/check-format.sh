#!/usr/bin/env bash
# Checks every C++ file of the repository against its .clang-format and lists those that
# deviate; fails when there is one. With --fix, formats them in place instead.
#   scripts/check-format.sh [--fix]
# CLANG_FORMAT names another clang-format than Debian's (the default is `clang-format`).
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}
command -v "$clang_format" >/dev/null || { echo "$clang_format is not installed (make format-check installs it)" >&2; exit 2; }

# A .clang-format that cannot be read must not pass as "nothing deviates".
"$clang_format" --style=file --dump-config >/dev/null
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  "$clang_format" -i --style=file "${files[@]}"
  exit
fi

# One run over all files; each deviation is reported as "FILE:LINE:COL: error: ...".
mapfile -t deviating < <("$clang_format" --style=file --dry-run "${files[@]}" 2>&1 |
                         sed -n 's/^\(.*\):[0-9]*:[0-9]*: \(error\|warning\): .*/\1/p' | sort -u)
if [ ${#deviating[@]} -gt 0 ]; then
  printf '%s\n' "${deviating[@]}"
  echo "${#deviating[@]} of ${#files[@]} files deviate from .clang-format ($("$clang_format" --version | head -n 1)); 'make format' fixes them" >&2
  exit 1
fi
echo "${#files[@]} files formatted as .clang-format says"
