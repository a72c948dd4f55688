#!/usr/bin/env python3
"""make-session-wtmp.py OUT SESSIONS: writes a login accounting file (glibc's 384-byte struct
utmp records) of SESSIONS back-to-back sessions, three records each (boot, a login, shutdown),
20 to 30 minutes long and 35 minutes apart, so that a million sessions fit 32-bit times."""
import struct
import sys

BOOT, RUN_LEVEL, USER = 2, 1, 7


def record(kind, user, line, seconds):
    b = bytearray(384)
    struct.pack_into("<h", b, 0, kind)  # ut_type
    struct.pack_into("<i", b, 4, 100)  # ut_pid
    b[8:8 + len(line)] = line.encode()  # ut_line
    b[44:44 + len(user)] = user.encode()  # ut_user
    struct.pack_into("<i", b, 340, seconds)  # ut_tv.tv_sec
    return bytes(b)


if len(sys.argv) != 3:
    sys.exit(__doc__)
sessions = int(sys.argv[2])
t = 1000000
with open(sys.argv[1], "wb") as out:
    for i in range(sessions):
        out.write(record(BOOT, "reboot", "~", t))
        out.write(record(USER, "alice", "pts/0", t + 60))
        out.write(record(RUN_LEVEL, "shutdown", "~", t + 1200 + (i % 7) * 100))
        t += 2100
