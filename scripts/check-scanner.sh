#!/usr/bin/env bash
# Pages straight from a scanner, against SANE's own test backend: a private
# configuration folder whose dll.conf names only `test` (SANE_CONFIG_DIR, no
# system file changes). Runs the scanner tests (devices, settings, one page,
# a bundle of ten sheets from the feeder, every failure the backend can be
# told to give, stopping, a scanner that falls silent, and the commands
# that store what comes in), then checks that a page the program
# acquires is, pixel for pixel, the page scanimage writes to a file.
set -euo pipefail
cd "$(dirname "$0")/.."
inizio=$SECONDS

bash scripts/deps.sh
cmake -S . -B build/tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=ON >/dev/null
cmake --build build/tests --target scanner_bench_acquisizione commands_tst_scannereditor commands_tst_paginepacco \
    $(cd tests && ls scanner/tst_*.cpp | sed 's|/tst_|_tst_|; s|\.cpp$||')
costruito=$SECONDS

export QT_QPA_PLATFORM=offscreen
unset QT_QPA_PLATFORMTHEME
(cd build/tests && ctest --output-on-failure --no-tests=error -R '^(scanner_|commands_tst_(scannereditor|paginepacco)$)')

cartella=$(mktemp -d)
trap 'rm -rf "$cartella"' EXIT
printf 'test\n' >"$cartella/dll.conf"
printf 'number_of_devices 1\n' >"$cartella/test.conf"
export SANE_CONFIG_DIR="$cartella"
for caso in "Color 100 colore" "Gray 150 grigi"; do
    read -r modo dpi nostro <<<"$caso"
    scanimage -d test:0 --mode "$modo" --resolution "$dpi" -l 0 -t 0 -x 200 -y 200 \
        --test-picture 'Color pattern' --format=pnm -o "$cartella/scanimage.pnm"
    echo "$modo $dpi dpi:"
    build/tests/tests/scanner_bench_acquisizione test:0 "$dpi" "$nostro" 'Color pattern' "$cartella/scanimage.pnm"
done

echo "build $((costruito - inizio)) s, checks $((SECONDS - costruito)) s, total $((SECONDS - inizio)) s"
