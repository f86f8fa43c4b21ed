#!/usr/bin/env bash
# Starts the real program under Xvfb with a window manager (openbox) on a Sokoban collection and
# checks what a desktop user meets: S and Enter replace nothing, a save over the collection asks
# first and Enter answers No, the level list opens three times at the same frame, the main window
# and its title bar lie on the screen, F1 in the options window opens the help at its topic, and
# closing the main window with the help open ends the program. Pictures go to build/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(realpath -m build/screenshots)

# shellcheck source=scripts/screenshot-kit.sh
. scripts/screenshot-kit.sh
install_missing_tools Xvfb:xvfb xdotool:xdotool import:imagemagick openbox:openbox \
    xwininfo:x11-utils xprop:x11-utils
find_program
make_work_folder
cp data/Vorpel.htm "$work/Vorpel.htm"
cp "data/Vorpel 0.txt" "$work/"
cp -r data/help "$work/" 2>/dev/null || true
collection="$work/MicroCosmos.sok"
cp ../shared/corpus/sokoban/MicroCosmos.sok "$collection"
before=$(md5sum <"$collection")
# A long name, for the chooser's views.
cp "$collection" "$work/A collection of levels with a rather long name, kept whole.sok"

start_xvfb 1280x800x24
start_window_manager
mkdir -p "$shots"

shot_prefix=windows
# The frame of a window as "left top width height", title bar and borders included.
frame() {
    local id=$1 x y w h extents left right top bottom
    read -r x y w h < <(xwininfo -id "$id" |
        awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
             /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}')
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}
on_screen() { # frame inside the 1280 x 800 screen
    read -r fx fy fw fh <<<"$1"
    [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le 1280 ] && [ $((fy + fh)) -le 800 ]
}

# From the temporary folder, so that the chooser lists nothing else.
(cd "$work" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" exec ./Vorpel "$collection") &
program_pid=$!
main=$(find_window "^Vorpel - ")
sleep 1.5
main_frame=$(frame "$main")
echo "main window frame: $main_frame"
on_screen "$main_frame" || fail "the main window's frame leaves the screen: $main_frame"
shot main

# S, then Enter: the chooser is not filled with the collection, so nothing is written.
key "$main" s
chooser=$(find_window "^Saving ")
shot save-chooser
# Every view shows whole names: large icons, row list, column list, then details again (the
# buttons' places inside the chooser on this screen).
for view in 480:large-icons 561:row-list 640:column-list 717:details; do
    xdotool mousemove --window "$chooser" "${view%%:*}" 21 click 1
    sleep 0.7
    shot "chooser-${view##*:}"
done
xdotool windowactivate --sync "$chooser" 2>/dev/null || true
xdotool mousemove --window "$chooser" 300 440 click 1 # back into the name field
sleep 0.5
key "$chooser" Return
[ "$(md5sum <"$collection")" = "$before" ] || fail "S and Enter changed the collection"
# The collection's own name typed in: the question comes, and Enter answers No.
xdotool type --delay 20 "$collection"
key "$chooser" Return
question=$(timeout 5 xdotool search --sync --onlyvisible --name "^ Vorpel$" | head -1 || true)
[ -n "$question" ] || fail "no question before replacing the collection"
shot replace-question
[ -n "$question" ] && key "$question" Return
[ "$(md5sum <"$collection")" = "$before" ] || fail "the collection was replaced"
xdotool search --onlyvisible --name "^Saving " >/dev/null 2>&1 && key "$chooser" Escape

# The level list three times: its frame stays where it was.
frames=()
for opening in 1 2 3; do
    key "$main" l
    list=$(find_window "^Level list")
    sleep 1
    frames+=("$(frame "$list")")
    shot "level-list-$opening"
    key "$list" Escape
done
echo "level list frames: ${frames[*]/%/;}"
[ "${frames[0]}" = "${frames[1]}" ] && [ "${frames[1]}" = "${frames[2]}" ] ||
    fail "the level list moved: ${frames[*]/%/;}"
on_screen "${frames[0]}" || fail "the level list leaves the screen"

# F1 in the options window: the help at the options' topic.
key "$main" o
options=$(find_window "^ Options$")
key "$options" F1
help=$(timeout 5 xdotool search --sync --onlyvisible --name "^Help" | head -1 || true)
[ -n "$help" ] || fail "F1 in the options window opened no help"
sleep 1
shot options-help
if [ -n "$help" ]; then
    help_frame=$(frame "$help")
    echo "help window frame: $help_frame"
    on_screen "$help_frame" || fail "the help window leaves the screen: $help_frame"
fi
key "$options" Escape

# Closing the main window with the help open ends the program.
key "$main" alt+F4
shot close-question
xdotool key y
for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$program_pid" 2>/dev/null; then
    shot still-running
    fail "the program kept running after its main window closed"
else
    program_pid=""
fi

[ "$failed" -eq 0 ] && echo "All checks passed."
exit "$failed"
