"""Registry snapshots of the Wine prefix, taken with `reg export`, and what changed between two.

A snapshot maps each key (lower case: registry names are case-insensitive) to its values, each
value name ("@" for the default) to its data as the export writes it, strings unquoted.
"""
import re

VALUE_LINE = re.compile(r'^(@|"(?:[^"\\]|\\.)*")=(.*)$')


def _unquoted(text):
    if text.startswith('"') and text.endswith('"'):
        return re.sub(r"\\(.)", r"\1", text[1:-1])
    return text


def read_export(path):
    with open(path, encoding="utf-16") as export:
        # Long binary data continues on indented lines after a trailing backslash.
        text = re.sub(r"\\\n\s+", "", export.read())
    snapshot, key = {}, None
    for line in text.splitlines():
        if line.startswith("[") and line.endswith("]"):
            key = snapshot.setdefault(line[1:-1].lower(), {})
        elif key is not None and VALUE_LINE.match(line):
            name, data = VALUE_LINE.match(line).groups()
            key[_unquoted(name)] = _unquoted(data)
    return snapshot


def added(before, after):
    """The keys new in after, with all their values, and the keys given new or changed values."""
    changes = {}
    for key, values in after.items():
        old = before.get(key)
        if old is None:
            changes[key] = dict(values)
        else:
            changed = {name: data for name, data in values.items() if old.get(name) != data}
            if changed:
                changes[key] = changed
    return changes


def with_folder_named(changes, folder, placeholder):
    """The changes with every mention of folder (in any case) in their data replaced."""
    pattern = re.compile(re.escape(folder), re.IGNORECASE)
    return {key: {name: pattern.sub(placeholder, data) for name, data in values.items()}
            for key, values in changes.items()}
