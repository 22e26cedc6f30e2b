"""Checks Corvane.dll as a file, without running it, so that a build this machine cannot run is
still checked: machine type, DLL flag, exports, resources, no MinGW runtime DLL imported, and
nothing in it that differs from one build of the same commit to another.

Called as: check_dll.py OBJDUMP DLL ARCH (x86 or x64) SOURCE_DIR BUILD_DIR
"""
import re
import struct
import subprocess
import sys
import unittest

OBJDUMP, DLL, ARCH, SOURCE_DIR, BUILD_DIR = sys.argv[1:6]

FILE_FORMAT = {"x86": "pei-i386", "x64": "pei-x86-64"}[ARCH]
EXPORTS = ["DllCanUnloadNow", "DllGetClassObject", "DllInstall", "DllRegisterServer",
           "DllUnregisterServer"]
RT_STRING, RT_DIALOG, RT_GROUP_ICON, RT_VERSION = 6, 5, 14, 16
ENGLISH_UK = 0x809
# Status messages 300 and 320-340 live in string blocks 19, 21 and 22 (16 strings a block,
# counted from 1).
STATUS_STRING_BLOCKS = {19, 21, 22}
MINGW_RUNTIME = re.compile(r"^(libgcc_s|libstdc\+\+|libwinpthread)", re.IGNORECASE)


def dump(*options):
    return subprocess.run([OBJDUMP, *options, DLL], check=True, capture_output=True,
                          text=True).stdout


def pe_checksum(image, checksum_offset):
    """The image's checksum as the PE format defines it: the 16-bit one's-complement sum of the
    file (its checksum field taken as zero) plus the file's length."""
    words = image[:checksum_offset] + bytes(4) + image[checksum_offset + 4:]
    if len(words) % 2:
        words += bytes(1)
    total = 0
    for (word,) in struct.iter_unpack("<H", words):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)


def resources(private_headers):
    """{type: {name: [languages]}} from objdump's tree of the resource directory; types and names
    are numbers or texts."""
    tree, type_key, name_key = {}, None, None
    section = private_headers.split("The .rsrc Resource Directory section:", 1)[1]
    for line in section.splitlines():
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
            tree[type_key][name_key] = []
        elif depth == 7:
            tree[type_key][name_key].append(key)
    return tree


class DllFileTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.file_headers = dump("-f")
        cls.private_headers = dump("-p")

    def test_machine_type_and_dll_flag(self):
        self.assertIn("file format " + FILE_FORMAT, self.file_headers)
        characteristics = re.search(r"^Characteristics 0x([0-9a-f]+)", self.private_headers, re.M)
        self.assertTrue(int(characteristics.group(1), 16) & 0x2000, "IMAGE_FILE_DLL is not set")

    def test_exports_the_entry_points_undecorated(self):
        table = self.private_headers.split("[Ordinal/Name Pointer] Table", 1)[1]
        names = re.findall(r"^\s+\[\s*\d+\] (\S+)$", table.split("\n\n", 1)[0], re.M)
        self.assertEqual(sorted(names), EXPORTS)

    def test_imports_no_mingw_runtime(self):
        imported = re.findall(r"DLL Name: (\S+)", self.private_headers)
        self.assertIn("ole32.dll", [name.lower() for name in imported])
        self.assertEqual([name for name in imported if MINGW_RUNTIME.match(name)], [])

    def test_resources(self):
        tree = resources(self.private_headers)
        self.assertEqual(tree.get("REGISTRY"), {101: [ENGLISH_UK], 102: [ENGLISH_UK],
                                                103: [ENGLISH_UK], 104: [ENGLISH_UK]})
        self.assertEqual(list(tree.get("TYPELIB", {})), [1])
        self.assertEqual(list(tree.get(RT_VERSION, {})), [1])
        self.assertIn(1001, tree.get(RT_DIALOG, {}))
        self.assertIn(200, tree.get(RT_GROUP_ICON, {}))
        self.assertEqual(set(tree.get(RT_STRING, {})), STATUS_STRING_BLOCKS)

    def test_no_build_time_and_a_checksum_of_its_bytes(self):
        with open(DLL, "rb") as dll:
            image = dll.read()
        header = struct.unpack_from("<I", image, 0x3C)[0]
        self.assertEqual(struct.unpack_from("<I", image, header + 8)[0], 0, "the link time")
        self.assertEqual(re.findall(rb"Created by WIDL version \S+ at ([^\n]*)", image),
                         [b"Thu Jan  1 00:00:00 1970"], "the type library's creation time")
        # The checksum field follows the signature (4), file header (20) and 64 bytes of the
        # optional header.
        checksum_offset = header + 4 + 20 + 64
        self.assertEqual(struct.unpack_from("<I", image, checksum_offset)[0],
                         pe_checksum(image, checksum_offset))

    def test_names_no_folder_of_the_build_machine(self):
        with open(DLL, "rb") as dll:
            image = dll.read()
        for folder in (SOURCE_DIR, BUILD_DIR):
            for encoding in ("utf-8", "utf-16-le"):
                self.assertNotIn(folder.encode(encoding), image)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
