#!/usr/bin/env bash
# The main job: installs what is missing, builds, loads the plug-in in fxhost and prints its About
# text and parameter list.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh native
cmake --preset default >/dev/null
cmake --build --preset default -j2
build/bin/fxhost info
