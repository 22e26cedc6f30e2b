"""Reading a PE image without running it: the names it exports, the resource tree as objdump
prints it, the bytes of a resource, and the texts of the version resource."""
import re
import struct
import subprocess

RT_VERSION = 16


def private_headers(objdump, path):
    return subprocess.run([objdump, "-p", path], check=True, capture_output=True,
                          text=True).stdout


def resources(headers):
    """{type: {name: {language: (address, size)}}} from objdump's tree of the resource directory;
    types and names are numbers or texts, the address is relative to the image."""
    tree, type_key, name_key, language = {}, None, None, None
    section = headers.split("The .rsrc Resource Directory section:", 1)[1]
    for line in section.splitlines():
        leaf = re.match(r"^[0-9a-f]+ +Leaf: Addr: (0x[0-9a-f]+), Size: (0x[0-9a-f]+),", line)
        if leaf:
            tree[type_key][name_key][language] = (int(leaf.group(1), 16), int(leaf.group(2), 16))
        entry = re.match(r"^[0-9a-f]+( +)Entry: (?:ID: (0x[0-9a-f]+)|name: .*\]: (\S+)),", line)
        if not entry:
            continue
        depth = len(entry.group(1))
        key = int(entry.group(2), 16) if entry.group(2) else entry.group(3)
        if depth == 3:
            type_key = key
            tree[type_key] = {}
        elif depth == 5:
            name_key = key
            tree[type_key][name_key] = {}
        elif depth == 7:
            language = key
            tree[type_key][name_key][language] = None
    return tree


def _file_offset(image, address):
    """The file offset of an address relative to the image, found through its sections."""
    header = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_header_size = struct.unpack_from("<H12xH", image, header + 6)
    table = header + 24 + optional_header_size
    for index in range(sections):
        virtual_size, virtual_address, _, file_offset = struct.unpack_from(
            "<4I", image, table + 40 * index + 8)
        if virtual_address <= address < virtual_address + virtual_size:
            return file_offset + address - virtual_address
    raise ValueError("no section holds address 0x%x" % address)


def image_bytes(path, address, size):
    """The bytes of the image at an address relative to the image."""
    with open(path, "rb") as file:
        image = file.read()
    start = _file_offset(image, address)
    return image[start:start + size]


def export_names(path):
    """The names in the image's export directory, in its order."""
    with open(path, "rb") as file:
        image = file.read()
    optional = struct.unpack_from("<I", image, 0x3C)[0] + 24
    # The data directories follow the optional header's fixed part: 96 bytes in PE32, 112 in
    # PE32+; the export directory is the first of them.
    fixed_part = {0x10B: 96, 0x20B: 112}[struct.unpack_from("<H", image, optional)[0]]
    directory, size = struct.unpack_from("<II", image, optional + fixed_part)
    if size == 0:
        return []
    count, names = struct.unpack_from("<I4xI", image, _file_offset(image, directory) + 24)
    result = []
    for index in range(count):
        name = _file_offset(image, struct.unpack_from("<I", image,
                                                      _file_offset(image, names) + 4 * index)[0])
        result.append(image[name:image.index(b"\0", name)].decode("ascii"))
    return result


def _blocks(data, start, end):
    """The child blocks of a version resource block between start and end: (key, value bytes,
    is text, offset of its children, end)."""
    offset = start
    while offset < end:
        length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        value_start = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if is_text else value_length
        yield key, data[value_start:value_start + value_size], is_text, value_start, offset + length
        offset = (offset + length + 3) & ~3


def version_strings(objdump, path):
    """{name: text} of the first string table of the version resource."""
    address, size = next(iter(next(iter(resources(private_headers(objdump, path))[RT_VERSION]
                                         .values())).values()))
    data = image_bytes(path, address, size)
    _, _, _, children, end = next(_blocks(data, 0, len(data)))
    # VS_VERSIONINFO's fixed part comes first; its children follow, aligned.
    fixed_size = struct.unpack_from("<H", data, 2)[0]
    children = (children + fixed_size + 3) & ~3
    for key, _, _, tables_start, tables_end in _blocks(data, children, end):
        if key == "StringFileInfo":
            _, _, _, strings_start, strings_end = next(_blocks(data, tables_start, tables_end))
            return {name: value.decode("utf-16-le").rstrip("\0")
                    for name, value, _, _, _ in _blocks(data, strings_start, strings_end)}
    raise ValueError("%s: no StringFileInfo in its version resource" % path)
