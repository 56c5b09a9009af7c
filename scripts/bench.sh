#!/usr/bin/env bash
# Times the program against plain baselines in one run and prints one table
# of medians, ratios and peak memory:
#   start-up to the login window painted    vs a bare QWidget program
#   search with two criteria                vs cat FILE > /dev/null, and vs
#                                           Qt Core alone reading the file
#   search with no criterion (sorted list)  vs cat FILE + sort -f of the lines
#   first / last / next in the editor       at 10 and at 100,000 records
# and what the user meets through the windows, on an archive of 100,000
# records written by scripts/genera_archivio.py (independent of the
# program's encoder, every field nearly full, accented, matches late in
# their fields), each timed inside one process beside its baseline
# (tests/search/bench_finestre.cpp):
#   "Cerca" with two criteria to the list shown vs reading the file once
#   "Cerca" with no criterion                   vs reading it and sorting
#                                                  its titles folded
#   the to-complete list                        vs the full list
#   opening the export window                   goal 0.5 s
#   "Stampa" of the full list to PDF            vs texttopdf on the same lines
#   the list's preview, to its first page       goal 1 s
# and a page from a scanner (SANE's test backend through a private
# configuration folder, the whole 200 x 200 mm glass, colour):
#   acquiring it at 300 and 600 dpi and writing  vs scanimage writing it to a file
#   it to a PNM file, timed inside the bench       (goal 1.1); peak memory at
#   from the driver stack's start to the file      most the page's raw size + 30 MB
#   written (what Acquisisci runs; the toolkit's
#   loading at the program's start is left out,
#   and shown on a row of its own)
# Every measurement is a whole process on the Release build (peak memory from
# /usr/bin/time), taken BENCH_RUNS times (default 5), the program and its
# baseline one after the other so that both see the same machine load.
# Archives of 10, 1,000, 10,000 and 100,000 records (the last 399 MB) are
# generated once into build/bench/dati and reused.
#
#   bash scripts/bench.sh            # everything
#   BENCH_RUNS=9 bash scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C

bash scripts/deps.sh time python3 cups-filters sane-utils >&2

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target velmora search_bench_elenco search_letturanuda editor_bench_navigazione startup_finestravuota \
    search_bench_finestre scanner_bench_acquisizione >&2

runs=${BENCH_RUNS:-5}
velmora="$build/velmora/velmora"
elenco="$build/tests/search_bench_elenco"
naviga="$build/tests/editor_bench_navigazione"
vuota="$build/tests/startup_finestravuota"
nuda="$build/tests/search_letturanuda"
finestre="$build/tests/search_bench_finestre"
acquisisci="$build/tests/scanner_bench_acquisizione"
dati="$build/dati"
mkdir -p "$dati"
# Both start-ups on the same platform plugin, without a desktop theme.
export QT_QPA_PLATFORM=${BENCH_QPA:-offscreen}
unset QT_QPA_PLATFORMTHEME
export QT_LOGGING_RULES="velmora.*=false"

archivio() { echo "$dati/Bench$1.kpx"; }
for n in 10 1000 10000 100000; do
    f=$(archivio "$n")
    if [ ! -f "$f" ] || [ "$(stat -c %s "$f")" -ne $((n * 3990)) ]; then
        echo "generating $n records" >&2
        "$elenco" genera "$n" "$f"
    fi
    [ -f "$dati/Righe$n.txt" ] && [ "$dati/Righe$n.txt" -nt "$f" ] || "$elenco" righe "$f" "$dati/Righe$n.txt"
done
pieno="$dati/Pieno100000.kpx"
if [ ! -f "$pieno" ] || [ "$(stat -c %s "$pieno")" -ne $((100000 * 3990)) ]; then
    echo "generating the full-field archive" >&2
    python3 scripts/genera_archivio.py 100000 "$pieno"
fi
if [ ! -f "$dati/Pieno.txt" ] || [ "$dati/Pieno.txt" -ot "$pieno" ]; then
    QT_QPA_PLATFORM=offscreen "$finestre" righe "$pieno" "$dati/Pieno.txt"
fi
: >"$dati/Vuoto.kpx"
mkdir -p "$dati/programma"

risultati=$(mktemp -d)
trap 'rm -rf "$risultati"' EXIT
# The scanner: SANE's test backend alone, from a private configuration.
mkdir -p "$risultati/sane"
printf 'test\n' >"$risultati/sane/dll.conf"
printf 'number_of_devices 1\n' >"$risultati/sane/test.conf"
export SANE_CONFIG_DIR="$risultati/sane"

# finestra NAME JOB [ARG]: one run of a window job; its own two figures
# (program and baseline, ms) go to NAME and NAME_base.
finestra() {
    local nome=$1 riga
    shift
    if ! riga=$(QT_QPA_PLATFORM=offscreen "$finestre" "$1" "$pieno" "${@:2}" 2>"$risultati/err"); then
        echo "failed: $finestre $*" >&2
        cat "$risultati/err" >&2
        exit 1
    fi
    echo "$riga" | awk '{ printf "%.6f 0\n", $1 / 1000 }' >>"$risultati/$nome"
    echo "$riga" | awk '{ printf "%.6f 0\n", $2 / 1000 }' >>"$risultati/${nome}_base"
}
# texttopdf as CUPS runs it for a text job on an A4 landscape queue, at the
# list report's pitch (16 characters an inch, about 56 lines a page),
# writing its PDF to a file as the program does.
texttopdf=(sh -c 'PPD=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd /usr/lib/cups/filter/texttopdf \
    1 bench lista 1 "PageSize=A4 landscape cpi=16 lpi=7.6" "$1" >"$2"' sh "$dati/Pieno.txt" "$dati/texttopdf.pdf")

# misura NAME COMMAND...: one run, appends "seconds peak_kB" to NAME.
misura() {
    local nome=$1
    shift
    local inizio=$EPOCHREALTIME
    if ! /usr/bin/time -f %M -o "$risultati/rss" "$@" >/dev/null 2>"$risultati/err"; then
        echo "failed: $*" >&2
        cat "$risultati/err" >&2
        exit 1
    fi
    local fine=$EPOCHREALTIME
    echo "$(awk -v a="$inizio" -v b="$fine" 'BEGIN { printf "%.6f", b - a }') $(tail -n 1 "$risultati/rss")" \
        >>"$risultati/$nome"
}

# dentro NAME COMMAND...: one run of a program that times its own work and
# prints "in N ms"; appends "seconds peak_kB" to NAME, and the whole
# process's time with the same peak to NAME_processo.
dentro() {
    local nome=$1 riga inizio fine
    shift
    inizio=$EPOCHREALTIME
    if ! riga=$(/usr/bin/time -f %M -o "$risultati/rss" "$@" 2>"$risultati/err"); then
        echo "failed: $*" >&2
        cat "$risultati/err" >&2
        echo "$riga" >&2
        exit 1
    fi
    fine=$EPOCHREALTIME
    local picco
    picco=$(tail -n 1 "$risultati/rss")
    echo "$riga" | sed -n 's/.* in \([0-9.]*\) ms.*/\1/p' | awk -v k="$picco" '{ printf "%.6f %s\n", $1 / 1000, k }' \
        >>"$risultati/$nome"
    echo "$(awk -v a="$inizio" -v b="$fine" 'BEGIN { printf "%.6f", b - a }') $picco" >>"$risultati/${nome}_processo"
}

for ((r = 1; r <= runs; r++)); do
    echo "run $r of $runs" >&2
    misura avvio env VELMORA_BENCH_ESCI_DOPO_DISEGNO=1 "$velmora" --program-folder "$dati/programma"
    misura avvio_base "$vuota"
    for n in 1000 10000 100000; do
        f=$(archivio "$n")
        misura "cerca$n" "$elenco" cerca "$f"
        misura "cerca${n}_base" cat "$f"
        misura "cerca${n}_qt" "$nuda" "$f"
        misura "tutte$n" "$elenco" tutte "$f"
        misura "tutte${n}_base" sh -c 'cat "$1" >/dev/null && sort -f "$2" >/dev/null' sh "$f" "$dati/Righe$n.txt"
    done
    misura tutte_vuoto "$elenco" tutte "$dati/Vuoto.kpx"
    finestra fcerca cerca
    finestra ftutte tutte
    finestra fdacompletare dacompletare
    finestra fesporta esporta
    finestra fanteprima anteprima
    finestra fstampa stampa "$dati/lista.pdf"
    misura fstampa_cups "${texttopdf[@]}"
    for dpi in 300 600; do
        dentro "scanner$dpi" "$acquisisci" test:0 "$dpi" colore 'Color pattern' --scrivi "$risultati/nostra.pnm"
        misura "scanner${dpi}_base" scanimage -d test:0 --mode Color --resolution "$dpi" -l 0 -t 0 -x 200 -y 200 \
            --test-picture 'Color pattern' --format=pnm -o "$risultati/pagina.pnm"
    done
    for n in 10 100000; do
        "$naviga" "$(archivio "$n")" 2>/dev/null >>"$risultati/naviga$n"
    done
done

# mediana FILE COLUMN
mediana() { awk -v c="$2" '{ print $c }' "$1" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ms() { awk -v s="$(mediana "$1" 1)" 'BEGIN { printf "%.1f", s * 1000 }'; }
mb() { awk -v k="$(mediana "$1" 2)" 'BEGIN { printf "%.1f", k / 1024 }'; }
riga() { # WHAT RECORDS NAME GOAL [BASELINE, default NAME_base]
    local a b base=${5:-${3}_base}
    a=$(ms "$risultati/$3")
    b=$(ms "$risultati/$base")
    printf '| %-40s | %7s | %9s | %9s | %6s | %-7s | %8s | %8s |\n' "$1" "$2" "$a" "$b" \
        "$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }')" "$4" "$(mb "$risultati/$3")" \
        "$(mb "$risultati/$base")"
}

echo
echo "Medians of $runs runs (ms), ratio program/baseline, peak memory (MB, median), platform $QT_QPA_PLATFORM"
printf '| %-40s | %7s | %9s | %9s | %6s | %-7s | %8s | %8s |\n' what records program baseline ratio goal "peak" "peak base"
printf '|%s|%s|%s|%s|%s|%s|%s|%s|\n' "------------------------------------------" ---------- ----------- ----------- \
    -------- --------- ---------- ----------
riga "start-up vs bare QWidget" - avvio "<= 2"
for n in 1000 10000 100000; do riga "search, two criteria vs cat" "$n" "cerca$n" "<= 1.5"; done
for n in 1000 10000 100000; do riga "search, two criteria vs Qt Core reading" "$n" "cerca$n" "-" "cerca${n}_qt"; done
for n in 1000 10000 100000; do riga "full list vs cat + sort -f" "$n" "tutte$n" "<= 1.5"; done
riga "window: Cerca, two criteria vs reading" 100000 fcerca "<= 1.5"
riga "window: full list vs reading + sort" 100000 ftutte "<= 1.5"
riga "window: to-complete list vs full list" 100000 fdacompletare "<= 1"
fisso() { # WHAT NAME GOAL_MS
    printf '| %-40s | %7s | %9s | %9s | %6s | %-7s | %8s | %8s |\n' "$1" 100000 "$(ms "$risultati/$2")" "$3" \
        "$(awk -v a="$(ms "$risultati/$2")" -v b="$3" 'BEGIN { printf "%.2f", a / b }')" "<= 1" - -
}
fisso "window: export window opened" fesporta 500
fisso "window: preview, first page" fanteprima 1000
riga "window: Stampa full list to PDF vs texttopdf" 100000 fstampa "<= 2" fstampa_cups
for dpi in 300 600; do riga "scanner: page $dpi dpi colour vs scanimage" - "scanner$dpi" "<= 1.1"; done
for dpi in 300 600; do
    riga "scanner: $dpi dpi, whole bench process" - "scanner${dpi}_processo" "-" "scanner${dpi}_base"
done
echo
for dpi in 300 600; do
    lato=$(awk -v d="$dpi" 'BEGIN { printf "%d", 200 / 25.4 * d + 0.5 }')
    grezza=$(awk -v l="$lato" 'BEGIN { printf "%.1f", l * l * 3 / 1048576 }')
    echo "Scanner page at $dpi dpi: peak memory $(mb "$risultati/scanner$dpi") MB, page raw size $grezza MB" \
        "(goal <= $(awk -v g="$grezza" 'BEGIN { printf "%.1f", g + 30 }') MB)"
done
echo
vuoto=$(mb "$risultati/tutte_vuoto")
pieno=$(mb "$risultati/tutte100000")
echo "Full list peak memory: empty archive $vuoto MB, 100,000 records $pieno MB," \
    "difference $(awk -v a="$pieno" -v b="$vuoto" 'BEGIN { printf "%.1f", a - b }') MB (goal <= 35)"
echo
echo "Editor arrows, median microseconds of one click (41 clicks a run, median of the runs' medians):"
# navigazione NAME N: the median of the runs' medians of one row.
navigazione() {
    grep "^$1 " "$risultati/naviga$2" | awk '{ print $2 }' | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
printf '| %-10s | %10s | %10s | %6s |\n' arrow 10 100000 ratio
for c in primo ultimo avanti riga chiusura successiva; do
    a=$(navigazione "$c" 10)
    b=$(navigazione "$c" 100000)
    printf '| %-10s | %10s | %10s | %6s |\n' "$c" "$a" "$b" "$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", b / a }')"
done
echo "(riga: a line of the full list opened to its record on the editor; chiusura: then the list's window"
echo " closed and its lines released; successiva: next to a record not yet on screen, 11 turns a run)"
a=$(navigazione riga 100000)
b=$(navigazione successiva 100000)
echo "Opening a line vs next, 100,000 records: $a vs $b us," \
    "ratio $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }') (goal <= 1)"
echo

# The page text rows: recognition beside the tesseract command, the whole
# archive on two threads beside one, searches over 100,000 pages' texts.
bash scripts/bench-testo.sh "$build"
