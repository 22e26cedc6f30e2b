"""Writes the REGISTRY scripts of the classes a type library's IDL declares: one script per
coclass, from one template, and the resource script that numbers them.

    registry_scripts.py --idl Corvane.idl --list
    registry_scripts.py --idl Corvane.idl --template ClassRegistryScript.rgs.in
                        --first-resource 101 --output DIR

--list prints the coclasses' names as a CMake list. Otherwise, for each coclass NAME, in the
IDL's order, DIR/NAME.rgs is the template with @NAME@, @CLSID@, @DESCRIPTION@ (the coclass's
help string) and @LIBID@ (the library's identifier) filled in and CR LF line ends;
DIR/RegistryScripts.h numbers the scripts' resources NAMERegistryScript from the first resource
on, and DIR/RegistryScripts.rc declares them as REGISTRY resources.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cmake"))
from idl_declarations import attribute, braced, idl_blocks  # noqa: E402

GENERATED_NOTE = "// Written by the build from %s: edit that and the registry script template.\n"


def coclasses(idl):
    """(name, class identifier, description) of each coclass, in the IDL's order."""
    return [(name, braced(attribute(attributes, "uuid")), attribute(attributes, "helpstring"))
            for attributes, name in idl_blocks(idl, "coclass")]


def registry_script(template, name, class_id, description, library_id):
    text = (template.replace("@NAME@", name).replace("@CLSID@", class_id)
            .replace("@DESCRIPTION@", description).replace("@LIBID@", library_id))
    return "\r\n".join(text.splitlines()) + "\r\n"


def write(path, text, newline="\n"):
    with open(path, "w", encoding="utf-8", newline=newline) as out:
        out.write(text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--idl", required=True)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--template")
    parser.add_argument("--first-resource", type=int)
    parser.add_argument("--output")
    arguments = parser.parse_args()

    with open(arguments.idl, encoding="utf-8") as text:
        idl = text.read()
    classes = coclasses(idl)
    if arguments.list:
        print(";".join(name for name, _, _ in classes), end="")
        return
    with open(arguments.template, encoding="utf-8") as text:
        template = text.read()
    [(library_attributes, _)] = idl_blocks(idl, "library")
    library_id = braced(attribute(library_attributes, "uuid"))
    note = GENERATED_NOTE % os.path.basename(arguments.idl)
    header, resources = [note, "#pragma once\n"], [note, '#include "RegistryScripts.h"\n']
    for number, (name, class_id, description) in enumerate(classes, arguments.first_resource):
        script = name + ".rgs"
        write(os.path.join(arguments.output, script),
              registry_script(template, name, class_id, description, library_id), newline="")
        header.append("#define %sRegistryScript %d\n" % (name, number))
        resources.append('%sRegistryScript REGISTRY "%s"\n' % (
            name, os.path.join(arguments.output, script)))
    write(os.path.join(arguments.output, "RegistryScripts.h"), "".join(header))
    write(os.path.join(arguments.output, "RegistryScripts.rc"), "".join(resources))


if __name__ == "__main__":
    main()
