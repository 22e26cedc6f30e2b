"""Both builds of Corvane.dll registered side by side in a 64-bit Wine prefix of their own: the
removal of either leaves the other serving late-bound callers, with its interfaces' keys in its
own registry view (which callers in other apartments need), and the last removal takes the keys
both registry views share (the ProgIDs, the type library).

    test_side_by_side.py SCRIPTS_DIR PREFIX X86_BUILD X64_BUILD BANK_NAME_SCRIPT

The host's type libraries are registered first, by each build's own tool, as a host's
installation of each bitness would leave them.

Needs the 32-bit Wine loader; where it cannot start, the test says so and is skipped.
"""
import os
import re
import subprocess
import sys
import unittest

SCRIPTS_DIR, PREFIX, X86_BUILD, X64_BUILD, BANK_NAME_SCRIPT = sys.argv[1:6]
SOURCE_DIR = os.path.dirname(os.path.abspath(SCRIPTS_DIR))
sys.path.insert(0, os.path.join(SOURCE_DIR, "cmake"))
from idl_declarations import attribute, braced, idl_blocks  # noqa: E402
WINE_EXEC = os.path.join(SCRIPTS_DIR, "wine-exec.sh")
WINE_PREFIX_SCRIPT = os.path.join(SCRIPTS_DIR, "wine-prefix.sh")
SKIPPED = 77

# Each build as 64-bit Windows runs it: the x86 build through the programs of SysWOW64.
SYSTEM_FOLDERS = {"x86": "C:\\windows\\syswow64", "x64": "C:\\windows\\system32"}
BUILDS = {"x86": X86_BUILD, "x64": X64_BUILD}
HOST_LIBRARIES = ["VelmoraEBanking.tlb", "VelmoraBankPayments.tlb",
                  "VelmoraBankReconciliation.tlb"]
SHARED_KEYS = ["HKCR\\Corvane.Bank", "HKCR\\Corvane.Bank.1",
               "HKCR\\TypeLib\\{4CD78615-7B15-49DE-9B40-207D5EEAEAF4}"]
# Each build's view of the machine's classes, as the 64-bit reg program names it.
VIEW_CLASSES = {"x86": "HKLM\\Software\\Classes\\Wow6432Node",
                "x64": "HKLM\\Software\\Classes"}


def dual_interfaces():
    """The IIDs of the component's dual interfaces, whose keys the type library registers."""
    with open(os.path.join(SOURCE_DIR, "module", "Corvane.idl"), encoding="utf-8") as idl:
        return [braced(attribute(attributes, "uuid"))
                for attributes, _ in idl_blocks(idl.read(), "interface")
                if re.search(r"\bdual\b", attributes)]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine(*arguments):
    """Runs a program in the prefix; its exit code and output."""
    completed = subprocess.run([WINE_EXEC, "x64", PREFIX] + list(arguments),
                               stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
    output = (completed.stdout + completed.stderr).decode("utf-8", "replace")
    return completed.returncode, output.replace("\r\n", "\n")


def system_program(build, name):
    return SYSTEM_FOLDERS[build] + "\\" + name


def dll(build):
    return os.path.join(BUILDS[build], "module", "Corvane.dll")


def register_host_libraries(build):
    code, output = wine(os.path.join(BUILDS[build], "tests", "module",
                                     "register_type_libraries.exe"),
                        *[windows_path(os.path.join(BUILDS[build], "idl", library))
                          for library in HOST_LIBRARIES])
    if code != 0:
        raise RuntimeError("the host's type libraries of the %s build: %s" % (build, output))


class SideBySide(unittest.TestCase):
    def regsvr32(self, build, *options):
        code, output = wine(system_program(build, "regsvr32.exe"), "/s", *options,
                            windows_path(dll(build)))
        self.assertEqual(code, 0, "regsvr32 %s of the %s build: %s" % (options, build, output))

    def bank_name(self, build):
        """What a late-bound caller of the build's bitness reads as the bank's name."""
        return wine(system_program(build, "cscript.exe"), "//nologo",
                    windows_path(BANK_NAME_SCRIPT))

    def assert_serves(self, build):
        code, output = self.bank_name(build)
        self.assertEqual(code, 0, "%s caller: %s" % (build, output))
        self.assertIn("Corvane.Bank.Name: Northern Bank", output)

    def assert_does_not_serve(self, build):
        code, output = self.bank_name(build)
        self.assertEqual(code, 1, "%s caller: %s" % (build, output))

    def shared_keys_present(self):
        return [key for key in SHARED_KEYS if wine("reg", "query", key)[0] == 0]

    def assert_interfaces_registered(self, build):
        """The build's interfaces are registered in its own view, for callers across apartments."""
        missing = [iid for iid in dual_interfaces()
                   if wine("reg", "query", VIEW_CLASSES[build] + "\\Interface\\" + iid)[0] != 0]
        self.assertEqual(missing, [], "interface keys of the %s build" % build)

    def test_each_removal_leaves_the_other_build_working(self):
        for first, last in (("x64", "x86"), ("x86", "x64")):
            with self.subTest(removed_first=first):
                self.regsvr32(first)
                self.regsvr32(last)
                self.assert_serves(first)
                self.assert_serves(last)

                self.regsvr32(first, "/u")
                self.assert_does_not_serve(first)
                self.assert_serves(last)
                self.assert_interfaces_registered(last)
                self.assertEqual(self.shared_keys_present(), SHARED_KEYS)

                self.regsvr32(last, "/u")
                self.assert_does_not_serve(last)
                self.assertEqual(self.shared_keys_present(), [])


def main():
    try:
        probe = subprocess.run(["/usr/lib/wine/wine", "--version"], stdin=subprocess.DEVNULL,
                               capture_output=True)
        failure = "" if probe.returncode == 0 else (probe.stdout + probe.stderr).decode(
            "utf-8", "replace").strip()
    except OSError as error:
        failure = str(error)
    if failure:
        print("skipped: the 32-bit Wine loader cannot start here: %s" % failure)
        return SKIPPED
    if not os.path.isfile(dll("x64")):
        print("the x64 build is missing (build the x64 preset first): %s" % dll("x64"))
        return 1
    subprocess.run([WINE_PREFIX_SCRIPT, "start", "x64", PREFIX], check=True)
    try:
        for build in BUILDS:
            register_host_libraries(build)
        result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    finally:
        subprocess.run([WINE_PREFIX_SCRIPT, "stop", "x64", PREFIX])
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
