"""Writes the COM registration of Corvane.dll as WiX registry entries, from the same sources the
DLL registers itself from: the REGISTRY scripts (.rgs) and the type library's IDL.

    com_registration.py --classes OUT.wxi --shared OUT.wxi --interfaces OUT.wxi --idl Corvane.idl
                        --category COCLASS=CATID_NAME --guids HOST.idl RGS...

On 64-bit Windows, HKLM\Software\Classes is one key for both registry views except the keys of
PER_VIEW; so the entries fall in three includes:
- classes: what each view has of its own, the classes and the type library's platform key (its
  name is $(var.TypeLibraryPlatform), win32 or win64);
- shared: what both builds write to the one place, the ProgIDs and the type library's version
  key, with nothing of either build's architecture or folder in it;
- interfaces: the dual interfaces, which a 64-bit build writes to both views.
In the values, $(var.ServerPath) stands for the installed DLL and $(var.SharedHelpFolder) for the
type library's help folder (defined by the package source). The includes are the same for both
architectures.
"""
import argparse
import os
import re
import sys
from xml.sax.saxutils import quoteattr

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cmake"))
from idl_declarations import attribute, braced, idl_blocks  # noqa: E402

CLASSES_ROOT = "Software\\Classes"
# The keys of HKLM\Software\Classes that 64-bit Windows keeps apart for 32-bit programs.
PER_VIEW = {"CLSID", "Interface", "DirectShow", "Media Type", "MediaFoundation"}
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


def add_type_library(idl, server_path, help_folder, classes, shared, interfaces):
    """The keys RegisterTypeLib writes for the library of this IDL and its dual interfaces."""
    [(library_attributes, _)] = idl_blocks(idl, "library")
    library_id = braced(attribute(library_attributes, "uuid"))
    version = attribute(library_attributes, "version")
    flags = HAS_DISK_IMAGE + sum(bit for name, bit in LIBRARY_FLAGS.items()
                                 if re.search(r"\b%s\b" % name, library_attributes))
    library = "TypeLib\\%s\\%s" % (library_id, version)
    shared.subkey(library).default = attribute(library_attributes, "helpstring")
    locale = int(attribute(library_attributes, "lcid") or "0", 0)
    classes.subkey("%s\\%x\\$(var.TypeLibraryPlatform)" % (library, locale)).default = server_path
    shared.subkey(library + "\\FLAGS").default = str(flags)
    shared.subkey(library + "\\HELPDIR").default = help_folder
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
    return library


def add_categories(idl, categories, guids, classes):
    """Each coclass's "Implemented Categories" entries: COCLASS=CATID_NAME."""
    class_ids = {name: braced(attribute(attributes, "uuid"))
                 for attributes, name in idl_blocks(idl, "coclass")}
    for pairing in categories:
        coclass, category = pairing.split("=")
        classes.subkey("CLSID\\%s\\Implemented Categories\\%s" % (class_ids[coclass],
                                                                 guids[category]))


def split_by_view(root):
    """The keys of root that each registry view has of its own, and those the views share."""
    per_view, shared = Key(), Key()
    for name, key in root.subkeys.items():
        (per_view if name in PER_VIEW else shared).subkeys[name] = key
    return per_view, shared


def wix_entries(key, path, indent, key_path):
    """RegistryValue elements; a key without values or subkeys is created empty, and removed
    with the package ("*"). The value at key_path (key, name) is the component's key path."""
    values = ([("", key.default)] if key.default is not None else []) + sorted(key.values.items())
    if not values and not key.subkeys:
        values = [("*", "")]
    lines = ["%s<RegistryValue Root=\"HKLM\" Key=%s%s Type=\"string\" Value=%s%s/>" % (
        indent, quoteattr(path), " Name=%s" % quoteattr(name) if name else "", quoteattr(value),
        " KeyPath=\"yes\"" if (path, name) == key_path else "")
        for name, value in values]
    for name in sorted(key.subkeys):
        lines += wix_entries(key.subkeys[name], path + "\\" + name, indent, key_path)
    return lines


def write_include(path, key, source_note, key_path=None):
    entries = []
    for name in sorted(key.subkeys):
        entries += wix_entries(key.subkeys[name], CLASSES_ROOT + "\\" + name, "  ", key_path)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- Written by the build from "
                  "%s: edit those, not this. -->\n<Include>\n%s\n</Include>\n" % (
                      source_note, "\n".join(entries)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--classes", required=True)
    parser.add_argument("--shared", required=True)
    parser.add_argument("--interfaces", required=True)
    parser.add_argument("--idl", required=True)
    parser.add_argument("--guids", action="append", default=[])
    parser.add_argument("--category", action="append", default=[])
    parser.add_argument("scripts", nargs="+")
    arguments = parser.parse_args()

    server_path = "$(var.ServerPath)"
    registered, interfaces = Key(), Key()
    for script in arguments.scripts:
        with open(script, encoding="utf-8") as text:
            parse_rgs(text.read(), server_path, registered)
    classes, shared = split_by_view(registered)
    with open(arguments.idl, encoding="utf-8") as text:
        idl = text.read()
    guids = {}
    for guid_source in arguments.guids:
        with open(guid_source, encoding="utf-8") as text:
            guids.update(defined_guids(text.read()))
    library = add_type_library(idl, server_path, "$(var.SharedHelpFolder)", classes, shared,
                               interfaces)
    add_categories(idl, arguments.category, guids, classes)
    sources = "the registry scripts and the type library's IDL"
    write_include(arguments.classes, classes, sources)
    # The shared entries are a component of their own, found installed by the library's name.
    write_include(arguments.shared, shared, sources, (CLASSES_ROOT + "\\" + library, ""))
    write_include(arguments.interfaces, interfaces, sources)


if __name__ == "__main__":
    main()
