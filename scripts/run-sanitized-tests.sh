#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-san/ (or $VARNEL_SAN_BUILD_DIR) and runs every test; a sanitizer report
# ends the test that made it, and fails it.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
VARNEL_BUILD_DIR="${VARNEL_SAN_BUILD_DIR:-$ROOT/build-san}" \
  VARNEL_CMAKE_ARGS="-DVARNEL_SANITIZE=ON -DVARNEL_BUILD_BENCH=OFF -DVARNEL_BUILD_DOCS=OFF" "$ROOT/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:suppressions=$ROOT/scripts/asan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
fi
cd "${VARNEL_SAN_BUILD_DIR:-$ROOT/build-san}"
ctest --output-on-failure -j"$(nproc)"
