#!/usr/bin/env bash
# The layer check must fail on an include that climbs or crosses: each case
# plants one include into a copy of src/ and expects the check to name it.
set -euo pipefail
radice="$(cd "$(dirname "$0")/../.." && pwd)"
controllo="$radice/scripts/check-layers.sh"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

bash "$controllo" "$radice/src" >/dev/null

# file that includes | include planted
casi=(
    "output/finestrafoglio.cpp|editor/frmdocumenti.h"
    "commands/comanditesto.cpp|editor/frmdocumenti.h"
    "scanner/frmacquisisci.cpp|commands/paginepacco.h"
    "search/aprischeda.cpp|output/frmexpdocumenti.h"
    "storage/testo.cpp|app/contesto.h"
    "storage/testo.cpp|document/documentoarchivio.h"
    "document/documentoarchivio.cpp|app/contesto.h"
    "app/contesto.cpp|document/documentoarchivio.h"
    "app/contesto.cpp|startup/finestre.h"
    "archives/frmapricatalogo.cpp|../editor/frmdocumenti.h"
)
errori=0
for caso in "${casi[@]}"; do
    file="${caso%%|*}"
    incluso="${caso#*|}"
    rm -rf "$tmp/src"
    cp -r "$radice/src" "$tmp/src"
    printf '#include "%s"\n' "$incluso" >>"$tmp/src/$file"
    atteso="$incluso"
    case "$incluso" in ../*) atteso="$(realpath -m --relative-to="$tmp/src" "$tmp/src/$(dirname "$file")/$incluso")" ;; esac
    if uscita="$(bash "$controllo" "$tmp/src" 2>&1)"; then
        echo "FAIL: $file including $incluso passed the layer check"
        errori=$((errori + 1))
    elif ! grep -qF "$file: includes $atteso " <<<"$uscita"; then
        echo "FAIL: $file including $incluso: the check did not name it:"
        echo "$uscita"
        errori=$((errori + 1))
    else
        echo "ok: $file including $incluso is refused"
    fi
done
[ "$errori" -eq 0 ]
