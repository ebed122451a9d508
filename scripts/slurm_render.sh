#!/usr/bin/env bash
# Renders a shot on a Slurm cluster: one array job whose task I of N runs
#   fxhost render RENDER_ARGS... --share I/N [--interleave] --skip-existing --report DIR/report_JOB_I.json
# (a contiguous chunk of the frames each, or every N-th frame with --interleave), then one job, started
# when every task has ended however it ended (afterany), that merges the reports into DIR/merged.json
# with `fxhost report merge` and exits non-zero when a frame of the shot is missing or failed. Running
# the same command again renders only the frames whose files are missing and merges again (the new
# reports after the old ones).
#
#   scripts/slurm_render.sh [--tasks N] [--interleave] [--reports DIR] [--fxhost PATH]
#                           [--sbatch OPTION]... -- RENDER_ARGS...
#
#   --tasks N        array tasks (default 4)
#   --interleave     every N-th frame per task instead of contiguous chunks
#   --reports DIR    where the batch scripts, task logs and reports go (default: reports)
#   --fxhost PATH    the fxhost program (default: build/bin/fxhost of this checkout)
#   --sbatch OPTION  passed to both sbatch calls, e.g. --sbatch --partition=render (repeatable)
#
# RENDER_ARGS are fxhost render's options (--frames, --output, --params, ...) without --report,
# --share or --interleave. Paths in them are taken from the folder the command is run in, where the
# jobs run too. Prints "render_job=ID" and "merge_job=ID".
set -euo pipefail

usage() {
  sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//' >&2
  exit 2
}
fail() {
  echo "slurm_render: $*" >&2
  exit 2
}

tasks=4 interleave="" reports=reports fxhost="" sbatch_options=()
while [ $# -gt 0 ]; do
  case $1 in
    --tasks) tasks=${2:?}; shift 2 ;;
    --interleave) interleave=--interleave; shift ;;
    --reports) reports=${2:?}; shift 2 ;;
    --fxhost) fxhost=${2:?}; shift 2 ;;
    --sbatch) sbatch_options+=("${2:?}"); shift 2 ;;
    --) shift; break ;;
    -h | --help) usage ;;
    *) fail "unknown option \"$1\" (the render's options come after --)" ;;
  esac
done
[ $# -gt 0 ] || fail "no render options after --"
[[ $tasks =~ ^[1-9][0-9]*$ ]] || fail "--tasks \"$tasks\" is not a number from 1"
[ -n "$fxhost" ] || fxhost="$(cd "$(dirname "$0")/.." && pwd)/build/bin/fxhost"
[ -x "$fxhost" ] || fail "fxhost \"$fxhost\" is not a program (build it, or give --fxhost)"
fxhost=$(realpath "$fxhost")

# The shot's frames, for the merge to know what is missing: --frames or --frame, else frame 0.
frames=0 skip_existing=--skip-existing
args=("$@")
for ((i = 0; i < ${#args[@]}; i++)); do
  case ${args[i]} in
    --frames | --frame) frames=${args[i + 1]:-} ;;
    --frames=* | --frame=*) frames=${args[i]#*=} ;;
    --skip-existing) skip_existing="" ;;
    --report | --report=* | --share | --share=* | --interleave)
      fail "${args[i]%%=*} is set by this script for each task" ;;
  esac
done
mkdir -p "$reports"
reports=$(realpath "$reports")

# The batch scripts. Their arguments are quoted for the shell that runs them.
render_script="$reports/render.sbatch" merge_script="$reports/merge.sbatch"
{
  echo '#!/bin/bash'
  echo '# One task of the shot: its share of the frames, its own report.'
  printf 'exec %q render' "$fxhost"
  printf ' %q' "$@"
  printf ' %s --share "$SLURM_ARRAY_TASK_ID/%s" %s' "$skip_existing" "$tasks" "$interleave"
  printf ' --report %q/"report_${SLURM_ARRAY_JOB_ID}_${SLURM_ARRAY_TASK_ID}.json"\n' "$reports"
} >"$render_script"
{
  echo '#!/bin/bash'
  echo '# Merges every report of the shot, oldest submission first; exits non-zero when the shot is incomplete.'
  printf 'folder=%q\n' "$reports"
  echo 'reports=()'
  echo 'for name in $(cd "$folder" && ls report_*_*.json 2>/dev/null | sort -t_ -k2,2n -k3,3n); do'
  echo '  reports+=("$folder/$name")'
  echo 'done'
  printf 'exec %q report merge --frames %q --output "$folder/merged.json" "${reports[@]}"\n' "$fxhost" "$frames"
} >"$merge_script"

render_job=$(sbatch --parsable --chdir="$PWD" --job-name=fxhost-render --array=0-$((tasks - 1)) \
  --output="$reports/task_%A_%a.log" "${sbatch_options[@]}" "$render_script")
render_job=${render_job%%;*}
merge_job=$(sbatch --parsable --chdir="$PWD" --job-name=fxhost-merge --dependency=afterany:"$render_job" \
  --output="$reports/merge_%j.log" "${sbatch_options[@]}" "$merge_script")
merge_job=${merge_job%%;*}
echo "render_job=$render_job"
echo "merge_job=$merge_job"
echo "slurm_render: $tasks tasks in job $render_job; job $merge_job merges into $reports/merged.json" >&2
