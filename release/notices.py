"""Writes THIRD-PARTY-NOTICES.txt: for each third-party component the linker put into the DLL
(from its link map), its version, licence, and the copyright lines and licence texts that its
Debian copyright file gives for it.

    notices.py --link-map MAP --product NAME --output FILE
"""
import argparse
import textwrap

import components

RULE = "=" * 78


def notice_lines(component):
    lines = []
    for notice in component.notices:
        if notice.files:
            lines += textwrap.wrap("Files: " + " ".join(notice.files), 78,
                                   subsequent_indent="       ", break_on_hyphens=False)
        lines += ["Copyright: " + line for line in notice.copyright]
        if notice.files:
            lines.append("Licence: " + notice.licence)
        lines += notice.text + [""]
    return lines


def notices(product, linked):
    heading = textwrap.wrap(
        "%s.dll contains, linked in statically, the following third-party components. Each is "
        "listed with its version and licence (an SPDX expression), then the copyright notices "
        "and licence texts that its licence asks to accompany the binary." % product, 78)
    lines = heading + [""] + ["  %-20s %-10s %s" % (c.name, c.version, c.licence)
                              for c in linked] + [""]
    # Components of one source with one licence share their notice: it is given once.
    given = {}
    for component in linked:
        lines += [RULE, "%s %s" % (component.name, component.version),
                  "Licence: " + component.licence, "Source: " + component.homepage, RULE, ""]
        notice = notice_lines(component)
        key = "\n".join(notice)
        if key in given:
            lines += ["The copyright notices and licence texts of %s, above." % given[key], ""]
        else:
            given[key] = component.name
            lines += notice
    return "\n".join(lines).rstrip("\n") + "\n"


def main():
    parser = argparse.ArgumentParser()
    for option in ("link-map", "product", "output"):
        parser.add_argument("--" + option, required=True)
    arguments = parser.parse_args()
    try:
        linked = components.from_link_map(arguments.link_map)
    except components.UnclaimedInput as unclaimed:
        parser.exit(1, "notices.py: %s\n" % unclaimed)
    # CR LF: the file is read on Windows, beside the DLL.
    with open(arguments.output, "w", encoding="utf-8", newline="\r\n") as output:
        output.write(notices(arguments.product, linked))


if __name__ == "__main__":
    main()
