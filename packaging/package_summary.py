"""Rewrites the summary information of a Windows Installer package in place: its package code
(the revision number) and its creation and last-saved times, which wixl takes from a random
number and the clock.

A package is a compound file: the summary is the stream "\\x05SummaryInformation", a property
set. The new values have the sizes of the old ones, so only their bytes change, wherever the
compound file keeps them.
"""
import struct

SUMMARY_STREAM = "\x05SummaryInformation"
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
VT_LPSTR, VT_FILETIME = 30, 64
END_OF_CHAIN = 0xFFFFFFFE
DIRECTORY_ENTRY_SIZE = 128
# FILETIME counts 100 ns steps from 1601-01-01; Unix time seconds from 1970-01-01.
FILETIME_UNIX_OFFSET = 11644473600
FILETIME_STEPS_PER_SECOND = 10 ** 7


class CompoundFile:
    """The sectors of a compound file, enough to find where a stream's bytes lie."""

    def __init__(self, data):
        self.data = data
        self.sector_size = 1 << struct.unpack_from("<H", data, 0x1E)[0]
        self.mini_sector_size = 1 << struct.unpack_from("<H", data, 0x20)[0]
        (directory_start, self.mini_stream_cutoff, mini_fat_start, _, difat_start,
         difat_count) = struct.unpack_from("<I4xIIIII", data, 0x30)
        self.fat = []
        for sector in self._fat_sectors(difat_start, difat_count):
            self.fat += self._words(self._offset(sector), self.sector_size // 4)
        self.mini_fat = []
        for sector in self._chain(mini_fat_start):
            self.mini_fat += self._words(self._offset(sector), self.sector_size // 4)
        directory = b"".join(self._sector(s) for s in self._chain(directory_start))
        self.entries = [directory[i:i + DIRECTORY_ENTRY_SIZE]
                        for i in range(0, len(directory), DIRECTORY_ENTRY_SIZE)]
        root_start = struct.unpack_from("<I", self.entries[0], 116)[0]
        self.mini_stream_sectors = list(self._chain(root_start))

    def _words(self, offset, count):
        return list(struct.unpack_from("<%dI" % count, self.data, offset))

    def _offset(self, sector):
        return (sector + 1) * self.sector_size

    def _sector(self, sector):
        return self.data[self._offset(sector):self._offset(sector) + self.sector_size]

    def _fat_sectors(self, difat_start, difat_count):
        """The sectors of the allocation table: 109 listed in the header, the rest in a chain."""
        listed = self._words(0x4C, 109)
        sector = difat_start
        for _ in range(difat_count):
            words = self._words(self._offset(sector), self.sector_size // 4)
            listed += words[:-1]
            sector = words[-1]
        return [s for s in listed if s < END_OF_CHAIN - 4]

    def _chain(self, start, table=None):
        table = self.fat if table is None else table
        sector = start
        while sector != END_OF_CHAIN:
            yield sector
            sector = table[sector]

    def stream_offsets(self, name):
        """The offset in the file of each byte of the stream."""
        for entry in self.entries:
            name_size = struct.unpack_from("<H", entry, 64)[0]
            if name_size and entry[:name_size - 2].decode("utf-16-le") == name:
                start, size = struct.unpack_from("<IQ", entry, 116)
                break
        else:
            raise KeyError(name)
        if size >= self.mini_stream_cutoff:
            pieces = [range(self._offset(s), self._offset(s) + self.sector_size)
                      for s in self._chain(start)]
        else:
            pieces = []
            for mini_sector in self._chain(start, self.mini_fat):
                position = mini_sector * self.mini_sector_size
                offset = (self._offset(self.mini_stream_sectors[position // self.sector_size])
                          + position % self.sector_size)
                pieces.append(range(offset, offset + self.mini_sector_size))
        return [offset for piece in pieces for offset in piece][:size]


def property_offsets(stream):
    """{property id: (type, offset of its value)} of the first section of a property set."""
    section = struct.unpack_from("<I", stream, 28 + 16)[0]
    count = struct.unpack_from("<I", stream, section + 4)[0]
    properties = {}
    for index in range(count):
        property_id, offset = struct.unpack_from("<II", stream, section + 8 + 8 * index)
        value_type = struct.unpack_from("<I", stream, section + offset)[0]
        properties[property_id] = (value_type, section + offset + 4)
    return properties


def filetime(unix_time):
    return (unix_time + FILETIME_UNIX_OFFSET) * FILETIME_STEPS_PER_SECOND


def set_summary(path, package_code, unix_time):
    """Gives the package the package code (a GUID text in braces) and the time as both its
    creation and last-saved times."""
    with open(path, "rb") as package:
        data = bytearray(package.read())
    offsets = CompoundFile(data).stream_offsets(SUMMARY_STREAM)
    stream = bytearray(data[offset] for offset in offsets)
    properties = property_offsets(stream)

    value_type, at = properties[PID_REVNUMBER]
    length = struct.unpack_from("<I", stream, at)[0]
    code = package_code.encode("ascii") + b"\0"
    if value_type != VT_LPSTR or length != len(code):
        raise ValueError("%s: unexpected revision number" % path)
    stream[at + 4:at + 4 + length] = code
    for property_id in (PID_CREATE_DTM, PID_LASTSAVE_DTM):
        value_type, at = properties[property_id]
        if value_type != VT_FILETIME:
            raise ValueError("%s: unexpected time of property %d" % (path, property_id))
        struct.pack_into("<Q", stream, at, filetime(unix_time))

    for offset, byte in zip(offsets, stream):
        data[offset] = byte
    with open(path, "wb") as package:
        package.write(data)
