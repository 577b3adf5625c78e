#!/usr/bin/env bash
# Installs, only when missing, the Debian packages the project needs (and any
# named as arguments), then builds it.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libsqlcipher-dev sqlcipher
  libzip-dev zlib1g-dev libxlsxwriter-dev
  libgtest-dev googletest
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth imagemagick poppler-utils
  zip unzip
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOMLAR_WERROR="${DOMLAR_WERROR:-OFF}"
cmake --build build -j2
