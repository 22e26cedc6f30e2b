"""The file version and languages of a Windows program's version resource (VS_VERSIONINFO), read
from the file itself: what Windows Installer needs in the File table to compare it with a copy
already on disk.
"""
import struct

RT_VERSION = 16
RESOURCE_DIRECTORY = 2  # index among the optional header's data directories
FIXED_INFO_SIGNATURE = 0xFEEF04BD
TEXT_VALUE = 1  # a block's value type: text, counted in characters rather than bytes
SUBDIRECTORY = 0x80000000


def aligned(offset):
    return (offset + 3) & ~3


class PortableExecutable:
    """The sections of a PE file, enough to read its resources."""

    def __init__(self, data):
        self.data = data
        header = struct.unpack_from("<I", data, 0x3C)[0]
        if data[header:header + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        section_count, optional_size = struct.unpack_from("<H12xH", data, header + 6)
        optional = header + 24
        directories = optional + (112 if struct.unpack_from("<H", data, optional)[0] == 0x20B
                                  else 96)
        self.resources = struct.unpack_from("<I", data, directories + 8 * RESOURCE_DIRECTORY)[0]
        self.sections = [struct.unpack_from("<8xIIII", data, optional + optional_size + 40 * i)
                         for i in range(section_count)]

    def offset(self, address):
        """The file offset of a relative virtual address."""
        for size, start, raw_size, raw_start in self.sections:
            if start <= address < start + max(size, raw_size):
                return raw_start + address - start
        raise ValueError("address 0x%x lies in no section" % address)

    def first_resource(self, resource_type):
        """The bytes of the first resource of a type (its first name, first language)."""
        root = self.offset(self.resources)

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, root + directory + 12)
            return [struct.unpack_from("<II", self.data, root + directory + 16 + 8 * i)
                    for i in range(named + numbered)]

        [entry] = [target for name, target in entries(0) if name == resource_type]
        while entry & SUBDIRECTORY:
            entry = entries(entry & ~SUBDIRECTORY)[0][1]
        address, size = struct.unpack_from("<II", self.data, root + entry)
        return self.data[self.offset(address):self.offset(address) + size]


def blocks(data, start, end):
    """The version blocks from start to end: (key, value, children's start, end) each."""
    while start < end:
        length, value_length, value_type = struct.unpack_from("<HHH", data, start)
        key_end = start + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        value = aligned(key_end + 2)
        value_end = value + value_length * (2 if value_type == TEXT_VALUE else 1)
        yield (data[start + 6:key_end].decode("utf-16-le"), data[value:value_end],
               aligned(value_end), start + length)
        start = aligned(start + length)


def version_resource(path):
    """The file version ("1.0.0.1") and the languages, as decimal language ids separated by
    commas ("2057"), of the program's version resource."""
    with open(path, "rb") as program:
        resource = PortableExecutable(program.read()).first_resource(RT_VERSION)
    [(key, fixed, children, end)] = blocks(resource, 0, struct.unpack_from("<H", resource)[0])
    signature, _, most, least = struct.unpack_from("<IIII", fixed)
    if key != "VS_VERSION_INFO" or signature != FIXED_INFO_SIGNATURE:
        raise ValueError("%s: no version resource" % path)
    version = "%d.%d.%d.%d" % (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)
    languages = []
    for key, _, variables, variables_end in blocks(resource, children, end):
        if key == "VarFileInfo":
            for name, value, _, _ in blocks(resource, variables, variables_end):
                if name == "Translation":
                    # Pairs of language and code page.
                    languages += struct.unpack_from("<%dH" % (len(value) // 2), value)[::2]
    return version, ",".join(str(language) for language in languages)
