"""Checks a build folder's files against a provenance statement: each subject's file must be there
with the SHA-256 the statement gives. Prints one line per subject; exits 1 when one differs.

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


if __name__ == "__main__":
    sys.exit(1 if differing_subjects(*sys.argv[1:3]) else 0)
