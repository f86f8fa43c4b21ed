#!/usr/bin/env bash
# Starts the real program under Xvfb, opens the GIF export, save-as-DLL, Bricks moves, save and
# options windows with their keys, and saves a picture of each under build/screenshots/; then
# closes and starts again to show the level resumed where it was left.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(realpath -m build/screenshots)

missing=()
for tool in Xvfb:xvfb xdotool:xdotool import:imagemagick; do
    command -v "${tool%%:*}" >/dev/null || missing+=("${tool##*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

program=${VORPEL:-build/release/src/app/Vorpel}
if [ ! -x "$program" ]; then
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/release --target Vorpel
fi

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp "$program" "$work/Vorpel"
cp data/Vorpel.htm "$work/Vorpel.htm" 2>/dev/null || true
# Two levels, the first with three moves made.
wall=.#.. floor=.... master=.@.. target=+... block=.[..
{
    printf '"Keep work"\r\n'
    printf '%s%s%s%s%s%s%s\r\n' $wall $wall $wall $wall $wall $wall $wall \
        $wall $floor $floor $floor $floor $floor $wall \
        $wall $floor $master $floor $target $floor $wall \
        $wall $block $floor $floor $floor $floor $wall \
        $wall $wall $wall $wall $wall $wall $wall
    printf ' 1) 2, 2: >\r\n 2) 3, 1: >>\r\n 3) 2, 3: >\r\n'
    printf '"Second"\r\n'
    printf '%s%s%s%s\r\n' $wall $wall $wall $wall $wall $master $target $wall \
        $wall $wall $wall $wall
} >"$work/Vorpel 0.txt"
mkdir -p "$work/config/Ostavin"
printf '[Options]\nShow%%20total%%20moves%%20and%%20records=true\n' \
    >"$work/config/Ostavin/Vorpel.conf"

# No autorepeat: a key that opens a modal window would repeat into it.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -ardelay 60000 3>"$work/display" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start." >&2; exit 1; }
export DISPLAY=:$(head -1 "$work/display")
mkdir -p "$shots"

start() {
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$work/Vorpel" &
    program_pid=$!
    window=$(xdotool search --sync --onlyvisible --name "Vorpel - " | head -1)
    sleep 1
}
key() { # types into the main window, then waits for what it opens
    xdotool windowfocus "$window" 2>/dev/null || true
    xdotool key --window "$window" "$@"
    sleep 1
}
shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }
escape() { xdotool key Escape; sleep 0.5; }

# Sends keys to the window whose title matches; waits for it first.
to() {
    local name=$1
    shift
    local id
    id=$(xdotool search --sync --onlyvisible --name "$name" | head -1)
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key --delay 300 "$@"
    sleep 0.7
}

# Clicks at a point of the screen (the dialogs open at the same place on this screen).
click() {
    xdotool mousemove "$1" "$2" click 1
    sleep 0.7
}

stop() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

start
# Three steps forward, so that the resumed start has a position to show.
key period
key period
key period
shot keepwork-main

# Write as GIF animation (W): a tool window beside the board.
key W
shot keepwork-gif
stop

# Each modal window in a run of its own: Save as DLL (Y), Write Bricks moves (H), Save as SOK
# (4) with the chooser in save mode, and the options (O) with "Resume where you left off".
for window_key in Y:dll H:bricks-moves 4:save-sok O:options; do
    start
    key "${window_key%%:*}"
    shot "keepwork-${window_key##*:}"
    if [ "$window_key" = Y:dll ]; then
        xdotool mousemove 902 174 click 1 # the Levels tab, where this screen puts it
        sleep 0.7
        shot keepwork-dll-levels
    fi
    stop
done

# Close (answering yes) and start again: the same level at the same step.
start
key period
key period
key alt+F4
shot keepwork-close
xdotool key y
for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
kill "$program_pid" 2>/dev/null && echo "The program did not close." >&2
program_pid=""
find "$work/data" -name 'resume.vorpel' -exec head -3 {} \; || true
start
shot keepwork-resumed
