#!/usr/bin/env bash
# Builds the program and its Debian package build/domlar_<version>_<arch>.deb,
# then checks the menu entry and the package with the Debian tools.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-dev computes the dependencies; the others check what was built.
bash scripts/setup.sh dpkg-dev desktop-file-utils lintian

desktop-file-validate packaging/domlar.desktop
(cd build && rm -f domlar_*.deb && cpack -G DEB)
deb=$(ls build/domlar_*.deb)
lintian --tag-display-limit 0 "$deb" || true
echo "Built $deb; install it with: sudo apt install ./$deb"
