#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless; exits non-zero on
# any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=ON -DVELMORA_WERROR=ON
cmake --build build/tests
export QT_QPA_PLATFORM=offscreen
unset QT_QPA_PLATFORMTHEME
cd build/tests
ctest --output-on-failure --no-tests=error -j "$(nproc)"
