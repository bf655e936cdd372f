#!/usr/bin/env python3
"""Writes the sample species' segment, control and whole-system meshes.

Every mesh is a closed, outward-facing ASCII STL in micrometres: the slender
ducts and crura are capped tubes (16-sided prisms), the utricle parts and the
ampullae are spheres (16 x 10 latitude-longitude polyhedra), the control and
whole-system meshes are spheres sized near the sum of the segments. The left
side is the right side mirrored (x -> -x) and scaled by 0.97.

    python3 examples/make_segment_meshes.py [species-folder]

writes ScanRef/Volumes/<rv_|lv_><species>_<segment>.stl, the control meshes
ScanRef/Volumes/<rv_|lv_><species>_Control.stl and the whole-system meshes
ScanRef/Other/<r_|l_><species>_SCDS.stl below the folder, whose name is the
species' (default: Data/Sample beside this script, whatever the current
folder).
"""
import math
import os
import sys

AROUND = 16
RINGS = 6
LATITUDES = 10


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def normal(t):
    n = cross(sub(t[1], t[0]), sub(t[2], t[0]))
    length = math.sqrt(n[0] ** 2 + n[1] ** 2 + n[2] ** 2)
    return (n[0] / length, n[1] / length, n[2] / length)


def frame(axis):
    """Two unit vectors perpendicular to the unit axis, (u, v, axis) right-handed."""
    helper = (1.0, 0.0, 0.0) if abs(axis[0]) < 0.9 else (0.0, 1.0, 0.0)
    u = cross(helper, axis)
    length = math.sqrt(sum(c * c for c in u))
    u = tuple(c / length for c in u)
    v = cross(axis, u)
    return u, v


def tube(centre, axis, radius, length):
    """Capped tube along `axis` through `centre`; facets counter-clockwise seen from outside."""
    length_axis = math.sqrt(sum(c * c for c in axis))
    axis = tuple(c / length_axis for c in axis)
    u, v = frame(axis)

    def point(k, s):
        a = 2.0 * math.pi * k / AROUND
        return tuple(centre[i] + radius * (math.cos(a) * u[i] + math.sin(a) * v[i]) + s * axis[i] for i in range(3))

    stations = [-length / 2 + length * r / RINGS for r in range(RINGS + 1)]
    facets = []
    for r in range(RINGS):
        for k in range(AROUND):
            a0, a1 = point(k, stations[r]), point(k + 1, stations[r])
            b0, b1 = point(k, stations[r + 1]), point(k + 1, stations[r + 1])
            facets.append((a0, a1, b1))
            facets.append((a0, b1, b0))
    bottom = tuple(centre[i] - length / 2 * axis[i] for i in range(3))
    top = tuple(centre[i] + length / 2 * axis[i] for i in range(3))
    for k in range(AROUND):
        facets.append((bottom, point(k + 1, -length / 2), point(k, -length / 2)))
        facets.append((top, point(k, length / 2), point(k + 1, length / 2)))
    return facets


def sphere(centre, radius):
    """Latitude-longitude sphere; facets counter-clockwise seen from outside."""

    def point(lat, lon):
        theta = math.pi * lat / LATITUDES
        phi = 2.0 * math.pi * lon / AROUND
        return (centre[0] + radius * math.sin(theta) * math.cos(phi),
                centre[1] + radius * math.sin(theta) * math.sin(phi),
                centre[2] + radius * math.cos(theta))

    facets = []
    for lat in range(LATITUDES):
        for lon in range(AROUND):
            p00, p01 = point(lat, lon), point(lat, lon + 1)
            p10, p11 = point(lat + 1, lon), point(lat + 1, lon + 1)
            if lat != 0:
                facets.append((p00, p10, p01))
            if lat != LATITUDES - 1:
                facets.append((p01, p10, p11))
    return facets


def signed_volume(facets):
    return sum(a[0] * (b[1] * c[2] - b[2] * c[1]) + a[1] * (b[2] * c[0] - b[0] * c[2]) +
               a[2] * (b[0] * c[1] - b[1] * c[0]) for a, b, c in facets) / 6.0


def mirrored(facets, scale):
    """x -> -x, scaled; the vertex order is reversed so the facets still face outward."""
    def m(p):
        return (-p[0] * scale, p[1] * scale, p[2] * scale)
    return [(m(a), m(c), m(b)) for a, b, c in facets]


def write(path, name, facets):
    assert signed_volume(facets) > 0.0, path
    lines = ["solid " + name]
    for t in facets:
        n = normal(t)
        lines.append("  facet normal %e %e %e" % n)
        lines.append("    outer loop")
        for p in t:
            lines.append("      vertex %e %e %e" % p)
        lines.append("    endloop")
        lines.append("  endfacet")
    lines.append("endsolid " + name)
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "Data", "Sample")
    species = os.path.basename(os.path.normpath(root))
    # Micrometres, in the scan's frame: the system sits around (2400, 3100, 1800).
    segments = {
        "_Sa": tube((2400.0, 4100.0, 3900.0), (0.0, 1.0, 0.35), 80.0, 6000.0),
        "_Sp": tube((2400.0, 1200.0, 3600.0), (0.0, 0.8, -1.0), 78.0, 6500.0),
        "_Sl": tube((4900.0, 3100.0, 1500.0), (0.3, 1.0, 0.0), 75.0, 5000.0),
        "_CC": tube((2400.0, 2500.0, 2700.0), (0.0, 0.1, 1.0), 110.0, 2500.0),
        "_SC": tube((3600.0, 2200.0, 1500.0), (1.0, 0.2, 0.0), 90.0, 2000.0),
        "_Ua": sphere((2300.0, 3600.0, 1700.0), 480.0),
        "_Up": sphere((2300.0, 2500.0, 1600.0), 430.0),
        "_Uc": sphere((2300.0, 3050.0, 1650.0), 520.0),
        "_Aa": sphere((2500.0, 4300.0, 2100.0), 340.0),
        "_Ap": sphere((2500.0, 1300.0, 1300.0), 330.0),
        "_Al": sphere((3200.0, 4100.0, 1500.0), 320.0),
    }
    total = sum(signed_volume(f) for f in segments.values())
    polyhedron_per_ball = signed_volume(sphere((0.0, 0.0, 0.0), 1.0))

    def ball(volume):
        return (volume / polyhedron_per_ball) ** (1.0 / 3.0)

    control = sphere((2600.0, 3000.0, 2200.0), ball(total * 1.004))
    smoothed = sphere((2600.0, 3000.0, 2200.0), ball(total * 0.962))

    volumes = os.path.join(root, "ScanRef", "Volumes")
    other = os.path.join(root, "ScanRef", "Other")
    for side, prefix, whole, scale in (("r", "rv_", "r_", 1.0), ("l", "lv_", "l_", 0.97)):
        def place(facets):
            return facets if side == "r" else mirrored(facets, scale)
        for code, facets in segments.items():
            write(os.path.join(volumes, prefix + species + code + ".stl"), species + code, place(facets))
        write(os.path.join(volumes, prefix + species + "_Control.stl"), species + "_Control", place(control))
        write(os.path.join(other, whole + species + "_SCDS.stl"), species + "_SCDS", place(smoothed))


if __name__ == "__main__":
    main()
