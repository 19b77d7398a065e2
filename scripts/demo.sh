#!/usr/bin/env bash
# Demonstration of the wedge at work: builds Quilbar, writes a demonstration profile into the
# registry of the Wine harness, starts Quilbar and Wine's notepad in a Wine virtual desktop, plays
# scans into the virtual COM port COM5 from its Linux end as a barcode scanner would, prints what
# arrived in notepad beside what was scanned, and saves a screenshot of the desktop (the Quilbar
# window, notepad with the scans, the tray icon in the task bar).
#
#   scripts/demo.sh [SCREENSHOT.png]      default build/win64/demo/quilbar-demo.png
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build=build/win64
shot=${1:-$build/demo/quilbar-demo.png}
mkdir -p "$(dirname "$shot")"
shot=$(cd "$(dirname "$shot")" && pwd)/$(basename "$shot")

[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake >/dev/null
cmake --build "$build" -j"$(nproc)" --target Quilbar DemoProfile WindowText >/dev/null
echo "demo: Quilbar built in $build/src/app"

export QUILBAR_WINE_DIR=$root/$build/wine
harness=$root/tests/harness/quilbar-wine
$harness up
eval "$($harness env)"
host=$QUILBAR_WINE_DIR/ports/com5-host
desktop=QuilbarDemo,1024x768
windows_path() { echo "Z:$1" | sed 's|/|\\|g'; }
work=$(mktemp -d)
trap '$harness down; rm -rf "$work"' EXIT

# Runs a program inside the demo's virtual desktop (windows of other desktops cannot be seen).
in_desktop() { "$WINELOADER" explorer /desktop=$desktop "$@" </dev/null >/dev/null 2>&1 & }

# What notepad holds once it has at least $1 lines (or after 30 s), read inside the desktop.
notepad_text() {
  local file=$work/notepad-$1.txt
  rm -f "$file"
  in_desktop "$(windows_path "$root/$build/tests/tools/WindowText.exe")" Notepad Edit "$1" 30000 "$(windows_path "$file")"
  for _ in $(seq 1 450); do [ -e "$file" ] && break; sleep 0.1; done
  [ -e "$file" ] && tr -d '\r' <"$file"
}

# The scanner's data: an EAN-13, a GS1-128 label as a scanner sends it (symbology identifier
# "]C1", GTIN, batch, a group separator after the variable-length batch, best-before date), the
# same data from 2D codes (a GS1 Digital Link in a QR Code, a GS1 DataMatrix, the bracketed text
# some scanners send) and a Code 39 text.
gs1_typed='GTIN 04006381333931 batch LOT4711 best before 261231'
scans=('4006381333931' $']C1010400638133393110LOT4711\x1d17261231'
       ']Q1https://id.gs1.org/01/04006381333931/10/LOT4711?17=261231'
       $']d2010400638133393110LOT4711\x1d17261231' '(01)04006381333931(10)LOT4711(17)261231' 'QUILBAR-39 DEMO')
expected=('4006381333931' "$gs1_typed" "$gs1_typed" "$gs1_typed" "$gs1_typed" 'QUILBAR-39 DEMO')

$harness run "$build/tests/tools/DemoProfile.exe" COM5
# What was scanned, shown as the settings show data ("<GS>"): rendered by the program's own code.
hex=()
for scan in "${scans[@]}"; do hex+=("$(printf '%s' "$scan" | od -An -tx1 | tr -d ' \n')"); done
mapfile -t shown < <($harness run "$build/tests/tools/DemoProfile.exe" /notation "${hex[@]}" | tr -d '\r')

in_desktop "$(windows_path "$root/$build/src/app/Quilbar.exe")" Demo
# The profile's initialisation string comes out of the port once Quilbar has opened it.
ready=$(timeout 60 head -c 3 "$host" | tr -d '\r' || true)
if [ "$ready" != OK ]; then
  echo "demo: FAILED: Quilbar did not open COM5 (got '$ready')" >&2
  exit 1
fi
echo "demo: Quilbar runs profile Demo and has opened COM5"

# Notepad opens beside the Quilbar window (top left), so the picture shows both.
for value in iWindowPosX:330 iWindowPosY:40 iWindowPosDX:660 iWindowPosDY:440; do
  "$WINELOADER" reg add 'HKCU\Software\Microsoft\Notepad' /v "${value%%:*}" /t REG_DWORD /d "${value#*:}" /f \
    </dev/null >/dev/null 2>&1 || true
done
in_desktop notepad.exe
notepad_text 0 >/dev/null || { echo "demo: FAILED: notepad did not start" >&2; exit 1; }
sleep 1  # let notepad take the focus it is given when it opens
echo "demo: notepad is the focused window; scanning"

for scan in "${scans[@]}"; do
  printf '%s\r' "$scan" >"$host"
  sleep 0.8  # a person scanning one label after another
done

arrived=$(notepad_text ${#scans[@]} || true)
mapfile -t lines <<<"$arrived"
printf '\n%-64s  %s\n' "scanned (as the scanner sends it)" "typed into notepad by Quilbar"
printf '%-64s  %s\n' "---------------------------------" "-----------------------------"
failed=0
for i in "${!scans[@]}"; do
  got=${lines[$i]:-}
  mark=ok
  [ "$got" = "${expected[$i]}" ] || { mark="MISSING, expected: ${expected[$i]}"; failed=1; }
  printf '%-64s  %s   [%s]\n' "${shown[$i]:-?}" "$got" "$mark"
done
echo

import -display "$DISPLAY" -window root -crop 1024x768+0+0 +repage "$shot"
echo "demo: screenshot of the desktop saved to $shot"
if [ "$failed" -ne 0 ]; then
  echo "demo: FAILED: not every scan arrived as expected" >&2
  exit 1
fi
echo "demo: every scan arrived in notepad"
