#include "frame_angles.h"

#include <cmath>

#include "number_format.h"

namespace scds::quintarel {

namespace {

constexpr double kDegrees = 57.3;

double Dot(const Duct_Vector& a, const Duct_Vector& b) { return (a.x * b.x + a.y * b.y) + a.z * b.z; }

}  // namespace

double Angle_Degrees(double argument) {
  if (argument > 1.0) argument = 1.0;
  if (argument < -1.0) argument = -1.0;
  return std::acos(argument) * kDegrees;
}

Synergistic_Angles Synergistic_Angles_Of(const Duct_Plane_Set& R, const Duct_Plane_Set& L) {
  Synergistic_Angles a;
  a.mADTPDT = Angle_Degrees(Dot(R.ADT, L.PDT));
  a.mPDTADT = Angle_Degrees(Dot(L.ADT, R.PDT));
  a.mLDTLDT = Angle_Degrees(Dot(R.LDT, L.LDT));
  const double d1 = a.mADTPDT - 180.0;
  const double d2 = a.mPDTADT - 180.0;
  const double d3 = a.mLDTLDT - 180.0;
  a.var180 = ((d1 * d1 + d2 * d2) + d3 * d3) / 3.0;
  a.dev180 = ((std::fabs(d1) + std::fabs(d2)) + std::fabs(d3)) / 3.0;
  return a;
}

Reference_Angles Right_Reference_Angles(const Duct_Plane_Set& R) {
  Reference_Angles a;
  a.mADTPITCH = Angle_Degrees(R.ADT.y);
  a.mPDTPITCH = Angle_Degrees(-R.PDT.y);
  a.mLDTPITCH = Angle_Degrees(-R.LDT.y);
  a.mADTROLL = Angle_Degrees(R.ADT.x);
  a.mPDTROLL = Angle_Degrees(R.PDT.x);
  a.mADTYAW = Angle_Degrees(-R.ADT.z);
  a.mPDTYAW = Angle_Degrees(R.PDT.z);
  a.mLDTYAW = Angle_Degrees(-R.LDT.z);
  return a;
}

Reference_Angles Left_Reference_Angles(const Duct_Plane_Set& L) {
  Reference_Angles a;
  a.mADTPITCH = Angle_Degrees(L.ADT.y);
  a.mPDTPITCH = Angle_Degrees(-L.PDT.y);
  a.mLDTPITCH = Angle_Degrees(-L.LDT.y);
  a.mADTROLL = Angle_Degrees(-L.ADT.x);
  a.mPDTROLL = Angle_Degrees(-L.PDT.x);
  a.mADTYAW = Angle_Degrees(L.ADT.z);
  a.mPDTYAW = Angle_Degrees(-L.PDT.z);
  a.mLDTYAW = Angle_Degrees(L.LDT.z);
  return a;
}

std::string Synergistic_Text(const Synergistic_Angles& a) {
  std::string text = "SYNERGISTIC ANGLES (UNCOUPLED)\n\n";
  scds::Append_Row(text, "Right Anterior and Left Posterior ducts: ", a.mADTPDT, " Degrees\n");
  scds::Append_Row(text, "Left Anterior and Right Posterior ducts: ", a.mPDTADT, " Degrees\n");
  scds::Append_Row(text, "Lateral ducts: ", a.mLDTLDT, " Degrees\n");
  text += "\nDEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)\n\n";
  scds::Append_Row(text, "Variance from planarity: ", a.var180, " Degrees^2\n");
  text += '\n';
  scds::Append_Row(text, "Average deviation from planarity: ", a.dev180, " Degrees\n");
  return text;
}

std::string Reference_Text(const Reference_Angles& a) {
  std::string text = "REFERENCE ANGLES (UNCOUPLED)\n\nVESTIBULAR PITCH / MID-SAGITTAL PLANE\n\n";
  scds::Append_Row(text, "Anterior duct: ", a.mADTPITCH, " Degrees\n");
  scds::Append_Row(text, "Posterior duct: ", a.mPDTPITCH, " Degrees\n");
  scds::Append_Row(text, "Lateral duct: ", a.mLDTPITCH, " Degrees\n");
  text += "\nVESTIBULAR ROLL / CORONAL PLANE\n\n";
  scds::Append_Row(text, "Anterior duct: ", a.mADTROLL, " Degrees\n");
  scds::Append_Row(text, "Posterior duct: ", a.mPDTROLL, " Degrees\n");
  text += "\nVESTIBULAR YAW / HORIZONTAL PLANE\n\n";
  scds::Append_Row(text, "Anterior duct: ", a.mADTYAW, " Degrees\n");
  scds::Append_Row(text, "Posterior duct: ", a.mPDTYAW, " Degrees\n");
  scds::Append_Row(text, "Lateral duct: ", a.mLDTYAW, " Degrees\n");
  return text;
}

}  // namespace scds::quintarel
