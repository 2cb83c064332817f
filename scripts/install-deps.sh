#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark
# and run. Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config git
  # sdk: image decoding
  libpng-dev libjpeg-dev libgif-dev
  # ports
  libusb-1.0-0-dev libserialport-dev
  # utility and virtual printer
  qt6-base-dev qt6-base-dev-tools libsimpleini-dev libzint-dev
  nlohmann-json3-dev fonts-wqy-zenhei
  # Qt's own texts (standard buttons, file dialogs) in the utility's languages
  qt6-translations-l10n
  # printer application (PAPPL) and its IPP tests: ipptool, cupsd, lpadmin
  libpappl-dev cups-ipp-utils cups
  # tests, benchmarks, fuzzing, headless windows
  libgtest-dev libgmock-dev libbenchmark-dev clang libfuzzer-14-dev
  libclang-rt-14-dev xvfb xauth python3-pil
  # the virtual printer's tests read printed bar codes back with zbarimg
  zbar-tools
  # USB tests: emulated printers
  libumockdev-dev umockdev
  # Debian packages: building (CPack runs dpkg-shlibdeps and file), checking
  # and trying them (manual pages, bash completion)
  dpkg-dev file lintian appstream man-db bash-completion
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: installed ${missing[*]}"
