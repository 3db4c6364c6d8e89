"""Writes a small compound file the way another implementation might: version 4 with
4096-byte sectors, a mini stream, a two-entry sibling tree, and a storage "Ledgerward" whose
stream "config" holds the bytes given in hex.

usage: write_cfb_v4.py <file> <hex bytes of the stream>
"""
import struct
import sys

SECTOR = 4096
FREE, END, FATSECT, NOSTREAM = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF


def entry(name, kind, left=NOSTREAM, right=NOSTREAM, child=NOSTREAM, start=0, size=0):
    encoded = (name + "\0").encode("utf-16-le") if name else b""
    return (encoded.ljust(64, b"\0") + struct.pack("<HBB", len(encoded), kind, 1)
            + struct.pack("<III", left, right, child) + b"\0" * 16 + struct.pack("<I", 0)
            + b"\0" * 16 + struct.pack("<IQ", start, size))


def main():
    path, data = sys.argv[1], bytes.fromhex(sys.argv[2])
    assert len(data) < 4096
    mini_sectors = max(1, (len(data) + 63) // 64)

    header = bytearray(b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16)
    header += struct.pack("<HHHHH", 0x3E, 4, 0xFFFE, 12, 6) + b"\0" * 6
    header += struct.pack("<IIII", 1, 1, 1, 0)        # directory sectors, FAT sectors, first directory, transaction
    header += struct.pack("<IIIII", 4096, 2, 1, END, 0)  # cutoff, first mini FAT, mini FAT sectors, first DIFAT, DIFAT sectors
    header += struct.pack("<I", 0) + struct.pack("<I", FREE) * 108
    header = bytes(header).ljust(SECTOR, b"\0")

    fat = struct.pack("<IIII", FATSECT, END, END, END).ljust(SECTOR, b"\xFF")
    entries = [
        entry("Root Entry", 5, child=1, start=3, size=64 * mini_sectors),
        entry("Ledgerward", 1, left=3, child=2),
        entry("config", 2, start=0, size=len(data)),
        entry("Other", 1),
    ]
    directory = b"".join(entries).ljust(SECTOR, b"\0")
    for unused in range(len(entries), SECTOR // 128):
        directory = directory[:unused * 128 + 68] + struct.pack("<III", NOSTREAM, NOSTREAM, NOSTREAM) + directory[unused * 128 + 80:]
    chain = [i + 1 for i in range(mini_sectors - 1)] + [END]
    minifat = struct.pack("<%dI" % len(chain), *chain).ljust(SECTOR, b"\xFF")
    ministream = data.ljust(SECTOR, b"\0")

    with open(path, "wb") as out:
        out.write(header + fat + directory + minifat + ministream)


main()
