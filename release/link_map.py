"""What the linker put into a binary, read from its GNU ld map (-Wl,-Map): every object file it
loaded, every archive member it took, and which input's reference made it take each member.

Paths are as the linker saw them: absolute for the toolchain's files (made canonical here),
relative to the build folder for the build's own libraries and objects.
"""
import os
import re

MEMBERS_HEADING = "Archive member included to satisfy reference by file (symbol)"
# archive(member), then the input that referred to it and the symbol, on the same line or the
# next one.
MEMBER = re.compile(r"^(\S.*?)\((\S+)\)(?:\s+(\S+) \((.+)\))?$")
REFERENCE = re.compile(r"^\s+(\S+) \((.+)\)$")
LOAD = re.compile(r"^LOAD (\S+)$")


def canonical(path):
    """An absolute path without its ../ steps; a relative one as it stands."""
    return os.path.normpath(path) if os.path.isabs(path) else path


def input_file(name):
    """The file of an input as the map names it: an archive member's archive, or the object."""
    match = re.match(r"^(.*)\((\S+)\)$", name)
    return canonical(match.group(1) if match else name)


class LinkMap:
    """members: [(archive, member, referring input file)] in the order the linker took them;
    objects: the object files it loaded whole (not archives)."""

    def __init__(self, text):
        self.members, self.objects = [], []
        lines = text.splitlines()
        if MEMBERS_HEADING in lines:
            self._read_members(lines[lines.index(MEMBERS_HEADING) + 1:])
        for line in lines:
            load = LOAD.match(line)
            if load and not load.group(1).endswith(".a"):
                self.objects.append(canonical(load.group(1)))

    def _read_members(self, lines):
        pending = None
        for line in lines:
            if not line.strip():
                if pending is None and self.members:
                    return
                continue
            reference = REFERENCE.match(line)
            if pending is not None and reference:
                self.members.append((*pending, input_file(reference.group(1))))
                pending = None
                continue
            member = MEMBER.match(line)
            if not member:
                return
            archive, name = canonical(member.group(1)), member.group(2)
            if member.group(3):
                self.members.append((archive, name, input_file(member.group(3))))
            else:
                pending = (archive, name)

    def inputs(self):
        """Every file the linker took code or data from: the loaded objects, then each archive
        it took a member from, each once."""
        seen = dict.fromkeys(self.objects)
        seen.update(dict.fromkeys(archive for archive, _, _ in self.members))
        return list(seen)


def read(path):
    with open(path, encoding="utf-8", errors="replace") as text:
        return LinkMap(text.read())
