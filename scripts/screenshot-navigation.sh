#!/usr/bin/env bash
# Opens the level list, the move list and the go-to-move, title and best-solution dialogs in the
# real program under Xvfb, uses each (sort, search, select and apply lines, move the slider) and
# saves a picture of each under build/screenshots/ (or the folder named by the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")

source scripts/screenshot-kit.sh
install_missing_tools Xvfb:xvfb xdotool:xdotool import:imagemagick python3:python3

find_program

# A program folder of its own, and settings of its own, so nothing of the user's is touched.
make_work_folder
cp data/Vorpel.htm "$work/Vorpel.htm" 2>/dev/null || true

# Twelve startup levels: two blocks in a room, the odd ones with three moves recorded; best
# solutions for most titles and records for all but the last few, so every row picture shows.
python3 - "$work" <<'PY'
import struct, sys
work = sys.argv[1]
wall, floor, master, target = ".#..", "....", ".@..", "+..."
names = ["Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel", "India",
         "Juliett", "Kilo", "Gamma ray"]
rows = [[wall] * 9, [wall] + [floor] * 7 + [wall], [wall, floor, master] + [floor] * 3 + [target, floor, wall],
        [wall] + [floor] * 7 + [wall], [wall] + [floor] * 5 + [".[..", floor, wall], [wall] * 9]
text = ""
for i, name in enumerate(names):
    text += '"%s"\r\n' % name + "".join("".join(r) + "\r\n" for r in rows)
    if i % 2:
        text += " 1)  2,  2:  >>>\r\n 2)  4,  6:  ^\r\n 3)  2,  5:  <<\r\n"
open(work + "/Vorpel 0.txt", "w", newline="").write(text)
sol = b""
records = ""
for i, name in enumerate(names):
    record = 20 + i * 3
    moves = [20, 21, 23, 25, 29, 33, 40, 60, 0, 0, 30, 24][i]
    if moves:
        t = name.encode("cp1252")
        data = bytes([2, 2, 0x99, 0x90])
        sol += struct.pack("<ii", 20 + len(t) + len(data), len(t)) + t + struct.pack(
            "<iiii", 8, moves, moves * 3, len(data)) + data
    if i < 10:
        records += "%d %d %s\r\n" % (record, record * 3, name)
open(work + "/Vorpel.sol", "wb").write(sol)
open(work + "/Vorpel.rec", "w", newline="").write(records)
PY
mkdir -p "$work/config/Ostavin"
printf '[Options]\nShow%%20total%%20moves%%20and%%20records=true\n' \
    >"$work/config/Ostavin/Vorpel.conf"

# Xvfb picks a free display and writes its number.
start_xvfb 1280x900x24

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$work/Vorpel" &
program_pid=$!
main=$(xdotool search --sync --onlyvisible --name "Vorpel - " | head -1)
sleep 1
mkdir -p "$out"

# Focus a window and type into it.
keys() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 80 "$@"
    sleep 0.4
}
shot() {
    sleep 0.4
    import -window root "$out/$1"
    echo "$out/$1"
}
# The top left corner of a window on the screen.
origin() {
    xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }'
}

# Level list: sorted on Moves twice (descending), then "gam" searched with Enter.
keys "$main" l
list=$(xdotool search --sync --onlyvisible --name "Level list - Scoreboard" | head -1)
read -r lx ly < <(origin "$list")
# The header lies under the search row: Picture 56, Title 150, Number 75 and Solved 90 pixels
# wide, Moves next.
hx=$((lx + 12 + 56 + 150 + 75 + 90 + 37))
hy=$((ly + 52))
xdotool mousemove "$hx" "$hy" click 1
sleep 0.3
xdotool mousemove "$hx" "$hy" click 1
sleep 0.3
shot navigation-level-list-sorted.png
# "w", the accelerator letter of "Search title with:", puts the focus into the search field.
keys "$list" w g a m Return
shot navigation-level-list-search.png
# Go to the level found (Alt+G).
keys "$list" alt+g
sleep 0.5

# Level Bravo (after Gamma ray, the last, and Alpha) has three moves: list them, select two,
# restart and apply them.
keys "$main" plus plus
keys "$main" m
moves=$(xdotool search --sync --onlyvisible --name "^Move list$" | head -1)
read -r mx my < <(origin "$moves")
xdotool mousemove $((mx + 40)) $((my + 8 + 8)) click 1
xdotool keydown shift mousemove $((mx + 40)) $((my + 8 + 17 + 8)) click 1 keyup shift
shot navigation-move-list-selected.png
keys "$moves" alt+r
shot navigation-move-list-restart.png
keys "$moves" alt+a
shot navigation-move-list-applied.png
keys "$moves" Escape

# Go to move: the wheel turned back twice raises the slider to move 2.
keys "$main" g
goto=$(xdotool search --sync --onlyvisible --name "Go to move" | head -1)
read -r gx gy < <(origin "$goto")
xdotool mousemove $((gx + 60)) $((gy + 40)) click 5 click 5
shot navigation-go-to-move.png
keys "$goto" Return

# Title change on Bravo: a title another level has is accepted with a warning; one with a leading
# blank is refused.
keys "$main" t
title=$(xdotool search --sync --onlyvisible --name "Title change" | head -1)
keys "$title" ctrl+a
xdotool type --delay 60 "Alpha"
shot navigation-title-duplicated.png
keys "$title" Home space
shot navigation-title-invalid.png
keys "$title" Escape

# Best solution of the current level.
keys "$main" b
best=$(xdotool search --sync --onlyvisible --name "Best solution" | head -1)
shot navigation-best-solution.png
keys "$best" Escape
echo "Pictures in $out"
