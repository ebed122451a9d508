#!/usr/bin/env bash
# Re-makes docs/demo.gif, the picture in the README: fxhost renders the effect on its test card,
# "Time" keyframed from 0 to 8 over 48 frames at 12 frames per second, straight into a GIF (through
# ffmpeg). Needs a build (scripts/demo.sh) and ffmpeg.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p docs
build/bin/fxhost render --quiet --size 320x180 --frames 0-47 --fps 12 --set "Time=0@0,8@47" --set Seed=7 \
  --output docs/demo.gif
ls -l docs/demo.gif
