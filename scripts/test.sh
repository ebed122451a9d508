#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the normal build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the two Windows plug-in libraries (MinGW-w64
# cross builds) with their checks; those that need Wine are skipped where Wine cannot run.
# Warnings are errors here.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh all

for preset in default asan windows-x64 windows-x86; do
  cmake --preset "$preset" -DZELKRA_WERROR=ON >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j 2
done
