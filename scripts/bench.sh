#!/usr/bin/env bash
# Times the program against plain baselines in one run and prints one table
# of medians, ratios and peak memory:
#   start-up to the login window painted    vs a bare QWidget program
#   search with two criteria                vs cat FILE > /dev/null, and vs
#                                           Qt Core alone reading the file
#   search with no criterion (sorted list)  vs cat FILE + sort -f of the lines
#   first / last / next in the editor       at 10 and at 100,000 records
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

bash scripts/deps.sh time >&2

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target velmora search_bench_elenco search_letturanuda editor_bench_navigazione startup_finestravuota >&2

runs=${BENCH_RUNS:-5}
velmora="$build/velmora/velmora"
elenco="$build/tests/search_bench_elenco"
naviga="$build/tests/editor_bench_navigazione"
vuota="$build/tests/startup_finestravuota"
nuda="$build/tests/search_letturanuda"
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
: >"$dati/Vuoto.kpx"
mkdir -p "$dati/programma"

risultati=$(mktemp -d)
trap 'rm -rf "$risultati"' EXIT

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
echo
vuoto=$(mb "$risultati/tutte_vuoto")
pieno=$(mb "$risultati/tutte100000")
echo "Full list peak memory: empty archive $vuoto MB, 100,000 records $pieno MB," \
    "difference $(awk -v a="$pieno" -v b="$vuoto" 'BEGIN { printf "%.1f", a - b }') MB (goal <= 35)"
echo
echo "Editor arrows, median microseconds of one click (41 clicks a run, median of the runs' medians):"
printf '| %-8s | %10s | %10s | %6s |\n' arrow 10 100000 ratio
for c in primo ultimo avanti; do
    a=$(grep "^$c " "$risultati/naviga10" | awk '{ print $2 }' | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    b=$(grep "^$c " "$risultati/naviga100000" | awk '{ print $2 }' | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    printf '| %-8s | %10s | %10s | %6s |\n' "$c" "$a" "$b" "$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", b / a }')"
done
