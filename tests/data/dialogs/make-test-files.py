#!/usr/bin/env python3
"""Writes the vertex dialog's test files into this folder (struct only, no input)."""
import struct


def write(name, data):
    mode = "wb" if isinstance(data, bytes) else "w"
    with open(name, mode, newline="" if mode == "w" else None) as f:
        f.write(data)


# Three vertices, a label and six whole numbers separated by tabs.
write("route.txt", "1\t28\t36\t50\t77\t12\t30\r\n"
                   "2\t28\t40\t0\t77\t20\t0\r\n"
                   "3\t28\t45\t10\t77\t25\t5\r\n")


def polyline_shp(points):
    """A polyline main file with one record of one part (x = longitude, y = latitude)."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    box = struct.pack("<4d", min(xs), min(ys), max(xs), max(ys))
    content = struct.pack("<i", 3) + box + struct.pack("<ii", 1, len(points)) + struct.pack("<i", 0)
    for x, y in points:
        content += struct.pack("<2d", x, y)
    record = struct.pack(">ii", 1, len(content) // 2) + content
    length = (100 + len(record)) // 2
    header = struct.pack(">7i", 9994, 0, 0, 0, 0, 0, length) + struct.pack("<ii", 1000, 3) + box
    header += struct.pack("<4d", 0, 0, 0, 0)
    return header + record


route = [(77.25, 28.5), (77.5, 28.75), (77.75, 28.6)]
GEO = ('GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137.0,'
       '298.257223563]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]]')
for name in ("geographic", "noprj", "projected"):
    write(name + ".shp", polyline_shp(route))
write("geographic.prj", GEO)
write("projected.prj", 'PROJCS["WGS_1984_UTM_Zone_43N",' + GEO + ',PROJECTION["Transverse_Mercator"]]')

write("polygon.kml", '<?xml version="1.0" encoding="UTF-8"?>\n'
                     '<kml xmlns="http://www.opengis.net/kml/2.2"><Document><Placemark>\n'
                     '<Polygon><outerBoundaryIs><LinearRing><coordinates>\n'
                     '77.25,28.5,0 77.5,28.5,0 77.5,28.75,0 77.25,28.5,0\n'
                     '</coordinates></LinearRing></outerBoundaryIs></Polygon>\n'
                     '</Placemark></Document></kml>\n')
