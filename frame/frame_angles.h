// The synergistic angles between the duct pairs of the two sides and the
// reference angles of one side's normals against the frame's axes, from
// the normals of a set in the vestibular frame.
#pragma once

#include <string>

#include "frame_files.h"

namespace scds::quintarel {

// acos of the argument, clamped to [-1, 1] (nan stays nan), times 57.3.
double Angle_Degrees(double argument);

struct Synergistic_Angles {
  double mADTPDT = 0.0;  // right anterior with left posterior
  double mPDTADT = 0.0;  // left anterior with right posterior
  double mLDTLDT = 0.0;  // the lateral ducts
  double var180 = 0.0;   // degrees squared
  double dev180 = 0.0;   // degrees
};

Synergistic_Angles Synergistic_Angles_Of(const Duct_Plane_Set& R, const Duct_Plane_Set& L);

// Pitch, roll and yaw of one side (there is no lateral roll).
struct Reference_Angles {
  double mADTPITCH = 0.0, mPDTPITCH = 0.0, mLDTPITCH = 0.0;
  double mADTROLL = 0.0, mPDTROLL = 0.0;
  double mADTYAW = 0.0, mPDTYAW = 0.0, mLDTYAW = 0.0;
};

Reference_Angles Right_Reference_Angles(const Duct_Plane_Set& R);
Reference_Angles Left_Reference_Angles(const Duct_Plane_Set& L);

// The eleven lines of a .synangle file.
std::string Synergistic_Text(const Synergistic_Angles& a);

// The eighteen lines of a .functionangle file.
std::string Reference_Text(const Reference_Angles& a);

}  // namespace scds::quintarel
