#!/usr/bin/env bash
# Builds the whole program and test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test under them; the first
# report stops the test that made it, and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=ON \
    -DVELMORA_WERROR=ON -DVELMORA_SANITIZE=address,undefined
cmake --build build/sanitize -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
unset QT_QPA_PLATFORMTHEME
# Leaks are not judged: Qt keeps process-wide caches (fonts, plugins) that it
# never frees, and those are not the program's.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd build/sanitize
# Sanitized tests run slower: more time each than the plain suite allows.
ctest --output-on-failure --no-tests=error -j "$(nproc)" --timeout 600
