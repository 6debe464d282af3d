#!/usr/bin/env bash
# Builds the Debian package and proves it on a clean Debian 12 system:
#   1. the package (scripts/build-package.sh), its lintian report (no error,
#      no warning), its desktop entry (desktop-file-validate) and AppStream
#      metainfo (appstreamcli validate --no-net);
#   2. a fresh bookworm system made by mmdebstrap, the package installed there
#      with "apt install ./sart-tester_*.deb";
#   3. the installed program started under a fresh home on an X display of the
#      test's own (Xvfb -displayfd): its main window comes, with an empty
#      archive made in the home; a certificate saved as PDF from the command
#      line (offscreen);
#   4. the package purged: nothing of it is left on the system.
# Prints the time of each step.
#   scripts/package-test.sh            runs it (root, or unprivileged user
#                                      namespaces for mmdebstrap --mode=unshare)
#   scripts/package-test.sh --can-run  says whether it can run here, and why not
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

# mmdebstrap makes the system as root, or as a user in a user namespace of
# its own (subordinate ids in /etc/subuid).
cannot_run() {
  if [ "$(id -u)" -eq 0 ]; then
    return 1
  fi
  if ! unshare --user --map-root-user true 2>/dev/null; then
    echo "not root, and unprivileged user namespaces are not allowed here (mmdebstrap --mode=unshare needs them)"
    return 0
  fi
  if ! grep -q "^$(id -un):" /etc/subuid 2>/dev/null; then
    echo "not root, and the user $(id -un) has no subordinate ids in /etc/subuid (mmdebstrap --mode=unshare needs them)"
    return 0
  fi
  return 1
}
if [ "${1:-}" = --can-run ]; then
  if reason="$(cannot_run)"; then
    echo "$reason"
    exit 1
  fi
  exit 0
fi
if reason="$(cannot_run)"; then
  echo "The clean-system test cannot run here: $reason." >&2
  exit 1
fi

started=$SECONDS
step() { echo "== $1 (at $((SECONDS - started)) s)"; }

"$root/scripts/install-packages.sh" --tests
work="$(mktemp -d /tmp/sart-package-test.XXXXXX)"
trap 'rm -rf "$work"' EXIT

# One version everywhere: the project's, the package's and the metainfo's
# latest release.
version="$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)"
project="$(sed -n 's/^project(sart_tester VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
release="$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$root"/mainwindow/*.metainfo.xml | head -n 1)"
if [ "$version" != "$project" ] || [ "$release" != "$project" ]; then
  echo "CMakeLists.txt is at version $project, debian/changelog at $version and the metainfo's latest release at" \
       "$release: give the changelog and the metainfo an entry for $project." >&2
  exit 1
fi

step "Building the package"
"$root/scripts/build-package.sh" "$work" >/dev/null
deb="$(ls "$work"/sart-tester_"$version"_*.deb)"
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) kB"

step "lintian"
lintian --fail-on error,warning --display-info "$deb" "$work"/sart-tester-dbgsym_*.deb

step "Desktop entry and AppStream metainfo of the package"
dpkg-deb -x "$deb" "$work/files"
desktop-file-validate "$work/files/usr/share/applications/sart-tester.desktop"
appstreamcli validate --no-net "$work"/files/usr/share/metainfo/*.metainfo.xml
for f in usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/sart-tester.png \
         usr/share/icons/hicolor/scalable/apps/sart-tester.svg usr/lib/sart-tester/libsart_unowriter.so \
         usr/bin/sart-tester usr/bin/sart-tester-sim \
         usr/share/man/man1/sart-tester.1.gz usr/share/man/man1/sart-tester-sim.1.gz; do
  if [ ! -s "$work/files/$f" ]; then
    echo "The package lacks /$f." >&2
    exit 1
  fi
done

# A record to certify, made by the package build's sample maker.
"${SART_PACKAGE_WORK:-/tmp/sart-tester-package}/sart-tester-$version"/obj-*/tools/sart-make-samples/sart-make-samples \
  "$work/samples" >/dev/null
cp "$(ls "$work"/samples/*.bin | head -n 1)" "$work/record.bin"

# Runs inside the new system: the program on a display of its own, then a
# certificate from the command line. $1: what to run; the rest as told.
cat >"$work/inside.sh" <<'INSIDE'
#!/bin/sh
set -eu
case "$1" in
files)
  # Every path of the system, but the places that change by themselves.
  find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /tmp -o -path /run \
    -o -path /var/cache -o -path /var/log -o -path /var/lib/apt -o -path /var/lib/dpkg \) -prune \
    -o -print | LC_ALL=C sort
  ;;
start)
  home="$(mktemp -d /tmp/home.XXXXXX)"
  export HOME="$home" XDG_RUNTIME_DIR="$home"
  chmod 700 "$home"
  # The X server says which display it took: no guessing at free numbers.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$home/display" >"$home/xvfb.log" 2>&1 &
  xvfb=$!
  tries=100
  while [ ! -s "$home/display" ] && [ "$tries" -gt 0 ]; do sleep 0.1; tries=$((tries - 1)); done
  export DISPLAY=":$(cat "$home/display")"
  sart-tester --own-folder >"$home/program.log" 2>&1 &
  program=$!
  tries=300
  # Shown: the window of that title is mapped and viewable.
  until xwininfo -name "SART TESTER SOFTWARE" 2>/dev/null | grep -q "Map State: IsViewable"; do
    tries=$((tries - 1))
    if [ "$tries" -eq 0 ] || ! kill -0 "$program" 2>/dev/null; then
      echo "The installed program's main window did not come within 30 s:" >&2
      cat "$home/program.log" >&2
      kill "$program" "$xvfb" 2>/dev/null || true
      exit 1
    fi
    sleep 0.1
  done
  echo "main window: \"SART TESTER SOFTWARE\", $(xwininfo -name "SART TESTER SOFTWARE" | sed -n 's/^ *-geometry //p')"
  kill "$program"
  wait "$program" 2>/dev/null || true
  kill "$xvfb"
  wait "$xvfb" 2>/dev/null || true
  archive="$home/SART Tester/bin"
  if [ ! -d "$archive" ] || [ -n "$(ls -A "$archive")" ]; then
    echo "The archive $archive was not made empty on the first start." >&2
    exit 1
  fi
  echo "archive: $archive, empty"
  rm -rf "$home"
  ;;
certificate)
  home="$(mktemp -d /tmp/home.XXXXXX)"
  export HOME="$home" XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen
  chmod 700 "$home"
  sart-tester --print-pdf /tmp/record.bin /tmp/certificate.pdf --verdict failed
  text="$(pdftotext /tmp/certificate.pdf -)"
  for expected in "SART TEST REPORT" "SART does not comply with its specification"; do
    if ! printf '%s\n' "$text" | grep -qF "$expected"; then
      echo "The certificate /tmp/certificate.pdf lacks \"$expected\"." >&2
      exit 1
    fi
  done
  pdffonts /tmp/certificate.pdf | grep -q LiberationSerif || {
    echo "The certificate /tmp/certificate.pdf is not set in Liberation Serif:" >&2
    pdffonts /tmp/certificate.pdf >&2
    exit 1
  }
  echo "certificate: $(pdfinfo /tmp/certificate.pdf | sed -n 's/^Title: *//p')"
  rm -rf "$home" /tmp/certificate.pdf
  ;;
esac
INSIDE
chmod +x "$work/inside.sh"

step "A clean Debian 12 with the package installed, started, certifying and purged"
# The system's own package sources (a local mirror is used as the host uses it).
sources=()
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [ -s "$f" ] && sources+=("$f")
done
mode=root
[ "$(id -u)" -eq 0 ] || mode=unshare
# The program runs inside as on a fresh login, with nothing of this shell's
# Qt or XDG settings. Its X server runs in a network namespace of its own:
# the X servers of this machine listen on abstract sockets (":0" ...) that
# a chroot alone does not separate, and a client would reach them first.
clean_env="env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8"
# The recommended packages (LibreOffice Writer above all) are only resolved,
# not installed: the test stays quick.
# The test's tools come with the base system, so that only the package's own
# files and dependencies come and go.
mmdebstrap --mode="$mode" --variant=apt --quiet \
  --aptopt='Acquire::Check-Valid-Until "false"' \
  --include=xvfb,x11-utils,poppler-utils \
  --customize-hook="copy-in '$work/inside.sh' '$work/record.bin' '$deb' /tmp" \
  --customize-hook='chroot "$1" /tmp/inside.sh files >"$1/tmp/before"' \
  --customize-hook="chroot \"\$1\" apt-get install -s -q -o APT::Install-Recommends=1 /tmp/$(basename "$deb") >\"\$1/tmp/plan\"" \
  --customize-hook='grep -q "^Inst libreoffice-writer " "$1/tmp/plan" && grep -q "^Inst libqt6sql6-psql " "$1/tmp/plan" &&
                    echo "recommended: libreoffice-writer and libqt6sql6-psql resolve"' \
  --customize-hook="chroot \"\$1\" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends /tmp/$(basename "$deb") >/dev/null" \
  --customize-hook='chroot "$1" dpkg -L sart-tester >"$1/tmp/package-files"' \
  --customize-hook='echo "installed: $(wc -l <"$1/tmp/package-files") paths"' \
  --customize-hook="unshare --net chroot \"\$1\" $clean_env /tmp/inside.sh start" \
  --customize-hook="chroot \"\$1\" $clean_env /tmp/inside.sh certificate" \
  --customize-hook='chroot "$1" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq --autoremove sart-tester >/dev/null' \
  --customize-hook='chroot "$1" /tmp/inside.sh files >"$1/tmp/after"' \
  --customize-hook='if chroot "$1" dpkg -l sart-tester 2>/dev/null | grep -q "^[a-z][a-z] *sart-tester"; then
                      echo "dpkg still knows sart-tester after the purge" >&2; exit 1; fi;
                    chroot "$1" dpkg-query -W -f="\${binary:Package} \${Status}\n" | grep -v " not-installed$" |
                      grep -v "install ok installed$" && { echo "packages left half removed" >&2; exit 1; } || true' \
  --customize-hook='LC_ALL=C comm -13 "$1/tmp/before" "$1/tmp/after" >"$1/tmp/new"; kept=0;
                    while read -r p; do
                      if chroot "$1" dpkg -S "$p" >/dev/null 2>&1; then kept=$((kept + 1)); continue; fi;
                      echo "Left on the system after the purge, of no package: $p" >&2; exit 1;
                    done <"$1/tmp/new";
                    while read -r p; do if [ -e "$1$p" ] && [ ! -d "$1$p" ]; then
                      echo "Left after the purge: $p" >&2; exit 1; fi; done <"$1/tmp/package-files";
                    echo "purged: nothing of the package left ($kept new paths belong to dependencies apt keeps)"' \
  bookworm /dev/null "${sources[@]}" </dev/null

step "Done: the package passed on a clean system in $((SECONDS - started)) s"
