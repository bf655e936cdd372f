// Rows of a duct-plane set: "<Side> <Duct> duct: %lfx %lfy %lfz\n", used by
// the raw vector files, the vector files and the morphometry files.
#pragma once

#include <string>
#include <string_view>

#include "byte_source.h"

namespace scds {

// The row's format for reading, e.g. "Right Anterior duct: %lfx %lfy %lfz\n".
std::string Duct_Plane_Row_Format(std::string_view side, std::string_view duct);

// Reads one row into x, y, z; returns how many of the three were converted.
int Read_Duct_Plane_Row(Byte_Source& source, std::string_view side, std::string_view duct, double& x, double& y,
                        double& z);

// The row as written, without its line end: "<Side> <Duct> duct: %fx %fy %fz".
std::string Duct_Plane_Row(std::string_view side, std::string_view duct, double x, double y, double z);

}  // namespace scds
