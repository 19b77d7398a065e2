#!/usr/bin/env bash
# Demonstration: builds the Windows programs, starts the Wine harness (private prefix, display and
# virtual COM ports) and sends data strings from the Linux side of a virtual serial cable into a
# Windows program reading COM5 under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build=build/win64
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
echo "demo: Windows programs built in $build"

export QUILBAR_WINE_DIR=$root/$build/wine
harness=tests/harness/quilbar-wine
$harness up
trap '$harness down' EXIT

output=$(mktemp)
$harness run "$build/tests/tools/PortReader.exe" COM5 3 30 >"$output" 2>&1 &
reader=$!
# Wait until the Windows side holds the port, then play the scanner.
for _ in $(seq 1 300); do grep -q listening "$output" && break; sleep 0.1; done
host=$QUILBAR_WINE_DIR/ports/com5-host
for scan in '4006381333931' $'01040063813339311\x1d10ABC123' 'HELLO <WORLD>'; do
  echo "demo: scanner sends $(printf '%q' "$scan")"
  printf '%s\r' "$scan" >"$host"
  sleep 0.3
done
rc=0
wait "$reader" || rc=$?
cat "$output"
rm -f "$output"
[ "$rc" -eq 0 ] && echo "demo: all data strings arrived" || echo "demo: FAILED (reader exit $rc)"
exit "$rc"
