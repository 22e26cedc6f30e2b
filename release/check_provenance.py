"""Checks a build folder's files against a provenance statement: each subject's file must be there
with the SHA-256 the statement gives, and each file the folder ships (shipped-files.txt, where
the build wrote it) must be a subject, the statement itself aside. Prints one line per subject and
per shipped file the statement lacks; exits 1 when one differs or is lacking.

    check_provenance.py PROVENANCE BUILD_DIR
"""
import json
import os
import sys

import debian_packages


def differing_subjects(provenance, build_dir):
    with open(provenance, encoding="utf-8") as statement:
        subjects = json.load(statement)["subject"]
    differing = []
    for subject in subjects:
        path = os.path.join(build_dir, subject["name"])
        found = debian_packages.sha256(path) if os.path.exists(path) else "missing"
        matches = found == subject["digest"]["sha256"]
        print("%-9s %s" % ("matches" if matches else "differs", path))
        if not matches:
            differing.append(subject["name"])
    return differing


def unstated_files(provenance, build_dir):
    listing = os.path.join(build_dir, "shipped-files.txt")
    if not os.path.exists(listing):
        return []
    with open(provenance, encoding="utf-8") as statement:
        stated = {subject["name"] for subject in json.load(statement)["subject"]}
    with open(listing, encoding="utf-8") as listed:
        shipped = listed.read().split()
    # The statement does not state itself.
    unstated = [name for name in shipped
                if name not in stated and not name.endswith(".provenance.json")]
    for name in unstated:
        print("%-9s %s" % ("unstated", os.path.join(build_dir, name)))
    return unstated


if __name__ == "__main__":
    failed = differing_subjects(*sys.argv[1:3]) + unstated_files(*sys.argv[1:3])
    sys.exit(1 if failed else 0)
