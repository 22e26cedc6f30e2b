"""Writes the COM registration of Corvane.dll as WiX registry entries, from the same sources the
DLL registers itself from: the REGISTRY scripts (.rgs) and the type library's IDL.

    com_registration.py --classes OUT.wxi --interfaces OUT.wxi --idl Corvane.idl
                        --category COCLASS=CATID_NAME --guids HOST.idl --platform win64 RGS...

The classes include holds the ProgIDs, classes, implemented categories and the type library; the
interfaces include the dual interfaces, which a 64-bit package writes to both registry views.
In the values, $(var.ServerPath) stands for the installed DLL and $(var.ServerFolder) for its
folder (defined by the package source).
"""
import argparse
import os
import re
import sys
from xml.sax.saxutils import quoteattr

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cmake"))
from idl_declarations import attribute, braced, idl_blocks  # noqa: E402

CLASSES_ROOT = "Software\\Classes"
# The standard marshaler of automation interfaces, as RegisterTypeLib names it.
AUTOMATION_PROXY = "{00020424-0000-0000-C000-000000000046}"
# LIBFLAGS written to the registry: the library exists on disk, plus its own flags.
LIBRARY_FLAGS = {"restricted": 1, "control": 2, "hidden": 4}
HAS_DISK_IMAGE = 8


class Key:
    """A registry key: its default value, named values and subkeys."""

    def __init__(self):
        self.default = None
        self.values = {}
        self.subkeys = {}

    def subkey(self, path):
        key = self
        for name in path.split("\\"):
            key = key.subkeys.setdefault(name, Key())
        return key


def rgs_tokens(text):
    """Quoted strings, braced GUIDs (key names), braces, '=' and bare words."""
    return re.findall(r"'[^']*'|\{[0-9A-Fa-f-]{36}\}|[{}=]|[^\s{}=']+", text)


def parse_rgs(text, module_path, root):
    """Adds the keys a REGISTRY script writes (its HKCR part) to root."""
    tokens = rgs_tokens(text)
    position = 0

    def take():
        nonlocal position
        position += 1
        return tokens[position - 1]

    def string_value():
        kind, quoted = take(), take()
        if kind != "s":
            raise ValueError("only string values are written by the scripts, not " + kind)
        return quoted[1:-1].replace("%MODULE%", module_path)

    def body(key):
        while tokens[position] != "}":
            name = take()
            if name in ("NoRemove", "ForceRemove"):
                name = take()
            if name == "val":
                value_name = take()
                take()  # =
                key.values[value_name] = string_value()
                continue
            child = key.subkey(name)
            if tokens[position] == "=":
                take()
                child.default = string_value()
            if tokens[position] == "{":
                take()
                body(child)
                take()

    while position < len(tokens):
        hive = take()
        if hive != "HKCR":
            raise ValueError("the scripts register under HKCR only, not " + hive)
        take()  # {
        body(root)
        take()  # }


def defined_guids(text):
    """The GUIDs an IDL defines for C (DEFINE_GUID in cpp_quote), by name."""
    guids = {}
    for name, parts in re.findall(r"DEFINE_GUID\((\w+),([^)]*)\)", text):
        numbers = [int(part, 16) for part in parts.split(",")]
        data = "%08X-%04X-%04X-%02X%02X-" % tuple(numbers[:5]) + "%02X" * 6 % tuple(numbers[5:])
        guids[name] = "{" + data + "}"
    return guids


def add_type_library(idl, platform, server_path, server_folder, classes, interfaces):
    """The keys RegisterTypeLib writes for the library of this IDL and its dual interfaces."""
    [(library_attributes, _)] = idl_blocks(idl, "library")
    library_id = braced(attribute(library_attributes, "uuid"))
    version = attribute(library_attributes, "version")
    flags = HAS_DISK_IMAGE + sum(bit for name, bit in LIBRARY_FLAGS.items()
                                 if re.search(r"\b%s\b" % name, library_attributes))
    library = classes.subkey("TypeLib\\%s\\%s" % (library_id, version))
    library.default = attribute(library_attributes, "helpstring")
    locale = int(attribute(library_attributes, "lcid") or "0", 0)
    library.subkey("%x\\%s" % (locale, platform)).default = server_path
    library.subkey("FLAGS").default = str(flags)
    library.subkey("HELPDIR").default = server_folder
    for interface_attributes, name in idl_blocks(idl, "interface"):
        if not re.search(r"\b(dual|oleautomation)\b", interface_attributes):
            continue
        interface = interfaces.subkey("Interface\\" + braced(attribute(interface_attributes,
                                                                      "uuid")))
        interface.default = name
        interface.subkey("ProxyStubClsid").default = AUTOMATION_PROXY
        interface.subkey("ProxyStubClsid32").default = AUTOMATION_PROXY
        type_library = interface.subkey("TypeLib")
        type_library.default = library_id
        type_library.values["Version"] = version


def add_categories(idl, categories, guids, classes):
    """Each coclass's "Implemented Categories" entries: COCLASS=CATID_NAME."""
    class_ids = {name: braced(attribute(attributes, "uuid"))
                 for attributes, name in idl_blocks(idl, "coclass")}
    for pairing in categories:
        coclass, category = pairing.split("=")
        classes.subkey("CLSID\\%s\\Implemented Categories\\%s" % (class_ids[coclass],
                                                                 guids[category]))


def wix_entries(key, path, indent):
    """RegistryValue elements; a key without values or subkeys is created empty, and removed
    with the package ("*")."""
    values = ([("", key.default)] if key.default is not None else []) + sorted(key.values.items())
    if not values and not key.subkeys:
        values = [("*", "")]
    lines = ["%s<RegistryValue Root=\"HKLM\" Key=%s%s Type=\"string\" Value=%s/>" % (
        indent, quoteattr(path), " Name=%s" % quoteattr(name) if name else "", quoteattr(value))
        for name, value in values]
    for name in sorted(key.subkeys):
        lines += wix_entries(key.subkeys[name], path + "\\" + name, indent)
    return lines


def write_include(path, key, source_note):
    entries = []
    for name in sorted(key.subkeys):
        entries += wix_entries(key.subkeys[name], CLASSES_ROOT + "\\" + name, "  ")
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- Written by the build from "
                  "%s: edit those, not this. -->\n<Include>\n%s\n</Include>\n" % (
                      source_note, "\n".join(entries)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--classes", required=True)
    parser.add_argument("--interfaces", required=True)
    parser.add_argument("--idl", required=True)
    parser.add_argument("--guids", action="append", default=[])
    parser.add_argument("--category", action="append", default=[])
    parser.add_argument("--platform", required=True, choices=["win32", "win64"])
    parser.add_argument("scripts", nargs="+")
    arguments = parser.parse_args()

    server_path, server_folder = "$(var.ServerPath)", "$(var.ServerFolder)"
    classes, interfaces = Key(), Key()
    for script in arguments.scripts:
        with open(script, encoding="utf-8") as text:
            parse_rgs(text.read(), server_path, classes)
    with open(arguments.idl, encoding="utf-8") as text:
        idl = text.read()
    guids = {}
    for guid_source in arguments.guids:
        with open(guid_source, encoding="utf-8") as text:
            guids.update(defined_guids(text.read()))
    add_type_library(idl, arguments.platform, server_path, server_folder, classes, interfaces)
    add_categories(idl, arguments.category, guids, classes)
    sources = "the registry scripts and the type library's IDL"
    write_include(arguments.classes, classes, sources)
    write_include(arguments.interfaces, interfaces, sources)


if __name__ == "__main__":
    main()
