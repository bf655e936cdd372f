#!/usr/bin/env python3
"""Expected values of Ostravel's second half on the fixture species folder.

Starts from the values expected_first_half.py works out for the Cor and
PlusCor passes (masses, dampings, stiffnesses, mechanical gains, deflections
per displaced volume, morphometry) and computes, in the order and grouping
the model is defined with:
  - the coupled model: closed-form inverses of the mass and damping
    matrices, the 6x6 state matrices, their eigenvalues (GSL's
    gsl_eigen_nonsymmv through ctypes, the three fastest modes first),
    time constants and corner frequencies;
  - the coupled gains, maximal response planes, the rotation about y (Cor),
    its application, prime directions and angles;
  - the six line sets and Matrix/Fx.transmat of the Cor pass, as bytes.
Writes second_half_fixture.inc next to this script.

Run: python3 expected_second_half.py (expected_reports.py imports it for the
coupled half of its passes).
"""

import ctypes
import math
import os
import sys

sys.dont_write_bytecode = True  # no cache left beside the tests
import expected_first_half as fh  # noqa: E402

# ------------------------------------------------------------------ GSL
ctypes.CDLL("libgslcblas.so.0", mode=ctypes.RTLD_GLOBAL)
gsl = ctypes.CDLL("libgsl.so.27")


class GslMatrix(ctypes.Structure):
    _fields_ = [("size1", ctypes.c_size_t), ("size2", ctypes.c_size_t), ("tda", ctypes.c_size_t),
                ("data", ctypes.POINTER(ctypes.c_double)), ("block", ctypes.c_void_p), ("owner", ctypes.c_int)]


class GslComplex(ctypes.Structure):
    _fields_ = [("dat", ctypes.c_double * 2)]


gsl.gsl_set_error_handler_off.restype = ctypes.c_void_p
gsl.gsl_vector_complex_alloc.restype = ctypes.c_void_p
gsl.gsl_vector_complex_alloc.argtypes = [ctypes.c_size_t]
gsl.gsl_matrix_complex_alloc.restype = ctypes.c_void_p
gsl.gsl_matrix_complex_alloc.argtypes = [ctypes.c_size_t, ctypes.c_size_t]
gsl.gsl_eigen_nonsymmv_alloc.restype = ctypes.c_void_p
gsl.gsl_eigen_nonsymmv_alloc.argtypes = [ctypes.c_size_t]
gsl.gsl_eigen_nonsymmv.argtypes = [ctypes.POINTER(GslMatrix), ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p]
gsl.gsl_eigen_nonsymmv_free.argtypes = [ctypes.c_void_p]
gsl.gsl_vector_complex_get.restype = GslComplex
gsl.gsl_vector_complex_get.argtypes = [ctypes.c_void_p, ctypes.c_size_t]
gsl.gsl_vector_complex_free.argtypes = [ctypes.c_void_p]
gsl.gsl_matrix_complex_free.argtypes = [ctypes.c_void_p]
gsl.gsl_set_error_handler_off()

NAN = math.nan
mixed_orders = []  # the cases in which GSL returned the modes mixed


def eigenvalues(A, label):
    """The six eigenvalues (re, im) of the row-major 6x6 A, fastest three first."""
    if not all(math.isfinite(x) for x in A):
        return [(NAN, NAN)] * 6
    data = (ctypes.c_double * 36)(*A)
    m = GslMatrix(6, 6, 6, data, None, 0)
    ev = gsl.gsl_vector_complex_alloc(6)
    evec = gsl.gsl_matrix_complex_alloc(6, 6)
    w = gsl.gsl_eigen_nonsymmv_alloc(6)
    status = gsl.gsl_eigen_nonsymmv(ctypes.byref(m), ev, evec, w)
    gsl.gsl_eigen_nonsymmv_free(w)
    values = [tuple(gsl.gsl_vector_complex_get(ev, k).dat) for k in range(6)]
    gsl.gsl_vector_complex_free(ev)
    gsl.gsl_matrix_complex_free(evec)
    if status != 0:
        return [(NAN, NAN)] * 6
    speed = [abs(re) for re, _ in values]
    if min(speed[:3]) >= max(speed[3:]):
        return values
    mixed_orders.append(label)
    by_speed = sorted(range(6), key=lambda k: -speed[k])  # stable: equal speeds in GSL's order
    fast = set(by_speed[:3])
    return [values[k] for k in range(6) if k in fast] + [values[k] for k in range(6) if k not in fast]


def div(a, b):
    return fh.div(a, b)


def acos_deg(x):
    if x != x:
        return NAN
    return math.acos(min(max(x, -1.0), 1.0)) * 57.3


# ------------------------------------------------------------- coupled model
CASES = [("l", "high"), ("m", "med"), ("s", "low")]
# duct index 1 lateral, 2 anterior, 3 posterior
DUCT_OF = {1: "L", 2: "A", 3: "P"}
CUPULA_OF = {1: "l", 2: "a", 3: "p"}


def invert(d1, d2, d3, b12, b23):
    det = ((d1 * d2) * d3 - (d1 * b23) * b23) - (d3 * b12) * b12
    p = {}
    p[11] = div((d2 * d3 - b23 * b23), det)
    p[12] = div(-(b12 * d3), det)
    p[21] = div(-(b12 * d3), det)
    p[13] = div((b12 * b23), det)
    p[31] = div((b12 * b23), det)
    p[22] = div((d1 * d3), det)
    p[23] = div(-(b23 * d1), det)
    p[32] = div(-(b23 * d1), det)
    p[33] = div((d1 * d2 - b12 * b12), det)
    return det, p


def inverse_names(stem_diag, stem_off, c):
    """Names of the inverse entries: M_1p_l, m_12p_l, ... by row and column."""
    names = {}
    for i in (1, 2, 3):
        for j in (1, 2, 3):
            names[10 * i + j] = f"{stem_diag}_{i}p_{c}" if i == j else f"{stem_off}_{i}{j}p_{c}"
    return names


def coupled(p, cup, label):
    """The coupled model of one pass; p holds the pass's values, cup its stiffnesses."""
    for c, up in CASES:
        for i in (1, 2, 3):
            p[f"K_{i}_{c}"] = cup[f"K{DUCT_OF[i]}DT_{up}"]
    for c, up in CASES:
        for i in (1, 2, 3):
            p[f"M_{i}_{c}"] = p[f"M{DUCT_OF[i]}DT_{up}"]
    p["m_12"], p["m_23"] = p["MUC"], p["MCC"]
    for c, up in CASES:
        for i in (1, 2, 3):
            p[f"C_{i}_{c}"] = p[f"C{DUCT_OF[i]}DT_{up}"]
    p["c_12"], p["c_23"] = p["CUC"], p["CCC"]
    for c, _ in CASES:
        det, inv = invert(p[f"M_1_{c}"], p[f"M_2_{c}"], p[f"M_3_{c}"], p["m_12"], p["m_23"])
        p[f"detM_{c}"] = det
        for key, name in inverse_names("M", "m", c).items():
            p[name] = inv[key]
    for c, _ in CASES:
        det, inv = invert(p[f"C_1_{c}"], p[f"C_2_{c}"], p[f"C_3_{c}"], p["c_12"], p["c_23"])
        p[f"detC_{c}"] = det
        for key, name in inverse_names("C", "c", c).items():
            p[name] = inv[key]
    for c, _ in CASES:
        Pm = {k: p[n] for k, n in inverse_names("M", "m", c).items()}
        C1, C2, C3 = p[f"C_1_{c}"], p[f"C_2_{c}"], p[f"C_3_{c}"]
        K1, K2, K3 = p[f"K_1_{c}"], p[f"K_2_{c}"], p[f"K_3_{c}"]
        c12, c23 = p["c_12"], p["c_23"]
        A = [0.0] * 36
        A[18] = A[25] = A[32] = 1.0
        for r, i in ((0, 1), (1, 2), (2, 3)):
            A[6 * r + 0] = -(Pm[10 * i + 1] * C1) - Pm[10 * i + 2] * c12
            A[6 * r + 1] = -(Pm[10 * i + 1] * c12) - Pm[10 * i + 2] * C2 - Pm[10 * i + 3] * c23
            A[6 * r + 2] = -(Pm[10 * i + 2] * c23) - Pm[10 * i + 3] * C3
            A[6 * r + 3] = -(Pm[10 * i + 1] * K1)
            A[6 * r + 4] = -(Pm[10 * i + 2] * K2)
            A[6 * r + 5] = -(Pm[10 * i + 3] * K3)
        ev = eigenvalues(A, f"{label} {c}")
        w = [abs(re) for re, _ in ev]
        t = [div(1000.0, w[k]) for k in range(3)] + [div(1.0, w[k]) for k in range(3, 6)]
        for k in range(6):
            p[f"w_{k + 1}_{c}"] = w[k] / (fh.PI + fh.PI)
            p[f"t_{k + 1}_{c}"] = t[k]


# -------------------------------------------------------- gains and planes
def gains(p, cup, carried, cor_pass):
    """Coupled gains, planes, rotation (Cor pass) and angles; returns the rotation."""
    for c, up in CASES:
        for i in (1, 2, 3):
            p[f"X_Q_{i}_{c}"] = p[f"QX_{DUCT_OF[i]}_{up}"]
    for i, stem in ((1, "LDT"), (2, "ADT"), (3, "PDT")):
        for a in "xyz":
            p[f"{a}_{i}_R"] = p[f"{a}{stem}_R"]
    area = {1: p["aCl_Mid"] + carried["aCl_Res"], 2: p["aCa_Mid"] + carried["aCa_Res"],
            3: p["aCp_Mid"] + carried["aCp_Res"]}
    for kind, stem_diag, stem_off in (("X", "M", "m"), ("VG", "C", "c")):
        for c, _ in CASES:
            P = {k: p[n] for k, n in inverse_names(stem_diag, stem_off, c).items()}
            for a in "xyz":
                d = {1: -p[f"{a}_1_R"], 2: p[f"{a}_2_R"], 3: p[f"{a}_3_R"]}
                term = lambda i, j: ((P[10 * i + j] * p[f"M_{j}_{c}"]) * p[f"X_Q_{j}_{c}"]) * d[j]
                p[f"i{a}{kind}_Q_1_{c}"] = -(term(1, 1) + term(1, 2) + term(1, 3))
                p[f"i{a}{kind}_Q_2_{c}"] = term(2, 2) + term(2, 1) + term(2, 3)
                p[f"i{a}{kind}_Q_3_{c}"] = term(3, 3) + term(3, 1) + term(3, 2)
            for i in (1, 2, 3):
                x, y, z = (p[f"i{a}{kind}_Q_{i}_{c}"] for a in "xyz")
                p[f"i{kind}_Q_{i}_{c}"] = math.sqrt((x * x + y * y) + z * z)
            for i in (1, 2, 3):
                p[f"i{kind}_u_{i}_{c}"] = div(p[f"i{kind}_Q_{i}_{c}"], area[i])
            for i in (1, 2, 3):
                X = CUPULA_OF[i]
                Q = p[f"i{kind}_Q_{i}_{c}"]
                if c == "l":
                    s = (((cup[f"d{X}_high_mean_h"] + cup[f"d{X}_high_mean_m"]) + cup[f"d{X}_high_mean_l"]) / 3.0) * Q
                elif c == "m":
                    s = ((cup[f"d{X}_med_mean_m"] + cup[f"d{X}_med_mean_l"]) / 2.0) * Q
                else:
                    s = Q * cup[f"d{X}_low_mean_l"]
                p[f"i{kind}_s_{i}_{c}"] = s
    for i in (1, 2, 3):
        for a in "xyz":
            p[f"i{a}_{i}_R"] = div(p[f"i{a}VG_Q_{i}_m"], p[f"iVG_Q_{i}_m"])
    for i in (1, 2, 3):
        p[f"ix_{i}_L"] = -p[f"ix_{i}_R"]
        p[f"iy_{i}_L"] = p[f"iy_{i}_R"]
        p[f"iz_{i}_L"] = -p[f"iz_{i}_R"]

    if cor_pass:
        ix, iz = p["ix_1_L"], p["iz_1_L"]
        arg = div(iz, math.sqrt(ix * ix + iz * iz))
        theta = NAN if arg != arg else math.acos(min(max(arg, -1.0), 1.0))
        c, s = math.cos(theta), math.sin(theta)
        carried["theta"] = theta
        carried["TM"] = [c, 0.0, s, 0.0, 1.0, 0.0, -s, 0.0, c]
    TM = carried["TM"]

    def rotate(xn, yn, zn):
        x, y, z = p[xn], p[yn], p[zn]
        p[xn] = (TM[0] * x + TM[1] * y) + TM[2] * z
        p[yn] = (TM[3] * x + TM[4] * y) + TM[5] * z
        p[zn] = (TM[6] * x + TM[7] * y) + TM[8] * z

    for i in (2, 3, 1):
        for side in ("R", "L"):
            rotate(f"ix_{i}_{side}", f"iy_{i}_{side}", f"iz_{i}_{side}")
    for mark in ("", "c"):
        for stem in ("ADT", "PDT", "LDT"):
            for side in ("R", "L"):
                rotate(f"x{stem}{mark}_{side}", f"y{stem}{mark}_{side}", f"z{stem}{mark}_{side}")

    def n(i, side):
        return p[f"ix_{i}_{side}"], p[f"iy_{i}_{side}"], p[f"iz_{i}_{side}"]

    def cross(a, b):
        return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])

    def dot(a, b):
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]

    for side in ("R", "L"):
        for stem, (i, j) in (("ADT", (3, 1)), ("PDT", (1, 2)), ("LDT", (2, 3))):
            P = cross(n(i, side), n(j, side))
            for a, value in zip("xyz", P):
                p[f"P{a}{stem}_{side}"] = value
    ant, post, lat = n(2, "R"), n(3, "R"), n(1, "R")
    p["iipsiADTPDT"] = acos_deg(dot(ant, post))
    p["iipsiADTLDT"] = acos_deg(dot(tuple(-x for x in ant), lat))
    p["iipsiLDTPDT"] = acos_deg(dot(post, lat))
    a, b, c = p["iipsiADTPDT"] - 90.0, p["iipsiADTLDT"] - 90.0, p["iipsiLDTPDT"] - 90.0
    p["ivar90"] = (a * a + b * b + c * c) / 3.0
    p["idev90"] = (abs(a) + abs(b) + abs(c)) / 3.0
    p["isynADTPDT"] = acos_deg(dot(ant, n(3, "L")))
    p["isynLDTLDT"] = acos_deg(dot(lat, n(1, "L")))
    a, c = p["isynADTPDT"] - 180.0, p["isynLDTLDT"] - 180.0
    p["ivar180"] = (a * a + a * a + c * c) / 3.0
    p["idev180"] = ((abs(a) + abs(a)) + abs(c)) / 3.0
    p["iADTPITCH"] = acos_deg(p["iy_2_R"])
    p["iPDTPITCH"] = acos_deg(-p["iy_3_R"])
    p["iLDTPITCH"] = acos_deg(-p["iy_1_R"])
    p["iADTROLL"] = acos_deg(p["ix_2_R"])
    p["iPDTROLL"] = acos_deg(p["ix_3_R"])
    p["iADTYAW"] = acos_deg(-p["iz_2_R"])
    p["iPDTYAW"] = acos_deg(p["iz_3_R"])
    p["iLDTYAW"] = acos_deg(-p["iz_1_R"])


# ------------------------------------------------------------------ the passes
carried = {k: fh.v[k] for k in ("aCa_Res", "aCp_Res", "aCl_Res")}
cor = dict(fh.cor)
cor_keys_before = set(cor)
coupled(cor, fh.cor_cupula, "Cor")
gains(cor, fh.cor_cupula, carried, True)
plus = dict(fh.plus)
coupled(plus, fh.plus_cupula, "PlusCor")
gains(plus, fh.plus_cupula, carried, False)

# The rotated normals and centres are the pass's own values too.
ROTATED = [f"{a}{stem}{mark}_{side}" for mark in ("", "c") for stem in ("ADT", "PDT", "LDT")
           for side in ("R", "L") for a in "xyz"]
second_half_names = [k for k in cor if k not in cor_keys_before] + ROTATED


# ------------------------------------------------------------ the Cor files
def F(x):
    return "%f" % x


def line_set(centre, normal):
    end = [centre[k] + 3333.0 * normal[k] for k in range(3)]
    points = ["%sx\t%sy\t%sz\n" % tuple(F(x) for x in point) for point in (centre, end)]
    return "# LineSet 0.1\n\nnDataVals 0 { {\n" + points[0] + points[1] + "\n} }"


SP = fh.SPECIES


def line_set_files(p):
    """The six line sets of pass p (rotated centres and response normals), as
    (path, text) in the order they are written."""
    out = []
    for prefix, side in (("rma_", "R"), ("lma_", "L")):
        for name, stem, i in (("Ant", "ADT", 2), ("Post", "PDT", 3), ("Lat", "LDT", 1)):
            centre = [p[f"{a}{stem}c_{side}"] for a in "xyz"]
            normal = [p[f"i{a}_{i}_{side}"] for a in "xyz"]
            out.append((f"Data/{SP}/VestRef/MaxAxes/{prefix}{SP}_{name}.lineset", line_set(centre, normal)))
    return out


def vestibular_matrix(TM):
    """The vestibular matrix's text: the rotation TM applied to Quintarel's
    uncoupled matrix."""
    uncoupled_text = fh.files[f"Data/{SP}/Matrix/{SP}_uncoupled.transmat"]
    uTM = [float(x) for x in uncoupled_text.split()]
    assert len(uTM) == 9
    iTM = [TM[3 * i + 0] * uTM[0 + j] + TM[3 * i + 1] * uTM[3 + j] + TM[3 * i + 2] * uTM[6 + j]
           for i in range(3) for j in range(3)]
    return "%s\t%s\t%s\n%s\t%s\t%s\n%s\t%s\t%s" % tuple(F(x) for x in iTM)


line_sets = line_set_files(cor)
TM = carried["TM"]
transmat = vestibular_matrix(TM)


def main():
    cor_stage = fh.stage("Check_Cor_Second_Half", "After the Cor pass's coupled model and response planes.", [
        ("pass", "kCorSecondHalfState", [(k, cor[k]) for k in second_half_names]),
        ("carried", "kCorSecondHalfCarried", [("theta", carried["theta"])]),
        ("TM", "kCorSecondHalfRotation", [(f"TM{'ABCDEFGHI'[k]}", TM[k]) for k in range(9)])])
    plus_stage = fh.stage("Check_PlusCor_Second_Half",
                          "After the PlusCor pass's coupled model and response planes (the Cor rotation).", [
                              ("pass", "kPlusCorSecondHalfState", [(k, plus[k]) for k in second_half_names])])
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "second_half_fixture.inc"), "w") as f:
        f.write("// Generated by expected_second_half.py from the model's formulas; do not edit.\n")
        f.write("// Included after first_half_fixture.inc, inside a namespace of the test.\n\n")
        f.write(fh.using_declarations(["carried", "pass", "TM"]) + "\n")
        f.write("// GSL returned the modes mixed (the fastest not all first) for: "
                + (", ".join(mixed_orders) if mixed_orders else "none") + ".\n")
        f.write(f"constexpr int kMixedOrders = {len(mixed_orders)};\n\n")
        f.write(cor_stage[0] + "\n" + plus_stage[0] + "\n")
        f.write("// The Cor pass's line sets, in the order they are written, and the vestibular matrix.\n")
        f.write("inline const Fixture_File kLineSets[] = {\n")
        for path, text in line_sets:
            f.write(f'    {{"{path}", {fh.cpp_string(text)}}},\n')
        f.write("};\n\n")
        f.write(f'inline const Fixture_File kTransmat = {{"Data/{SP}/Matrix/{SP}.transmat", '
                f'{fh.cpp_string(transmat)}}};\n')
    print("wrote second_half_fixture.inc:", cor_stage[1], "+", plus_stage[1], "values; mixed orders:",
          mixed_orders or "none")


if __name__ == "__main__":
    main()
