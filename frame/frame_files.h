// Quintarel's text inputs and the vector file it writes: the raw vector file
// of one side and one measurement set, the mid-sagittal plane file, and the
// transformed vectors of both sides.
#pragma once

#include <string>
#include <string_view>

#include "byte_source.h"

namespace scds::quintarel {

struct Duct_Vector {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// One side of one measurement set: the unit normals of the anterior,
// posterior and lateral duct planes and the ducts' centres of rotation.
struct Duct_Plane_Set {
  Duct_Vector ADT, PDT, LDT;
  Duct_Vector ADTc, PDTc, LDTc;
};

// The mid-sagittal plane: a normal of any length and one point of the plane.
struct Mid_Plane {
  double xMP = 0.0, yMP = 0.0, zMP = 0.0;
  double xMPP = 0.0, yMPP = 0.0, zMPP = 0.0;
};

constexpr int kRawVectorValues = 18;
constexpr int kMidPlaneValues = 6;

// The eleven reads of a raw vector file, with rows of the given side word
// ("Right" or "Left"). Returns how many of the 18 values were converted and
// are finite; values not converted keep what they held.
int Raw_Vector_Read(scds::Byte_Source& source, std::string_view side, Duct_Plane_Set& set);

// The two reads of a mid-plane file. Returns how many of its 6 values were
// converted and are finite.
int Mid_Plane_Read(scds::Byte_Source& source, Mid_Plane& mid);

// "\nImpossible to read %s\nVerify the layout of the %s vector file: %d of 18 values read.\n"
std::string Raw_Vector_Layout_Message(std::string_view path, std::string_view set_name, int values);

// "\nImpossible to read %s\nVerify the layout of the mid-plane file.\n"
std::string Mid_Plane_Layout_Message(std::string_view path);

// The eighteen lines of a .vector file (also the frame's console echo).
std::string Vector_File_Text(const Duct_Plane_Set& R, const Duct_Plane_Set& L);

}  // namespace scds::quintarel
