"""Checks one architecture's release as files: the bill of materials is valid CycloneDX 1.5 and
names every file the linker took code from, a library added to the link without a component
fails the build of it, the notices hold every notice a component's licence asks for and the
package installs them, the provenance states every shipped file and the toolchain, and the DLL,
its package and its bill of materials give one version and one name.

    check_release.py --arch ARCH --version VERSION --objdump OBJDUMP --dll DLL --link-map MAP
                     --package MSI --notices FILE --bill-of-materials FILE --provenance FILE
                     --revision FILE --build-dir DIR --schemas DIR
"""
import argparse
import datetime
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import jsonschema

from pe_image import private_headers, version_strings

RELEASE = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir,
                       "release")
# A phrase of each licence text that asks for its notice to accompany a binary.
NOTICE_PHRASES = {
    "MIT": "The above copyright notice and this permission notice shall be",
    "BSD-3-Clause": "Redistributions in binary form must reproduce the above copyright",
    "ZPL-2.1": "Redistributions in binary form must reproduce the accompanying",
    "LicenseRef-Lucent": "provided that the above copyright notice appear in all",
    "LicenseRef-David-Gay": "provided that the above copyright notice appear in all copies and",
}
# The licences of each component as the README lists them: a toolchain whose code comes under
# other terms changes the release's licensing, and the list with it.
GCC_RUNTIME = "GPL-3.0-or-later WITH GCC-exception-3.1"
LICENCES = {
    "libstdc++": GCC_RUNTIME,
    "libgcc": GCC_RUNTIME,
    "libssp": GCC_RUNTIME,
    "winpthreads": "MIT AND BSD-3-Clause AND LicenseRef-public-domain",
    "mingw-w64 runtime":
        "ZPL-2.1 AND LicenseRef-public-domain AND LicenseRef-Lucent AND LicenseRef-David-Gay",
}
# Licences that ask for nothing to accompany the binary (the exception permits conveying the
# combined code under any terms).
NO_NOTICE = {"LicenseRef-public-domain", GCC_RUNTIME}
ARCHIVE_MEMBER = re.compile(r"^(/\S+?)\(\S+\)", re.M)
LOADED_OBJECT = re.compile(r"^LOAD (/\S+\.o)$", re.M)


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def read_json(path):
    with open(path, encoding="utf-8") as file:
        return json.load(file)


def msiinfo_table(package, name):
    lines = subprocess.run(["msiinfo", "export", package, name], check=True, capture_output=True,
                           text=True).stdout.splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:]]


def licence_ids(expression):
    """The licences an expression joins with AND; a WITH exception stays with its licence."""
    return [part.strip() for part in expression.split(" AND ")]


def linked_toolchain_files(link_map):
    """Every toolchain file the map says the linker took code from, read here independently of
    the release's own reader."""
    with open(link_map, encoding="utf-8", errors="replace") as text:
        content = text.read()
    members = content.split("Discarded input sections", 1)[0]
    return {os.path.normpath(path) for path in ARCHIVE_MEMBER.findall(members)
            + LOADED_OBJECT.findall(content)}


def linked_of(files, name):
    return next(path for path in files if os.path.basename(path) == name)


def run_listing(command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout.split()


def run_generator(script, *arguments):
    return subprocess.run([sys.executable, os.path.join(RELEASE, script), *arguments],
                          capture_output=True, text=True)


def compiled_api_level():
    """The _WIN32_WINNT the build compiles with, read from its compile commands."""
    with open(os.path.join(ARGS.build_dir, "build.ninja"), encoding="utf-8") as build:
        [level] = set(re.findall(r"-D_WIN32_WINNT=(0x[0-9A-Fa-f]+)", build.read()))
    return level


def bom_arguments(link_map, output):
    return ["--link-map", link_map, "--objdump", ARGS.objdump, "--dll", ARGS.dll,
            "--package", ARGS.package, "--product", "Corvane", "--manufacturer", "Northern Bank",
            "--version", ARGS.version, "--arch", ARGS.arch,
            "--windows-api", compiled_api_level(), "--revision", ARGS.revision,
            "--output", output]


def every_component(components):
    for component in components:
        yield component
        yield from every_component(component.get("components", []))


class Release(unittest.TestCase):
    maxDiff = None

    @classmethod
    def setUpClass(cls):
        cls.bom = read_json(ARGS.bill_of_materials)
        cls.third_party = [c for c in cls.bom["components"] if "purl" in c]
        cls.folder = tempfile.mkdtemp()
        cls.addClassCleanup(shutil.rmtree, cls.folder)
        with open(ARGS.revision) as revision:
            cls.commit = revision.read().split()[0]


class BillOfMaterials(Release):
    def validator(self):
        schema = read_json(os.path.join(ARGS.schemas, "bom-1.5.SNAPSHOT.schema.json"))
        base = schema["$id"].rsplit("/", 1)[0]
        store = {"%s/%s" % (base, name): read_json(os.path.join(ARGS.schemas, name))
                 for name in ("spdx.SNAPSHOT.schema.json", "jsf-0.82.SNAPSHOT.schema.json")}
        return jsonschema.Draft7Validator(
            schema, resolver=jsonschema.RefResolver.from_schema(schema, store=store))

    def test_is_valid_cyclonedx_1_5_and_a_broken_one_is_not(self):
        validator = self.validator()
        self.assertEqual([error.message for error in validator.iter_errors(self.bom)], [])
        self.assertEqual(self.bom["specVersion"], "1.5")
        broken = json.loads(json.dumps(self.bom))
        broken["components"][0]["licenses"] = [{"expression": 1}]
        broken["metadata"]["component"]["components"][0]["hashes"][0]["alg"] = "SHA256"
        self.assertEqual(len(list(validator.iter_errors(broken))), 2)

    def test_corvane_with_its_version_commit_dll_and_package(self):
        product = self.bom["metadata"]["component"]
        self.assertEqual((product["name"], product["version"], product["pedigree"]["commits"]),
                         ("Corvane", ARGS.version, [{"uid": self.commit}]))
        files = {f["name"]: f["hashes"] for f in product["components"]}
        self.assertEqual(files, {
            os.path.basename(path): [{"alg": "SHA-256", "content": sha256(path)}]
            for path in (ARGS.dll, ARGS.package)})

    def test_names_every_toolchain_file_the_linker_took_code_from(self):
        named = {f["name"]: f["hashes"][0]["content"] for c in self.third_party
                 for f in c["components"]}
        linked = linked_toolchain_files(ARGS.link_map)
        self.assertIn("libmingwex.a", {os.path.basename(path) for path in linked})
        self.assertEqual(sorted(named), sorted(linked))
        for path, digest in named.items():
            self.assertEqual(digest, sha256(path), path)

    def test_a_library_linked_without_a_component_fails_the_release(self):
        libraries = os.path.dirname(linked_of(linked_toolchain_files(ARGS.link_map),
                                              "libkernel32.a"))
        # An archive no component names, and one of a name a component names (the threads
        # library's) that another Debian source (the C library's) installed.
        foreign = [path for path in run_listing(["dpkg-query", "-L", "libc6-dev"])
                   if os.path.basename(path) == "libpthread.a"]
        for added in (os.path.join(libraries, "libshlwapi.a"), foreign[0]):
            with self.subTest(added):
                self.assert_refused(self.link_map_taking(added), added)

    def link_map_taking(self, archive):
        """A copy of the link map in which the linker also took a member of the archive."""
        with open(ARGS.link_map, encoding="utf-8", errors="replace") as text:
            lines = text.read().split("\n")
        heading = lines.index("Archive member included to satisfy reference by file (symbol)")
        lines[heading + 2:heading + 2] = ["%s(added_s00042.o)" % archive,
                                          "                              "
                                          "module/CMakeFiles/Corvane.dir/DllMain.cpp.obj "
                                          "(__imp_AddedFunction)"]
        link_map = os.path.join(self.folder, "added-library.map")
        with open(link_map, "w", encoding="utf-8") as changed:
            changed.write("\n".join(lines))
        return link_map

    def assert_refused(self, link_map, added):
        output = os.path.join(self.folder, "refused.cdx.json")
        for script, arguments in (
                ("bill_of_materials.py", bom_arguments(link_map, output)),
                ("notices.py", ["--link-map", link_map, "--product", "Corvane", "--output",
                                os.path.join(self.folder, "refused.txt")])):
            with self.subTest(script):
                refused = run_generator(script, *arguments)
                self.assertEqual(refused.returncode, 1, refused.stderr)
                self.assertIn(added, refused.stderr)
                self.assertIn("no component", refused.stderr)
        self.assertFalse(os.path.exists(output))

    def test_third_party_components_with_supplier_licence_and_debian_source(self):
        self.assertEqual({c["name"]: c["licenses"] for c in self.third_party},
                         {name: [{"expression": licence}] for name, licence in LICENCES.items()})
        self.assertEqual([c["name"] for c in self.third_party], list(LICENCES))
        for component in self.third_party:
            with self.subTest(component["name"]):
                self.assertRegex(component["version"], r"^\d+(\.\d+)+$")
                self.assertEqual(component["supplier"]["name"], "Debian")
                self.assertRegex(component["purl"],
                                 r"^pkg:deb/debian/(gcc-mingw-w64|mingw-w64)@[^?]+\?arch=source&")

    def test_windows_of_the_version_built_for_with_the_dlls_it_imports_and_what_needs_what(self):
        imported = re.findall(r"DLL Name: (\S+)", private_headers(ARGS.objdump, ARGS.dll))
        [platform] = [c for c in self.bom["components"] if "purl" not in c]
        level = int(compiled_api_level(), 16)
        version = "%d.%d" % (level >> 8, level & 0xFF)
        self.assertEqual((platform["type"], platform["name"], platform["version"]),
                         ("operating-system", "Windows", version))
        self.assertEqual([(c["name"], c["version"]) for c in platform["components"]],
                         [(name, version) for name in imported])
        self.assertIn("msvcrt.dll", [name.lower() for name in imported])
        needs = {d["ref"]: d["dependsOn"] for d in self.bom["dependencies"]}
        self.assertEqual(needs["corvane"], [c["bom-ref"] for c in self.third_party]
                         + [c["bom-ref"] for c in platform["components"]])
        # The C++ library's locks stand on the threads library.
        self.assertIn("winpthreads", needs["libstdc++"])

    def test_every_component_has_a_name_and_a_version_and_each_product_a_supplier(self):
        described = [self.bom["metadata"]["component"]] + self.bom["components"]
        for component in every_component(described):
            with self.subTest(component["bom-ref"]):
                self.assertTrue(component["name"] and component["version"])
                if component["type"] != "file":
                    self.assertTrue(component["supplier"]["name"])

    def test_made_again_it_is_the_same_bytes_with_the_commits_time(self):
        again = os.path.join(self.folder, "again.cdx.json")
        made = run_generator("bill_of_materials.py", *bom_arguments(ARGS.link_map, again))
        self.assertEqual(made.returncode, 0, made.stderr)
        self.assertEqual(sha256(again), sha256(ARGS.bill_of_materials))
        with open(ARGS.revision) as revision:
            epoch = int(revision.read().split()[1])
        self.assertEqual(self.bom["metadata"]["timestamp"], datetime.datetime.fromtimestamp(
            epoch, datetime.timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ"))


class Notices(Release):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        with open(ARGS.notices, encoding="utf-8", newline="") as notices:
            cls.text = notices.read()

    def own_notice(self, component):
        """What the notices give under the component's heading, up to the next heading."""
        heading = "%s %s\nLicence: %s\n" % (component["name"], component["version"],
                                            component["licenses"][0]["expression"])
        text = self.text.replace("\r\n", "\n")
        self.assertIn(heading, text)
        return text.split(heading, 1)[1].split("\n" + "=" * 78 + "\n", 2)[1]

    def test_holds_the_notice_of_every_component_whose_licence_asks_for_one(self):
        self.assertNotIn("\n", self.text.replace("\r\n", ""))
        for component in self.third_party:
            expression = component["licenses"][0]["expression"]
            own = self.own_notice(component)
            for licence in licence_ids(expression):
                with self.subTest(component=component["name"], licence=licence):
                    if licence in NO_NOTICE:
                        continue
                    self.assertIn(licence, NOTICE_PHRASES, "a licence this check does not know")
                    self.assertIn(NOTICE_PHRASES[licence], " ".join(own.split()))
                    self.assertRegex(own, r"(?m)^Copyright: \d{4}")

    def test_a_notice_shared_by_components_is_given_once(self):
        # The three GCC runtime libraries come with one notice, that of GCC's copyright file.
        self.assertEqual(self.text.count("GCC RUNTIME LIBRARY EXCEPTION"), 1)
        components = {c["name"]: c for c in self.third_party}
        for name in ("libgcc", "libssp"):
            with self.subTest(name):
                self.assertEqual(self.own_notice(components[name]).strip(),
                                 "The copyright notices and licence texts of libstdc++, above.")
        self.assertIn("GCC RUNTIME LIBRARY EXCEPTION", self.own_notice(components["libstdc++"]))

    def test_the_package_installs_them_beside_the_dll(self):
        files = {row["FileName"]: row["Component_"]
                 for row in msiinfo_table(ARGS.package, "File")}
        components = {row["Component"]: row["Directory_"]
                      for row in msiinfo_table(ARGS.package, "Component")}
        self.assertEqual(components[files["THIRD-PARTY-NOTICES.txt"]],
                         components[files["Corvane.dll"]])
        extracted = os.path.join(self.folder, "extracted")
        subprocess.run(["msiextract", "-C", extracted, ARGS.package], check=True,
                       capture_output=True)
        found = [os.path.join(folder, name) for folder, _, names in os.walk(extracted)
                 for name in names if name == "THIRD-PARTY-NOTICES.txt"]
        self.assertEqual([sha256(path) for path in found], [sha256(ARGS.notices)])


class Provenance(Release):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.statement = read_json(ARGS.provenance)

    def test_states_every_shipped_file_the_commit_and_the_command(self):
        with open(os.path.join(ARGS.build_dir, "shipped-files.txt")) as listed:
            shipped = listed.read().split()
        self.assertEqual(shipped[-1], os.path.relpath(ARGS.provenance, ARGS.build_dir))
        self.assertEqual(self.statement["_type"], "https://in-toto.io/Statement/v1")
        self.assertEqual(self.statement["predicateType"], "https://slsa.dev/provenance/v1")
        self.assertEqual(self.statement["subject"], [
            {"name": name, "digest": {"sha256": sha256(os.path.join(ARGS.build_dir, name))}}
            for name in shipped[:-1]])
        # What ships, named apart from the build's own list of it.
        self.assertEqual(shipped[:-1], [os.path.relpath(path, ARGS.build_dir) for path in (
            ARGS.dll, ARGS.package, ARGS.notices, ARGS.bill_of_materials)])
        definition = self.statement["predicate"]["buildDefinition"]
        self.assertEqual(definition["externalParameters"]["source"]["digest"],
                         {"gitCommit": self.commit})
        self.assertIn("cmake --build --preset " + ARGS.arch,
                      definition["externalParameters"]["command"])

    def test_names_the_toolchain_packages_with_their_versions(self):
        stated = {d["name"]: d["annotations"]["version"]
                  for d in self.statement["predicate"]["buildDefinition"]["resolvedDependencies"]
                  if "annotations" in d and "uri" in d}
        triplet = {"x64": "x86-64", "x86": "i686"}[ARGS.arch]
        for package in ("g++-mingw-w64-%s-posix" % triplet, "binutils-mingw-w64-%s" % triplet,
                        "mingw-w64-%s-dev" % triplet, "wixl", "mingw-w64-tools"):
            with self.subTest(package):
                installed = subprocess.run(["dpkg-query", "-W", "-f", "${Version}", package],
                                           check=True, capture_output=True, text=True).stdout
                self.assertEqual(stated.get(package), installed)

    def test_a_statement_lacking_a_shipped_file_fails_the_check(self):
        checked = run_generator("check_provenance.py", ARGS.provenance, ARGS.build_dir)
        self.assertEqual(checked.returncode, 0, checked.stdout)
        lacking = json.loads(json.dumps(self.statement))
        left_out = lacking["subject"].pop(2)["name"]
        statement = os.path.join(self.folder, "lacking.provenance.json")
        with open(statement, "w", encoding="utf-8") as written:
            json.dump(lacking, written)
        checked = run_generator("check_provenance.py", statement, ARGS.build_dir)
        self.assertEqual(checked.returncode, 1, checked.stdout)
        self.assertEqual([line.split() for line in checked.stdout.splitlines()
                          if not line.startswith("matches")],
                         [["unstated", os.path.join(ARGS.build_dir, left_out)]])

    def test_a_changed_file_fails_the_check_against_it(self):
        copy = os.path.join(self.folder, "build")
        for subject in self.statement["subject"]:
            target = os.path.join(copy, subject["name"])
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(os.path.join(ARGS.build_dir, subject["name"]), target)
        checked = run_generator("check_provenance.py", ARGS.provenance, copy)
        self.assertEqual(checked.returncode, 0, checked.stdout)
        changed = os.path.join(copy, self.statement["subject"][2]["name"])
        with open(changed, "a", encoding="utf-8") as notices:
            notices.write("changed\n")
        checked = run_generator("check_provenance.py", ARGS.provenance, copy)
        self.assertEqual(checked.returncode, 1)
        self.assertIn("differs   " + changed, checked.stdout)


class OneVersion(Release):
    def test_dll_package_and_bill_of_materials_give_one_version_and_name(self):
        strings = version_strings(ARGS.objdump, ARGS.dll)
        properties = {row["Property"]: row["Value"]
                      for row in msiinfo_table(ARGS.package, "Property")}
        product = self.bom["metadata"]["component"]
        self.assertEqual({name: strings.get(name) for name in (
            "FileVersion", "ProductVersion", "CompanyName", "ProductName", "InternalName",
            "OriginalFilename", "LegalCopyright")}, {
            "FileVersion": ARGS.version,
            "ProductVersion": properties["ProductVersion"],
            "CompanyName": properties["Manufacturer"],
            "ProductName": properties["ProductName"],
            "InternalName": product["name"],
            "OriginalFilename": os.path.basename(ARGS.dll),
            "LegalCopyright": "Copyright (C) 2026 " + product["supplier"]["name"]})
        self.assertEqual(product["version"], ARGS.version)
        self.assertEqual(properties["ProductVersion"], ARGS.version)


def parse_arguments():
    parser = argparse.ArgumentParser()
    for option in ("arch", "version", "objdump", "dll", "link-map", "package", "notices",
                   "bill-of-materials", "provenance", "revision", "build-dir", "schemas"):
        parser.add_argument("--" + option, required=True)
    return parser.parse_args()


if __name__ == "__main__":
    ARGS = parse_arguments()
    unittest.main(argv=[sys.argv[0]], verbosity=2)
