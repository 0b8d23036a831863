#!/usr/bin/env bash
# Installs the Debian packages that building, packaging and testing need, when
# missing, and the decimal-comma locale that the tests read numbers under.
set -euo pipefail

packages=(
  g++ cmake make
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-svg-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  fonts-dejavu-core
  clang libclang-rt-14-dev
  locales
  desktop-file-utils dpkg-dev file
)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# locale-gen builds what /etc/locale.gen lists, so the locale stays when the
# locales package regenerates them.
if ! locale -a | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8"
  $sudo sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
  grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen
fi
