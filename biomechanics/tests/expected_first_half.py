#!/usr/bin/env python3
"""Expected values of Ostravel's first half on a small species folder.

Writes first_half_fixture.inc next to this script: the fixture's input files
(.sif heads, .deflection rows, Cor and PlusCor morphometry), the answers to
the material prompts, and the value every quantity must hold after the
finite element inputs, the morphometry, the calibration (Cor) or the
inverted calibration (PlusCor) and the uncoupled model. Every formula is
evaluated in the order and grouping the model is defined with; log10 and pow
are the C library's, reached through ctypes.

Run: python3 expected_first_half.py (expected_second_half.py imports it for the
values the rest of the model starts from).
"""

import ctypes
import math
import os

libm = ctypes.CDLL("libm.so.6")
for _name in ("log10", "pow", "sqrt"):
    getattr(libm, _name).restype = ctypes.c_double
    getattr(libm, _name).argtypes = [ctypes.c_double] * (2 if _name == "pow" else 1)


def log10(x):
    return libm.log10(x)


def pw(x, y):
    return libm.pow(x, y)


def sqrt(x):
    return libm.sqrt(x)


def div(a, b):
    """IEEE division (Python raises on a zero divisor)."""
    try:
        return a / b
    except ZeroDivisionError:
        if a != a or a == 0.0:
            return math.nan
        return math.copysign(math.inf, a) * math.copysign(1.0, b)


SPECIES = "Fx"
DUCTS = [("a", "A", "Ant"), ("p", "P", "Post"), ("l", "L", "Lat")]
CASES = [("high", "Long"), ("med", "Medium"), ("low", "Short")]
ZONES = ["h", "m", "l"]
H = {"h": 7.5e-05, "m": 4.5e-05, "l": 1.5e-05}
FIT = {"h": (0.18422, -1.59936, 0.45633), "m": (0.28299, -1.65462, 0.434), "l": (0.36984, -1.69464, 0.4139)}
PI = 3.14159265359

files = {}  # path below the working directory -> text

# ---------------------------------------------------------------- .sif heads
SIF = {"R": ("1.8e-4", "1e-3", "5.4", "0.48"), "L": ("1.8e-4", "1e-3", "5.1", "0.46")}
for side, prefix in (("R", "rfea_"), ("L", "lfea_")):
    t, cs, E, p = SIF[side]
    files[f"Data/{SPECIES}/FEA/{prefix}{SPECIES}_Ant_Cilia_Long.sif"] = (
        "!!! CHECK BOUNDARIES LABELS !!!\n\n"
        f"$t = {t} ! Input cupula thickness (Long cilia) in meter\n"
        f"$cs = {cs} ! 1e-6 for mesh in um, 1e-3 for mesh in mm, 1e-2 for mesh in cm\n"
        f"$E = {E} ! Young modulus\n"
        f"$p = {p} ! Poisson ratio\n"
        "\nHeader\n  Mesh DB \".\" \"mesh\"\nEnd\n")

v = {}  # every expected quantity by its name


def merge(r, l, name):
    """Right/left merge; a value left unassigned stays 0."""
    if r != 0.0 and l != 0.0:
        v[name] = (r + l) / 2.0
    elif r != 0.0 and l == 0.0:
        v[name] = r
    elif l != 0.0 and r == 0.0:
        v[name] = l
    else:
        v.setdefault(name, 0.0)


merge(float(SIF["R"][2]), float(SIF["L"][2]), "Young")
merge(float(SIF["R"][3]), float(SIF["L"][3]), "poisson")

# ------------------------------------------------------- .deflection rows
# Columns: max, mean, zone integrals h m l, zone areas h m l, cupula area,
# two perimeter parts. Text as the solver might write it.
ROWS = {}
base = {
    "a": dict(mean=(1.412e-06, 1.231e-06, 1.067e-06), areas=(1.21e-07, 1.73e-07, 2.38e-07), cup=1.062e-06),
    "p": dict(mean=(1.378e-06, 1.204e-06, 1.049e-06), areas=(1.17e-07, 1.69e-07, 2.31e-07), cup=1.018e-06),
    "l": dict(mean=(1.521e-06, 1.322e-06, 1.149e-06), areas=(1.09e-07, 1.58e-07, 2.19e-07), cup=0.974e-06),
}
factor = {"h": 1.31, "m": 1.07, "l": 0.58}
for X, D, duct in DUCTS:
    b = base[X]
    for ci, (c, cilia) in enumerate(CASES):
        for side in ("R", "L"):
            s = 1.0 if side == "R" else 1.035
            mean = b["mean"][ci] * s
            zone = [mean * factor[z] * (1.0 + 0.01 * ci) * b["areas"][k] for k, z in enumerate(ZONES)]
            if ci == 0:
                areas = list(b["areas"])
                cup = b["cup"] * (1.0 if side == "R" else 1.004)
            else:  # columns 6 to 11 of the Medium and Short files never count
                areas = [9.9e-05, 8.8e-05, 7.7e-05]
                cup = 6.6e-05
            row = [mean * 1.83, mean] + zone + areas + [cup, 2.1e-03, 1.9e-03]
            ROWS[(X, c, side)] = row
# Exercising the merge rule value by value:
ROWS[("a", "high", "R")][8] = 0.0          # right cupula area 0: the left one is taken
ROWS[("l", "low", "L")][2] = 0.0           # left zone h integral 0: the right one is taken
del ROWS[("p", "med", "R")]                # one file of a pair missing: the other side alone

for (X, c, side), row in ROWS.items():
    duct = {x: d for x, _, d in DUCTS}[X]
    cilia = dict(CASES)[c]
    prefix = "rfea_" if side == "R" else "lfea_"
    text = "".join("\t%.6e" % x for x in row) + "\n"
    files[f"Data/{SPECIES}/FEA/{prefix}{SPECIES}_{duct}_Cilia_{cilia}.deflection"] = text
    # the values as read back from the text
    ROWS[(X, c, side)] = [float("%.6e" % x) for x in row]

for X, D, duct in DUCTS:
    for c, cilia in CASES:
        r = ROWS.get((X, c, "R"), [0.0] * 11)
        l = ROWS.get((X, c, "L"), [0.0] * 11)
        merge(r[1], l[1], f"u{X}_{c}_mean")
        for k, z in enumerate(ZONES):
            merge(r[2 + k], l[2 + k], f"u{X}_{c}_{z}")
        if c == "high":
            for k, z in enumerate(ZONES):
                merge(r[5 + k], l[5 + k], f"u{X}_{z}_area")
            merge(r[8], l[8], f"aC{X}_FEA")
        for z in ZONES:
            v[f"u{X}_{c}_mean_{z}"] = div(v[f"u{X}_{c}_{z}"], v[f"u{X}_{z}_area"])
        for z in ZONES:
            v[f"d{X}_{c}_mean_{z}"] = div((div(v[f"u{X}_{c}_mean_{z}"], H[z]) * 57.2957795),
                                          ((v[f"u{X}_{c}_mean"] * v[f"aC{X}_FEA"]) * 1e12))

# ---------------------------------------------------------- material prompts
ANSWERS = ("37", "2.414", "1000", "1100")
v["T"], v["mu_A"] = float(ANSWERS[0]), float(ANSWERS[1])
v["rho_e"] = float(ANSWERS[2]) / 1e6
v["rho_c"] = float(ANSWERS[3]) / 1e6
v["gamma"] = div(v["Young"], ((v["poisson"] + 1.0) + (v["poisson"] + 1.0)))
v["mu_e"] = (v["mu_A"] * 1e-05) * pw(10.0, div(247.8, (v["T"] + 133.15)))
v["mu_c"] = v["mu_e"] * 10.0

# ---------------------------------------------------------------- morphometry
SEGMENTS = ["Sa", "Sp", "Sl", "CCa", "CCp", "CC", "Ul", "UCa", "UCl", "UC", "UCp", "Aa", "Ap", "Al"]
SEG_LABELS = ["Anterior slender duct", "Posterior slender duct", "Lateral slender duct",
              "Common crus (anterior trajectory)", "Common crus (posterior trajectory)",
              "Common crus (common part)", "Simple crus", "Anterior utricle (anterior trajectory)",
              "Anterior utricle (lateral trajectory)", "Anterior utricle (common part)", "Posterior utricle",
              "Anterior ampulla", "Posterior ampulla", "Lateral ampulla"]

COR = {
    "L": [8.43, 8.91, 6.52, 2.21, 2.34, 1.57, 1.83, 1.71, 1.48, 0.93, 1.62, 1.84, 1.79, 1.68],
    "a": [0.0853, 0.0829, 0.0961, 0.2117, 0.2236, 0.2841, 0.1903, 0.5522, 0.6014, 0.8032, 0.6497,
          1.0921, 1.0478, 0.9982],
    "ws": [27.61, 28.13, 26.92, 30.21, 29.87, 31.46, 28.74, 41.25, 39.88, 44.17, 40.63, 35.72, 36.15, 34.98],
    "encl": [14.72, 15.31, 9.86],
    "aC": [0.9514, 0.9237, 0.8861],
    "aC_Mid": [1.0312, 0.9876, 0.9435],
    "LC": [[0.1812, 0.2234, 0.2731], [0.1768, 0.2187, 0.2692], [0.1695, 0.2103, 0.2588]],
    "planes": [(0.58905, 0.78928, 0.17334), (0.69248, -0.66561, 0.27826), (0.32891, -0.03566, -0.94369),
               (-0.58954, 0.78750, -0.17971), (-0.69611, -0.66820, -0.26257), (-0.31645, -0.04108, 0.94772)],
    "centres": [(3.85, -31.2, 2.75), (-1.95, -33.4, 0.85), (1.1, -30.65, -0.4),
                (3.92, 31.05, 2.81), (-1.88, 33.27, 0.79), (1.16, 30.58, -0.35)],
}
PLUS = dict(COR)
PLUS["L"] = [x * 1.02 for x in COR["L"]]
PLUS["a"] = [x * 0.985 for x in COR["a"]]
PLUS["aC_Mid"] = [x * 1.03 for x in COR["aC_Mid"]]
PLUS["LC"] = [[x * 1.04 for x in row] for row in COR["LC"]]
PLUS["planes"] = [(0.0, 0.0, 1.0)] * 6  # written as bare zeros followed by the axis letter


def num(x):
    return "%.6f" % x


def morph_text(m):
    """The morphometry file in its canonical layout, and its values as read."""
    out = []
    vals = {}
    e = out.append
    e("ENDOLYMPH VOLUMES\n\n")
    e("Anterior slender duct: 0.719000 mm^3\nPosterior slender duct: 0.738600 mm^3\n"
      "Lateral slender duct: 0.626600 mm^3\n\n")
    e("Common crus: 0.913500 mm^3\nSimple crus: 0.348300 mm^3\n\n")
    e("Anterior utricle: 2.447000 mm^3\nPosterior utricle: 1.052500 mm^3\n\n")
    e("Anterior ampulla: 2.009500 mm^3\nPosterior ampulla: 1.875600 mm^3\nLateral ampulla: 1.677000 mm^3\n\n")
    e("Anterior duct: 5.481000 mm^3\nPosterior duct: 4.530000 mm^3\nLateral duct: 3.985000 mm^3\n\n")
    e("Total SCDS volume: 11.407200 mm^3\nSmoothing effect: 1.250000 %\nDivision error: 0.430000 %\n\n\n")
    e("STREAMLINE LENGTHS\n\n")
    groups = [(0, 3), (3, 7), (7, 11), (11, 14)]
    for g0, g1 in groups:
        for k in range(g0, g1):
            e(f"{SEG_LABELS[k]}: {num(m['L'][k])} mm\n")
            vals["L" + SEGMENTS[k]] = float(num(m["L"][k]))
        e("\n")
    e("Anterior duct: 14.190000 mm\nPosterior duct: 14.660000 mm\nLateral duct: 11.510000 mm\n\n\n")
    e("STREAMLINE ENCLOSED AREAS\n\n")
    for k, d in enumerate(["Anterior", "Posterior", "Lateral"]):
        e(f"{d} duct: {num(m['encl'][k])} mm^2\n")
        vals["A" + ["ADT", "PDT", "LDT"][k]] = float(num(m["encl"][k]))
    e("\n")
    e("RADII OF CURVATURE\n\nAnterior duct: 2.164000 mm\nPosterior duct: 2.207000 mm\n"
      "Lateral duct: 1.771000 mm\n\n\n")
    for heading, key, unit, after in (("CROSS-SECTIONAL AREAS", "a", " mm^2", "\n"),
                                      ("WALL SHAPE DRAG FACTORS", "ws", "", "\n\n")):
        e(f"{heading}\n\n")
        for g0, g1 in groups:
            for k in range(g0, g1):
                e(f"{SEG_LABELS[k]}: {num(m[key][k])}{unit}\n")
                vals[key + SEGMENTS[k]] = float(num(m[key][k]))
            e("\n")
        e(f"Anterior duct: 0.120000{unit}\nPosterior duct: 0.118000{unit}\nLateral duct: 0.131000{unit}\n")
        e(after)
        if key == "a":
            e("SLENDER DUCT CROSS-SECTIONAL RADII\n\nAnterior slender duct: 0.164800 mm\n"
              "Posterior slender duct: 0.162400 mm\nLateral slender duct: 0.174900 mm\n\n")
            e("CROSS-SECTIONAL RATIOS\n\nCommon crus to anterior slender duct: 2.481800\n"
              "Common crus to posterior slender duct: 2.697200\n\n"
              "Anterior utricle to anterior slender duct: 6.473600\n"
              "Anterior utricle to lateral slender duct: 6.258100\n"
              "Posterior utricle to posterior slender duct: 7.837200\n\n"
              "Anterior ampulla to anterior slender duct: 12.803000\n"
              "Posterior ampulla to posterior slender duct: 12.639300\n"
              "Lateral ampulla to lateral slender duct: 10.387100\n\n\n")
    e("CUPULA MORPHOMETRY\n\nCUPULA CROSS-SECTIONAL AREAS\n\n")
    for k, d in enumerate(["Anterior", "Posterior", "Lateral"]):
        e(f"{d} cupula (average): {num(m['aC'][k])} mm^2\n")
        vals["aC" + "apl"[k]] = float(num(m["aC"][k]))
    e("\n")
    for k, d in enumerate(["Anterior", "Posterior", "Lateral"]):
        e(f"{d} cupula (central section): {num(m['aC_Mid'][k])} mm^2\n")
        vals["aC" + "apl"[k] + "_Mid"] = float(num(m["aC_Mid"][k]))
    e("\nCUPULA THICKNESS\n\n")
    for k, d in enumerate(["Anterior", "Posterior", "Lateral"]):
        for ci, word in enumerate(["long", "medium", "short"]):
            e(f"{d} cupula ({word} cilia): {num(m['LC'][k][ci])} mm\n")
            vals["LC" + "apl"[k] + "_" + CASES[ci][0]] = float(num(m["LC"][k][ci]))
        e("\n")
    e("Anterior cupula (Rabbitt's empirical estimation): 0.201000 mm\n"
      "Posterior cupula (Rabbitt's empirical estimation): 0.198000 mm\n"
      "Lateral cupula (Rabbitt's empirical estimation): 0.190000 mm\n\n\n")
    names = [("Right", "Anterior", "ADT_R"), ("Right", "Posterior", "PDT_R"), ("Right", "Lateral", "LDT_R"),
             ("Left", "Anterior", "ADT_L"), ("Left", "Posterior", "PDT_L"), ("Left", "Lateral", "LDT_L")]
    for heading, key, mark in (("SEMICIRCULAR DUCT PLANES (UNCOUPLED)", "planes", ""),
                               ("SEMICIRCULAR DUCT CENTER OF ROTATION (UNCOUPLED)", "centres", "c")):
        e(f"{heading}\n\n")
        for k, (side, duct, stem) in enumerate(names):
            x, y, z = m[key][k]
            if (x, y, z) == (0.0, 0.0, 1.0):
                e(f"{side} {duct} duct: 0x 0y 1.000000z\n")
            else:
                e(f"{side} {duct} duct: {num(x)}x {num(y)}y {num(z)}z\n")
            for a, value in zip("xyz", (x, y, z)):
                vals[a + stem[:3] + mark + stem[3:]] = float(num(value))
        if key == "planes":
            e("\n")
    return "".join(out), vals


cor_text, cor_vals = morph_text(COR)
plus_text, plus_vals = morph_text(PLUS)
assert cor_text.count("\n") == 180 and plus_text.count("\n") == 180
files[f"Data/{SPECIES}/{SPECIES}_Cor.morph"] = cor_text
files[f"Data/{SPECIES}/{SPECIES}_PlusCor.morph"] = plus_text


# Quintarel's uncoupled matrix, which the Cor pass hands on (not read by the
# first half of the model).
files[f"Data/{SPECIES}/Matrix/{SPECIES}_uncoupled.transmat"] = (
    "0.583107\t0.797331\t0.155493\n-0.792650\t0.598912\t-0.113824\n-0.183814\t-0.074325\t0.980147")

# ----------------------------------------------------------------- calibration
def calibrate(p):
    """Cor pass: residuals, residual areas, stiffnesses, profile factors."""
    for X, D, _ in DUCTS:
        for c, _ in CASES:
            for z in ZONES:
                e1, e2, e0 = FIT[z]
                v[f"Log_Res_d{X}_{c}_mean_{z}"] = log10(v[f"d{X}_{c}_mean_{z}"]) - (
                    (log10(p[f"LC{X}_{c}"]) * e1 + log10(p[f"aC{X}_Mid"]) * e2) - e0)
    for X, D, _ in DUCTS:
        v[f"aC{X}_Res"] = v[f"aC{X}_FEA"] * 1000000.0 - p[f"aC{X}_Mid"]
    for X, D, _ in DUCTS:
        for c, _ in CASES:
            v[f"K{D}DT_{c}"] = div(div(0.05, (v[f"u{X}_{c}_mean"] * v[f"aC{X}_FEA"])), 1000000000.0)
    for X, D, _ in DUCTS:
        for c, _ in CASES:
            s = p[f"aC{X}_Mid"] + v[f"aC{X}_Res"]
            p[f"wsC{X}_{c}"] = div((s * s) * v[f"K{D}DT_{c}"], (p[f"LC{X}_{c}"] * v["gamma"]))
    for X, D, _ in DUCTS:
        for c, _ in CASES:
            v[f"Log_Res_wsC{X}_{c}"] = log10(p[f"wsC{X}_{c}"]) - (
                (log10(p[f"LC{X}_{c}"]) * 0.31842 + log10(p[f"aC{X}_Mid"] + v[f"aC{X}_Res"]) * -0.20786)
                + 1.36053)


def inverted_calibration(p):
    """PlusCor and MinusCor passes: the fits at the set's geometry plus the Cor residuals."""
    for X, D, _ in DUCTS:
        for z in ZONES:
            for c, _ in CASES:
                e1, e2, e0 = FIT[z]
                v[f"d{X}_{c}_mean_{z}"] = pw(10.0, ((log10(p[f"LC{X}_{c}"]) * e1 + log10(p[f"aC{X}_Mid"]) * e2)
                                                   - e0) + v[f"Log_Res_d{X}_{c}_mean_{z}"])
    for c, _ in CASES:
        for X, D, _ in DUCTS:
            p[f"wsC{X}_{c}"] = pw(10.0, ((log10(p[f"LC{X}_{c}"]) * 0.31842
                                         + log10(p[f"aC{X}_Mid"] + v[f"aC{X}_Res"]) * -0.20786) + 1.36053)
                                  + v[f"Log_Res_wsC{X}_{c}"])
    for c, _ in CASES:
        for X, D, _ in DUCTS:
            s = p[f"aC{X}_Mid"] + v[f"aC{X}_Res"]
            v[f"K{D}DT_{c}"] = div(((p[f"wsC{X}_{c}"] * v["gamma"]) * p[f"LC{X}_{c}"]), (s * s))


# ------------------------------------------------------------ uncoupled model
FIXED = ["Sa", "Sp", "Sl", "CCa", "CCp", "CC", "Ul", "UCa", "UCl", "UC", "UCp"]
SUM = {"A": ("Sa", "UCa", "CCa"), "P": ("Sp", "UCp", "CCp"), "L": ("Sl", "UCl", "Ul")}


def uncoupled(p, cor_pass):
    rho_e, rho_c, mu_e, mu_c = v["rho_e"], v["rho_c"], v["mu_e"], v["mu_c"]
    for s in FIXED:
        p["M" + s] = div(p["L" + s], p["a" + s]) * rho_e
    for c, _ in CASES:
        for X, D, _ in DUCTS:
            p[f"MA{X}_{c}"] = div((p["LA" + X] - p[f"LC{X}_{c}"]), p["aA" + X]) * rho_e
            p[f"MC{X}_{c}"] = div(p[f"LC{X}_{c}"], p["aC" + X]) * rho_c
    for X, D, _ in DUCTS:
        S, U, Cr = SUM[D]
        for c, _ in CASES:
            p[f"M{D}DT_{c}"] = p["M" + S] + p[f"MA{X}_{c}"] + p[f"MC{X}_{c}"] + p["M" + U] + p["M" + Cr]
    for s in FIXED:
        p["C" + s] = (div(p["L" + s], (p["a" + s] * p["a" + s])) * mu_e) * p["ws" + s]
    for c, _ in CASES:
        for X, D, _ in DUCTS:
            p[f"CA{X}_{c}"] = (div((p["LA" + X] - p[f"LC{X}_{c}"]), (p["aA" + X] * p["aA" + X])) * mu_e) * p[
                "wsA" + X]
            p[f"CC{X}_{c}"] = (div(p[f"LC{X}_{c}"], (p["aC" + X] * p["aC" + X])) * mu_c) * p[f"wsC{X}_{c}"]
    for X, D, _ in DUCTS:
        S, U, Cr = SUM[D]
        for c, _ in CASES:
            p[f"C{D}DT_{c}"] = p["C" + S] + p[f"CA{X}_{c}"] + p[f"CC{X}_{c}"] + p["C" + U] + p["C" + Cr]
    for X, D, _ in DUCTS:
        p[f"G{D}DT"] = (2 * rho_e) * p[f"A{D}DT"]
    for X, D, _ in DUCTS:
        area = p[f"aC{X}_Mid"] + v[f"aC{X}_Res"]
        G = p[f"G{D}DT"]
        for c, _ in CASES:
            K = v[f"K{D}DT_{c}"]
            M = p[f"M{D}DT_{c}"]
            C = p[f"C{D}DT_{c}"]
            T1 = div(C, K)
            T2 = div((M * 1000.0), C)
            p[f"T1_{D}_{c}"], p[f"T2_{D}_{c}"] = T1, T2
            p[f"w1_{D}_{c}"] = div(1, ((2 * T1) * PI))
            p[f"w2_{D}_{c}"] = div(1000.0, ((2 * T2) * PI))
            p[f"wn_{D}_{c}"] = div(1, ((2 * sqrt((T1 * T2) * 0.001)) * PI))
            p[f"FB_{D}_{c}"] = div(p[f"w2_{D}_{c}"], p[f"wn_{D}_{c}"])
            p[f"QX_{D}_{c}"] = div(div(G, M), 57.2957795) * 1000.0
            p[f"uX_{D}_{c}"] = div(p[f"QX_{D}_{c}"], area)
            p[f"QVG_{D}_{c}"] = (T2 / 1000.0) * p[f"QX_{D}_{c}"]
            p[f"uVG_{D}_{c}"] = div(p[f"QVG_{D}_{c}"], area)
            if c == "high" or not cor_pass:
                p[f"QAG_{D}_{c}"] = p[f"QVG_{D}_{c}"] * T1
            else:
                p[f"QAG_{D}_{c}"] = div(div(G, K), 57.2957795) * 1000.0
            p[f"uAG_{D}_{c}"] = div(p[f"QAG_{D}_{c}"], area)
        for g in ("X", "VG", "AG"):
            q = lambda c: p[f"Q{g}_{D}_{c}"]
            d = lambda c, z: v[f"d{X}_{c}_mean_{z}"]
            p[f"b{g}h_{D}"] = (((d("high", "h") + d("high", "m")) + d("high", "l")) / 3.0) * q("high")
            p[f"b{g}m_{D}"] = ((d("med", "m") + d("med", "l")) / 2.0) * q("med")
            p[f"b{g}l_{D}"] = q("low") * d("low", "l")


# The values before any pass: what the finite element inputs and the material
# constants give (the report script starts its own passes from them).
inputs = dict(v)

# ------------------------------------------------------------------ the passes
cor = dict(cor_vals)
calibrate(cor)
uncoupled(cor, True)
cor_cupula = {k: v[k] for k in v if k.startswith("d") or (k.startswith("K") and "DT_" in k)}
cor_carried = {k: v[k] for k in v if k.startswith("Log_Res") or k.endswith("_Res")}

plus = dict(plus_vals)
inverted_calibration(plus)
uncoupled(plus, False)
plus_cupula = {k: v[k] for k in v if k.startswith("d") or (k.startswith("K") and "DT_" in k)}

# ------------------------------------------------------------------ the output
# The parts of the run state the tables point into: where each lives in the
# run and its struct.
PARTS = {
    "fea": ("run.fea", "Finite_Element_Values"),
    "carried": ("run.carried", "Carried_Values"),
    "cupula": ("run.cupula", "Cupula_Values"),
    "pass": ("run.pass", "Pass_State"),
    "TM": ("run.carried.TM", "Transform_Matrix"),
}
NAMESPACES = {"Transform_Matrix": "scds"}


def literal(x):
    """The very double: a hexadecimal literal, or the infinity or nan."""
    if x != x:
        return "expected_rows::kNan"
    if math.isinf(x):
        return "expected_rows::kInf" if x > 0 else "-expected_rows::kInf"
    return x.hex()


def using_declarations(parts):
    """What the tables of `parts` name, brought into the test's namespace."""
    structs = sorted({PARTS[part][1] for part in parts})
    lines = ["using expected_rows::Expect_Rows;", "using expected_rows::Expected;"]
    lines += [f"using {NAMESPACES.get(s, 'scds::ostravel')}::{s};" for s in structs]
    return "\n".join(lines) + "\n"


def stage(function, comment, tables):
    """One stage's expected values as data: per part of the run state a table
    of rows (the quantity's name, its member, its value), and the function
    that walks the tables. tables: (part, table name, [(quantity, value)])."""
    out = [f"// {comment}"]
    calls = []
    for part, name, values in tables:
        where, struct = PARTS[part]
        out.append(f"inline constexpr Expected<{struct}> {name}[] = {{")
        out += [f'    {{"{k}", &{struct}::{k}, {literal(x)}}},' for k, x in values]
        out.append("};")
        calls.append(f'  Expect_Rows({where}, "{where}", {name});')
    out.append(f"inline void {function}(const scds::ostravel::Run_State& run) {{")
    out += calls
    out.append("}")
    return "\n".join(out) + "\n", sum(len(values) for _, _, values in tables)


fea_names = [k for k in v if k.startswith("u") and not k.startswith("uX") and not k.startswith("uVG")
             and not k.startswith("uAG")] + [f"aC{X}_FEA" for X in "apl"]
carried_names = ["T", "mu_A", "rho_e", "rho_c", "Young", "poisson", "gamma", "mu_e", "mu_c"] + list(cor_carried)
morph_names = list(cor_vals)
model_names = [k for k in cor if k not in cor_vals]

cor_stage = stage("Check_Cor_Pass", "After the finite element inputs and the Cor pass's morphometry, calibration "
                  "and model.", [
                      ("fea", "kCorPassFea", [(k, v[k]) for k in fea_names]),
                      ("carried", "kCorPassCarried",
                       [(k, v[k] if k not in cor_carried else cor_carried[k]) for k in carried_names]),
                      ("cupula", "kCorPassCupula", [(k, cor_cupula[k]) for k in cor_cupula]),
                      ("pass", "kCorPassState", [(k, cor[k]) for k in morph_names + model_names])])
plus_stage = stage("Check_PlusCor_Pass", "After the PlusCor pass's morphometry, inverted calibration and model.", [
    ("cupula", "kPlusCorPassCupula", [(k, plus_cupula[k]) for k in plus_cupula]),
    ("pass", "kPlusCorPassState", [(k, plus[k]) for k in list(plus_vals) + model_names])])


def cpp_string(text):
    return 'R"~~(' + text + ')~~"'


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "first_half_fixture.inc"), "w") as f:
        f.write("// Generated by expected_first_half.py from the model's formulas; do not edit.\n")
        f.write("// Included inside a namespace of the test, after expected_rows.h and biomechanics_state.h.\n\n")
        f.write(using_declarations(["fea", "carried", "cupula", "pass"]) + "\n")
        f.write(f'constexpr const char* kSpecies = "{SPECIES}";\n')
        f.write('constexpr const char* kMaterialAnswers = "' + "\\n".join(ANSWERS) + '\\n";\n\n')
        f.write("struct Fixture_File {\n  const char* path;\n  const char* text;\n};\n\n")
        f.write("inline const Fixture_File kFixtureFiles[] = {\n")
        for path in sorted(files):
            f.write(f'    {{"{path}", {cpp_string(files[path])}}},\n')
        f.write("};\n\n")
        f.write(cor_stage[0] + "\n" + plus_stage[0])
    print("wrote first_half_fixture.inc:", len(files), "files,", cor_stage[1], "+", plus_stage[1], "values")


if __name__ == "__main__":
    main()
