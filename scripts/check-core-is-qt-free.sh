#!/usr/bin/env bash
# Fails when a file of the core (anything under src/ outside a qt/ folder) includes a Qt header.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt[A-Za-z]*/)' src \
        --include='*.h' --include='*.hpp' --include='*.cpp' | grep -v '/qt/' || true)
if [ -n "$hits" ]; then
    echo "Core files must not include Qt headers:" >&2
    echo "$hits" >&2
    exit 1
fi
echo "core is Qt-free"
