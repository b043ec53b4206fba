#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Tagloom need.
# Packages already present are left alone; apt-get runs only when one is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 libgl1-mesa-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev libxxhash-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth xdotool xdg-utils
  poppler-utils
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root (or with sudo) to install them." >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
