#!/usr/bin/env python3
"""Writes the seed corpus of the four fuzz targets into fuzz/corpus/<target>/.

The layouts are those described at the top of each target. Run it again
after changing a layout; the files it writes are committed.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

FIRST = -59011459200   # 01/01/0100 00:00:00, seconds after 1970
LAST = 253402300799    # 31/12/9999 23:59:59
SPAN = LAST - FIRST


def write(target, seeds):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for old in os.listdir(folder):
        os.remove(os.path.join(folder, old))
    for name, data in seeds:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def text(selector, s, utf16=False):
    body = s.encode("utf-16-le", "surrogatepass") if utf16 else s.encode("utf-8")
    return bytes([selector]) + body


# Selector: bits 0-2 the locale (0 French, 1 German, 2 English US, 3 Japanese,
# 4 Finnish, 5 Arabic, 6 Swedish, 7 Persian), bit 3 UTF-16.
write("fuzz_datetime", [
    ("fr-noon", text(0, "01/01/2000 12:00:00")),
    ("fr-first", text(0, "01/01/0100")),
    ("fr-last", text(0, "31/12/9999 23:59:59")),
    ("fr-short", text(0, " 1/3/1582 7:05 ")),
    ("fr-leap-1900", text(0, "29/02/1900")),
    ("fr-second-60", text(0, "31/12/9999 23:59:60")),
    ("fr-year-10000", text(0, "01/01/10000")),
    ("fr-zeros", text(0, "00/00/0000")),
    ("de-dots", text(1, "15.10.1582 00:00:01")),
    ("en-month-first", text(2, "12/31/1999 23:59:59")),
    ("ja-year-first", text(3, "2024/12/03 21:30")),
    ("fi-dot-time", text(4, "4.12.2024 1.02.03")),
    ("ar-marks-utf16", text(8 | 5, "03\u200f12\u200f2024 18:00:00", utf16=True)),
    ("fr-hostile-utf16", text(8, "\u0661\u0662/\u0660\u0661/\u0662\u0660\u0660\u0660\x00\ud800", utf16=True)),
    ("fr-control", text(0, "01/01/2000\t12:00:00\r\n\x00")),
])

# Selector: bits 0-2 the locale, bit 3 UTF-16, bit 4 the negated step count.
write("fuzz_number", [
    ("fr-zero", text(0, "0")),
    ("fr-offset", text(0, "-5,5")),
    ("fr-tiny", text(0, "1E-05")),
    ("fr-huge", text(0, "1,79769313486232E+308")),
    ("fr-overflow", text(0, "1e309")),
    ("fr-underflow", text(0, "-4,9E-324")),
    ("fr-count-edge", text(16, "32768,5")),
    ("fr-count-neg", text(0, " -32768 ")),
    ("fr-nan", text(0, "NaN")),
    ("fr-inf", text(0, "-inf")),
    ("de-fifteen", text(1, "2451545,00063979")),
    ("en-point", text(2, "+.5e+2")),
    ("sv-minus-sign", text(6, "\u22121,5")),
    ("fa-marked-minus", text(7, "\u200e\u22121\u066b5")),
    ("ar-utf16", text(8 | 5, "-12\u066b25", utf16=True)),
    ("fr-many-digits", text(0, "9" * 400 + ",5")),
])


def step(unit, seconds, count, wide=False):
    mode = unit | (8 if wide else 0)
    body = struct.pack("<Q", seconds % (SPAN + 1))
    body += struct.pack("<q", count) if wide else struct.pack("<h", count)
    return bytes([mode]) + body


def offset(seconds, hours):
    return bytes([6]) + struct.pack("<Q", seconds % (SPAN + 1)) + struct.pack("<d", hours)


NOON_2000 = 946728000 - FIRST
LEAP_DAY_2000 = 951782400 - FIRST   # 29/02/2000
JAN_31_2024 = 1706659200 - FIRST

# Units 0 year, 1 month, 2 day, 3 hour, 4 minute, 5 second; 6 an offset in hours.
write("fuzz_step", [
    ("year-leap-day", step(0, LEAP_DAY_2000, 1)),
    ("month-31-jan", step(1, JAN_31_2024, 1)),
    ("month-back-out", step(1, 0, -1)),
    ("day-max16", step(2, NOON_2000, 32767)),
    ("day-min16", step(2, NOON_2000, -32768)),
    ("hour-last", step(3, SPAN, 1)),
    ("minute-first", step(4, 0, -1)),
    ("second-wide-max", step(5, NOON_2000, 2**63 - 1, wide=True)),
    ("day-wide-min", step(2, SPAN, -2**63, wide=True)),
    ("year-wide-span", step(0, 0, 9899, wide=True)),
    ("offset-half", offset(NOON_2000, -5.5)),
    ("offset-last", offset(SPAN, 12.0)),
    ("offset-nan", bytes([7]) + struct.pack("<Q", 0) + struct.pack("<Q", 0x7FF8000000000001)),
    ("offset-huge", offset(0, 1e308)),
])

# Selector: bits 0-3 the flips, bit 4 UTF-16, bits 6-7 the locale
# (0 French, 1 English US, 2 German, 3 Finnish). Date, line feed, offset.
write("fuzz_pass", [
    ("fr-noon", text(0, "01/01/2000 12:00:00\n0")),
    ("fr-io-shadow-night", text(0, "03/12/2024 21:00:00\n0")),
    ("fr-flipped", text(15, "04/12/2024 01:30:00\n-1")),
    ("fr-first", text(0, "01/01/0100\n0")),
    ("fr-first-out", text(0, "01/01/0100\n-0,0002")),
    ("fr-last", text(0, "31/12/9999 23:59:59\n0,0001")),
    ("fr-reform", text(0, "10/10/1582 12:00:00\n12")),
    ("fr-empty", text(0, "")),
    ("fr-bad-offset", text(0, "01/01/2000\n1e308")),
    ("fr-nan-offset", text(0, "01/01/2000\nNaN")),
    ("en-month-first", text(64, "12/31/1999 23:00:00\n1")),
    ("de-utf16", text(128 | 16, "29.02.2000 06:00:00\n-12", utf16=True)),
    ("fi-dot-time", text(192 | 5, "1.1.1900 0.00.00\n0,5")),
])

# A SER file as it is: the 178-byte header, the frames, the time stamps.
def ser(width, height, depth, frames, colour=0, stamps=True, cut=0, big_endian=0):
    header = b"LUCAM-RECORDER" + struct.pack("<7i", 0, colour, big_endian, width, height, depth, frames)
    header += b"\0" * 120 + struct.pack("<2q", 0, 639000000000000000)
    planes = 3 if colour >= 100 else 1
    size = width * height * planes * (2 if depth > 8 else 1) * frames
    body = bytes((i * 37) & 255 for i in range(size))
    trailer = b"".join(struct.pack("<q", 639000000000000000 + i * 200000) for i in range(frames)) if stamps else b""
    data = header + body + trailer
    return data[:len(data) - cut] if cut else data


write("fuzz_ser", [
    ("mono8", ser(4, 3, 8, 2)),
    ("mono16-stamps", ser(5, 2, 16, 3)),
    ("rgb8", ser(2, 2, 8, 2, colour=100)),
    ("bgr16-no-stamps", ser(2, 3, 12, 2, colour=101, stamps=False)),
    ("mono16-big-endian", ser(3, 3, 16, 2, big_endian=1)),
    ("bayer-cut", ser(4, 4, 8, 3, colour=8, stamps=False, cut=5)),
])


# A FITS file: 80-character cards in 2880-byte blocks, big-endian data.
def fits(cards, data):
    text = "".join(c.ljust(80) for c in cards + ["END"])
    text = text.ljust((len(text) + 2879) // 2880 * 2880)
    data = data.ljust((len(data) + 2879) // 2880 * 2880, b"\0")
    return text.encode("ascii") + data


def card(key, value):
    return f"{key:<8}= {value:>20}"


CUBE = [card("SIMPLE", "T"), card("BITPIX", "16"), card("NAXIS", "3"), card("NAXIS1", "4"),
        card("NAXIS2", "3"), card("NAXIS3", "2"), card("BZERO", "32768")]
write("fuzz_fits", [
    ("cube-dated", fits(CUBE + [card("DATE-OBS", "'2026-12-31T07:20:00.125'"), card("EXPTIME", "0.5")],
                        struct.pack(">24h", *range(-12, 12)))),
    ("image-float-time-obs", fits([card("SIMPLE", "T"), card("BITPIX", "-32"), card("NAXIS", "2"), card("NAXIS1", "3"),
                                   card("NAXIS2", "2"), card("DATE-OBS", "'31/12/26'"), card("TIME-OBS", "'07:20:00'")],
                                  struct.pack(">6f", 1, 2, 3, 4, 5, 6))),
    ("cube-undated", fits(CUBE, b"\1" * 48)),
])
