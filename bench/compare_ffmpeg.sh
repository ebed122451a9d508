#!/usr/bin/env bash
# fxhost against FFmpeg's block shuffle: the same picture size and frame count, both on every core, and
# the ratio of their frame rates by wall time (above 1: fxhost is faster), and of their CPU seconds.
#   bench/compare_ffmpeg.sh [WxH ...]        default: 1920x1080 3840x2160
# Environment: FRAMES (100), RUNS (3; the fastest run of each counts), JOBS (the machine's cores),
#   FXHOST (build/bin/fxhost), FFMPEG (ffmpeg).
# fxhost renders the test card, Time keyframed 0 to 20, 8-bit, output null; it still computes every
# frame's checksum (written to a report, so the work cannot be skipped). FFmpeg renders its testsrc2
# picture and shuffles it in blocks of a quarter width and a third height, output null.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
frames=${FRAMES:-100}
runs=${RUNS:-3}
jobs=${JOBS:-$(nproc)}
fxhost=${FXHOST:-$here/build/bin/fxhost}
ffmpeg=${FFMPEG:-ffmpeg}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1920x1080 3840x2160)

[ -x "$fxhost" ] || { echo "compare_ffmpeg: no fxhost at $fxhost (build first)" >&2; exit 2; }
command -v "$ffmpeg" >/dev/null || { echo "compare_ffmpeg: no $ffmpeg on PATH" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "WALL CPU" in seconds of the fastest (by wall time) of $runs runs of the command given; CPU is user plus
# system time of all its threads, which a busy machine does not inflate.
fastest() {
  local best="" line
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f "%e %U %S" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" ||
      { cat "$work/stderr" >&2; echo "compare_ffmpeg: failed: $*" >&2; exit 1; }
    line=$(awk '{ print $1, $2 + $3 }' "$work/time")
    best=$(awk -v run="$line" -v best="$best" 'BEGIN { split(run, r, " "); split(best, b, " ");
      print (best == "" || r[1] < b[1]) ? run : best }')
  done
  echo "$best"
}

printf '%-10s %6s %11s %11s %8s %9s\n' size frames fxhost_fps ffmpeg_fps ratio cpu_ratio
for size in "${sizes[@]}"; do
  width=${size%x*}
  height=${size#*x}
  fx=$(fastest "$fxhost" render --size "$size" --depth 8 --frames "0-$((frames - 1))" \
    --set "Time=0@0,20@$((frames - 1))" --output null --jobs "$jobs" --quiet --report "$work/report.json")
  grep -q '0, 8, '"$size"', 0x' "$work/report.json" || { echo "compare_ffmpeg: no checksums in the report" >&2; exit 1; }
  ff=$(fastest "$ffmpeg" -nostdin -hide_banner -threads "$jobs" -filter_threads "$jobs" \
    -f lavfi -i "testsrc2=size=${size}:rate=24" -frames:v "$frames" \
    -vf "format=rgba,shufflepixels=m=block:width=$((width / 4)):height=$((height / 3))" -f null -)
  awk -v s="$size" -v n="$frames" -v fx="$fx" -v ff="$ff" 'BEGIN { split(fx, x, " "); split(ff, f, " ");
    printf "%-10s %6d %11.1f %11.1f %7.2fx %8.2fx\n", s, n, n / x[1], n / f[1], f[1] / x[1], f[2] / x[2] }'
done
