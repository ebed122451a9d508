#!/bin/sh
# Renders the same frames with the native fxhost and plug-in and with the Windows fxhost.exe and .aex
# under Wine, and requires the same pixels: identical per-frame checksums, in every depth, with and
# without a gap layer, at whole and fractional Time. The 32-bit variant may differ in the last bit of
# float channels (its float compositing rounds once, from higher precision): its float frames whose
# checksums differ are compared pixel by pixel from raw dumps, allowing 1 ulp per channel.
# Also checks that fxhost.exe info reads the descriptor from the .aex's resource.
#   compare_renders.sh BITS NATIVE_BIN_DIR NATIVE_PLUGIN FXHOST_EXE PLUGIN_AEX WORK_DIR
# Exit status 0: same pixels; 77: skipped (Wine cannot run BITS-bit programs here); else failed.
set -u
bits=$1 native_bin=$2 native_plugin=$3 fxhost_exe=$4 plugin_aex=$5 work=$6
wine="$(dirname "$0")/run_under_wine.sh"
native_fxhost="$native_bin/fxhost"

fail() {
  echo "FAILED: $*"
  exit 1
}

for file in "$native_fxhost" "$native_plugin" "$fxhost_exe" "$plugin_aex"; do
  [ -f "$file" ] || fail "$file is missing (build the presets default and windows-x64 / windows-x86 first)"
done

# Windows programs under Wine see the Unix root as drive Z:.
windows_path() {
  printf 'Z:%s' "$1" | tr / '\\'
}

rm -rf "$work"
mkdir -p "$work"

# info: the .aex loaded by path, its descriptor read through the resource functions, About text and
# parameters from the entry point, all as the native build shows them.
"$wine" "$bits" "$fxhost_exe" info --plugin "$(windows_path "$plugin_aex")" >"$work/info.txt" 2>"$work/info_errors.txt"
status=$?
[ $status -eq 77 ] && { cat "$work/info.txt"; exit 77; }
[ $status -eq 0 ] || { cat "$work/info.txt" "$work/info_errors.txt"; fail "fxhost.exe info exited with $status"; }
"$native_fxhost" info --plugin "$native_plugin" >"$work/native_info.txt" 2>&1 || fail "native fxhost info failed"
# All but the line naming the library file.
tr -d '\r' <"$work/info.txt" | grep -v '^Plug-in:' >"$work/info_shown.txt"
grep -v '^Plug-in:' "$work/native_info.txt" | diff - "$work/info_shown.txt" ||
  fail "fxhost.exe info differs from the native one"
grep -q "Zelkra15puzzle by Dorvanelo" "$work/info.txt" || { cat "$work/info.txt"; fail "info shows no descriptor"; }
echo "info under Wine: as native, with the descriptor"

# The per-frame checksum lines of a report, "FRAME, DEPTH, WxH, 0xCRC", one a line.
checksums() {
  grep -o '"checksum": *"[^"]*"' "$1" | sed 's/.*: *"\(.*\)"/\1/'
}

# Every 32-bit value of two raw float dumps within 1 of the other (1 ulp for floats of one sign).
within_one_ulp() {
  [ "$(wc -c <"$1")" -eq "$(wc -c <"$2")" ] || return 1
  od -An -v -tu4 -w4 "$1" >"$work/a.txt" && od -An -v -tu4 -w4 "$2" >"$work/b.txt" || return 1
  paste "$work/a.txt" "$work/b.txt" | awk '{ d = $1 - $2; if (d < -1 || d > 1) bad++ }
    END { if (bad) { print bad " values differ by more than 1 ulp"; exit 1 } }'
}

frames=0-8
# Time runs 0 -> 5 over frames 0..8: whole and fractional moves.
common="--size 64x48 --set Row=3 --set Column=4 --set Seed=7 --set Time=0@0,5@8 --frames $frames --quiet"
failed=0
for depth in 8 16 32; do
  for layer in none testcard:40x30; do
    case_name="depth $depth, gap layer $layer"
    set -- $common --depth "$depth"
    [ "$layer" = none ] || set -- "$@" --set "Missing Tile Layer=$layer"
    native_report="$work/native_${depth}_${layer%%:*}.json"
    windows_report="$work/windows_${depth}_${layer%%:*}.json"

    "$native_fxhost" render --plugin "$native_plugin" "$@" --output null --report "$native_report" ||
      fail "$case_name: native render failed"
    "$wine" "$bits" "$fxhost_exe" render --plugin "$(windows_path "$plugin_aex")" "$@" --output null \
      --report "$(windows_path "$windows_report")"
    status=$?
    [ $status -eq 0 ] || fail "$case_name: fxhost.exe render exited with $status"

    checksums "$native_report" >"$work/native.txt"
    checksums "$windows_report" >"$work/windows.txt"
    [ -s "$work/native.txt" ] || fail "$case_name: no checksums in $native_report"
    if cmp -s "$work/native.txt" "$work/windows.txt"; then
      echo "$case_name: $(wc -l <"$work/native.txt") frames identical"
      continue
    fi
    if [ "$bits" = 32 ] && [ "$depth" = 32 ]; then
      # Float frames of the 32-bit variant: compare the pixels with 1 ulp allowed.
      dumps="$work/dumps_${layer%%:*}"
      mkdir -p "$dumps"
      "$native_fxhost" render --plugin "$native_plugin" "$@" --output "$dumps/native_####.raw" ||
        fail "$case_name: native raw dump failed"
      "$wine" "$bits" "$fxhost_exe" render --plugin "$(windows_path "$plugin_aex")" "$@" \
        --output "$(windows_path "$dumps")\\windows_####.raw" ||
        fail "$case_name: fxhost.exe raw dump failed"
      within=yes
      for native_dump in "$dumps"/native_*.raw; do
        windows_dump="$dumps/windows_${native_dump##*/native_}"
        within_one_ulp "$native_dump" "$windows_dump" ||
          { echo "$case_name: ${native_dump##*/} differs by more than 1 ulp"; within=no; failed=1; }
      done
      [ $within = yes ] && echo "$case_name: frames within 1 ulp of the native ones"
      continue
    fi
    echo "$case_name: checksums differ"
    diff "$work/native.txt" "$work/windows.txt"
    failed=1
  done
done
[ $failed -eq 0 ] || fail "the Windows build renders different pixels"
echo "the Windows build renders the native build's pixels"
