"""What Debian says of the files a build used: the package that installed a file, and that
package's version, source package, maintainer and copyright file (dpkg-query)."""
import functools
import hashlib
import os
import subprocess

FIELDS = ("Package", "Version", "source:Package", "source:Version", "Architecture", "Maintainer")


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


@functools.lru_cache(maxsize=None)
def owner(path):
    """The name of the package that installed the file, or None for a file of no package.
    A file reached through a symbolic link is looked up by both names."""
    for name in dict.fromkeys((os.path.abspath(path), os.path.realpath(path))):
        found = subprocess.run(["dpkg-query", "-S", name], capture_output=True, text=True)
        if found.returncode == 0:
            # "package[:arch][, package...]: path"; diversions aside, one package owns a file.
            return found.stdout.split(": ", 1)[0].split(", ")[0]
    return None


class Package:
    def __init__(self, name):
        text = subprocess.run(
            ["dpkg-query", "-W", "-f", "\x1f".join("${%s}" % field for field in FIELDS), name],
            check=True, capture_output=True, text=True).stdout
        values = dict(zip(FIELDS, text.split("\x1f")))
        self.name = values["Package"]
        self.version = values["Version"]
        self.architecture = values["Architecture"]
        self.source = values["source:Package"]
        self.source_version = values["source:Version"]
        self.maintainer = values["Maintainer"]

    @property
    def upstream_version(self):
        """The version its makers gave it: the package's version without Debian's revision."""
        return self.version.split(":", 1)[-1].rsplit("-", 1)[0]

    @property
    def copyright_file(self):
        return os.path.join("/usr/share/doc", self.name, "copyright")

    def source_purl(self, distribution):
        """The package URL of the Debian source package it was built from."""
        return "pkg:deb/debian/%s@%s?arch=source&distro=%s" % (self.source, self.source_version,
                                                              distribution)

    def purl(self, distribution):
        return "pkg:deb/debian/%s@%s?arch=%s&distro=%s" % (self.name, self.version,
                                                          self.architecture, distribution)


@functools.lru_cache(maxsize=None)
def package(name):
    return Package(name.split(":", 1)[0])


def distribution():
    """This machine's Debian release as package URLs name it (debian-12)."""
    values = {}
    with open("/etc/os-release") as release:
        for line in release:
            key, _, value = line.strip().partition("=")
            values[key] = value.strip('"')
    return "%s-%s" % (values.get("ID", "debian"), values.get("VERSION_ID", ""))
