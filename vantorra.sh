#!/usr/bin/env bash
# Set-up, build and run for Vantorra on Debian.
#   ./vantorra.sh play      install what is missing, build, start Korvanth
#   ./vantorra.sh test      install what is missing, build, run every test
#   ./vantorra.sh sanitize  the tests again, built with ASan and UBSan
#   ./vantorra.sh fuzz      the fuzz targets, built with clang, a short run of each
#   ./vantorra.sh format    check that every source file is as clang-format writes it
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core
          libjpeg62-turbo-dev qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          clang libclang-rt-dev clang-format)

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

# The fuzz targets and how many inputs each tries in CI's short run, chosen so
# that all of them together, run side by side, take a minute or two.
FUZZ_RUNS=(picture:20000 sound:120000 shipdata:200000 gameships:9000 keymap:120000
           config:40000 stats:40000 jpeg:60000 editorships:2000)

run_fuzz() {  # run_fuzz <build folder>: every target at once; fails on any finding.
    # The targets change their working folder, so every path given is absolute.
    local dir=$PWD/$1 failed=0 pids=() names=()
    rm -rf "$dir/fuzz/corpus" "$dir/fuzz/logs"
    for entry in "${FUZZ_RUNS[@]}"; do
        local name=${entry%%:*} runs=${entry##*:}
        mkdir -p "$dir/fuzz/corpus/$name" "$dir/fuzz/crashes/$name" "$dir/fuzz/logs" "$dir/fuzz/seeds/$name"
        # New inputs go to the first corpus folder; the seeds and the kept
        # regression inputs are only read. A smaller quarantine keeps the
        # freed memory ASan holds well under the RSS limit.
        ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS=suppressions="$PWD/fuzz/lsan.supp" \
        SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen \
            "$dir/fuzz/fuzz_$name" -runs="$runs" -timeout=2 -rss_limit_mb=512 -malloc_limit_mb=512 \
                -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$dir/fuzz/crashes/$name/" \
                "$dir/fuzz/corpus/$name" "$dir/fuzz/seeds/$name" "$PWD/fuzz/regressions/$name" \
                >"$dir/fuzz/logs/$name.log" 2>&1 &
        pids+=($!)
        names+=("$name")
    done
    for i in "${!pids[@]}"; do
        local name=${names[$i]} log="$dir/fuzz/logs/${names[$i]}.log"
        if wait "${pids[$i]}"; then
            printf '%-12s %10s executions in %ss\n' "$name" \
                "$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")" \
                "$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")"
        else
            echo "$name FAILED: see $log; the input is in $dir/fuzz/crashes/$name/"
            tail -n 40 "$log"
            failed=1
        fi
    done
    return "$failed"
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
    fuzz)
        install_missing
        start=$(date +%s)
        cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
            -DVANTORRA_FUZZ=ON -DVANTORRA_TESTS=OFF -DVANTORRA_BENCH=OFF
        cmake --build build-fuzz --target fuzz
        built=$(date +%s)
        run_fuzz build-fuzz
        echo "fuzz step: build $((built - start))s, runs $(($(date +%s) - built))s"
        ;;
    format)
        install_missing
        git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
        echo "Every source file is formatted."
        ;;
    *)
        echo "usage: $0 play|test|sanitize|fuzz|format" >&2
        exit 2
        ;;
esac
