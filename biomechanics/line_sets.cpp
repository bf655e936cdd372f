#include "line_sets.h"

#include <string_view>

#include "biomechanics_paths.h"
#include "byte_source.h"
#include "error_log.h"
#include "number_format.h"
#include "output_file.h"
#include "removal.h"
#include "transform_matrix.h"

namespace scds::ostravel {
namespace {

// "%fx\t%fy\t%fz\n"
void Append_Point(std::string& text, double x, double y, double z) {
  Append_F(text, x);
  text += "x\t";
  Append_F(text, y);
  text += "y\t";
  Append_F(text, z);
  text += "z\n";
}

// Creates, writes and closes one output; a failure is reported once and
// counted, and leaves an earlier file of that name as it was.
bool Write_Output(Run_State& run, std::ostream& out, const std::string& path, const std::string& text) {
  if (Output_Write_Whole(run.work_dir, path, text, run.log, out)) return true;
  ++run.counters.error_count;
  return false;
}

void Write_Line_Sets(Run_State& run, std::ostream& out) {
  const Pass_State& p = run.pass;
  const std::string& sp = run.species;
  struct Line_Set {
    std::string path;
    double x, y, z, nx, ny, nz;
  };
  const Line_Set sets[6] = {
      {Right_Anterior_Vector_Path(sp), p.xADTc_R, p.yADTc_R, p.zADTc_R, p.ix_2_R, p.iy_2_R, p.iz_2_R},
      {Right_Posterior_Vector_Path(sp), p.xPDTc_R, p.yPDTc_R, p.zPDTc_R, p.ix_3_R, p.iy_3_R, p.iz_3_R},
      {Right_Lateral_Vector_Path(sp), p.xLDTc_R, p.yLDTc_R, p.zLDTc_R, p.ix_1_R, p.iy_1_R, p.iz_1_R},
      {Left_Anterior_Vector_Path(sp), p.xADTc_L, p.yADTc_L, p.zADTc_L, p.ix_2_L, p.iy_2_L, p.iz_2_L},
      {Left_Posterior_Vector_Path(sp), p.xPDTc_L, p.yPDTc_L, p.zPDTc_L, p.ix_3_L, p.iy_3_L, p.iz_3_L},
      {Left_Lateral_Vector_Path(sp), p.xLDTc_L, p.yLDTc_L, p.zLDTc_L, p.ix_1_L, p.iy_1_L, p.iz_1_L},
  };
  for (const Line_Set& set : sets) {
    Write_Output(run, out, set.path, Line_Set_Text(set.x, set.y, set.z, set.nx, set.ny, set.nz));
  }
}

// What the reading of Quintarel's matrix found.
enum class Uncoupled_Read {
  Missing,   // the file did not open
  Unusable,  // it opened, but not all nine values were read, or one is not finite
  Usable,
};

// Reads Quintarel's matrix into run.uTM. A file that is missing or unusable
// is reported and counted. The file itself stays: it is removed only once
// the vestibular matrix has been written from it.
Uncoupled_Read Read_Uncoupled_Matrix(Run_State& run, std::ostream& out, const std::string& transmat_path) {
  Byte_Source transmat;
  if (!Source_Open(transmat, run.work_dir / transmat_path)) {
    Error_Log_Report(run.log, out,
                     Path_Message("\nImpossible to read ", transmat_path, "\nVerify transfert matrix file name.\n"));
    ++run.counters.error_count;
    return Uncoupled_Read::Missing;
  }
  const int converted = Transform_Matrix_Read(transmat, run.uTM);
  Source_Close(transmat);
  if (converted == 9 && Transform_Matrix_Finite(run.uTM)) return Uncoupled_Read::Usable;
  Error_Log_Report(run.log, out,
                   Path_Message("\nImpossible to use ", transmat_path,
                                "\nThe uncoupled transform matrix is incomplete or not finite; run Quintarel "
                                "again.\n"));
  ++run.counters.error_count;
  return Uncoupled_Read::Unusable;
}

}  // namespace

std::string Line_Set_Text(double x, double y, double z, double nx, double ny, double nz) {
  std::string text = "# LineSet 0.1\n\nnDataVals 0 { {\n";
  Append_Point(text, x, y, z);
  Append_Point(text, x + 3333.0 * nx, y + 3333.0 * ny, z + 3333.0 * nz);
  text += "\n} }";
  return text;
}

Transform_Matrix Matrix_Product(const Transform_Matrix& TM, const Transform_Matrix& uTM) {
  Transform_Matrix iTM;
  iTM.TMA = TM.TMA * uTM.TMA + TM.TMB * uTM.TMD + TM.TMC * uTM.TMG;
  iTM.TMB = TM.TMA * uTM.TMB + TM.TMB * uTM.TME + TM.TMC * uTM.TMH;
  iTM.TMC = TM.TMA * uTM.TMC + TM.TMB * uTM.TMF + TM.TMC * uTM.TMI;
  iTM.TMD = TM.TMD * uTM.TMA + TM.TME * uTM.TMD + TM.TMF * uTM.TMG;
  iTM.TME = TM.TMD * uTM.TMB + TM.TME * uTM.TME + TM.TMF * uTM.TMH;
  iTM.TMF = TM.TMD * uTM.TMC + TM.TME * uTM.TMF + TM.TMF * uTM.TMI;
  iTM.TMG = TM.TMG * uTM.TMA + TM.TMH * uTM.TMD + TM.TMI * uTM.TMG;
  iTM.TMH = TM.TMG * uTM.TMB + TM.TMH * uTM.TME + TM.TMI * uTM.TMH;
  iTM.TMI = TM.TMG * uTM.TMC + TM.TMH * uTM.TMF + TM.TMI * uTM.TMI;
  return iTM;
}

void Line_Sets_And_Matrix(Run_State& run, std::ostream& out) {
  Write_Line_Sets(run, out);

  const std::string uncoupled_path = Uncoupled_Transfrom_Matrix_Path(run.species);
  const Uncoupled_Read uncoupled = Read_Uncoupled_Matrix(run, out, uncoupled_path);
  run.iTM = Matrix_Product(run.carried.TM, run.uTM);
  const std::string transmat_path = Transfrom_Matrix_Path(run.species);
  bool written = false;
  if (uncoupled != Uncoupled_Read::Usable || !Transform_Matrix_Finite(run.iTM)) {
    // Saxmorrow would apply a zero or nan matrix to every mesh; a matrix
    // written by an earlier run stays as it was.
    Error_Log_Report(run.log, out,
                     Path_Message("\nThe vestibular transform matrix could not be computed; ", transmat_path,
                                  " was not written.\n"));
    ++run.counters.error_count;
  } else {
    // The hand-over to Saxmorrow: a good matrix of an earlier run survives a
    // write that fails.
    written = Write_Output(run, out, transmat_path, Transform_Matrix_Text(run.iTM));
  }
  // Quintarel's matrix is used up only by the matrix made from it; until
  // then it is the only record of the raw vectors it came from.
  if (written) {
    // One that cannot be removed would be used again by the next run: it
    // is said, and counted as a failure of the run like an output that
    // cannot be written (the log block closes with its empty line for the
    // message anyway).
    if (!Remove_Entry(run.work_dir / uncoupled_path)) {
      Error_Log_Report(run.log, out,
                       Cannot_Remove_Input_Message(uncoupled_path,
                                                   "The uncoupled matrix is used up but remains: remove it by hand."));
      ++run.counters.error_count;
    }
  } else if (uncoupled != Uncoupled_Read::Missing) {
    Error_Log_Report(run.log, out,
                     Path_Message("\nThe uncoupled matrix ", uncoupled_path, " was kept for the next run.\n"));
  }
}

}  // namespace scds::ostravel
