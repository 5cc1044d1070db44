"""Every bundled PNG decodes, and stores each row without a filter.

Start-up decodes every picture, and a filtered row (Paeth above all) costs the
decoder several times an unfiltered one; a PNG saved by another tool is
filtered as a rule. resources/render-pictures.sh --reencode puts that right.
"""
import pathlib
import struct
import sys
import zlib


def faults(path):
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return ["not a PNG file"]
    chunks, pos = [], 8
    while not chunks or chunks[-1][0] != b"IEND":
        if pos + 12 > len(data):
            return ["cut short"]
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body, crc = data[pos + 8:pos + 8 + length], data[pos + 8 + length:pos + 12 + length]
        if len(crc) != 4 or zlib.crc32(kind + body) != struct.unpack(">I", crc)[0]:
            return ["chunk %r is damaged" % kind.decode("latin-1")]
        chunks.append((kind, body))
        pos += 12 + length
    if chunks[0][0] != b"IHDR" or len(chunks[0][1]) != 13:
        return ["no IHDR chunk first"]
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour)
    if channels is None or depth not in (1, 2, 4, 8, 16) or width == 0 or height == 0:
        return ["colour type %d at %d bits is not a PNG format" % (colour, depth)]
    if interlace:
        return ["interlaced: its rows are not stored one after the other"]
    stride = (width * channels * depth + 7) // 8
    try:
        raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    except zlib.error as error:
        return ["pixel data do not inflate: %s" % error]
    if len(raw) != height * (stride + 1):
        return ["%d bytes of pixel data, %d expected" % (len(raw), height * (stride + 1))]
    filtered = [y for y in range(height) if raw[y * (stride + 1)] != 0]
    if filtered:
        return ["%d of %d rows filtered, the first row %d with type %d"
                % (len(filtered), height, filtered[0], raw[filtered[0] * (stride + 1)])]
    return []


def main(folder):
    pictures = sorted(pathlib.Path(folder).glob("*.png"))
    if not pictures:
        sys.exit("no PNG in %s" % folder)
    failed = [(path.name, fault) for path in pictures for fault in faults(path)]
    for name, fault in failed:
        print("%s: %s" % (name, fault))
    print("%d of %d PNGs decode and are stored unfiltered" % (len(pictures) - len(failed), len(pictures)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
