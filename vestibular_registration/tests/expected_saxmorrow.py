#!/usr/bin/env python3
"""Expected registered meshes for saxmorrow_test.cpp, worked out apart from
the program: the fixture mesh's numbers, each vector carried by the matrix
(each sum taken left to right, as IEEE doubles), written with "%f".

Run: python3 expected_saxmorrow.py  (prints the C++ literals pasted into the
tests)."""

# The fixture mesh's vectors, in file order (normal, then three vertices),
# as the test's kEarMesh text writes them.
FACETS = [
    [("0", "0", "1"), ("1.5e-03", "+2", "-3.25"), ("10", "20", "30"), ("-0.0000004", "0.0000005", "1e2")],
    [("-0.6", "0.8", "0"), ("0.1", "0.2", "0.3"), ("123.456789", "-98.7654321", "0.5"), ("7", "8", "9")],
]

# The matrices as their files give them (six decimals, as Ostravel writes).
MATRICES = {
    "identity": ["1.000000", "0.000000", "0.000000", "0.000000", "1.000000", "0.000000",
                 "0.000000", "0.000000", "1.000000"],
    "scale2": ["2.000000", "0.000000", "0.000000", "0.000000", "2.000000", "0.000000",
               "0.000000", "0.000000", "2.000000"],
    # 10 degrees about x
    "rotation": ["1.000000", "0.000000", "0.000000", "0.000000", "0.984808", "-0.173648",
                 "0.000000", "0.173648", "0.984808"],
}

HEADS = ["\\tfacet normal\\t", "\\touter loop\\n\\t\\tvertex\\t", "\\t\\tvertex\\t", "\\t\\tvertex\\t"]
TAILS = ["\\n", "\\n", "\\n", "\\n\\tendloop\\nendfacet\\n"]


def registered(matrix):
    m = [float(t) for t in matrix]
    lines = ['"solid\\n"']
    for facet in FACETS:
        for k, vector in enumerate(facet):
            x, y, z = (float(t) for t in vector)
            x0 = m[0] * x + m[1] * y + m[2] * z
            y0 = m[3] * x + m[4] * y + m[5] * z
            z0 = m[6] * x + m[7] * y + m[8] * z
            lines.append('"%s%s\\t%s\\t%s%s"' % (HEADS[k], "%f" % x0, "%f" % y0, "%f" % z0, TAILS[k]))
    lines.append('"endsolid\\n"')
    return "\n".join(lines)


for name, matrix in MATRICES.items():
    print("// %s" % name)
    print(registered(matrix) + ";")
    print()
