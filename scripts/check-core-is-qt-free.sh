#!/usr/bin/env bash
# Nothing outside src/qt includes Qt.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt[A-Za-z]*/|qcustomplot)' src tools \
        --include='*.h' --include='*.cpp' | grep -v '^src/qt/' || true)
if [ -n "$hits" ]; then
    echo "Only files under src/qt may include Qt headers:" >&2
    echo "$hits" >&2
    exit 1
fi
echo "nothing outside src/qt includes Qt"
