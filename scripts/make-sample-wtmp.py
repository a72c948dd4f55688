#!/usr/bin/env python3
"""make-sample-wtmp.py OUT [SESSIONS]: writes a login accounting file (glibc's 384-byte struct
utmp records). Without SESSIONS: two complete days of sessions, for the program's smoke tests.
With SESSIONS: that many back-to-back sessions of three records each (boot, a login, shutdown),
20 to 30 minutes long and 35 minutes apart, so that a million of them fit 32-bit times; for the
benchmarks of a long log."""
import calendar
import struct
import sys


def record(kind, user, line, seconds):
    b = bytearray(384)
    struct.pack_into("<h", b, 0, kind)  # ut_type
    struct.pack_into("<i", b, 4, 100)  # ut_pid
    b[8:8 + len(line)] = line.encode()  # ut_line
    b[44:44 + len(user)] = user.encode()  # ut_user
    struct.pack_into("<i", b, 340, seconds)  # ut_tv.tv_sec
    return bytes(b)


def utc(*parts):
    return calendar.timegm(parts)


BOOT, RUN_LEVEL, USER = 2, 1, 7


def long_log(out, sessions):
    t = 1000000
    for i in range(sessions):
        out.write(record(BOOT, "reboot", "~", t))
        out.write(record(USER, "alice", "pts/0", t + 60))
        out.write(record(RUN_LEVEL, "shutdown", "~", t + 1200 + (i % 7) * 100))
        t += 2100


if len(sys.argv) not in (2, 3) or sys.argv[1].startswith("-"):
    sys.exit(__doc__)
if len(sys.argv) == 3:
    with open(sys.argv[1], "wb") as out:
        long_log(out, int(sys.argv[2]))
    sys.exit(0)
with open(sys.argv[1], "wb") as out:
    out.write(record(BOOT, "reboot", "~", utc(2024, 3, 1, 8, 0, 0)))
    out.write(record(USER, "alice", "pts/0", utc(2024, 3, 1, 8, 5, 0)))
    out.write(record(RUN_LEVEL, "shutdown", "~", utc(2024, 3, 1, 17, 30, 0)))
    out.write(record(BOOT, "reboot", "~", utc(2024, 3, 1, 20, 0, 0)))
    out.write(record(USER, "bob", "pts/0", utc(2024, 3, 1, 20, 1, 0)))
    out.write(record(BOOT, "reboot", "~", utc(2024, 3, 2, 9, 0, 0)))
