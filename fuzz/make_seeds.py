#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target: OUTDIR/TARGET/NAME, one input
each, laid out as the target reads it (see the comment atop TARGET.cpp).
Frames are those of real exchanges; checksums are added by the targets."""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SCENARIOS = os.path.join(HERE, "..", "src", "sim", "scenarios")


def crc16(data):
    """Reflected 0xA001, start 0xFFFF, as the update files carry it."""
    crc = 0xFFFF
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def records(frames, control):
    out = b""
    for f in frames:
        out += bytes([control, len(f)]) + f
    return out


# Answers as blocks send them, without checksum: identities of the root and
# of devices behind channels, board answers of the modem, termination boards
# and amplifiers, flash and event log answers, acknowledgements.
ANSWERS = [
    bytes.fromhex("80010001C1EBEEEA"),                # identity of root 1
    bytes.fromhex("8021050001C1"),                    # device 5 behind channel 2
    bytes.fromhex("8021107003C1"),                    # device 7 one level deeper
    bytes.fromhex("80410 10C03".replace(" ", "")),    # modem versions
    bytes.fromhex("8041100A0B0C01"),                  # modem common configuration
    bytes.fromhex("80411101000A00F4010303"),          # modem channel 1 configuration
    bytes.fromhex("804115010203040506070809"),        # channel state
    bytes.fromhex("80410800112233"),                  # clock
    bytes.fromhex("804109000000102030400102"),        # event log
    bytes.fromhex("8051010208070900100000000000"),    # termination board information
    bytes.fromhex("80510200" + "00" * 40),            # subchannel state
    bytes.fromhex("8071070100"),                      # loop state
    bytes.fromhex("80511" + "00E00" + "00" * 16 + "AA"),  # flash read answer
    bytes.fromhex("80A1010840002B26"),                # amplifier
    bytes.fromhex("80C101064000"),                    # amplifier 2
    bytes.fromhex("8021050011" + "00" * 20),          # network settings acknowledged
    bytes.fromhex("8001000C"),                        # acknowledgement
]


def receive_path():
    seeds = {}
    for slot, code in [(0x04, 0x01), (0x01, 0x02), (0x87, 0x10), (0x06, 0x01), (0x04, 0x15), (0x04, 0x09)]:
        seeds["answers_slot%02x_code%02x" % (slot, code)] = bytes([1, slot, code, 1]) + records(ANSWERS, 0x0C)
    seeds["foreign_and_unsealed"] = bytes([2, 4, 1, 2]) + records(ANSWERS[:6], 0x0E) + records(ANSWERS[:6], 0x00)
    seeds["channels_only"] = bytes([0, 0, 0, 0]) + records([bytes.fromhex("80111111")], 0x0C)
    return seeds


SETTINGS = (b"[NET]\r\nIP=127.0.0.1\r\nNumIPs=2\r\nIP_1=192.168.0.7\r\nName_1=\xcf\xd1 \xde\xe6\xed\xe0\xff\r\n"
            b"IP_2=10.0.0.1\r\nSRVPORT=12347\r\n[Size]\r\nWidth=1008\r\nHeight=735\r\nLeft=-20\r\nTop=110\r\n"
            b"[FW Update]\r\nCPU=C:\\fw\\cpu.cbi\r\nFPGA=\r\nSL=sl.qrb\r\n[COMMON]\r\nPSW=00FF10\r\nAUTOFIND=100\r\n")
MAP = (b"[COMMON]\r\nIP=192.168.0.7\r\n[DEV_1]\r\nID=1\r\nName=\xcf\xd1\r\nUpConn=0\r\nRootPort=0\r\nRootN=0\r\n"
       b"RootName=\r\nBType=1\r\nCHSHOW1=1\r\nCHSHOW2=0\r\nCHSHOW3=1\r\n[DEV_9]\r\nID=9\r\n")


def settings_files():
    return {"settings": b"\x00" + SETTINGS, "settings_lf": b"\x00" + SETTINGS.replace(b"\r\n", b"\n"),
            "settings_empty": b"\x00", "map": b"\x01" + MAP, "map_empty": b"\x01"}


def qrb(blocks, version=b"230", fill=0x5A):
    data = bytes((i * 7 + fill) & 0xFF for i in range(blocks * 512))
    header = b"QRVSL3001" + version + struct.pack(">HHHH", blocks, 512, 0, crc16(data))
    return header + data + b"\x00" * 8


def update_qrb():
    return {"one_block": b"\x00" + qrb(1), "three_blocks": b"\x00" + qrb(3, b"2.9"),
            "fix_both": b"\x03" + qrb(2)[:-100], "wrong_board": b"\x00QRVSL2001" + qrb(1)[9:],
            "header_only": b"\x03" + qrb(0)}


def modem_update():
    """Options, image size, fill, then operations (see modem_update.cpp)."""
    def transfer(options, size, ops):
        # The first tick sends the start request.
        return bytes([options]) + struct.pack("<H", size) + b"\x5a\x00\x05" + ops

    def whole(size):
        return b"\x01" + b"\x02" * (size // 256 + 1)

    seeds = {}
    for size in (0, 255, 256, 257, 512, 600, 4096):
        seeds["mcu_%d" % size] = transfer(0x00, size, whole(size))
        seeds["fpga_%d" % size] = transfer(0x01, size, whole(size))
    seeds["mcu_file"] = transfer(0x02, 700, whole(700))
    seeds["fpga_file_debug"] = transfer(0x0B, 300, whole(300))
    seeds["too_large"] = transfer(0x06, 10, whole(10))
    seeds["repeats"] = transfer(0x00, 600, b"\x01\x02\x07\x07\x00\xff\x02\x02\x02")
    seeds["board_ends_early"] = transfer(0x00, 600, b"\x01\x02\x03\xff\x7f")
    seeds["board_ends_last"] = transfer(0x00, 300, b"\x01\x02\x03\xff\x7f")
    seeds["sequence_broken"] = transfer(0x01, 600, b"\x01\x03\xfe\x7f\x02")
    seeds["late_and_foreign"] = transfer(0x00, 600, b"\x01\x02\x03\x00\x00\x05\x02\x06\x02")
    seeds["raw_answers"] = transfer(0x01, 256, b"\x01\x04\x02\x03\x00\x04\x03\x03\x01\x80\x04\x01\x03")
    return seeds


def scenario_reader():
    seeds = {}
    for name in sorted(os.listdir(SCENARIOS)):
        with open(os.path.join(SCENARIOS, name), "rb") as f:
            seeds[name] = f.read()
    seeds["faults.ini"] = (b"[sim]\nseed=7\nfault_drop=20\nfault_jitter_ms=30\n"
                           b"[root.r]\naddress=127.0.0.1\nid=1\nname=R\nfault_duplicate=10\n"
                           b"[dev.a]\nmaster=r\nchannel=2\nup=1\nid=7\nname=A\nfault_reorder=10\n"
                           b"sl_slots=1,2\nsl2_mode=analog\nap_slots=6\n")
    return seeds


def request(frame, control=0x01):
    return bytes([control]) + struct.pack("<H", len(frame)) + frame


def sim_requests():
    # The demo's root has ID 1; devices lie behind its channels 1..3.
    reqs = [bytes.fromhex(h) for h in [
        "000F", "0001", "00100F00", "00200F00", "0041 01", "0041 10", "0041 11", "0041 15",
        "0041 0800", "0041 09 00 30", "0041 09 FF 0F", "0041 00 00 00 0F", "0041 14 01",
        "0051 01", "0051 02", "0051 02 00", "0051 07 55", "0051 10 0E 00 00 03", "0061 01",
        "00A1 01", "00C1 01 1B", "00E1 01", "0041", "0021 41 01", "0011 0F 00"]]
    write = bytes.fromhex("00 51 10 80 00 00") + bytes(range(16))
    seeds = {"every_board": b"".join(request(r) for r in reqs),
             "flash_write": request(write),
             "raw": b"".join(request(r, 0x00) for r in reqs[:5])}
    return seeds


def log_viewer_reader():
    rows = [["07.03.2026", "09:05:00", "ВК20      ", "Канал 1", "Приёмник активирован"],
            ["-", "-", "Неизв.", "-", "Неизвестное событие 0x0005"],
            ["29.02.2024", "00:00:00", "ТР-40 (1) ", "Канал 2", "Аварии: Обрыв линии (A1)"]]
    lines = [("\t".join(r) + "\t").encode("cp1251") for r in rows]
    return {"crlf": b"\r\n".join(lines) + b"\r\n", "lf_no_end": b"\n".join(lines),
            "broken": lines[0] + b"\r\n\r\n\x00\x01\t\t\r\n" + b"x" * 1100}


TARGETS = {"receive_path": receive_path, "settings_files": settings_files, "update_qrb": update_qrb,
           "scenario_reader": scenario_reader, "sim_requests": sim_requests,
           "log_viewer_reader": log_viewer_reader, "modem_update": modem_update}


def main():
    out = sys.argv[1]
    for target, make in TARGETS.items():
        folder = os.path.join(out, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in make().items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
