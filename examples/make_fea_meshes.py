#!/usr/bin/env python3
"""Writes the sample species' finite element cupula and cilia-region meshes
for Flanmere, in millimetres.

Each cupula is a slightly domed elliptical disc about 0.35 mm by 0.25 mm
across, set in the ampulla of its duct; the three cilia regions are bands
of the same surface along the crista at the cupula's base: long cilia in
the middle, medium cilia beside them, short cilia at the ends. The left
side is the mirror image of the right one (x negated, vertex order
reversed so the facets keep their orientation).

    python3 examples/make_fea_meshes.py [species-folder]

writes FEA/<rfea_|lfea_>Sample_<Ant|Post|Lat>_<Cup|Cilia_Long|Cilia_Medium|
Cilia_Short>.stl below the folder (default: Data/Sample beside this script,
whatever the current folder).
"""
import math
import os
import sys

SPECIES = "Sample"

A, B = 0.175, 0.125  # half axes of the cupula, mm
DOME = 0.02          # height of the dome at the centre, mm
RINGS, SEGMENTS = 3, 16

# Ampulla centre and the cupula's in-plane directions (right side, mm).
DUCTS = {
    "Ant": ((3.10, 1.20, 2.40), (0.80, 0.55, -0.24), (-0.30, 0.70, 0.65)),
    "Post": ((-1.80, -2.60, 1.90), (0.20, -0.45, 0.87), (0.95, 0.25, 0.10)),
    "Lat": ((2.20, -0.90, 0.40), (0.60, 0.20, 0.77), (-0.15, 0.97, -0.10)),
}

# Crista bands in the cupula's own (u, v) coordinates: (u from, u to).
BAND_V = (-0.085, -0.05)
BANDS = {
    "Cilia_Long": [(-0.03, 0.03)],
    "Cilia_Medium": [(-0.07, -0.03), (0.03, 0.07)],
    "Cilia_Short": [(-0.11, -0.07), (0.07, 0.11)],
}


def sub(a, b):
    return tuple(x - y for x, y in zip(a, b))


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def unit(a):
    n = math.sqrt(sum(x * x for x in a))
    return tuple(x / n for x in a)


def basis(e1, e2):
    """Orthonormal e1, e2 (e2 made perpendicular to e1) and the normal."""
    e1 = unit(e1)
    d = sum(x * y for x, y in zip(e1, e2))
    e2 = unit(tuple(y - d * x for x, y in zip(e1, e2)))
    return e1, e2, cross(e1, e2)


def surface_point(duct, u, v):
    origin, e1, e2 = DUCTS[duct]
    e1, e2, n = basis(e1, e2)
    w = DOME * (1.0 - (u / A) ** 2 - (v / B) ** 2)
    return tuple(o + u * p + v * q + w * r for o, p, q, r in zip(origin, e1, e2, n))


def disc_facets():
    """(u, v) triangles of the elliptical disc: a fan at the centre, then rings."""
    def ring_point(k, s):
        t = 2.0 * math.pi * s / SEGMENTS
        return (A * k / RINGS * math.cos(t), B * k / RINGS * math.sin(t))

    facets = []
    for s in range(SEGMENTS):
        facets.append(((0.0, 0.0), ring_point(1, s), ring_point(1, s + 1)))
    for k in range(1, RINGS):
        for s in range(SEGMENTS):
            a, b = ring_point(k, s), ring_point(k, s + 1)
            c, d = ring_point(k + 1, s), ring_point(k + 1, s + 1)
            facets.append((a, c, d))
            facets.append((a, d, b))
    return facets


def band_facets(bands, columns=2, rows=2):
    facets = []
    v0, v1 = BAND_V
    for u0, u1 in bands:
        for i in range(columns):
            for j in range(rows):
                ua, ub = u0 + (u1 - u0) * i / columns, u0 + (u1 - u0) * (i + 1) / columns
                va, vb = v0 + (v1 - v0) * j / rows, v0 + (v1 - v0) * (j + 1) / rows
                facets.append(((ua, va), (ub, va), (ub, vb)))
                facets.append(((ua, va), (ub, vb), (ua, vb)))
    return facets


def mesh_text(name, triangles):
    lines = ["solid " + name]
    for tri in triangles:
        n = unit(cross(sub(tri[1], tri[0]), sub(tri[2], tri[0])))
        lines.append("  facet normal %.6e %.6e %.6e" % n)
        lines.append("    outer loop")
        for p in tri:
            lines.append("      vertex %.6e %.6e %.6e" % p)
        lines.append("    endloop")
        lines.append("  endfacet")
    lines.append("endsolid " + name)
    return "\n".join(lines) + "\n"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "Data", SPECIES)
    out = os.path.join(folder, "FEA")
    os.makedirs(out, exist_ok=True)
    for duct in DUCTS:
        for case, uv in [("Cup", disc_facets())] + [(k, band_facets(b)) for k, b in BANDS.items()]:
            right = [tuple(surface_point(duct, u, v) for u, v in tri) for tri in uv]
            left = [tuple((-p[0], p[1], p[2]) for p in (tri[0], tri[2], tri[1])) for tri in right]
            for prefix, triangles in (("rfea_", right), ("lfea_", left)):
                name = "%s%s_%s_%s" % (prefix, SPECIES, duct, case)
                with open(os.path.join(out, name + ".stl"), "w", newline="\n") as f:
                    f.write(mesh_text(name, triangles))


if __name__ == "__main__":
    main()
