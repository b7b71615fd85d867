#!/usr/bin/env bash
# Installs what is missing, builds, starts the block emulator with the demo
# network on 127.0.0.1 and the program pointed at it. Closing the program stops the emulator.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${VARNEL_BUILD_DIR:-$ROOT/build}"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"

# The settings file lies beside the program; point it at the emulator once.
# The demo network needs more side probes than the default limit of 32.
INI="$BUILD/src/ui/varnel-monitor.ini"
if [ ! -f "$INI" ]; then
  printf '[NET]\r\nIP=127.0.0.1\r\n[COMMON]\r\nAUTOFIND=100\r\n' >"$INI"
fi

"$BUILD/src/sim/varnel-sim" --scenario "$ROOT/src/sim/scenarios/demo.ini" &
SIM=$!
trap 'kill $SIM 2>/dev/null || true' EXIT
# The program's start directory holds sys/ with the log viewer (and map.ini).
cd "$BUILD/src/ui"
./varnel-monitor
