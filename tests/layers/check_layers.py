#!/usr/bin/env python3
"""Checks the layering of the source tree from its #include lines.

Every quoted include is resolved as the build resolves it (the including file's folder, the
source root, then tests/) and counted as a use of the folder it lands in. A folder may use only
itself and the folders listed for it below; the uses must form no cycle; benchmarks/ and tools/
use nothing from tests/, neither by include nor from their build files.
Prints every offending line and exits 1 when there is one.
"""
import pathlib
import re
import sys

# Bottom to top. Each folder names the folders it may include from.
ALLOWED = {
    "platform": set(),
    "text": {"platform"},
    "com": set(),
    "host": set(),
    "hostcall": {"com"},
    "calendar": {"com", "text", "platform"},
    "payments": {"calendar", "hostcall", "com", "text", "platform"},
    "statements": {"hostcall", "com", "text", "platform"},
    "bank": {"payments", "statements", "calendar", "hostcall", "com", "text"},
    "module": {"bank", "payments", "statements", "calendar", "hostcall", "com", "text"},
    "hostkit": {"com"},
    "fixtures": {"hostkit", "calendar", "com", "text"},
    "tools": {"hostkit", "com"},
}
# May include any folder of the component, the host kit and the fixtures, never tests/ or tools/.
OUTSIDE_TESTS = {"benchmarks"}
SOURCES = {".h", ".cpp", ".rc", ".idl"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(root, path):
    return path.relative_to(root).parts[0]


def resolve(root, source, name):
    for base in (source.parent, root, root / "tests"):
        candidate = (base / name).resolve()
        if candidate.is_file():
            return candidate
    return None


def main(root):
    root = pathlib.Path(root).resolve()
    problems = []
    uses = {}
    for source in sorted(root.rglob("*")):
        if source.suffix not in SOURCES or not source.is_file():
            continue
        relative = source.relative_to(root)
        if relative.parts[0] in ("build", ".git") or relative.parts[0].startswith("build-"):
            continue
        folder = relative.parts[0]
        for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = resolve(root, source, match.group(1))
            if target is None or root not in target.parents:
                continue
            used = folder_of(root, target)
            where = f"{relative}:{number}: {match.group(1)}"
            if used != folder:
                uses.setdefault(folder, set()).add(used)
            if folder in ALLOWED and used != folder and used not in ALLOWED[folder]:
                problems.append(f"{where}: {folder}/ may not include from {used}/")
            if folder in OUTSIDE_TESTS and used in ("tests", "tools"):
                problems.append(f"{where}: {folder}/ may not include from {used}/")
    for folder in ("benchmarks", "tools"):
        for build_file in (root / folder).rglob("CMakeLists.txt"):
            for number, line in enumerate(build_file.read_text().splitlines(), 1):
                if re.search(r"\btests/", line):
                    problems.append(f"{build_file.relative_to(root)}:{number}: uses tests/")
    # Cycles among the folders' uses.
    state = {}

    def visit(folder, trail):
        state[folder] = "open"
        for used in sorted(uses.get(folder, ())):
            if state.get(used) == "open":
                cycle = trail[trail.index(used):] + [used]
                problems.append("folders include each other: " + " -> ".join(cycle))
            elif used not in state:
                visit(used, trail + [used])
        state[folder] = "done"

    for folder in sorted(uses):
        if folder not in state:
            visit(folder, [folder])
    for problem in problems:
        print(problem)
    print(f"{len(problems)} layering problems in {len(uses)} folders")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
