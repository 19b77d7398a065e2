#!/usr/bin/env bash
# Builds Release and runs every benchmark, then prints one table: each figure beside a reference
# measured in the same run (order alternated), their ratio, and the samples that failed.
#
#   scripts/bench.sh [native] [wine] [NAME ...]    default: everything; NAME is a row source below
#   BENCH_RUNS=1           runs of each Wine benchmark (rows of several runs merge into medians)
#   BENCH_REPETITIONS=5    repetitions of each native case (random interleaving, medians)
#   BENCH_MIN_TIME=0.2     seconds each native repetition runs at least
#   BENCH_OUT=DIR          where the raw results and table.txt go (default build/bench-results/<time>)
#   SOAK_SCANS=100000      scans of the soak (`scripts/bench.sh soak`, run only when named)
#   SOAK_PHASE=500         scans per phase of the soak (subscriber and window take turns)
#
# Native cases (Google Benchmark, tests/bench) run from build/bench, the Wine ones from
# build/win64-release under the Wine harness (its own prefix and ports in build/win64-release/wine),
# which this script brings up and down. Exits non-zero when a build fails, a program fails or a
# sample did not deliver what was sent.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${JOBS:-2}
runs=${BENCH_RUNS:-1}
repetitions=${BENCH_REPETITIONS:-5}
min_time=${BENCH_MIN_TIME:-0.2}
out=${BENCH_OUT:-build/bench-results/$(date +%Y%m%d-%H%M%S)}
native_dir=build/bench
wine_dir=build/win64-release
harness=tests/harness/quilbar-wine

# Row sources. Native: Google Benchmark programs of tests/bench, each case beside <case>_Reference.
native_benches=(DataConvBench DataStringCutterBench EngineBench ExpressionBench GS1NormaliserBench KeystrokePlannerBench
                PipelineBench SettingsBench)
# Wine: "name|build target|program in the Windows build|arguments"; each prints BENCH rows
# (tests/benchsupport/BenchRow.h). Another benchmark under Wine is one more line here.
wine_benches=(
  "typing|keyboard_typing_bench|tests/keyboard/keyboard_typing_bench.exe|9"
  "serial|serial_bench|tests/serial/serial_bench.exe|24 1000 3"
  "subscribers|subscriber_delivery_bench|tests/pipeline/subscriber_delivery_bench.exe|1000"
  "program|program_bench|tests/app/program_bench.exe|7 200 30 10000"
  "monitor|monitor_bench|tests/monitor/monitor_bench.exe|10000"
  "soak|program_soak|tests/app/program_soak.exe|${SOAK_SCANS:-100000} ${SOAK_PHASE:-500}"
)
# Row sources that run only when named: the soak takes most of an hour.
on_request=(soak)

log() { echo "bench: $*" >&2; }

selected() {  # group name: true when the command line asks for it
  local group=$1 name=$2 arg
  for arg in "${selection[@]}"; do
    [ "$arg" = "$name" ] && return 0
  done
  for arg in "${on_request[@]}"; do
    [ "$arg" = "$name" ] && return 1
  done
  [ ${#selection[@]} -eq 0 ] && return 0
  for arg in "${selection[@]}"; do
    [ "$arg" = "$group" ] && return 0
  done
  return 1
}

configure() {  # dir, cmake args...
  local dir=$1; shift
  mkdir -p build
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log" >&2; return 1; }
}

# The wineserver of this prefix: its working folder is named after the prefix's device and inode.
wineserver_pid() {
  local prefix=$root/$wine_dir/wine/prefix key proc
  key=$(printf 'server-%x-%x' $(stat -c '%d %i' "$prefix"))
  for proc in /proc/[0-9]*; do
    [[ "$(cat "$proc/comm" 2>/dev/null)" == wineserver* ]] || continue
    [[ "$(readlink "$proc/cwd" 2>/dev/null)" == */"$key" ]] && { echo "${proc#/proc/}"; return 0; }
  done
  return 1
}

run_native() {
  local targets=() bench
  for bench in "${native_benches[@]}"; do selected native "$bench" && targets+=("$bench"); done
  [ ${#targets[@]} -gt 0 ] || return 0
  configure "$native_dir" -DQUILBAR_BENCHMARKS=ON &&
    cmake --build "$native_dir" -j"$jobs" --target "${targets[@]}" >"$out/native-build.log" 2>&1 ||
    { tail -30 "$out/native-build.log" >&2; return 1; }
  local failed=0
  for bench in "${targets[@]}"; do
    log "native $bench"
    "$native_dir/tests/bench/$bench" --benchmark_repetitions="$repetitions" \
      --benchmark_report_aggregates_only=true --benchmark_enable_random_interleaving=true \
      --benchmark_min_time="$min_time" --benchmark_format=json >"$out/$bench.json" 2>"$out/$bench.err" ||
      { log "$bench failed:"; cat "$out/$bench.err" >&2; failed=1; }
  done
  return $failed
}

run_wine() {
  local entries=() targets=() entry name target program args
  for entry in "${wine_benches[@]}"; do
    IFS='|' read -r name target program args <<<"$entry"
    selected wine "$name" && { entries+=("$entry"); targets+=("$target"); }
  done
  [ ${#entries[@]} -gt 0 ] || return 0
  configure "$wine_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake &&
    cmake --build "$wine_dir" -j"$jobs" --target "${targets[@]}" >"$out/wine-build.log" 2>&1 ||
    { tail -30 "$out/wine-build.log" >&2; return 1; }
  export QUILBAR_WINE_DIR=$root/$wine_dir/wine
  "$harness" up || return 1
  trap '"$harness" down' EXIT
  QUILBAR_WINESERVER_PID=$(wineserver_pid) || { log "no wineserver found for $QUILBAR_WINE_DIR/prefix"; return 1; }
  export QUILBAR_WINESERVER_PID QUILBAR_CLK_TCK
  QUILBAR_CLK_TCK=$(getconf CLK_TCK)
  local failed=0 run
  for entry in "${entries[@]}"; do
    IFS='|' read -r name target program args <<<"$entry"
    for run in $(seq 1 "$runs"); do
      log "wine $name (run $run of $runs)"
      # shellcheck disable=SC2086  # the arguments are words
      "$harness" run "$wine_dir/$program" $args >"$out/$name-$run.txt" 2>"$out/$name-$run.err" ||
        { log "$name failed:"; cat "$out/$name-$run.err" >&2; failed=1; }
    done
  done
  return $failed
}

selection=("$@")
mkdir -p "$out"
status=0
run_native || status=1
run_wine || status=1
results=("$out"/*.json "$out"/*.txt)
existing=()
for file in "${results[@]}"; do [ -e "$file" ] && existing+=("$file"); done
[ ${#existing[@]} -gt 0 ] || { log "no results"; exit 1; }
{
  echo "Quilbar benchmarks, $(date '+%Y-%m-%d %H:%M'), commit $(git rev-parse --short HEAD 2>/dev/null || echo '?')," \
    "build type Release ($native_dir, $wine_dir), load average $(cut -d' ' -f1-3 /proc/loadavg)"
  python3 scripts/bench_table.py "${existing[@]}"
} | tee "$out/table.txt"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
log "raw results in $out"
exit $status
