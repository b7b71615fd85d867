-- Varnel block protocol: checksummed UDP datagrams between the monitor
-- (port 12347 by default) and the blocks (port 12348).
--
-- A datagram is: direction byte (0x00 request, 0x80 answer), address nibbles
-- packed two a byte (low half first), payload, and a checksum byte that makes
-- the complemented one's-complement sum of the whole datagram 0.
--
-- Install: copy this file into Wireshark's personal Lua plugin folder
-- (~/.local/lib/wireshark/plugins/), or run tshark -X lua_script:varnel.lua.

local bit = bit32 or bit
local band, rshift = bit.band, bit.rshift

local varnel = Proto("varnel", "Varnel block protocol")

local DEVICE_PORT = 12348
local PROGRAM_PORT = 12347

local directions = { [0x00] = "Request (program to block)", [0x80] = "Answer (block to program)" }

local boards = {
  [0x04] = "modem board",
  [0x05] = "termination board 1", [0x06] = "termination board 2", [0x07] = "termination board 3",
  [0x08] = "receive filter",
  [0x0A] = "amplifier 1", [0x0B] = "transmit filter 1",
  [0x0C] = "amplifier 2", [0x0D] = "transmit filter 2",
  [0x0E] = "power board",
}

local modem_commands = {
  [0x00] = "memory dump", [0x01] = "versions", [0x02] = "MCU firmware transfer",
  [0x03] = "FPGA firmware transfer", [0x04] = "restart", [0x08] = "clock", [0x09] = "event log",
  [0x10] = "common configuration", [0x11] = "channel 1 configuration",
  [0x12] = "channel 2 configuration", [0x13] = "channel 3 configuration",
  [0x14] = "channel command", [0x15] = "channel 1 state", [0x16] = "channel 2 state",
  [0x17] = "channel 3 state",
}
local termination_commands = {
  [0x01] = "board information", [0x02] = "subchannel state", [0x04] = "restart",
  [0x07] = "loop", [0x10] = "flash",
}
local amplifier_commands = { [0x01] = "state and settings" }
local power_commands = { [0x01] = "state" }

local commands_of_board = {
  [0x04] = modem_commands,
  [0x05] = termination_commands, [0x06] = termination_commands, [0x07] = termination_commands,
  [0x0A] = amplifier_commands, [0x0C] = amplifier_commands,
  [0x0E] = power_commands,
}

local up_sides = { [0] = "Ethernet", [1] = "HF channel 1", [2] = "HF channel 2", [3] = "HF channel 3" }
local receiver_states = { [1] = "state 1 (bits 6, 5)", [2] = "state 2 (bit 6)", [3] = "state 3 (bit 7)",
                          [4] = "state 4 (none)" }
local channel_kinds = { [1] = "digital", [2] = "analog", [3] = "transit" }
local module_types = { [0] = "none", [7] = "FO", [9] = "FS", [13] = "4W01" }

local pf = {
  direction = ProtoField.uint8("varnel.direction", "Direction", base.HEX, directions),
  address = ProtoField.bytes("varnel.address", "Address part"),
  nibble = ProtoField.uint8("varnel.nibble", "Nibble", base.DEC),
  route = ProtoField.string("varnel.route", "Route"),
  level = ProtoField.string("varnel.level", "Address level"),
  device_id = ProtoField.uint8("varnel.device_id", "Device ID", base.DEC),
  board = ProtoField.uint8("varnel.board", "Board address", base.HEX, boards),
  board_name = ProtoField.string("varnel.board_name", "Board"),
  cmd = ProtoField.uint8("varnel.cmd", "Command", base.HEX),
  cmd_name = ProtoField.string("varnel.cmd_name", "Command name"),
  data = ProtoField.bytes("varnel.data", "Data"),
  checksum = ProtoField.uint8("varnel.checksum", "Checksum", base.HEX),
  checksum_status = ProtoField.string("varnel.checksum.status", "Checksum status"),

  up = ProtoField.uint8("varnel.identity.up", "Up-connection side", base.DEC, up_sides),
  block_type = ProtoField.uint8("varnel.identity.type", "Block type", base.DEC),
  name = ProtoField.string("varnel.identity.name", "Block name"),

  mcu = ProtoField.uint8("varnel.modem.mcu", "MCU version", base.DEC),
  fpga = ProtoField.uint8("varnel.modem.fpga", "FPGA version", base.DEC),
  channel = ProtoField.uint8("varnel.modem.channel", "Channel", base.DEC),
  rx_state = ProtoField.uint8("varnel.modem.rx_state", "Receiver state", base.DEC, receiver_states),
  ko_loop = ProtoField.bool("varnel.modem.ko_loop", "KO data loopback"),
  level_code = ProtoField.uint8("varnel.modem.level_code", "Input level code", base.DEC),
  level_db = ProtoField.double("varnel.modem.level_db", "Input level (dB)"),
  kind = ProtoField.uint8("varnel.modem.kind", "Channel kind", base.DEC, channel_kinds),
  ko_data = ProtoField.bool("varnel.modem.ko_data", "Data from the KO"),
  tx_rate_code = ProtoField.uint8("varnel.modem.tx_rate_code", "Transmitter rate code", base.DEC),
  rx_rate_code = ProtoField.uint8("varnel.modem.rx_rate_code", "Receiver rate code", base.DEC),
  tx_rate = ProtoField.double("varnel.modem.tx_rate", "Transmitter rate (kbit/s)"),
  rx_rate = ProtoField.double("varnel.modem.rx_rate", "Receiver rate (kbit/s)"),
  margin = ProtoField.double("varnel.modem.noise_margin", "Noise margin (dB)"),
  errors = ProtoField.uint16("varnel.modem.errors", "Error count", base.DEC),
  ratio = ProtoField.string("varnel.modem.error_ratio", "Error ratio"),

  sl_version = ProtoField.string("varnel.sl.version", "Firmware version"),
  sl_module = ProtoField.uint8("varnel.sl.module", "Module type", base.DEC, module_types, 0x0F),
  sl_serial = ProtoField.uint16("varnel.sl.serial", "Serial number", base.DEC),
  sl_uptime = ProtoField.uint32("varnel.sl.uptime", "Uptime (s)", base.DEC),
  sl_status = ProtoField.uint32("varnel.sl.status", "Status word", base.HEX),
  sl_contacts = ProtoField.uint8("varnel.sl.contacts", "Contact bits", base.HEX),
  sl_poe_bits = ProtoField.uint8("varnel.sl.poe_bits", "PoE bits (supported, blocked)", base.HEX),
  sl_analog = ProtoField.bool("varnel.sl.analog", "Analog mode"),
  sl_level_code = ProtoField.uint16("varnel.sl.level_code", "Received level code", base.DEC),
  sl_level_dbm = ProtoField.double("varnel.sl.level_dbm", "Received level (dBm)"),
  sl_codec_counters = ProtoField.bytes("varnel.sl.codec_counters", "Codec counters"),
  sl_service_errors = ProtoField.uint8("varnel.sl.service_errors", "Service channel errors", base.DEC),
  sl_data_errors = ProtoField.uint8("varnel.sl.data_errors", "Data errors", base.DEC),
  sl_line_tx = ProtoField.uint32("varnel.sl.line_tx_rate", "Line transmit rate (bit/s)", base.DEC),
  sl_line_rx = ProtoField.uint32("varnel.sl.line_rx_rate", "Line receive rate (bit/s)", base.DEC),
  sl_eth_tx = ProtoField.uint16("varnel.sl.eth_tx_bytes", "Ethernet bytes sent", base.DEC),
  sl_eth_rx = ProtoField.uint16("varnel.sl.eth_rx_bytes", "Ethernet bytes received", base.DEC),
  sl_rs_tx = ProtoField.uint16("varnel.sl.rs232_tx_bytes", "RS-232 bytes sent", base.DEC),
  sl_rs_rx = ProtoField.uint16("varnel.sl.rs232_rx_bytes", "RS-232 bytes received", base.DEC),
  sl_service_rate = ProtoField.uint32("varnel.sl.service_rate", "Service channel rate (bit/s)", base.DEC),
  sl_flags_a = ProtoField.uint8("varnel.sl.flags_a", "Flags A", base.HEX),
  sl_codec_rate = ProtoField.uint16("varnel.sl.codec_rate", "Voice codec rate (bit/s)", base.DEC),
  sl_voice1 = ProtoField.uint8("varnel.sl.voice1_module", "Voice channel 1 module", base.DEC),
  sl_voice2 = ProtoField.uint8("varnel.sl.voice2_module", "Voice channel 2 module", base.DEC),
  sl_service_rx_ok = ProtoField.bool("varnel.sl.service_rx_ok", "Service channel receive works"),
  sl_service_tx_ok = ProtoField.bool("varnel.sl.service_tx_ok", "Service channel transmit works"),
  sl_data_rx_ok = ProtoField.bool("varnel.sl.data_rx_ok", "Data receive works"),
  sl_eth_tx_speed = ProtoField.double("varnel.sl.eth_tx_speed", "Ethernet transmit speed (kbit/s)"),
  sl_eth_rx_speed = ProtoField.double("varnel.sl.eth_rx_speed", "Ethernet receive speed (kbit/s)"),
  sl_rs_tx_speed = ProtoField.double("varnel.sl.rs232_tx_speed", "RS-232 transmit speed (kbit/s)"),
  sl_rs_rx_speed = ProtoField.double("varnel.sl.rs232_rx_speed", "RS-232 receive speed (kbit/s)"),
  sl_tm_rate = ProtoField.uint32("varnel.sl.tm_rate", "Telemechanics rate (bit/s, 0 none)", base.DEC),
  sl_poe_word = ProtoField.uint32("varnel.sl.poe_word", "PoE measurement", base.HEX),
  sl_poe_load = ProtoField.bool("varnel.sl.poe_load", "PoE load connected"),
  sl_poe_volts = ProtoField.uint16("varnel.sl.poe_voltage", "PoE voltage (V)", base.DEC),
  sl_poe_ma = ProtoField.uint16("varnel.sl.poe_current", "PoE current (mA)", base.DEC),
  sl_loop_mode = ProtoField.uint8("varnel.sl.loop_mode", "Loop mode", base.DEC),
  sl_loop_freq = ProtoField.uint16("varnel.sl.loop_frequency", "Loop frequency (Hz)", base.DEC),

  ap_version = ProtoField.uint8("varnel.ap.version", "Firmware version", base.DEC),
  ap_alarms = ProtoField.uint8("varnel.ap.alarms", "Alarm byte", base.HEX),
  ap_level = ProtoField.uint8("varnel.ap.level", "Transmit level (dBm)", base.DEC),
  ap_temperature = ProtoField.uint8("varnel.ap.temperature", "Temperature (C)", base.DEC),
  ap_mask = ProtoField.uint8("varnel.ap.mask", "Alarm mask", base.HEX),
}
local field_list = {}
for _, field in pairs(pf) do field_list[#field_list + 1] = field end
varnel.fields = field_list

local ex = {
  truncated = ProtoExpert.new("varnel.truncated", "Truncated frame", expert.group.MALFORMED, expert.severity.ERROR),
  bad_checksum = ProtoExpert.new("varnel.checksum.bad", "Bad checksum", expert.group.MALFORMED, expert.severity.ERROR),
  bad_direction = ProtoExpert.new("varnel.direction.bad", "Unknown direction byte", expert.group.MALFORMED,
                                  expert.severity.ERROR),
  no_route = ProtoExpert.new("varnel.route.bad", "Address nibbles end nowhere", expert.group.MALFORMED,
                             expert.severity.ERROR),
}
varnel.experts = { ex.truncated, ex.bad_checksum, ex.bad_direction, ex.no_route }

-- MCU version per block address and route, from versions answers: the meaning
-- of a rate byte depends on it.
local mcu_seen = {}

local function frame_sum(tvb)
  local sum = 0
  for i = 0, tvb:len() - 1 do sum = sum + tvb(i, 1):uint() end
  while sum > 255 do sum = band(sum, 0xFF) + rshift(sum, 8) end
  return sum
end

local function nibble_meaning(value, is_last, level)
  if is_last and level == "board" then return "board address" end
  if is_last then return "terminator" end
  if value == 0 then return "terminator / Ethernet side" end
  if value == 15 then return "any device" end
  if value <= 3 then return "channel or ID" end
  return "device ID"
end

-- The address nibbles, read as the monitor reads them: the first position where
-- a 0 follows a 0 two places back (device level) or a value above 3 follows a
-- non-zero one (board level) ends the address.
local function split_address(tvb, first, last)
  local h = { 0 }
  for i = first, last do
    local b = tvb(i, 1):uint()
    h[#h + 1] = band(b, 0x0F)
    h[#h + 1] = rshift(b, 4)
  end
  for i = 3, #h do
    if h[i] == 0 and h[i - 2] == 0 then
      return { level = "device", nibbles = { table.unpack(h, 2, i) }, id = h[i - 1], bytes = math.ceil((i - 1) / 2) }
    end
    if h[i] > 3 and h[i - 1] ~= 0 then
      return { level = "board", nibbles = { table.unpack(h, 2, i) }, board = h[i], bytes = math.ceil((i - 1) / 2) }
    end
  end
  return nil
end

local function route_text(nibbles, count)
  local parts = {}
  for i = 1, count do parts[i] = string.format("%X", nibbles[i]) end
  return table.concat(parts, ".")
end

-- Code points of Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF run from U+0410.
local cp1251_high = {
  0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C,
  0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A,
  0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9,
  0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
  0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
}

local function utf8_of(code)
  if code < 0x80 then return string.char(code) end
  if code < 0x800 then return string.char(0xC0 + math.floor(code / 64), 0x80 + code % 64) end
  return string.char(0xE0 + math.floor(code / 4096), 0x80 + math.floor(code / 64) % 64, 0x80 + code % 64)
end

-- Windows-1251 bytes as UTF-8, zero bytes dropped; all 0xFF reads as empty.
local function name_text(range)
  local bytes, all_ff = {}, true
  for i = 0, range:len() - 1 do
    local b = range(i, 1):uint()
    if b ~= 0xFF then all_ff = false end
    if b >= 0xC0 then
      bytes[#bytes + 1] = utf8_of(0x0410 + b - 0xC0)
    elseif b >= 0x80 then
      bytes[#bytes + 1] = utf8_of(cp1251_high[b - 0x7F])
    elseif b ~= 0 then
      bytes[#bytes + 1] = string.char(b)
    end
  end
  if all_ff then return "" end
  return table.concat(bytes)
end

local function truncated(tree, need, have)
  tree:add_proto_expert_info(ex.truncated, string.format("Truncated: %d bytes, at least %d needed", have, need))
  return false
end

local function dissect_identity(body, tree)
  if body:len() < 2 then return truncated(tree, 2, body:len()) end
  tree:add(pf.up, body(0, 1))
  tree:add(pf.block_type, body(1, 1))
  local name = body:len() > 2 and body(2) or body(1, 0)
  tree:add(pf.name, name, name_text(name))
  return true
end

local function rate_kbits(code, mcu)
  if mcu ~= nil and mcu <= 8 then return code / 10 end
  if code <= 127 then return code / 10 end
  return 12.8 + (code - 128) * 0.2
end

local function error_ratio_text(byte)
  local n = band(byte, 0x7F)
  local e = math.floor(n / 10) + 1
  local k = 10 - n % 10
  if k == 10 then k = 0; e = e - 1 end
  local prefix = band(byte, 0x80) ~= 0 and "<" or ""
  return string.format("%s%.1fe-%d", prefix, 10 ^ (k / 10), e)
end

local function dissect_modem_state(body, tree, mcu)
  if body:len() < 3 then return truncated(tree, 3, body:len()) end
  local d1 = body(1, 1):uint()
  tree:add(pf.channel, body(0, 1), body(0, 1):uint() - 0x14)
  local state
  if band(d1, 0x40) ~= 0 then state = band(d1, 0x20) ~= 0 and 1 or 2 else state = band(d1, 0x80) ~= 0 and 3 or 4 end
  tree:add(pf.rx_state, body(1, 1), state)
  tree:add(pf.ko_loop, body(1, 1), band(d1, 0x08) ~= 0)
  tree:add(pf.level_code, body(2, 1))
  tree:add(pf.level_db, body(2, 1), 0 - 0.2 * body(2, 1):uint())
  if body:len() < 9 then
    if band(d1, 0x02) ~= 0 then
      tree:add(pf.kind, body(1, 1), 3)
      tree:add(pf.ko_data, body(1, 1), band(d1, 0x01) ~= 0)
    else
      tree:add(pf.kind, body(1, 1), 2)
    end
    return true
  end
  tree:add(pf.kind, body(1, 1), 1)
  local note = mcu and "" or " (MCU version not seen, read as 9 or later)"
  tree:add(pf.tx_rate_code, body(3, 1))
  tree:add(pf.tx_rate, body(3, 1), rate_kbits(body(3, 1):uint(), mcu)):append_text(note)
  tree:add(pf.rx_rate_code, body(4, 1))
  tree:add(pf.rx_rate, body(4, 1), rate_kbits(body(4, 1):uint(), mcu)):append_text(note)
  tree:add(pf.margin, body(5, 1), body(5, 1):uint() / 8)
  tree:add_le(pf.errors, body(6, 2))
  tree:add(pf.ratio, body(8, 1), error_ratio_text(body(8, 1):uint()))
  return true
end

local function dissect_modem_answer(body, tree, key)
  local code = body(0, 1):uint()
  if code == 0x01 then
    if body:len() < 3 then return truncated(tree, 3, body:len()) end
    tree:add(pf.mcu, body(1, 1))
    tree:add(pf.fpga, body(2, 1))
    mcu_seen[key] = body(1, 1):uint()
    return true
  end
  if code >= 0x15 and code <= 0x17 then return dissect_modem_state(body, tree, mcu_seen[key]) end
  return true
end

local function dissect_board_information(body, tree)
  if body:len() < 6 then return truncated(tree, 6, body:len()) end
  tree:add(pf.sl_version, body(1, 2), string.format("%d.%d", body(1, 1):uint(), body(2, 1):uint()))
  for m = 1, 3 do tree:add(pf.sl_module, body(2 + m, 1)):prepend_text(string.format("Module %d: ", m)) end
  if body:len() >= 8 then tree:add(pf.sl_serial, body(6, 2)) end
  if body:len() >= 12 then tree:add(pf.sl_uptime, body(8, 4)) end
  if body:len() >= 16 then
    local status = body(12, 4):uint()
    tree:add(pf.sl_status, body(12, 4))
    tree:add(pf.sl_contacts, body(12, 4), band(rshift(status, 12), 0x0F))
    tree:add(pf.sl_poe_bits, body(12, 4), band(rshift(status, 17), 0x03))
  end
  return true
end

local function round_even(numerator, denominator)
  local q = math.floor(numerator / denominator)
  local r = numerator - q * denominator
  if r * 2 > denominator or (r * 2 == denominator and q % 2 == 1) then q = q + 1 end
  return q
end

local function dissect_poe(body, tree)
  local word = body(39, 4):uint()
  local load = tree:add(pf.sl_poe_word, body(39, 4))
  load:add(pf.sl_poe_load, body(39, 4), band(word, 0x8000) ~= 0)
  load:add(pf.sl_poe_volts, body(39, 4), round_even(band(rshift(word, 16), 0x3FFF) * 5920, 1000000))
  load:add(pf.sl_poe_ma, body(39, 4), round_even(band(word, 0x3FFF) * 61035, 1000000))
end

local function dissect_digital_subchannels(body, tree)
  if body:len() < 35 then return truncated(tree, 35, body:len()) end
  tree:add(pf.sl_codec_counters, body(1, 4))
  tree:add(pf.sl_service_errors, body(6, 1))
  tree:add(pf.sl_data_errors, body(10, 1))
  if body:len() >= 39 then
    tree:add(pf.sl_line_tx, body(35, 2), body(35, 2):uint() * 100)
    tree:add(pf.sl_line_rx, body(37, 2), body(37, 2):uint() * 100)
  else
    tree:add(pf.sl_line_tx, body(7, 1), body(7, 1):uint() * 100)
    tree:add(pf.sl_line_rx, body(8, 1), body(8, 1):uint() * 100)
  end
  tree:add(pf.sl_eth_tx, body(15, 2))
  tree:add(pf.sl_eth_rx, body(17, 2))
  tree:add(pf.sl_rs_tx, body(19, 2))
  tree:add(pf.sl_rs_rx, body(21, 2))
  tree:add(pf.sl_service_rate, body(23, 1), body(23, 1):uint() * 100)
  local flags = body(24, 1):uint()
  tree:add(pf.sl_codec_rate, body(24, 1), band(flags, 0x01) ~= 0 and 8000 or 6400)
  tree:add(pf.sl_voice1, body(24, 1), band(rshift(flags, 2), 0x03))
  tree:add(pf.sl_service_rx_ok, body(24, 1), band(flags, 0x10) ~= 0)
  tree:add(pf.sl_service_tx_ok, body(24, 1), band(flags, 0x20) ~= 0)
  tree:add(pf.sl_data_rx_ok, body(24, 1), band(flags, 0x40) ~= 0)
  tree:add(pf.sl_eth_tx_speed, body(25, 2), body(25, 2):uint() / 100)
  tree:add(pf.sl_eth_rx_speed, body(27, 2), body(27, 2):uint() / 100)
  tree:add(pf.sl_rs_tx_speed, body(29, 2), body(29, 2):uint() / 100)
  tree:add(pf.sl_rs_rx_speed, body(31, 2), body(31, 2):uint() / 100)
  tree:add(pf.sl_tm_rate, body(33, 1), body(33, 1):uint() * 100)
  tree:add(pf.sl_voice2, body(34, 1), band(body(34, 1):uint(), 0x03))
  if body:len() >= 43 then dissect_poe(body, tree) end
  return true
end

local function dissect_subchannels(body, tree)
  if body:len() < 25 then return truncated(tree, 25, body:len()) end
  local analog = band(body(24, 1):uint(), 0x80) ~= 0
  tree:add(pf.sl_flags_a, body(24, 1))
  tree:add(pf.sl_analog, body(24, 1), analog)
  if not analog then return dissect_digital_subchannels(body, tree) end
  local code = body(1, 2):uint()
  tree:add(pf.sl_level_code, body(1, 2))
  tree:add(pf.sl_level_dbm, body(1, 2), 20 * math.log(math.max(code, 1) / 23170, 10))
  return true
end

local function dissect_termination_answer(body, tree)
  local code = body(0, 1):uint()
  if code == 0x01 then return dissect_board_information(body, tree) end
  if code == 0x02 then return dissect_subchannels(body, tree) end
  if code == 0x07 then
    if body:len() < 3 then return truncated(tree, 3, body:len()) end
    tree:add(pf.sl_loop_mode, body(1, 1))
    tree:add(pf.sl_loop_freq, body(2, 1), body(2, 1):uint() * 100)
  end
  return true
end

local function dissect_amplifier_answer(body, tree)
  if body(0, 1):uint() ~= 0x01 then return true end
  if body:len() < 5 then return truncated(tree, 5, body:len()) end
  tree:add(pf.ap_version, body(1, 1))
  tree:add(pf.ap_alarms, body(2, 1))
  tree:add(pf.ap_level, body(3, 1))
  tree:add(pf.ap_temperature, body(4, 1))
  if body:len() >= 6 then tree:add(pf.ap_mask, body(5, 1)) end
  return true
end

local function device_command_name(is_answer, body)
  if body:len() == 0 then return is_answer and "empty answer" or "identity request" end
  local code = body(0, 1):uint()
  if is_answer and code <= 3 then return "identity" end
  if code == 0x11 then return "network settings" end
  if is_answer then return "command acknowledgement" end
  return "attributes"
end

-- The body of a device-level frame; false when it is too short.
local function dissect_device(body, tree, is_answer, pinfo, address)
  local name = device_command_name(is_answer, body)
  if body:len() > 0 then tree:add(pf.cmd, body(0, 1)) end
  tree:add(pf.cmd_name, name)
  pinfo.cols.info:append(string.format(" device %s: %s", address, name))
  if is_answer and name == "identity" then return dissect_identity(body, tree) end
  if is_answer and body:len() == 0 then return truncated(tree, 1, 0) end
  return true
end

local board_answer_parsers = {
  [0x04] = dissect_modem_answer,
  [0x05] = dissect_termination_answer, [0x06] = dissect_termination_answer, [0x07] = dissect_termination_answer,
  [0x0A] = dissect_amplifier_answer, [0x0C] = dissect_amplifier_answer,
}

local function dissect_board(body, tree, is_answer, pinfo, where, key)
  local board_name = boards[where.board] or "unknown board"
  tree:add(pf.board_name, board_name)
  if body:len() == 0 then
    pinfo.cols.info:append(string.format(" %s: no command", board_name))
    return not is_answer or truncated(tree, 1, 0)
  end
  local code = body(0, 1):uint()
  local names = commands_of_board[where.board] or {}
  local name = names[code] or "unknown command"
  tree:add(pf.cmd, body(0, 1))
  tree:add(pf.cmd_name, name)
  pinfo.cols.info:append(string.format(" %s: %s (0x%02X)", board_name, name, code))
  if body:len() > 1 then tree:add(pf.data, body(1)) end
  local parser = board_answer_parsers[where.board]
  if is_answer and parser then return parser(body, tree, key) end
  return true
end

local function add_address(tree, tvb, where)
  local node = tree:add(pf.address, tvb(1, where.bytes))
  local count = #where.nibbles
  for i = 1, count do
    node:add(pf.nibble, tvb(1 + math.floor((i - 1) / 2), 1), where.nibbles[i])
        :append_text(" (" .. nibble_meaning(where.nibbles[i], i == count, where.level) .. ")")
  end
  local route = route_text(where.nibbles, count - 1)
  tree:add(pf.route, tvb(1, where.bytes), route)
  tree:add(pf.level, tvb(1, where.bytes), where.level)
  if where.level == "board" then
    tree:add(pf.board, tvb(1, where.bytes), where.board)
  else
    tree:add(pf.device_id, tvb(1, where.bytes), where.id)
  end
  return route
end

function varnel.dissector(tvb, pinfo, root)
  pinfo.cols.protocol = "VARNEL"
  local length = tvb:len()
  local tree = root:add(varnel, tvb())
  if length < 3 then
    pinfo.cols.info = "Truncated frame"
    truncated(tree, 3, length)
    return length
  end
  local direction = tvb(0, 1):uint()
  tree:add(pf.direction, tvb(0, 1))
  local is_answer = direction == 0x80
  pinfo.cols.info = is_answer and "Answer" or "Request"
  if direction ~= 0x00 and direction ~= 0x80 then
    tree:add_proto_expert_info(ex.bad_direction)
    pinfo.cols.info = "Unknown direction"
  end

  local good = frame_sum(tvb) == 0xFF
  local checksum_item = tree:add(pf.checksum, tvb(length - 1, 1))
  tree:add(pf.checksum_status, tvb(length - 1, 1), good and "good" or "bad")
  if not good then
    checksum_item:add_proto_expert_info(ex.bad_checksum)
    pinfo.cols.info:append(" [bad checksum]")
  end

  local where = split_address(tvb, 1, length - 2)
  if where == nil then
    tree:add_proto_expert_info(ex.no_route)
    return length
  end
  local route = add_address(tree, tvb, where)
  local body_start = 1 + where.bytes
  local body = tvb(body_start, length - 1 - body_start)
  local key = tostring(is_answer and pinfo.src or pinfo.dst) .. "/" .. route
  if where.level == "device" then
    dissect_device(body, tree, is_answer, pinfo, route)
  else
    dissect_board(body, tree, is_answer, pinfo, where, key)
  end
  return length
end

local udp_port = DissectorTable.get("udp.port")
udp_port:add(DEVICE_PORT, varnel)
udp_port:add(PROGRAM_PORT, varnel)
