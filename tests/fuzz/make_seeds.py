#!/usr/bin/env python3
"""Writes starting inputs for fuzz_table: small valid tables with memo files,
one FoxPro 2.x and one Visual FoxPro, in the target's input format (2-byte
little-endian table length, table bytes, memo bytes)."""
import os
import struct
import sys


def descriptor(name, ftype, offset, length, decimals=0, flags=0):
    return struct.pack('<11scIBBB13x', name.encode(), ftype.encode(), offset, length, decimals, flags)


def table(version, fields, records, backlink):
    offset, descs = 1, b''
    for f in fields:
        descs += descriptor(f[0], f[1], offset, *f[2:])
        offset += f[2]
    header_len = 32 + len(descs) + 1 + (263 if backlink else 0)
    head = struct.pack('<BBBBIHH16xBB2x', version, 24, 3, 15, len(records), header_len, offset, 0x02 if backlink else 0, 3)
    body = head + descs + b'\r' + (b'\0' * 263 if backlink else b'')
    return body + b''.join(records) + b'\x1a'


def memo(texts, block=64):
    out = bytearray(512)
    for t in texts:
        out += struct.pack('>II', 1, len(t)) + t
        out += b'\0' * (-len(out) % block)
    struct.pack_into('>I', out, 0, len(out) // block)
    struct.pack_into('>H', out, 6, block)
    return bytes(out)


def seed(dbf, fpt):
    return struct.pack('<H', len(dbf)) + dbf + fpt


def foxpro2():
    fields = [('NAME', 'C', 10), ('AMOUNT', 'N', 8, 2), ('BORN', 'D', 8), ('OK', 'L', 1), ('NOTES', 'M', 10)]
    recs = [b' one       ' + b'   12.50' + b'20240315' + b'T' + b'         8',
            b'*two       ' + b'        ' + b'        ' + b'F' + b'         9']
    return seed(table(0xF5, fields, recs, False), memo([b'first memo', b'second\r\nmemo']))


def visual():
    fields = [('ID', 'I', 4), ('PRICE', 'Y', 8, 4), ('RATE', 'B', 8), ('STAMP', 'T', 8), ('TITLE', 'V', 10),
              ('NOTE', 'C', 5, 0, 2), ('MEMO', 'M', 4), ('_NullFlags', '0', 1, 0, 5)]
    rec = (b' ' + struct.pack('<i', 7) + struct.pack('<q', 123456) + struct.pack('<d', 2.5)
           + struct.pack('<ii', 2450269, 3600000) + b'short\0\0\0\0\x05' + b'note ' + struct.pack('<I', 8) + b'\x01')
    return seed(table(0x30, fields, [rec], True), memo([b'visual memo']))


if __name__ == '__main__':
    os.makedirs(sys.argv[1], exist_ok=True)
    for name, data in (('foxpro2', foxpro2()), ('visual', visual())):
        with open(os.path.join(sys.argv[1], name), 'wb') as f:
            f.write(data)
