#!/usr/bin/env bash
# Builds every tier and runs every test: native (plain and with ASan+UBSan), Windows x86_64 under
# Wine, Windows i686 (compile and link only: these machines cannot run 32-bit code), and the fuzz
# targets for a bounded time. Runs all tiers, prints the time each took, exits non-zero on any failure.
#
#   scripts/test-all.sh [tier ...]     tiers: native asan win64 win32 fuzz (default: all)
#   FUZZ_SECONDS=30                    time for each fuzz target
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${JOBS:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-30}
tiers=("$@")
[ ${#tiers[@]} -gt 0 ] || tiers=(native asan win64 win32 fuzz)

configure() {  # dir, cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
}

tier_native() {
  configure build/native -DCMAKE_BUILD_TYPE=Debug -DQUILBAR_BENCHMARKS=ON &&
    cmake --build build/native -j"$jobs" &&
    ctest --test-dir build/native --output-on-failure -j"$jobs"
}

tier_asan() {
  configure build/asan -DCMAKE_BUILD_TYPE=Debug -DQUILBAR_SANITIZE=ON &&
    cmake --build build/asan -j"$jobs" &&
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build/asan --output-on-failure -j"$jobs"
}

tier_win64() {
  configure build/win64 -DCMAKE_BUILD_TYPE=Debug -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake &&
    cmake --build build/win64 -j"$jobs" &&
    ctest --test-dir build/win64 --output-on-failure -j2
}

tier_win32() {
  configure build/win32 -DCMAKE_BUILD_TYPE=Debug -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake &&
    cmake --build build/win32 -j"$jobs"
}

tier_fuzz() {
  CC=clang CXX=clang++ configure build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILBAR_FUZZ=ON \
    -DQUILBAR_FUZZ_SECONDS="$fuzz_seconds" &&
    cmake --build build/fuzz -j"$jobs" --target fuzzers &&
    ctest --test-dir build/fuzz --output-on-failure -j"$jobs" -R '_bounded$'
}

mkdir -p build
passed=0 failed=0
summary=()
for tier in "${tiers[@]}"; do
  echo "=== tier $tier"
  start=$(date +%s)
  if "tier_$tier"; then result=passed; passed=$((passed + 1)); else result=FAILED; failed=$((failed + 1)); fi
  seconds=$(( $(date +%s) - start ))
  summary+=("$(printf '%-7s %-7s %5ss' "$tier" "$result" "$seconds")")
done

echo "=== summary"
printf '%s\n' "${summary[@]}"
echo "tiers: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
