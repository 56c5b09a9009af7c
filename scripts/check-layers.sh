#!/usr/bin/env bash
# Fails when an #include under src/ crosses a layer the wrong way. A file may
# include its own layer and any layer below it, never one above nor another
# layer of the same rank: that is what keeps the areas free of cycles.
#
#   5  startup  tools          start-up, build-time tools
#   4  editor                  the page editor and the windows it opens
#   3  access  archives  search  output  scanner
#   2  home  ocr  editor/editorpagine.*   help and launcher; page text
#                              recognition and its index; the editor's interface
#   1  app                     shared window behaviours, dialogs, formats
#   0  storage  report         files and records; the report engine
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
cd "$src"

layer() {
    case "$1" in
        editor/editorpagine.*) echo "2 editorpagine" ;;
        startup/*) echo "5 startup" ;;
        tools/*) echo "5 tools" ;;
        editor/*) echo "4 editor" ;;
        access/*) echo "3 access" ;;
        archives/*) echo "3 archives" ;;
        search/*) echo "3 search" ;;
        output/*) echo "3 output" ;;
        scanner/*) echo "3 scanner" ;;
        home/*) echo "2 home" ;;
        ocr/*) echo "2 ocr" ;;
        app/*) echo "1 app" ;;
        storage/*) echo "0 storage" ;;
        report/*) echo "0 report" ;;
        *) echo "" ;;
    esac
}

errors=0
while IFS= read -r -d '' file; do
    file="${file#./}"
    read -r rank node <<<"$(layer "$file")" || true
    if [ -z "${node:-}" ]; then
        echo "$file: folder not in the layer table of $(basename "$0")"
        errors=$((errors + 1))
        continue
    fi
    while IFS= read -r included; do
        read -r rank2 node2 <<<"$(layer "$included")" || true
        if [ -z "${node2:-}" ]; then
            continue # a header of a library, or of this very folder without a path
        fi
        if [ "$node2" != "$node" ] && [ "$rank2" -ge "$rank" ]; then
            echo "$file: includes $included ($node, layer $rank, may not use $node2, layer $rank2)"
            errors=$((errors + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

if [ "$errors" -gt 0 ]; then
    echo "$errors include(s) cross a layer the wrong way"
    exit 1
fi
echo "layers: every include goes downwards"
