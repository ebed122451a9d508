#!/usr/bin/env bash
# A shot rendered on a real Slurm cluster (one node on the loopback interface, started here) through
# scripts/slurm_render.sh: 48 frames in an array job of 4 tasks, then the merge job.
#   1. The merged report is complete and its checksums are those of the same frames rendered by one
#      process.
#   2. A second shot with one task cancelled part-way: the merge job fails and names exactly the frames
#      that are not on disk; submitting the same shot again renders only those and completes it, with the
#      one-process checksums again.
#   slurm_shot_test.sh FXHOST SLURM_RENDER_SH
# Exit status 0: passed; 77: skipped (no root, no Slurm packages, or the cluster does not start).
set -u
fxhost=$1 submit=$2
here=$(dirname "$0")
# Short: the MUNGE socket's path must fit a socket address.
work=$(mktemp -d /tmp/fxhost-slurm.XXXXXX)
source "$here/one_node_slurm.sh"

cleanup() {
  slurm_stop
  rm -rf "$work"
}
fail() {
  echo "FAILED: $*"
  for log in "$work"/shot*/*.log "$work"/cluster/slurmctld.log "$work"/cluster/slurmd.log; do
    [ -f "$log" ] && { echo "--- $log"; tail -n 5 "$log"; }
  done
  exit 1
}
started=$SECONDS
phase_start=$SECONDS
timing() {
  echo "$1: $((SECONDS - phase_start)) s"
  phase_start=$SECONDS
}

trap cleanup EXIT
slurm_start "$work/cluster"
timing "cluster up"

# Frames big enough that a task takes a few seconds, so that it can be cancelled part-way.
render=(--size 960x540 --frames 0-47 --set "Time=0@0,9@47" --set Row=4 --set Column=5 --quiet)

# The "FRAME, DEPTH, WxH, 0xCRC" lines of a report, in its order.
checksums() {
  grep -o '"checksum": *"[^"]*"' "$1" | sed 's/.*: *"\(.*\)"/\1/'
}

"$fxhost" render "${render[@]}" --jobs 2 --output null --report "$work/single.json" ||
  fail "the one-process render failed"
checksums "$work/single.json" >"$work/single_checksums.txt"
[ "$(wc -l <"$work/single_checksums.txt")" -eq 48 ] || fail "the one-process render has not 48 checksums"
timing "one-process render of 48 frames"

# Submits the shot in `$1`; sets render_job and merge_job.
submit_shot() {
  local shot=$1 ids
  ids=$("$submit" --tasks 4 --reports "$shot" --fxhost "$fxhost" -- "${render[@]}" --jobs 1 \
    --output "$shot/frames/f_####.png") || fail "slurm_render.sh failed"
  render_job=$(sed -n 's/^render_job=//p' <<<"$ids")
  merge_job=$(sed -n 's/^merge_job=//p' <<<"$ids")
  [ -n "$render_job" ] && [ -n "$merge_job" ] || fail "slurm_render.sh printed no job ids: $ids"
  slurm_jobs+=("$render_job" "$merge_job")
}

# The merge job's state once it has ended, and its merged report's checksums against the single ones.
# A frame whose file was written just before its task was killed, and so is in no report, must be the
# very file the first shot wrote.
expect_complete() {
  local shot=$1 state frame name
  state=$(slurm_wait_job "$merge_job" 120)
  [ "$state" = COMPLETED ] || fail "$shot: the merge job ended $state, not COMPLETED"
  grep -q '"complete": true' "$shot/merged.json" || fail "$shot: the merged report is not complete"
  checksums "$shot/merged.json" >"$shot/checksums.txt"
  grep -Fxv -f "$work/single_checksums.txt" "$shot/checksums.txt" &&
    fail "$shot: these merged checksums differ from the one-process render's"
  for frame in $(seq 0 47); do
    grep -q "^$frame, " "$shot/checksums.txt" && continue
    name=frames/f_$(printf %04d "$frame").png
    echo "frame $frame: no checksum (its file was written but not reported before its task was killed)"
    cmp -s "$shot/$name" "$work/shot1/$name" || fail "$shot: frame $frame has no checksum and differs"
  done
}

# 1. The whole shot.
shot=$work/shot1
submit_shot "$shot"
expect_complete "$shot"
[ "$(ls "$shot"/frames | wc -l)" -eq 48 ] || fail "shot1: not 48 frame files"
[ "$(wc -l <"$shot/checksums.txt")" -eq 48 ] || fail "shot1: not 48 checksums"
timing "shot of 48 frames in 4 tasks, merged"

# 2. Task 2 (frames 24-35) cancelled once it has written two frames.
shot=$work/shot2
submit_shot "$shot"
first_render=$render_job
deadline=$((SECONDS + 120))
until [ "$(ls "$shot"/frames/f_00{24..35}.png 2>/dev/null | wc -l)" -ge 2 ]; do
  [ $SECONDS -lt $deadline ] || fail "task 2 wrote no frames in 120 s"
  sleep 0.05
done
scancel "${render_job}_2"
state=$(slurm_wait_job "$merge_job" 120)
[ "$state" = FAILED ] || fail "shot2: with a task cancelled, the merge job ended $state, not FAILED"
missing=()
for frame in $(seq 24 35); do
  [ -f "$shot/frames/f_$(printf %04d "$frame").png" ] || missing+=("$frame")
done
[ ${#missing[@]} -gt 0 ] || fail "task 2 finished before it was cancelled"
expected="missing: ${missing[0]}"
[ ${#missing[@]} -gt 1 ] && expected+="-${missing[-1]}"
grep -qx "$expected" "$shot/merge_$merge_job.log" ||
  fail "shot2: the merge does not name the missing frames ($expected): $(cat "$shot/merge_$merge_job.log")"
timing "shot with task 2 cancelled after $((12 - ${#missing[@]})) of its 12 frames, merged"

# The same shot again: only the missing frames are rendered.
submit_shot "$shot"
expect_complete "$shot"
rendered=$(cat "$shot"/report_"${render_job}"_*.json | grep -c '"status": "rendered"')
[ "$rendered" -eq ${#missing[@]} ] ||
  fail "the resumed shot rendered $rendered frames, not the ${#missing[@]} missing ones"
[ "$render_job" != "$first_render" ] || fail "no new render job"
timing "resumed: ${#missing[@]} missing frames rendered, merged"
echo "passed in $((SECONDS - started)) s"
