#!/usr/bin/env bash
# Builds the Debian package build-deb/lxv7700_<version>_amd64.deb: a release
# build for /usr with Debian's hardening flags, packed by CPack. Runs lintian on
# it when lintian is installed. Install it with: sudo apt install ./build-deb/lxv7700_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DLXV_BUILD_TESTS=OFF -DLXV_BUILD_BENCH=OFF -DLXV_SOURCE_DATA=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-deb -j"${JOBS:-$(nproc)}"
(cd build-deb && rm -f lxv7700_*.deb && cpack -G DEB)
package=$(ls build-deb/lxv7700_*_amd64.deb)
echo "$package: $(stat -c %s "$package") bytes"
if command -v lintian > /dev/null; then lintian "$package"; fi
