#!/usr/bin/env bash
# Saves a picture of every dialog, page and sheet of the program and of the monitor, each opened alone by the dialog
# gallery inside a Wine virtual desktop (title bars and all):
#
#   scripts/screenshots.sh [OUTPUT_DIR]     default build/win64/screenshots/<name>.png
#   GALLERY_ONLY="name1 name2"              only these pictures
#   GALLERY_DPI=144                         screen resolution in dots per inch (96 = 100 %)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=${BUILD_DIR:-build/win64}
out=$(mkdir -p "${1:-$build/screenshots}" && cd "${1:-$build/screenshots}" && pwd)

[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake >/dev/null
cmake --build "$build" -j"$(nproc)" --target DialogGallery >/dev/null
gallery=$root/$build/tests/tools/DialogGallery.exe

export QUILBAR_WINE_DIR=$root/$build/wine
harness=$root/tests/harness/quilbar-wine
$harness up
trap '$harness down' EXIT
eval "$($harness env)"

windows_path() { echo "Z:$1" | sed 's|/|\\|g'; }

if [ -n "${GALLERY_DPI:-}" ]; then
  "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$GALLERY_DPI" /f >/dev/null 2>&1
fi

# The desktop grows with the scale, up to the harness's screen (1280x1024), so that a large
# dialog at 200 % is not cut by the picture.
width=$((1000 * ${GALLERY_DPI:-96} / 96)); [ $width -le 1280 ] || width=1280
height=$((740 * ${GALLERY_DPI:-96} / 96)); [ $height -le 1024 ] || height=1024

names=${GALLERY_ONLY:-$("$WINELOADER" "$gallery" --list 2>/dev/null | tr -d '\r')}
work=$(mktemp -d)
count=0
for name in $names; do
  rm -f "$work/ready" "$work/done"
  "$WINELOADER" explorer /desktop=Gallery,${width}x${height} "$gallery" "$name" \
    "$(windows_path "$work/ready")" "$(windows_path "$work/done")" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do [ -e "$work/ready" ] && break; sleep 0.1; done
  if [ -e "$work/ready" ]; then
    import -display "$DISPLAY" -window root -crop ${width}x${height}+0+0 +repage "$out/$name.png"
    echo "screenshots: $out/$name.png"
    count=$((count + 1))
  else
    echo "screenshots: $name did not appear" >&2
  fi
  touch "$work/done"
  wait "$pid" 2>/dev/null || true
done
rm -rf "$work"
if [ -n "${GALLERY_DPI:-}" ]; then
  "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
fi
echo "screenshots: $count picture(s) in $out"
