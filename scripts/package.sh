#!/usr/bin/env bash
# Builds the Debian packages (build/package/packages/*.deb) with the
# "package" presets: everything installed under /usr, one package per
# install component, dependencies from dpkg-shlibdeps.  Install them with
#   sudo apt-get install ./build/package/packages/*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
rm -rf build/package/packages
cmake --workflow --preset package
ls -1 build/package/packages/*.deb
