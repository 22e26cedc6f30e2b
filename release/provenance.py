"""Writes the build provenance of one architecture's release, an in-toto statement with a SLSA
provenance predicate: the SHA-256 of every shipped file, the source repository and commit, the
build command, and the Debian package and version of each tool and library the build used. It
holds nothing of the build's time or folder, so a second build of the commit must give the
same statement (scripts/reproduce.sh checks the files against it).

    provenance.py --arch ARCH --revision REVISION_FILE --repository URI --link-map MAP
                  --build-dir DIR --subject FILE... --tool FILE... --output FILE
"""
import argparse
import json
import os
import shutil
import subprocess

import components
import debian_packages

# The build configures and builds one CMake preset, from scripts/build.sh.
BUILD_TYPE = "urn:corvane:build-type:cmake-preset:1"
BUILDER = "urn:corvane:builder:scripts/build.sh"


def resolved_dependency(package, distribution):
    return {"uri": package.purl(distribution), "name": package.name,
            "annotations": {"version": package.version, "source": package.source_purl(
                distribution)}}


def tool_dependency(tool, distribution):
    """A tool's Debian package; a tool of no package is named with the version it reports and
    the digest of the file run."""
    path = shutil.which(tool)
    owner = debian_packages.owner(path)
    if owner:
        return resolved_dependency(debian_packages.package(owner), distribution)
    version = subprocess.run([path, "--version"], capture_output=True, text=True)
    return {"name": os.path.basename(path),
            "digest": {"sha256": debian_packages.sha256(os.path.realpath(path))},
            "annotations": {"version": (version.stdout or version.stderr).strip()}}


def statement(arguments):
    with open(arguments.revision) as revision:
        commit, epoch = revision.read().split()
    distribution = debian_packages.distribution()
    dependencies = [{"uri": "git+%s" % arguments.repository, "digest": {"gitCommit": commit}}]
    seen = set()
    tools = [tool_dependency(path, distribution) for path in arguments.tool]
    libraries = [resolved_dependency(file.package, distribution)
                 for component in components.from_link_map(arguments.link_map)
                 for file in component.files]
    for dependency in tools + libraries:
        key = json.dumps(dependency, sort_keys=True)
        if key not in seen:
            seen.add(key)
            dependencies.append(dependency)
    return {
        "_type": "https://in-toto.io/Statement/v1",
        "subject": [{"name": os.path.relpath(path, arguments.build_dir),
                     "digest": {"sha256": debian_packages.sha256(path)}}
                    for path in arguments.subject],
        "predicateType": "https://slsa.dev/provenance/v1",
        "predicate": {
            "buildDefinition": {
                "buildType": BUILD_TYPE,
                "externalParameters": {
                    "source": {"uri": "git+%s" % arguments.repository,
                               "digest": {"gitCommit": commit}},
                    "preset": arguments.arch,
                    "command": "cmake --preset {0} && cmake --build --preset {0}".format(
                        arguments.arch),
                },
                "internalParameters": {"SOURCE_DATE_EPOCH": int(epoch),
                                       "distribution": distribution},
                "resolvedDependencies": dependencies,
            },
            "runDetails": {"builder": {"id": BUILDER}},
        },
    }


def main():
    parser = argparse.ArgumentParser()
    for option in ("arch", "revision", "repository", "link-map", "build-dir", "output"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--subject", nargs="+", required=True)
    parser.add_argument("--tool", nargs="+", required=True)
    arguments = parser.parse_args()
    with open(arguments.output, "w", encoding="utf-8", newline="\n") as output:
        json.dump(statement(arguments), output, indent=2)
        output.write("\n")


if __name__ == "__main__":
    main()
