#!/usr/bin/env bash
# Prints through the program's own print path on a real printer: installs
# CUPS and CUPS-PDF if missing, starts cupsd if it is not running, makes a
# CUPS-PDF queue the default printer, prints a page sheet and a 200-line
# list on it, and reads the PDFs that CUPS writes with pdftotext; a long
# list cancelled after its first page, printed before them, must leave no
# file. Run as root; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
inizio=$(date +%s)

bash scripts/deps.sh cups cups-client printer-driver-cups-pdf

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    echo "Starting cupsd"
    cupsd
    for _ in $(seq 50); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.2
    done
fi
lpstat -r | grep -q "is running"

coda=VelmoraPDF
ppd=$(find /usr/share/ppd -iname 'CUPS-PDF_opt.ppd*' | head -n 1)
[ -n "$ppd" ] || ppd=$(find /usr/share/ppd -iname 'CUPS-PDF*.ppd*' | head -n 1)
# The default PDF-to-PostScript step (Ghostscript) turns the fonts into
# Type 3 glyphs that pdftotext cannot read back; pdftocairo keeps the text.
lpadmin -p "$coda" -E -v cups-pdf:/ -P "$ppd" -o pdftops-renderer-default=pdftocairo
lpadmin -d "$coda"
cupsenable "$coda"
cupsaccept "$coda"

cmake -S . -B build/tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=ON >/dev/null
cmake --build build/tests --target app_stampa_cups

# CUPS-PDF writes into the output folder of its configuration, per user.
uscita=$(awk '$1 == "Out" { print $2 }' /etc/cups/cups-pdf.conf | tail -n 1)
uscita=${uscita:-/var/spool/cups-pdf/\${USER\}}
uscita=${uscita//\$\{HOME\}/$HOME}
uscita=${uscita//\$\{USER\}/$(id -un)}
mkdir -p "$uscita"
segno=$(mktemp)
trap 'rm -f "$segno"' EXIT
sleep 1

QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= build/tests/tests/app_stampa_cups

# Wait for both jobs to leave the queue and their files to appear. The
# cancelled list went first: had any of it been sent, its file would be
# there before theirs.
for _ in $(seq 120); do
    if [ -z "$(lpstat -o "$coda" 2>/dev/null)" ] \
        && [ "$(find "$uscita" /var/spool/cups-pdf -name '*.pdf' -newer "$segno" 2>/dev/null | wc -l)" -ge 2 ]; then
        break
    fi
    sleep 0.5
done
mapfile -t stampati < <(find "$uscita" /var/spool/cups-pdf -name '*.pdf' -newer "$segno" 2>/dev/null | sort -u)
if [ "${#stampati[@]}" -lt 2 ]; then
    echo "CUPS-PDF wrote ${#stampati[@]} file(s) in $uscita, expected 2"
    tail -n 20 /var/log/cups/error_log 2>/dev/null || true
    exit 1
fi

testo=$(for f in "${stampati[@]}"; do pdftotext -layout "$f" -; done)
errori=0
controlla() {
    if grep -q -- "$1" <<<"$testo"; then echo "ok: $2"; else echo "MISSING: $2"; errori=$((errori + 1)); fi
}
if [ "${#stampati[@]}" -ne 2 ] || grep -q "annullata0001" <<<"$testo"; then
    echo "A CANCELLED PRINT REACHED THE PRINTER: ${#stampati[@]} file(s)"
    errori=$((errori + 1))
else
    echo "ok: the cancelled print left no file"
fi
controlla "Scheda di controllo CUPS" "the sheet's title"
controlla "valore-txtNote" "the sheet's last field"
controlla "CODICE UNIVOCO" "a caption of the sheet"
controlla "Riepilogo pagine in archivio" "the list's title"
controlla "controllo001" "the list's first line"
controlla "controllo200" "the list's last line"
controlla "Stampa eseguita in data" "the list's closing bar"
pagine=0
for f in "${stampati[@]}"; do
    n=$(pdfinfo "$f" | awk '/^Pages:/ { print $2 }')
    echo "$f: $n page(s)"
    pagine=$((pagine + n))
done
[ "$pagine" -ge 5 ] || { echo "expected 1 sheet page and several list pages, got $pagine"; errori=$((errori + 1)); }

echo "check-print: $errori failure(s), $(($(date +%s) - inizio)) s"
[ "$errori" -eq 0 ]
