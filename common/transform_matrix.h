// The 3x3 transform matrix of the vestibular frame and its file form:
// three lines of three tab-separated six-decimal numbers, the last line
// without a line end.
#pragma once

#include <string>

#include "byte_source.h"

namespace scds {

struct Transform_Matrix {
  double TMA = 0.0, TMB = 0.0, TMC = 0.0;
  double TMD = 0.0, TME = 0.0, TMF = 0.0;
  double TMG = 0.0, TMH = 0.0, TMI = 0.0;
};

// Three reads of "%lf\t%lf\t%lf\n" into the rows. Returns how many of the
// nine values were converted; the others keep their values.
int Transform_Matrix_Read(Byte_Source& source, Transform_Matrix& m);

// The file text: "%f\t%f\t%f\n%f\t%f\t%f\n%f\t%f\t%f".
std::string Transform_Matrix_Text(const Transform_Matrix& m);

// True when all nine elements are finite numbers.
bool Transform_Matrix_Finite(const Transform_Matrix& m);

// (x, y, z) carried by the matrix, each sum taken left to right.
inline void Transform_Apply(const Transform_Matrix& m, double x, double y, double z, double& x0, double& y0,
                            double& z0) {
  x0 = m.TMA * x + m.TMB * y + m.TMC * z;
  y0 = m.TMD * x + m.TME * y + m.TMF * z;
  z0 = m.TMG * x + m.TMH * y + m.TMI * z;
}

}  // namespace scds
