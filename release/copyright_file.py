"""The copyright and licence texts of a Debian package's copyright file, in the machine-readable
format (paragraphs of fields; a licence's text under its paragraph or in a stand-alone License
paragraph), or plain sections of a free-form file."""
import re

FIELD = re.compile(r"^([A-Za-z-]+):\s?(.*)$")


def paragraphs(text):
    """Each paragraph as {field: [first line, continuation lines...]}; a continuation line's
    leading blank is dropped and a lone "." stands for an empty line."""
    found, current, field = [], {}, None
    for line in text.splitlines() + [""]:
        if not line.strip():
            if current:
                found.append(current)
            current, field = {}, None
        elif line[0] in " \t" and field:
            continuation = line.strip()
            current[field].append("" if continuation == "." else line[1:].rstrip())
        else:
            match = FIELD.match(line)
            if match:
                field = match.group(1)
                current[field] = [match.group(2).strip()]
    return found


class Notice:
    """What one stanza of the file says of the files it covers."""

    def __init__(self, files, copyright, licence, text):
        self.files, self.copyright, self.licence, self.text = files, copyright, licence, text


def stanza_notices(text, patterns):
    """The notice of each stanza whose Files field lists one of the patterns, in file order."""
    found = paragraphs(text)
    licence_texts = {paragraph["License"][0]: paragraph["License"][1:] for paragraph in found
                     if "License" in paragraph and "Files" not in paragraph}
    notices = []
    for paragraph in found:
        files = " ".join(paragraph.get("Files", [])).split()
        if not set(files) & set(patterns):
            continue
        licence, *inline = paragraph["License"]
        copyright = [line.strip() for line in paragraph.get("Copyright", []) if line.strip()]
        notices.append(Notice(files, copyright, licence, inline or licence_texts.get(licence, [])))
    missing = set(patterns) - {pattern for notice in notices for pattern in notice.files}
    if missing:
        raise KeyError("no stanza of the copyright file covers " + ", ".join(sorted(missing)))
    return notices


def section(text, first, end):
    """The lines from the one that is first to the one before end, without the empty lines at
    its end."""
    lines = text.splitlines()
    start = lines.index(first)
    found = lines[start:lines.index(end, start)]
    while found and not found[-1].strip():
        found.pop()
    return found
