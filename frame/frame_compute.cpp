#include "frame_compute.h"

#include <cmath>

namespace scds::quintarel {

namespace {

Duct_Vector Mirror_Normal(const scds::Transform_Matrix& S, const Duct_Vector& v) {
  Duct_Vector m;
  m.x = -((v.x * S.TMA + v.y * S.TMB) + v.z * S.TMC);
  m.y = -((v.x * S.TMD + v.y * S.TME) + v.z * S.TMF);
  m.z = -((v.x * S.TMG + v.y * S.TMH) + v.z * S.TMI);
  return m;
}

Duct_Vector Mirror_Centre(const scds::Transform_Matrix& S, const Mid_Plane& P, const Duct_Vector& c) {
  Duct_Vector m;
  m.x = P.xMPP + (((c.x - P.xMPP) * S.TMA + (c.y - P.yMPP) * S.TMB) + (c.z - P.zMPP) * S.TMC);
  m.y = P.yMPP + (((c.x - P.xMPP) * S.TMD + (c.y - P.yMPP) * S.TME) + (c.z - P.zMPP) * S.TMF);
  m.z = P.zMPP + (((c.x - P.xMPP) * S.TMG + (c.y - P.yMPP) * S.TMH) + (c.z - P.zMPP) * S.TMI);
  return m;
}

void Transform_Vector(const scds::Transform_Matrix& TM, Duct_Vector& v) {
  const double x = v.x;
  const double y = v.y;
  const double z = v.z;
  scds::Transform_Apply(TM, x, y, z, v.x, v.y, v.z);
}

}  // namespace

double Mid_Plane_Length(const Mid_Plane& mid) {
  return std::sqrt((mid.xMP * mid.xMP + mid.yMP * mid.yMP) + mid.zMP * mid.zMP);
}

void Mid_Plane_Normalise(Mid_Plane& mid) {
  const double MP = Mid_Plane_Length(mid);
  mid.xMP = mid.xMP / MP;
  mid.yMP = mid.yMP / MP;
  mid.zMP = mid.zMP / MP;
}

scds::Transform_Matrix Reflection_Matrix(const Mid_Plane& mid) {
  const double xMP = mid.xMP;
  const double yMP = mid.yMP;
  const double zMP = mid.zMP;
  scds::Transform_Matrix S;
  S.TMA = (yMP * yMP - xMP * xMP) + zMP * zMP;
  S.TMB = (xMP * -2.0) * yMP;
  S.TMC = (xMP * -2.0) * zMP;
  S.TMD = (yMP * -2.0) * xMP;
  S.TME = (zMP * zMP - yMP * yMP) + xMP * xMP;
  S.TMF = (yMP * -2.0) * zMP;
  S.TMG = (zMP * -2.0) * xMP;
  S.TMH = (zMP * -2.0) * yMP;
  S.TMI = (xMP * xMP - zMP * zMP) + yMP * yMP;
  return S;
}

void Mirror_Side(const scds::Transform_Matrix& S, const Mid_Plane& mid, const Duct_Plane_Set& given,
                 Duct_Plane_Set& built) {
  built.ADT = Mirror_Normal(S, given.ADT);
  built.PDT = Mirror_Normal(S, given.PDT);
  built.LDT = Mirror_Normal(S, given.LDT);
  built.ADTc = Mirror_Centre(S, mid, given.ADTc);
  built.PDTc = Mirror_Centre(S, mid, given.PDTc);
  built.LDTc = Mirror_Centre(S, mid, given.LDTc);
}

Vestibular_Frame Frame_Of(const Duct_Plane_Set& R, const Duct_Plane_Set& L) {
  Vestibular_Frame f;

  const double dx = L.LDT.x - R.LDT.x;
  const double dy = L.LDT.y - R.LDT.y;
  const double dz = L.LDT.z - R.LDT.z;
  f.Z = std::sqrt((dx * dx + dy * dy) + dz * dz);
  f.Zx = dx / f.Z;
  f.Zy = dy / f.Z;
  f.Zz = dz / f.Z;

  const double sx = ((R.ADT.x + L.ADT.x) - R.PDT.x) - L.PDT.x;
  const double sy = ((R.ADT.y + L.ADT.y) - R.PDT.y) - L.PDT.y;
  const double sz = ((R.ADT.z + L.ADT.z) - R.PDT.z) - L.PDT.z;
  f.Y = std::sqrt((sx * sx + sy * sy) + sz * sz);
  f.Yx = sx / f.Y;
  f.Yy = sy / f.Y;
  f.Yz = sz / f.Y;

  scds::Complete_Frame_Axes(f);
  return f;
}


void Transform_Side(const scds::Transform_Matrix& TM, Duct_Plane_Set& side) {
  Transform_Vector(TM, side.ADT);
  Transform_Vector(TM, side.PDT);
  Transform_Vector(TM, side.LDT);
  Transform_Vector(TM, side.ADTc);
  Transform_Vector(TM, side.PDTc);
  Transform_Vector(TM, side.LDTc);
}

}  // namespace scds::quintarel
