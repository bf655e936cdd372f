#!/usr/bin/env python3
"""Expected flat meshes and frames for Flanmere's tests, worked out
independently of the C++ code from the frame's formulas.

Python floats are IEEE doubles and every operation below is rounded as
written, in the order the frame's formulas give; "%f" formatting of a float
prints its exact binary value rounded to six decimals, as C's printf does.

Run: python3 expected_flat_meshes.py > expected_flat_meshes.h

Besides writing the header, the script checks that every fixture that should
catch a fault does: with 1/sqrt(3) for the reference constant, the transpose
of A for its inverse, the determinant left out, or a changed order of
operations, at least one printed digit of the fixture's flat meshes changes.
"""
import math
import sys

C = 0.5773502691896257  # the double nearest to 1/sqrt(3)

VARIANTS = ["sqrt3", "transpose", "nodet", "factor", "sumorder", "detorder", "flatorder"]


def frame(P, var=None):
    """Axes, lengths, determinant and the first two matrix rows of a first
    facet P = ((x1, y1, z1), (x2, y2, z2), (x3, y3, z3))."""
    (x1, y1, z1), (x2, y2, z2), (x3, y3, z3) = P
    Zx = (y2 - y1) * (z3 - z1) - (z2 - z1) * (y3 - y1)
    Zy = (z2 - z1) * (x3 - x1) - (x2 - x1) * (z3 - z1)
    Zz = (x2 - x1) * (y3 - y1) - (y2 - y1) * (x3 - x1)

    def length(a, b, c):
        if var == "sumorder":
            return math.sqrt(a * a + (b * b + c * c))
        return math.sqrt((a * a + b * b) + c * c)

    Z = length(Zx, Zy, Zz)
    Zx, Zy, Zz = Zx / Z, Zy / Z, Zz / Z
    c = 1.0 / math.sqrt(3.0) if var == "sqrt3" else C
    if var == "factor":
        Yx, Yy, Yz = (Zy - Zz) * c, (Zz - Zx) * c, (Zx - Zy) * c
    else:
        Yx, Yy, Yz = Zy * c - Zz * c, Zz * c - Zx * c, Zx * c - Zy * c
    Y = length(Yx, Yy, Yz)
    Yx, Yy, Yz = Yx / Y, Yy / Y, Yz / Y
    Xx, Xy, Xz = Yy * Zz - Yz * Zy, Yz * Zx - Yx * Zz, Yx * Zy - Yy * Zx
    X = length(Xx, Xy, Xz)
    Xx, Xy, Xz = Xx / X, Xy / X, Xz / X
    if var == "detorder":
        d = (Xx * Yy * Zz + (Yx * Zy * Xz + Zx * Xy * Yz)) - (Zx * Yy * Xz + (Xx * Zy * Yz + Yx * Xy * Zz))
    else:
        d = ((Xx * Yy * Zz + Yx * Zy * Xz) + Zx * Xy * Yz) - ((Zx * Yy * Xz + Xx * Zy * Yz) + Yx * Xy * Zz)
    if var == "transpose":
        M = [Xx, Xy, Xz, Yx, Yy, Yz, Zx, Zy, Zz]
    else:
        if var == "nodet":
            d = 1.0
        M = [(Yy * Zz - Yz * Zy) / d, (Yz * Zx - Yx * Zz) / d, (Yx * Zy - Yy * Zx) / d,
             (Xz * Zy - Xy * Zz) / d, (Xx * Zz - Xz * Zx) / d, (Xy * Zx - Xx * Zy) / d,
             (Xy * Yz - Xz * Yy) / d, (Xz * Yx - Xx * Yz) / d, (Xx * Yy - Xy * Yx) / d]
    return {"Z": Z, "Y": Y, "X": X, "detA": d, "M": M,
            "axes": [Xx, Xy, Xz, Yx, Yy, Yz, Zx, Zy, Zz]}


def flatten(M, p, var=None):
    x, y, z = p
    if var == "flatorder":
        return (M[0] * x + (M[1] * y + M[2] * z), M[3] * x + (M[4] * y + M[5] * z))
    return ((M[0] * x + M[1] * y) + M[2] * z, (M[3] * x + M[4] * y) + M[5] * z)


# A facet: (normal, v1, v2, v3), every number a decimal string as the file has it.
def values(facet):
    return [tuple(float(s) for s in vec) for vec in facet]


def mesh_text(facets, name="fixture"):
    text = "solid %s\n" % name
    for n, a, b, c in facets:
        text += "\tfacet normal\t%s\t%s\t%s\n" % n
        text += "\touter loop\n\t\tvertex\t%s\t%s\t%s\n" % a
        text += "\t\tvertex\t%s\t%s\t%s\n" % b
        text += "\t\tvertex\t%s\t%s\t%s\n\tendloop\nendfacet\n" % c
    return text + "endsolid %s\n" % name


def odd_number(s, k):
    """The same double written another way: exponents, a plus sign."""
    v = float(s)
    forms = ["%.17e" % v, "%.17E" % v]
    t = forms[k % 2]
    if v >= 0 and k % 3 == 0:
        t = "+" + t
    assert float(t) == v
    return t


def odd_mesh_text(facets, name="fixture"):
    """CR LF line ends, blanks and odd indentation, numbers with exponents."""
    k = 0
    lines = ["solid %s" % name]
    for facet in facets:
        parts = []
        for vec in facet:
            out = []
            for s in vec:
                out.append(odd_number(s, k))
                k += 1
            parts.append(out)
        lines.append("  facet normal %s %s %s" % tuple(parts[0]))
        lines.append("    outer loop")
        for p in parts[1:]:
            lines.append("      vertex   %s %s %s" % tuple(p))
        lines.append("    endloop")
        lines.append("  endfacet")
    lines.append("endsolid %s" % name)
    return "\r\n".join(lines) + "\r\n"


def flat_text(facets, M, var=None):
    text = "solid\n"
    for facet in (values(f) for f in facets):
        text += "\tfacet normal 0.000 0.000 1.000\n"
        heads = ["\touter loop\n\t\tvertex ", "\t\tvertex ", "\t\tvertex "]
        for k, p in enumerate(facet[1:]):
            x0, y0 = flatten(M, p, var)
            text += heads[k] + "%f %f 0.000\n" % (x0, y0)
        text += "\tendloop\nendfacet\n"
    return text + "endsolid\n"


def first_points(facets):
    return values(facets[0])[1:]


def flat_with_variant(facets, first, var):
    M = frame(first, None if var == "flatorder" else var)["M"]
    return flat_text(facets, M, var)


def check_catches(label, meshes, first):
    """Every variant changes a printed digit of at least one of the meshes."""
    for var in VARIANTS:
        if all(flat_with_variant(m, first, var) == flat_with_variant(m, first, None) for m in meshes):
            sys.exit("fixture %s does not catch %s" % (label, var))


N001 = ("0", "0", "1")

# The first facets of the six cupula meshes, one per side and duct, each
# followed by a facet of large coordinates where a changed operation shows.
CUPULA = {
    ("r", "Ant"): [
        (N001, ("1.2336", "-0.4887", "0.8481"), ("1.4694", "-0.2623", "0.9364"), ("1.3141", "-0.0760", "0.7064")),
        (N001, ("734523123456.125", "-211450987654.5", "98765432109.75"),
         ("-512345678901.25", "623456789012.375", "-334455667788.5"),
         ("287654321098.625", "145678901234.875", "-876543210987.125")),
    ],
    ("r", "Post"): [
        (N001, ("-0.6084", "1.0797", "-0.1818"), ("-0.3269", "1.3061", "-0.4553"), ("-0.7528", "1.3878", "0.0569")),
        (N001, ("-398765432101.5", "456789012345.25", "612345678901.125"),
         ("823456789012.75", "-134567890123.5", "278901234567.375"),
         ("-156789012345.875", "-734567890123.25", "489012345678.625")),
    ],
    ("r", "Lat"): [
        (N001, ("0.3385", "0.8899", "1.4412"), ("0.6524", "0.7867", "1.2507"), ("0.2724", "0.5345", "1.5969")),
        (N001, ("567890123456.375", "389012345678.125", "-723456789012.5"),
         ("-245678901234.625", "-678901234567.75", "134567890123.25"),
         ("912345678901.5", "-456789012345.875", "-345678901234.125")),
    ],
    ("l", "Ant"): [
        (N001, ("-1.1905", "-0.4262", "0.8086"), ("-1.2870", "-0.1059", "0.7101"), ("-1.4910", "-0.3475", "0.8925")),
        (N001, ("-634523123456.125", "311450987654.5", "-198765432109.75"),
         ("412345678901.25", "-523456789012.375", "434455667788.5"),
         ("-187654321098.625", "-245678901234.875", "776543210987.125")),
    ],
    ("l", "Post"): [
        (N001, ("0.6271", "0.9935", "-0.2445"), ("0.7793", "1.3836", "0.0381"), ("0.3142", "1.2615", "-0.3806")),
        (N001, ("298765432101.5", "-556789012345.25", "-512345678901.125"),
         ("-723456789012.75", "234567890123.5", "-378901234567.375"),
         ("256789012345.875", "634567890123.25", "-589012345678.625")),
    ],
    ("l", "Lat"): [
        (N001, ("-0.3058", "0.8811", "1.4177"), ("-0.2435", "0.5390", "1.5894"), ("-0.5659", "0.7822", "1.2609")),
        (N001, ("-467890123456.375", "-489012345678.125", "823456789012.5"),
         ("345678901234.625", "778901234567.75", "-234567890123.25"),
         ("-812345678901.5", "556789012345.875", "445678901234.125")),
    ],
}

# The cilia meshes, the same text for every duct.
CILIA = {
    "Long": [
        (("0.1", "0.2", "0.97"), ("1.2500", "-0.3750", "0.8000"), ("1.3125", "-0.3125", "0.8250"),
         ("1.2750", "-0.2500", "0.7900")),
        (("0.1", "0.2", "0.97"), ("1.3125", "-0.3125", "0.8250"), ("1.3500", "-0.2250", "0.8100"),
         ("1.2750", "-0.2500", "0.7900")),
    ],
    "Medium": [
        (("0", "1", "0"), ("-0.4250", "-1.1250", "-0.0625"), ("0.5500", "0.6250", "1.0500"),
         ("0.9125", "-0.1875", "0.3750")),
    ],
    "Short": [
        (("1", "0", "0"), ("2.0625", "0.1250", "-0.5000"), ("1.9375", "0.3750", "-0.4375"),
         ("2.1250", "0.2500", "-0.3125")),
    ],
}


def cpp_string(name, text):
    assert ")STL\"" not in text
    return "inline constexpr std::string_view %s = R\"STL(%s)STL\";\n" % (name, text)


def cpp_double(v):
    return float.hex(v) if math.isfinite(v) else repr(v)


def main():
    out = []
    out.append("// Written by expected_flat_meshes.py (beside this file) from the frame's\n")
    out.append("// formulas; do not edit by hand.\n")
    out.append("#pragma once\n\n#include <string_view>\n\nnamespace flanmere_expected {\n\n")

    for name, facets in CILIA.items():
        out.append(cpp_string("kCilia%s" % name, mesh_text(facets, "cilia_" + name.lower())))
        out.append(cpp_string("kCilia%sOdd" % name, odd_mesh_text(facets, "cilia_" + name.lower())))
    out.append("\n")

    for (side, duct), facets in CUPULA.items():
        first = first_points(facets)
        cilia = [CILIA[k] for k in ("Long", "Medium", "Short")]
        check_catches(side + duct, [facets] + cilia, first)
        f = frame(first)
        tag = side.upper() + duct
        out.append(cpp_string("kCup%s" % tag, mesh_text(facets, "cupula")))
        out.append(cpp_string("kCup%sOdd" % tag, odd_mesh_text(facets, "cupula")))
        # The first facet alone, without the end line: 8 lines, no facet to write.
        out.append(cpp_string("kCup%sFirstOnly" % tag, mesh_text(facets[:1], "cupula")[:-len("endsolid cupula\n")]))
        out.append(cpp_string("kFlatCup%s" % tag, flat_text(facets, f["M"])))
        for k in ("Long", "Medium", "Short"):
            out.append(cpp_string("kFlatCilia%s%s" % (k, tag), flat_text(CILIA[k], f["M"])))
        out.append("\n")

    # Exact doubles of one frame (the right anterior one), for the frame's
    # own test: lengths, determinant, axes and the whole matrix.
    f = frame(first_points(CUPULA[("r", "Ant")]))
    out.append("inline constexpr double kFrameRAntLengths[4] = {%s};\n" %
               ", ".join(cpp_double(f[k]) for k in ("Z", "Y", "X", "detA")))
    out.append("inline constexpr double kFrameRAntAxes[9] = {%s};\n" % ", ".join(cpp_double(v) for v in f["axes"]))
    out.append("inline constexpr double kFrameRAntMatrix[9] = {%s};\n" % ", ".join(cpp_double(v) for v in f["M"]))
    # And what the faults would give instead, so the test shows they differ.
    for var in ("sqrt3", "transpose"):
        out.append("inline constexpr double kFrameRAntMatrix_%s[9] = {%s};\n" %
                   (var, ", ".join(cpp_double(v) for v in frame(first_points(CUPULA[("r", "Ant")]), var)["M"])))
    out.append("\n}  // namespace flanmere_expected\n")
    sys.stdout.write("".join(out))


if __name__ == "__main__":
    main()
