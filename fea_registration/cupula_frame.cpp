#include "cupula_frame.h"

#include <cmath>

namespace scds::flanmere {

void Compute_Cupula_Frame(Cupula_Frame& f) {
  Frame_Axes& a = f.axes;

  // Z: (P2 - P1) x (P3 - P1), every difference taken anew.
  a.Zx = (f.y2 - f.y1) * (f.z3 - f.z1) - (f.z2 - f.z1) * (f.y3 - f.y1);
  a.Zy = (f.z2 - f.z1) * (f.x3 - f.x1) - (f.x2 - f.x1) * (f.z3 - f.z1);
  a.Zz = (f.x2 - f.x1) * (f.y3 - f.y1) - (f.y2 - f.y1) * (f.x3 - f.x1);
  a.Z = std::sqrt((a.Zx * a.Zx + a.Zy * a.Zy) + a.Zz * a.Zz);
  a.Zx = a.Zx / a.Z;
  a.Zy = a.Zy / a.Z;
  a.Zz = a.Zz / a.Z;

  // Y: Z x (c, c, c), each product formed before the difference.
  const double c = kReferenceComponent;
  a.Yx = a.Zy * c - a.Zz * c;
  a.Yy = a.Zz * c - a.Zx * c;
  a.Yz = a.Zx * c - a.Zy * c;
  a.Y = std::sqrt((a.Yx * a.Yx + a.Yy * a.Yy) + a.Yz * a.Yz);
  a.Yx = a.Yx / a.Y;
  a.Yy = a.Yy / a.Y;
  a.Yz = a.Yz / a.Y;

  // X = Y x Z, detA, and the inverse of A = [X Y Z] by its adjugate.
  Complete_Frame_Axes(a);
  f.matrix = Frame_Axes_Inverse(a);
}

bool Cupula_Frame_Degenerate(const Cupula_Frame& f) {
  return f.axes.Z == 0.0 || f.axes.Y == 0.0 || f.axes.X == 0.0 || !Transform_Matrix_Finite(f.matrix);
}

void Clear_Cupula_Frame(Cupula_Frame& f) {
  Frame_Axes& a = f.axes;
  a.Zx = a.Zy = a.Zz = 0.0;
  a.Yx = a.Yy = a.Yz = 0.0;
  a.Xx = a.Xy = a.Xz = 0.0;
  f.matrix = Transform_Matrix{};
}

bool Build_Cupula_Frame(STL_Mesh& mesh, std::int64_t facets, Cupula_Frame& f, double& x, double& y, double& z) {
  if (facets == 0) {
    STL_End_Read(mesh);
    Clear_Cupula_Frame(f);
    return false;
  }
  STL_Read_Vector(mesh, 0, x, y, z);  // the normal the file carries is not used
  STL_Read_Vector(mesh, 1, f.x1, f.y1, f.z1);
  STL_Read_Vector(mesh, 2, f.x2, f.y2, f.z2);
  STL_Read_Vector(mesh, 3, f.x3, f.y3, f.z3);
  const bool stopped = mesh.irregular;
  STL_Restart(mesh);
  mesh.irregular = stopped;

  Compute_Cupula_Frame(f);
  if (STL_Read_Outcome(mesh) == STL_Open_Result::Opened && !Cupula_Frame_Degenerate(f)) return true;
  Clear_Cupula_Frame(f);
  return false;
}

}  // namespace scds::flanmere
