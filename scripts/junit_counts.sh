#!/usr/bin/env bash
# Prints "passed failed skipped" for one ctest JUnit file (ctest --output-junit): the counts of the
# file's <testsuite> element, where "tests" includes the failed and the skipped ones.
set -euo pipefail
suite=$(grep -o '<testsuite [^>]*>' "$1" | head -n 1)
[ -n "$suite" ] || { echo "junit_counts: no <testsuite> in $1" >&2; exit 1; }
attr() { sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p" <<<"$suite"; }
tests=$(attr tests) failures=$(attr failures) skipped=$(attr skipped) disabled=$(attr disabled)
skipped=$(( ${skipped:-0} + ${disabled:-0} ))
echo "$(( tests - failures - skipped )) $failures $skipped"
