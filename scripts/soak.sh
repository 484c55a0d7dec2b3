#!/usr/bin/env bash
# The long fault-injection run: kill -9 at many moments of an install and an
# uninstall, full disks at many fill levels, every damaged map with time and
# memory figures. Writes docs/reliability.md with what was tried and what held.
#
#   scripts/soak.sh [BUILD_DIR]        (default: build; needs root for the tmpfs mounts)
#   KILL_MOMENTS=60 RANDOM_KILLS=20 scripts/soak.sh
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-${BUILD:-build}}
case $BUILD in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac
BIN=$BUILD/bin
DRIVER=$BIN/qv-fault-driver
SHARED=$(cd "$ROOT/../shared" && pwd)
MAP_SOURCE=$SHARED/maps/melee-tft-beta-4p.w3x
KILL_MOMENTS=${KILL_MOMENTS:-60}
RANDOM_KILLS=${RANDOM_KILLS:-20}
OUT=${OUT:-$ROOT/docs/reliability.md}
[ -x "$DRIVER" ] && [ -x "$BIN/qvrace-reader" ] && [ -x "$BIN/qvrace" ] || { echo "build first: $DRIVER, $BIN/qvrace, $BIN/qvrace-reader" >&2; exit 2; }

WORK=$(mktemp -d /tmp/qvsoak-XXXXXX)
cleanup() {
  for m in "$WORK"/*/maps "$WORK"/*/prog; do umount -l "$m" 2>/dev/null; done
  rm -rf "$WORK"
}
trap cleanup EXIT

declare -A held tried
note() { tried[$1]=$(( ${tried[$1]:-0} + 1 )); [ "$2" = ok ] && held[$1]=$(( ${held[$1]:-0} + 1 )); [ "$2" = ok ] || echo "FAILED: $1: $3" >&2; }

# A fresh case folder: race in prog/, map in maps/map.w3x.
fresh() {
  local dir=$WORK/$1
  rm -rf "$dir"; mkdir -p "$dir/prog" "$dir/maps"
  "$DRIVER" make-race "$dir/prog" || exit 2
  echo "$dir"
}
tree_of() { (cd "$1" && find . -mindepth 1 | LC_ALL=C sort); }

# The complete results and the files each workflow leaves by design.
base=$(fresh reference)
install -m 644 "$MAP_SOURCE" "$base/maps/map.w3x"
race_tree=$(tree_of "$base/prog")
install_calls=$("$DRIVER" install "$base/maps/map.w3x" "$base/prog" | sed -n 's/^calls //p')
cp "$base/maps/map.w3x" "$WORK/installed.w3x"
install_left=$(tree_of "$base/prog")
start=$(date +%s%N)
uninstall_calls=$("$DRIVER" uninstall "$base/maps/map.w3x" "$base/prog" | sed -n 's/^calls //p')
uninstall_ms=$(( ($(date +%s%N) - start) / 1000000 ))
cp "$base/maps/map.w3x" "$WORK/uninstalled.w3x"
uninstall_left=$(tree_of "$base/prog")
start=$(date +%s%N)
"$DRIVER" install "$base/maps/map.w3x" "$base/prog" >/dev/null
install_ms=$(( ($(date +%s%N) - start) / 1000000 ))
killed_with_stray=0

# One killed run, then the check and the run that must succeed.
# $1 install|uninstall, $2 --kill-at N or "sleep:MS"
kill_case() {
  local op=$1 how=$2 label dir before complete left
  dir=$(fresh kill)
  if [ "$op" = install ]; then install -m 644 "$MAP_SOURCE" "$dir/maps/map.w3x"; complete=$WORK/installed.w3x; left=$install_left
  else install -m 644 "$WORK/installed.w3x" "$dir/maps/map.w3x"; complete=$WORK/uninstalled.w3x; left=$uninstall_left; fi
  cp "$dir/maps/map.w3x" "$WORK/before.w3x"
  case $how in
    sleep:*) label="kill -9 of qvrace at a random time ($op)"
      # The real command line, killed from outside as a person or a script would.
      "$BIN/qvrace" "$op" "$dir/maps/map.w3x" --race "$dir/prog" >/dev/null 2>&1 & local pid=$!
      sleep "$(printf '0.%03d' "${how#sleep:}")"; kill -9 $pid 2>/dev/null; wait $pid 2>/dev/null ;;
    *) label="kill -9 after report call k ($op)"
      ( "$DRIVER" "$op" "$dir/maps/map.w3x" "$dir/prog" --kill-at "$how" >/dev/null ) 2>/dev/null ;;
  esac
  if ! cmp -s "$dir/maps/map.w3x" "$WORK/before.w3x" && ! cmp -s "$dir/maps/map.w3x" "$complete"; then
    note "$label" fail "$how: map neither original nor complete"; return; fi
  [ "$(tree_of "$dir/maps")" = "./map.w3x" ] || killed_with_stray=$((killed_with_stray + 1))
  if ! "$DRIVER" "$op" "$dir/maps/map.w3x" "$dir/prog" >/dev/null; then
    # The kill came after the map was complete: an uninstall then finds no race, an
    # install simply installs again.
    cmp -s "$dir/maps/map.w3x" "$complete" || { note "$label" fail "$how: next run failed"; return; }
  fi
  cmp -s "$dir/maps/map.w3x" "$complete" || { note "$label" fail "$how: next run did not give the complete map"; return; }
  [ "$(tree_of "$dir/maps")" = "./map.w3x" ] || { note "$label" fail "$how: stray file beside the map"; return; }
  [ "$(tree_of "$dir/prog")" = "$left" ] || { note "$label" fail "$how: stray file in the program folder"; return; }
  note "$label" ok
}

half=$((KILL_MOMENTS / 2))
for i in $(seq 1 "$half"); do kill_case install $(( i * install_calls / (half + 1) )); done
for i in $(seq 1 "$half"); do kill_case uninstall $(( i * uninstall_calls / (half + 1) )); done
for i in $(seq 1 "$RANDOM_KILLS"); do
  if (( i % 2 )); then kill_case install "sleep:$(( RANDOM % (install_ms + 20) % 1000 ))";
  else kill_case uninstall "sleep:$(( RANDOM % (uninstall_ms + 20) % 1000 ))"; fi
done

# Full disks: the map folder or the program folder on a small tmpfs, filled so that
# only FREE KiB remain.
disk_case() {
  local side=$1 free=$2 dir target size label="full disk: $1 on tmpfs" out
  dir=$(fresh disk)
  if [ "$side" = "map folder" ]; then target=$dir/maps; size=1m; else target=$dir/prog; size=4m; fi
  mount -t tmpfs -o size=$size tmpfs "$target" 2>/dev/null || { mounts_failed=1; return; }
  if [ "$side" = "map folder" ]; then install -m 644 "$MAP_SOURCE" "$dir/maps/map.w3x"; else "$DRIVER" make-race "$dir/prog"; fi
  [ "$side" = "map folder" ] || install -m 644 "$MAP_SOURCE" "$dir/maps/map.w3x"
  dd if=/dev/zero of="$target/filler" bs=4k 2>/dev/null
  truncate -s "-$((free * 1024))" "$target/filler" 2>/dev/null || : > "$target/filler"
  local maps_before prog_before
  maps_before=$(tree_of "$dir/maps"); prog_before=$(tree_of "$dir/prog")
  out=$("$DRIVER" install "$dir/maps/map.w3x" "$dir/prog"); local rc=$?
  if [ $rc -eq 0 ]; then cmp -s "$dir/maps/map.w3x" "$WORK/installed.w3x" || { note "$label" fail "$free KiB: finished but not complete"; umount -l "$target"; return; }
    disk_finished=$((disk_finished + 1))
  else cmp -s "$dir/maps/map.w3x" "$MAP_SOURCE" || { note "$label" fail "$free KiB: refused but map changed"; umount -l "$target"; return; }
    grep -q '^message ' <<<"$out" || { note "$label" fail "$free KiB: no message"; umount -l "$target"; return; }
    disk_refused=$((disk_refused + 1)); messages["$(grep '^message ' <<<"$out" | head -1 | cut -c9-)"]=1
  fi
  [ "$(tree_of "$dir/maps")" = "$maps_before" ] && [ "$(tree_of "$dir/prog")" = "$prog_before" ] ||
    { note "$label" fail "$free KiB: stray files"; umount -l "$target"; return; }
  umount -l "$target"
  note "$label" ok
}
declare -A messages
disk_finished=0; disk_refused=0; mounts_failed=0
for side in "map folder" "program folder"; do
  for free in 0 4 16 32 64 96 128 160 200 256 320 400 512 768 1024 2048; do disk_case "$side" $free; done
done

# Every damaged map, through a whole install and uninstall of the command line's engine.
crasher_rows=""
for map in "$SHARED"/fuzz-crashers/*.w3x; do
  for op in install uninstall; do
    dir=$(fresh crasher)
    install -m 644 "$map" "$dir/maps/map.w3x"
    stats=$( { /usr/bin/time -f '%e %M' "$DRIVER" $op "$dir/maps/map.w3x" "$dir/prog" >"$WORK/out"; echo "rc=$?" >>"$WORK/out"; } 2>&1 | tail -1)
    label="damaged map refused ($op)"
    if grep -q 'rc=2' "$WORK/out" && cmp -s "$dir/maps/map.w3x" "$map" && [ "$(tree_of "$dir/maps")" = "./map.w3x" ] &&
       [ "$(tree_of "$dir/prog")" = "$race_tree" ]; then note "$label" ok; else note "$label" fail "$(basename "$map")"; fi
    crasher_rows+="| $(basename "$map") | $op | ${stats% *} s | $(( ${stats#* } / 1024 )) MB | $(grep '^message' "$WORK/out" | cut -c9- | head -1) |"$'\n'
  done
done

{
  echo "# Reliability"
  echo
  echo "Written by \`scripts/soak.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC') ($(uname -sr), StormLib from $(dpkg-query -W -f '${Package} ${Version}' libstorm-dev 2>/dev/null || echo 'unknown'))."
  echo "Quick versions of these cases run in \`make test\` (tests/reliability); this is the long run."
  echo
  echo "Every map is read by \`qvrace-reader\`, a helper process with a 10 s wall-clock limit and a"
  echo "512 MB address-space limit (a job object on Windows). A crash, a signal, a limit or a malformed"
  echo "answer refuses the run with \"File couldn't be read!\"; the map and the program folder stay as they were."
  echo
  echo "## What held"
  echo
  echo "| case | runs | held |"
  echo "|---|---|---|"
  for k in "${!tried[@]}"; do echo "| $k | ${tried[$k]} | ${held[$k]:-0} |"; done | LC_ALL=C sort
  echo
  echo "An install of melee-tft-beta-4p.w3x takes $install_ms ms ($install_calls report calls), an uninstall"
  echo "$uninstall_ms ms ($uninstall_calls calls); the kill moments are spread evenly over those calls, plus"
  echo "random times. \"Held\": the map was byte-identical to the original or to the complete result, the next"
  echo "run finished with the complete result, and nothing was left beside the map or in the program folder"
  echo "beyond what the workflows leave by design (the uninstall keeps war3map_temp.wts)."
  echo "Killed runs that left a half-built work file (.qvn/.qvh) beside the map until the next run: $killed_with_stray."
  echo
  if [ "$mounts_failed" = 1 ]; then echo "Full-disk cases were skipped: tmpfs could not be mounted (needs root)."; else
  echo "Full disk: $disk_finished runs finished with the complete map, $disk_refused were refused with the map untouched."
  echo "Messages shown: $(for m in "${!messages[@]}"; do printf '"%s" ' "$m"; done)"; fi
  echo
  echo "## Damaged maps (../shared/fuzz-crashers), whole runs"
  echo
  echo "Time and peak memory of the whole run (the driver and its helpers)."
  echo
  echo "| map | run | time | peak memory | message |"
  echo "|---|---|---|---|---|"
  printf '%s' "$crasher_rows"
} >"$OUT"
echo "wrote $OUT"
fails=0; for k in "${!tried[@]}"; do (( ${tried[$k]} == ${held[$k]:-0} )) || fails=1; done
exit $fails
