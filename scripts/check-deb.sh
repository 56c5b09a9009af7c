#!/usr/bin/env bash
# Builds the Debian package, installs it with dpkg, starts the program the
# way its menu entry does (offscreen, in an empty home) and checks that its
# data folder is made and seeded; then removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dpkg-dev
cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/deb
(cd build/deb && cpack -G DEB)
pacchetto=$(ls -t build/deb/velmora_*.deb | head -1)
echo "== $pacchetto"
dpkg-deb --info "$pacchetto" | sed -n '/Depends/p'
dpkg-deb --contents "$pacchetto" | awk '{print $6}'

dpkg -i "$pacchetto" || { apt-get install -f -y; dpkg -i "$pacchetto"; }
trap 'dpkg -r velmora >/dev/null || true' EXIT

voce=/usr/share/applications/example.velmora_software.Velmora.desktop
desktop-file-validate "$voce"
comando=$(sed -n 's/^Exec=//p' "$voce")
casa=$(mktemp -d)
stato=0
env -u XDG_DATA_HOME HOME="$casa" QT_QPA_PLATFORM=offscreen timeout 8 $comando || stato=$?
[ "$stato" -eq 124 ] || { echo "il programma installato è terminato da solo (uscita $stato)"; exit 1; }
cmp "$casa/.local/share/Velmora/unins000.dll" /usr/share/velmora/unins000.dll
ls -l "$casa/.local/share/Velmora"
rm -rf "$casa"
echo "pacchetto: installato, avviato dal menu, cartella dati preparata"
