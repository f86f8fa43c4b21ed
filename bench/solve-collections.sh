#!/usr/bin/env bash
# Runs `vorpel-cli solve` over the shared Sokoban collections and prints the solved counts and
# the time per level: Microban I at 10 s a level, and the 90 original levels (leaving out
# "Level 37a") at 60 s a level, these in JOBS processes side by side (default 2; the machine's
# other work shares the cores, so the limits are wall-clock seconds). The solutions go to
# build/solve-*.txt (one file a level for the originals), checked with verify; the per-level
# lines go to build/solve-*.log.
#
#   bash bench/solve-collections.sh [CLI] [MICROBAN_SECONDS] [ORIGINAL_SECONDS] [JOBS]
#
# CLI defaults to build/release/src/cli/vorpel-cli; smaller times make a quick run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$here/build/release/src/cli/vorpel-cli}
microbanSeconds=${2:-10}
originalSeconds=${3:-60}
jobs=${4:-2}
corpus=$here/../shared/corpus/sokoban
out=$here/build
mkdir -p "$out"

# summary NAME SECONDS: the counts and the time per level of build/solve-NAME.log.
summary() {
    local name=$1 seconds=$2 log=$out/solve-$1.log
    local total solved
    total=$(wc -l <"$log")
    solved=$(awk -F'\t' '$3 == "solved"' "$log" | wc -l)
    echo "$name: $solved of $total solved within $seconds s each"
    awk -F'\t' '{ printf "  %s\t%s\t%s\t%s\n", $1, $2, $3, $(NF-1) }' "$log"
    awk -F'\t' '{ for (i = 1; i <= NF; ++i) if ($i ~ / s$/) { sub(/ s$/, "", $i); t += $i } }
        END { if (NR) printf "  total %.1f s, %.2f s a level\n", t, t / NR }' "$log"
}

# Microban I: the whole file in one run, its solutions in one file.
"$cli" solve "$corpus/Microban_I.xsb" --time "$microbanSeconds" \
    --out "$out/solve-microban.txt" >"$out/solve-microban.log" || true
summary microban "$microbanSeconds"
# Levels the solver gave up on are written without moves, which verify passes over.
"$cli" verify "$out/solve-microban.txt" && echo "  verify: every written solution solves its level"

# The original levels are numbered 1..91 in the file with "Level 37a" among them; keep the 90,
# dealt round the jobs, each level's solution in a file of its own.
mapfile -t originals < <("$cli" list "$corpus/Original_and_Extra.sok" |
    awk -F'\t' '$2 != "Level 37a" && NR <= 91 { print $1 }')
rm -rf "$out/solve-original" && mkdir -p "$out/solve-original"
for ((j = 0; j < jobs; ++j)); do
    (
        for ((k = j; k < ${#originals[@]}; k += jobs)); do
            n=${originals[k]}
            line=$("$cli" solve "$corpus/Original_and_Extra.sok" --level "$n" \
                --time "$originalSeconds" --out "$out/solve-original/$n.txt" || true)
            echo "$line"
            # Only solutions are kept for verify.
            [ "$(cut -f3 <<<"$line")" = solved ] || rm -f "$out/solve-original/$n.txt"
        done >"$out/solve-original.$j.log"
    ) &
done
wait
sort -n -k1,1 "$out"/solve-original.*.log >"$out/solve-original.log"
rm -f "$out"/solve-original.*.log
summary original "$originalSeconds"
written=("$out"/solve-original/*.txt)
if [ -e "${written[0]}" ]; then
    "$cli" verify "${written[@]}" && echo "  verify: every written solution solves its level"
fi
