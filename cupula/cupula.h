// Tessafen's measures. The three cupulae of a side are measured from a
// closed volume mesh each and three open section meshes each (utricle side,
// duct side, centre); from them come the average and central cross-sectional
// areas, the thicknesses for long, medium and short cilia and Rabbitt's
// empirical estimation, written as the side's raw cupula report.
#pragma once

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "constants.h"
#include "side.h"

namespace scds::tessafen {

// Cilia offsets added to a thickness, built on a step of 0.04242 mm. The
// long-cilia offset is the double product of three steps, one unit in the
// last place below the double nearest to 0.12726.
inline constexpr double kCiliaStep = 0.04242;
inline constexpr double kOffset_high = 3 * kCiliaStep;
inline constexpr double kOffset_med = 0.08484;
inline constexpr double kOffset_low = kCiliaStep;
static_assert(kOffset_high != 0.12726);
static_assert(kOffset_med == 2 * kCiliaStep);

// The measured and derived quantities of one side (zero when a pass starts).
struct Cupula_Measures {
  double volume_Ant_Cup = 0.0, volume_Post_Cup = 0.0, volume_Lat_Cup = 0.0;  // mm^3
  double surface_Ant_Cup_Ut = 0.0, surface_Ant_Cup_Duct = 0.0, surface_Ant_Cup_Mid = 0.0;  // mm^2
  double surface_Post_Cup_Ut = 0.0, surface_Post_Cup_Duct = 0.0, surface_Post_Cup_Mid = 0.0;
  double surface_Lat_Cup_Ut = 0.0, surface_Lat_Cup_Duct = 0.0, surface_Lat_Cup_Mid = 0.0;
  double aCa = 0.0, aCp = 0.0, aCl = 0.0;  // average cross-sectional areas, mm^2
  double tCa = 0.0, tCp = 0.0, tCl = 0.0;  // thicknesses, mm
  double tCa_high = 0.0, tCp_high = 0.0, tCl_high = 0.0;
  double tCa_med = 0.0, tCp_med = 0.0, tCl_med = 0.0;
  double tCa_low = 0.0, tCp_low = 0.0, tCl_low = 0.0;
  double tCa_R = 0.0, tCp_R = 0.0, tCl_R = 0.0;  // Rabbitt's empirical estimation, mm
};

// The twelve inputs of a side in the order a pass reads them: the three
// volume meshes, then the sections of each cupula (utricle side, duct side,
// centre). The order decides the order of the messages.
struct Cupula_Input {
  std::string_view suffix;
  bool volume;  // a closed volume mesh; otherwise an open section mesh
  double Cupula_Measures::*quantity;
};

constexpr Cupula_Input kInputs[12] = {
    {"_Ant_Cup", true, &Cupula_Measures::volume_Ant_Cup},
    {"_Post_Cup", true, &Cupula_Measures::volume_Post_Cup},
    {"_Lat_Cup", true, &Cupula_Measures::volume_Lat_Cup},
    {"_Ant_Cup_Ut", false, &Cupula_Measures::surface_Ant_Cup_Ut},
    {"_Ant_Cup_Duct", false, &Cupula_Measures::surface_Ant_Cup_Duct},
    {"_Ant_Cup_Mid", false, &Cupula_Measures::surface_Ant_Cup_Mid},
    {"_Post_Cup_Ut", false, &Cupula_Measures::surface_Post_Cup_Ut},
    {"_Post_Cup_Duct", false, &Cupula_Measures::surface_Post_Cup_Duct},
    {"_Post_Cup_Mid", false, &Cupula_Measures::surface_Post_Cup_Mid},
    {"_Lat_Cup_Ut", false, &Cupula_Measures::surface_Lat_Cup_Ut},
    {"_Lat_Cup_Duct", false, &Cupula_Measures::surface_Lat_Cup_Duct},
    {"_Lat_Cup_Mid", false, &Cupula_Measures::surface_Lat_Cup_Mid},
};

constexpr int kInputCount = 12;

// Section-mesh paths: Data/<species>/ScanRef/Surfaces/<rs_|ls_><species><suffix>.stl
std::string Right_Surface_STL_File_Path(std::string_view species, std::string_view suffix);
std::string Left_Surface_STL_File_Path(std::string_view species, std::string_view suffix);
// Volume-mesh paths: Data/<species>/ScanRef/Volumes/<rv_|lv_><species><suffix>.stl
std::string Right_Volume_STL_File_Path(std::string_view species, std::string_view suffix);
std::string Left_Volume_STL_File_Path(std::string_view species, std::string_view suffix);
// Reports: Data/<species>/<species>_<R|L>_Raw.cupula
std::string Right_Cupula_Results_Path(std::string_view species);
std::string Left_Cupula_Results_Path(std::string_view species);

// Every path Tessafen builds for a species: the meshes it reads, its
// reports and its error logs.
std::vector<std::string> Tessafen_Paths(std::string_view species);

// The longest species name whose paths all fit (the posterior duct-side
// section mesh is the longest: 44 + 2n characters).
std::size_t Tessafen_Max_Name();

// Average areas, thicknesses, cilia values and estimations, from the volumes
// and areas, whatever inputs failed.
void Cupula_Derived(Cupula_Measures& m);

// The 29 lines of the raw cupula report.
std::string Cupula_Report_Text(const Cupula_Measures& m);

// One side pass: its error-log cycle, the twelve meshes, the derived values
// and the report. Returns the side's failure count.
int Cupula_Side_Pass(std::ostream& out, const std::filesystem::path& work_dir, std::string_view species,
                     double unit, Side side, Cupula_Measures& m);

}  // namespace scds::tessafen
