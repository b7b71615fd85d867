#!/usr/bin/env bash
# The Wireshark dissector read by tshark over real emulator traffic (every
# frame kind it decodes, both directions) and over hand-made broken frames.
# Usage: dissector_test.sh VARNEL_SIM DISSECTOR_LUA
# Address 127.0.0.123 and port 21123 belong to this test.
set -u
SIM=$1
LUA=$2
if ! command -v tshark >/dev/null || ! command -v text2pcap >/dev/null; then
  echo "SKIPPED: tshark and text2pcap are not installed (Debian package tshark)"
  exit 77
fi
WORK=$(mktemp -d)
SIM_PID=
cleanup() {
  [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null && wait "$SIM_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
FAILS=0
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }

# Appends the frame checksum (complemented one's-complement sum) to hex bytes.
with_checksum() {
  local sum=0 b
  for b in "$@"; do sum=$((sum + 16#$b)); done
  while ((sum > 255)); do sum=$(((sum & 255) + (sum >> 8))); done
  echo "$* $(printf '%02X' $((255 - sum)))"
}

send() {
  local hex out="" b
  hex=$(with_checksum "$@")
  for b in $hex; do out+="\\x$b"; done
  printf "$out" >/dev/udp/127.0.0.123/21123
  sleep 0.05
}

cat >"$WORK/net.ini" <<'INI'
[root.r]
address=127.0.0.123
id=1
name=ПС Тестовая
type=5
modem_mcu=12
modem_fpga=3
modem_modes=master,transit,analog
sl_slots=1,2
sl1_serial=4660
sl1_poe=load
sl1_voice=1,2
sl1_contacts=input
sl2_mode=analog
sl2_level=23170
ap_slots=6
ap6_version=8
[dev.d]
master=r
up=1
channel=2
id=7
name=Узел
type=2
INI

"$SIM" --scenario "$WORK/net.ini" --port 21123 --quiet --pcap "$WORK/traffic.pcap" >"$WORK/sim.out" 2>&1 &
SIM_PID=$!
for _ in $(seq 50); do grep -q root "$WORK/sim.out" && break; sleep 0.1; done
send 00 0F                # broadcast identity request
send 00 21 F0 00          # probe behind channel 2 of block 1
send 00 41 01             # modem versions
send 00 41 15             # channel 1 state (digital master)
send 00 41 16             # channel 2 state (transit)
send 00 41 17             # channel 3 state (analog)
send 00 51 01             # termination board 1 information
send 00 51 02             # termination board 1 subchannels (digital)
send 00 61 02             # termination board 2 subchannels (analog)
send 00 A1 01             # amplifier 1
send 00 E1 01             # power board
send 00 21 04 01          # modem versions of the device behind channel 2
send 00 81 01             # receive filter: not answered
sleep 0.3
kill "$SIM_PID"; wait "$SIM_PID" 2>/dev/null; SIM_PID=

FIELDS=(varnel.direction varnel.route varnel.level varnel.board varnel.device_id varnel.cmd varnel.cmd_name
  varnel.board_name varnel.checksum.status
  varnel.identity.up varnel.identity.type varnel.identity.name varnel.modem.mcu varnel.modem.fpga
  varnel.modem.channel varnel.modem.kind varnel.modem.rx_state varnel.modem.level_db varnel.modem.tx_rate
  varnel.modem.noise_margin varnel.modem.errors varnel.modem.error_ratio varnel.modem.ko_data
  varnel.sl.version varnel.sl.module varnel.sl.serial varnel.sl.contacts varnel.sl.poe_bits varnel.sl.analog
  varnel.sl.line_tx_rate varnel.sl.service_rate varnel.sl.tm_rate varnel.sl.codec_rate varnel.sl.voice1_module
  varnel.sl.voice2_module varnel.sl.poe_voltage varnel.sl.poe_current varnel.sl.poe_load varnel.sl.level_dbm
  varnel.ap.version _ws.expert.message _ws.lua.error)

# One line per frame, fields separated by "|", repeated fields by ",".
decode() {
  local args=() f
  for f in "${FIELDS[@]}"; do args+=(-e "$f"); done
  tshark -n -X "lua_script:$LUA" -r "$1" "${@:2}" -T fields -E separator='|' -E occurrence=a "${args[@]}" \
    2>"$WORK/tshark.err"
  grep -i 'lua' "$WORK/tshark.err" | grep -v 'Running as user' && fail "tshark reported a Lua problem"
}

# The value of one field in the line whose direction, route, board or device and
# command match KEY ("0x80|1|board|4|...|0x15" as the first columns).
column_of() {
  local i
  for i in "${!FIELDS[@]}"; do [ "${FIELDS[$i]}" = "$1" ] && echo $((i + 1)) && return; done
  echo "no field $1" >&2
  exit 2
}
expect() {  # DECODED KEY FIELD EXPECTED
  local line value
  line=$(grep -m1 -F -- "$2" <<<"$1")
  [ -n "$line" ] || { fail "no frame starts with $2"; return; }
  value=$(cut -d'|' -f"$(column_of "$3")" <<<"$line")
  [ "$value" = "$4" ] || fail "$2: $3 is '$value', expected '$4'"
}

DECODED=$(decode "$WORK/traffic.pcap" -d udp.port==21123,varnel)
echo "$DECODED" | cut -c1-200
[ "$(grep -c . <<<"$DECODED")" = 25 ] || fail "expected 25 frames (13 requests, 12 answers)"
grep -q '|bad|' <<<"$DECODED" && fail "a frame from the emulator has a bad checksum"
grep -qi 'lua' <<<"$DECODED" && fail "a Lua error is in the tree"

# Requests: route, level, board names, command names per board kind.
expect "$DECODED" '0x00|F|device||15||identity request|' varnel.checksum.status good
expect "$DECODED" '0x00|1.2.0.F|device||15|' varnel.cmd_name "identity request"
expect "$DECODED" '0x00|1|board|0x04||0x15|' varnel.cmd_name "channel 1 state"
expect "$DECODED" '0x00|1|board|0x05||0x02|' varnel.board_name "termination board 1"
expect "$DECODED" '0x00|1|board|0x0a||0x01|' varnel.cmd_name "state and settings"
expect "$DECODED" '0x00|1|board|0x0e||0x01|' varnel.board_name "power board"
expect "$DECODED" '0x00|1|board|0x08||0x01|' varnel.cmd_name "unknown command"
expect "$DECODED" '0x00|1.2|board|0x04||0x01|' varnel.cmd_name "versions"

# Identity answers of the root and of the device behind channel 2.
ROOT_ID='0x80|1|device||1|0x00|identity|'
expect "$DECODED" "$ROOT_ID" varnel.identity.name "ПС Тестовая"
expect "$DECODED" "$ROOT_ID" varnel.identity.type 5
expect "$DECODED" "$ROOT_ID" varnel.identity.up 0
NODE_ID='0x80|1.2.0.7|device||7|0x01|identity|'
expect "$DECODED" "$NODE_ID" varnel.identity.name "Узел"
expect "$DECODED" "$NODE_ID" varnel.identity.up 1

# Modem answers: versions, a digital, a transit and an analog channel.
expect "$DECODED" '0x80|1|board|0x04||0x01|' varnel.modem.mcu 12
expect "$DECODED" '0x80|1|board|0x04||0x01|' varnel.modem.fpga 3
expect "$DECODED" '0x80|1.2|board|0x04||0x01|' varnel.board_name "modem board"
DIGITAL='0x80|1|board|0x04||0x15|'
expect "$DECODED" "$DIGITAL" varnel.modem.channel 1
expect "$DECODED" "$DIGITAL" varnel.modem.kind 1
expect "$DECODED" "$DIGITAL" varnel.modem.rx_state 1
expect "$DECODED" "$DIGITAL" varnel.modem.tx_rate 24
expect "$DECODED" '0x80|1|board|0x04||0x16|' varnel.modem.kind 3
expect "$DECODED" '0x80|1|board|0x04||0x17|' varnel.modem.kind 2
expect "$DECODED" '0x80|1|board|0x04||0x17|' varnel.modem.channel 3

# Termination boards: information, digital and analog subchannel state.
INFO='0x80|1|board|0x05||0x01|'
expect "$DECODED" "$INFO" varnel.sl.version 2.3
expect "$DECODED" "$INFO" varnel.sl.module 7,9,13
expect "$DECODED" "$INFO" varnel.sl.serial 4660
expect "$DECODED" "$INFO" varnel.sl.contacts 0x01
expect "$DECODED" "$INFO" varnel.sl.poe_bits 0x01
SUB='0x80|1|board|0x05||0x02|'
expect "$DECODED" "$SUB" varnel.sl.analog 0
expect "$DECODED" "$SUB" varnel.sl.line_tx_rate 64000
expect "$DECODED" "$SUB" varnel.sl.service_rate 1000
expect "$DECODED" "$SUB" varnel.sl.tm_rate 1200
expect "$DECODED" "$SUB" varnel.sl.codec_rate 8000
expect "$DECODED" "$SUB" varnel.sl.voice1_module 1
expect "$DECODED" "$SUB" varnel.sl.voice2_module 2
expect "$DECODED" "$SUB" varnel.sl.poe_load 1
expect "$DECODED" "$SUB" varnel.sl.poe_voltage 48
expect "$DECODED" "$SUB" varnel.sl.poe_current 250
expect "$DECODED" '0x80|1|board|0x06||0x02|' varnel.sl.analog 1
expect "$DECODED" '0x80|1|board|0x06||0x02|' varnel.sl.level_dbm 0
expect "$DECODED" '0x80|1|board|0x0a||0x01|' varnel.ap.version 8

# Hand-made frames on the registered ports: good ones as a control, then
# truncated and mis-checksummed ones, each marked malformed.
{
  echo "0000  $(with_checksum 80 41 15 60 00)"                      # short modem state, good
  echo "0000  80 41"                                                 # two bytes
  echo "0000  $(with_checksum 80 41 15 60 00 | sed 's/ \(..\)$/ 00/')"  # checksum wrong
  echo "0000  $(with_checksum 80 51 01 02 03)"                      # board information, 4 bytes
  echo "0000  $(with_checksum 80 51 02 $(printf '00 %.0s' $(seq 29)))"  # digital subchannels, 30 bytes
  echo "0000  $(with_checksum 80 01 00)"                            # identity of one byte
  echo "0000  $(with_checksum 80 41 15 60)"                         # modem state, 2 bytes
  echo "0000  $(with_checksum 80 21 21)"                            # address never ends
  echo "0000  $(with_checksum 55 41 01)"                            # neither request nor answer
} | awk '{print; print ""}' >"$WORK/broken.txt"
text2pcap -q -u 12348,12347 -4 127.0.0.123,127.0.0.1 "$WORK/broken.txt" "$WORK/broken.pcap" >/dev/null
BROKEN=$(decode "$WORK/broken.pcap")
echo "$BROKEN" | cut -c1-200
mapfile -t LINES <<<"$BROKEN"
[ "${#LINES[@]}" = 9 ] || fail "expected 9 hand-made frames, got ${#LINES[@]}"
MSG=$(column_of _ws.expert.message)
STATUS=$(column_of varnel.checksum.status)
for i in "${!LINES[@]}"; do
  message=$(cut -d'|' -f"$MSG" <<<"${LINES[$i]}")
  status=$(cut -d'|' -f"$STATUS" <<<"${LINES[$i]}")
  case $i in
    0) [ -z "$message" ] && [ "$status" = good ] || fail "frame 1 should decode cleanly: '$message' '$status'" ;;
    2) [ "$status" = bad ] && grep -q 'Bad checksum' <<<"$message" || fail "frame 3: '$status' '$message'" ;;
    7) grep -q 'Address nibbles end nowhere' <<<"$message" || fail "frame 8: '$message'" ;;
    8) grep -q 'Unknown direction byte' <<<"$message" || fail "frame 9: '$message'" ;;
    *) grep -q 'Truncated' <<<"$message" || fail "frame $((i + 1)) not marked truncated: '$message'" ;;
  esac
done
# Malformed, as the expert group says, in every broken frame.
MALFORMED=$(tshark -n -X "lua_script:$LUA" -r "$WORK/broken.pcap" -Y '_ws.expert.group == 0x07000000' \
  -T fields -e frame.number 2>/dev/null | tr '\n' ' ')
[ "$MALFORMED" = "2 3 4 5 6 7 8 9 " ] || fail "malformed frames are '$MALFORMED', expected 2..9"

if [ "$FAILS" -ne 0 ]; then
  echo "$FAILS check(s) failed"
  exit 1
fi
echo "all dissector checks passed"
