#!/usr/bin/env bash
# Builds the Debian package (build-deb/varnel-monitor_VERSION_ARCH.deb) with
# Debian's hardening flags, and prints its path as the last line.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh >&2

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
# CMake reads CXXFLAGS and LDFLAGS but not CPPFLAGS.
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DVARNEL_BUILD_TESTS=OFF -DVARNEL_BUILD_BENCH=OFF "${launcher[@]}" >&2
cmake --build build-deb -j"$(nproc)" >&2
(cd build-deb && cpack -G DEB >&2)
ls "$PWD"/build-deb/varnel-monitor_*.deb | tail -1
