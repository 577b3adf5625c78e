#!/usr/bin/env bash
# Builds the program and its Debian package build/domlar_<version>_<arch>.deb,
# then checks the menu entry and the package with the Debian tools.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# dpkg-dev computes the dependencies; the others check what was built.
tools=(dpkg-dev desktop-file-utils lintian)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

desktop-file-validate packaging/domlar.desktop
(cd build && rm -f domlar_*.deb && cpack -G DEB)
deb=$(ls build/domlar_*.deb)
lintian --tag-display-limit 0 "$deb" || true
echo "Built $deb; install it with: sudo apt install ./$deb"
