"""The third-party components a binary is made of, found from its link map: each file the linker
took code from is claimed by one component of the catalogue (components.json) by its name and
the Debian source package that installed it, or is one of the build's own. A file that no
component claims is an error: a library added to the link needs its entry first.
"""
import json
import os

import copyright_file
import debian_packages
import link_map

CATALOGUE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "components.json")


class UnclaimedInput(Exception):
    pass


def read_catalogue(path=CATALOGUE):
    with open(path, encoding="utf-8") as catalogue:
        return json.load(catalogue)


class LinkedFile:
    """One toolchain file the linker took code from, with the package that installed it."""

    def __init__(self, path):
        self.path = path
        self.package = debian_packages.package(debian_packages.owner(path))


class Component:
    def __init__(self, entry, files, spdx_licences):
        self.entry = entry
        self.files = files
        self.package = files[0].package
        self.depends_on = []
        with open(self.package.copyright_file, encoding="utf-8") as text:
            copyright_text = text.read()
        if "copyright_stanzas" in entry:
            self.notices = copyright_file.stanza_notices(copyright_text, entry["copyright_stanzas"])
            names = dict.fromkeys(notice.licence for notice in self.notices)
            self.licence = " AND ".join(
                dict.fromkeys(spdx_licences.get(name, "LicenseRef-" + name) for name in names))
        else:
            self.notices = [copyright_file.Notice([], [], entry["licence"],
                                                  copyright_file.section(copyright_text, *lines))
                            for lines in entry["copyright_sections"]]
            self.licence = entry["licence"]

    def __getattr__(self, name):
        return self.entry[name]

    @property
    def version(self):
        return self.package.upstream_version

    @property
    def bom_ref(self):
        return self.entry["name"]


def is_own(path):
    """The build's own libraries and objects, which the linker names relative to the build."""
    return not os.path.isabs(path)


def claiming_entry(catalogue, path):
    name = os.path.basename(path)
    owner = debian_packages.owner(path)
    source = debian_packages.package(owner).source if owner else None
    for entry in catalogue["components"]:
        if name in entry["files"] and source == entry["source_package"]:
            return entry
    raise UnclaimedInput(
        "%s (%s) went into the binary, but no component of %s names it: add it to a "
        "component's files, or a component of its own" % (
            path, "package %s, source %s" % (owner, source) if owner else "of no package",
            os.path.basename(CATALOGUE)))


def linked_components(linked, catalogue):
    """The catalogue's components that went into the binary, in catalogue order, each with the
    files it was taken from and the components its code made the linker take."""
    by_name = {}
    for path in linked.inputs():
        if is_own(path):
            continue
        entry = claiming_entry(catalogue, path)
        by_name.setdefault(entry["name"], []).append(LinkedFile(path))
    components = [Component(entry, by_name[entry["name"]], catalogue["spdx_licences"])
                  for entry in catalogue["components"]
                  if entry["name"] in by_name]
    of_file = {file.path: component for component in components for file in component.files}
    for archive, _, referrer in linked.members:
        needed, needing = of_file.get(archive), of_file.get(referrer)
        if needed and needing and needed is not needing and needed not in needing.depends_on:
            needing.depends_on.append(needed)
    for component in components:
        component.depends_on.sort(key=components.index)
    return components


def from_link_map(path, catalogue_path=CATALOGUE):
    return linked_components(link_map.read(path), read_catalogue(catalogue_path))
