#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of the desktop program to its first window, beside xmessage started the same
# way (median of 5 each), and its resident memory after an automatic game.
#   bench/startup.sh [build-dir]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build}
kind=portable
grep -q '^QUARVELIN_NATIVE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null && kind=native
echo "build: $build ($kind)"
for t in Xvfb xwininfo xmessage; do
    command -v $t >/dev/null || { echo "startup.sh: $t is missing (packages xvfb, x11-utils)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'kill ${xvfb:-} 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$build/bin/quarvelin" "$build/bin/base" "$build/bin/son" "$build/bin/images" "$work/"
"$build/bin/installation_ini" "$work/quarvelin.ini"
# Straight to the board: no language window, a new game at start.
sed -i 's/^FIRST_STARTUP=1/FIRST_STARTUP=0/; s/^AFF_NOUVELLE=0/AFF_NOUVELLE=1/' "$work/quarvelin.ini"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display XDG_RUNTIME_DIR=$work HOME=$work QT_QPA_PLATFORM=xcb
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.05; done

# Milliseconds from launch until a top-level window whose name starts with $1 is mapped.
time_to_window() {
    local name=$1; shift
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    local pid=$!
    until xwininfo -root -tree 2>/dev/null | grep -q "\"$name"; do sleep 0.005; done
    end=$(date +%s%N)
    kill $pid 2>/dev/null; wait $pid 2>/dev/null || true
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

q=(); x=()
for i in 1 2 3 4 5; do
    x+=("$(time_to_window xmessage xmessage -name xmessage -title xmessage hello)")
    q+=("$(time_to_window quarvelin "$work/quarvelin")")
done
mq=$(printf '%s\n' "${q[@]}" | median)
mx=$(printf '%s\n' "${x[@]}" | median)
echo "start-up to the first window: quarvelin median ${mq} ms (${q[*]}), xmessage median ${mx} ms (${x[*]})"
awk -v a="$mq" -v b="$mx" 'BEGIN { printf "ratio quarvelin / xmessage: %.1f\n", a / b }'

# An automatic game at depth 1; the memory once it has ended (the program then idles).
sed -i 's/^MODE_JEUX=.*/MODE_JEUX=4/; s/^PROFONDEUR_MAX=.*/PROFONDEUR_MAX=1/' "$work/quarvelin.ini"
"$work/quarvelin" >/dev/null 2>&1 &
pid=$!
peak=0; last=0; idle=0
for _ in $(seq 120); do
    sleep 0.5
    rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
    [ "$rss" -gt "$peak" ] && peak=$rss
    cpu=$(awk '{print $14 + $15}' /proc/$pid/stat)
    if [ "$cpu" = "${lastcpu:-}" ]; then idle=$((idle + 1)); else idle=0; fi
    lastcpu=$cpu; last=$rss
    [ $idle -ge 4 ] && break
done
kill $pid 2>/dev/null; wait $pid 2>/dev/null || true
echo "resident memory after an automatic game: $((last / 1024)) MB (peak $((peak / 1024)) MB)"
