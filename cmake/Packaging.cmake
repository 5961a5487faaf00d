# The Debian package of the program and the simulator: scripts/package.sh runs
#   cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DLXV_SOURCE_DATA=OFF ...
#   cmake --build build-deb && (cd build-deb && cpack -G DEB)
# and makes build-deb/lxv7700_<version>_amd64.deb. Its Depends come from dpkg-shlibdeps
# (the Qt and C++ libraries the binaries link) plus what the program needs at run
# time but does not link: the Qt platform plugins and a CJK font for its captions.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "lxv7700")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The LXV7700 companion developers")
set(CPACK_PACKAGE_CONTACT "LXV7700 companion developers <lxv7700@packages.lxv7700.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion program of the LXV7700 power analyser")
set(CPACK_PACKAGE_DESCRIPTION
    "Talks to an LXV7700 single-phase power analyser over a serial or USB serial
port and shows what it measures: RMS and peak values, powers, power factor,
frequency, THD, the voltage and current waveforms and both harmonic spectra.
Measurements are saved as test files.

The package also holds lxv7700-sim, a software instrument on a
pseudo-terminal, so the program can be tried without an analyser.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
