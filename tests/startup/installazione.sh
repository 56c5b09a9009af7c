#!/usr/bin/env bash
# Installs the build into a private DESTDIR, validates what a desktop reads
# (.desktop entry, AppStream metainfo), and starts the installed program
# against an empty home: it must make and seed its data folder there.
set -euo pipefail
build="$1"

radice=$(mktemp -d)
trap 'rm -rf "$radice"' EXIT
DESTDIR="$radice/dest" cmake --install "$build" --prefix /usr >/dev/null
prefisso="$radice/dest/usr"

desktop-file-validate "$prefisso/share/applications/org.example.velmora.desktop"
# The validator's pedantic remarks count too, not only its errors.
note=$(appstreamcli validate --pedantic --no-net "$prefisso/share/metainfo/org.example.velmora.metainfo.xml" 2>&1) \
    || { echo "$note"; exit 1; }
if grep -qE '^[EWIP]: ' <<<"$note"; then echo "$note"; exit 1; fi
for f in bin/velmora share/velmora/unins000.dll share/icons/hicolor/scalable/apps/velmora.svg \
         share/icons/hicolor/48x48/apps/velmora.png share/icons/hicolor/256x256/apps/velmora.png \
         share/doc/velmora/Guida.pdf share/doc/velmora/copyright share/doc/velmora/changelog.gz; do
    [ -s "$prefisso/$f" ] || { echo "installazione incompleta: manca $f"; exit 1; }
done

# The command line answers with no display at all: in a terminal over ssh,
# in a packaging script, under help2man.
senza_schermo=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
"${senza_schermo[@]}" "$prefisso/bin/velmora" --version | grep -q '^Velmora [0-9]'
"${senza_schermo[@]}" "$prefisso/bin/velmora" --help | grep -q -- '--program-folder'
# Started with no display, it says so in one Italian line and fails, with
# no core dump (a status above 128 would be a signal).
stato=0
errore=$("${senza_schermo[@]}" HOME="$radice" "$prefisso/bin/velmora" 2>&1 >/dev/null) || stato=$?
if [ "$stato" -eq 0 ] || [ "$stato" -gt 128 ] || [ "$(printf '%s\n' "$errore" | wc -l)" -ne 1 ] \
    || ! printf '%s' "$errore" | grep -q 'schermo'; then
    echo "senza schermo: uscita $stato, messaggio: $errore"
    exit 1
fi

# A program that is still running after a few seconds has come up; the
# window set is built before the event loop starts.
casa="$radice/casa"
mkdir -p "$casa"
stato=0
env -u XDG_DATA_HOME HOME="$casa" QT_QPA_PLATFORM=offscreen timeout 8 "$prefisso/bin/velmora" || stato=$?
if [ "$stato" -ne 124 ]; then
    echo "il programma installato è terminato da solo (uscita $stato)"
    exit 1
fi
cmp "$casa/.local/share/Velmora/unins000.dll" "$prefisso/share/velmora/unins000.dll"
cmp "$casa/.local/share/Velmora/Guida.pdf" "$prefisso/share/doc/velmora/Guida.pdf"
# The data folder and the password store are for their owner alone.
[ "$(stat -c %a "$casa/.local/share/Velmora")" = 700 ] || { echo "cartella dati leggibile da altri"; exit 1; }
[ "$(stat -c %a "$casa/.local/share/Velmora/unins000.dll")" = 600 ] || { echo "password leggibile da altri"; exit 1; }
echo "installazione: file al loro posto, cartella dati creata e preparata"
