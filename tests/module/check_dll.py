"""Checks Corvane.dll as a file, without running it, so that a build this machine cannot run is
still checked: machine type, DLL flag, exports, resources and no MinGW runtime DLL imported.

Called as: check_dll.py OBJDUMP DLL ARCH (x86 or x64) SCRIPTS (the folder of the registry scripts
the DLL must hold, byte for byte)
"""
import os
import re
import struct
import subprocess
import sys
import unittest

OBJDUMP, DLL, ARCH, SCRIPTS = sys.argv[1:5]

FILE_FORMAT = {"x86": "pei-i386", "x64": "pei-x86-64"}[ARCH]
EXPORTS = ["DllCanUnloadNow", "DllGetClassObject", "DllInstall", "DllRegisterServer",
           "DllUnregisterServer"]
RT_STRING, RT_DIALOG, RT_GROUP_ICON, RT_VERSION = 6, 5, 14, 16
ENGLISH_UK = 0x809
# Status messages 300 and 320-340 live in string blocks 19, 21 and 22 (16 strings a block,
# counted from 1).
STATUS_STRING_BLOCKS = {19, 21, 22}
REGISTRY_SCRIPTS = {101: "Bank.rgs", 102: "BankServices.rgs", 103: "BankPaymentService.rgs",
                    104: "BankStatementService.rgs"}
MINGW_RUNTIME = re.compile(r"^(libgcc_s|libstdc\+\+|libwinpthread)", re.IGNORECASE)


def dump(*options):
    return subprocess.run([OBJDUMP, *options, DLL], check=True, capture_output=True,
                          text=True).stdout


def resources(private_headers):
    """{type: {name: {language: (address, size)}}} from objdump's tree of the resource directory;
    types and names are numbers or texts, the address is relative to the image."""
    tree, type_key, name_key, language = {}, None, None, None
    section = private_headers.split("The .rsrc Resource Directory section:", 1)[1]
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


def image_bytes(address, size):
    """The bytes of the DLL at an address relative to the image, found through its sections."""
    with open(DLL, "rb") as dll:
        image = dll.read()
    header = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_header_size = struct.unpack_from("<H12xH", image, header + 6)
    table = header + 24 + optional_header_size
    for index in range(sections):
        virtual_size, virtual_address, _, file_offset = struct.unpack_from(
            "<4I", image, table + 40 * index + 8)
        if virtual_address <= address < virtual_address + virtual_size:
            start = file_offset + address - virtual_address
            return image[start:start + size]
    raise ValueError("no section holds address 0x%x" % address)


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
        self.assertEqual({name: list(languages) for name, languages in tree["REGISTRY"].items()},
                         {name: [ENGLISH_UK] for name in REGISTRY_SCRIPTS})
        self.assertEqual(list(tree.get("TYPELIB", {})), [1])
        self.assertEqual(list(tree.get(RT_VERSION, {})), [1])
        self.assertIn(1001, tree.get(RT_DIALOG, {}))
        self.assertIn(200, tree.get(RT_GROUP_ICON, {}))
        self.assertEqual(set(tree.get(RT_STRING, {})), STATUS_STRING_BLOCKS)

    def test_registry_scripts_byte_for_byte(self):
        registry = resources(self.private_headers)["REGISTRY"]
        for name, script in REGISTRY_SCRIPTS.items():
            with self.subTest(resource=name), open(os.path.join(SCRIPTS, script), "rb") as text:
                self.assertEqual(image_bytes(*registry[name][ENGLISH_UK]), text.read())


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
