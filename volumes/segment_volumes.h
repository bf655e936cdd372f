// The endolymph volumes of one side: the eleven segment meshes, the control
// mesh and the smoothed whole-system mesh, measured in a fixed order and
// composed into utricle, duct and total volumes, with the smoothing effect
// and the division error.
#pragma once

#include <filesystem>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>

#include "error_log.h"
#include "side.h"

namespace scds::brindleck {

// Data/<species>/ScanRef/Other/r_<species>_SCDS.stl (left: l_).
std::string Right_SCDS_STL_File_Path(std::string_view species);
std::string Left_SCDS_STL_File_Path(std::string_view species);

// The suffixes of the segment meshes of a side, in the order the banner
// lists them.
inline constexpr std::string_view kSegmentsListed[] = {"_Sa", "_Sp", "_Sl", "_CC", "_SC", "_Aa",
                                                       "_Ap", "_Al", "_Ua", "_Up", "_Uc"};
inline constexpr int kSegmentCount = static_cast<int>(std::size(kSegmentsListed));

// The segment and control meshes of a side: rv_ or lv_ + species + suffix.
std::string Side_STL_File_Path(Side side, std::string_view species, std::string_view suffix);
std::string Side_SCDS_STL_File_Path(Side side, std::string_view species);

// Everything one side computes, in mm^3 (effects in percent). A derived
// volume whose segments were not all read stays 0.
struct Side_Volumes {
  double volume_Sa = 0.0, volume_Sp = 0.0, volume_Sl = 0.0;
  double volume_CC = 0.0, volume_SC = 0.0;
  double volume_Ua = 0.0, volume_Up = 0.0, volume_Uc = 0.0;
  double volume_Aa = 0.0, volume_Ap = 0.0, volume_Al = 0.0;
  double volume_UCa = 0.0, volume_UCp = 0.0;
  double volume_A = 0.0, volume_P = 0.0, volume_L = 0.0;
  double volume_Total = 0.0;
  double volume_Control = 0.0, volume_SCDS = 0.0;
  double S_effect = 0.0, D_effect = 0.0;
  // 1 once that segment's mesh could not be read.
  int error_Sa = 0, error_Sp = 0, error_Sl = 0, error_CC = 0, error_SC = 0;
  int error_Ua = 0, error_Up = 0, error_Uc = 0;
  int error_Aa = 0, error_Ap = 0, error_Al = 0;
  // Segment meshes of the side that could not be read (error_count_R or
  // error_count_L), 0 to kSegmentCount.
  int error_count = 0;
};

// label + "%f" + " mm^3\n"
std::string Volume_Line(std::string_view label, double volume);

// Measures the side from zero, printing each value as it becomes known and
// reporting every mesh that cannot be read (console and the side's
// temporary log). `unit` is mesh units per millimetre.
Side_Volumes Segment_Volumes(const std::filesystem::path& work_dir, std::string_view species, Side side,
                             double unit, Error_Log& log, std::ostream& out);

}  // namespace scds::brindleck
