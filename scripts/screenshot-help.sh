#!/usr/bin/env bash
# Starts the real program under Xvfb, opens help with F1, searches it, and reads a large
# collection with moves; saves pictures under build/screenshots/ (help-start.png,
# help-search.png, help-blocks.png, loading.png).
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(realpath -m build/screenshots)

source scripts/screenshot-kit.sh
install_missing_tools Xvfb:xvfb xdotool:xdotool import:imagemagick

find_program
built=$(dirname "$program")

# A program folder of its own, and settings of its own, so nothing of the user's is touched.
make_work_folder
cp "data/Vorpel 0.txt" "$work/Vorpel 0.txt"
cp data/Vorpel.htm "$work/Vorpel.htm"
cp -r "$built/help-pictures" "$work/help-pictures"

# Xvfb picks a free display and writes its number.
start_xvfb 1280x800x24
mkdir -p "$shots"

start() {
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$work/Vorpel" "$@" &
    program_pid=$!
}

# Help at the main window's topic, then a search for a word.
start
main=$(xdotool search --sync --onlyvisible --name "^Vorpel" | head -1)
sleep 1
xdotool windowfocus --sync "$main" key F1
help=$(xdotool search --sync --onlyvisible --name "^Help" | head -1)
xdotool windowsize "$help" 900 700 windowmove "$help" 40 40
sleep 1
import -window root "$shots/help-start.png"
xdotool windowfocus --sync "$help" key ctrl+f
xdotool type --delay 30 "teleporter"
xdotool key Return Return
sleep 0.5
import -window root "$shots/help-search.png"
# The table of block kinds with their pictures.
xdotool key ctrl+f
xdotool type --delay 30 "Editor button (key)"
xdotool key Return
sleep 0.5
import -window root "$shots/help-blocks.png"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""

# A large collection whose every level has moves: the board of the level being read shows while
# the read goes on.
{
    for n in $(seq 1 4000); do
        w=$((6 + n % 9))
        printf '"Room %d"\r\n' "$n"
        row=""
        for _ in $(seq 1 "$w"); do row+=".#.."; done
        printf '%s\r\n' "$row"
        middle=".#...[.."
        for _ in $(seq 1 $((w - 3))); do middle+="...."; done
        printf '%s.#..\r\n%s\r\n' "$middle" "$row"
        printf '  1)  1,  1:  >\r\n  2)  1,  2:  <\r\n'
    done
} >"$work/many.txt"
start "$work/many.txt"
xdotool search --sync --onlyvisible --name "^Vorpel" >/dev/null
sleep 1.5
import -window root "$shots/loading.png"
echo "Pictures in $shots: help-start.png help-search.png help-blocks.png loading.png"
