#!/usr/bin/env bash
# Configures and builds everything into build/ (or $VARNEL_BUILD_DIR).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${VARNEL_BUILD_DIR:-$ROOT/build}"
# VARNEL_CMAKE_ARGS: extra options, e.g. -DVARNEL_SANITIZE=ON.
# shellcheck disable=SC2086
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${VARNEL_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
