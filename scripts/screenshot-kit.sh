# Steps the screenshot scripts share: their tools, the release program, a scratch program folder
# removed on exit, and an Xvfb display. Sourced by them from the repository's top folder.
# shellcheck shell=bash

# Installs with apt-get whichever of the tools ("command:package") this machine lacks.
install_missing_tools() {
    local missing=() tool sudo=""
    for tool in "$@"; do
        command -v "${tool%%:*}" >/dev/null || missing+=("${tool##*:}")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
    fi
}

# Sets `program` to the release program ($VORPEL when set), building it when it is missing.
find_program() {
    program=${VORPEL:-build/release/src/app/Vorpel}
    if [ ! -x "$program" ]; then
        cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
        cmake --build build/release --target Vorpel
    fi
}

# Sets `work` to a new folder holding a copy of the program; on exit the program started from it
# (program_pid), Xvfb (xvfb_pid) and the folder go.
make_work_folder() {
    work=$(mktemp -d)
    xvfb_pid=""
    program_pid=""
    trap remove_work_folder EXIT
    cp "$program" "$work/Vorpel"
}

remove_work_folder() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}

# Starts Xvfb with one screen of the size given ("1280x800x24") on a display it picks, and
# exports DISPLAY.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$work/display" &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start." >&2; exit 1; }
    DISPLAY=:$(head -1 "$work/display")
    export DISPLAY
}

# Starts the window manager (openbox) on the display; it goes on exit with the rest.
start_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    sleep 1
}

# The checks of a script under a window manager: `fail` records one that failed (the script
# ends with `failed`), `shot` saves the screen as $shots/$shot_prefix-NAME.png, `find_window`
# waits for a window by its name and `key` types into one and waits for what it opens.
failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}
shot() { import -window root "$shots/$shot_prefix-$1.png"; echo "$shots/$shot_prefix-$1.png"; }
find_window() {
    local id
    id=$(timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1 || true)
    [ -n "$id" ] || { shot "missing"; echo "No window named $1." >&2; exit 1; }
    echo "$id"
}
key() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || true
    shift
    xdotool key --delay 200 "$@"
    sleep 1
}
