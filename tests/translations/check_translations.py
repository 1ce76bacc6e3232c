#!/usr/bin/env python3
"""Checks the shipped translations: each is complete, keeps what the program
fills in and what the keyboard needs, and is not behind the sources.

usage: check_translations.py SOURCE_ROOT [LUPDATE]

Without LUPDATE only the files themselves are checked.
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

LAYERS = ["core", "store", "widgets", "audio", "dialogs", "desktop", "app"]
PLACEHOLDER = re.compile(r"%(?:n|L?\d)")
ACCELERATOR = re.compile(r"&(?!&)(?=\w)")


def texts(message):
    """The translated texts of a message: one, or one per plural form."""
    translation = message.find("translation")
    forms = translation.findall("numerusform")
    return translation, ([f.text or "" for f in forms] if forms else [translation.text or ""])


def problems_in(ts_path):
    found = []
    root = ET.parse(ts_path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            where = f"{ts_path.name}: {name}: {source!r}"
            translation, translated = texts(message)
            kind = translation.get("type")
            if kind in ("unfinished", "obsolete", "vanished"):
                found.append(f"{where}: {kind}")
                continue
            for text in translated:
                if not text.strip():
                    found.append(f"{where}: empty translation")
                    continue
                wanted = sorted(set(PLACEHOLDER.findall(source)))
                if message.get("numerus") == "yes":
                    wanted = sorted(set(wanted) | {"%n"})
                    have = sorted(set(PLACEHOLDER.findall(text)) | {"%n"})
                else:
                    have = sorted(set(PLACEHOLDER.findall(text)))
                if have != wanted:
                    found.append(f"{where}: fills in {have}, the source {wanted}: {text!r}")
                if len(ACCELERATOR.findall(source)) != len(ACCELERATOR.findall(text)):
                    found.append(f"{where}: the keyboard accelerator is lost: {text!r}")
                if source.count("\n") != text.count("\n"):
                    found.append(f"{where}: another number of line breaks: {text!r}")
                if source.endswith("...") and not text.endswith("..."):
                    found.append(f"{where}: a menu item that opens a window ends in '...': {text!r}")
    return found


MARKED = re.compile(r'(?:\btr\(|QT_TR_NOOP\(|QT_TRANSLATE_NOOP\("[^"]+",|'
                    r'QCoreApplication::translate\("[^"]+",)\s*"((?:[^"\\]|\\.)*)"')


def unescape(literal):
    """The text of a C++ string literal's body."""
    return re.sub(r'\\(u[0-9A-Fa-f]{4}|.)',
                  lambda m: chr(int(m.group(1)[1:], 16)) if len(m.group(1)) == 5
                  else {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), literal)


def unmarked_by_lupdate(source_root, ts_path):
    """Texts marked in the sources that lupdate did not take in (it skips a
    call it cannot read, such as a plural count it cannot parse)."""
    sources = {m.findtext("source") or "" for m in ET.parse(ts_path).getroot().iter("message")}
    found = []
    for layer in LAYERS:
        for path in sorted((source_root / layer).glob("*.[ch]*")):
            for match in MARKED.finditer(path.read_text(encoding="utf-8")):
                start = unescape(match.group(1))
                if not any(s.startswith(start) for s in sources):
                    found.append(f"{path.relative_to(source_root)}: {start!r} is not in {ts_path.name}")
    return found


def behind_sources(source_root, ts_files, lupdate):
    """What lupdate would add to or retire from copies of the files."""
    found = []
    with tempfile.TemporaryDirectory() as scratch:
        copies = []
        for ts in ts_files:
            copy = pathlib.Path(scratch) / ts.name
            shutil.copy(ts, copy)
            copies.append(copy)
        run = subprocess.run(
            [lupdate, "-I", str(source_root), "-locations", "none", "-silent"]
            + [str(source_root / layer) for layer in LAYERS]
            + ["-ts"] + [str(c) for c in copies],
            capture_output=True, text=True)
        if run.returncode != 0:
            return [f"lupdate failed: {run.stderr.strip()}"]
        for copy in copies:
            root = ET.parse(copy).getroot()
            for context in root.iter("context"):
                for message in context.iter("message"):
                    kind = message.find("translation").get("type")
                    if kind in ("unfinished", "obsolete", "vanished"):
                        what = "new in the sources" if kind == "unfinished" else "gone from the sources"
                        found.append(f"{copy.name}: {context.findtext('name')}: "
                                     f"{message.findtext('source')!r} is {what}")
    return found


def main():
    source_root = pathlib.Path(sys.argv[1]).resolve()
    ts_files = sorted((source_root / "translations").glob("quorvantel_*.ts"))
    if not ts_files:
        print("no translations found", file=sys.stderr)
        return 1
    found = []
    for ts in ts_files:
        found += problems_in(ts)
    found += unmarked_by_lupdate(source_root, ts_files[0])
    if len(sys.argv) > 2:
        found += behind_sources(source_root, ts_files, sys.argv[2])
    for line in found:
        print(line)
    print(f"{len(ts_files)} translations checked, {len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
