#!/usr/bin/env bash
# Builds the release: Quilbar.exe, Pelldrop.exe, QuilbarMonitor.exe, Tessel.dll and Quilbar.chm for Windows x86_64 and
# i686 (optimised, stripped, runtime linked statically), an installer and a zip of each, and prints
# their sizes and SHA-256 checksums. The same sources give the same bytes: every time stamp comes
# from SOURCE_DATE_EPOCH (default: the time of the last commit) and no build path is recorded.
#
#   scripts/release.sh [--check]     results in build/release/
#     --check   builds everything a second time in other folders and compares the bytes
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${JOBS:-2}
check=0
[ "${1:-}" = "--check" ] && check=1
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 946684800)}
export TZ=UTC LC_ALL=C
version=$(sed -n 's/^project(Quilbar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=build/release

build_arch() {  # arch (x86_64|i686), build dir, output dir
  local arch=$1 dir=$2 dest=$3
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILBAR_RELEASE=ON -DQUILBAR_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-$arch.cmake >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; return 1; }
  # The help and the packages carry SOURCE_DATE_EPOCH, which their build steps do not depend on.
  rm -f "$dir/help/Quilbar.chm" "$dir"/installer/*.msi
  cmake --build "$dir" -j"$jobs" --target Quilbar Pelldrop QuilbarMonitor Tessel quilbar_help quilbar_msi >"$dir.build.log" 2>&1 ||
    { tail -40 "$dir.build.log"; return 1; }
  local msi_arch=x64
  [ "$arch" = i686 ] && msi_arch=x86
  local name=Quilbar-$version-$msi_arch
  cp "$dir/installer/$name.msi" "$dest/$name.msi"
  local stage
  stage=$(mktemp -d)
  mkdir "$stage/$name"
  cp "$dir/src/app/Quilbar.exe" "$dir/src/pelldrop/Pelldrop.exe" "$dir/src/monitor/QuilbarMonitor.exe" \
     "$dir/src/tessel/Tessel.dll" \
     "$dir/help/Quilbar.chm" "$stage/$name/"
  # The Group Policy templates, laid out as a central store holds them.
  mkdir -p "$stage/$name/PolicyDefinitions/en-US"
  cp installer/policy/Quilbar.admx "$stage/$name/PolicyDefinitions/"
  cp installer/policy/en-US/Quilbar.adml "$stage/$name/PolicyDefinitions/en-US/"
  # A zip records times, order and permissions: all fixed.
  find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  find "$stage/$name" -type f -exec chmod 644 {} +
  find "$stage/$name" -type d -exec chmod 755 {} +
  (cd "$stage" && find "$name" -type f | sort | zip -X -q -D "$root/$dest/$name.zip" -@)
  rm -rf "$stage"
}

release_into() {  # output dir, build dir prefix
  local dest=$1 prefix=$2
  rm -rf "$dest"
  mkdir -p "$dest"
  for arch in x86_64 i686; do
    echo "release: building $arch in $prefix-$arch" >&2
    build_arch "$arch" "$prefix-$arch" "$dest"
  done
}

mkdir -p build
release_into "$out" build/release-build
echo "Quilbar $version release (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH) in $out:"
(cd "$out" && for f in *; do printf '%10d  %s  %s\n' "$(stat -c %s "$f")" "$(sha256sum "$f" | cut -d' ' -f1)" "$f"; done)

if [ $check = 1 ]; then
  release_into build/release-check build/release-check-build
  if diff <(cd "$out" && sha256sum *) <(cd build/release-check && sha256sum *) >/dev/null; then
    echo "release: a second build in other folders gave the same bytes"
  else
    echo "release: a second build gave different bytes:" >&2
    diff <(cd "$out" && sha256sum *) <(cd build/release-check && sha256sum *) >&2
    exit 1
  fi
fi
