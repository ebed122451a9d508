#!/usr/bin/env bash
# Runs one libFuzzer target for the test suite: every file of its seed corpus once (each a regression
# case), then a bounded run of SECONDS from that corpus in a scratch folder, so the committed corpus
# is left as it is. Exits non-zero when the target fails or finds anything; the input that did it is
# kept in the build folder (fuzz-findings/NAME/) and named in the output.
#   run_fuzzer.sh FUZZER CORPUS_FOLDER SECONDS
set -uo pipefail
fuzzer=$1 corpus=$2 seconds=$3
name=$(basename "$fuzzer")
findings="$PWD/fuzz-findings/$name"
rm -rf "$findings"
mkdir -p "$findings"
scratch=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$scratch" "$log"' EXIT

shopt -s nullglob
seeds=("$corpus"/*)
[ ${#seeds[@]} -gt 0 ] || { echo "$name: no seed corpus in $corpus"; exit 1; }
"$fuzzer" -artifact_prefix="$findings/" "${seeds[@]}" >"$log" 2>&1 || {
  cat "$log"
  echo "$name: a seed failed; kept in $findings"
  exit 1
}
echo "$name: ${#seeds[@]} seeds pass"
status=0
"$fuzzer" -artifact_prefix="$findings/" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
  -print_final_stats=1 "$scratch" "$corpus" >"$log" 2>&1 || status=$?
grep -v '^#[0-9]' "$log"
# libFuzzer also keeps slow inputs there (slow-unit-*); only these are findings.
found=("$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* "$findings"/oom-*)
if [ "$status" -ne 0 ] || [ ${#found[@]} -gt 0 ]; then
  echo "$name: failed (status $status); findings kept in $findings"
  exit 1
fi
