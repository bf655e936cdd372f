#!/usr/bin/env python3
"""Independent reckoning of Brindleck's volumes and reports.

Reads regular ASCII STL meshes (facet / outer loop / three vertices / endloop
/ endfacet), sums each facet's tetrahedron term in file order with every
operation in the stated order (double precision, no fused operations),
divides by unit cubed, and composes the side's report.

    python3 volumes/tests/expected_volumes.py <species folder> <unit 1|2|3> <R|L>
prints the side's report; with a single mesh path and a unit it prints that
mesh's volume with "%f" and with "%.17g".
"""
import os
import sys

UNITS = {"1": 1000.0, "2": 1.0, "3": 0.1}


def facets(path):
    with open(path) as f:
        words = f.read().split()
    vertices = []
    k = 0
    while k < len(words):
        if words[k] == "vertex":
            vertices.append(tuple(float(w) for w in words[k + 1:k + 4]))
            k += 4
        else:
            k += 1
    assert len(vertices) % 3 == 0
    return [vertices[n:n + 3] for n in range(0, len(vertices), 3)]


def mesh_volume(path, unit):
    total = 0.0
    for (V1x, V1y, V1z), (V2x, V2y, V2z), (V3x, V3y, V3z) in facets(path):
        V = (V2x * V3y * V1z - V3x * V2y * V1z + V3x * V1y * V2z - V1x * V3y * V2z - V2x * V1y * V3z +
             V1x * V2y * V3z) / 6.0
        total = total + V
    return total / unit ** 3.0


def side_report(root, unit, side):
    species = os.path.basename(os.path.normpath(root))
    prefix = "rv_" if side == "R" else "lv_"
    whole = "r_" if side == "R" else "l_"

    def segment(code):
        return mesh_volume(os.path.join(root, "ScanRef", "Volumes", prefix + species + code + ".stl"), unit)

    v = {code: segment("_" + code) for code in
         ("Sa", "Sp", "Sl", "CC", "SC", "Ua", "Up", "Uc", "Aa", "Ap", "Al", "Control")}
    v["SCDS"] = mesh_volume(os.path.join(root, "ScanRef", "Other", whole + species + "_SCDS.stl"), unit)
    UCa = v["Ua"] + v["Uc"]
    UCp = v["Up"] + v["Uc"]
    A = ((UCa + v["Sa"]) + v["CC"]) + v["Aa"]
    P = ((UCp + v["Sp"]) + v["CC"]) + v["Ap"]
    L = ((UCa + v["Sl"]) + v["SC"]) + v["Al"]
    Total = (v["Sa"] + v["Sp"] + v["Sl"] + v["Aa"] + v["Ap"] + v["Al"] + v["Ua"] + v["Up"] + v["SC"] + v["Uc"] +
             v["CC"])
    S_effect = ((v["SCDS"] - v["Control"]) / v["Control"]) * 100.0
    D_effect = ((Total - v["SCDS"]) / v["SCDS"]) * 100.0
    rows = [
        "ENDOLYMPH VOLUMES", "",
        "Anterior slender duct: %f mm^3" % v["Sa"],
        "Posterior slender duct: %f mm^3" % v["Sp"],
        "Lateral slender duct: %f mm^3" % v["Sl"], "",
        "Common crus: %f mm^3" % v["CC"],
        "Simple crus: %f mm^3" % v["SC"], "",
        "Anterior utricle: %f mm^3" % UCa,
        "Posterior utricle: %f mm^3" % UCp, "",
        "Anterior ampulla: %f mm^3" % v["Aa"],
        "Posterior ampulla: %f mm^3" % v["Ap"],
        "Lateral ampulla: %f mm^3" % v["Al"], "",
        "Anterior duct: %f mm^3" % A,
        "Posterior duct: %f mm^3" % P,
        "Lateral duct: %f mm^3" % L, "",
        "Total SCDS volume: %f mm^3" % Total,
        "Smoothed SCDS volume: %f mm^3" % v["SCDS"],
        "Segmented SCDS volume: %f mm^3" % v["Control"], "",
        "Smoothing effect: %f %%" % S_effect,
        "Division error: %f %%" % D_effect,
    ]
    return "".join(row + "\n" for row in rows)


def main():
    if len(sys.argv) == 3:
        volume = mesh_volume(sys.argv[1], UNITS[sys.argv[2]])
        print("%f %.17g" % (volume, volume))
        return
    sys.stdout.write(side_report(sys.argv[1], UNITS[sys.argv[2]], sys.argv[3]))


if __name__ == "__main__":
    main()
