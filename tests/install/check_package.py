"""The installer packages as files, read with msitools without Wine, so that the x86 package is
checked on machines that cannot run it: the architecture they install for, their upgrade rule,
the version of the file they install, that beside the other architecture's package they keep
Windows Installer's component rules (no registry value written by components of different codes,
where it lands on 64-bit Windows; a component of both packages alike in both), that they are made
again byte for byte, and that they and the DLL sign and verify.

    check_package.py ARCH PACKAGE VERSION PREVIOUS_PACKAGE DLL WIXL MSIBUILD REGISTRY_DIR
                     REVISION_FILE NOTICES
"""
import collections
import datetime
import filecmp
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

from package_tables import is_64_bit, msiinfo, registry_values, table
from throwaway_signer import SIGN, ThrowawaySigner, run, signature_status, unsigned_environment

(ARCH, PACKAGE, VERSION, PREVIOUS_PACKAGE, DLL, WIXL, MSIBUILD, REGISTRY_DIR, REVISION_FILE,
 NOTICES) = sys.argv[1:11]
PACKAGING = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir,
                         "packaging")
PLATFORM = {"x64": ("x64", "ProgramFiles64Folder", "win64"),
            "x86": ("Intel", "ProgramFilesFolder", "win32")}[ARCH]
OTHER_ARCH = {"x64": "x86", "x86": "x64"}[ARCH]
# The standard folders of each bitness, by whether they are 64-bit.
FOLDER_BITNESS = {"ProgramFiles64Folder": True, "CommonFiles64Folder": True, "System64Folder": True,
                  "ProgramFilesFolder": False, "CommonFilesFolder": False, "SystemFolder": False}
VERSION_SIGNATURE = 0xFEEF04BD  # VS_FIXEDFILEINFO's


def properties(package):
    return {row["Property"]: row["Value"] for row in table(package, "Property")}


def summary(package):
    """The summary information, each line of msiinfo's as name and value."""
    return dict(line.split(": ", 1) for line in msiinfo("suminfo", package).splitlines())


def commit_time():
    with open(REVISION_FILE) as revision:
        epoch = int(revision.read().split()[1])
    return datetime.datetime.fromtimestamp(epoch, datetime.timezone.utc)


def folder_bitness(package):
    """Whether each folder lies in a 64-bit standard folder (None: in neither kind)."""
    parents = {row["Directory"]: row["Directory_Parent"] for row in table(package, "Directory")}

    def bitness(folder):
        while folder and folder not in FOLDER_BITNESS:
            folder = parents[folder]
        return FOLDER_BITNESS.get(folder)
    return {folder: bitness(folder) for folder in parents}


def component_codes(package):
    return {row["ComponentId"] for row in table(package, "Component")}


def component_of_code(package, code):
    """What the component of the code is in the package: its Component row but for its name, the
    registry value it is found installed by, its registry rows and its files."""
    [component] = [row for row in table(package, "Component") if row["ComponentId"] == code]
    registry = [row for row in table(package, "Registry")
                if row["Component_"] == component["Component"]]
    return {"component": [component[column] for column in ("Directory_", "Attributes",
                                                           "Condition")],
            "key path": [(row["Root"], row["Key"], row["Name"]) for row in registry
                         if row["Registry"] == component["KeyPath"]],
            "registry": sorted((row["Root"], row["Key"], row["Name"], row["Value"])
                               for row in registry),
            "files": [row["FileName"] for row in table(package, "File")
                      if row["Component_"] == component["Component"]]}


def dll_version_resource():
    """The file version and the language of the DLL's version resource, found by their marks."""
    with open(DLL, "rb") as dll:
        data = dll.read()
    fixed = data.index(struct.pack("<I", VERSION_SIGNATURE))
    most, least = struct.unpack_from("<II", data, fixed + 8)
    version = "%d.%d.%d.%d" % (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)
    # The value follows its name and a padding to four bytes.
    name = data.index("Translation\0".encode("utf-16-le"))
    value = (name + len("Translation\0") * 2 + 3) & ~3
    return version, str(struct.unpack_from("<H", data, value)[0])


def build_package(arch, package, dll=DLL):
    """Builds an unsigned package of the DLL with the build's own builder; the completed run."""
    return run([sys.executable, os.path.join(PACKAGING, "build_package.py"), WIXL, MSIBUILD,
                os.path.join(PACKAGING, "Corvane.wxs"), arch, VERSION, dll, REGISTRY_DIR,
                REVISION_FILE, package, NOTICES], unsigned_environment())


class PackageFile(unittest.TestCase):
    def test_installs_into_the_program_files_of_its_architecture(self):
        template, program_files, _ = PLATFORM
        self.assertIn("Template: %s;1033" % template, msiinfo("suminfo", PACKAGE))
        components = {row["Component"]: row for row in table(PACKAGE, "Component")}
        self.assertEqual(is_64_bit(components["Server"]), ARCH == "x64")
        folders = {row["Directory"]: (row["Directory_Parent"], row["DefaultDir"])
                   for row in table(PACKAGE, "Directory")}
        maker_folder, name = folders[components["Server"]["Directory_"]]
        self.assertEqual((name, folders[maker_folder]),
                         ("Corvane", (program_files, "Northern Bank")))

    def test_registers_the_type_library_and_interfaces_for_its_platform(self):
        _, _, platform = PLATFORM
        components = {row["Component"]: row for row in table(PACKAGE, "Component")}
        registry = table(PACKAGE, "Registry")
        type_library = [row for row in registry if row["Key"].endswith("\\1.0\\0\\" + platform)]
        self.assertEqual([(row["Value"], row["Component_"]) for row in type_library],
                         [("[#CorvaneDll]", "Server")])
        # 64-bit Windows keeps the interfaces in both registry views; 32-bit in its only one.
        interface_views = {is_64_bit(components[row["Component_"]]) for row in registry
                           if row["Key"].startswith("Software\\Classes\\Interface\\")}
        self.assertEqual(interface_views, {True, False} if ARCH == "x64" else {False})

    def test_every_component_has_the_bitness_of_its_folder(self):
        bitness = folder_bitness(PACKAGE)
        for component in table(PACKAGE, "Component"):
            with self.subTest(component["Component"]):
                self.assertEqual(bitness[component["Directory_"]], is_64_bit(component))

    def test_the_dll_has_the_version_and_language_of_its_version_resource(self):
        version, language = dll_version_resource()
        # The older package holds the same DLL: the file's version is not the product's.
        for package in (PACKAGE, PREVIOUS_PACKAGE):
            with self.subTest(os.path.basename(package)):
                [dll] = [row for row in table(package, "File") if row["FileName"] == "Corvane.dll"]
                self.assertEqual((dll["Version"], dll["Language"]), (version, language))
                # Windows Installer compares versioned files by version, never by a hash.
                self.assertNotIn(dll["File"], [row["File_"] for row in table(package,
                                                                             "MsiFileHash")])

    def test_replaces_an_older_package_of_the_same_upgrade_code(self):
        current, previous = properties(PACKAGE), properties(PREVIOUS_PACKAGE)
        self.assertEqual(current["ProductVersion"], VERSION)
        self.assertEqual(current["UpgradeCode"], previous["UpgradeCode"])
        self.assertNotEqual(current["ProductCode"], previous["ProductCode"])
        # Found older products are removed: up to this version, the version itself excluded.
        removed = [row for row in table(PACKAGE, "Upgrade")
                   if row["ActionProperty"] == "WIX_UPGRADE_DETECTED"]
        self.assertEqual([(row["UpgradeCode"], row["VersionMin"], row["VersionMax"])
                          for row in removed], [(current["UpgradeCode"], "", VERSION)])


class BesideTheOtherArchitecture(unittest.TestCase):
    """This package and the other architecture's, as both go on one 64-bit machine."""
    maxDiff = None

    @classmethod
    def setUpClass(cls):
        folder = tempfile.TemporaryDirectory()
        cls.addClassCleanup(folder.cleanup)
        # The registry entries are the same for both architectures, and this build's DLL stands
        # in for the other's: the other package is made as the other build makes it.
        cls.other = os.path.join(folder.name, "Corvane-%s-%s.msi" % (VERSION, OTHER_ARCH))
        built = build_package(OTHER_ARCH, cls.other)
        if built.returncode != 0:
            raise AssertionError(built.stderr)
        cls.packages = (PACKAGE, cls.other)

    def test_is_a_product_line_of_its_own(self):
        current, other = properties(PACKAGE), properties(self.other)
        self.assertEqual(other["ProductVersion"], VERSION)
        self.assertNotEqual(current["UpgradeCode"], other["UpgradeCode"])
        self.assertNotEqual(current["ProductCode"], other["ProductCode"])

    def test_no_registry_value_is_written_by_components_of_different_codes(self):
        # Windows Installer removes a value with the component that owns it: a value of two
        # component codes goes when either goes, from under the other.
        owners = collections.defaultdict(set)
        for package in self.packages:
            for (key, view, name), _, component in registry_values(package):
                owners["%s [%s] (%s)" % (key, name or "@", view)].add(component["ComponentId"])
        self.assertEqual({place: sorted(codes) for place, codes in owners.items()
                          if len(codes) > 1}, {})
        # The ProgIDs are among the values in the views' one place.
        self.assertIn("hklm\\software\\classes\\corvane.bank [@] (shared)", owners)

    def test_a_component_of_both_is_alike_in_both_and_names_nothing_of_either(self):
        shared = component_codes(PACKAGE) & component_codes(self.other)
        self.assertTrue(shared, "the values both packages write need a component of both")
        for code in shared:
            with self.subTest(code):
                component = component_of_code(PACKAGE, code)
                self.assertEqual(component, component_of_code(self.other, code))
                # Windows Installer counts its products by the key path: it needs one.
                self.assertEqual(len(component["key path"]), 1)
                self.assertEqual(component["files"], [])
                # A standard folder, and no file or folder of either package in a value.
                self.assertIn(component["component"][0], FOLDER_BITNESS)
                for row in component["registry"]:
                    self.assertNotRegex(row[3], r"\[[#!$]|\[(Corvane|NorthernBank)Folder\]")


class Reproduction(unittest.TestCase):
    def test_the_package_has_the_commits_time_and_a_package_code_of_its_own(self):
        current, previous = summary(PACKAGE), summary(PREVIOUS_PACKAGE)
        # msiinfo prints the times as the C library's ctime does.
        self.assertEqual((current["Created"], current["Last saved"]),
                         (commit_time().strftime("%a %b %e %H:%M:%S %Y"),) * 2)
        self.assertNotEqual(current["Revision number (UUID)"],
                            previous["Revision number (UUID)"])

    def test_the_package_made_again_later_elsewhere_is_the_same_bytes(self):
        packages = []
        with tempfile.TemporaryDirectory() as folder:
            for attempt, modified in enumerate((1000000000, 1500000000)):
                place = os.path.join(folder, str(attempt))
                os.makedirs(place)
                dll = shutil.copyfile(DLL, os.path.join(place, "Corvane.dll"))
                os.utime(dll, (modified, modified))
                package = os.path.join(place, os.path.basename(PACKAGE))
                built = build_package(ARCH, package, dll=dll)
                self.assertEqual(built.returncode, 0, built.stderr)
                with open(package, "rb") as made:
                    packages.append(made.read())
        self.assertEqual(len(packages[0]), len(packages[1]))
        self.assertTrue(packages[0] == packages[1], "the two packages differ")


def with_changed_byte(path, changed):
    """A copy of the file with its middle byte changed."""
    shutil.copyfile(path, changed)
    with open(changed, "r+b") as copy:
        middle = os.path.getsize(changed) // 2
        copy.seek(middle)
        byte = copy.read(1)
        copy.seek(middle)
        copy.write(bytes([byte[0] ^ 0xFF]))
    return changed


class Signing(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        folder = tempfile.TemporaryDirectory()
        cls.addClassCleanup(folder.cleanup)
        cls.signer = ThrowawaySigner(folder.name)
        cls.signed = {"DLL": cls.signer.signed_copy(DLL, "Corvane.dll"),
                      "package": cls.signer.signed_copy(PACKAGE, os.path.basename(PACKAGE))}

    def test_the_dll_and_the_package_are_signed_with_sha256_and_verify(self):
        for kind, path in self.signed.items():
            with self.subTest(kind):
                verified, output = self.signer.verify(path)
                self.assertTrue(verified, output)
                self.assertRegex(output, r"Message digest algorithm\s*: SHA256")
                self.assertEqual(signature_status(path), ["signed"])

    def test_a_changed_byte_fails_verification(self):
        for kind, path in self.signed.items():
            with self.subTest(kind):
                changed = with_changed_byte(path, path + ".changed")
                self.assertFalse(self.signer.verify(changed)[0])

    def test_signing_again_gives_the_same_bytes(self):
        again = self.signer.signed_copy(DLL, "again.dll")
        with open(again, "rb") as first, open(self.signed["DLL"], "rb") as second:
            self.assertTrue(first.read() == second.read(), "the signatures differ")

    def test_signing_without_a_timestamp_warns_once_that_it_ends_with_the_certificate(self):
        copies = [shutil.copyfile(DLL, os.path.join(self.signer.folder, name))
                  for name in ("first.dll", "second.dll")]
        signed = run(["bash", SIGN] + copies, self.signer.environment)
        self.assertEqual(signed.returncode, 0, signed.stderr)
        self.assertEqual(signature_status(*copies), ["signed", "signed"])
        [warning] = signed.stderr.splitlines()
        self.assertIn("CORVANE_SIGN_TIMESTAMP_URL", warning)
        self.assertIn("stop verifying when the certificate expires", warning)
        # An unsigned build has nothing to say.
        unsigned = run(["bash", SIGN, "--if-configured", copies[0]], unsigned_environment())
        self.assertEqual((unsigned.returncode, unsigned.stderr), (0, ""))

    def test_half_a_certificate_signs_nothing(self):
        for name in ("CORVANE_SIGN_PFX", "CORVANE_SIGN_PASSWORD_FILE"):
            with self.subTest(name):
                environment = dict(unsigned_environment(), **{name: self.signer.environment[name]})
                copy = shutil.copyfile(DLL, os.path.join(self.signer.folder, "half.dll"))
                for mode in ([], ["--if-configured"]):
                    self.assertNotEqual(run(["bash", SIGN] + mode + [copy], environment)
                                        .returncode, 0)
                self.assertTrue(filecmp.cmp(copy, DLL, shallow=False))


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
