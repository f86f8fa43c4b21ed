#!/usr/bin/env bash
# Runs fuzz targets of a build configured with VORPEL_FUZZ=ON, each for a bounded time on top of
# its seeds, its kept findings and (for level texts) the shared Sokoban collections:
#     scripts/fuzz.sh BUILD_DIR SECONDS [TARGET...]      (no TARGET: every target)
# Extra libFuzzer flags come from FUZZ_FLAGS (e.g. FUZZ_FLAGS=-runs=1000000). A finding stops the
# run with status 1 and leaves its input in BUILD_DIR/fuzz-findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$1
seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(level_source move_text nbl best_solutions records dll bricks_moves resume round_trip)
fi
shared=../shared/corpus/sokoban
findings=$build/fuzz-findings
mkdir -p "$findings"

for target in "${targets[@]}"; do
    # New inputs go to a fresh folder, so that the kept folders stay as committed and each run
    # starts from the same inputs.
    work=$build/fuzz-work/$target
    rm -rf "$work"
    mkdir -p "$work"
    folders=("$work" "fuzz/corpus/$target")
    [ -d "fuzz/regressions/$target" ] && folders+=("fuzz/regressions/$target")
    limits=()
    if { [ "$target" = level_source ] || [ "$target" = round_trip ]; } && [ -d "$shared" ]; then
        folders+=("$shared")
        # Whole collections take seconds a run; their first levels are what mutations need. A
        # round trip writes and reads back each level four times, so it takes fewer.
        limits=(-max_len=16384)
        [ "$target" = round_trip ] && limits=(-max_len=4096)
    fi
    log=$build/fuzz-work/$target.log
    status=0
    # -timeout: one input running that long is a hang; the largest seeds take a few seconds
    # under the sanitizers on a busy machine.
    # shellcheck disable=SC2086
    "$build/fuzz/fuzz_$target" "${folders[@]}" ${limits[@]+"${limits[@]}"} \
        -max_total_time="$seconds" -timeout=30 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" ${FUZZ_FLAGS:-} \
        >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    took=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o '[0-9]* second' || true)
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz_$target: FINDING (status $status), input kept in $findings/"
        exit 1
    fi
    echo "fuzz_$target: ${runs:-?} runs, ${speed:-?} per second${took:+, $took}s, no finding"
done
