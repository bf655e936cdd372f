#include "duct_plane.h"

#include "number_format.h"
#include "text_match.h"

namespace scds {

std::string Duct_Plane_Row_Format(std::string_view side, std::string_view duct) {
  std::string format(side);
  format += ' ';
  format += duct;
  format += " duct: %lfx %lfy %lfz\n";
  return format;
}

int Read_Duct_Plane_Row(Byte_Source& source, std::string_view side, std::string_view duct, double& x, double& y,
                        double& z) {
  return Scan(source, Duct_Plane_Row_Format(side, duct), &x, &y, &z).converted;
}

std::string Duct_Plane_Row(std::string_view side, std::string_view duct, double x, double y, double z) {
  std::string row(side);
  row += ' ';
  row += duct;
  row += " duct: ";
  Append_F(row, x);
  row += "x ";
  Append_F(row, y);
  row += "y ";
  Append_F(row, z);
  row += "z";
  return row;
}

}  // namespace scds
