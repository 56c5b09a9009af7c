#!/usr/bin/env bash
# Checks the C++ that a change touches against the checked-in .clang-format
# and .clang-tidy; exits non-zero on any finding.
#   bash scripts/check-format.sh           # the last commit (HEAD~1..HEAD)
#   bash scripts/check-format.sh BASE      # everything from BASE to the work tree
# Layout: only the lines the change touched are held to .clang-format (git
# clang-format), so older code keeps its hand-made tables until someone edits
# it. Checks: every changed .cpp under src/ and tests/ goes through
# clang-tidy with the compile lines of a configured (not built) tree.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format clang-tidy >&2

if [ $# -ge 1 ]; then
    intervallo=("$1")
else
    intervallo=(HEAD~1 HEAD)
fi
if ! git rev-parse -q --verify "${intervallo[0]}^{commit}" >/dev/null; then
    # A clone of one commit has nothing to compare with.
    echo "check-format: no commit ${intervallo[0]} to compare with; nothing checked"
    exit 0
fi
mapfile -t cambiati < <(git diff --name-only --diff-filter=ACMR "${intervallo[@]}" -- \
    'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h')
if [ "${#cambiati[@]}" -eq 0 ]; then
    echo "check-format: no C++ changed"
    exit 0
fi

esito=0
echo "check-format: layout of the changed lines in ${#cambiati[@]} files"
if ! diff=$(git clang-format --style=file --diff "${intervallo[@]}" -- "${cambiati[@]}"); then
    esito=1
fi
case "$diff" in
"" | "no modified files to format" | "clang-format did not modify any files") ;;
*)
    echo "$diff"
    echo "check-format: the lines above do not follow .clang-format" >&2
    esito=1
    ;;
esac

mapfile -t sorgenti < <(printf '%s\n' "${cambiati[@]}" | grep '\.cpp$' | grep -v '^tests/fuzz/' || true)
if [ "${#sorgenti[@]}" -gt 0 ]; then
    echo "check-format: clang-tidy on ${#sorgenti[@]} files"
    cmake -S . -B build/tidy -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
        -DVELMORA_BUILD_TESTS=ON >/dev/null
    # A test includes its own moc output: its target's generated files are
    # made first.
    generati=(velmora_core_autogen)
    for f in "${sorgenti[@]}"; do
        if [[ $f =~ ^tests/support/ ]]; then
            generati+=(velmora_test_support_autogen)
        elif [[ $f =~ ^tests/([^/]+)/([^/]+)\.cpp$ ]]; then
            generati+=("${BASH_REMATCH[1]}_${BASH_REMATCH[2]}_autogen")
        fi
    done
    cmake --build build/tidy --target "${generati[@]}" >/dev/null
    for f in "${sorgenti[@]}"; do
        if ! nice clang-tidy -p build/tidy --quiet --warnings-as-errors='*' "$f" 2>/dev/null; then
            echo "check-format: clang-tidy finds fault with $f" >&2
            esito=1
        fi
    done
fi
exit $esito
