#!/usr/bin/env bash
# Formats every C++ source and header of the tree with clang-format and the
# style in .clang-format.
#   scripts/format.sh           format in place
#   scripts/format.sh --check   list the files that formatting would change
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
format=${CLANG_FORMAT:-clang-format}
files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  status=0
  for f in $files; do
    if ! "$format" --style=file "$f" | cmp -s - "$f"; then
      echo "$f"
      status=1
    fi
  done
  exit $status
fi
printf '%s\n' $files | xargs -P "$(nproc)" -n 50 "$format" -i --style=file
