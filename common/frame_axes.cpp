#include "frame_axes.h"

#include <cmath>

namespace scds {

void Complete_Frame_Axes(Frame_Axes& f) {
  f.Xx = f.Yy * f.Zz - f.Yz * f.Zy;
  f.Xy = f.Yz * f.Zx - f.Yx * f.Zz;
  f.Xz = f.Yx * f.Zy - f.Yy * f.Zx;
  f.X = std::sqrt((f.Xx * f.Xx + f.Xy * f.Xy) + f.Xz * f.Xz);
  f.Xx = f.Xx / f.X;
  f.Xy = f.Xy / f.X;
  f.Xz = f.Xz / f.X;

  f.detA = ((f.Xx * f.Yy * f.Zz + f.Yx * f.Zy * f.Xz) + f.Zx * f.Xy * f.Yz) -
           ((f.Zx * f.Yy * f.Xz + f.Xx * f.Zy * f.Yz) + f.Yx * f.Xy * f.Zz);
}

Transform_Matrix Frame_Axes_Inverse(const Frame_Axes& f) {
  Transform_Matrix m;
  m.TMA = (f.Yy * f.Zz - f.Yz * f.Zy) / f.detA;
  m.TMB = (f.Yz * f.Zx - f.Yx * f.Zz) / f.detA;
  m.TMC = (f.Yx * f.Zy - f.Yy * f.Zx) / f.detA;
  m.TMD = (f.Xz * f.Zy - f.Xy * f.Zz) / f.detA;
  m.TME = (f.Xx * f.Zz - f.Xz * f.Zx) / f.detA;
  m.TMF = (f.Xy * f.Zx - f.Xx * f.Zy) / f.detA;
  m.TMG = (f.Xy * f.Yz - f.Xz * f.Yy) / f.detA;
  m.TMH = (f.Xz * f.Yx - f.Xx * f.Yz) / f.detA;
  m.TMI = (f.Xx * f.Yy - f.Xy * f.Yx) / f.detA;
  return m;
}

}  // namespace scds
