#!/usr/bin/env bash
# Runs every libFuzzer target (record decoder, archive walk with search and
# summary lines, password store reader and writer, Decripta, the word search
# of the pages' text with its contexts) for the given
# number of seconds each, under AddressSanitizer and UndefinedBehaviorSanitizer:
#     bash scripts/fuzz.sh <seconds> [target...]
# Every target is one tests/fuzz/fuzz_<name>.cpp; all of them run unless
# some are named. Seeds are kept in tests/fuzz/corpus/<target>; what the
# fuzzer finds on top goes to build/fuzz/corpus/<target>, and an input that
# breaks a target to build/fuzz/artifacts/. Exits non-zero when any target
# broke or did not build.
set -euo pipefail
cd "$(dirname "$0")/.."
secondi="${1:?usage: fuzz.sh <seconds> [target...]}"
shift
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
    for f in tests/fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$f" .cpp)")
    done
fi

# Debian's clang keeps libFuzzer and the sanitizer runtimes in a package it
# only recommends.
bash scripts/deps.sh clang libclang-rt-14-dev

# The whole core library is built instrumented; the build-time tools run
# under AddressSanitizer too, and the toolkit's caches they never free are
# not theirs to answer for.
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_FUZZ=ON -DVELMORA_SANITIZE=address,undefined
ASAN_OPTIONS=detect_leaks=0 cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]}"

# Records only show their structure past 3990 bytes: archive inputs may be
# a few records long.
# Word searches may be long: the field takes 32,767 characters.
declare -A lunghezza=([fuzz_scheda]=4096 [fuzz_archivio]=16384 [fuzz_fileini]=4096 [fuzz_decripta]=4096
    [fuzz_ricercatesto]=16384)
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
esito=0
for t in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$t" build/fuzz/artifacts
    echo "== $t: ${secondi}s"
    semi=()
    [ -d "tests/fuzz/corpus/$t" ] && semi=("tests/fuzz/corpus/$t")
    if ! "build/fuzz/tests/fuzz/$t" -max_total_time="$secondi" -timeout=20 -rss_limit_mb=2048 \
        -max_len="${lunghezza[$t]:-4096}" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/artifacts/$t-" \
        "build/fuzz/corpus/$t" "${semi[@]}"; then
        echo "== $t broke: see build/fuzz/artifacts/"
        esito=1
    fi
done
exit "$esito"
