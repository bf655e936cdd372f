#!/usr/bin/env python3
"""Expected files of Quintarel's end-to-end tests.

Works every output out from the raw inputs below with the frame's formulas,
in the same order of operations as the program is meant to use (every sum
left to right, squares as products, acos of an argument clamped to [-1, 1],
57.3 degrees per radian), independently of the program's code. Python floats
are IEEE doubles and its "%f" writes what C's printf writes.

    python3 expected_quintarel.py > expected_quintarel.h
"""
import math

SETS = ("Cor", "PlusCor", "MinusCor")
DUCTS = ("Anterior", "Posterior", "Lateral")


def F(v):
    # C's "%f"; the sign of a nan is left out (the tests compare nan as nan).
    if math.isnan(v):
        return "nan"
    return "%f" % v


def div(a, b):
    # IEEE division, as the program does it.
    if b == 0.0:
        if a == 0.0 or math.isnan(a):
            return math.nan
        return math.copysign(math.inf, a) * math.copysign(1.0, b)
    return a / b


def acos_deg(a):
    if not math.isnan(a):
        a = max(-1.0, min(1.0, a))
    return math.acos(a) * 57.3


# --- inputs ---------------------------------------------------------------

# Unit normals (anterior, posterior, lateral) and centres of rotation, as
# typed in the raw vector files of the sample species (examples/Data/Sample).
INPUT = {
    ("R", "Cor"): (
        [("0.58905", "0.78928", "0.17334"), ("0.69248", "-0.66561", "0.27826"), ("0.32891", "-0.03566", "-0.94369")],
        [("2.412", "-48.936", "4.287"), ("-3.874", "-50.215", "1.563"), ("-0.975", "-46.802", "-0.841")]),
    ("L", "Cor"): (
        [("-0.58954", "0.78750", "-0.17971"), ("-0.69611", "-0.66820", "-0.26257"), ("-0.31645", "-0.04108", "0.94772")],
        [("2.538", "49.214", "4.102"), ("-3.691", "50.473", "1.702"), ("-1.103", "47.118", "-0.695")]),
    ("R", "PlusCor"): (
        [("0.57031", "0.80227", "0.17636"), ("0.71004", "-0.65036", "0.26994"), ("0.32495", "-0.02063", "-0.94551")],
        [("2.412", "-48.936", "4.287"), ("-3.874", "-50.215", "1.563"), ("-0.975", "-46.802", "-0.841")]),
    ("L", "PlusCor"): (
        [("-0.56907", "0.80308", "-0.17669"), ("-0.71102", "-0.64890", "-0.27090"), ("-0.32211", "-0.04021", "0.94585")],
        [("2.538", "49.214", "4.102"), ("-3.691", "50.473", "1.702"), ("-1.103", "47.118", "-0.695")]),
    ("R", "MinusCor"): (
        [("0.60748", "0.77582", "0.17050"), ("0.67451", "-0.68036", "0.28660"), ("0.33249", "-0.05077", "-0.94174")],
        [("2.412", "-48.936", "4.287"), ("-3.874", "-50.215", "1.563"), ("-0.975", "-46.802", "-0.841")]),
    ("L", "MinusCor"): (
        [("-0.60963", "0.77139", "-0.18252"), ("-0.68069", "-0.68706", "-0.25417"), ("-0.31076", "-0.04179", "0.94957")],
        [("2.538", "49.214", "4.102"), ("-3.691", "50.473", "1.702"), ("-1.103", "47.118", "-0.695")]),
}

# A mid-sagittal plane tilted off y = 0, with a normal that is not of unit
# length, and its two lines separated by tabs, then by blanks.
MID_NORMAL = ("0.05", "2.0", "-0.1")
MID_POINT = ("0.3", "0.2", "-0.1")
MID_TEXT = "%s\t%s\t%s\n%s %s %s\n" % (MID_NORMAL + MID_POINT)


def raw_text(side, key):
    word = "Right" if side == "R" else "Left"
    normals, centres = INPUT[key]
    t = "SEMICIRCULAR DUCT PLANES (UNCOUPLED)\n\n"
    for d, (x, y, z) in zip(DUCTS, normals):
        t += "%s %s duct: %sx %sy %sz\n" % (word, d, x, y, z)
    t += "\nSEMICIRCULAR DUCT CENTER OF ROTATION\n\n"
    for d, (x, y, z) in zip(DUCTS, centres):
        t += "%s %s duct: %sx %sy %sz\n" % (word, d, x, y, z)
    return t


def side_values(key):
    normals, centres = INPUT[key]
    return ([tuple(float(c) for c in v) for v in normals], [tuple(float(c) for c in v) for v in centres])


# --- formulas -------------------------------------------------------------

def matrix_text(m):
    return "%s\t%s\t%s\n%s\t%s\t%s\n%s\t%s\t%s" % tuple(F(v) for v in m)


def reflection(normal):
    xMP, yMP, zMP = normal
    MP = math.sqrt((xMP * xMP + yMP * yMP) + zMP * zMP)
    xMP, yMP, zMP = div(xMP, MP), div(yMP, MP), div(zMP, MP)
    return [(yMP * yMP - xMP * xMP) + zMP * zMP, (xMP * -2.0) * yMP, (xMP * -2.0) * zMP,
            (yMP * -2.0) * xMP, (zMP * zMP - yMP * yMP) + xMP * xMP, (yMP * -2.0) * zMP,
            (zMP * -2.0) * xMP, (zMP * -2.0) * yMP, (xMP * xMP - zMP * zMP) + yMP * yMP]


def mirror(S, point, side):
    normals, centres = side
    A, B, C, D, E, Fm, G, H, I = S
    px, py, pz = point
    mn = [(-((x * A + y * B) + z * C), -((x * D + y * E) + z * Fm), -((x * G + y * H) + z * I))
          for (x, y, z) in normals]
    mc = [(px + (((x - px) * A + (y - py) * B) + (z - pz) * C),
           py + (((x - px) * D + (y - py) * E) + (z - pz) * Fm),
           pz + (((x - px) * G + (y - py) * H) + (z - pz) * I)) for (x, y, z) in centres]
    return (mn, mc)


def frame_matrix(R, L):
    (ADT_R, PDT_R, LDT_R), _ = R
    (ADT_L, PDT_L, LDT_L), _ = L
    dx, dy, dz = LDT_L[0] - LDT_R[0], LDT_L[1] - LDT_R[1], LDT_L[2] - LDT_R[2]
    Z = math.sqrt((dx * dx + dy * dy) + dz * dz)
    Zx, Zy, Zz = div(dx, Z), div(dy, Z), div(dz, Z)
    s = [((ADT_R[k] + ADT_L[k]) - PDT_R[k]) - PDT_L[k] for k in range(3)]
    Y = math.sqrt((s[0] * s[0] + s[1] * s[1]) + s[2] * s[2])
    Yx, Yy, Yz = div(s[0], Y), div(s[1], Y), div(s[2], Y)
    Xx = Yy * Zz - Yz * Zy
    Xy = Yz * Zx - Yx * Zz
    Xz = Yx * Zy - Yy * Zx
    X = math.sqrt((Xx * Xx + Xy * Xy) + Xz * Xz) if not math.isnan(Xx) else math.nan
    Xx, Xy, Xz = div(Xx, X), div(Xy, X), div(Xz, X)
    detA = ((Xx * Yy * Zz + Yx * Zy * Xz) + Zx * Xy * Yz) - ((Zx * Yy * Xz + Xx * Zy * Yz) + Yx * Xy * Zz)
    return [div(Yy * Zz - Yz * Zy, detA), div(Yz * Zx - Yx * Zz, detA), div(Yx * Zy - Yy * Zx, detA),
            div(Xz * Zy - Xy * Zz, detA), div(Xx * Zz - Xz * Zx, detA), div(Xy * Zx - Xx * Zy, detA),
            div(Xy * Yz - Xz * Yy, detA), div(Xz * Yx - Xx * Yz, detA), div(Xx * Yy - Xy * Yx, detA)]


def apply(T, v):
    x, y, z = v
    return ((T[0] * x + T[1] * y) + T[2] * z, (T[3] * x + T[4] * y) + T[5] * z, (T[6] * x + T[7] * y) + T[8] * z)


def rows(word, vs):
    return "".join("%s %s duct: %sx %sy %sz\n" % (word, d, F(x), F(y), F(z)) for d, (x, y, z) in zip(DUCTS, vs))


def vector_text(R, L):
    return ("SEMICIRCULAR DUCT PLANES (UNCOUPLED)\n\n" + rows("Right", R[0]) + rows("Left", L[0]) +
            "\n\nSEMICIRCULAR DUCT CENTER OF ROTATION\n\n" + rows("Right", R[1]) + rows("Left", L[1]))


def dot(a, b):
    return (a[0] * b[0] + a[1] * b[1]) + a[2] * b[2]


def synergistic_text(R, L):
    (ADT_R, PDT_R, LDT_R), (ADT_L, PDT_L, LDT_L) = R[0], L[0]
    m1 = acos_deg(dot(ADT_R, PDT_L))
    m2 = acos_deg(dot(ADT_L, PDT_R))
    m3 = acos_deg(dot(LDT_R, LDT_L))
    var = (((m1 - 180.0) * (m1 - 180.0) + (m2 - 180.0) * (m2 - 180.0)) + (m3 - 180.0) * (m3 - 180.0)) / 3.0
    dev = ((abs(m1 - 180.0) + abs(m2 - 180.0)) + abs(m3 - 180.0)) / 3.0
    return ("SYNERGISTIC ANGLES (UNCOUPLED)\n\n"
            "Right Anterior and Left Posterior ducts: %s Degrees\n"
            "Left Anterior and Right Posterior ducts: %s Degrees\n"
            "Lateral ducts: %s Degrees\n\n"
            "DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)\n\n"
            "Variance from planarity: %s Degrees^2\n\n"
            "Average deviation from planarity: %s Degrees\n") % (F(m1), F(m2), F(m3), F(var), F(dev))


def reference_text(side, S):
    A, P, Lt = S[0]
    if side == "R":
        v = [acos_deg(A[1]), acos_deg(-P[1]), acos_deg(-Lt[1]), acos_deg(A[0]), acos_deg(P[0]),
             acos_deg(-A[2]), acos_deg(P[2]), acos_deg(-Lt[2])]
    else:
        v = [acos_deg(A[1]), acos_deg(-P[1]), acos_deg(-Lt[1]), acos_deg(-A[0]), acos_deg(-P[0]),
             acos_deg(A[2]), acos_deg(-P[2]), acos_deg(Lt[2])]
    return ("REFERENCE ANGLES (UNCOUPLED)\n\nVESTIBULAR PITCH / MID-SAGITTAL PLANE\n\n"
            "Anterior duct: %s Degrees\nPosterior duct: %s Degrees\nLateral duct: %s Degrees\n\n"
            "VESTIBULAR ROLL / CORONAL PLANE\n\n"
            "Anterior duct: %s Degrees\nPosterior duct: %s Degrees\n\n"
            "VESTIBULAR YAW / HORIZONTAL PLANE\n\n"
            "Anterior duct: %s Degrees\nPosterior duct: %s Degrees\nLateral duct: %s Degrees\n") % tuple(
                F(x) for x in v)


def set_pass(R, L, read_R, read_L):
    T = frame_matrix(R, L)
    tR = ([apply(T, v) for v in R[0]], [apply(T, v) for v in R[1]])
    tL = ([apply(T, v) for v in L[0]], [apply(T, v) for v in L[1]])
    out = {"matrix": matrix_text(T), "vector": vector_text(tR, tL), "synangle": synergistic_text(tR, tL)}
    if read_R:
        out["function_R"] = reference_text("R", tR)
    if read_L:
        out["function_L"] = reference_text("L", tL)
    return out, T


# --- the header -----------------------------------------------------------

NAMES = []


def literal(name, text):
    NAMES.append(name)
    return 'inline const std::string %s = R"q(%s)q";\n' % (name, text)


def main():
    out = ["// Written by expected_quintarel.py from the frame's formulas; do not edit.\n",
           "#pragma once\n\n#include <map>\n#include <string>\n\nnamespace expected {\n\n"]
    for side in ("R", "L"):
        for s in SETS:
            out.append(literal("kRaw_%s_%s" % (side, s), raw_text(side, (side, s))))
    out.append(literal("kMidPlane", MID_TEXT))

    # Both sides read: each set its own frame, which is not orthonormal.
    for s in SETS:
        R, L = side_values(("R", s)), side_values(("L", s))
        res, T = set_pass(R, L, True, True)
        if s == "Cor":
            out.append(literal("kBoth_Transmat", res["matrix"]))
            # Y . Z of the Cor frame is not zero, so the transpose is not the
            # inverse: a transposed matrix would write other digits.
            Tt = [T[0], T[3], T[6], T[1], T[4], T[7], T[2], T[5], T[8]]
            assert matrix_text(Tt) != res["matrix"]
        for k in ("vector", "synangle", "function_R", "function_L"):
            out.append(literal("kBoth_%s_%s" % (s, k), res[k]))

    # One side read, the other mirrored through the tilted mid-plane.
    normal = tuple(float(c) for c in MID_NORMAL)
    point = tuple(float(c) for c in MID_POINT)
    S = reflection(normal)
    out.append(literal("kSymmat", matrix_text(S)))
    for side in ("R", "L"):
        mode = "Right" if side == "R" else "Left"
        for s in SETS:
            given = side_values((side, s))
            built = mirror(S, point, given)
            R, L = (given, built) if side == "R" else (built, given)
            res, _ = set_pass(R, L, side == "R", side == "L")
            if s == "Cor":
                out.append(literal("k%s_Transmat" % mode, res["matrix"]))
            keys = ("vector", "synangle", "function_R" if side == "R" else "function_L")
            for k in keys:
                out.append(literal("k%s_%s_%s" % (mode, s, k), res[k]))

    # A Cor set whose lateral normals are equal: Z has no length, and nan
    # runs through every number of the set (both sides read).
    R = side_values(("R", "Cor"))
    L = side_values(("L", "Cor"))
    L = (L[0][:2] + [R[0][2]], L[1])
    res, _ = set_pass(R, L, True, True)
    out.append(literal("kDegenerate_Transmat", res["matrix"]))
    for k in ("vector", "synangle", "function_R", "function_L"):
        out.append(literal("kDegenerate_%s" % k, res[k]))

    # Every text by its name without the k, e.g. "Both_Cor_vector".
    out.append("\ninline const std::map<std::string, const std::string*> kByName = {\n")
    for name in NAMES:
        out.append('    {"%s", &%s},\n' % (name[1:], name))
    out.append("};\n\n}  // namespace expected\n")
    print("".join(out), end="")


if __name__ == "__main__":
    main()
