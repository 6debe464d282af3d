#!/usr/bin/env bash
# Runs scripts/install-packages.sh with stand-ins for dpkg-query and apt-get on
# PATH: the stand-ins answer from a list of installed packages and a prepared
# simulation, and log every apt-get call, so no package is really touched.
#   tst_installpackages.sh path/to/install-packages.sh
set -uo pipefail
script="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"

cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
# dpkg-query -W -f=FORMAT PACKAGE
pkg="${!#}"
if grep -qx "$pkg" "$FAKE_INSTALLED"; then echo -n "install ok installed"; else exit 1; fi
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "$*" >>"$FAKE_APT_LOG"
for a in "$@"; do
  if [ "$a" = -s ]; then
    # A simulation: every package asked for is installed, plus what the test prepared.
    for p in "$@"; do case "$p" in -*|install) ;; *) echo "Inst $p (1.0 Debian:12/stable [amd64])";; esac; done
    cat "$FAKE_PLAN"
    exit 0
  fi
done
exit 0
STUB
chmod +x "$work/bin/dpkg-query" "$work/bin/apt-get"

all_program="cmake g++ make qt6-base-dev libxkbcommon-dev fonts-liberation2 libreoffice-dev libqt6sql6-sqlite libqt6sql6-psql libpodofo-dev libssl-dev pkg-config qt6-tools-dev qt6-l10n-tools qt6-translations-l10n"
all_tests="poppler-utils xvfb xauth x11-utils imagemagick clang libclang-rt-14-dev bindfs samba smbnetfs postgresql python3 openssl lintian desktop-file-utils appstream mmdebstrap debhelper dpkg-dev fakeroot librsvg2-bin"
failures=0

# check NAME ARGS INSTALLED PLAN EXPECT_STATUS EXPECT_INSTALL EXPECT_STDERR
#   INSTALLED: installed packages; PLAN: extra simulation lines;
#   EXPECT_INSTALL: the packages of the real install call, "-" for no apt-get
#   call at all, "none" for a simulation without a real install.
check() {
  local name="$1" args="$2" installed="$3" plan="$4" want_status="$5" want_install="$6" want_err="$7"
  tr ' ' '\n' <<<"$installed" >"$work/installed"
  printf '%b' "$plan" >"$work/plan"
  : >"$work/apt.log"
  FAKE_INSTALLED="$work/installed" FAKE_PLAN="$work/plan" FAKE_APT_LOG="$work/apt.log" \
    PATH="$work/bin:$PATH" bash "$script" $args >"$work/out" 2>"$work/err"
  local status=$?
  local real got
  real="$(grep -v -E '^update|(^| )-s( |$)' "$work/apt.log" || true)"
  if [ ! -s "$work/apt.log" ]; then
    got="-"
  elif [ -z "$real" ]; then
    got="none"
  else
    got="$(sed 's/.*--no-remove //' <<<"$real")"
    if ! grep -q -- '--no-remove' <<<"$real"; then
      echo "FAIL $name: the install may remove packages: $real"; failures=$((failures + 1))
    fi
  fi
  if [ "$status" != "$want_status" ]; then
    echo "FAIL $name: exit status $status, expected $want_status"; cat "$work/err"; failures=$((failures + 1))
  elif [ "$got" != "$want_install" ]; then
    echo "FAIL $name: installed '$got', expected '$want_install'"; cat "$work/apt.log"; failures=$((failures + 1))
  elif [ -n "$want_err" ] && ! grep -q -- "$want_err" "$work/err"; then
    echo "FAIL $name: message lacks '$want_err':"; cat "$work/err"; failures=$((failures + 1))
  else
    echo "PASS $name"
  fi
}

check "program: everything there, Writer with window" "" \
  "$all_program libreoffice-writer" "" 0 "-" ""
check "program: the no-window Writer counts as Writer" "" \
  "$all_program libreoffice-writer-nogui" "" 0 "-" ""
check "program: no Writer installs the one with a window" "" \
  "$all_program" "" 0 "libreoffice-writer" ""
check "program: only what is missing" "" \
  "cmake make qt6-base-dev libreoffice-writer" "" 0 "g++ libxkbcommon-dev fonts-liberation2 libreoffice-dev libqt6sql6-sqlite libqt6sql6-psql libpodofo-dev libssl-dev pkg-config qt6-tools-dev qt6-l10n-tools qt6-translations-l10n" ""
check "tests: Writer with window is kept, nothing else installed" "--tests" \
  "$all_program $all_tests libreoffice-writer" "" 0 "-" ""
check "tests: no Writer installs the no-window one" "--tests" \
  "$all_program $all_tests" "" 0 "libreoffice-writer-nogui" ""
check "tests: test tools added" "--tests" \
  "$all_program libreoffice-writer" "" 0 "$all_tests" ""
check "a removal in the plan stops the set-up" "" \
  "cmake g++ make qt6-base-dev libxkbcommon-dev fonts-liberation2 libreoffice-writer-nogui" \
  "Remv libreoffice-writer-nogui [4:7.4.7-1+deb12u14]\nRemv libreoffice-core-nogui [4:7.4.7-1+deb12u14]\n" \
  1 "none" "would remove libreoffice-writer-nogui libreoffice-core-nogui"
check "unknown option" "--everything" "$all_program" "" 2 "-" "usage"

if ((failures)); then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
