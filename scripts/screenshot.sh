#!/usr/bin/env bash
# Starts the real program under Xvfb on a small level, drags its block with xdotool and saves a
# screenshot (default build/screenshot.png; the first argument names another file).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshot.png}")

source scripts/screenshot-kit.sh
install_missing_tools Xvfb:xvfb xdotool:xdotool import:imagemagick

find_program

# A program folder of its own, and settings of its own, so nothing of the user's is touched.
make_work_folder
cp "data/Vorpel 0.txt" "$work/Vorpel 0.txt" 2>/dev/null || true
cp data/Vorpel.htm "$work/Vorpel.htm" 2>/dev/null || true
# A master block (red) two cells left of its destination, with "Show total moves and records"
# on so the status bar shows the moves made.
# Each cell is four characters: mark, block and two of identifier.
wall=.#.. floor=.... master=.@.. target=+...
{
    printf '"Screenshot"\r\n'
    printf '%s%s%s%s%s%s%s\r\n' $wall $wall $wall $wall $wall $wall $wall \
        $wall $floor $floor $floor $floor $floor $wall \
        $wall $floor $master $floor $target $floor $wall \
        $wall $floor $floor $floor $floor $floor $wall \
        $wall $wall $wall $wall $wall $wall $wall
} >"$work/shot.txt"
mkdir -p "$work/config/Ostavin"
printf '[Options]\nShow%%20total%%20moves%%20and%%20records=true\n' \
    >"$work/config/Ostavin/Vorpel.conf"

# Xvfb picks a free display and writes its number.
start_xvfb 1280x800x24

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$work/Vorpel" "$work/shot.txt" &
program_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vorpel - Screenshot" | head -1)
sleep 1

# Finds the red master block on the screen: the first pixel of its colour, then one cell's
# worth inside it.
import -window root "$work/before.png"
read -r bx by < <(convert "$work/before.png" txt:- | grep -m1 -i '#F00000' |
    sed -E 's/^([0-9]+),([0-9]+):.*/\1 \2/')
[ -n "${bx:-}" ] || { echo "No block found on the screen." >&2; exit 1; }
# The block's width in pixels gives the cell size.
cell=$(convert "$work/before.png" txt:- | grep -i '#F00000' | awk -F'[,:]' -v y="$by" \
    '$2 == y { n++ } END { print n }')
x=$((bx + cell / 2))
y=$((by + cell / 2))
xdotool mousemove "$x" "$y"
xdotool mousedown 1
for step in $(seq 1 8); do
    xdotool mousemove "$((x + step * cell / 4))" "$y"
    sleep 0.05
done
xdotool mouseup 1
sleep 0.5
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "Window $window; block dragged from ($x, $y) by $((2 * cell)) pixels; screenshot $out"
