#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the normal build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the two Windows plug-in libraries (MinGW-w64
# cross builds) with their checks, then fxhost for Windows, which renders under Wine what the normal
# build renders (so it comes after the normal and the plug-in builds). Checks that need Wine are
# skipped where Wine cannot run. Warnings are errors here.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh all

for preset in default asan windows-x64 windows-x86 windows-x64-host windows-x86-host; do
  cmake --preset "$preset" -DZELKRA_WERROR=ON >/dev/null
  cmake --build --preset "$preset" -j 2
  ctest --preset "$preset" -j 2
done
