#!/usr/bin/env bash
# Installs what is missing, builds, starts the block emulator on 127.0.0.1
# and the program pointed at it. Closing the program stops the emulator.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${VARNEL_BUILD_DIR:-$ROOT/build}"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"

# The settings file lies beside the program; point it at the emulator once.
INI="$BUILD/src/ui/varnel-monitor.ini"
if [ ! -f "$INI" ]; then
  printf '[NET]\r\nIP=127.0.0.1\r\n' >"$INI"
fi

"$BUILD/src/sim/varnel-sim" --address 127.0.0.1 --id 1 --name "ПС Северная" --type 1 &
SIM=$!
trap 'kill $SIM 2>/dev/null || true' EXIT
"$BUILD/src/ui/varnel-monitor"
