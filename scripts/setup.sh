#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang ccache
  libsqlite3-dev libsdl2-dev libfreetype-dev libfontconfig-dev
  libjpeg62-turbo-dev libpng-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wine fonts-dejavu-core xvfb xauth xdotool x11-apps x11-utils sqlite3 python3
  desktop-file-utils appstream
  libexpat1-dev libcmark-gfm-dev libcmark-gfm-extensions-dev pandoc hnb
  libical-dev todoman fonts-symbola
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
