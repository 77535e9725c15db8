"""The search fold against Unicode, character by character.

Every character of code page 932 is decoded with Python's own cp932 codec and
given a key from Unicode's data: its width form (<wide>/<narrow>) taken away,
voiced kana split into base and sound mark, hiragana as katakana, ASCII
letters in small case and blanks as one space. Two characters must fold to the
same bytes exactly when their keys are equal.

A character with several codes is taken at the one Windows writes when it
converts to code page 932: the lowest, never one of the NEC-selected rows
0xED and 0xEE. The other codes come only from other programs' files.

    python3 fold_reference.py FOLD_TABLE_PROGRAM
"""
import subprocess
import sys
import unicodedata

VOICED, SEMI_VOICED = "\u309b", "\u309c"
MARKS = {"\u3099": VOICED, "\u309a": SEMI_VOICED, VOICED: VOICED, SEMI_VOICED: SEMI_VOICED}


def width_base(c):
    d = unicodedata.decomposition(c).split()
    if len(d) == 2 and d[0] in ("<wide>", "<narrow>"):
        return chr(int(d[1], 16))
    return c


def key(c):
    if 1 <= ord(c) <= 32:
        return " "
    c = width_base(c)
    out = []
    d = unicodedata.decomposition(c).split()
    parts = [chr(int(p, 16)) for p in d] if len(d) == 2 and not d[0].startswith("<") else [c]
    for p in parts:
        p = MARKS.get(p, p)
        if "\u3041" <= p <= "\u3096" or "\u309d" <= p <= "\u309e":
            p = chr(ord(p) + 0x60)
        out.append(p.lower() if p.isascii() else p)
    return "".join(out)


def main():
    table = subprocess.run([sys.argv[1]], check=True, capture_output=True, text=True).stdout
    written = {}  # character: (code, folded)
    for line in table.splitlines():
        code, folded = line.split(" ") if " " in line else (line, "")
        n = int(code, 16)
        raw = bytes([n]) if n < 0x100 else bytes([n >> 8, n & 0xFF])
        try:
            c = raw.decode("cp932")
        except UnicodeDecodeError:
            continue  # no character of the code page
        if len(c) != 1 or 0xED00 <= n <= 0xEEFF or c in written:
            continue
        written[c] = (code, folded)
    by_key, by_fold = {}, {}
    for c, (code, folded) in written.items():
        k = key(c)
        by_key.setdefault(k, set()).add((folded, code))
        by_fold.setdefault(folded, set()).add((k, code))
    faults = []
    for k, folds in sorted(by_key.items()):
        if len({f for f, _ in folds}) > 1:
            faults.append("same character %r folds apart: %s" % (k, sorted(c for _, c in folds)))
    for f, keys in sorted(by_fold.items()):
        if len({k for k, _ in keys}) > 1:
            faults.append("different characters fold alike: %s" % sorted(
                "%s=%r" % (c, k) for k, c in keys))
    for fault in faults:
        print(fault)
    print("%d characters, %d faults" % (len(table.splitlines()), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
