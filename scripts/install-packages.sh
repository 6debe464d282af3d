#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing, and nothing else:
#   scripts/install-packages.sh          what the program needs to build and run
#   scripts/install-packages.sh --tests  also what the tests and fuzz targets need
#   scripts/install-packages.sh --package  what building the Debian package needs
# It never removes or replaces an installed package. When the package manager
# would have to remove one to install what is missing, it stops, says which
# packages and why, and changes nothing.
set -euo pipefail

tests=0 package=0
case "${1:-}" in
  "") ;;
  --tests) tests=1 package=1 ;;
  --package) package=1 ;;
  *) echo "usage: $0 [--tests | --package]" >&2; exit 2 ;;
esac

# libqt6sql6-sqlite and libqt6sql6-psql: the register of certificates issued,
# in SQLite on one computer or on the centre's PostgreSQL server.
# libpodofo-dev and libssl-dev: signed PDF certificates (PoDoFo writes the
# signature into the PDF, OpenSSL makes and checks it).
# qt6-tools-dev and qt6-l10n-tools: the Russian interface is built from its .ts
# file; qt6-translations-l10n: Qt's own dialogs and buttons in Russian.
packages=(cmake g++ make qt6-base-dev libxkbcommon-dev fonts-liberation2 libreoffice-dev
          libqt6sql6-sqlite libqt6sql6-psql libpodofo-dev libssl-dev pkg-config
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
if ((tests)); then
  # bindfs, samba and smbnetfs: the shared-folder test mounts the archive a
  # second time as a network share would show it. postgresql: the register's
  # tests start a server of their own. python3: its csv module reads back what
  # the program writes. openssl: the signing tests make their keys with it
  # and verify the signatures (pdfsig of poppler-utils too).
  packages+=(poppler-utils xvfb xauth x11-utils imagemagick clang libclang-rt-14-dev bindfs samba smbnetfs
             postgresql python3 openssl)
  # The package's test: its checkers and a clean Debian system to install it in.
  packages+=(lintian desktop-file-utils appstream mmdebstrap)
fi
if ((package)); then
  # librsvg2-bin: the icon's PNG sizes are rendered from its SVG.
  packages+=(debhelper dpkg-dev fakeroot librsvg2-bin)
fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
# Either Writer will do, and the two exclude each other. Where neither is
# there, the program gets the one with a window (the Word export shows its
# document); the tests are content with the smaller one without, and the
# package's build needs neither.
if ! installed libreoffice-writer && ! installed libreoffice-writer-nogui; then
  if ((tests)); then
    missing+=(libreoffice-writer-nogui)
  elif ((!package)); then
    missing+=(libreoffice-writer)
  fi
fi
((${#missing[@]})) || exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Missing packages: ${missing[*]}"
"${sudo[@]}" apt-get update -qq

# Ask the package manager what it would do before letting it do anything.
if ! plan="$(LC_ALL=C apt-get -s install --no-install-recommends "${missing[@]}" 2>&1)"; then
  printf '%s\n' "$plan" >&2
  echo "The package manager cannot install ${missing[*]} (see above); nothing was changed." >&2
  exit 1
fi
removed="$(printf '%s\n' "$plan" | sed -n 's/^Remv \([^ ]*\).*/\1/p' | tr '\n' ' ')"
if [ -n "$removed" ]; then
  cat >&2 <<EOF
The set-up stops: installing ${missing[*]}
would remove ${removed% }, and the set-up never removes or replaces software.
Nothing was changed. Install the missing packages yourself once you have
decided about the ones that would go, then start again.
EOF
  exit 1
fi

"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
  --no-install-recommends --no-remove "${missing[@]}"
