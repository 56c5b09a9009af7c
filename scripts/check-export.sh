#!/usr/bin/env bash
# Opens a spreadsheet export in a real spreadsheet program and checks that
# every cell shows exactly the stored field: LibreOffice Calc (installed
# without a GUI when missing) converts the export to CSV, and each cell of
# the CSV is compared with the field the archive holds.
set -euo pipefail
cd "$(dirname "$0")/.."
inizio=$SECONDS

if ! command -v soffice >/dev/null 2>&1; then
    echo "Installing libreoffice-calc-nogui"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends libreoffice-calc-nogui
fi
installato=$SECONDS

bash scripts/deps.sh
cmake -S . -B build/tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=ON >/dev/null
cmake --build build/tests --target output_verifica_esportazione
costruito=$SECONDS

cartella=$(mktemp -d)
trap 'rm -rf "$cartella"' EXIT
build/tests/tests/output_verifica_esportazione "$cartella"

# 44 comma, 34 double quote, 76 UTF-8, 1 from the first line; cells as
# stored, not as formatted.
HOME="$cartella/profilo" soffice --headless --norestore \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false' \
    --outdir "$cartella" "$cartella/Pagine_Documento.xls" >/dev/null
convertito=$SECONDS

python3 - "$cartella/attesi.json" "$cartella/Pagine_Documento.csv" <<'PY'
import csv, json, sys
attesi = json.load(open(sys.argv[1], encoding="utf-8"))
with open(sys.argv[2], encoding="utf-8", newline="") as f:
    letti = list(csv.reader(f))
errori = 0
if len(letti) != len(attesi):
    print(f"rows: expected {len(attesi)}, spreadsheet has {len(letti)}")
    errori += 1
for r, (atteso, letto) in enumerate(zip(attesi, letti)):
    letto = letto + [""] * (len(atteso) - len(letto))
    if len(letto) != len(atteso):
        print(f"row {r}: {len(letto)} cells instead of {len(atteso)}")
        errori += 1
    for c, (a, l) in enumerate(zip(atteso, letto)):
        if a != l:
            print(f"row {r} column {c + 1}: expected {a!r}, spreadsheet shows {l!r}")
            errori += 1
celle = sum(len(r) for r in attesi)
if errori:
    print(f"FAILED: {errori} differences")
    sys.exit(1)
print(f"OK: {len(attesi)} rows, {celle} cells as stored")
PY

echo "install $((installato - inizio)) s, build $((costruito - installato)) s, convert $((convertito - costruito)) s, total $((SECONDS - inizio)) s"
