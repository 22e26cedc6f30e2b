"""The tables of an installer package, read with msitools without Wine, and where the registry
values it writes land on 64-bit Windows: there HKLM\\Software\\Classes is one key for both registry
views but for the keys of PER_VIEW, which each view has of its own (and a component's 64-bit
attribute chooses the view it writes).
"""
import os
import subprocess

SIXTY_FOUR_BIT = 256  # msidbComponentAttributes64bit
CLASSES = "hklm\\software\\classes\\"
PER_VIEW = {"clsid", "interface", "directshow", "media type", "mediafoundation"}
# The Registry table's roots; -1 is HKLM in a per-machine package, which both are.
ROOTS = {-1: "hklm", 0: "hklm\\software\\classes", 1: "hkcu", 2: "hklm", 3: "hku"}


def msiinfo(*arguments):
    return subprocess.run(["msiinfo"] + list(arguments), check=True, capture_output=True,
                          text=True, env=dict(os.environ, TZ="UTC")).stdout


def table(package, name):
    """The rows of a table, each by column name (the export's first three lines describe it)."""
    lines = msiinfo("export", package, name).splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:]]


def is_64_bit(component):
    return int(component["Attributes"]) & SIXTY_FOUR_BIT != 0


def registry_key(row):
    """The full key of a Registry row, in lower case (registry names are case-insensitive)."""
    return ("%s\\%s" % (ROOTS[int(row["Root"])], row["Key"])).lower()


def view(key, component):
    """"shared" for a key both views have as one, else the view the component writes."""
    if key.startswith(CLASSES) and key[len(CLASSES):].split("\\")[0] not in PER_VIEW:
        return "shared"
    return "64-bit" if is_64_bit(component) else "32-bit"


def registry_values(package):
    """Each registry value the package writes, as (key, view, value name) and its row, with the
    row of the component that owns it."""
    components = {row["Component"]: row for row in table(package, "Component")}
    for row in table(package, "Registry"):
        component = components[row["Component_"]]
        key = registry_key(row)
        yield (key, view(key, component), row["Name"].lower()), row, component
