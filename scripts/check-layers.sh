#!/usr/bin/env bash
# Fails when a file includes a header of a layer above its own. The layers, lowest first, are
# the rows of the code map in ARCHITECTURE.md between its "layers" markers; a file may include
# its own layer and the layers listed before it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

mapfile -t folders < <(sed -n '/<!-- layers: begin -->/,/<!-- layers: end -->/p' ARCHITECTURE.md |
                       grep -oE '^\| `(src|tools)/[a-z_/]+`' | sed -E 's/^\| `//; s/`$//')
if [ ${#folders[@]} -eq 0 ]; then
    echo "ARCHITECTURE.md lists no layers between its layer markers" >&2
    exit 1
fi

# An include names a header relative to src/ or tools/: "qt/window/grid_view.h" belongs to
# the layer src/qt/window. The longest matching folder wins.
layer_of_include() {
    local best=-1 best_length=0 i name
    for i in "${!folders[@]}"; do
        name="${folders[$i]#*/}/"
        if [[ "$1" == "$name"* ]] && [ ${#name} -gt $best_length ]; then
            best=$i
            best_length=${#name}
        fi
    done
    echo "$best"
}

layer_of_file() {
    local best=-1 best_length=0 i
    for i in "${!folders[@]}"; do
        if [[ "$1" == "${folders[$i]}/"* ]] && [ ${#folders[$i]} -gt $best_length ]; then
            best=$i
            best_length=${#folders[$i]}
        fi
    done
    echo "$best"
}

status=0
while IFS= read -r file; do
    own=$(layer_of_file "$file")
    if [ "$own" -lt 0 ]; then
        echo "$file: its folder is not a layer in ARCHITECTURE.md" >&2
        status=1
        continue
    fi
    while IFS=: read -r line header; do
        target=$(layer_of_include "$header")
        if [ "$target" -lt 0 ]; then
            echo "$file:$line: includes \"$header\", which is in no layer" >&2
            status=1
        elif [ "$target" -gt "$own" ]; then
            echo "$file:$line: ${folders[$own]} includes \"$header\" of ${folders[$target]}, a layer above it" >&2
            status=1
        fi
    done < <(grep -nE '^\s*#\s*include\s*"' "$file" | sed -E 's/^([0-9]+):.*"([^"]+)".*/\1:\2/')
done < <(find src tools -name '*.h' -o -name '*.cpp' | sort)

if [ $status -eq 0 ]; then
    echo "every include points down: ${folders[*]}"
fi
exit $status
