#!/usr/bin/env python3
"""Checks the English translation against the sources, as a build would see them.

  translation_check.py LUPDATE TS_FILE SOURCE_LIST [TYPO_LIST]

Runs lupdate over the program's sources into a copy of TS_FILE (the committed
translations carry over) and fails when
- a source text has no finished translation (new, changed or left unfinished);
- a translation has other line breaks than its source (a message cut at its
  first line break, or lines run together), names other placeholders (%1, %2 ..)
  or ends in other punctuation ("!", "?", ":", ".", "," or an ellipsis; the
  full-width forms and "..." count as their plain ones);
- a translation holds one of the design's own typos and loose forms listed in
  TYPO_LIST (one a line, "re:" for a regular expression, "#" for a comment).
The committed file itself is left as it is.
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%(\d+)")
# Full-width punctuation of the original texts and its plain English form.
PLAIN = str.maketrans({"！": "!", "？": "?", "：": ":", "。": ".", "，": ",", "；": ";"})
ENDING = ".!?:;,…"


def text_of(element):
    """The text of a <source> or <translation>, with lupdate's <byte value="xd"/> as the character."""
    if element is None:
        return ""
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            parts.append(chr(int(child.get("value", "x0")[1:], 16)))
        parts.append(child.tail or "")
    return "".join(parts)


def line_breaks(text):
    return text.count("\n"), text.count("\r")


def ending(text):
    """The punctuation mark a text ends in ("" for none): an ellipsis for "..." or "…"."""
    plain = re.sub(r"\.{3,}", "…", text.translate(PLAIN)).rstrip()
    return plain[-1] if plain and plain[-1] in ENDING else ""


def read_typos(path):
    typos = []
    if not path:
        return typos
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("re:"):
            typos.append((line, re.compile(line[3:])))
        else:
            typos.append((line, re.compile(re.escape(line))))
    return typos


def problems(ts_path, typos=()):
    found = []
    root = ET.parse(ts_path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            source = text_of(message.find("source"))
            translation = message.find("translation")
            kind = translation.get("type", "") if translation is not None else "missing"
            text = text_of(translation)
            where = f"[{name}] {source!r}"
            if kind in ("vanished", "obsolete"):
                continue
            if kind == "unfinished" or kind == "missing" or not text:
                found.append(f"no finished translation: {where}")
                continue
            if line_breaks(text) != line_breaks(source):
                found.append(f"line breaks differ from its source: {where} -> {text!r}")
            ours, theirs = set(PLACEHOLDER.findall(text)), set(PLACEHOLDER.findall(source))
            if ours != theirs:
                extra = ", ".join("%" + n for n in sorted(ours - theirs, key=int)) or "none"
                lost = ", ".join("%" + n for n in sorted(theirs - ours, key=int)) or "none"
                found.append(f"placeholders differ (added {extra}, lost {lost}): {where} -> {text!r}")
            if ending(text) != ending(source):
                found.append(
                    f"ends in {ending(text) or 'no mark'!r}, its source in {ending(source) or 'no mark'!r}: "
                    f"{where} -> {text!r}")
            for line, typo in typos:
                if typo.search(text):
                    found.append(f"holds the design's {line!r}: {where} -> {text!r}")
    return found


def main():
    if len(sys.argv) not in (4, 5):
        print(__doc__)
        return 2
    lupdate, ts_file, source_list = sys.argv[1:4]
    typos = read_typos(sys.argv[4] if len(sys.argv) == 5 else None)
    with tempfile.TemporaryDirectory() as folder:
        copy = Path(folder) / Path(ts_file).name
        shutil.copyfile(ts_file, copy)
        run = subprocess.run([lupdate, "-locations", "none", "-no-obsolete", "@" + source_list, "-ts", str(copy)],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return 1
        found = problems(copy, typos)
        total = sum(1 for m in ET.parse(copy).getroot().iter("message"))
    for line in found:
        print(line)
    print(f"{total} source texts, {len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
