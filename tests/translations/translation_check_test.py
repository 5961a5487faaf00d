#!/usr/bin/env python3
"""The translation check's rules on a small translation file of known faults: each is reported, and a
sound translation of the same texts passes.

  translation_check_test.py TYPO_LIST
"""
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import translation_check  # noqa: E402

CR = '<byte value="xd"/>'
# (source, faulty translation, sound translation, what the fault is reported as)
CASES = [
    (f"Please check:{CR}{CR}   The cable.", "Please check:", f"Please check:{CR}{CR}   The cable.", "line breaks"),
    ("One\nTwo", "One Two", "One\nTwo", "line breaks"),
    ("Sending %1", "Sending", "Sending %1", "placeholders differ (added none, lost %1)"),
    ("Order %1", "Order %2", "Order %1", "placeholders differ (added %2, lost %1)"),
    ("Connection failed!", "Connection failed", "Connection failed!", "ends in 'no mark', its source in '!'"),
    ("数据无效！", "The value is invalid.", "The value is invalid!", "ends in '.', its source in '!'"),
    ("Exporting...", "Exporting", "Exporting…", "its source in '…'"),
    ("请求仪器数据......", "Reading from the instrument…", "Reading from the instrument…", None),
    ("Record Seting", "Record Seting", "Record settings", "holds the design's 'Seting'"),
    ("4.8Kbps", "4.8Kbps", "4.8 kbit/s", "holds the design's 'Kbps'"),
    ("Step: %1S", "Step: %1S", "Step: %1 s", "holds the design's 're:\\\\d ?S\\\\b'"),
    ("300V", "300V", "300 V", "holds the design's 're:(\\\\d|%\\\\d)"),
    ("Is requesting ......", "Reading......", "Reading…", "holds the design's 're:\\\\.\\\\.\\\\.'"),
    ("Unfinished", "", "Not available", "no finished translation"),
]


def ts_file(folder, translations):
    messages = "".join(f"<message><source>{s}</source><translation>{t}</translation></message>"
                       for (s, *_), t in zip(CASES, translations))
    path = Path(folder) / "check.ts"
    path.write_text(f'<?xml version="1.0" encoding="utf-8"?><!DOCTYPE TS><TS version="2.1" language="en_US">'
                    f"<context><name>lxv</name>{messages}</context></TS>", encoding="utf-8")
    return path


def main():
    typos = translation_check.read_typos(sys.argv[1])
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        found = translation_check.problems(ts_file(folder, [c[1] for c in CASES]), typos)
        for source, faulty, _, reported in CASES:
            source_text = source.replace(CR, "\r")
            hits = [f for f in found if f"{source_text!r}" in f]
            if reported is None and hits:
                failures.append(f"sound {faulty!r} reported: {hits}")
            if reported is not None and not any(reported in f for f in hits):
                failures.append(f"{faulty!r} for {source_text!r} not reported as {reported!r}: {hits}")
        sound = translation_check.problems(ts_file(folder, [c[2] for c in CASES]), typos)
        failures += [f"sound translation reported: {f}" for f in sound]
    for line in failures:
        print(line)
    print(f"{len(CASES)} cases, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
