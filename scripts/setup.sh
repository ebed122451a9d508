#!/usr/bin/env bash
# Installs the project's build dependencies from Debian's packages, only those that are missing.
# Idempotent: a second run installs nothing.
#   scripts/setup.sh native   what the native build, fxhost and the native tests need
#   scripts/setup.sh all      also the MinGW-w64 cross compilers, wrestool (icoutils) and Wine for the
#                             Windows builds and their checks
set -euo pipefail

tier=${1:-all}
native=(cmake ninja-build g++ pkg-config binutils clang-format clang libclang-rt-14-dev
        libgtest-dev libgmock-dev libbenchmark-dev
        libopenimageio-dev libcli11-dev nlohmann-json3-dev libdeflate-dev ffmpeg time
        libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
        slurmctld slurmd slurm-client munge)
windows=(g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
         binutils-mingw-w64 icoutils wine wine64 wine32:i386)

wanted=("${native[@]}")
[ "$tier" = all ] && wanted+=("${windows[@]}")

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
