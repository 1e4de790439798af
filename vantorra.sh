#!/usr/bin/env bash
# Set-up, build and run for Vantorra on Debian.
#   ./vantorra.sh play      install what is missing, build, start Korvanth
#   ./vantorra.sh test      install what is missing, build, run every test
#   ./vantorra.sh sanitize  the tests again, built with ASan and UBSan
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core
          libjpeg62-turbo-dev qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        local sudo=""
        if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
        echo "Installing: ${missing[*]}"
        $sudo apt-get update
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

build() {  # build <folder> [cmake options...]
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir"
}

run_tests() {  # run_tests <folder>
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen \
        ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
}

case "${1:-}" in
    play)
        install_missing
        build build
        cd build/game && exec ./Korvanth
        ;;
    test)
        install_missing
        build build
        run_tests build
        ;;
    sanitize)
        install_missing
        build build-sanitize -DVANTORRA_SANITIZE=ON -DVANTORRA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-sanitize
        ;;
    *)
        echo "usage: $0 play|test|sanitize" >&2
        exit 2
        ;;
esac
