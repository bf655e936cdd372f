#include "frame_files.h"

#include <cmath>

#include "duct_plane.h"
#include "error_log.h"
#include "text_match.h"

namespace scds::quintarel {

namespace {

// One row into v; the finite values among those converted.
int Read_Row(scds::Byte_Source& source, std::string_view side, std::string_view duct, Duct_Vector& v) {
  const int converted = scds::Read_Duct_Plane_Row(source, side, duct, v.x, v.y, v.z);
  const double values[3] = {v.x, v.y, v.z};
  int finite = 0;
  for (int k = 0; k < converted; ++k) {
    if (std::isfinite(values[k])) ++finite;
  }
  return finite;
}

int Read_Mid_Line(scds::Byte_Source& source, double& a, double& b, double& c) {
  const int converted = scds::Scan(source, "%lf\t%lf\t%lf\n", &a, &b, &c).converted;
  const double values[3] = {a, b, c};
  int finite = 0;
  for (int k = 0; k < converted; ++k) {
    if (std::isfinite(values[k])) ++finite;
  }
  return finite;
}

void Append_Rows(std::string& text, std::string_view side, const Duct_Vector& a, const Duct_Vector& p,
                 const Duct_Vector& l) {
  text += scds::Duct_Plane_Row(side, "Anterior", a.x, a.y, a.z);
  text += '\n';
  text += scds::Duct_Plane_Row(side, "Posterior", p.x, p.y, p.z);
  text += '\n';
  text += scds::Duct_Plane_Row(side, "Lateral", l.x, l.y, l.z);
  text += '\n';
}

}  // namespace

int Raw_Vector_Read(scds::Byte_Source& source, std::string_view side, Duct_Plane_Set& set) {
  int values = 0;
  scds::Scan(source, "SEMICIRCULAR DUCT PLANES (UNCOUPLED)\n");
  scds::Scan(source, "\n");
  values += Read_Row(source, side, "Anterior", set.ADT);
  values += Read_Row(source, side, "Posterior", set.PDT);
  values += Read_Row(source, side, "Lateral", set.LDT);
  scds::Scan(source, "\n");
  scds::Scan(source, "SEMICIRCULAR DUCT CENTER OF ROTATION\n");
  scds::Scan(source, "\n");
  values += Read_Row(source, side, "Anterior", set.ADTc);
  values += Read_Row(source, side, "Posterior", set.PDTc);
  values += Read_Row(source, side, "Lateral", set.LDTc);
  return values;
}

int Mid_Plane_Read(scds::Byte_Source& source, Mid_Plane& mid) {
  int values = Read_Mid_Line(source, mid.xMP, mid.yMP, mid.zMP);
  values += Read_Mid_Line(source, mid.xMPP, mid.yMPP, mid.zMPP);
  return values;
}

std::string Raw_Vector_Layout_Message(std::string_view path, std::string_view set_name, int values) {
  std::string tail = "\nVerify the layout of the ";
  tail += set_name;
  tail += " vector file: " + std::to_string(values) + " of 18 values read.\n";
  return Path_Message("\nImpossible to read ", path, tail);
}

std::string Mid_Plane_Layout_Message(std::string_view path) {
  return Path_Message("\nImpossible to read ", path, "\nVerify the layout of the mid-plane file.\n");
}

std::string Vector_File_Text(const Duct_Plane_Set& R, const Duct_Plane_Set& L) {
  std::string text = "SEMICIRCULAR DUCT PLANES (UNCOUPLED)\n\n";
  Append_Rows(text, "Right", R.ADT, R.PDT, R.LDT);
  Append_Rows(text, "Left", L.ADT, L.PDT, L.LDT);
  text += "\n\nSEMICIRCULAR DUCT CENTER OF ROTATION\n\n";
  Append_Rows(text, "Right", R.ADTc, R.PDTc, R.LDTc);
  Append_Rows(text, "Left", L.ADTc, L.PDTc, L.LDTc);
  return text;
}

}  // namespace scds::quintarel
