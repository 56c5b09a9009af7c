#!/usr/bin/env bash
# Fails when an #include under src/ crosses a layer the wrong way. Layers are
# whole folders, with no exception for a single file: a file may include its
# own folder and any folder of a lower rank, never one above nor another
# folder of the same rank. That is what keeps the areas free of cycles; what
# a window of a lower folder needs from one above it is handed over as values
# when it opens, and what it produced goes back by return value or signal.
#
#   6  startup  tools          start-up (the only one that knows every
#                              window), build-time tools
#   5  editor                  the page editor and the windows it opens
#   4  commands                what the user asks of the open archive beyond
#                              the editor's own: acquisition, recognition,
#                              text search, searchable PDF
#   3  access  archives  search  output  scanner
#   2  home  ocr               help and launcher; page text recognition
#                              and its index
#   1  app  document           shared window behaviours, dialogs, formats;
#                              the open archive and the record on screen
#   0  storage  report         files and records; the report engine
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
cd "$src"

find . \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z | xargs -0 awk -v script="$(basename "$0")" '
BEGIN {
    split("startup:6 tools:6 editor:5 commands:4 access:3 archives:3 search:3 output:3 scanner:3 home:2 ocr:2 app:1 document:1 storage:0 report:0", t, " ")
    for (i in t) { split(t[i], kv, ":"); rank[kv[1]] = kv[2] }
    errors = 0
}
# The folder a path under src/ lies in, with "./" and "../" resolved against
# the folder of the including file (dir, empty for the includer itself).
function folder(path, dir,    n, parts, out, k, m) {
    sub(/^\.\//, "", path)
    if (path ~ /^\.\.?\//) {
        n = split(dir "/" path, parts, "/")
        m = 0
        for (k = 1; k <= n; k++) {
            if (parts[k] == "" || parts[k] == ".") continue
            if (parts[k] == "..") { if (m > 0) m--; continue }
            out[++m] = parts[k]
        }
        path = ""
        for (k = 1; k <= m; k++) path = path (k > 1 ? "/" : "") out[k]
        resolved = path
    } else {
        resolved = path
    }
    if (index(resolved, "/") == 0) return ""
    return substr(resolved, 1, index(resolved, "/") - 1)
}
FNR == 1 {
    file = FILENAME
    sub(/^\.\//, "", file)
    dir = file
    sub(/\/[^\/]*$/, "", dir)
    node = folder(file, "")
    known = (node in rank)
    if (!known) {
        print file ": folder not in the layer table of " script
        errors++
    }
}
known && /^[ \t]*#[ \t]*include[ \t]*"/ {
    line = $0
    sub(/^[ \t]*#[ \t]*include[ \t]*"/, "", line)
    sub(/".*/, "", line)
    node2 = folder(line, dir)
    if (!(node2 in rank)) next # a header of a library, or of this very folder without a path
    if (node2 != node && rank[node2] >= rank[node]) {
        print file ": includes " resolved " (" node ", layer " rank[node] ", may not use " node2 ", layer " rank[node2] ")"
        errors++
    }
}
END {
    if (errors > 0) {
        print errors " include(s) cross a layer the wrong way"
        exit 1
    }
    print "layers: every include goes downwards"
}'
