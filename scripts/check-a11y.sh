#!/usr/bin/env bash
# Reads the program's windows the way a screen reader does: on a virtual
# display with a window manager, a D-Bus session bus and the AT-SPI registry,
# the program runs with its accessibility on and scripts/check-a11y.py,
# a pyatspi client, opens each window as a user does and checks every node
# it reaches (names, label relations of the text fields, roles). Prints each
# window's tree; non-zero when anything is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--sessione" ]; then
    # Inside the display and the session bus: the accessibility bus (its
    # launcher starts the registry), the program, then the client.
    # The driver stack's test scanners alone, from a private configuration.
    mkdir -p "$VELMORA_A11Y_CARTELLA/sane"
    printf 'test\n' >"$VELMORA_A11Y_CARTELLA/sane/dll.conf"
    export SANE_CONFIG_DIR="$VELMORA_A11Y_CARTELLA/sane"
    openbox >/dev/null 2>&1 &
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
        "$VELMORA_A11Y_CARTELLA/velmora" >"$VELMORA_A11Y_CARTELLA/programma.log" 2>&1 &
    programma=$!
    stato=0
    /usr/bin/python3 scripts/check-a11y.py || stato=$?
    if ! kill "$programma" 2>/dev/null; then
        echo "il programma era già terminato:"
        cat "$VELMORA_A11Y_CARTELLA/programma.log"
        stato=1
    fi
    kill %1 %2 2>/dev/null || true
    exit "$stato"
fi

inizio=$SECONDS
bash scripts/deps.sh at-spi2-core python3-pyatspi dbus openbox xdotool
cmake -S . -B build/tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=ON >/dev/null
cmake --build build/tests --target velmora
costruito=$SECONDS

# A portable program folder of its own: the archive the walk creates stays
# out of the build.
cartella=$(mktemp -d)
trap 'rm -rf "$cartella"' EXIT
cp build/tests/velmora/velmora build/tests/velmora/unins000.dll "$cartella/"

stato=0
VELMORA_A11Y_CARTELLA="$cartella" xvfb-run -a -s "-screen 0 1920x1080x24" \
    dbus-run-session -- bash "$0" --sessione || stato=$?
echo "check-a11y: $((SECONDS - inizio)) s (pacchetti e build $((costruito - inizio)) s," \
     "lettura delle finestre $((SECONDS - costruito)) s)"
exit "$stato"
