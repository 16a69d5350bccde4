#!/usr/bin/env bash
# Builds penlet.exe with its Windows-side tests, and the native unit tests (plain and sanitized).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
jobs=$(nproc)
what=${1:-all}
# scripts/test.sh builds with warnings as errors; a plain build only shows them.
werror=-DPENLET_WERROR=${PENLET_WERROR:-OFF}

if [ "$what" = all ] || [ "$what" = native ]; then
  cmake -S "$PENLET_ROOT" -B "$PENLET_BUILD/native" -DCMAKE_BUILD_TYPE=Debug "$werror" >/dev/null
  cmake --build "$PENLET_BUILD/native" -j "$jobs"
  cmake -S "$PENLET_ROOT" -B "$PENLET_BUILD/native-san" -DCMAKE_BUILD_TYPE=Debug -DPENLET_SANITIZE=ON "$werror" >/dev/null
  cmake --build "$PENLET_BUILD/native-san" -j "$jobs"
fi
if [ "$what" = all ] || [ "$what" = windows ]; then
  scintilla=$("$PENLET_ROOT/scripts/fetch-scintilla.sh")
  cmake -S "$PENLET_ROOT" -B "$PENLET_BUILD/windows" -DCMAKE_BUILD_TYPE=Release "$werror" \
    -DCMAKE_TOOLCHAIN_FILE="$PENLET_ROOT/cmake/mingw-i686.cmake" \
    -DPENLET_SCINTILLA_DIR="$scintilla" >/dev/null
  cmake --build "$PENLET_BUILD/windows" -j "$jobs"
fi
