#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need, or
# those named as arguments instead (see install-fuzz-deps.sh).
# Does nothing when they are all there already.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libsimpleini-dev
  fonts-dejavu-core
  xvfb xauth x11-utils
  pandoc weasyprint  # the user manual Help.pdf; the build goes on without it
  tshark
  dpkg-dev librsvg2-bin desktop-file-utils appstream lintian
)
[ $# -gt 0 ] && PACKAGES=("$@")

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
