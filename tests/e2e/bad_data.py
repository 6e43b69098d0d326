#!/usr/bin/env python3
"""Builds a damaged copy of the game's data folder for one case of bad_data.sh.

usage: bad_data.py CASE GOOD_DAT OUT_DAT
  missing:REL   every file of GOOD_DAT but REL (a link to each)
  truncated     every file cut short, each at another place
  empty         every file zero bytes long
  noise         a valid start, then random bytes
  absurd        counts and lengths far beyond the file or any sane size

In the corrupt cases all eleven files are damaged at once (they are read one by one and
cannot disturb each other), and where the case allows each file in its own way: one start of
the game then tries seven kinds of damage on the AC3D reader, two on the PNG check and two on
the WAV loader.
"""
import os
import random
import struct
import sys
import zlib

MODELS = ["sphere", "sphere_s", "boat", "oar", "edge", "box", "lighthouse"]
IMAGES = ["baby", "quellorn"]
SAMPLES = ["growl", "baby"]


def files():
    return ([f"models/{m}.ac" for m in MODELS] + [f"img/{i}.png" for i in IMAGES] +
            [f"samples/{s}.wav" for s in SAMPLES])


def chunk(kind, data):
    crc = zlib.crc32(kind + data) & 0xFFFFFFFF
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)


def ihdr(width, height):
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))


def riff(chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def fmt_chunk(channels=1, rate=44100, bits=16):
    align = channels * bits // 8
    return b"fmt " + struct.pack("<IHHIIHH", 16, 1, channels, rate, rate * align & 0xFFFFFFFF,
                                 align & 0xFFFF, bits)


# A model that is otherwise fine: one object, a triangle.
def model(numvert="3", verts="0 0 0\n1 0 0\n0 1 0\n", numsurf="1",
          refs="refs 3\n0 0 0\n1 0 0\n2 0 0\n", kids="0"):
    return (f"AC3Db\nOBJECT world\nkids 1\nOBJECT poly\nname \"bad\"\nnumvert {numvert}\n{verts}"
            f"numsurf {numsurf}\nSURF 0x10\nmat 0\n{refs}kids {kids}\n").encode()


ABSURD_MODELS = [
    model(numvert="2000000000"),                          # far more vertices than follow
    model(numsurf="2000000000"),                          # far more surfaces than follow
    model(refs="refs 2000000000\n0 0 0\n1 0 0\n2 0 0\n"), # a surface of two billion corners
    model(refs="refs 3\n0 0 0\n2000000000 0 0\n-1 0 0\n"),  # corners past both ends
    model(numvert="-5", numsurf="-1"),                    # negative counts
    model(kids="2000000000") + b"OBJECT poly\nkids 2000000000\n" * 3,  # children never given
    model(numvert="99999999999999999999"),                # a count no integer holds
]


def damaged(case, rel, good, rng):
    slot = files().index(rel)
    if case == "empty":
        return b""
    if case == "truncated":
        if rel.endswith(".ac"):
            return good[:len(good) * (slot + 1) // 8]     # an eighth, two eighths, ...
        if rel.endswith(".png"):
            return good[:20] if slot == 7 else good[:len(good) // 2]  # inside IHDR / IDAT
        return good[:30] if rel == "samples/growl.wav" else good[:len(good) // 2]  # fmt / data
    if case == "noise":
        junk = bytes(rng.randrange(256) for _ in range(4096))
        if rel.endswith(".ac"):
            if slot < 4:
                return b"AC3Db\n" + junk
            # Words the reader knows among random numbers reach deeper than raw bytes.
            words = ["OBJECT", "poly", "numvert", "numsurf", "SURF", "mat", "refs", "kids",
                     "MATERIAL", "name", "loc", "rot"]
            soup = " ".join(rng.choice(words) if rng.random() < 0.3 else
                            str(rng.randint(-5, 40)) for _ in range(3000))
            return b"AC3Db\n" + soup.encode()
        if rel == "img/baby.png":
            return ihdr(128, 128) + junk
        if rel.endswith(".png"):  # well-formed chunks, but the image data is not deflate's
            return ihdr(128, 128) + chunk(b"IDAT", junk) + chunk(b"IEND", b"")
        if rel == "samples/growl.wav":
            return riff([]) + junk
        return riff([fmt_chunk()]) + junk
    if case == "absurd":
        if rel.endswith(".ac"):
            return ABSURD_MODELS[slot]
        if rel == "img/baby.png":  # 100000 x 100000, with data for a few rows only
            rows = zlib.compress(b"\0" * 4 * 100001 * 4)
            return ihdr(100000, 100000) + chunk(b"IDAT", rows) + chunk(b"IEND", b"")
        if rel.endswith(".png"):   # a chunk that claims nearly 4 GiB
            return ihdr(128, 128) + struct.pack(">I", 0xFFFFFFF0) + b"IDAT" + good[41:1000]
        if rel == "samples/growl.wav":  # the data chunk claims 0xFFFFFFF0 bytes
            return riff([fmt_chunk(), b"data" + struct.pack("<I", 0xFFFFFFF0) + good[44:]])
        # recorded at 1 Hz: made into 44100 Hz it would take gigabytes
        return riff([fmt_chunk(rate=1), good[36:]])
    sys.exit(f"bad_data.py: no case {case}")


def main():
    case, good_dat, out = sys.argv[1:4]
    rng = random.Random(11)  # the same damage every run
    if case.startswith("missing:") and case[len("missing:"):] not in files():
        sys.exit(f"bad_data.py: the game has no file {case[len('missing:'):]}")
    for rel in files():
        os.makedirs(os.path.join(out, os.path.dirname(rel)), exist_ok=True)
        src, dst = os.path.join(good_dat, rel), os.path.join(out, rel)
        if case.startswith("missing:"):
            if rel != case[len("missing:"):]:
                os.symlink(os.path.abspath(src), dst)
            continue
        with open(src, "rb") as f:
            good = f.read()
        with open(dst, "wb") as f:
            f.write(damaged(case, rel, good, rng))


if __name__ == "__main__":
    main()
