#!/usr/bin/env bash
# Checks that every C++ file of the repository is formatted as .clang-format says; lists the
# files that are not. `scripts/check-format.sh --fix` formats them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.h' '*.cpp')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
unformatted=$(clang-format --dry-run "${files[@]}" 2>&1 | { grep -o '^[^:]*:[0-9]*:[0-9]*: warning' || true; } | cut -d: -f1 | sort -u)
if [ -n "$unformatted" ]; then
  printf '[penlet] not formatted (scripts/check-format.sh --fix):\n%s\n' "$unformatted" >&2
  exit 1
fi
