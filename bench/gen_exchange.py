#!/usr/bin/env python3
"""Writes exchange files ("jwc_temp.txt") of a given size for the reader's
benchmark: an "hq" line, a header of scales, groups and layers, then a mix of
line, arc, point, text, solid and block records with attribute lines between
them, with coordinates as a CAD host writes them. Shift-JIS, CR LF.

usage: gen_exchange.py OUT_DIR [SIZE_MB ...]   (default sizes: 1 10 100)
"""
import os
import random
import sys

TEXTS = ["平面図", "通り芯", "ドア", "窓", "階段", "１階平面図 S=1/100", "寸法", "W=900",
         "洗面所", "浴室", "キッチン", "リビング・ダイニング", "ソファー", "表示"]
TEXTS = [t.encode("cp932") for t in TEXTS]


def coord(rng):
    r = rng.random()
    if r < 0.25:  # on the grid
        return str(rng.randrange(-20000, 20000, 5))
    if r < 0.55:  # a few decimals
        return f"{rng.uniform(-20000, 20000):.{rng.randint(1, 4)}f}"
    return repr(round(rng.uniform(-20000, 20000), rng.randint(8, 11)))  # full precision


def header(rng):
    out = [b"hq", b"file C:\\jww\\" + "設計".encode("cp932") + b"\\plan.jww",
           b"hs " + b" ".join(str(rng.choice([1, 50, 100, 200])).encode() for _ in range(16)),
           b"hk 0", b"hn 0 0 0 0",
           b"hcw " + b" ".join(b"%d" % rng.randint(2, 10) for _ in range(10)),
           b"hch " + b" ".join(b"%d" % rng.randint(2, 10) for _ in range(10)),
           b"hcd " + b" ".join(b"0.5" for _ in range(10)),
           b"hcc " + b" ".join(b"%d" % rng.randint(1, 9) for _ in range(10))]
    for g in "0123456789abcdef":
        out.append(b"LAYCND_%s(2)," % g.encode() + b",".join(b"2" for _ in range(16)))
        out.append(b"LAYNAM_%s(" % g.encode() + "グループ".encode("cp932") + b")," +
                   b",".join(("レイヤ%d" % i).encode("cp932") for i in range(16)))
        out.append(b"lg" + g.encode() + b" 01")
        for layer in "0123456789abcdef":
            out.append(b"ly" + layer.encode() + b" 1")
    out += [b"lg0", b"ly0", b"lc1", b"lt1", b"pn1", b"cn0 3 3 0.5 1", b"#"]
    return out


def body_line(rng):
    r = rng.random()
    if r < 0.08:
        return rng.choice([b"lg%x" % rng.randrange(16), b"ly%x" % rng.randrange(16),
                           b"lc%d" % rng.randint(1, 9), b"lt%d" % rng.randint(1, 9),
                           b"lc10 %d" % rng.randrange(1 << 24), b"z%d" % rng.randint(0, 9),
                           b"pn%d" % rng.randint(1, 9), b"cn%d" % rng.randint(1, 10),
                           b"hhp " + coord(rng).encode()])
    if r < 0.68:
        return b" " + " ".join(coord(rng) for _ in range(4)).encode()
    if r < 0.78:
        extra = "" if rng.random() < 0.6 else " %s %s 1 0" % (
            f"{rng.uniform(0, 360):.6f}", f"{rng.uniform(0, 360):.6f}")
        return ("ci %s %s %s" % (coord(rng), coord(rng), f"{rng.uniform(1, 3000):.4f}") + extra).encode()
    if r < 0.84:
        return ("pt %s %s" % (coord(rng), coord(rng))).encode()
    if r < 0.93:
        kind = rng.choice([b"ch", b"cs", b"cb"])
        return (kind + (" %s %s %s 0 \"" % (coord(rng), coord(rng), rng.choice(["1", "0.866025403784439", "0.5"]))).encode()
                + rng.choice(TEXTS))
    if r < 0.99:
        return (rng.choice(["sc", "sl", "so"]) + " " + " ".join(coord(rng) for _ in range(8))).encode()
    return ("BL %s %s @%s" % (coord(rng), coord(rng), rng.choice(["door", "window", "wc"]))).encode()


def write(path, size, seed):
    rng = random.Random(seed)
    with open(path, "wb") as f:
        written = 0
        for line in header(rng):
            f.write(line + b"\r\n")
            written += len(line) + 2
        chunk = []
        while written < size:
            line = body_line(rng) + b"\r\n"
            chunk.append(line)
            written += len(line)
            if len(chunk) >= 4096:
                f.write(b"".join(chunk))
                chunk = []
        f.write(b"".join(chunk))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    sizes = [int(s) for s in sys.argv[2:]] or [1, 10, 100]
    os.makedirs(out, exist_ok=True)
    for mb in sizes:
        path = os.path.join(out, "exchange_%dmb.txt" % mb)
        if not os.path.exists(path) or os.path.getsize(path) < mb << 20:
            write(path, mb << 20, mb)
        print(path)


if __name__ == "__main__":
    main()
