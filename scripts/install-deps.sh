#!/usr/bin/env bash
# Installs the Debian 12 packages Plinkpad needs to build, run and test.
# Uses sudo only when not root; installs nothing that is already there.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libsdl2-dev libfreetype-dev libpng-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libsndfile1-dev zlib1g-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  clang libclang-rt-dev
  xvfb xauth
  desktop-file-utils shared-mime-info xdg-utils libglib2.0-bin dpkg-dev file lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
