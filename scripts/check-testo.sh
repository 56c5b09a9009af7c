#!/usr/bin/env bash
# How well pages read themselves, on pages no one here typed: Italian prose
# (the fortunes-it collection) and Latin prose (Livy's Lucretia, shipped with
# collatinus), rendered by ImageMagick at 300 dpi in several fonts and sizes,
# then degraded as scans are (turned by up to 2 degrees, noise, blur, JPEG
# quality 85). Prints each page's character error rate, each set's, and how
# many incipits have their first five words right.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh imagemagick fortunes-it collatinus
cmake -S . -B build/tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=ON -DVELMORA_WERROR=ON >/dev/null
cmake --build build/tests --target ocr_verifica_lettura

lavoro=build/testo
rm -rf "$lavoro"
mkdir -p "$lavoro/brani" "$lavoro/it-pulite" "$lavoro/it-degradate" "$lavoro/la-pulite" "$lavoro/la-degradate"

# Italian: the first prose entries of 300 to 800 characters (no dialogue,
# verse or quotes within), without their attribution line. Latin: the text cut into passages of 11 lines.
awk -v RS='%\n' -v cartella="$lavoro/brani" '
    { sub(/\n[ \t]+--[^\n]*\n?$/, "\n"); }
    length($0) >= 300 && length($0) <= 800 && $0 !~ /["\[]|\n[ \t]|--/ && n < 5 {
        n++; f = sprintf("%s/it%02d.txt", cartella, n); printf "%s", $0 > f; close(f) }
' /usr/share/games/fortunes/it/italia.u8
tail -n +3 /usr/share/collatinus/data/lucretia.txt | awk -v cartella="$lavoro/brani" '
    NF { righe[++n] = $0 }
    END { for (k = 0; k * 11 < n && k < 4; k++) {
            f = sprintf("%s/la%02d.txt", cartella, k + 1)
            for (r = 1; r <= 11 && k * 11 + r <= n; r++) print righe[k * 11 + r] > f
            close(f) } }'

caratteri=(
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf 12"
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf 11"
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf 10"
)
angoli=(-1.8 -0.7 0.4 1.2 2.0 -1.3)
n=0
for brano in "$lavoro"/brani/*.txt; do
    nome=$(basename "$brano" .txt)
    lingua=Italiano; set=it
    case "$nome" in la*) lingua=Latino; set=la ;; esac
    for k in 0 1; do
        read -r font punti <<<"${caratteri[$(((n + k) % 3))]}"
        pagina="$nome-$k"
        convert -density 300 -size 2000x -font "$font" -pointsize "$punti" caption:"$(cat "$brano")" \
            -bordercolor white -border 240 "$lavoro/$set-pulite/$pagina.png"
        angolo=${angoli[$(((n + k) % 6))]}
        convert "$lavoro/$set-pulite/$pagina.png" -background white -rotate "$angolo" \
            -attenuate 0.5 +noise Gaussian -blur 0x0.8 -colorspace Gray -density 300 -quality 85 \
            "$lavoro/$set-degradate/$pagina.jpg"
        for s in pulite degradate; do
            { echo "$lingua"; cat "$brano"; } >"$lavoro/$set-$s/$pagina.txt"
        done
    done
    n=$((n + 1))
done

QT_QPA_PLATFORM=offscreen build/tests/tests/ocr_verifica_lettura qualita \
    "$lavoro/it-pulite" "$lavoro/la-pulite" "$lavoro/it-degradate" "$lavoro/la-degradate"
