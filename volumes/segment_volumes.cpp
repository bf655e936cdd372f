#include "segment_volumes.h"

#include "mesh_measures.h"
#include "mesh_outcome.h"
#include "number_format.h"
#include "paths.h"

namespace scds::brindleck {

std::string Right_SCDS_STL_File_Path(std::string_view species) {
  std::string file = "r_";
  file += species;
  file += "_SCDS.stl";
  return Join_Path(Species_Folder(species, "/ScanRef/Other"), file);
}

std::string Left_SCDS_STL_File_Path(std::string_view species) {
  std::string file = "l_";
  file += species;
  file += "_SCDS.stl";
  return Join_Path(Species_Folder(species, "/ScanRef/Other"), file);
}

std::string Side_STL_File_Path(Side side, std::string_view species, std::string_view suffix) {
  return side == Side::Right ? Right_STL_File_Path(species, suffix) : Left_STL_File_Path(species, suffix);
}

std::string Side_SCDS_STL_File_Path(Side side, std::string_view species) {
  return side == Side::Right ? Right_SCDS_STL_File_Path(species) : Left_SCDS_STL_File_Path(species);
}

std::string Volume_Line(std::string_view label, double volume) {
  std::string text(label);
  Append_F(text, volume);
  text += " mm^3\n";
  return text;
}

namespace {

// What every mesh of a side pass shares: where the files are, the unit and
// where messages go.
struct Side_Reading {
  const std::filesystem::path& work_dir;
  std::string_view species;
  Side side;
  double unit;
  Error_Log& log;
  std::ostream& out;
};

// Measures one mesh into `volume`. A mesh that cannot be read (missing,
// unreadable, binary, irregular) is reported and leaves `volume` as it is.
// Returns whether the mesh was read.
bool Measure(const Side_Reading& reading, const std::string& path, double& volume) {
  const Mesh_Sum_Result result = Mesh_Volume(reading.work_dir / path, reading.unit);
  if (!Say_Mesh_Outcome(result.opened, path, kVerifyBothNames, reading.log, reading.out)) return false;
  volume = result.value;
  return true;
}

// One of the eleven segment meshes: a failure sets its flag and counts.
bool Measure_Segment(const Side_Reading& reading, std::string_view suffix, double& volume, int& error,
                     int& error_count) {
  if (Measure(reading, Side_STL_File_Path(reading.side, reading.species, suffix), volume)) return true;
  error = 1;
  error_count = error_count + 1;
  return false;
}

}  // namespace

Side_Volumes Segment_Volumes(const std::filesystem::path& work_dir, std::string_view species, Side side,
                             double unit, Error_Log& log, std::ostream& out) {
  Side_Volumes v;
  const Side_Reading reading{work_dir, species, side, unit, log, out};
  int& count = v.error_count;

  // Slender ducts, crura and the three parts of the utricle.
  if (Measure_Segment(reading, "_Sa", v.volume_Sa, v.error_Sa, count)) {
    out << "\n" << "ENDOLYMPH VOLUMES\n" << "\n" << Volume_Line("Anterior slender duct: ", v.volume_Sa);
  }
  if (Measure_Segment(reading, "_Sp", v.volume_Sp, v.error_Sp, count)) {
    out << Volume_Line("Posterior slender duct: ", v.volume_Sp);
  }
  if (Measure_Segment(reading, "_Sl", v.volume_Sl, v.error_Sl, count)) {
    out << Volume_Line("Lateral slender duct: ", v.volume_Sl);
  }
  if (Measure_Segment(reading, "_CC", v.volume_CC, v.error_CC, count)) {
    out << "\n" << Volume_Line("Common crus: ", v.volume_CC);
  }
  if (Measure_Segment(reading, "_SC", v.volume_SC, v.error_SC, count)) {
    out << Volume_Line("Simple crus: ", v.volume_SC);
  }
  Measure_Segment(reading, "_Ua", v.volume_Ua, v.error_Ua, count);
  Measure_Segment(reading, "_Up", v.volume_Up, v.error_Up, count);
  Measure_Segment(reading, "_Uc", v.volume_Uc, v.error_Uc, count);

  // Utricles.
  if (v.error_Ua == 0 && v.error_Uc == 0) {
    v.volume_UCa = v.volume_Ua + v.volume_Uc;
    out << "\n" << Volume_Line("Anterior utricle: ", v.volume_UCa);
  }
  if (v.error_Up == 0 && v.error_Uc == 0) {
    v.volume_UCp = v.volume_Up + v.volume_Uc;
    out << Volume_Line("Posterior utricle: ", v.volume_UCp);
  }

  // Ampullae.
  if (Measure_Segment(reading, "_Aa", v.volume_Aa, v.error_Aa, count)) {
    out << "\n" << Volume_Line("Anterior ampulla: ", v.volume_Aa);
  }
  if (Measure_Segment(reading, "_Ap", v.volume_Ap, v.error_Ap, count)) {
    out << Volume_Line("Posterior ampulla: ", v.volume_Ap);
  }
  if (Measure_Segment(reading, "_Al", v.volume_Al, v.error_Al, count)) {
    out << Volume_Line("Lateral ampulla: ", v.volume_Al);
  }

  // Ducts: the common crus belongs to both vertical ducts; the lateral duct
  // takes the anterior utricle.
  if (v.error_Aa == 0 && v.error_Ua == 0 && v.error_Uc == 0 && v.error_Sa == 0 && v.error_CC == 0) {
    v.volume_A = ((v.volume_UCa + v.volume_Sa) + v.volume_CC) + v.volume_Aa;
    out << "\n" << Volume_Line("Anterior duct: ", v.volume_A);
  }
  if (v.error_Ap == 0 && v.error_Up == 0 && v.error_Uc == 0 && v.error_Sp == 0 && v.error_CC == 0) {
    v.volume_P = ((v.volume_UCp + v.volume_Sp) + v.volume_CC) + v.volume_Ap;
    out << Volume_Line("Posterior duct: ", v.volume_P);
  }
  if (v.error_Al == 0 && v.error_Ua == 0 && v.error_SC == 0 && v.error_Uc == 0 && v.error_Sl == 0) {
    v.volume_L = ((v.volume_UCa + v.volume_Sl) + v.volume_SC) + v.volume_Al;
    out << Volume_Line("Lateral duct: ", v.volume_L);
  }

  // Total: the eleven segments, each once.
  if (count == 0) {
    v.volume_Total = v.volume_Sa + v.volume_Sp + v.volume_Sl + v.volume_Aa + v.volume_Ap + v.volume_Al +
                     v.volume_Ua + v.volume_Up + v.volume_SC + v.volume_Uc + v.volume_CC;
    out << "\n" << Volume_Line("Total SCDS volume: ", v.volume_Total);
  }

  // The whole system, segmented (control) and smoothed.
  Measure(reading, Side_STL_File_Path(side, species, "_Control"), v.volume_Control);
  if (Measure(reading, Side_SCDS_STL_File_Path(side, species), v.volume_SCDS)) {
    out << Volume_Line("Smoothed SCDS volume: ", v.volume_SCDS)
        << Volume_Line("Segmented SCDS volume: ", v.volume_Control);
  }

  // Effects, whatever was read: a zero divisor gives inf or nan.
  v.S_effect = ((v.volume_SCDS - v.volume_Control) / v.volume_Control) * 100.0;
  v.D_effect = ((v.volume_Total - v.volume_SCDS) / v.volume_SCDS) * 100.0;
  std::string effects = "\nSmoothing effect: ";
  Append_F(effects, v.S_effect);
  effects += " %\nDivision error: ";
  Append_F(effects, v.D_effect);
  effects += " %\n";
  out << effects;
  return v;
}

}  // namespace scds::brindleck
