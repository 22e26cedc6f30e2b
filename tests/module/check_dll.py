"""Checks Corvane.dll as a file, without running it, so that a build this machine cannot run is
still checked: machine type, DLL flag, exports, resources, no MinGW runtime DLL imported, the
hardening a bank's review looks for, symbols kept beside the stripped DLL rather than in it, and
nothing in it that differs from one build of the same commit to another.

Called as: check_dll.py OBJDUMP DLL ARCH (x86 or x64) SCRIPTS (the folder of the registry scripts
the DLL must hold, byte for byte) SOURCE_DIR BUILD_DIR FORTIFICATION_PROBE (an object compiled with
the component's flags from a copy into a fixed-size buffer)
"""
import os
import re
import struct
import subprocess
import sys
import unittest

from pe_image import export_names, image_bytes, resources

OBJDUMP, DLL, ARCH, SCRIPTS, SOURCE_DIR, BUILD_DIR, FORTIFICATION_PROBE = sys.argv[1:8]

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
MINGW_RUNTIME = re.compile(r"^(libgcc_s|libstdc\+\+|libwinpthread|libssp)", re.IGNORECASE)
SYMBOLS = DLL + ".debug"

# IMAGE_DLLCHARACTERISTICS_*: what the DLL must declare on each architecture.
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, NO_SEH = 0x20, 0x40, 0x100, 0x400
REQUIRED_DLL_CHARACTERISTICS = {"x86": DYNAMIC_BASE | NX_COMPAT | NO_SEH,
                                "x64": HIGH_ENTROPY_VA | DYNAMIC_BASE | NX_COMPAT}[ARCH]
SECTION_EXECUTE, SECTION_WRITE = 0x20000000, 0x80000000


def dump(*options):
    return subprocess.run([OBJDUMP, *options, DLL], check=True, capture_output=True,
                          text=True).stdout


def pe_headers(path):
    """(symbol count, DllCharacteristics, {section name: characteristics}) read from the PE
    headers themselves."""
    with open(path, "rb") as file:
        image = file.read()
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    assert image[pe:pe + 4] == b"PE\0\0", "no PE signature"
    sections, symbol_table, symbol_count, optional_size = struct.unpack_from("<2xH4xIIH", image,
                                                                              pe + 4)
    # Names longer than eight bytes stand in the string table behind the symbols, as "/offset".
    strings = symbol_table + 18 * symbol_count
    optional = pe + 24
    dll_characteristics = struct.unpack_from("<H", image, optional + 70)[0]
    table = optional + optional_size
    characteristics = {}
    for index in range(sections):
        entry = table + 40 * index
        name = image[entry:entry + 8].rstrip(b"\0").decode("ascii")
        if name.startswith("/"):
            start = strings + int(name[1:])
            name = image[start:image.index(b"\0", start)].decode("ascii")
        characteristics[name] = struct.unpack_from("<I", image, entry + 36)[0]
    return symbol_count, dll_characteristics, characteristics


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
        self.assertEqual(sorted(export_names(DLL)), EXPORTS)

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
                self.assertEqual(image_bytes(DLL, *registry[name][ENGLISH_UK]), text.read())

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


class HardeningTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.symbol_count, cls.dll_characteristics, cls.sections = pe_headers(DLL)

    def test_declares_aslr_dep_and_the_architectures_own_flags(self):
        missing = REQUIRED_DLL_CHARACTERISTICS & ~self.dll_characteristics
        self.assertEqual(missing, 0, f"DllCharacteristics 0x{self.dll_characteristics:04x} "
                                     f"lacks 0x{missing:04x}")

    def test_no_section_is_both_writable_and_executable(self):
        both = SECTION_EXECUTE | SECTION_WRITE
        self.assertEqual([name for name, flags in self.sections.items() if flags & both == both],
                         [])
        self.assertTrue(self.sections[".text"] & SECTION_EXECUTE)

    def test_stack_protector_is_linked_in(self):
        symbols = subprocess.run([OBJDUMP, "-t", SYMBOLS], check=True, capture_output=True,
                                 text=True).stdout
        for name in ("__stack_chk_guard", "__stack_chk_fail"):
            self.assertRegex(symbols, rf"(?m)\s_?{name}$", name)
        # The runtime support is in the DLL itself, not in a DLL beside it.
        with open(DLL, "rb") as file:
            self.assertIn(b"*** stack smashing detected ***", file.read())

    def test_the_components_flags_fortify_copies(self):
        # Which of the component's own copies keep a check depends on what the compiler proves of
        # them; the flags every one of its sources is compiled with are what the build ensures.
        symbols = subprocess.run([OBJDUMP, "-t", FORTIFICATION_PROBE], check=True,
                                 capture_output=True, text=True).stdout
        # An undefined symbol stands in section 0 of the object.
        self.assertRegex(symbols, r"(?m)\(sec +0\).*\s_?__memcpy_chk$")

    def test_stripped_with_its_symbols_linked_beside_it(self):
        self.assertEqual(self.symbol_count, 0)
        self.assertEqual([name for name in self.sections if name.startswith(".debug")], [])
        with open(DLL, "rb") as file:
            image = file.read()
        self.assertIn(".gnu_debuglink", self.sections)
        self.assertIn(os.path.basename(SYMBOLS).encode() + b"\0", image)
        symbol_count, _, symbol_sections = pe_headers(SYMBOLS)
        self.assertGreater(symbol_count, 0)
        self.assertIn(".debug_info", symbol_sections)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
