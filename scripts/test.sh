#!/usr/bin/env bash
# Sets up, builds and runs every test: a release build, a format check, the Debian package, the
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, each fuzz target for a few
# seconds, and the solver's and the Solve window's tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)

echo "== format check"
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

echo "== release build and tests"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== Debian package"
bash scripts/check-package.sh build/release

echo "== sanitizer build, tests and bounded fuzzing"
# One clang build serves the suite under AddressSanitizer and UndefinedBehaviorSanitizer and the
# libFuzzer programs. -O1 keeps the sanitized engine fast enough for the fuzzers' runs.
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-gline-tables-only -O1" \
    -DVORPEL_SANITIZE=ON -DVORPEL_FUZZ=ON -DVORPEL_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"
# Each fuzz target for about 10 s on top of its seeds and kept findings.
bash scripts/fuzz.sh build/asan 10

echo "== ThreadSanitizer build: the solver and its worker thread in the Solve window"
# The program runs the solver on a worker thread: the solver's tests and the Solve and Hint
# window tests run again under ThreadSanitizer, which halts on the first data race. Line tables
# are debug information enough for its reports, and much quicker to build than all of it.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-gline-tables-only -O1" \
    -DVORPEL_TSAN=ON -DVORPEL_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build build/tsan -j "$jobs" --target solver_tests app_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp"
build/tsan/tests/solver_tests
QT_QPA_PLATFORM=offscreen build/tsan/tests/app_tests SolveWindowTest
