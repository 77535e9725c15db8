#!/usr/bin/env python3
"""Writes a Z_Orbi.DAT for the black-box tests.

    make_catalogue.py OUT --tab NAME [--item PATH SUMMARY PICK MEMO]... [--tab NAME ...]

Texts are given in UTF-8 and stored as Shift-JIS; each --item belongs to the
--tab before it.
"""
import struct
import sys


def counted(text):
    data = text.encode("cp932")
    return struct.pack("<i", len(data) + 1) + data + b"\0"


def main(argv):
    out, args = argv[0], argv[1:]
    tabs = []
    i = 0
    while i < len(args):
        if args[i] == "--tab":
            tabs.append((args[i + 1], []))
            i += 2
        elif args[i] == "--item":
            path, summary, pick, memo = args[i + 1 : i + 5]
            tabs[-1][1].append((path, summary, int(pick), memo))
            i += 5
        else:
            raise SystemExit(f"unknown argument {args[i]}")
    items = [(t, p, item) for t, (_, tab) in enumerate(tabs) for p, item in enumerate(tab)]
    image = b"Z_Orbi.DataFile\0" + struct.pack("<ii", len(tabs), len(items))
    image += b"".join(counted(name) for name, _ in tabs)
    for tab_no, position, (path, summary, pick, memo) in items:
        image += counted(path) + counted(summary) + struct.pack("<ii", tab_no, position)
        image += counted(memo) + counted("") + counted("") + struct.pack("<ii", pick, 0)
    with open(out, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    main(sys.argv[1:])
