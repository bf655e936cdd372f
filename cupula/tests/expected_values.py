#!/usr/bin/env python3
"""Expected figures of Tessafen's tests, worked out without the program.

Python floats are IEEE doubles with correctly rounded operations and
math.sqrt is correctly rounded, so every sum, product and quotient below is
rounded exactly as the program must round it when it keeps the order the
measures are defined in. '%f' % x writes what C's printf "%f" writes (a nan
is written without sign here; the tests compare nan rows as nan).

Run it to print, for every fixture of the tests, the 18 numbers of the raw
cupula report in row order, and for the sample species the two reports.

    python3 cupula/tests/expected_values.py [sample-folder]
"""

import math
import os
import sys

PI = 3.14159265359
STEP = 0.04242
OFFSET_HIGH = 3 * STEP          # 0.12725999999999998, not the double 0.12726
OFFSET_MED = 0.08484
OFFSET_LOW = 0.04242
UNITS = {1: 1000.0, 2: 1.0, 3: 0.1}


def F(x):
    return '%f' % x


# --- meshes ---------------------------------------------------------------

def parse_facets(text):
    """Vertices of a regular ASCII STL mesh, facet by facet (strings kept)."""
    facets, current = [], []
    for line in text.splitlines():
        words = line.split()
        if words and words[0] == 'vertex':
            current.append(tuple(float(w) for w in words[1:4]))
            if len(current) == 3:
                facets.append(current)
                current = []
    return facets


def facet_volume(v1, v2, v3):
    V1x, V1y, V1z = v1
    V2x, V2y, V2z = v2
    V3x, V3y, V3z = v3
    return (V2x * V3y * V1z - V3x * V2y * V1z + V3x * V1y * V2z - V1x * V3y * V2z
            - V2x * V1y * V3z + V1x * V2y * V3z) / 6.0


def facet_area(v1, v2, v3):
    X1, Y1, Z1 = v2[0] - v1[0], v2[1] - v1[1], v2[2] - v1[2]
    X2, Y2, Z2 = v3[0] - v1[0], v3[1] - v1[1], v3[2] - v1[2]
    Ax = Y1 * Z2 - Z1 * Y2
    Ay = Z1 * X2 - X1 * Z2
    Az = X1 * Y2 - Y1 * X2
    return math.sqrt((Ax * Ax + Ay * Ay) + Az * Az) / 2.0


def mesh_volume(text, unit):
    s = 0.0
    for f in parse_facets(text):
        s = s + facet_volume(*f)
    return s / math.pow(unit, 3.0)


def mesh_area(text, unit):
    s = 0.0
    for f in parse_facets(text):
        s = s + facet_area(*f)
    return s / (unit * unit)


# The fixture meshes of the tests, built from the same coordinate texts.

def facet_text(v1, v2, v3):
    t = '\tfacet normal\t0\t0\t0\n\touter loop\n'
    for v in (v1, v2, v3):
        t += '\t\tvertex\t%s\t%s\t%s\n' % v
    return t + '\tendloop\nendfacet\n'


def mesh_text(facets):
    return 'solid fixture\n' + ''.join(facet_text(*f) for f in facets) + 'endsolid fixture\n'


def rect_mesh(w):
    """Two facets at z = 1 covering the rectangle 1 x w: area w."""
    return mesh_text([(('0', '0', '1'), ('1', '0', '1'), ('1', w, '1')),
                      (('0', '0', '1'), ('1', w, '1'), ('0', w, '1'))])


def box_mesh(a, b, c):
    """The box [0,a] x [0,b] x [0,c], wound outward, top face last."""
    o = '0'
    return mesh_text([
        ((o, o, o), (o, b, o), (a, b, o)), ((o, o, o), (a, b, o), (a, o, o)),  # z = 0
        ((o, o, o), (a, o, o), (a, o, c)), ((o, o, o), (a, o, c), (o, o, c)),  # y = 0
        ((o, b, o), (o, b, c), (a, b, c)), ((o, b, o), (a, b, c), (a, b, o)),  # y = b
        ((o, o, o), (o, o, c), (o, b, c)), ((o, o, o), (o, b, c), (o, b, o)),  # x = 0
        ((a, o, o), (a, b, o), (a, b, c)), ((a, o, o), (a, b, c), (a, o, c)),  # x = a
        ((o, o, c), (a, o, c), (a, b, c)), ((o, o, c), (a, b, c), (o, b, c)),  # z = c
    ])


def single_facet_mesh(v1, v2, v3):
    return mesh_text([(v1, v2, v3)])


# --- measures -------------------------------------------------------------

CUPULAE = ('Ant', 'Post', 'Lat')


def derived(vol, surf):
    """vol[c], surf[c][Ut|Duct|Mid] -> the 18 report numbers in row order."""
    aC, tC = {}, {}
    for c in CUPULAE:
        s = surf[c]
        aC[c] = ((s['Ut'] + s['Mid']) / 2.0 + (s['Duct'] + s['Mid']) / 2.0) / 2.0
    for c in CUPULAE:
        try:
            tC[c] = vol[c] / aC[c]
        except ZeroDivisionError:
            tC[c] = math.copysign(math.inf, vol[c]) if vol[c] != 0.0 else math.nan
    rows = [aC[c] for c in CUPULAE] + [surf[c]['Mid'] for c in CUPULAE]
    for c in CUPULAE:
        rows += [tC[c] + OFFSET_HIGH, tC[c] + OFFSET_MED, tC[c] + OFFSET_LOW]
    rows += [0.7 * math.sqrt(aC[c] / PI) for c in CUPULAE]
    return [F(x) for x in rows]


def measure(meshes, unit):
    """meshes: {'Ant_Cup': text, 'Ant_Cup_Ut': text, ...}; a missing key is
    an unreadable mesh (its quantity stays 0)."""
    vol = {c: (mesh_volume(meshes[c + '_Cup'], unit) if c + '_Cup' in meshes else 0.0) for c in CUPULAE}
    surf = {c: {k: (mesh_area(meshes['%s_Cup_%s' % (c, k)], unit) if '%s_Cup_%s' % (c, k) in meshes else 0.0)
                for k in ('Ut', 'Duct', 'Mid')} for c in CUPULAE}
    return derived(vol, surf)


def standard(lat_mid='0.25'):
    return {
        'Ant_Cup': box_mesh('1', '1', '3'), 'Ant_Cup_Ut': rect_mesh('1'), 'Ant_Cup_Duct': rect_mesh('2'),
        'Ant_Cup_Mid': rect_mesh('1.5'),
        'Post_Cup': box_mesh('2', '2', '0.5'), 'Post_Cup_Ut': rect_mesh('4'), 'Post_Cup_Duct': rect_mesh('2'),
        'Post_Cup_Mid': rect_mesh('3'),
        'Lat_Cup': box_mesh('0.5', '0.5', '0.5'), 'Lat_Cup_Ut': rect_mesh('0.25'),
        'Lat_Cup_Duct': rect_mesh('0.25'), 'Lat_Cup_Mid': rect_mesh(lat_mid),
    }


# The facet whose area shows the order of the squares' sum: 0.176623 as
# defined, 0.176624 with the last two squares added first or with hypot.
ORDER_FACET = (('0', '0', '0'), ('0.94', '0.648', '0.196'), ('0.474', '0.696', '0.15900460905612215'))


def digits():
    s = '0.9999989442081809'
    return {
        # volume 2.400003 / 6 = 0.4000005: long cilia 0.527260 (0.527261 with the literal 0.12726)
        'Ant_Cup': single_facet_mesh(('0', '0', '2.400003'), ('1', '0', '0'), ('0', '1', '0')),
        'Ant_Cup_Ut': rect_mesh('1'), 'Ant_Cup_Duct': rect_mesh('1'), 'Ant_Cup_Mid': rect_mesh('1'),
        # average 0.279488 as defined, 0.279489 as (Ut + Duct + 2 Mid) / 4
        'Post_Cup': box_mesh('1', '1', '1'), 'Post_Cup_Ut': rect_mesh('0.5774019'),
        'Post_Cup_Duct': rect_mesh('0.1873051'), 'Post_Cup_Mid': single_facet_mesh(*ORDER_FACET),
        # estimation 0.394932 with PI = 3.14159265359, 0.394933 with the full pi
        'Lat_Cup': box_mesh('0.5', '0.5', '0.5'), 'Lat_Cup_Ut': rect_mesh(s), 'Lat_Cup_Duct': rect_mesh(s),
        'Lat_Cup_Mid': rect_mesh(s),
    }


# Section areas that show the division by unit squared (Lat_Cup_Mid of the
# unit table): 98765.5 um^2 is 0.098766 mm^2 (0.098765 as w * 1e-6), and
# 0.00012345500000000002 cm^2 is 0.012345 mm^2 (0.012346 as w / 0.01 or w * 100).
UNIT_LAT_MID = {1: '98765.5', 2: '1.5', 3: '0.00012345500000000002'}


def alternatives():
    """What the usual slips would print instead, to show the fixtures see them."""
    t = 2.400003 / 6.0
    print('long cilia:', F(t + OFFSET_HIGH), 'literal 0.12726:', F(t + 0.12726))
    m = facet_area(*[tuple(float(x) for x in v) for v in ORDER_FACET])
    u, d = 0.5774019, 0.1873051
    print('average:', F(((u + m) / 2.0 + (d + m) / 2.0) / 2.0), '(U+D+2M)/4:', F((u + d + 2 * m) / 4.0),
          '(U+D+M+M)/4:', F((u + d + m + m) / 4.0))
    v = [tuple(float(x) for x in p) for p in ORDER_FACET]
    X1, Y1, Z1 = v[1]
    X2, Y2, Z2 = v[2]
    Ax, Ay, Az = Y1 * Z2 - Z1 * Y2, Z1 * X2 - X1 * Z2, X1 * Y2 - Y1 * X2
    print('facet area:', F(m), 'Ax^2 + (Ay^2 + Az^2):', F(math.sqrt(Ax * Ax + (Ay * Ay + Az * Az)) / 2.0))
    s = 0.9999989442081809
    print('estimation:', F(0.7 * math.sqrt(s / PI)), 'full pi:', F(0.7 * math.sqrt(s / math.pi)),
          'sqrt(0.49 a / PI):', F(math.sqrt(0.49 * s / PI)))
    print('um area:', F(98765.5 / (1000.0 * 1000.0)), 'w * 1e-6:', F(98765.5 * 1e-6))
    w = 0.00012345500000000002
    print('cm area:', F(w / (0.1 * 0.1)), 'w / 0.01:', F(w / 0.01), 'w * 100:', F(w * 100.0))


def show(name, rows):
    print('%s: {%s}' % (name, ', '.join('"%s"' % r for r in rows)))


def main():
    show('standard mm', measure(standard(), 1.0))
    for choice, unit in UNITS.items():
        show('standard unit %d' % choice, measure(standard(UNIT_LAT_MID[choice]), unit))
    show('digits mm', measure(digits(), 1.0))

    # Missing Ant_Cup and Lat_Cup_Mid.
    m = standard()
    del m['Ant_Cup'], m['Lat_Cup_Mid']
    show('standard missing Ant_Cup, Lat_Cup_Mid', measure(m, 1.0))

    # Post_Cup_Mid not measured (a mesh whose reading fails after it opened
    # counts as missing).
    m = standard()
    del m['Post_Cup_Mid']
    show('standard missing Post_Cup_Mid', measure(m, 1.0))

    # Everything missing but Post_Cup_Mid (eleven failures).
    show('only Post_Cup_Mid', measure({'Post_Cup_Mid': rect_mesh('3')}, 1.0))
    show('nothing', measure({}, 1.0))

    # Post_Cup unreadable as facets (upper-case keywords): its one facet
    # keeps the last facet of the Ant_Cup box, (0,0,3) (1,1,3) (0,1,3),
    # whose tetrahedron is 1 * 1 * 3 / 6 = 0.5.
    vol = {'Ant': mesh_volume(box_mesh('1', '1', '3'), 1.0), 'Post': facet_volume((0, 0, 3), (1, 1, 3), (0, 1, 3)),
           'Lat': mesh_volume(box_mesh('0.5', '0.5', '0.5'), 1.0)}
    surf = {'Ant': {'Ut': 1.0, 'Duct': 2.0, 'Mid': 1.5}, 'Post': {'Ut': 4.0, 'Duct': 2.0, 'Mid': 3.0},
            'Lat': {'Ut': 0.25, 'Duct': 0.25, 'Mid': 0.25}}
    show('standard, Post_Cup held', derived(vol, surf))

    # Left Ant_Cup unreadable as facets at the start of a pass: zeros held.
    vol0 = dict(vol)
    vol0['Ant'] = 0.0
    vol0['Post'] = mesh_volume(box_mesh('2', '2', '0.5'), 1.0)
    show('standard, Ant_Cup zeros held', derived(vol0, surf))
    alternatives()

    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', '..', 'examples', 'Data', 'Sample')
    for side, (v, s) in (('R', ('rv_', 'rs_')), ('L', ('lv_', 'ls_'))):
        meshes = {}
        for c in CUPULAE:
            with open(os.path.join(folder, 'ScanRef', 'Volumes', '%sSample_%s_Cup.stl' % (v, c))) as f:
                meshes[c + '_Cup'] = f.read()
            for k in ('Ut', 'Duct', 'Mid'):
                with open(os.path.join(folder, 'ScanRef', 'Surfaces', '%sSample_%s_Cup_%s.stl' % (s, c, k))) as f:
                    meshes['%s_Cup_%s' % (c, k)] = f.read()
        show('sample %s micrometres' % side, measure(meshes, 1000.0))


if __name__ == '__main__':
    main()
