#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the formatting check, the normal build, then the
# same tests under AddressSanitizer and UndefinedBehaviorSanitizer, then the libFuzzer targets (their
# seed corpora and a bounded run of each, built with clang), then the two Windows plug-in
# libraries (MinGW-w64 cross builds) with their checks, then fxhost for Windows, which renders under
# Wine what the normal build renders (so it comes after the normal and the plug-in builds). Checks
# that need Wine are skipped where Wine cannot run. Warnings are errors here.
#
# Every preset runs even when an earlier one fails, so the last line totals every test of the run:
# "N passed, N failed, N skipped" (a preset that does not configure or build counts as one failure).
# The exit status is 0 only when nothing failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh all || exit 1

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
passed=0 failed=0 skipped=0

# Adds the counts of one ctest JUnit file to the totals.
tally() {
  local counts
  counts=$(scripts/junit_counts.sh "$1") || {
    failed=$((failed + 1))
    return
  }
  read -r p f s <<<"$counts"
  passed=$((passed + p)) failed=$((failed + f)) skipped=$((skipped + s))
}

if scripts/check_format.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

for preset in default asan fuzz windows-x64 windows-x86 windows-x64-host windows-x86-host; do
  if ! cmake --preset "$preset" -DZELKRA_WERROR=ON >/dev/null || ! cmake --build --preset "$preset" -j 2; then
    echo "test: preset $preset did not build"
    failed=$((failed + 1))
    continue
  fi
  ctest --preset "$preset" -j 2 --output-junit "$results/$preset.xml"
  tally "$results/$preset.xml"
done

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
