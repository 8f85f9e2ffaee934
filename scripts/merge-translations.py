#!/usr/bin/env python3
"""Fills translations of a Qt .ts file from TSV files.

Usage: scripts/merge-translations.py TS_FILE TSV_FILE [TSV_FILE ...]

Each TSV line is  context<TAB>source<TAB>translation ; in source and
translation "\\n" stands for a newline, "\\t" for a tab and "\\\\" for a
backslash. Empty lines and lines starting with "#" are skipped. A message of
the .ts whose context and source match gets the translation and loses its
"unfinished" mark; every other byte of the file stays as it was, so the file
lupdate wrote keeps its layout. Run it after lupdate.

Lines that match no message are listed on standard error (the text may have
changed in the code). Exit status: 0 when every line was used, 1 when some
matched nothing, 2 on a malformed line or an unreadable file; the .ts is
written in every case but the last.
"""

import html
import os
import re
import sys
import tempfile

CONTEXT_RE = re.compile(r"(<context>.*?</context>)", re.S)
NAME_RE = re.compile(r"<name>(.*?)</name>", re.S)
MESSAGE_RE = re.compile(r"<message(?:\s[^>]*)?>.*?</message>", re.S)
SOURCE_RE = re.compile(r"<source>(.*?)</source>", re.S)
COMMENT_RE = re.compile(r"<comment>(.*?)</comment>", re.S)
TRANSLATION_RE = re.compile(r"<translation(?:\s[^>]*)?(?:/>|>.*?</translation>)", re.S)


def unescape_tsv(field):
    out = []
    i = 0
    while i < len(field):
        c = field[i]
        if c == "\\" and i + 1 < len(field):
            nxt = field[i + 1]
            if nxt in "nt\\":
                out.append({"n": "\n", "t": "\t", "\\": "\\"}[nxt])
                i += 2
                continue
        out.append(c)
        i += 1
    return "".join(out)


def xml_text(raw):
    """The text of an element's content as lupdate writes it."""
    return html.unescape(raw)


def protect(text):
    """Escapes a text as lupdate does in a .ts file."""
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;").replace("'", "&apos;"))


def read_tsv(paths):
    entries = {}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                line = line.rstrip("\r\n")
                if not line.strip() or line.startswith("#"):
                    continue
                fields = line.split("\t")
                if len(fields) != 3 or not fields[0] or not fields[1]:
                    raise ValueError(f"{path}:{number}: expected context<TAB>source<TAB>translation")
                context, source, translation = (unescape_tsv(x) for x in fields)
                if not translation:
                    raise ValueError(f"{path}:{number}: empty translation")
                entries[(context, source)] = (translation, f"{path}:{number}")
    return entries


def merge(ts_text, entries):
    used = set()
    filled = 0

    def fill_context(match):
        nonlocal filled
        block = match.group(1)
        name = NAME_RE.search(block)
        if not name:
            return block
        context = xml_text(name.group(1))

        def fill_message(m):
            nonlocal filled
            message = m.group(0)
            source = SOURCE_RE.search(message)
            # Plural forms and messages with a disambiguating comment are left
            # to Qt Linguist.
            if not source or 'numerus="yes"' in message[:message.find(">")] \
                    or COMMENT_RE.search(message):
                return message
            key = (context, xml_text(source.group(1)))
            if key not in entries:
                return message
            used.add(key)
            filled += 1
            replacement = "<translation>" + protect(entries[key][0]) + "</translation>"
            return TRANSLATION_RE.sub(lambda _: replacement, message, count=1)

        return MESSAGE_RE.sub(fill_message, block)

    merged = CONTEXT_RE.sub(fill_context, ts_text)
    unused = [entries[key][1] + ": " + key[0] + " / " + key[1].replace("\n", "\\n")
              for key in entries if key not in used]
    return merged, filled, unused


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    ts_path = argv[1]
    try:
        with open(ts_path, encoding="utf-8", newline="") as f:
            ts_text = f.read()
        entries = read_tsv(argv[2:])
    except (OSError, ValueError) as error:
        print(f"merge-translations: {error}", file=sys.stderr)
        return 2

    merged, filled, unused = merge(ts_text, entries)
    try:
        # Written beside the file and renamed over it: never half a file.
        folder = os.path.dirname(os.path.abspath(ts_path))
        fd, tmp = tempfile.mkstemp(dir=folder, prefix=".merge-", suffix=".ts")
        try:
            with os.fdopen(fd, "w", encoding="utf-8", newline="") as f:
                f.write(merged)
            os.chmod(tmp, os.stat(ts_path).st_mode & 0o7777)
            os.replace(tmp, ts_path)
        except BaseException:
            os.unlink(tmp)
            raise
    except OSError as error:
        print(f"merge-translations: cannot write {ts_path}: {error}", file=sys.stderr)
        return 2

    print(f"{filled} message(s) filled from {len(entries)} line(s)")
    for line in unused:
        print(f"no such message: {line}", file=sys.stderr)
    return 1 if unused else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
