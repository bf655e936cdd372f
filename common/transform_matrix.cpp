#include "transform_matrix.h"

#include <cmath>

#include "number_format.h"
#include "text_match.h"

namespace scds {

int Transform_Matrix_Read(Byte_Source& source, Transform_Matrix& m) {
  int converted = 0;
  converted += Scan(source, "%lf\t%lf\t%lf\n", &m.TMA, &m.TMB, &m.TMC).converted;
  converted += Scan(source, "%lf\t%lf\t%lf\n", &m.TMD, &m.TME, &m.TMF).converted;
  converted += Scan(source, "%lf\t%lf\t%lf\n", &m.TMG, &m.TMH, &m.TMI).converted;
  return converted;
}

std::string Transform_Matrix_Text(const Transform_Matrix& m) {
  const double values[9] = {m.TMA, m.TMB, m.TMC, m.TMD, m.TME, m.TMF, m.TMG, m.TMH, m.TMI};
  std::string text;
  for (int k = 0; k < 9; ++k) {
    Append_F(text, values[k]);
    if (k == 8) break;
    text += (k % 3 == 2) ? '\n' : '\t';
  }
  return text;
}

bool Transform_Matrix_Finite(const Transform_Matrix& m) {
  const double values[9] = {m.TMA, m.TMB, m.TMC, m.TMD, m.TME, m.TMF, m.TMG, m.TMH, m.TMI};
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace scds
