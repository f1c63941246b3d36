#!/usr/bin/env bash
# Installs the Debian packages the project builds, runs and tests with.
# Does nothing when they are all there; uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libwxgtk3.2-dev libfreetype-dev libsdl2-dev libpng-dev
  libx11-dev xvfb xauth fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
