#!/usr/bin/env python3
"""Refuses a resource module in which one id stands for two things.

The module is put together from one script per area, each with its own header of ids. windres
takes a string id that two string tables define without a word and keeps one of the texts, so
that the other area silently shows a text that was never meant for it. This reads the script
after the C preprocessor (so every name is already its number) and fails when a string id, or
a dialog, menu, bitmap or other resource id of one type, is defined more than once.

    python3 check_resource_ids.py <preprocessed .rc> <stamp file to write when all is well>
"""
import re
import sys

TYPES = ("DIALOGEX", "DIALOG", "MENUEX", "MENU", "BITMAP", "ICON", "CURSOR", "RCDATA", "HTML",
         "ACCELERATORS", "VERSIONINFO")


class Reader:
    def __init__(self, text):
        self.text = text
        self.pos = 0

    def skip_space(self):
        while True:
            m = re.compile(r"\s+|//[^\n]*|/\*.*?\*/", re.S).match(self.text, self.pos)
            if not m or m.end() == self.pos:
                return
            self.pos = m.end()

    def match(self, pattern):
        self.skip_space()
        m = re.compile(pattern, re.S).match(self.text, self.pos)
        if m:
            self.pos = m.end()
        return m

    def string(self):
        """One string entry's text: adjacent literals join; "" inside a literal is a quote."""
        parts = []
        while True:
            m = self.match(r'L?"((?:[^"]|"")*)"')
            if not m:
                return "".join(parts) if parts else None
            parts.append(m.group(1).replace('""', '"'))


def number(expression):
    """An id after preprocessing: a number, perhaps in parentheses or a small sum."""
    if not re.fullmatch(r"[\s0-9xXa-fA-FlLuU()+\-*|]+", expression):
        return None
    try:
        return int(eval(re.sub(r"(?<=[0-9a-fA-F])[lLuU]+", "", expression), {"__builtins__": {}}))
    except (SyntaxError, ValueError, TypeError, ZeroDivisionError):
        return None


def string_tables(text):
    """Yields (id, text) for every entry of every STRINGTABLE, and the problems met."""
    problems = []
    entries = []
    for m in re.finditer(r"\bSTRINGTABLE\b", text):
        r = Reader(text)
        r.pos = m.end()
        # Options (LANGUAGE, DISCARDABLE ...) stand before the block opens.
        while not r.match(r"BEGIN\b|\{"):
            if not r.match(r"[^\s{]+"):
                problems.append("a string table that never opens")
                break
        while True:
            if r.match(r"END\b|\}"):
                break
            m_id = r.match(r"[^,\"\s][^,\"]*?(?=\s*,|\s*L?\")")
            if not m_id:
                problems.append("an unreadable string table entry near: " + text[r.pos:r.pos + 60])
                break
            r.match(r",")
            value = r.string()
            ident = number(m_id.group(0).strip())
            if ident is None or value is None:
                problems.append("an unreadable string table entry: " + m_id.group(0).strip())
                break
            entries.append((ident, value))
    return entries, problems


def other_resources(text):
    found = []
    pattern = r"^\s*(\d+)\s+(" + "|".join(TYPES) + r")\b"
    for m in re.finditer(pattern, text, re.M):
        kind = m.group(2).replace("EX", "")
        found.append(((kind, int(m.group(1))), m.group(0).strip()))
    return found


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8", errors="replace") as f:
        text = f.read()
    faults = []

    strings, problems = string_tables(text)
    faults += problems
    by_id = {}
    for ident, value in strings:
        by_id.setdefault(ident, []).append(value)
    for ident, values in sorted(by_id.items()):
        if len(values) > 1:
            faults.append("string %d is defined %d times: %s" % (ident, len(values), " | ".join(values)))

    seen = {}
    for key, line in other_resources(text):
        seen.setdefault(key, []).append(line)
    for (kind, ident), lines in sorted(seen.items()):
        if len(lines) > 1:
            faults.append("%s %d is defined %d times" % (kind, ident, len(lines)))

    if not strings:
        faults.append("no string table was found: is this the preprocessed resource script?")
    if faults:
        for fault in faults:
            print("resource ids: " + fault, file=sys.stderr)
        sys.exit(1)
    with open(sys.argv[2], "w") as f:
        f.write("%d strings, %d other resources, each id once\n" % (len(strings), len(seen)))


if __name__ == "__main__":
    main()
