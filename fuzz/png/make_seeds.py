#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the PNG fuzzer into fuzz/png/seeds/.

text_chunk_beyond_end.png (353 bytes): a valid 159 x 927 RGBA header and background chunk, then a
text chunk whose length field declares 1,946,157,196 bytes while the stream ends 294 bytes later.
Checksums are correct wherever the chunk is complete, as the fuzzer's own repair leaves them. A
decoder that lets the declared length drive an allocation or a fill reaches gigabytes on it.
"""
import os
import struct
import zlib


def chunk(kind, data, declared_length=None):
    length = len(data) if declared_length is None else declared_length
    body = kind + data
    crc = struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    return struct.pack(">I", length) + body + (crc if declared_length is None else b"")


def text_chunk_beyond_end():
    signature = b"\x89PNG\r\n\x1a\n"
    header = chunk(b"IHDR", struct.pack(">IIBBBBB", 159, 927, 8, 6, 0, 0, 0))
    background = chunk(b"bKGD", struct.pack(">HHH", 0x20, 0x40, 0x60))
    # Keyword, compression flag and method, empty language and translated keyword, then text.
    text = b"Comment\x00\x00\x00\x00\x00" + b"swell " * 47
    stream = signature + header + background + chunk(b"iTXt", text, 1946157196)
    assert len(stream) == 353, len(stream)
    return stream


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "text_chunk_beyond_end.png"), "wb") as f:
        f.write(text_chunk_beyond_end())


if __name__ == "__main__":
    main()
