"""Gives a type library written by widl the start of Unix time as its creation time, so that the
same IDL always gives the same bytes (as the DLL's headers carry no link time).

    zero_type_library_time.py TLB

widl records the time it ran twice, as custom data of the library: a text, "Created by WIDL
version V at " and the time as C's asctime writes it, and the same time as a VT_UI4 number.
"""
import calendar
import re
import struct
import sys
import time

CREATED = re.compile(rb"Created by WIDL version [^ ]+ at ([A-Z][a-z]{2} [A-Z][a-z]{2} [ \d]\d "
                     rb"\d\d:\d\d:\d\d \d{4})\n")
VT_UI4 = 19


def main():
    path = sys.argv[1]
    with open(path, "rb") as library:
        data = library.read()
    created = CREATED.search(data)
    if not created:
        raise SystemExit("%s: no creation time of widl's" % path)
    # widl runs with TZ=UTC, so its text is the time in UTC.
    text = created.group(1).decode("ascii")
    seconds = calendar.timegm(time.strptime(text, "%a %b %d %H:%M:%S %Y"))
    number = struct.pack("<HI", VT_UI4, seconds)
    if data.count(number) != 1:
        raise SystemExit("%s: the creation time as a number is not there once" % path)
    data = data.replace(number, struct.pack("<HI", VT_UI4, 0))
    data = (data[:created.start(1)] + time.asctime(time.gmtime(0)).encode("ascii")
            + data[created.end(1):])
    with open(path, "wb") as library:
        library.write(data)


if __name__ == "__main__":
    main()
