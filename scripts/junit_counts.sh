#!/usr/bin/env bash
# Prints "passed failed skipped" for one ctest JUnit file (ctest --output-junit). A test ctest could
# not start (its program missing, a fixture failed) is a failure, not a skip: only tests that skipped
# themselves (SKIP_RETURN_CODE, SKIP_REGULAR_EXPRESSION) or are disabled count as skipped.
set -euo pipefail
grep -q '<testsuite' "$1" || { echo "junit_counts: no <testsuite> in $1" >&2; exit 1; }
awk '
  /<testcase / { if (open) settle(); open = 1; match($0, /status="[a-z]*"/); status = substr($0, RSTART + 8, RLENGTH - 9); message = "" }
  /<skipped / { match($0, /message="[^"]*"/); message = substr($0, RSTART + 9, RLENGTH - 10) }
  END { if (open) settle(); print passed + 0, failed + 0, skipped + 0 }
  function settle() {
    if (status == "run") passed++
    else if (status == "disabled" || (status == "notrun" && message ~ /^SKIP_|^Disabled/)) skipped++
    else failed++
  }' "$1"
