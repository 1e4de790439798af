#!/usr/bin/env bash
# Runs the blit benchmark and prints, per pair, our time divided by SDL's
# (and by memset/memcpy where there is one), from the median of the runs.
#   bench/run_bench_blit.sh [build folder] [repetitions]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
# No window is opened; keep SDL from looking for a display.
export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-dummy}
reps=${2:-3}
if [ ! -x "$build/bench/bench_blit" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target bench_blit >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build/bench/bench_blit" --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
    --benchmark_format=json --benchmark_out="$out" --benchmark_out_format=json >/dev/null

echo "cores: $(nproc), repetitions: $reps (medians)"
python3 - "$out" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
# Several repetitions report aggregates; a single one reports the run itself.
median = {b["run_name"]: b["real_time"] * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
          for b in runs if b.get("run_type") != "aggregate" or b.get("aggregate_name") == "median"}
pairs = [
    ("fill 1024x768", "BM_Fill_Ours", "BM_Fill_SDL", "BM_Fill_Memset", "memset"),
    ("opaque copy 1024x768", "BM_Copy_Ours", "BM_Copy_SDL", "BM_Copy_Memcpy", "memcpy"),
    ("keyed 128x128 x200", "BM_Keyed_Ours", "BM_Keyed_SDL", None, None),
    ("stretched keyed 128->200 x200", "BM_Stretch_Ours", "BM_Stretch_SDL", None, None),
    ("alpha keyed 128 x200", "BM_AlphaKeyed_Ours", "BM_Blend_SDL", None, None),
    ("half blend x200", "BM_HalfBlend_Ours", "BM_Blend_SDL", None, None),
]
print(f"{'pair':32} {'ours us':>10} {'SDL us':>10} {'ours/SDL':>9} {'ours/libc':>10}")
for name, ours, sdl, libc, libcName in pairs:
    o, s = median[ours], median[sdl]
    extra = f"{o / median[libc]:>6.2f} ({libcName})" if libc else ""
    print(f"{name:32} {o / 1e3:>10.1f} {s / 1e3:>10.1f} {o / s:>9.2f} {extra}")
PY
