#!/usr/bin/env bash
# Compares vorpel-cli snapshot, list, convert, png and gif output of two builds, byte for byte.
#
# usage: scripts/check-outputs.sh REFERENCE_CLI NEW_CLI [FILE...]
# Without files it takes every file in ../shared/corpus/, data/ and fuzz/corpus/. Each run's
# standard output, standard error, exit status and written file must match. Files with many
# levels are sampled (first, last and a few between); the others are covered level by level.
set -u

if [ $# -lt 2 ]; then
    echo "usage: $0 REFERENCE_CLI NEW_CLI [FILE...]" >&2
    exit 2
fi
reference=$(realpath "$1")
new=$(realpath "$2")
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
# The shared corpus sits beside the main checkout, also when this is a linked worktree.
shared=$(cd "$root" && cd "$(git rev-parse --git-common-dir)/../.." 2>/dev/null && pwd)/shared
[ -d "$shared/corpus" ] || shared=$root/../shared

files=()
if [ $# -gt 0 ]; then
    for f in "$@"; do files+=("$(realpath "$f")"); done
else
    while IFS= read -r -d '' f; do files+=("$f"); done < <(
        find "$shared/corpus" "$root/data" "$root/fuzz/corpus" -type f -print0 2>/dev/null |
            sort -z)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/ref" "$work/new"
runs=0
differences=0

# DLLs carry the time they were written; both sides write the same one.
export SOURCE_DATE_EPOCH=1000000000

# Runs one command line with both programs in their own folders, the output files named "out"
# with any extension, and compares everything they produce.
compare() {
    local label=$1
    shift
    local side
    for side in ref new; do
        local program=$reference
        [ "$side" = new ] && program=$new
        rm -f "$work/$side"/out*
        (cd "$work/$side" && "$program" "$@" >stdout 2>stderr; echo $? >status)
    done
    runs=$((runs + 1))
    local part
    for part in stdout stderr status $(cd "$work" && ls ref new | grep '^out' | sort -u); do
        if [ -e "$work/ref/$part" ] || [ -e "$work/new/$part" ]; then
            if ! cmp -s "$work/ref/$part" "$work/new/$part"; then
                echo "DIFFERENT $part: $label: $*" >&2
                differences=$((differences + 1))
                return
            fi
        fi
    done
}

for file in "${files[@]}"; do
    name=${file#"$root"/}
    compare "$name" snapshot "$file"
    compare "$name" list "$file"
    for ext in txt sok dll nbl; do
        compare "$name" convert "$file" "out.$ext"
    done
    count=$( (cd "$work/ref" && "$reference" list "$file" 2>/dev/null) | grep -c '^[0-9]')
    [ "$count" -gt 0 ] || count=1
    levels=$(seq 1 "$count")
    if [ "$count" -gt 12 ]; then
        levels=$(printf '%s\n' 1 2 $((count / 4)) $((count / 2)) $((3 * count / 4)) "$count" |
            sort -nu)
    fi
    for level in $levels; do
        # Cell sizes odd and even, smallest, beside the 14-pixel threshold of annotations.
        for cell in 10 13 14 21 32; do
            compare "$name" png "$file" out --level "$level" --cell "$cell"
        done
        compare "$name" png "$file" out --level "$level" --cell 17 --step 0
        compare "$name" png "$file" out --level "$level" --cell 16 --step 3
        compare "$name" gif "$file" out --level "$level" --cell 12
        compare "$name" gif "$file" out --level "$level" --cell 11 --what moves --delay 7
        compare "$name" gif "$file" out --level "$level" --cell 15 --what initial --no-loop
        compare "$name" gif "$file" out --level "$level" --cell 10 --what current
    done
done

echo "$runs runs over ${#files[@]} files, $differences different"
[ "$differences" -eq 0 ]
