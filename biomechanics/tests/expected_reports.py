#!/usr/bin/env python3
"""Expected bytes of everything Ostravel writes for a complete species folder.

Writes reports_fixture.inc next to this script: the species folder's input
files (the finite element files of both sides, the three sets' morphometry,
Quintarel's uncoupled matrix), the answers to the material prompts, and what
a run writes: the short and extended report of each set, the Cor pass's
console echo, the six line sets and the vestibular matrix; the variant
reports when the PlusCor and MinusCor files are the Cor one, and the PlusCor
short report when its file is missing; and, for the report layouts alone, a
synthetic value for every printed quantity with the three texts it gives.

The whole model is evaluated here from its formulas, in their order and
grouping: the finite element inputs, calibration and uncoupled model as in
expected_first_half.py (imported from it), then the coupled model with GSL's
eigenvalues (libgsl through ctypes), the coupled gains, response planes,
rotation and angles, and the line sets and matrix as in expected_second_half.py
(imported from it). The report layouts are written out as the system gives
them, not taken from the program.

Run: python3 expected_reports.py
"""

import math
import os
import sys

sys.dont_write_bytecode = True  # no cache left beside the tests
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

# The finite element inputs, calibration and uncoupled model: the formulas of
# the first-half fixture, in the same order, taken from its script; its own
# passes are undone, so the passes here start from the inputs alone.
from expected_first_half import *  # noqa: E402,F401,F403

# The coupled model (GSL's eigenvalues), the coupled gains, response planes,
# rotation and angles, the line sets and the vestibular matrix: the formulas
# of the second-half fixture, taken from its script. Imported before the
# passes are undone: its own passes start from the first half's.
import expected_second_half as second_half  # noqa: E402

v.clear()
v.update(inputs)


# The MinusCor set: every measurement a little off the Cor one, its duct
# planes tilted.
def tilt(n, dx, dy, dz):
    x, y, z = n[0] + dx, n[1] + dy, n[2] + dz
    s = math.sqrt(x * x + y * y + z * z)
    return (x / s, y / s, z / s)


MINUS = dict(COR)
MINUS["L"] = [x * 0.985 for x in COR["L"]]
MINUS["a"] = [x * 1.012 for x in COR["a"]]
MINUS["ws"] = [x * 0.993 for x in COR["ws"]]
MINUS["encl"] = [x * 0.97 for x in COR["encl"]]
MINUS["aC"] = [x * 1.01 for x in COR["aC"]]
MINUS["aC_Mid"] = [x * 0.965 for x in COR["aC_Mid"]]
MINUS["LC"] = [[x * 0.955 for x in row] for row in COR["LC"]]
MINUS["planes"] = [tilt(n, 0.021, -0.013, 0.017) for n in COR["planes"]]
MINUS["centres"] = [(x + 0.12, y - 0.07, z + 0.05) for x, y, z in COR["centres"]]
minus_text, minus_vals = morph_text(MINUS)
assert minus_text.count("\n") == 180
files[f"Data/{SPECIES}/{SPECIES}_MinusCor.morph"] = minus_text


# ------------------------------------------------------------ report numbers
def F(x):
    """As C's "%f" writes a double (the sign of a nan aside: "nan")."""
    if x != x:
        return "nan"
    return "%f" % x


# ------------------------------------------------------------ report layouts
# The short report, line by line; {name} is the value of name, with "%lf".
SHORT = r"""
CUPULA FINITE ELEMENT ANALYSIS

DEFORMATION PROFILE FACTORS

Anterior cupula (long cilia): {wsCa_high}
Anterior cupula (medium cilia): {wsCa_med}
Anterior cupula (short cilia): {wsCa_low}

Posterior cupula (long cilia): {wsCp_high}
Posterior cupula (medium cilia): {wsCp_med}
Posterior cupula (short cilia): {wsCp_low}

Lateral cupula (long cilia): {wsCl_high}
Lateral cupula (medium cilia): {wsCl_med}
Lateral cupula (short cilia): {wsCl_low}

DEFLECTION CILIA AREAS

Anterior cupula (long cilia, high thickness): {da_high_mean_h} deg/nL
Anterior cupula (medium cilia, high thickness): {da_high_mean_m} deg/nL
Anterior cupula (medium cilia, medium thickness): {da_med_mean_m} deg/nL
Anterior cupula (short cilia, high thickness): {da_high_mean_l} deg/nL
Anterior cupula (short cilia, medium thickness): {da_med_mean_l} deg/nL
Anterior cupula (short cilia, low thickness): {da_low_mean_l} deg/nL

Posterior cupula (long cilia, high thickness): {dp_high_mean_h} deg/nL
Posterior cupula (medium cilia, high thickness): {dp_high_mean_m} deg/nL
Posterior cupula (medium cilia, medium thickness): {dp_med_mean_m} deg/nL
Posterior cupula (short cilia, high thickness): {dp_high_mean_l} deg/nL
Posterior cupula (short cilia, medium thickness): {dp_med_mean_l} deg/nL
Posterior cupula (short cilia, low thickness): {dp_low_mean_l} deg/nL

Lateral cupula (long cilia, high thickness): {dl_high_mean_h} deg/nL
Lateral cupula (medium cilia, high thickness): {dl_high_mean_m} deg/nL
Lateral cupula (medium cilia, medium thickness): {dl_med_mean_m} deg/nL
Lateral cupula (short cilia, high thickness): {dl_high_mean_l} deg/nL
Lateral cupula (short cilia, medium thickness): {dl_med_mean_l} deg/nL
Lateral cupula (short cilia, low thickness): {dl_low_mean_l} deg/nL

STIFFNESS

Anterior cupula (long cilia): {KADT_high} g/s^2.mm^4
Anterior cupula (medium cilia): {KADT_med} g/s^2.mm^4
Anterior cupula (short cilia): {KADT_low} g/s^2.mm^4

Posterior cupula (long cilia): {KPDT_high} g/s^2.mm^4
Posterior cupula (medium cilia): {KPDT_med} g/s^2.mm^4
Posterior cupula (short cilia): {KPDT_low} g/s^2.mm^4

Lateral cupula (long cilia): {KLDT_high} g/s^2.mm^4
Lateral cupula (medium cilia): {KLDT_med} g/s^2.mm^4
Lateral cupula (short cilia): {KLDT_low} g/s^2.mm^4


STRUCTURAL PARAMETERS

MASS

Common crus (common part): {MCC} g/mm^4
Anterior utricle (common part): {MUC} g/mm^4

Anterior duct (long cilia): {MADT_high} g/mm^4
Anterior duct (medium cilia): {MADT_med} g/mm^4
Anterior duct (short cilia): {MADT_low} g/mm^4

Posterior duct (long cilia): {MPDT_high} g/mm^4
Posterior duct (medium cilia): {MPDT_med} g/mm^4
Posterior duct (short cilia): {MPDT_low} g/mm^4

Lateral duct (long cilia): {MLDT_high} g/mm^4
Lateral duct (medium cilia): {MLDT_med} g/mm^4
Lateral duct (short cilia): {MLDT_low} g/mm^4

DAMPING

Common crus (common part): {CCC} g/s.mm^4
Anterior utricle (common part): {CUC} g/s.mm^4

Anterior duct (long cilia): {CADT_high} g/s.mm^4
Anterior duct (medium cilia): {CADT_med} g/s.mm^4
Anterior duct (short cilia): {CADT_low} g/s.mm^4

Posterior duct (long cilia): {CPDT_high} g/s.mm^4
Posterior duct (medium cilia): {CPDT_med} g/s.mm^4
Posterior duct (short cilia): {CPDT_low} g/s.mm^4

Lateral duct (long cilia): {CLDT_high} g/s.mm^4
Lateral duct (medium cilia): {CLDT_med} g/s.mm^4
Lateral duct (short cilia): {CLDT_low} g/s.mm^4

INERTIAL FORCING

Anterior duct: {GADT} g/mm
Posterior duct: {GPDT} g/mm
Lateral duct: {GLDT} g/mm


DYNAMIC PARAMETERS

TIME CONSTANTS

LONG TIME CONSTANTS

First constant (long cilia): {t_5_l} s
First constant (medium cilia): {t_5_m} s
First constant (short cilia): {t_5_s} s

Second constant (long cilia): {t_6_l} s
Second constant (medium cilia): {t_6_m} s
Second constant (short cilia): {t_6_s} s

Third constant (long cilia): {t_4_l} s
Third constant (medium cilia): {t_4_m} s
Third constant (short cilia): {t_4_s} s

SHORT TIME CONSTANTS

First constant (long cilia): {t_2_l} ms
First constant (medium cilia): {t_2_m} ms
First constant (short cilia): {t_2_s} ms

Second constant (long cilia): {t_3_l} ms
Second constant (medium cilia): {t_3_m} ms
Second constant (short cilia): {t_3_s} ms

Third constant (long cilia): {t_1_l} ms
Third constant (medium cilia): {t_1_m} ms
Third constant (short cilia): {t_1_s} ms

BANDWIDTH

LOWER CORNER FREQUENCIES

First frequency (long cilia): {w_5_l} Hz
First frequency (medium cilia): {w_5_m} Hz
First frequency (short cilia): {w_5_s} Hz

Second frequency (long cilia): {w_6_l} Hz
Second frequency (medium cilia): {w_6_m} Hz
Second frequency (short cilia): {w_6_s} Hz

Third frequency (long cilia): {w_4_l} Hz
Third frequency (medium cilia): {w_4_m} Hz
Third frequency (short cilia): {w_4_s} Hz

UPPER CORNER FREQUENCIES

First frequency (long cilia): {w_2_l} Hz
First frequency (medium cilia): {w_2_m} Hz
First frequency (short cilia): {w_2_s} Hz

Second frequency (long cilia): {w_3_l} Hz
Second frequency (medium cilia): {w_3_m} Hz
Second frequency (short cilia): {w_3_s} Hz

Third frequency (long cilia): {w_1_l} Hz
Third frequency (medium cilia): {w_1_m} Hz
Third frequency (short cilia): {w_1_s} Hz


IN-PLANE SENSITIVITY PARAMETERS

MECHANICAL GAIN

Anterior duct (cilia average deflection, long cilia): {iX_s_2_l} deg/deg
Anterior duct (cilia average deflection, medium cilia): {iX_s_2_m} deg/deg
Anterior duct (cilia average deflection, short cilia): {iX_s_2_s} deg/deg

Posterior duct (cilia average deflection, long cilia): {iX_s_3_l} deg/deg
Posterior duct (cilia average deflection, medium cilia): {iX_s_3_m} deg/deg
Posterior duct (cilia average deflection, short cilia): {iX_s_3_s} deg/deg

Lateral duct (cilia average deflection, long cilia): {iX_s_1_l} deg/deg
Lateral duct (cilia average deflection, medium cilia): {iX_s_1_m} deg/deg
Lateral duct (cilia average deflection, short cilia): {iX_s_1_s} deg/deg

VELOCITY GAIN

Anterior duct (cilia average deflection, long cilia): {iVG_s_2_l} deg/deg.s-1
Anterior duct (cilia average deflection, medium cilia): {iVG_s_2_m} deg/deg.s-1
Anterior duct (cilia average deflection, short cilia): {iVG_s_2_s} deg/deg.s-1

Posterior duct (cilia average deflection, long cilia): {iVG_s_3_l} deg/deg.s-1
Posterior duct (cilia average deflection, medium cilia): {iVG_s_3_m} deg/deg.s-1
Posterior duct (cilia average deflection, short cilia): {iVG_s_3_s} deg/deg.s-1

Lateral duct (cilia average deflection, long cilia): {iVG_s_1_l} deg/deg.s-1
Lateral duct (cilia average deflection, medium cilia): {iVG_s_1_m} deg/deg.s-1
Lateral duct (cilia average deflection, short cilia): {iVG_s_1_s} deg/deg.s-1

ACCELERATION GAIN

Anterior duct (cilia average deflection, long cilia): {bAGh_A} deg/deg.s-2
Anterior duct (cilia average deflection, medium cilia): {bAGm_A} deg/deg.s-2
Anterior duct (cilia average deflection, short cilia): {bAGl_A} deg/deg.s-2

Posterior duct (cilia average deflection, long cilia): {bAGh_P} deg/deg.s-2
Posterior duct (cilia average deflection, medium cilia): {bAGm_P} deg/deg.s-2
Posterior duct (cilia average deflection, short cilia): {bAGl_P} deg/deg.s-2

Lateral duct (cilia average deflection, long cilia): {bAGh_L} deg/deg.s-2
Lateral duct (cilia average deflection, medium cilia): {bAGm_L} deg/deg.s-2
Lateral duct (cilia average deflection, short cilia): {bAGl_L} deg/deg.s-2


FUNCTIONAL PLANES

MAXIMAL RESPONSE PLANES

Right Anterior duct: {ix_2_R}x {iy_2_R}y {iz_2_R}z
Right Posterior duct: {ix_3_R}x {iy_3_R}y {iz_3_R}z
Right Lateral duct: {ix_1_R}x {iy_1_R}y {iz_1_R}z
Left Anterior duct: {ix_2_L}x {iy_2_L}y {iz_2_L}z
Left Posterior duct: {ix_3_L}x {iy_3_L}y {iz_3_L}z
Left Lateral duct: {ix_1_L}x {iy_1_L}y {iz_1_L}z

PRIME DIRECTIONS

Right Anterior duct: {PxADT_R}x {PyADT_R}y {PzADT_R}z
Right Posterior duct: {PxPDT_R}x {PyPDT_R}y {PzPDT_R}z
Right Lateral duct: {PxLDT_R}x {PyLDT_R}y {PzLDT_R}z
Left Anterior duct: {PxADT_L}x {PyADT_L}y {PzADT_L}z
Left Posterior duct: {PxPDT_L}x {PyPDT_L}y {PzPDT_L}z
Left Lateral duct: {PxLDT_L}x {PyLDT_L}y {PzLDT_L}z

IPSILATERAL ANGLES

Anterior and Posterior ducts: {iipsiADTPDT} Degrees
Anterior and Lateral ducts: {iipsiADTLDT} Degrees
Lateral and Posterior ducts: {iipsiLDTPDT} Degrees

SYNERGISTIC ANGLES

Anterior and Posterior ducts: {isynADTPDT} Degrees
Lateral ducts: {isynLDTLDT} Degrees

REFERENCE ANGLES

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: {iADTPITCH} Degrees
Posterior duct: {iPDTPITCH} Degrees
Lateral duct: {iLDTPITCH} Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: {iADTROLL} Degrees
Posterior duct: {iPDTROLL} Degrees
Lateral duct: 90.000000 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: {iADTYAW} Degrees
Posterior duct: {iPDTYAW} Degrees
Lateral duct: {iLDTYAW} Degrees

DEVIATION FROM IDEAL CONFIGURATION

Variance from orthogonality: {ivar90} Degrees^2

Average deviation from orthogonality: {idev90} Degrees

Variance from planarity: {ivar180} Degrees^2

Average deviation from planarity: {idev180} Degrees

SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: {xADTc_R}x {yADTc_R}y {zADTc_R}z
Right Posterior duct: {xPDTc_R}x {yPDTc_R}y {zPDTc_R}z
Right Lateral duct: {xLDTc_R}x {yLDTc_R}y {zLDTc_R}z
Left Anterior duct: {xADTc_L}x {yADTc_L}y {zADTc_L}z
Left Posterior duct: {xPDTc_L}x {yPDTc_L}y {zPDTc_L}z
Left Lateral duct: {xLDTc_L}x {yLDTc_L}y {zLDTc_L}z


MATERIAL PROPERTIES

Body temperature: {T} C

Endolymph density: {rho_e} kg/m^3
Endolymph viscosity: {mu_e} Pa.s
Endolymph viscosity factor: {mu_A} e-5 Pa.s

Cupula density: {rho_c} kg/m^3
Cupula viscosity: {mu_c} Pa.s
Cupula Poisson ratio: {poisson}
Cupula Young modulus: {Young} Pa
Cupula Shear modulus: {gamma} Pa
"""

# The extended report; a [group ...] line stands for the twelve lines of that
# group, the [deflection rows ...] line for the 36 lines of the deflections.
EXTENDED = r"""
CUPULA FINITE ELEMENT ANALYSIS

DEFORMATION PROFILE FACTORS

[group G1: 12 lines]
DEFLECTION CILIA AREAS

[deflection rows D1 to D27 with their empty lines: 36 lines]
STIFFNESS

[group G2: 12 lines]

STRUCTURAL PARAMETERS

MASS

Anterior slender duct: {MSa} g/mm^4
Posterior slender duct: {MSp} g/mm^4
Lateral slender duct: {MSl} g/mm^4

Common crus (anterior trajectory): {MCCa} g/mm^4
Common crus (posterior trajectory): {MCCp} g/mm^4
Common crus (common part): {MCC} g/mm^4
Simple crus: {MUl} g/mm^4

Anterior utricle (anterior trajectory): {MUCa} g/mm^4
Anterior utricle (lateral trajectory): {MUCl} g/mm^4
Anterior utricle (common part): {MUC} g/mm^4
Posterior utricle: {MUCp} g/mm^4

[group G3: 12 lines]
[group G4: 12 lines]
[group G5: 12 lines]
DAMPING

Anterior slender duct: {CSa} g/s.mm^4
Posterior slender duct: {CSp} g/s.mm^4
Lateral slender duct: {CSl} g/s.mm^4

Common crus (anterior trajectory): {CCCa} g/s.mm^4
Common crus (posterior trajectory): {CCCp} g/s.mm^4
Common crus (common part): {CCC} g/s.mm^4
Simple crus: {CUl} g/s.mm^4

Anterior utricle (anterior trajectory): {CUCa} g/s.mm^4
Anterior utricle (lateral trajectory): {CUCl} g/s.mm^4
Anterior utricle (common part): {CUC} g/s.mm^4
Posterior utricle: {CUCp} g/s.mm^4

[group G6: 12 lines]
[group G7: 12 lines]
[group G8: 12 lines]
INERTIAL FORCING

Anterior duct: {GADT} g/mm
Posterior duct: {GPDT} g/mm
Lateral duct: {GLDT} g/mm


DYNAMIC PARAMETERS

TIME CONSTANTS

LONG TIME CONSTANTS

[group G9: 12 lines]
LONG TIME CONSTANTS (UNCOUPLED)

[group G10: 12 lines]
SHORT TIME CONSTANTS

[group G11: 12 lines]
SHORT TIME CONSTANTS (UNCOUPLED)

[group G12: 12 lines]
BANDWIDTH

LOWER CORNER FREQUENCIES

[group G13: 12 lines]
LOWER CORNER FREQUENCIES (UNCOUPLED)

[group G14: 12 lines]
UPPER CORNER FREQUENCIES

[group G15: 12 lines]
UPPER CORNER FREQUENCIES (UNCOUPLED)

[group G16: 12 lines]
NATURAL FREQUENCIES (UNCOUPLED)

[group G17: 12 lines]
FRACTIONAL BANDWIDTHS (UNCOUPLED)

[group G18: 12 lines]

IN-PLANE SENSITIVITY PARAMETERS

MECHANICAL GAIN

[group G19: 12 lines]

[group G20: 12 lines]

[group G21: 12 lines]
MECHANICAL GAIN (UNCOUPLED)

[group G22: 12 lines]

[group G23: 12 lines]

[group G24: 12 lines]
VELOCITY GAIN

[group G25: 12 lines]

[group G26: 12 lines]

[group G27: 12 lines]
VELOCITY GAIN (UNCOUPLED)

[group G28: 12 lines]

[group G29: 12 lines]

[group G30: 12 lines]
ACCELERATION GAIN

[group G31: 12 lines]

[group G32: 12 lines]

[group G33: 12 lines]

FUNCTIONAL PLANES

MAXIMAL RESPONSE PLANES

Right Anterior duct: {ix_2_R}x {iy_2_R}y {iz_2_R}z
Right Posterior duct: {ix_3_R}x {iy_3_R}y {iz_3_R}z
Right Lateral duct: {ix_1_R}x {iy_1_R}y {iz_1_R}z
Left Anterior duct: {ix_2_L}x {iy_2_L}y {iz_2_L}z
Left Posterior duct: {ix_3_L}x {iy_3_L}y {iz_3_L}z
Left Lateral duct: {ix_1_L}x {iy_1_L}y {iz_1_L}z

MAXIMAL RESPONSE PLANES (UNCOUPLED)

Right Anterior duct: {xADT_R}x {yADT_R}y {zADT_R}z
Right Posterior duct: {xPDT_R}x {yPDT_R}y {zPDT_R}z
Right Lateral duct: {xLDT_R}x {yLDT_R}y {zLDT_R}z
Left Anterior duct: {xADT_L}x {yADT_L}y {zADT_L}z
Left Posterior duct: {xPDT_L}x {yPDT_L}y {zPDT_L}z
Left Lateral duct: {xLDT_L}x {yLDT_L}y {zLDT_L}z

PRIME DIRECTIONS

Right Anterior duct: {PxADT_R}x {PyADT_R}y {PzADT_R}z
Right Posterior duct: {PxPDT_R}x {PyPDT_R}y {PzPDT_R}z
Right Lateral duct: {PxLDT_R}x {PyLDT_R}y {PzLDT_R}z
Left Anterior duct: {PxADT_L}x {PyADT_L}y {PzADT_L}z
Left Posterior duct: {PxPDT_L}x {PyPDT_L}y {PzPDT_L}z
Left Lateral duct: {PxLDT_L}x {PyLDT_L}y {PzLDT_L}z

IPSILATERAL ANGLES

Anterior and Posterior ducts: {iipsiADTPDT} Degrees
Anterior and Lateral ducts: {iipsiADTLDT} Degrees
Lateral and Posterior ducts: {iipsiLDTPDT} Degrees

SYNERGISTIC ANGLES

Anterior and Posterior ducts: {isynADTPDT} Degrees
Lateral ducts: {isynLDTLDT} Degrees

REFERENCE ANGLES

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: {iADTPITCH} Degrees
Posterior duct: {iPDTPITCH} Degrees
Lateral duct: {iLDTPITCH} Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: {iADTROLL} Degrees
Posterior duct: {iPDTROLL} Degrees
Lateral duct: 90.000000 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: {iADTYAW} Degrees
Posterior duct: {iPDTYAW} Degrees
Lateral duct: {iLDTYAW} Degrees

DEVIATION FROM IDEAL CONFIGURATION

Variance from orthogonality: {ivar90} Degrees^2

Average deviation from orthogonality: {idev90} Degrees

Variance from planarity: {ivar180} Degrees^2

Average deviation from planarity: {idev180} Degrees

SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: {xADTc_R}x {yADTc_R}y {zADTc_R}z
Right Posterior duct: {xPDTc_R}x {yPDTc_R}y {zPDTc_R}z
Right Lateral duct: {xLDTc_R}x {yLDTc_R}y {zLDTc_R}z
Left Anterior duct: {xADTc_L}x {yADTc_L}y {zADTc_L}z
Left Posterior duct: {xPDTc_L}x {yPDTc_L}y {zPDTc_L}z
Left Lateral duct: {xLDTc_L}x {yLDTc_L}y {zLDTc_L}z


MATERIAL PROPERTIES

Body temperature: {T} C

Endolymph density: {rho_e} kg/m^3
Endolymph viscosity: {mu_e} Pa.s
Endolymph viscosity factor: {mu_A} e-5 Pa.s

Cupula density: {rho_c} kg/m^3
Cupula viscosity: {mu_c} Pa.s
Cupula Poisson ratio: {poisson}
Cupula Young modulus: {Young} Pa
Cupula Shear modulus: {gamma} Pa
"""

# The nine-row groups: block, labels of the three sub-groups, first row, the
# nine numbers (sub-group by sub-group; long, medium, short cilia).
GROUPS = r"""
| G1 | DEFORMATION PROFILE FACTORS | Anterior / Posterior / Lateral cupula | "Anterior cupula (long cilia): %lf\n" | `wsCa_high`, `wsCa_med`, `wsCa_low`; `wsCp_high`, `wsCp_med`, `wsCp_low`; `wsCl_high`, `wsCl_med`, `wsCl_low` |
| G2 | STIFFNESS | Anterior / Posterior / Lateral cupula | "Anterior cupula (long cilia): %lf g/s^2.mm^4\n" | `KADT_high`, `KADT_med`, `KADT_low`; `KPDT_high`, `KPDT_med`, `KPDT_low`; `KLDT_high`, `KLDT_med`, `KLDT_low` |
| G3 | MASS | Anterior / Posterior / Lateral ampulla | "Anterior ampulla (long cilia): %lf g/mm^4\n" | `MAa_high`, `MAa_med`, `MAa_low`; `MAp_high`, `MAp_med`, `MAp_low`; `MAl_high`, `MAl_med`, `MAl_low` |
| G4 | MASS | Anterior / Posterior / Lateral cupula | "Anterior cupula (long cilia): %lf g/mm^4\n" | `MCa_high`, `MCa_med`, `MCa_low`; `MCp_high`, `MCp_med`, `MCp_low`; `MCl_high`, `MCl_med`, `MCl_low` |
| G5 | MASS | Anterior / Posterior / Lateral duct | "Anterior duct (long cilia): %lf g/mm^4\n" | `MADT_high`, `MADT_med`, `MADT_low`; `MPDT_high`, `MPDT_med`, `MPDT_low`; `MLDT_high`, `MLDT_med`, `MLDT_low` |
| G6 | DAMPING | Anterior / Posterior / Lateral ampulla | "Anterior ampulla (long cilia): %lf g/s.mm^4\n" | `CAa_high`, `CAa_med`, `CAa_low`; `CAp_high`, `CAp_med`, `CAp_low`; `CAl_high`, `CAl_med`, `CAl_low` |
| G7 | DAMPING | Anterior / Posterior / Lateral cupula | "Anterior cupula (long cilia): %lf g/s.mm^4\n" | `CCa_high`, `CCa_med`, `CCa_low`; `CCp_high`, `CCp_med`, `CCp_low`; `CCl_high`, `CCl_med`, `CCl_low` |
| G8 | DAMPING | Anterior / Posterior / Lateral duct | "Anterior duct (long cilia): %lf g/s.mm^4\n" | `CADT_high`, `CADT_med`, `CADT_low`; `CPDT_high`, `CPDT_med`, `CPDT_low`; `CLDT_high`, `CLDT_med`, `CLDT_low` |
| G9 | LONG TIME CONSTANTS | First / Second / Third constant | "First constant (long cilia): %lf s\n" | `t_5_l`, `t_5_m`, `t_5_s`; `t_6_l`, `t_6_m`, `t_6_s`; `t_4_l`, `t_4_m`, `t_4_s` |
| G10 | LONG TIME CONSTANTS (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (long cilia): %lf s\n" | `T1_A_high`, `T1_A_med`, `T1_A_low`; `T1_P_high`, `T1_P_med`, `T1_P_low`; `T1_L_high`, `T1_L_med`, `T1_L_low` |
| G11 | SHORT TIME CONSTANTS | First / Second / Third constant | "First constant (long cilia): %lf ms\n" | `t_2_l`, `t_2_m`, `t_2_s`; `t_3_l`, `t_3_m`, `t_3_s`; `t_1_l`, `t_1_m`, `t_1_s` |
| G12 | SHORT TIME CONSTANTS (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (long cilia): %lf ms\n" | `T2_A_high`, `T2_A_med`, `T2_A_low`; `T2_P_high`, `T2_P_med`, `T2_P_low`; `T2_L_high`, `T2_L_med`, `T2_L_low` |
| G13 | LOWER CORNER FREQUENCIES | First / Second / Third frequency | "First frequency (long cilia): %lf Hz\n" | `w_5_l`, `w_5_m`, `w_5_s`; `w_6_l`, `w_6_m`, `w_6_s`; `w_4_l`, `w_4_m`, `w_4_s` |
| G14 | LOWER CORNER FREQUENCIES (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (long cilia): %lf Hz\n" | `w1_A_high`, `w1_A_med`, `w1_A_low`; `w1_P_high`, `w1_P_med`, `w1_P_low`; `w1_L_high`, `w1_L_med`, `w1_L_low` |
| G15 | UPPER CORNER FREQUENCIES | First / Second / Third frequency | "First frequency (long cilia): %lf Hz\n" | `w_2_l`, `w_2_m`, `w_2_s`; `w_3_l`, `w_3_m`, `w_3_s`; `w_1_l`, `w_1_m`, `w_1_s` |
| G16 | UPPER CORNER FREQUENCIES (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (long cilia): %lf Hz\n" | `w2_A_high`, `w2_A_med`, `w2_A_low`; `w2_P_high`, `w2_P_med`, `w2_P_low`; `w2_L_high`, `w2_L_med`, `w2_L_low` |
| G17 | NATURAL FREQUENCIES (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (long cilia): %lf Hz\n" | `wn_A_high`, `wn_A_med`, `wn_A_low`; `wn_P_high`, `wn_P_med`, `wn_P_low`; `wn_L_high`, `wn_L_med`, `wn_L_low` |
| G18 | FRACTIONAL BANDWIDTHS (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (long cilia): %lf\n" | `FB_A_high`, `FB_A_med`, `FB_A_low`; `FB_P_high`, `FB_P_med`, `FB_P_low`; `FB_L_high`, `FB_L_med`, `FB_L_low` |
| G19 | MECHANICAL GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cupula volumic displacement, long cilia): %lf nL/deg\n" | `iX_Q_2_l`, `iX_Q_2_m`, `iX_Q_2_s`; `iX_Q_3_l`, `iX_Q_3_m`, `iX_Q_3_s`; `iX_Q_1_l`, `iX_Q_1_m`, `iX_Q_1_s` |
| G20 | MECHANICAL GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cupula average linear displacement, long cilia): %lf um/deg\n" | `iX_u_2_l`, `iX_u_2_m`, `iX_u_2_s`; `iX_u_3_l`, `iX_u_3_m`, `iX_u_3_s`; `iX_u_1_l`, `iX_u_1_m`, `iX_u_1_s` |
| G21 | MECHANICAL GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cilia average deflection, long cilia): %lf deg/deg\n" | `iX_s_2_l`, `iX_s_2_m`, `iX_s_2_s`; `iX_s_3_l`, `iX_s_3_m`, `iX_s_3_s`; `iX_s_1_l`, `iX_s_1_m`, `iX_s_1_s` |
| G22 | MECHANICAL GAIN (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (cupula volumic displacement, long cilia): %lf nL/deg\n" | `QX_A_high`, `QX_A_med`, `QX_A_low`; `QX_P_high`, `QX_P_med`, `QX_P_low`; `QX_L_high`, `QX_L_med`, `QX_L_low` |
| G23 | MECHANICAL GAIN (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (cupula average linear displacement, long cilia): %lf um/deg\n" | `uX_A_high`, `uX_A_med`, `uX_A_low`; `uX_P_high`, `uX_P_med`, `uX_P_low`; `uX_L_high`, `uX_L_med`, `uX_L_low` |
| G24 | MECHANICAL GAIN (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (cilia average deflection, long cilia): %lf deg/deg\n" | `bXh_A`, `bXm_A`, `bXl_A`; `bXh_P`, `bXm_P`, `bXl_P`; `bXh_L`, `bXm_L`, `bXl_L` |
| G25 | VELOCITY GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cupula volumic displacement, long cilia): %lf nL/deg.s-1\n" | `iVG_Q_2_l`, `iVG_Q_2_m`, `iVG_Q_2_s`; `iVG_Q_3_l`, `iVG_Q_3_m`, `iVG_Q_3_s`; `iVG_Q_1_l`, `iVG_Q_1_m`, `iVG_Q_1_s` |
| G26 | VELOCITY GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cupula average linear displacement, long cilia): %lf um/deg.s-1\n" | `iVG_u_2_l`, `iVG_u_2_m`, `iVG_u_2_s`; `iVG_u_3_l`, `iVG_u_3_m`, `iVG_u_3_s`; `iVG_u_1_l`, `iVG_u_1_m`, `iVG_u_1_s` |
| G27 | VELOCITY GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cilia average deflection, long cilia): %lf deg/deg.s-1\n" | `iVG_s_2_l`, `iVG_s_2_m`, `iVG_s_2_s`; `iVG_s_3_l`, `iVG_s_3_m`, `iVG_s_3_s`; `iVG_s_1_l`, `iVG_s_1_m`, `iVG_s_1_s` |
| G28 | VELOCITY GAIN (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (cupula volumic displacement, long cilia): %lf nL/deg.s-1\n" | `QVG_A_high`, `QVG_A_med`, `QVG_A_low`; `QVG_P_high`, `QVG_P_med`, `QVG_P_low`; `QVG_L_high`, `QVG_L_med`, `QVG_L_low` |
| G29 | VELOCITY GAIN (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (cupula average linear displacement, long cilia): %lf um/deg.s-1\n" | `uVG_A_high`, `uVG_A_med`, `uVG_A_low`; `uVG_P_high`, `uVG_P_med`, `uVG_P_low`; `uVG_L_high`, `uVG_L_med`, `uVG_L_low` |
| G30 | VELOCITY GAIN (UNCOUPLED) | Anterior / Posterior / Lateral duct | "Anterior duct (cilia average deflection, long cilia): %lf deg/deg.s-1\n" | `bVGh_A`, `bVGm_A`, `bVGl_A`; `bVGh_P`, `bVGm_P`, `bVGl_P`; `bVGh_L`, `bVGm_L`, `bVGl_L` |
| G31 | ACCELERATION GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cupula volumic displacement, long cilia): %lf nL/deg.s-2\n" | `QAG_A_high`, `QAG_A_med`, `QAG_A_low`; `QAG_P_high`, `QAG_P_med`, `QAG_P_low`; `QAG_L_high`, `QAG_L_med`, `QAG_L_low` |
| G32 | ACCELERATION GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cupula average linear displacement, long cilia): %lf um/deg.s-2\n" | `uAG_A_high`, `uAG_A_med`, `uAG_A_low`; `uAG_P_high`, `uAG_P_med`, `uAG_P_low`; `uAG_L_high`, `uAG_L_med`, `uAG_L_low` |
| G33 | ACCELERATION GAIN | Anterior / Posterior / Lateral duct | "Anterior duct (cilia average deflection, long cilia): %lf deg/deg.s-2\n" | `bAGh_A`, `bAGm_A`, `bAGl_A`; `bAGh_P`, `bAGm_P`, `bAGl_P`; `bAGh_L`, `bAGm_L`, `bAGl_L` |
"""

# The 27 deflection rows, cupula by cupula, zone by zone, case by case.
DEFLECTIONS = r"""
- Anterior cupula: `da_high_mean_h`, `da_med_mean_h`, `da_low_mean_h`; `da_high_mean_m`, `da_med_mean_m`, `da_low_mean_m`; `da_high_mean_l`, `da_med_mean_l`, `da_low_mean_l`;
- Posterior cupula: `dp_high_mean_h`, `dp_med_mean_h`, `dp_low_mean_h`; `dp_high_mean_m`, `dp_med_mean_m`, `dp_low_mean_m`; `dp_high_mean_l`, `dp_med_mean_l`, `dp_low_mean_l`;
- Lateral cupula: `dl_high_mean_h`, `dl_med_mean_h`, `dl_low_mean_h`; `dl_high_mean_m`, `dl_med_mean_m`, `dl_low_mean_m`; `dl_high_mean_l`, `dl_med_mean_l`, `dl_low_mean_l`;
"""


def group_lines(row):
    cells = [c.strip() for c in row.strip().strip("|").split("|")]
    name, _, labels, first, numbers = cells
    words = [w.split()[0] for w in labels.split("/")]  # the first word of each label
    first = first.strip('"')
    assert first.endswith("\\n") and first.startswith(words[0] + " ")
    first = first[:-2]
    names = [n.strip().strip("`") for n in numbers.replace(";", ",").split(",")]
    assert len(names) == 9
    lines = []
    for g in range(3):
        for k, cilia in enumerate(("long", "medium", "short")):
            text = words[g] + first[len(words[0]):]
            text = text.replace("long cilia", cilia + " cilia", 1)
            lines.append(text.replace("%lf", "{" + names[3 * g + k] + "}"))
        lines.append("")
    return name, lines


GROUP_LINES = dict(group_lines(row) for row in GROUPS.strip("\n").split("\n"))


def deflection_lines():
    lines = []
    for row in DEFLECTIONS.strip("\n").split("\n"):
        cupula, rest = row[2:].split(": ", 1)
        names = [n.strip().strip("`") for n in rest.rstrip(";").replace(";", ",").split(",")]
        assert len(names) == 9 and cupula.endswith(" cupula")
        for zi, zone in enumerate(("long", "medium", "short")):
            for ci, case in enumerate(("high", "medium", "low")):
                lines.append(f"{cupula} ({zone} cilia, {case} thickness): {{{names[3 * zi + ci]}}} deg/nL")
            lines.append("")
    return lines


def expand(layout):
    lines = []
    for line in layout.strip("\n").split("\n"):
        if line.startswith("[group "):
            lines += GROUP_LINES[line[len("[group "):].split(":")[0]]
        elif line.startswith("[deflection rows"):
            lines += deflection_lines()
        else:
            lines.append(line)
    return lines


SHORT_LINES = SHORT.strip("\n").split("\n")
EXTENDED_LINES = expand(EXTENDED)
ECHO_LINES = list(SHORT_LINES)
_k = ECHO_LINES.index("LONG TIME CONSTANTS")
assert ECHO_LINES[_k + 1] == ""
del ECHO_LINES[_k:_k + 2]
assert len(SHORT_LINES) == 289 and len(EXTENDED_LINES) == 625 and len(ECHO_LINES) == 287


def names_in(lines):
    import re
    return [m for line in lines for m in re.findall(r"\{(\w+)\}", line)]


assert len(names_in(EXTENDED_LINES)) == 447


def render(lines, values):
    import re
    out = []
    for line in lines:
        def sub(m):
            name = m.group(1)
            x = values[name]
            if name in ("rho_e", "rho_c"):
                x = 1000000.0 * x
            return F(x)
        out.append(re.sub(r"\{(\w+)\}", sub, line) + "\n")
    return "".join(out)


def is_subsequence(short, extended):
    it = iter(extended)
    return all(any(line == e for e in it) for line in short)


assert is_subsequence(SHORT_LINES, EXTENDED_LINES)


# ------------------------------------------------------------------ the passes
import re

prologue = dict(v)  # finite element values and material constants, before any pass
MATERIAL = ["T", "mu_A", "rho_e", "rho_c", "Young", "poisson", "gamma", "mu_e", "mu_c"]
CUPULA = re.compile(r"(d[apl]_(high|med|low)_mean_[hml]|K[APL]DT_(high|med|low))$")


def run_pass(morph, set_name):
    """One pass from a fresh state: the reset clears everything the pass
    computes; the deflections, stiffnesses and carried values live in v."""
    cor_pass = set_name == "Cor"
    p = dict(morph)
    if cor_pass:
        calibrate(p)
    else:
        inverted_calibration(p)
    uncoupled(p, cor_pass)
    second_half.coupled(p, v, set_name)
    second_half.gains(p, v, v, cor_pass)
    values = {k: v[k] for k in MATERIAL}
    values.update({k: v[k] for k in v if CUPULA.match(k)})
    values.update(p)
    return values, p


def run(morphs):
    """The three passes of one run; the reports of each set, the Cor pass's
    echo, line sets and vestibular matrix."""
    v.clear()
    v.update(prologue)
    out = {}
    for set_name, morph in zip(("Cor", "PlusCor", "MinusCor"), morphs):
        values, p = run_pass(morph, set_name)
        out[f"Data/{SPECIES}/{SPECIES}_{set_name}.biomecha"] = render(SHORT_LINES, values)
        out[f"Data/{SPECIES}/{SPECIES}_{set_name}_Extended.biomecha"] = render(EXTENDED_LINES, values)
        if set_name == "Cor":
            echo = render(ECHO_LINES, values)
            out.update(second_half.line_set_files(p))
            transmat = second_half.vestibular_matrix(v["TM"])
            assert "nan" not in transmat and "inf" not in transmat
            out[f"Data/{SPECIES}/Matrix/{SPECIES}.transmat"] = transmat
    return out, echo


ZERO = {k: 0.0 for k in cor_vals}
complete, complete_echo = run([cor_vals, plus_vals, minus_vals])
identical, identical_echo = run([cor_vals, cor_vals, cor_vals])
missing_plus, missing_plus_echo = run([cor_vals, ZERO, minus_vals])

B = f"Data/{SPECIES}/{SPECIES}_"
assert identical_echo == complete_echo and missing_plus_echo == complete_echo
assert identical[B + "PlusCor.biomecha"] == identical[B + "MinusCor.biomecha"]
assert identical[B + "PlusCor_Extended.biomecha"] == identical[B + "MinusCor_Extended.biomecha"]
for key in (B + "MinusCor.biomecha", B + "MinusCor_Extended.biomecha"):
    assert missing_plus[key] == complete[key]
for text, lines in ((complete[B + "Cor.biomecha"], 289), (complete[B + "Cor_Extended.biomecha"], 625),
                    (complete_echo, 287)):
    assert text.count("\n") == lines and "nan" not in text and "inf" not in text
assert "nan" in missing_plus[B + "PlusCor.biomecha"]


def differing_rows(a, b):
    return [(x, y) for x, y in zip(a.split("\n"), b.split("\n")) if x != y]


# Rows where the PlusCor pass on the Cor morphometry differs from the Cor pass.
same_set_differences = differing_rows(complete[B + "Cor_Extended.biomecha"], identical[B + "PlusCor_Extended.biomecha"])

# ------------------------------------------------------------ synthetic values
# Every printed quantity a value of its own, so that a row printing the wrong
# quantity shows; a few special ones for the number format.
SPECIAL = {
    "wsCa_high": -0.0, "KADT_med": math.inf, "MCC": -math.inf, "t_5_l": math.nan, "GADT": 1.5e20,
    "iipsiADTPDT": 2.5e-7, "w_1_s": -4.9999999e-7, "ix_2_R": 0.1234565, "yPDTc_L": -0.0000005,
    "rho_e": 1.0372e-3, "rho_c": 1.09e-3, "T": 37.0, "poisson": 0.4999996,
}
synthetic = {}
for k, name in enumerate(dict.fromkeys(names_in(EXTENDED_LINES))):
    sign = -1.0 if k % 3 == 1 else 1.0
    synthetic[name] = SPECIAL.get(name, sign * ((k + 1) * 1.0625 + (k + 1) * 0.000001 + (k % 7) * 0.0100003))


def struct_of(name):
    if name in MATERIAL:
        return "carried"
    return "cupula" if CUPULA.match(name) else "pass"


def cpp_double(x):
    if x != x:
        return "kNaN"
    if math.isinf(x):
        return "kInf" if x > 0 else "-kInf"
    return x.hex()


# ------------------------------------------------------------------ the output
def cpp_string(text):
    assert ")~~" not in text
    return 'R"~~(' + text + ')~~"'


def cpp_files(name, table):
    rows = "".join(f'    {{"{path}", {cpp_string(table[path])}}},\n' for path in sorted(table))
    return f"inline const Fixture_File {name}[] = {{\n{rows}}};\n\n"


here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "reports_fixture.inc"), "w") as f:
    f.write("// Generated by expected_reports.py from the model's formulas and the report\n")
    f.write("// layouts; do not edit. Included inside a namespace of the test, which\n")
    f.write("// defines kInf and kNaN.\n\n")
    f.write(f'constexpr const char* kSpecies = "{SPECIES}";\n')
    f.write('constexpr const char* kMaterialAnswers = "' + "\\n".join(ANSWERS) + '\\n";\n\n')
    f.write("struct Fixture_File {\n  const char* path;\n  const char* text;\n};\n\n")
    f.write("// The complete species folder: every input of the three sets.\n")
    f.write(cpp_files("kFixtureFiles", files))
    f.write("// What a run on it writes: six reports, six line sets, the vestibular matrix.\n")
    f.write(cpp_files("kCompleteOutputs", complete))
    f.write("// The Cor pass's console echo.\n")
    f.write(f"inline const char* const kCompleteEcho = {cpp_string(complete_echo)};\n\n")
    f.write("// The PlusCor and MinusCor reports when both sets' morphometry is the Cor one.\n")
    f.write(f"inline const char* const kSameSetShort = {cpp_string(identical[B + 'PlusCor.biomecha'])};\n")
    f.write(f"inline const char* const kSameSetExtended = "
            f"{cpp_string(identical[B + 'PlusCor_Extended.biomecha'])};\n\n")
    f.write(f"// The extended rows in which they differ from the Cor report: {len(same_set_differences)}.\n")
    f.write(f"constexpr int kSameSetDifferingRows = {len(same_set_differences)};\n\n")
    f.write("// The PlusCor short report when its morphometry is missing (nan written \"nan\").\n")
    f.write(f"inline const char* const kMissingPlusShort = {cpp_string(missing_plus[B + 'PlusCor.biomecha'])};\n\n")
    f.write("// Synthetic values of every printed quantity, and the texts they give.\n")
    f.write("inline void Fill_Synthetic(scds::ostravel::Run_State& run) {\n")
    for name, x in synthetic.items():
        f.write(f"  run.{struct_of(name)}.{name} = {cpp_double(x)};\n")
    f.write("}\n\n")
    f.write(f"inline const char* const kSyntheticShort = {cpp_string(render(SHORT_LINES, synthetic))};\n\n")
    f.write(f"inline const char* const kSyntheticExtended = {cpp_string(render(EXTENDED_LINES, synthetic))};\n\n")
    f.write(f"inline const char* const kSyntheticEcho = {cpp_string(render(ECHO_LINES, synthetic))};\n")
print("wrote reports_fixture.inc:", len(files), "input files,", len(complete), "outputs,",
      len(same_set_differences), "extended rows differ between the Cor pass and a variant pass on the same set")
for a, b in same_set_differences:
    print("   ", a, "|", b)
