"""Builds the Windows Installer package of a build's Corvane.dll with wixl, giving the same bytes
from the same commit whenever and wherever it is built, and signs it when the environment names a
certificate (scripts/sign.sh).

    build_package.py WIXL MSIBUILD SOURCE ARCH VERSION DLL INCLUDE_DIR REVISION_FILE OUTPUT NOTICES

NOTICES is the third-party notices file installed beside the DLL.

What wixl would take from the clock or a random number is named instead: the product code after
the version and the architecture (a newer version is a new product, which the upgrade of an older
one relies on), the package code after those and the commit, and the summary times and the
packaged file's time are the commit's (REVISION_FILE holds "COMMIT EPOCH"). What wixl leaves
empty is filled in with msibuild: the DLL's version and languages, from its version resource, so
that Windows Installer compares it with a copy already on disk by version.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import uuid

from package_summary import set_summary
from version_resource import version_resource

SIGN = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "scripts", "sign.sh")
# The namespace of the packages' name-based codes.
CODE_NAMESPACE = uuid.UUID("D0B6BFFA-B1B5-447B-9196-DE4AB116C98E")
# The server's File Id in Corvane.wxs.
SERVER_FILE = "CorvaneDll"


def name_based_code(*names):
    return str(uuid.uuid5(CODE_NAMESPACE, " ".join(names))).upper()


def set_file_version(msibuild, package, file_id, program):
    """Gives the packaged file the version and languages of its version resource; a versioned
    file has no hash (Windows Installer keeps hashes for unversioned files only)."""
    version, languages = version_resource(program)
    subprocess.run([msibuild, package, "-q",
                    "UPDATE `File` SET `Version` = '%s', `Language` = '%s' WHERE `File` = '%s'" % (
                        version, languages, file_id),
                    "-q", "DELETE FROM `MsiFileHash` WHERE `File_` = '%s'" % file_id], check=True)


def main():
    (wixl, msibuild, source, arch, version, dll, include_dir, revision_file, output,
     notices) = sys.argv[1:11]
    with open(revision_file) as revision:
        commit, epoch = revision.read().split()
    epoch = int(epoch)
    with tempfile.TemporaryDirectory(dir=os.path.dirname(os.path.abspath(output))) as stage:
        # wixl finds a file's source only relative to the folder it runs in, and its cabinet keeps
        # the file's modification time in local time.
        for packaged in (dll, notices):
            staged = os.path.join(stage, os.path.basename(packaged))
            shutil.copyfile(packaged, staged)
            os.utime(staged, (epoch, epoch))
        subprocess.run([wixl, "-a", arch, "-D", "Arch=" + arch, "-D", "Version=" + version,
                        "-D", "ProductCode=" + name_based_code("Corvane", arch, version),
                        "-D", "ServerDll=" + os.path.basename(dll),
                        "-D", "Notices=" + os.path.basename(notices),
                        "-I", os.path.abspath(include_dir), "-o", os.path.abspath(output),
                        os.path.abspath(source)],
                       cwd=stage, env=dict(os.environ, TZ="UTC"), check=True)
    set_file_version(msibuild, output, SERVER_FILE, dll)
    set_summary(output, "{%s}" % name_based_code("Corvane", arch, version, commit), epoch)
    subprocess.run(["bash", SIGN, "--if-configured", output], check=True)


if __name__ == "__main__":
    main()
