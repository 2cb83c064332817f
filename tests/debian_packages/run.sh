#!/usr/bin/env bash
# Builds the Debian packages, checks them with lintian and appstreamcli,
# installs them with apt-get, uses them as a fresh non-root user would, and
# removes them again.  Needs root (it installs packages and adds a user) and
# changes the machine while it runs: meant for CI, not for a workstation.
#
#   tests/debian_packages/run.sh [--no-build]
#
# --no-build takes the packages already in build/package/packages.
set -euo pipefail
cd "$(dirname "$0")/../.."
src=$PWD
here=$src/tests/debian_packages

if [[ $(id -u) -ne 0 ]]; then
  echo "debian_packages: needs root (apt-get install, useradd)" >&2
  exit 2
fi

step() { printf '\n== %s\n' "$*"; }
fail() {
  echo "debian_packages: FAILED: $*" >&2
  exit 1
}

# ---- Build and inspect -------------------------------------------------------
if [[ ${1:-} != --no-build ]]; then
  step "build the packages"
  bash scripts/package.sh
fi
debs=("$src"/build/package/packages/*.deb)
[[ -e ${debs[0]} ]] || fail "no packages in build/package/packages"
names=()
for deb in "${debs[@]}"; do names+=("$(dpkg-deb -f "$deb" Package)"); done
for expected in libravoio1 libheron1 libpelican1 libegret1 libravo-dev ravo ravo-utility \
  ravo-printer-sim ravo-udev; do
  [[ " ${names[*]} " == *" $expected "* ]] || fail "package $expected was not built"
done

step "lintian"
lintian_log=$(mktemp)
# lintian exits non-zero on errors only; warnings and notes are listed.
lintian_status=0
lintian --display-info --pedantic "${debs[@]}" >"$lintian_log" 2>&1 || lintian_status=$?
grep -E '^[EWIP]: ' "$lintian_log" | cut -d' ' -f1,3 | sort | uniq -c | sort -rn || true
if ((lintian_status != 0)) || grep -q '^E: ' "$lintian_log"; then
  grep -E '^E: ' "$lintian_log" >&2 || cat "$lintian_log" >&2
  fail "lintian reports errors"
fi
rm -f "$lintian_log"

work=$(mktemp -d)
user=ravopkg$$
sim_pid=
cleanup() {
  set +e
  [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null
  id "$user" >/dev/null 2>&1 && userdel --remove "$user" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

step "appstream metadata"
dpkg-deb -x "$(printf '%s\n' "${debs[@]}" | grep /ravo-utility_)" "$work/utility-deb"
appstreamcli validate --no-net "$work"/utility-deb/usr/share/metainfo/*.metainfo.xml

# ---- Install -------------------------------------------------------------------
step "apt-get install"
export DEBIAN_FRONTEND=noninteractive
# Minimal images tell dpkg to drop manual pages; ours are part of the check.
apt-get install -y -q --no-install-recommends \
  -o Dpkg::Options::=--path-include=/usr/share/man/man1/* "${debs[@]}"
for program in ravo ravo-raster ravo-printer-sim RavoUtilityLabel; do
  command -v "$program" >/dev/null || fail "$program is not on PATH"
done
if [[ " ${names[*]} " == *" ravo-printer-app "* ]]; then
  [[ -f /usr/lib/systemd/system/ravo-printer-app.service ]] || fail "no systemd unit"
  if command -v systemd-analyze >/dev/null; then
    systemd-analyze verify /usr/lib/systemd/system/ravo-printer-app.service ||
      fail "the systemd unit does not verify"
  fi
fi

# ---- Use, as a new user -------------------------------------------------------
step "use as a new user"
useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
install -o "$user" -m 0644 "$src"/examples/tspl_label.c "$src"/examples/cpcl_label.c \
  "$here"/as_user.sh "$home"/
install -d -o "$user" "$home"/find_package
install -o "$user" -m 0644 "$src"/tests/package_consumer/CMakeLists.txt \
  "$src"/tests/package_consumer/heron_consumer.c "$src"/tests/package_consumer/pelican_consumer.c \
  "$home"/find_package/
# A clean environment: nothing of the build tree or of root's.
runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin LANG=C.UTF-8 \
  timeout 300 bash "$home"/as_user.sh || fail "the installed packages did not work for $user"

# ---- Remove -------------------------------------------------------------------
step "apt-get purge"
apt-get purge -y -q "${names[@]}"
for name in "${names[@]}"; do
  if dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q installed; then
    fail "$name is still installed"
  fi
done
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for path in /usr/bin/ravo /usr/bin/RavoUtilityLabel /usr/libexec/ravo-utility \
  "/usr/lib/$multiarch/ravo-utility" "/usr/lib/$multiarch/libheron.so.1" /usr/include/heron.h \
  /usr/share/doc/ravo; do
  [[ ! -e $path && ! -L $path ]] || fail "$path is left after purge"
done
[[ -s $home/.local/share/ravo-utility/PrinterList.txt ]] ||
  fail "removing the packages took the user's printer list"
echo "debian_packages: all checks passed"
