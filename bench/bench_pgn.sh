#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Game files at database scale: a file of over 200 MB made of the test games repeated with
# their tags varied, listed by quarvelin-cli beside grep counting its game starts, and
# replayed beside pgn-extract. Each time is the best of three; compare the ratios, the machine
# may be shared.
#   bench/bench_pgn.sh [build-dir] [megabytes]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build}
megabytes=${2:-210}
cli=$build/bin/quarvelin-cli
extract=/usr/games/pgn-extract
[ -x "$cli" ] || { echo "bench_pgn.sh: build $cli first" >&2; exit 1; }
kind=portable
grep -q '^QUARVELIN_NATIVE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null && kind=native
echo "build: $build ($kind)"
[ -x "$extract" ] || { echo "bench_pgn.sh: $extract is missing (package pgn-extract)" >&2; exit 1; }

file=$build/bench/games.pgn
target=$((megabytes * 1000000))
if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" -lt "$target" ]; then
    mkdir -p "$(dirname "$file")"
    # Each copy gets its own number in Event, White and Black, so no two games are alike.
    cat "$repo"/tests/data/*.pgn | awk -v target="$target" '
        { line[NR] = $0; size += length($0) + 1 }
        END {
            for (n = 1; written < target; n++) {
                for (i = 1; i <= NR; i++) {
                    l = line[i]
                    if (l ~ /^\[(Event|White|Black) "/) sub(/"\]/, " " n "\"]", l)
                    print l
                }
                print ""
                written += size + 1
            }
        }' >"$file.tmp"
    mv "$file.tmp" "$file"
fi
cat "$file" >/dev/null # into the page cache, so every run reads from memory

# Output goes to a file, not /dev/null: grep stops at the first match when it sees /dev/null.
out=$build/bench/out.txt
trap 'rm -f "$out"' EXIT
best() { # best wall time of three runs of the command, in seconds
    local best_ns= start end
    for _ in 1 2 3; do
        start=$(date +%s%N)
        "$@" >"$out" 2>/dev/null || true
        end=$(date +%s%N)
        if [ -z "$best_ns" ] || [ $((end - start)) -lt "$best_ns" ]; then best_ns=$((end - start)); fi
    done
    awk -v ns="$best_ns" 'BEGIN { printf "%.3f", ns / 1e9 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

games=$(grep -c '^\[Event ' "$file")
listed=$("$cli" list "$file" --max 100000000 2>/dev/null | wc -l)
echo "file $file: $(($(stat -c %s "$file") / 1000000)) MB, $games games, $listed listed"
[ "$games" = "$listed" ] || echo "warning: list and grep do not count the same games" >&2

list_s=$(best "$cli" list "$file" --max 100000000)
grep_s=$(best grep -c '^\[Event ' "$file")
replay_s=$(best "$cli" replay "$file")
extract_s=$(best "$extract" -s -o /dev/null "$file")
printf '%-44s %8s s\n' "quarvelin-cli list --max 100000000" "$list_s" \
    "grep -c '^\\[Event '" "$grep_s"
echo "list / grep: $(ratio "$list_s" "$grep_s") (target at most 3)"
printf '%-44s %8s s\n' "quarvelin-cli replay" "$replay_s" \
    "pgn-extract -s -o /dev/null" "$extract_s"
echo "replay / pgn-extract: $(ratio "$replay_s" "$extract_s") (target at most 1)"
