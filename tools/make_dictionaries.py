#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Build the sample dictionaries shipped in samples/Dic/ from UTF-8 sources.

Sources live in tools/dictionaries/*.txt (UTF-8, LF or CR LF line ends).
Line format, same as the shipped files:
  * the first line is a title and must not hold a TAB;
  * a line with one TAB is an entry: "word<TAB>translation";
  * any other line (comment, blank line) is ignored by the program.

Each source is written to samples/Dic/<same name> with CR LF line ends, in
the encoding listed in DICTIONARIES below:
  * "cp1251"   - 8-bit Windows-1251 text, no byte-order mark;
  * "utf-16le" - UTF-16LE preceded by the byte-order mark FF FE.

The script stops with an error (exit code 1, nothing written) if a source
breaks a rule: a character the target encoding cannot hold, more than one
TAB in a line, blanks at the start or end of a word or translation, an empty
side of an entry, a duplicate word or a duplicate translation, a text that
is too long for the answer buttons, or too few entries.

Usage:
  python3 tools/make_dictionaries.py          # check sources, write outputs
  python3 tools/make_dictionaries.py --check  # check sources and verify that
                                              # samples/Dic/ is up to date
"""

import pathlib
import sys
import unicodedata

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE_DIR = ROOT / "tools" / "dictionaries"
OUTPUT_DIR = ROOT / "samples" / "Dic"

# source file name -> (output encoding, minimum number of entries)
DICTIONARIES = {
    "english_school.txt": ("cp1251", 300),
    "english_phrases.txt": ("utf-16le", 80),
    # German needs ä ö ü ß, which Windows-1251 does not have.
    "german_school.txt": ("utf-16le", 150),
}

UTF16_BOM = b"\xff\xfe"
CRLF = "\r\n"

MAX_WORD = 39          # words/phrases must stay under 40 characters
MAX_TRANSLATION = 60   # hard limit for the 209 x 51 answer button
SOFT_TRANSLATION = 30  # longer translations only give a warning


class DictionaryError(Exception):
    pass


def fold(text):
    """Key used to find duplicates: case-insensitive, ё counted as е."""
    return text.casefold().replace("ё", "е")


def has_edge_blank(text):
    return text != text.strip() or (text and (
        unicodedata.category(text[0]) == "Zs"
        or unicodedata.category(text[-1]) == "Zs"))


def read_source(path):
    raw = path.read_bytes()
    if raw.startswith(b"\xef\xbb\xbf"):
        raise DictionaryError(f"{path.name}: remove the UTF-8 byte-order mark")
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as exc:
        raise DictionaryError(f"{path.name}: not valid UTF-8: {exc}") from None
    lines = text.split("\n")
    lines = [ln[:-1] if ln.endswith("\r") else ln for ln in lines]
    while lines and lines[-1] == "":
        lines.pop()  # trailing line ends of the source file
    return lines


def check_lines(name, lines, encoding, minimum):
    """Return (entries, warnings); raise DictionaryError listing all faults."""
    errors = []
    warnings = []
    entries = []
    words = {}
    translations = {}

    if not lines:
        raise DictionaryError(f"{name}: empty source")
    title = lines[0]
    if "\t" in title:
        errors.append(f"{name}:1: the first line must be a title, not an entry")
    if not title.strip():
        errors.append(f"{name}:1: the title line is empty")
    if encoding == "cp1251":
        try:
            if title.encode("cp1251").startswith(UTF16_BOM):
                errors.append(f"{name}:1: title starts with bytes FF FE and "
                              "would be taken for a UTF-16 mark")
        except UnicodeEncodeError:
            pass  # reported below

    for number, line in enumerate(lines, start=1):
        where = f"{name}:{number}"
        for col, ch in enumerate(line, start=1):
            if ch == "\t":
                continue
            if ch == "\r" or unicodedata.category(ch) in ("Cc", "Cf", "Cs"):
                errors.append(f"{where}:{col}: control/format character "
                              f"U+{ord(ch):04X}")
            elif ord(ch) > 0xFFFF:
                errors.append(f"{where}:{col}: character U+{ord(ch):04X} "
                              "outside the Basic Multilingual Plane")
            else:
                try:
                    ch.encode(encoding)
                except UnicodeEncodeError:
                    errors.append(f"{where}:{col}: {ch!r} (U+{ord(ch):04X}) "
                                  f"cannot be encoded in {encoding}")
        if line and has_edge_blank(line):
            errors.append(f"{where}: blank at the start or end of the line")

        if "\t" not in line or number == 1:
            continue
        if line.count("\t") > 1:
            errors.append(f"{where}: more than one TAB")
            continue
        word, translation = line.split("\t")
        for label, text in (("word", word), ("translation", translation)):
            if not text:
                errors.append(f"{where}: empty {label}")
            elif has_edge_blank(text):
                errors.append(f"{where}: blank around the TAB ({label} "
                              f"{text!r})")
        if len(word) > MAX_WORD:
            errors.append(f"{where}: word longer than {MAX_WORD} characters")
        if len(translation) > MAX_TRANSLATION:
            errors.append(f"{where}: translation longer than "
                          f"{MAX_TRANSLATION} characters")
        elif len(translation) > SOFT_TRANSLATION:
            warnings.append(f"{where}: long translation ({len(translation)} "
                            f"characters): {translation}")
        key = fold(word)
        if key in words:
            errors.append(f"{where}: duplicate word {word!r} "
                          f"(first on line {words[key]})")
        else:
            words[key] = number
        key = fold(translation)
        if key in translations:
            errors.append(f"{where}: duplicate translation {translation!r} "
                          f"(first on line {translations[key]})")
        else:
            translations[key] = number
        entries.append((word, translation))

    if len(entries) < minimum:
        errors.append(f"{name}: {len(entries)} entries, at least {minimum} "
                      "needed")
    if errors:
        raise DictionaryError("\n".join(errors))
    return entries, warnings


def encode(lines, encoding):
    text = CRLF.join(lines) + CRLF
    if encoding == "utf-16le":
        return UTF16_BOM + text.encode("utf-16-le")
    return text.encode(encoding)


def decode_back(data, encoding):
    """Read a shipped file back the way the program does."""
    if data.startswith(UTF16_BOM):
        if encoding != "utf-16le":
            raise DictionaryError("unexpected UTF-16 byte-order mark")
        text = data[2:].decode("utf-16-le")
    else:
        if encoding != "cp1251":
            raise DictionaryError("UTF-16 byte-order mark missing")
        text = data.decode("cp1251")
    lines = text.replace("\r", "").split("\n")
    first = 1 if encoding == "cp1251" else 0  # 1251: line 1 is never an entry
    return [tuple(ln.split("\t", 1)) for ln in lines[first:] if "\t" in ln]


def build(check_only):
    known = set(DICTIONARIES)
    found = {p.name for p in SOURCE_DIR.glob("*.txt")}
    problems = []
    for extra in sorted(found - known):
        problems.append(f"{extra}: source without an entry in DICTIONARIES")
    for missing in sorted(known - found):
        problems.append(f"{missing}: source file missing")

    outputs = {}
    for name, (encoding, minimum) in DICTIONARIES.items():
        if name not in found:
            continue
        try:
            lines = read_source(SOURCE_DIR / name)
            entries, warnings = check_lines(name, lines, encoding, minimum)
        except DictionaryError as exc:
            problems.append(str(exc))
            continue
        for w in warnings:
            print("warning:", w, file=sys.stderr)
        data = encode(lines, encoding)
        if decode_back(data, encoding) != entries:
            problems.append(f"{name}: round trip through {encoding} differs")
            continue
        outputs[name] = (data, encoding, len(entries))

    if problems:
        print("error:\n" + "\n".join(problems), file=sys.stderr)
        return 1

    stale = []
    if not check_only:
        OUTPUT_DIR.mkdir(parents=True, exist_ok=True)
    for name, (data, encoding, count) in outputs.items():
        target = OUTPUT_DIR / name
        if check_only:
            if not target.exists() or target.read_bytes() != data:
                stale.append(name)
            state = "stale" if name in stale else "up to date"
        else:
            target.write_bytes(data)
            state = "written"
        print(f"{target.relative_to(ROOT)}: {count} entries, {encoding}, "
              f"{len(data)} bytes, {state}")
    if stale:
        print("error: run tools/make_dictionaries.py to refresh: "
              + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


def main(argv):
    args = argv[1:]
    if args not in ([], ["--check"]):
        print(__doc__, file=sys.stderr)
        return 2
    return build(check_only=bool(args))


if __name__ == "__main__":
    sys.exit(main(sys.argv))
