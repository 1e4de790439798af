#!/usr/bin/env bash
# Set-up, build and run for Vantorra on Debian.
#   ./vantorra.sh play      install what is missing, build, start Korvanth
#   ./vantorra.sh test      install what is missing, build, run every test
#   ./vantorra.sh sanitize  the tests again, built with ASan and UBSan
#   ./vantorra.sh scalar    the platform's and the layer's tests again, their pixel loops built without SSE2
#   ./vantorra.sh fuzz      the fuzz targets, built with clang, a minute of each, all at once
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

run_tests() {  # run_tests <folder> [ctest options...]
    local dir=$1; shift
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen \
        ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" "$@"
}

# The fuzz targets, all run at once by CI's fuzz step.
FUZZ_TARGETS=(picture sound shipdata gameships keymap config stats jpeg editorships)
# The limits of that step. Every target first replays its seeds and kept
# regression inputs in full, then fuzzes until FUZZ_SECONDS have passed since
# it started: a budget of time, not of inputs, so that a busy machine makes
# the step fuzz less but not last longer. An input that runs longer than
# FUZZ_INPUT_SECONDS is a hang: the slowest input a target accepts (a picture
# of the largest accepted size) takes about half a second on an idle machine, and
# a loaded one with nine targets and other work sharing its cores gives each
# target a quarter of a core or less; 30 s leaves a wide margin above that,
# while an endless loop is still caught within a minute. Memory is bounded by
# what the inputs make the loaders hold, never by how fast they run: one
# allocation or the whole process above FUZZ_MEGABYTES fails the step. A
# target still running FUZZ_WATCHDOG_SECONDS after its start (stuck outside
# any input, where libFuzzer's own checks do not reach) is stopped and fails.
FUZZ_SECONDS=60
FUZZ_INPUT_SECONDS=30
FUZZ_MEGABYTES=512
FUZZ_WATCHDOG_SECONDS=600

# What the log of a failed target says went wrong, in a line.
fuzz_finding() {  # fuzz_finding <log> <exit status>
    local log=$1 status=$2 line
    if grep -q '^timeout: sending signal' "$log"; then
        echo "still running ${FUZZ_WATCHDOG_SECONDS}s after its start, stopped"
        return
    fi
    line=$(grep -m1 -E '^==[0-9]+== ?ERROR: |runtime error: |^SUMMARY: ' "$log" || true)
    echo "${line:-exit status $status}" | sed -E 's/^==[0-9]+== ?//'
}

# run_fuzz <build folder>: every target at once. Prints a line for each
# target that passed and the end of the log of each that failed; what failed
# is left in FUZZ_FINDINGS, and the status is 1 when anything did.
FUZZ_FINDINGS=()
run_fuzz() {
    # The targets change their working folder, so every path given is absolute.
    local dir=$PWD/$1 pids=()
    rm -rf "$dir/fuzz/corpus" "$dir/fuzz/logs"
    for name in "${FUZZ_TARGETS[@]}"; do
        mkdir -p "$dir/fuzz/corpus/$name" "$dir/fuzz/crashes/$name" "$dir/fuzz/logs" "$dir/fuzz/seeds/$name"
        # New inputs go to the first corpus folder; the seeds and the kept
        # regression inputs are only read. A smaller quarantine keeps the
        # freed memory ASan holds well under the RSS limit.
        ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS=suppressions="$PWD/fuzz/lsan.supp" \
        SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen \
            timeout --verbose --kill-after=30 "$FUZZ_WATCHDOG_SECONDS" \
            "$dir/fuzz/fuzz_$name" -max_total_time="$FUZZ_SECONDS" -timeout="$FUZZ_INPUT_SECONDS" \
                -rss_limit_mb="$FUZZ_MEGABYTES" -malloc_limit_mb="$FUZZ_MEGABYTES" \
                -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$dir/fuzz/crashes/$name/" \
                "$dir/fuzz/corpus/$name" "$dir/fuzz/seeds/$name" "$PWD/fuzz/regressions/$name" \
                >"$dir/fuzz/logs/$name.log" 2>&1 &
        pids+=($!)
    done
    # The watchdog puts each target in a process group of its own, out of
    # reach of an interrupt from the terminal: pass it on.
    trap 'kill -TERM "${pids[@]}" 2>/dev/null; exit 130' INT TERM
    for i in "${!pids[@]}"; do
        local name=${FUZZ_TARGETS[$i]} status=0
        local log="$dir/fuzz/logs/$name.log"
        wait "${pids[$i]}" || status=$?
        if ((status == 0)); then
            printf '%-12s %9s inputs in %3ss, peak %4s MB\n' "$name" \
                "$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")" \
                "$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")" \
                "$(sed -n 's/^stat::peak_rss_mb: *//p' "$log")"
            continue
        fi
        local input
        input=$(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1)
        echo "--- fuzz_$name failed; the end of $log:"
        tail -n 30 "$log"
        FUZZ_FINDINGS+=("$name FAILED: $(fuzz_finding "$log" "$status")")
        FUZZ_FINDINGS+=("    input: ${input:-none written}${input:+ (replay: $dir/fuzz/fuzz_$name $input)}")
        FUZZ_FINDINGS+=("    log:   $log")
    done
    trap - INT TERM
    ((${#FUZZ_FINDINGS[@]} == 0))
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
        # Stack frames outlive their return in ASan's fake stacks, so an object
        # that still points into a finished function's locals is caught.
        ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 UBSAN_OPTIONS=print_stacktrace=1 \
            run_tests build-sanitize
        ;;
    scalar)
        install_missing
        # The pixel loops' plain code, which the normal build runs only for
        # the pixels its SSE2 code leaves, built and tested whole.
        cmake -S . -B build-scalar -G Ninja -DVANTORRA_SCALAR_PIXELS=ON -DVANTORRA_BENCH=OFF
        cmake --build build-scalar --target pixel_tests
        run_tests build-scalar -L '^(platform|vx)$'
        ;;
    fuzz)
        install_missing
        start=$(date +%s)
        cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
            -DVANTORRA_FUZZ=ON -DVANTORRA_TESTS=OFF -DVANTORRA_BENCH=OFF
        cmake --build build-fuzz --target fuzz
        built=$(date +%s)
        status=0
        run_fuzz build-fuzz || status=$?
        echo "fuzz step: build $((built - start))s, runs $(($(date +%s) - built))s"
        for line in "${FUZZ_FINDINGS[@]}"; do echo "$line"; done
        exit "$status"
        ;;
    format)
        install_missing
        git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
        echo "Every source file is formatted."
        ;;
    *)
        echo "usage: $0 play|test|sanitize|scalar|fuzz|format" >&2
        exit 2
        ;;
esac
