#!/usr/bin/env python3
"""Writes the sample species' cupula meshes, in micrometres.

Each cupula is a bulging elliptic disc between its utricle-side face (Ut) and
its duct-side face (Duct), with its widest section in the middle (Mid): one
closed volume mesh, wound outward, and three open section meshes (the two
faces and the central section, each a fan of triangles). A cupula is a few
tenths of a millimetre across and about a tenth thick.

    python3 examples/make_cupula_meshes.py [species-folder]

writes ScanRef/Volumes/<rv_|lv_>Sample_<Ant|Post|Lat>_Cup.stl and
ScanRef/Surfaces/<rs_|ls_>Sample_<Ant|Post|Lat>_Cup_<Ut|Duct|Mid>.stl below
the folder (default: Data/Sample beside this script, whatever the current
folder).
"""

import math
import os
import sys

SEGMENTS = 24

# Per side and cupula: semi-axes (um) of the Ut, Mid and Duct sections, the
# thickness, the centre of the Ut face and the orientation (degrees about
# z, then about x) of the cupula's axis.
CUPULAE = {
    'r': {
        'Ant': ((212.0, 141.0), (231.5, 156.0), (201.0, 132.5), 94.0, (1852.4, 2304.7, 1196.3), (35.0, 62.0)),
        'Post': ((188.5, 149.0), (204.0, 161.5), (183.0, 141.0), 81.5, (1307.9, 1688.2, 958.6), (-48.0, 71.0)),
        'Lat': ((169.0, 121.5), (184.5, 131.0), (158.5, 114.0), 72.0, (2210.3, 1472.5, 1411.8), (12.0, 18.0)),
    },
    'l': {
        'Ant': ((207.5, 138.0), (227.0, 152.5), (198.0, 129.0), 91.0, (-1838.6, 2291.4, 1203.9), (-33.0, 60.0)),
        'Post': ((192.0, 146.5), (207.5, 158.0), (186.5, 139.5), 84.0, (-1296.2, 1701.8, 949.1), (50.0, 69.0)),
        'Lat': ((165.5, 124.0), (181.0, 133.5), (156.0, 116.5), 69.5, (-2197.7, 1480.3, 1420.6), (-14.0, 20.0)),
    },
}


def rotation(about_z, about_x):
    cz, sz = math.cos(math.radians(about_z)), math.sin(math.radians(about_z))
    cx, sx = math.cos(math.radians(about_x)), math.sin(math.radians(about_x))
    rz = ((cz, -sz, 0.0), (sz, cz, 0.0), (0.0, 0.0, 1.0))
    rx = ((1.0, 0.0, 0.0), (0.0, cx, -sx), (0.0, sx, cx))
    return tuple(tuple(sum(rz[i][k] * rx[k][j] for k in range(3)) for j in range(3)) for i in range(3))


def place(point, r, origin):
    return tuple(round(origin[i] + sum(r[i][k] * point[k] for k in range(3)), 6) for i in range(3))


def normal(v1, v2, v3):
    e1 = [v2[i] - v1[i] for i in range(3)]
    e2 = [v3[i] - v1[i] for i in range(3)]
    n = (e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0])
    length = math.sqrt(sum(c * c for c in n)) or 1.0
    return tuple(c / length for c in n)


def stl(name, facets):
    lines = ['solid ' + name]
    for v1, v2, v3 in facets:
        lines.append('  facet normal %.6e %.6e %.6e' % normal(v1, v2, v3))
        lines.append('    outer loop')
        for v in (v1, v2, v3):
            lines.append('      vertex %.6f %.6f %.6f' % v)
        lines.append('    endloop')
        lines.append('  endfacet')
    lines.append('endsolid ' + name)
    return '\n'.join(lines) + '\n'


def ring(axes, height, r, origin):
    a, b = axes
    return [place((a * math.cos(2 * math.pi * k / SEGMENTS), b * math.sin(2 * math.pi * k / SEGMENTS), height), r,
                  origin) for k in range(SEGMENTS)]


def fan(centre, points, outward_up):
    facets = []
    for k in range(SEGMENTS):
        p, q = points[k], points[(k + 1) % SEGMENTS]
        facets.append((centre, p, q) if outward_up else (centre, q, p))
    return facets


def band(lower, upper):
    facets = []
    for k in range(SEGMENTS):
        k1 = (k + 1) % SEGMENTS
        facets.append((lower[k], lower[k1], upper[k1]))
        facets.append((lower[k], upper[k1], upper[k]))
    return facets


def write(path, text):
    with open(path, 'w', newline='\n') as f:
        f.write(text)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), 'Data', 'Sample')
    for side, cupulae in CUPULAE.items():
        for duct, (ut, mid, duct_axes, thickness, origin, angles) in cupulae.items():
            r = rotation(*angles)
            ut_ring = ring(ut, 0.0, r, origin)
            mid_ring = ring(mid, thickness / 2.0, r, origin)
            duct_ring = ring(duct_axes, thickness, r, origin)
            ut_centre = place((0.0, 0.0, 0.0), r, origin)
            mid_centre = place((0.0, 0.0, thickness / 2.0), r, origin)
            duct_centre = place((0.0, 0.0, thickness), r, origin)

            volume = (fan(ut_centre, ut_ring, False) + band(ut_ring, mid_ring) + band(mid_ring, duct_ring) +
                      fan(duct_centre, duct_ring, True))
            name = '%sv_Sample_%s_Cup' % (side, duct)
            write(os.path.join(folder, 'ScanRef', 'Volumes', name + '.stl'), stl(name, volume))
            for kind, centre, points in (('Ut', ut_centre, ut_ring), ('Duct', duct_centre, duct_ring),
                                         ('Mid', mid_centre, mid_ring)):
                name = '%ss_Sample_%s_Cup_%s' % (side, duct, kind)
                write(os.path.join(folder, 'ScanRef', 'Surfaces', name + '.stl'),
                      stl(name, fan(centre, points, True)))


if __name__ == '__main__':
    main()
