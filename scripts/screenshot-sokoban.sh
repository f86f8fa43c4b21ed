#!/usr/bin/env bash
# Plays a Sokoban level in the real program under Xvfb with a window manager (openbox): the
# player walks to a clicked cell and onto a goal, boxes go where a click after a click on them
# sends them, the status bar counts moves and pushes, the last push celebrates, and the level
# list shows each level's picture; on a second level the hint shows a push, the Solve key solves
# it and its replay celebrates. Pictures go to build/screenshots/sokoban-*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(realpath -m build/screenshots)

# shellcheck source=scripts/screenshot-kit.sh
. scripts/screenshot-kit.sh
install_missing_tools Xvfb:xvfb xdotool:xdotool import:imagemagick openbox:openbox \
    xwininfo:x11-utils
find_program
make_work_folder
cp data/Vorpel.htm "$work/Vorpel.htm"
cp "data/Vorpel 0.txt" "$work/"
cp -r data/help "$work/" 2>/dev/null || true
# Level one: a box on a goal, two boxes beside their goals and the player between them.
collection="$work/Two rooms.sok"
cat >"$collection" <<'EOF'
Level one
#########
#       #
# .$ $. #
#   @   #
#  *    #
#       #
#########

Level two
########
#      #
# .$   #
#  #$. #
#   @  #
########
EOF

start_xvfb 1280x800x24
start_window_manager
mkdir -p "$shots"

shot_prefix=sokoban

(cd "$work" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" exec ./Vorpel "$collection") &
program_pid=$!
main=$(find_window "^Vorpel - ")
sleep 1.5
shot 1-start

# The board's rectangle: the walls' colour inside the main window, 9 by 7 cells.
read -r wx wy ww wh < <(xwininfo -id "$main" |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
         /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}')
read -r left top right bottom < <(convert "$shots/sokoban-1-start.png" \
    -crop "${ww}x${wh}+${wx}+${wy}" +repage txt:- | grep -i '#00A000' | awk -F'[,:]' '
        NR == 1 { l = $1; t = $2; r = $1; b = $2 }
        { if ($1 < l) l = $1; if ($1 > r) r = $1; if ($2 < t) t = $2; if ($2 > b) b = $2 }
        END { print l, t, r, b }')
left=$((left + wx))
top=$((top + wy))
right=$((right + wx))
cell=$(((right - left + 1) / 9))
echo "board at $left,$top, cells of $cell pixels"
click_cell() { # row column
    xdotool mousemove $((left + $2 * cell + cell / 2)) $((top + $1 * cell + cell / 2))
    sleep 0.2
    xdotool click 1
    sleep 0.6
}
# The colour of a cell's centre on a new picture.
cell_colour() { # picture row column
    convert "$1" -crop "1x1+$((left + $3 * cell + cell / 2))+$((top + $2 * cell + cell / 2))" \
        +repage txt:- | tail -1 | awk '{print $3}'
}
player=$(cell_colour "$shots/sokoban-1-start.png" 3 4)

# A click on a free cell walks the player there, then onto the empty goal on its left.
click_cell 1 2
shot 2-walked
[ "$(cell_colour "$shots/sokoban-2-walked.png" 1 2)" = "$player" ] ||
    fail "a click on (1, 2) did not walk the player there"
click_cell 2 2
shot 3-player-on-goal

# A click on the right box, then on its goal: the player walks round and pushes it there.
click_cell 2 5
click_cell 2 6
shot 4-pushed
[ "$(cell_colour "$shots/sokoban-4-pushed.png" 2 6)" = "$(cell_colour "$shots/sokoban-1-start.png" 4 3)" ] ||
    fail "the box was not pushed onto its goal at (2, 6)"
# The left box onto the last goal: the level is solved.
click_cell 2 3
click_cell 2 2
sleep 1
shot 5-solved
key "$main" Escape

# The level list: a picture of each level, which is solved, and its moves/pushes.
key "$main" l
list=$(find_window "^Level list")
sleep 1
shot 6-level-list
key "$list" Escape

# Level two: the hint outlines the next box to push, then F11 and Enter solve the level from its
# start, and the replay of the solution ends in the celebration.
key "$main" plus
key "$main" ctrl+shift+h
sleep 1
shot 7-hint
key "$main" F11
solve=$(find_window "^ Solve$")
key "$solve" Return
sleep 2
shot 8-solve-window
key "$solve" Escape
key "$main" a
# The celebration shows for two and a half seconds once the replay ends: watch for it.
celebrated=""
for _ in $(seq 40); do
    shot 9-replayed-solution >/dev/null
    if convert "$shots/sokoban-9-replayed-solution.png" -format %c histogram:info:- |
        grep -qi '#FFFFDC'; then
        celebrated=yes
        break
    fi
    sleep 0.3
done
echo "$shots/sokoban-9-replayed-solution.png"
[ -n "$celebrated" ] || fail "the replay of the solution did not celebrate"

# Snapshots: the solved position kept under a name (Ctrl+P), then the list of them (Ctrl+G).
key "$main" ctrl+p
naming=$(find_window "^ Save position as")
xdotool type --delay 20 "Solved at last"
shot 10-snapshot-name
key "$naming" Return
key "$main" ctrl+g
snapshots=$(find_window "^ Saved positions")
shot 11-snapshots
key "$snapshots" Escape

[ "$failed" -eq 0 ] && echo "All checks passed."
exit "$failed"
