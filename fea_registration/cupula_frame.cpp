#include "cupula_frame.h"

#include <cmath>

namespace scds {

void Compute_Cupula_Frame(Cupula_Frame& f) {
  // Z: (P2 - P1) x (P3 - P1), every difference taken anew.
  f.Zx = (f.y2 - f.y1) * (f.z3 - f.z1) - (f.z2 - f.z1) * (f.y3 - f.y1);
  f.Zy = (f.z2 - f.z1) * (f.x3 - f.x1) - (f.x2 - f.x1) * (f.z3 - f.z1);
  f.Zz = (f.x2 - f.x1) * (f.y3 - f.y1) - (f.y2 - f.y1) * (f.x3 - f.x1);
  f.Z = std::sqrt((f.Zx * f.Zx + f.Zy * f.Zy) + f.Zz * f.Zz);
  f.Zx = f.Zx / f.Z;
  f.Zy = f.Zy / f.Z;
  f.Zz = f.Zz / f.Z;

  // Y: Z x (c, c, c), each product formed before the difference.
  const double c = kReferenceComponent;
  f.Yx = f.Zy * c - f.Zz * c;
  f.Yy = f.Zz * c - f.Zx * c;
  f.Yz = f.Zx * c - f.Zy * c;
  f.Y = std::sqrt((f.Yx * f.Yx + f.Yy * f.Yy) + f.Yz * f.Yz);
  f.Yx = f.Yx / f.Y;
  f.Yy = f.Yy / f.Y;
  f.Yz = f.Yz / f.Y;

  // X: Y x Z.
  f.Xx = f.Yy * f.Zz - f.Yz * f.Zy;
  f.Xy = f.Yz * f.Zx - f.Yx * f.Zz;
  f.Xz = f.Yx * f.Zy - f.Yy * f.Zx;
  f.X = std::sqrt((f.Xx * f.Xx + f.Xy * f.Xy) + f.Xz * f.Xz);
  f.Xx = f.Xx / f.X;
  f.Xy = f.Xy / f.X;
  f.Xz = f.Xz / f.X;

  // Determinant of A = [X Y Z] (the axes as columns).
  f.detA = ((f.Xx * f.Yy * f.Zz + f.Yx * f.Zy * f.Xz) + f.Zx * f.Xy * f.Yz) -
           ((f.Zx * f.Yy * f.Xz + f.Xx * f.Zy * f.Yz) + f.Yx * f.Xy * f.Zz);

  // The inverse of A as its adjugate over the determinant.
  Transform_Matrix& m = f.matrix;
  m.TMA = (f.Yy * f.Zz - f.Yz * f.Zy) / f.detA;
  m.TMB = (f.Yz * f.Zx - f.Yx * f.Zz) / f.detA;
  m.TMC = (f.Yx * f.Zy - f.Yy * f.Zx) / f.detA;
  m.TMD = (f.Xz * f.Zy - f.Xy * f.Zz) / f.detA;
  m.TME = (f.Xx * f.Zz - f.Xz * f.Zx) / f.detA;
  m.TMF = (f.Xy * f.Zx - f.Xx * f.Zy) / f.detA;
  m.TMG = (f.Xy * f.Yz - f.Xz * f.Yy) / f.detA;
  m.TMH = (f.Xz * f.Yx - f.Xx * f.Yz) / f.detA;
  m.TMI = (f.Xx * f.Yy - f.Xy * f.Yx) / f.detA;
}

bool Cupula_Frame_Degenerate(const Cupula_Frame& f) {
  return f.Z == 0.0 || f.Y == 0.0 || f.X == 0.0 || !Transform_Matrix_Finite(f.matrix);
}

void Clear_Cupula_Frame(Cupula_Frame& f) {
  f.Zx = f.Zy = f.Zz = 0.0;
  f.Yx = f.Yy = f.Yz = 0.0;
  f.Xx = f.Xy = f.Xz = 0.0;
  f.matrix = Transform_Matrix{};
}

bool Build_Cupula_Frame(STL_Mesh& mesh, Cupula_Frame& f, double& x, double& y, double& z) {
  // A first facet that does not parse never takes an earlier cupula's points.
  f.x1 = f.y1 = f.z1 = 0.0;
  f.x2 = f.y2 = f.z2 = 0.0;
  f.x3 = f.y3 = f.z3 = 0.0;
  STL_Read_Vector(mesh, 0, x, y, z);  // the normal the file carries is not used
  STL_Read_Vector(mesh, 1, f.x1, f.y1, f.z1);
  STL_Read_Vector(mesh, 2, f.x2, f.y2, f.z2);
  STL_Read_Vector(mesh, 3, f.x3, f.y3, f.z3);
  const bool stopped = mesh.irregular;
  STL_Restart(mesh);
  mesh.irregular = stopped;

  Compute_Cupula_Frame(f);
  if (Cupula_Frame_Degenerate(f)) {
    Clear_Cupula_Frame(f);
    return false;
  }
  return true;
}

}  // namespace scds
