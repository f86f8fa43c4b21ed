#!/usr/bin/env bash
# Sets up, builds and runs Vorpel.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)"
if [ -x build/release/src/app/Vorpel ]; then
    exec build/release/src/app/Vorpel "$@"
fi
# Until the window exists, the command-line tool checks the example levels.
exec build/release/src/cli/vorpel-cli verify data/example.txt
