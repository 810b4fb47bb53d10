#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, running and testing the program needs.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-charts-dev qt6-translations-l10n
  libqt6opengl6-dev libxkbcommon-dev libgl-dev
  libicu-dev libsqlite3-dev sqlite3 libzip-dev
  libbenchmark-dev
  fonts-noto-cjk fonts-material-design-icons-iconfont
  dbus-x11 xvfb xauth openbox clang-format
  dpkg-dev appstream desktop-file-utils ccache
  python3-openpyxl unzip dbus-daemon systemd
  clang libclang-rt-14-dev util-linux
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
