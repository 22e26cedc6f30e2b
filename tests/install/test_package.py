"""The installer package in the build's Wine prefix: it registers the server exactly as the DLL
registers itself, serves late-bound callers and the host from Program Files, replaces an older
package, and leaves nothing behind when removed; signed, the DLL and the package do the same. The
x64 package installs, upgrades and goes beside the x86 one: removing either leaves the other's
registration whole, and where 32-bit programs run, the x86 one keeps serving 32-bit callers.

In a 64-bit prefix the keys that 64-bit Windows keeps as one for both registry views (the ProgIDs
among them) are made one key for the test, as they are on Windows: Wine keeps them per view.

Called as host_runner's scripts are, followed by: PACKAGE VERSION PREVIOUS_PACKAGE PREVIOUS_VERSION
BUILD_DLL NOTICES, and for x64 by SHARE_CLASSES_KEYS REGISTER_TYPE_LIBRARIES X86_PACKAGE
X86_HOST_TYPE_LIBRARY... The build's DLL is unregistered meanwhile and registered again at the end.
"""
import collections
import filecmp
import os
import subprocess
import sys
import unittest

from host_runner import ARCH, WINE_EXEC, WINE_PREFIX, fresh_folder, main, run_host, windows_path
from package_tables import registry_values
from registry_export import added, read_export, with_folder_named
from throwaway_signer import ThrowawaySigner

PACKAGE, VERSION, PREVIOUS_PACKAGE, PREVIOUS_VERSION, BUILD_DLL, NOTICES = sys.argv[7:13]
# The x64 build's test is also given the program that makes keys one for both registry views, and
# the x86 build's package and host type libraries.
SHARE_CLASSES_KEYS, REGISTER_TYPE_LIBRARIES, X86_PACKAGE = (
    sys.argv[13:16] if len(sys.argv) > 15 else (None, None, None))
X86_HOST_TYPE_LIBRARIES = sys.argv[16:]
CLASSES = "HKLM\\Software\\Classes"
UNINSTALL = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
INSTALL_FOLDER = "C:\\Program Files\\Northern Bank\\Corvane"
# The type library's help folder is written by the component both packages share: the 32-bit
# build's folder, whichever build is installed (the library has no help file).
HELP_FOLDER = ("C:\\Program Files (x86)\\Northern Bank\\Corvane" if ARCH == "x64"
               else INSTALL_FOLDER)
MAKER_FOLDER = os.path.join(WINE_PREFIX, "drive_c", "Program Files", "Northern Bank")
INSTALLED_DLL = os.path.join(MAKER_FOLDER, "Corvane", "Corvane.dll")
INSTALLED_NOTICES = os.path.join(MAKER_FOLDER, "Corvane", "THIRD-PARTY-NOTICES.txt")
# Windows Installer's own record of the installed products, kept among the classes.
INSTALLER_RECORDS = "hkey_local_machine\\software\\classes\\installer"
X86_INSTALLED_DLL = os.path.join(WINE_PREFIX, "drive_c", "Program Files (x86)", "Northern Bank",
                                 "Corvane", "Corvane.dll")
HERE = os.path.dirname(os.path.abspath(__file__))
BANK_NAME_SCRIPT = os.path.join(HERE, "bank_name.vbs")
ARCHITECTURES_SCRIPT = os.path.join(HERE, os.pardir, os.pardir, "scripts", "architectures.sh")
CSCRIPT_32 = "C:\\windows\\syswow64\\cscript.exe"


def wine(*arguments, check=True):
    """Runs a program in the prefix; its output, after checking it succeeded unless told not to.
    Exit codes come through Wine cut to 8 bits (msiexec's 1603 arrives as 67)."""
    completed = subprocess.run([WINE_EXEC, ARCH, WINE_PREFIX] + list(arguments),
                               stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
    output = (completed.stdout + completed.stderr).decode("utf-8", "replace").replace("\r\n", "\n")
    if check and completed.returncode != 0:
        raise AssertionError("%s: exit code %d\n%s" % (" ".join(arguments), completed.returncode,
                                                        output))
    return output


def snapshot(key, name):
    export = os.path.join(Package.work, name + ".reg")
    wine("reg", "export", key, windows_path(export), "/y")
    return read_export(export)


def without_installer_records(changes):
    return {key: values for key, values in changes.items()
            if key != INSTALLER_RECORDS and not key.startswith(INSTALLER_RECORDS + "\\")}


def shared_names(package):
    """The names under HKLM\\Software\\Classes of the keys the package writes to the one place
    that both registry views have."""
    return sorted({row["Key"].split("\\")[2] for (_, view, _), row, _ in registry_values(package)
                   if view == "shared"})


def expected_registration(package):
    """Each key the package writes, as the 64-bit view's export names it, with the values: the
    data, or None where the installer puts in a path ([#file], [folder])."""
    expected = collections.defaultdict(dict)
    for (key, view, _), row, _ in registry_values(package):
        if view == "32-bit":
            key = key.replace("\\classes\\", "\\classes\\wow6432node\\", 1)
        values = expected[key.replace("hklm\\", "hkey_local_machine\\", 1)]
        if row["Name"] not in ("*", "+", "-"):
            values[row["Name"] or "@"] = None if "[" in row["Value"] else row["Value"]
    return expected


def registration_of(dll, unregistered):
    """What regsvr32 adds to the snapshot taken before, the DLL's folder named <folder>; the DLL
    is unregistered again."""
    wine("regsvr32", "/s", dll)
    registered = snapshot(CLASSES, "registered")
    wine("regsvr32", "/u", "/s", dll)
    return with_folder_named(added(unregistered, registered), windows_path(os.path.dirname(dll)),
                             "<folder>")


def runs_32_bit_programs():
    """Whether this machine runs 32-bit programs, probed as the test commands probe it."""
    probe = subprocess.run(["bash", "-c", '. "$0" && echo "${runnable_architectures[@]}"',
                            ARCHITECTURES_SCRIPT], capture_output=True, text=True, check=True)
    return "x86" in probe.stdout.split()


def installed_versions():
    """The version of each installed product named Corvane."""
    return [values.get("DisplayVersion") for values in snapshot(UNINSTALL, "products").values()
            if values.get("DisplayName") == "Corvane"]


class Package(unittest.TestCase):
    maxDiff = None

    @classmethod
    def setUpClass(cls):
        cls.work = fresh_folder("install")
        # The other tests find the build's DLL registered, as its fixture left it.
        cls.addClassCleanup(wine, "regsvr32", "/s", BUILD_DLL)
        wine("regsvr32", "/u", "/s", BUILD_DLL)
        if SHARE_CLASSES_KEYS:
            linked = wine(SHARE_CLASSES_KEYS, "share", *shared_names(PACKAGE)).split()
            cls.addClassCleanup(wine, SHARE_CLASSES_KEYS, "unshare", *linked)
        cls.unregistered = snapshot(CLASSES, "unregistered")
        cls.registration = registration_of(BUILD_DLL, cls.unregistered)

    def install(self, package):
        self.addCleanup(wine, "msiexec", "/x", windows_path(package), "/qn", check=False)
        wine("msiexec", "/i", windows_path(package), "/qn")

    def assert_installed_as_registered(self, unregistered=None):
        """Checks the installed registration and file against the snapshot taken before (the
        one before every case unless given); returns the keys the package added."""
        installed = without_installer_records(added(unregistered or self.unregistered,
                                                    snapshot(CLASSES, "installed")))
        self.assertEqual(with_folder_named(with_folder_named(installed, INSTALL_FOLDER, "<folder>"),
                                           HELP_FOLDER, "<folder>"),
                         self.registration)
        self.assertTrue(filecmp.cmp(INSTALLED_DLL, BUILD_DLL, shallow=False))
        self.assertTrue(filecmp.cmp(INSTALLED_NOTICES, NOTICES, shallow=False))
        return installed.keys()

    def assert_registered(self, *packages):
        """Every value the packages write is there."""
        registry = snapshot(CLASSES, "registered")
        for package in packages:
            for key, values in expected_registration(package).items():
                with self.subTest(package=os.path.basename(package), key=key):
                    self.assertIn(key, registry)
                    for name, data in values.items():
                        self.assertIn(name, registry[key])
                        if data is not None:
                            self.assertEqual(registry[key][name], data)

    def assert_late_bound_caller_served(self, cscript):
        script = wine(cscript, "//nologo", windows_path(BANK_NAME_SCRIPT))
        self.assertEqual(script.strip(), "Corvane.Bank.Name: Northern Bank")

    def remove(self, package, installed_keys):
        wine("msiexec", "/x", windows_path(package), "/qn")
        # Callers may have registered things of their own meanwhile (cscript its type library).
        left = snapshot(CLASSES, "removed")
        self.assertEqual([key for key in installed_keys if key in left], [])
        self.assertEqual(installed_versions(), [])
        self.assertFalse(os.path.exists(MAKER_FOLDER))

    def test_registers_as_the_dll_does_serves_callers_and_is_removed_entirely(self):
        self.assertIn("hkey_local_machine\\software\\classes\\corvane.bank", self.registration)
        self.install(PACKAGE)
        installed_keys = self.assert_installed_as_registered()

        self.assert_late_bound_caller_served("cscript")
        listing = run_host("list")
        self.assertEqual(listing.exit_code, 0, str(listing))
        self.assertEqual(listing.stdout.split("\n")[:3], [
            "bank: Northern Bank", "fixed number: 1", "services: 2 (2 enumerated)"])

        self.remove(PACKAGE, installed_keys)

    def test_a_newer_package_replaces_an_older_one(self):
        self.install(PREVIOUS_PACKAGE)
        self.assertEqual(installed_versions(), [PREVIOUS_VERSION])
        self.install(PACKAGE)
        self.assertEqual(installed_versions(), [VERSION])
        self.remove(PACKAGE, self.assert_installed_as_registered())

    @unittest.skipUnless(X86_PACKAGE, "the x64 build's test")
    def test_removing_either_package_leaves_the_others_registration_whole(self):
        # The 64-bit installer installs the x86 package too: no 32-bit program runs in this case.
        self.assertTrue(os.path.exists(X86_PACKAGE), "build the x86 preset first: " + X86_PACKAGE)
        self.install(X86_PACKAGE)
        self.install(PACKAGE)
        self.assert_registered(X86_PACKAGE, PACKAGE)
        for removed, kept in ((PACKAGE, X86_PACKAGE), (X86_PACKAGE, PACKAGE)):
            with self.subTest(removed=os.path.basename(removed)):
                wine("msiexec", "/x", windows_path(removed), "/qn")
                self.assert_registered(kept)
                self.install(removed)
        # The last one takes what they share.
        for package in (PACKAGE, X86_PACKAGE):
            wine("msiexec", "/x", windows_path(package), "/qn")
        left = snapshot(CLASSES, "removed")
        self.assertEqual([key for package in (PACKAGE, X86_PACKAGE)
                          for key in expected_registration(package) if key in left], [])
        self.assertEqual(installed_versions(), [])

    @unittest.skipUnless(X86_PACKAGE and runs_32_bit_programs(),
                         "the x64 build's test, where 32-bit programs run")
    def test_the_x64_package_comes_and_goes_beside_the_x86_one(self):
        self.assertTrue(os.path.exists(X86_PACKAGE), "build the x86 preset first: " + X86_PACKAGE)
        wine(REGISTER_TYPE_LIBRARIES, *X86_HOST_TYPE_LIBRARIES)
        self.install(X86_PACKAGE)
        self.install(PACKAGE)
        wine("msiexec", "/x", windows_path(PACKAGE), "/qn")
        self.assertFalse(os.path.exists(INSTALLED_DLL))
        self.assertTrue(os.path.exists(X86_INSTALLED_DLL))
        self.assert_registered(X86_PACKAGE)
        self.assert_late_bound_caller_served(CSCRIPT_32)

        # An upgrade of the x64 package replaces the older x64 package only.
        self.install(PREVIOUS_PACKAGE)
        self.install(PACKAGE)
        self.assertNotIn(PREVIOUS_VERSION, installed_versions())
        self.assertTrue(filecmp.cmp(INSTALLED_DLL, BUILD_DLL, shallow=False))
        self.assertTrue(os.path.exists(X86_INSTALLED_DLL))
        self.assert_registered(X86_PACKAGE, PACKAGE)
        self.assert_late_bound_caller_served(CSCRIPT_32)

        # Removing the x86 package leaves the x64 one serving 64-bit callers.
        wine("msiexec", "/x", windows_path(X86_PACKAGE), "/qn")
        self.assertFalse(os.path.exists(X86_INSTALLED_DLL))
        self.assert_registered(PACKAGE)
        self.assert_late_bound_caller_served("cscript")

    def test_signed_dll_registers_and_signed_package_installs(self):
        signer = ThrowawaySigner(fresh_folder("signing"))
        # The host run by other cases registers its own type libraries meanwhile.
        unregistered = snapshot(CLASSES, "unregistered")
        self.assertEqual(registration_of(signer.signed_copy(BUILD_DLL, "Corvane.dll"),
                                         unregistered), self.registration)
        package = signer.signed_copy(PACKAGE, os.path.basename(PACKAGE))
        self.install(package)
        self.remove(package, self.assert_installed_as_registered(unregistered))


if __name__ == "__main__":
    main()
