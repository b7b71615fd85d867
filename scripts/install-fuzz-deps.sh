#!/usr/bin/env bash
# Installs what the fuzz targets need beyond the normal build: clang 14 with
# its libFuzzer and sanitizer runtimes, and Python for the seed script.
# Does nothing when they are all there already.
set -euo pipefail

PACKAGES=(clang-14 libclang-rt-14-dev python3)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
