#!/usr/bin/env python3
"""Writes an MDB archive for measuring tessaro-cli at scale (not committed data).

make_scale_archive.py COUNT OUT.mdx
Half the entries go into one category, half spread over 700 more; one in ten
is a sub entry of the group before it. Group keys repeat, arrival is shuffled.
"""
import random
import struct
import sys

RECORD = 288


def record(category, title, style, tempo):
    data = bytearray(RECORD)
    data[0:16] = title.encode()[:16].ljust(16, b"\0")
    data[16] = 1
    data[19] = style
    data[20:36] = category.encode()[:16].ljust(16, b"\0")
    data[37] = style
    data[260:262] = struct.pack(">H", tempo)
    return bytes(data)


def main():
    count, path = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(11)
    with open(path, "wb") as out:
        out.write(b"%%%MDB-Archiv%%%")
        block = []
        for i in range(count):
            category = "Everything" if i % 2 == 0 else "Cat%03d" % rng.randrange(700)
            style = rng.randrange(245)
            tempo = 40 + rng.randrange(240)
            title = ("  sub %d" if i % 10 == 9 else "Entry %d") % i
            block.append(record(category, title, style, tempo))
            if len(block) == 10000:
                out.write(b"".join(block))
                block = []
        out.write(b"".join(block))


if __name__ == "__main__":
    main()
