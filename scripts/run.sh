#!/usr/bin/env bash
# Sets up, builds and runs Vorpel.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)" --target Vorpel vorpel-cli
exec build/release/src/app/Vorpel "$@"
