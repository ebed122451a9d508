#!/bin/sh
# Runs a Windows program under Wine for CTest: run_under_wine.sh 32|64 PROGRAM.exe ARGS...
# Exits 77 (the test is skipped) when this machine cannot run Wine for that processor at all, e.g.
# Wine is missing or the kernel cannot start 32-bit programs.
bits=$1
shift
case $bits in
  64) candidates="/usr/lib/wine/wine64 wine64" ;;
  *) candidates="/usr/lib/wine/wine wine" ;;
esac
loader=""
for candidate in $candidates; do
  if command -v "$candidate" >/dev/null 2>&1 && "$candidate" --version >/dev/null 2>&1; then
    loader=$candidate
    break
  fi
done
if [ -z "$loader" ]; then
  echo "SKIPPED: Wine cannot run $bits-bit Windows programs on this machine (tried: $candidates)"
  exit 77
fi

# One Wine prefix per build folder, made on first use (slow once).
export WINEPREFIX="${ZELKRA_WINEPREFIX:?}"
export WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
exec "$loader" "$@"
