#!/usr/bin/env bash
# The main job: installs what is missing, builds, and renders a short animation of the effect on the
# built-in test card with fxhost: 24 frames at 640x360, "Time" keyframed from 0 to 6, as PNG files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh native
cmake --preset default >/dev/null
cmake --build --preset default -j2
mkdir -p out/demo
build/bin/fxhost render --size 640x360 --frames 0-23 --set "Time=0@0,6@23" --set Seed=7 \
  --output out/demo/frame_####.png --report out/demo/report.json
echo "demo: 24 frames in $(pwd)/out/demo (frame_0000.png ... frame_0023.png), report in out/demo/report.json"
