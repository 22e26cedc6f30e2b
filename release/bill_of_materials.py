"""Writes the CycloneDX 1.5 bill of materials of one architecture's release: Corvane (its version,
commit, DLL and package with their SHA-256), each third-party component the linker put into the
DLL (from its link map), the platform, Windows of the oldest version the DLL is built for, with the
system DLLs it imports, and which needs which. Every component has a version. The same commit gives
the same bytes: the time is the commit's and the serial number is derived from what is described.

    bill_of_materials.py --link-map MAP --objdump OBJDUMP --dll DLL --package MSI
                         --product NAME --manufacturer NAME --version VERSION --arch ARCH
                         --windows-api _WIN32_WINNT --revision REVISION_FILE --output FILE
"""
import argparse
import datetime
import json
import os
import re
import subprocess
import uuid

import components
import debian_packages

SERIAL_NAMESPACE = uuid.UUID("5B0C2E51-6F4A-4C1E-9F1B-6A2E8D7C3B10")
PRODUCT = "corvane"
PLATFORM = "windows"
PLATFORM_SUPPLIER = {"name": "Microsoft Corporation", "url": ["https://www.microsoft.com/"]}
# How a component went into the DLL, as a property of the component.
LINKAGE = "corvane:linkage"


def imported_dlls(objdump, dll):
    headers = subprocess.run([objdump, "-p", dll], check=True, capture_output=True,
                             text=True).stdout
    return re.findall(r"DLL Name: (\S+)", headers)


def file_component(path, reference, name, version):
    return {"type": "file", "bom-ref": reference, "name": name, "version": version,
            "hashes": [{"alg": "SHA-256", "content": debian_packages.sha256(path)}]}


def windows_version(api_level):
    """The Windows version of an API level as _WIN32_WINNT gives it: 0x0601 is 6.1."""
    level = int(api_level, 16)
    return "%d.%d" % (level >> 8, level & 0xFF)


def third_party(component, distribution):
    package = component.package
    name, _, address = package.maintainer.partition(" <")
    return {
        "type": "library",
        "bom-ref": component.bom_ref,
        "supplier": {"name": "Debian", "url": ["https://www.debian.org/"],
                     "contact": [{"name": name, "email": address.rstrip(">")}]},
        "author": component.author,
        "name": component.name,
        "version": component.version,
        "description": component.description,
        "licenses": [{"expression": component.licence}],
        "purl": package.source_purl(distribution),
        "externalReferences": [{"type": "website", "url": component.homepage}],
        "properties": [
            {"name": LINKAGE, "value": "static"},
            {"name": "corvane:debian-package", "value": "%s %s %s" % (
                package.name, package.version, package.architecture)},
        ],
        # Each archive or object file the linker took code from, with its digest.
        "components": [file_component(file.path, "%s:%s" % (component.bom_ref, file.path),
                                      file.path, component.version)
                       for file in component.files],
    }


def system_dll(name, version):
    return {"type": "library", "bom-ref": "%s:%s" % (PLATFORM, name.lower()),
            "supplier": PLATFORM_SUPPLIER, "name": name, "version": version,
            "description": "System DLL of Windows, imported by Corvane.dll",
            "scope": "required",
            "properties": [{"name": LINKAGE, "value": "imported from the platform"}]}


def platform(api_level, dlls):
    """Windows, of the oldest version the DLL is built for, with the system DLLs it imports: each
    comes with Windows of that version or later."""
    version = windows_version(api_level)
    return {"type": "operating-system", "bom-ref": PLATFORM, "supplier": PLATFORM_SUPPLIER,
            "name": "Windows", "version": version,
            "description": "The oldest Windows Corvane.dll is built for (_WIN32_WINNT %s) and "
                           "runs on, with the system DLLs it imports" % api_level,
            "scope": "required",
            "components": [system_dll(name, version) for name in dlls]}


def bill_of_materials(arguments):
    with open(arguments.revision) as revision:
        commit, epoch = revision.read().split()
    linked = components.from_link_map(arguments.link_map)
    distribution = debian_packages.distribution()
    windows = platform(arguments.windows_api, imported_dlls(arguments.objdump, arguments.dll))
    time = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc)
    product = {
        "type": "library",
        "bom-ref": PRODUCT,
        "supplier": {"name": arguments.manufacturer},
        "name": arguments.product,
        "version": arguments.version,
        "description": "%s, the in-process COM server, for %s hosts" % (
            os.path.basename(arguments.dll), arguments.arch),
        "pedigree": {"commits": [{"uid": commit}]},
        "properties": [{"name": "corvane:architecture", "value": arguments.arch}],
        "components": [file_component(path, "%s:%s" % (PRODUCT, kind), os.path.basename(path),
                                      arguments.version)
                       for kind, path in (("dll", arguments.dll), ("package", arguments.package))],
    }
    dependencies = [{"ref": PRODUCT, "dependsOn": [c.bom_ref for c in linked]
                     + [dll["bom-ref"] for dll in windows["components"]]}]
    dependencies += [{"ref": c.bom_ref, "dependsOn": [d.bom_ref for d in c.depends_on]}
                     for c in linked]
    return {
        "bomFormat": "CycloneDX",
        "specVersion": "1.5",
        "serialNumber": "urn:uuid:%s" % uuid.uuid5(SERIAL_NAMESPACE, " ".join(
            (arguments.version, arguments.arch, commit))),
        "version": 1,
        "metadata": {"timestamp": time.strftime("%Y-%m-%dT%H:%M:%SZ"), "component": product},
        "components": [third_party(c, distribution) for c in linked] + [windows],
        "dependencies": dependencies,
    }


def main():
    parser = argparse.ArgumentParser()
    for option in ("link-map", "objdump", "dll", "package", "product", "manufacturer",
                   "version", "arch", "windows-api", "revision", "output"):
        parser.add_argument("--" + option, required=True)
    arguments = parser.parse_args()
    try:
        bom = bill_of_materials(arguments)
    except components.UnclaimedInput as unclaimed:
        parser.exit(1, "bill_of_materials.py: %s\n" % unclaimed)
    with open(arguments.output, "w", encoding="utf-8", newline="\n") as output:
        json.dump(bom, output, indent=2, ensure_ascii=False)
        output.write("\n")


if __name__ == "__main__":
    main()
