#!/usr/bin/env bash
# Runs `vorpel-cli solve` over the shared Sokoban collections and prints the solved counts and
# the time per level: Microban I at 10 s a level, and the 90 original levels (leaving out
# "Level 37a") at 60 s a level. The solutions go to build/solve-*.txt, checked with verify.
#
#   bash bench/solve-collections.sh [CLI] [MICROBAN_SECONDS] [ORIGINAL_SECONDS]
#
# CLI defaults to build/release/src/cli/vorpel-cli; smaller times make a quick run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$here/build/release/src/cli/vorpel-cli}
microbanSeconds=${2:-10}
originalSeconds=${3:-60}
corpus=$here/../shared/corpus/sokoban
out=$here/build
mkdir -p "$out"

# solve FILE SECONDS NAME [LEVELS...]: every level, or only the numbered ones.
run() {
    local file=$1 seconds=$2 name=$3
    shift 3
    local log=$out/solve-$name.log
    : >"$log"
    if [ $# -eq 0 ]; then
        "$cli" solve "$file" --time "$seconds" --out "$out/solve-$name.txt" >>"$log" || true
    else
        for n in "$@"; do
            "$cli" solve "$file" --level "$n" --time "$seconds" >>"$log" || true
        done
    fi
    local total solved
    total=$(wc -l <"$log")
    solved=$(awk -F'\t' '$3 == "solved"' "$log" | wc -l)
    echo "$name: $solved of $total solved within $seconds s each"
    awk -F'\t' '{ printf "  %s\t%s\t%s\t%s\n", $1, $2, $3, $(NF-1) }' "$log"
    awk -F'\t' '{ for (i = 1; i <= NF; ++i) if ($i ~ / s$/) { sub(/ s$/, "", $i); t += $i } }
        END { if (NR) printf "  total %.1f s, %.2f s a level\n", t, t / NR }' "$log"
    if [ -f "$out/solve-$name.txt" ]; then
        "$cli" verify "$out/solve-$name.txt" && echo "  verify: every written solution solves its level"
    fi
}

run "$corpus/Microban_I.xsb" "$microbanSeconds" microban
# The original levels are numbered 1..91 in the file with "Level 37a" among them; keep the 90.
mapfile -t originals < <("$cli" list "$corpus/Original_and_Extra.sok" |
    awk -F'\t' '$2 != "Level 37a" && NR <= 91 { print $1 }')
run "$corpus/Original_and_Extra.sok" "$originalSeconds" original "${originals[@]}"
