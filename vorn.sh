#!/usr/bin/env bash
# Builds the Halvorine (VORN) Model and opens it, or runs every test.
#   ./vorn.sh run     install what is missing, build, open the window
#   ./vorn.sh test    install what is missing, build, run every test
# Further commands: bench (run the benchmarks), probe (time clicks in the real window on an
# X display; without $DISPLAY it starts its own Xvfb and openbox), install [PREFIX], package
# (a Debian package vorn_<version>_<arch>.deb in this folder).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${VORN_BUILD_DIR:-$here/build}"
jobs="$(nproc 2>/dev/null || echo 2)"

packages=(cmake make g++ pkg-config
          qt6-base-dev qt6-svg-dev libgl-dev qt6-qpa-plugins
          libqcustomplot-dev libqcustomplot2.1-qt6
          libgtest-dev libbenchmark-dev fonts-dejavu-core)

install_missing() {
    local missing=()
    for p in "${packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The number tests also run under a locale that writes decimal commas.
ensure_comma_locale() {
    locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || echo "note: no de_DE.UTF-8 locale; locale tests use a C++ locale only"
}

# The latency probe on $DISPLAY, or on a virtual display of its own with a window manager.
run_probe() {
    local probe="$build/bench/vorn-latency-probe"
    if [ -n "${DISPLAY:-}" ]; then
        "$probe" "$@"
        return
    fi
    local number_file xvfb wm status=0
    number_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 50); do [ -s "$number_file" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$number_file")"
    rm -f "$number_file"
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    "$probe" "$@" || status=$?
    kill "$wm" "$xvfb" 2>/dev/null || true
    wait "$wm" "$xvfb" 2>/dev/null || true
    return "$status"
}

configure_and_build() {
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$build" -j "$jobs"
}

case "${1:-run}" in
    run)
        install_missing
        configure_and_build
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
            echo "No display to open the window on: run this in a desktop session," >&2
            echo "or on a headless machine under a virtual one: xvfb-run -a ./vorn.sh run" >&2
            exit 1
        fi
        exec "$build/vorn"
        ;;
    test)
        install_missing locales xvfb xauth
        ensure_comma_locale
        configure_and_build
        cd "$build"
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
        ;;
    bench)
        install_missing
        configure_and_build
        QT_QPA_PLATFORM=offscreen "$build/bench/vorn-bench" "${@:2}"
        ;;
    probe)
        install_missing libx11-dev libxtst-dev libxext-dev xvfb openbox
        configure_and_build
        run_probe "${@:2}"
        ;;
    install)
        install_missing
        configure_and_build -DCMAKE_INSTALL_PREFIX="${2:-/usr/local}"
        cmake --install "$build"
        ;;
    package)
        # dpkg-shlibdeps (dpkg-dev) computes the package's Depends; CPack looks at the
        # programs with file. The programs look for the examples under /usr/share.
        install_missing dpkg-dev file
        configure_and_build -DCMAKE_INSTALL_PREFIX=/usr
        rm -f "$build"/vorn_*.deb
        (cd "$build" && cpack -G DEB >/dev/null)
        rm -f "$here"/vorn_*.deb
        cp "$build"/vorn_*.deb "$here"/
        ls "$here"/vorn_*.deb
        ;;
    *)
        echo "usage: $0 run|test|bench|probe|install [PREFIX]|package" >&2
        exit 2
        ;;
esac
