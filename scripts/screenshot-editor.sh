#!/usr/bin/env bash
# Makes a small Sokoban level in the real program under Xvfb: "N" opens the editor on a new
# level, walls, floor, a destination, a box and the player are placed with the editor's keys,
# buttons and board selections made with the mouse; the title is typed, the level added and
# played to solved, then saved with "Save as Vorpel ..." (S) through the chooser in save mode and
# read back with vorpel-cli. Opens the colour chooser too. Pictures go to
# build/screenshots/editor-*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(realpath -m build/screenshots)

source scripts/screenshot-kit.sh
install_missing_tools Xvfb:xvfb xdotool:xdotool import:imagemagick

find_program
# The command-line program built beside it reads the saved level back.
cli=${VORPEL_CLI:-$(dirname "$program")/../cli/vorpel-cli}
if [ ! -x "$cli" ]; then
    echo "No vorpel-cli beside $program; set VORPEL_CLI." >&2
    exit 1
fi

make_work_folder
cp "data/Vorpel 0.txt" "$work/Vorpel 0.txt"
mkdir -p "$work/config" "$shots"

start_xvfb 1280x800x24

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$work/Vorpel" &
program_pid=$!
main=$(xdotool search --sync --onlyvisible --name "^Vorpel - " | head -1)
sleep 1
shot() { sleep 0.4; import -window root "$shots/editor-$1.png"; echo "  $shots/editor-$1.png"; }

# "N" on the main window opens the editor beside it.
xdotool windowfocus --sync "$main"
xdotool key n
editor=$(xdotool search --sync --onlyvisible --name "New level - Edit" | head -1)
shot 1-open

# A click on an editor button: its place in the window's fixed layout of 8 columns.
button() { # column row of the button grid
    xdotool mousemove --window "$editor" $((35 + $1 * 50)) $((63 + $2 * 50)) click 1
    sleep 0.3
}
# Keys to the editor window: "X" selects every cell (inverting the empty selection), "E" walls.
button 5 0 # F7 with nothing selected changes nothing; it gives the window the focus
xdotool key x e
shot 2-walls

# The board's rectangle: the walls' colour on the screen, and its cell size (6 cells a side).
read -r left top right bottom < <(convert "$shots/editor-2-walls.png" -crop 640x800+640+0 +repage \
    txt:- | grep -i '#00A000' | awk -F'[,:]' '
        NR == 1 { l = $1; t = $2; r = $1; b = $2 }
        { if ($1 < l) l = $1; if ($1 > r) r = $1; if ($2 < t) t = $2; if ($2 > b) b = $2 }
        END { print l + 640, t, r + 640, b }')
cell=$(((right - left + 1) / 6))
centre() { echo $((left + $2 * cell + cell / 2)) $((top + $1 * cell + cell / 2)); }
click_cell() {
    read -r x y < <(centre "$1" "$2")
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
}
# A mouse drag over the inner 4 by 4 cells selects them; "3" (its button) erases their walls.
read -r x1 y1 < <(centre 1 1)
read -r x2 y2 < <(centre 4 4)
xdotool mousemove "$x1" "$y1" mousedown 1
for i in 1 2 3 4 5 6; do
    xdotool mousemove $((x1 + (x2 - x1) * i / 6)) $((y1 + (y2 - y1) * i / 6))
    sleep 0.05
done
xdotool mouseup 1
shot 3-selection
button 4 1 # "3": erase blocks
click_cell 2 3
button 2 1 # "1": destination
click_cell 2 2
button 4 7 # "-": box
click_cell 2 2
button 6 1 # "5": convert to master
click_cell 2 1
button 5 1 # "4": normal block, the player
# The title, typed into its field.
xdotool mousemove --window "$editor" 220 21 click 1
xdotool key ctrl+a
xdotool type --delay 30 "Made in the editor"
shot 4-level

# The colour chooser ("="), and a colour chosen by a double click: the round buttons follow.
button 7 7
chooser=$(xdotool search --sync --onlyvisible --name "Color for round blocks" | head -1)
shot 5-colours
xdotool mousemove --window "$chooser" $((12 + 3 * 32 + 16)) $((12 + 2 * 32 + 16)) click --repeat 2 1
sleep 0.5
shot 6-recoloured

# "Add" keeps the level; the player pushes the box onto its destination.
xdotool mousemove --window "$editor" 277 464 click 1
sleep 1
xdotool search --onlyvisible --name "New level - Edit" >/dev/null &&
    { echo "The editor did not close." >&2; exit 1; }
shot 7-added
read -r x1 y1 < <(centre 2 1)
read -r x2 y2 < <(centre 2 2)
xdotool mousemove "$x1" "$y1" mousedown 1
for i in $(seq 1 8); do
    xdotool mousemove $((x1 + (x2 - x1) * i / 8)) "$y1"
    sleep 0.05
done
xdotool mouseup 1
shot 8-solved
name=$(xdotool getwindowname "$main")
echo "Main window: $name"
[ "$name" = "Vorpel - Made in the editor" ] || { echo "The level was not added." >&2; exit 1; }

# "Save as Vorpel ..." (S): the chooser in save mode opens with the focus in its file name field;
# the name typed there is a file of the scratch folder.
saved="$work/made.txt"
xdotool windowfocus --sync "$main"
xdotool key s
saver=$(xdotool search --sync --onlyvisible --name '^Saving "Made in the editor" in the Vorpel format' |
    head -1)
sleep 0.5
xdotool windowfocus --sync "$saver"
xdotool key ctrl+a
xdotool type --delay 20 "$saved"
shot 9-save-chooser
xdotool key Return
for _ in $(seq 50); do [ -s "$saved" ] && break; sleep 0.2; done
[ -s "$saved" ] || { echo "The level was not saved." >&2; exit 1; }
shot 10-saved

# The saved file reads back: its title, its board, and the moves that solve it.
"$cli" snapshot "$saved" | tee "$work/snapshot.txt"
grep -qx '"Made in the editor"' "$work/snapshot.txt" ||
    { echo "The saved file does not hold the level." >&2; exit 1; }
grep -qx 'solved: yes' "$work/snapshot.txt" ||
    { echo "The saved level's moves do not solve it." >&2; exit 1; }
