#!/usr/bin/env python3
"""Writes the hand-made shapefiles of this folder (run it here; no other input).

Each damaged file starts from the same valid one-record polygon main file, a
15-minute sheet whose north-west corner is 77 E, 29 N, and breaks one thing.
"""
import struct


def polygon_record(number, parts, points, shape_type=5, content_words=None):
    xs = [p[0] for p in points] or [0.0]
    ys = [p[1] for p in points] or [0.0]
    body = struct.pack('<i4dii', shape_type, min(xs), min(ys), max(xs), max(ys),
                       len(parts), len(points))
    body += b''.join(struct.pack('<i', i) for i in parts)
    body += b''.join(struct.pack('<2d', x, y) for x, y in points)
    words = len(body) // 2 if content_words is None else content_words
    return struct.pack('>2i', number, words) + body


def main_file(records, shape_type=5, length_words=None):
    body = b''.join(records)
    words = (100 + len(body)) // 2 if length_words is None else length_words
    header = struct.pack('>7i', 9994, 0, 0, 0, 0, 0, words)
    header += struct.pack('<2i8d', 1000, shape_type, 77.0, 28.75, 77.25, 29.0, 0, 0, 0, 0)
    return header + body


RING = [(77.0, 29.0), (77.25, 29.0), (77.25, 28.75), (77.0, 28.75), (77.0, 29.0)]
GOOD = main_file([polygon_record(1, [0], RING)])


def with_int(data, offset, value, fmt='<i'):
    return data[:offset] + struct.pack(fmt, value) + data[offset + 4:]


files = {
    'one-sheet.shp': GOOD,
    # A polyline of three points, then a second record that must not be read.
    'polyline.shp': main_file([polygon_record(1, [0], [(77.5, 28.25), (77.75, 28.5), (78.0, 28.0)], 3),
                               polygon_record(2, [0], [(1.0, 1.0), (2.0, 2.0)], 3)], 3),
    # A first record of two parts, 4 and 5 points.
    'two-parts.shp': main_file([polygon_record(1, [0, 4],
                                               [(70.0, 20.0), (71.0, 20.0), (71.0, 19.0), (70.0, 20.0),
                                                (72.0, 22.0), (73.0, 22.0), (73.0, 21.0), (72.0, 21.0),
                                                (72.0, 22.0)])]),
    'point-type.shp': with_int(GOOD, 32, 1),
    'type-seven.shp': with_int(GOOD, 32, 7),
    # Damaged: each breaks one check of the reader.
    'truncated-header.shp': GOOD[:60],
    'truncated-record-header.shp': GOOD[:104],
    'truncated-fixed-part.shp': GOOD[:100 + 8 + 30],
    'truncated-points.shp': GOOD[:-20],
    'negative-numparts.shp': with_int(GOOD, 100 + 8 + 36, -1),
    'negative-numpoints.shp': with_int(GOOD, 100 + 8 + 40, -5),
    'huge-numpoints.shp': with_int(GOOD, 100 + 8 + 40, 0x7FFFFFFF),
    'huge-numparts.shp': with_int(GOOD, 100 + 8 + 36, 0x10000000),
    'length-past-eof.shp': with_int(GOOD, 104, 0x00010000, '>i'),
    'negative-length.shp': with_int(GOOD, 104, -64, '>i'),
    # The declared record is shorter than its counts say: the points would run
    # into whatever follows it.
    'points-past-record.shp': main_file([polygon_record(1, [0], RING, content_words=40),
                                         polygon_record(2, [0], RING)]),
}

for name, data in files.items():
    with open(name, 'wb') as f:
        f.write(data)
