#!/usr/bin/env bash
# Builds what the figures need and prints them: the in-process benchmarks
# (paint against its memcpy bound, a move to finished pixels, a burst of
# moves), the whole-process figures (start to first finished frame, peak
# resident memory), the launchers' cost while idle on a desktop (wake-ups
# and CPU time) and the executables' sizes.
#
# usage: tools/bench.sh [--no-windows]
#   BENCH_RUNS=N        process starts per figure (default 20)
#   BENCH_IDLE=S        seconds of the idle figures (default 10)
#   BENCH_DISC=DIR      the disc's Linux launcher (default build/disc-launcher)
#   BENCH_REPS=N        repetitions of each in-process benchmark (default 5)
#   BENCH_JOBS=N        build jobs (default 2)
#
# Everything is built under build/bench: the host build (Release) there, the
# Windows builds in build/bench/windows-x86 and build/bench/windows-x64 with
# the same toolchains and build type (MinSizeRel) as the presets.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/bench
runs=${BENCH_RUNS:-20}
reps=${BENCH_REPS:-5}
jobs=${BENCH_JOBS:-2}
windows=1
[[ ${1:-} == --no-windows ]] && windows=0

say() { printf '%s\n' "$*"; }

say "== machine"
say "date     $(date -u +%Y-%m-%d)"
say "nproc    $(nproc)"
say "cpu      $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
say "memory   $(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
say "load     $(cut -d' ' -f1-3 /proc/loadavg)"

say "== building (host, Release, $out)"
mkdir -p "$out"
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release >"$out/bench-configure.log" 2>&1 ||
    { cat "$out/bench-configure.log"; exit 1; }
cmake --build "$out" -j"$jobs" --target bench >"$out/bench-build.log" 2>&1 || { tail -40 "$out/bench-build.log"; exit 1; }

say "== in-process benchmarks (medians of $reps repetitions)"
"$out/bench/paint_bench" --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
    --benchmark_counters_tabular=true 2>&1 | grep -E '^(Benchmark|-|FullPaint|MoveOverHotSpot|TenThousandMoves).*' |
    grep -Ev '_(mean|stddev|cv)\b' || true

say "== whole process ($runs runs each, headless presenter)"
"$out/bench/session_figures" "$out/OrvaneCD" "$runs"

# idle LABEL DIR PROGRAM: PROGRAM started in DIR on the private display,
# its window shown, then BENCH_IDLE seconds without input: the wake-ups of
# its threads (voluntary context switches) a second, and its CPU time.
idle() {
    local label=$1 dir=$2 program=$3 pid w0 w1 t0 t1 hz
    (cd "$dir" && exec env -u ORVANE_PRESENTER "$program" >/dev/null 2>&1) &
    pid=$!
    if ! wait_for 30 xdotool search --onlyvisible --pid "$pid" >/dev/null; then
        say "$label: no window"
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        return
    fi
    sleep 1 # the desktop's answers to the new window
    w0=$(wakeups "$pid") t0=$(cpu_ticks "$pid")
    sleep "$idle_s"
    w1=$(wakeups "$pid") t1=$(cpu_ticks "$pid")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    hz=$(getconf CLK_TCK)
    say "$(awk -v l="$label" -v w=$((w1 - w0)) -v t=$((t1 - t0)) -v s="$idle_s" -v hz="$hz" \
        'BEGIN { printf "%-32s %8.1f wake-ups/s   CPU %d ms in %d s\n", l, w / s, t * 1000 / hz, s }')"
}

idle_s=${BENCH_IDLE:-10}
disc=${BENCH_DISC:-$root/build/disc-launcher}
say "== idle on Xvfb with openbox ($idle_s s without input, after the first frame)"
source "$root/tools/private_display.sh"
idle_dir=$(mktemp -d /tmp/orvane-bench-idle.XXXXXX)
if display_start "$idle_dir"; then
    idle "host OrvaneCD (Release)" "$idle_dir" "$out/OrvaneCD"
    if [ -x "$disc/OrvaneCD" ]; then
        idle "disc launcher ($(basename "$disc"))" "$idle_dir" "$disc/OrvaneCD"
    else
        say "disc launcher: not built ($disc; the cd tests' cd.linux.build builds it)"
    fi
    display_stop
fi
rm -rf "$idle_dir"

say "== sizes (bytes)"
size_of() { stat -c %s "$1"; }
host_exe=$out/OrvaneCD
stripped=$(mktemp)
strip -o "$stripped" "$host_exe"
say "host OrvaneCD (Release)            $(size_of "$host_exe")   stripped $(size_of "$stripped")"
rm -f "$stripped"

if ((windows)); then
    for arch in x86 x64; do
        # The preset's settings, in a folder of the benchmark's own.
        dir=$out/windows-$arch
        (cd "$root" && cmake --preset "windows-$arch" -B "$dir") \
            >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
        cmake --build "$dir" -j"$jobs" --target OrvaneCD >"$dir.build.log" 2>&1 ||
            { tail -40 "$dir.build.log"; exit 1; }
        say "windows-$arch OrvaneCD.exe (MinSizeRel)  $(size_of "$dir/OrvaneCD.exe")   (x86: target <= 400000, limit 460800)"
    done
    for arch in x86 x64; do
        dir=$out/windows-$arch
        say "== windows-$arch: sections (bytes in memory, as objdump -h gives them)"
        x86_64-w64-mingw32-objdump -h "$dir/OrvaneCD.exe" | awk '$1 ~ /^[0-9]+$/ {print $2, $3}' |
            while read -r name size; do printf '  %-10s %8d\n' "$name" "$((16#$size))"; done
        say "== windows-$arch: largest contributors (linker map; bytes, section, input)"
        awk -f "$root/tools/map_sizes.awk" "$dir/OrvaneCD.map" | sort -rn | head -n 15 |
            awk -F'\t' '{printf "  %8d  %-9s %s\n", $1, $2, $3}'
        say "== windows-$arch: by library (all sections but .rsrc)"
        awk -f "$root/tools/map_sizes.awk" "$dir/OrvaneCD.map" |
            awk -F'\t' '$2 != ".rsrc" {lib = $3; sub(/\(.*/, "", lib); sum[lib] += $1} END {for (l in sum) printf "  %8d  %s\n", sum[l], l}' |
            sort -rn
    done
    for preset in windows-x86 windows-x64; do
        f=$root/build/$preset/OrvaneCD.exe
        [[ -f $f ]] && say "build/$preset/OrvaneCD.exe (preset build, as last built)  $(size_of "$f")"
    done
fi
