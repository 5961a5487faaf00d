#!/usr/bin/env python3
"""Checks the English translation against the sources, as a build would see them.

  translation_check.py LUPDATE TS_FILE SOURCE_LIST

Runs lupdate over the program's sources into a copy of TS_FILE (the committed
translations carry over) and fails when a source text has no finished
translation (new, changed or left unfinished) or when a translation names a
placeholder (%1, %2 ..) that its source does not. The committed file itself is
left as it is.
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%(\d+)")


def problems(ts_path):
    found = []
    root = ET.parse(ts_path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            source = message.findtext("source", "")
            translation = message.find("translation")
            kind = translation.get("type", "") if translation is not None else "missing"
            text = "".join(translation.itertext()) if translation is not None else ""
            where = f"[{name}] {source!r}"
            if kind in ("vanished", "obsolete"):
                continue
            if kind == "unfinished" or kind == "missing" or not text:
                found.append(f"no finished translation: {where}")
                continue
            extra = set(PLACEHOLDER.findall(text)) - set(PLACEHOLDER.findall(source))
            if extra:
                names = ", ".join("%" + n for n in sorted(extra, key=int))
                found.append(f"translation names {names} that its source does not: {where} -> {text!r}")
    return found


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    lupdate, ts_file, source_list = sys.argv[1:]
    with tempfile.TemporaryDirectory() as folder:
        copy = Path(folder) / Path(ts_file).name
        shutil.copyfile(ts_file, copy)
        run = subprocess.run([lupdate, "-locations", "none", "-no-obsolete", "@" + source_list, "-ts", str(copy)],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return 1
        found = problems(copy)
        total = sum(1 for m in ET.parse(copy).getroot().iter("message"))
    for line in found:
        print(line)
    print(f"{total} source texts, {len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
