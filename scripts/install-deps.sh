#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build pkg-config git \
  qt6-base-dev libqt6serialport6-dev libgl-dev qt6-tools-dev qt6-l10n-tools \
  libsimpleini-dev libxlsxwriter-dev zlib1g-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  clang libclang-rt-14-dev \
  qt6-qpa-plugins fonts-dejavu-core fonts-wqy-microhei xdg-utils \
  locales qt6-svg-dev desktop-file-utils shared-mime-info unzip \
  dbus-daemon at-spi2-core python3-pyatspi xvfb
