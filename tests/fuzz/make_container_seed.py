#!/usr/bin/env python3
"""Writes seeds/script_file/container_and_inam.spt: a script file as DirectMusic Producer lays
them out, which harpix-make-script never writes (chunks in another order, an odd-sized chunk
with its pad byte, an unknown chunk, the name in a Unicode INAM, and a container with two
objects, each with its alias and header), so that the file reader's fuzzing starts from it."""
import os
import struct


def chunk(cid, data):
    pad = b"\0" if len(data) % 2 else b""
    return cid + struct.pack("<I", len(data)) + data + pad


def form(kind, ftype, *parts):
    data = ftype + b"".join(parts)
    return chunk(kind, data)


def text(s):
    return (s + "\0").encode("utf-16-le")


source = "Dim Level\r\nSub Start\r\n    Level = 1\r\n    Intro.Play\r\n    Theme.Stop\r\nEnd Sub\r\n"
objects = []
for alias in ("Intro", "Theme"):
    header = bytes(range(16)) + struct.pack("<III", 0, 0x46464952, 0x4C474553)
    objects.append(form(b"LIST", b"cobl", chunk(b"coba", text(alias)), chunk(b"cobh", header),
                        form(b"RIFF", b"DMSG", chunk(b"segh", b"\1\2\3"))))
container = form(b"RIFF", b"DMCN", chunk(b"conh", struct.pack("<I", 0)),
                 form(b"LIST", b"cosl", *objects))
script = form(b"RIFF", b"DMSC",
              chunk(b"scsr", text(source)),
              chunk(b"odd!", b"xyz"),
              form(b"LIST", b"UNFO", chunk(b"INAM", text("Container seed"))),
              chunk(b"schd", struct.pack("<I", 1)),
              chunk(b"guid", bytes(range(16, 32))),
              chunk(b"vers", struct.pack("<II", 0x00010002, 0x00030004)),
              chunk(b"scve", struct.pack("<II", 0x00080000, 0)),
              chunk(b"scla", text("VBScript")),
              container)
here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "seeds", "script_file", "container_and_inam.spt"), "wb") as out:
    out.write(script)
