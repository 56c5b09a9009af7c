#!/usr/bin/env bash
# Builds the program (Release) and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF
cmake --build build/release --target velmora
exec build/release/velmora/velmora "$@"
