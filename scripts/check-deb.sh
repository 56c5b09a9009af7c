#!/usr/bin/env bash
# Builds the Debian package and has lintian judge it (--pedantic: any error
# or warning fails the check); installs it with dpkg, starts the program the
# way its menu entry does (offscreen, in an empty home) and checks that its
# data folder is made and seeded; then removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
inizio=$SECONDS
bash scripts/deps.sh dpkg-dev lintian help2man
cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/deb
(cd build/deb && cpack -G DEB)
costruito=$SECONDS
pacchetto=$(ls -t build/deb/velmora_*.deb | head -1)
echo "== $pacchetto"
dpkg-deb --info "$pacchetto" | sed -n '/Depends/p'
dpkg-deb --contents "$pacchetto" | awk '{print $6}'

# Every tag, informational and pedantic ones included, is shown; errors and
# warnings fail.
echo "== lintian --pedantic"
lintian --display-info --pedantic "$pacchetto" 2>&1 | grep -v 'running with root privileges' | tee build/deb/lintian.txt || true
if grep -q '^[EW]:' build/deb/lintian.txt; then
    echo "lintian: il pacchetto ha errori o avvertimenti"
    exit 1
fi

dpkg -i "$pacchetto" || { apt-get install -f -y; dpkg -i "$pacchetto"; }
trap 'dpkg -r velmora >/dev/null || true' EXIT

voce=/usr/share/applications/org.example.velmora.desktop
desktop-file-validate "$voce"
note=$(appstreamcli validate --pedantic --no-net /usr/share/metainfo/org.example.velmora.metainfo.xml 2>&1) \
    || { echo "$note"; exit 1; }
if grep -qE '^[EWIP]: ' <<<"$note"; then echo "$note"; exit 1; fi
zcat /usr/share/man/man1/velmora.1.gz | grep -qF 'program\-folder'
comando=$(sed -n 's/^Exec=//p' "$voce")
casa=$(mktemp -d)
stato=0
env -u XDG_DATA_HOME HOME="$casa" QT_QPA_PLATFORM=offscreen timeout 8 $comando || stato=$?
[ "$stato" -eq 124 ] || { echo "il programma installato è terminato da solo (uscita $stato)"; exit 1; }
cmp "$casa/.local/share/Velmora/unins000.dll" /usr/share/velmora/unins000.dll
# The manual lives with the documentation, and the program finds it there.
cmp "$casa/.local/share/Velmora/Guida.pdf" /usr/share/doc/velmora/Guida.pdf
ls -l "$casa/.local/share/Velmora"
rm -rf "$casa"
echo "pacchetto: lintian senza errori né avvertimenti, installato, avviato dal menu, cartella dati preparata"
echo "check-deb: $((SECONDS - inizio)) s (build e pacchetto $((costruito - inizio)) s, lintian e prove $((SECONDS - costruito)) s)"
