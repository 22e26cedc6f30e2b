"""Reading the declarations of an IDL file: the build's scripts that write registry entries from
a type library's IDL take its classes, interfaces and library from here."""
import re


def idl_blocks(text, keyword):
    """(attributes, name) of each IDL declaration of this keyword with an attribute list."""
    return re.findall(r"\[([^\]]*)\]\s*" + keyword + r"\s+(\w+)", text)


def attribute(attributes, name):
    found = re.search(name + r"\(([^)]*)\)", attributes)
    return found.group(1).strip().strip('"') if found else None


def braced(guid):
    return "{" + guid.upper() + "}"
