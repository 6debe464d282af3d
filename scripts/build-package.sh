#!/usr/bin/env bash
# Builds the Debian package sart-tester_<version>_amd64.deb (and its -dbgsym
# companion) from this source tree and puts it into OUT_DIR (default: the
# current folder):
#   scripts/build-package.sh [OUT_DIR]
# Installs the build's missing Debian packages first (never removing any).
# The build runs in a copy of the tree at a fixed place, so that a compiler
# cache, where ccache is installed, makes the next build quick.
set -euo pipefail
out="$(realpath -m "${1:-.}")"
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/install-packages.sh" --package

version="$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)"
work="${SART_PACKAGE_WORK:-/tmp/sart-tester-package}"
mkdir -p "$work" "$out"
# One package build at a time in the shared place.
exec 9>"$work/.lock"
flock 9

src="$work/sart-tester-$version"
rm -rf "$src" "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes
mkdir -p "$src"
# The files of the checkout (committed or not), without what .gitignore
# leaves out: no build folders, no archive of one's own.
git -C "$root" ls-files -z --cached --others --exclude-standard \
  | (cd "$root" && tar --null --no-recursion -T - -cf -) | tar -xf - -C "$src"

echo "Building the package sart-tester $version in $src"
(cd "$src" && dpkg-buildpackage -b -us -uc -j"$(nproc)") >"$work/build.log" 2>&1 || {
  tail -n 60 "$work/build.log" >&2
  echo "The package build failed; its whole log is $work/build.log" >&2
  exit 1
}
cp "$work"/sart-tester*_"$version"_*.deb "$out/"
ls "$out"/sart-tester*_"$version"_*.deb
