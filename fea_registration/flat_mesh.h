// The flat meshes of one duct: each of its four meshes in FEA/ (the cupula
// and the long, medium and short cilia regions) written again beside its
// input as "<name>_2D.stl", every vertex carried into the duct's cupula
// frame with its third coordinate zero and every facet with the normal
// (0, 0, 1).
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "cupula_frame.h"
#include "error_log.h"
#include "side.h"

namespace scds::flanmere {

// Data/<species>/FEA/rfea_<species><suffix>.stl (and lfea_).
std::string Input_Right_Surface_STL_File_Path(std::string_view species, std::string_view suffix);
std::string Input_Left_Surface_STL_File_Path(std::string_view species, std::string_view suffix);
// Data/<species>/FEA/rfea_<species><suffix>_2D.stl (and lfea_).
std::string Output_Right_FEA_STL_File_Path(std::string_view species, std::string_view suffix);
std::string Output_Left_FEA_STL_File_Path(std::string_view species, std::string_view suffix);

std::string Input_Surface_STL_File_Path(Side side, std::string_view species, std::string_view suffix);
std::string Output_FEA_STL_File_Path(Side side, std::string_view species, std::string_view suffix);

// The fixed texts of a flat facet.
constexpr std::string_view kFlatNormalLine = "\tfacet normal 0.000 0.000 1.000\n";

// Appends one line group of a flat facet: read 0 the normal line, 1 to 3
// the vertex (x', y') as in "\touter loop\n\t\tvertex %f %f 0.000\n",
// "\t\tvertex %f %f 0.000\n" and "\t\tvertex %f %f 0.000\n\tendloop\nendfacet\n".
void Append_Flat_Vector(std::string& text, int read, double x0, double y0);

// "\nImpossible to flatten %s\nIts cupula gave no frame to flatten it in.\n"
std::string No_Frame_Message(std::string_view path);
// "\nImpossible to use %s\nIts first facet is degenerate; no frame can be built from it.\n"
std::string Degenerate_Facet_Message(std::string_view path);

// What a duct's blocks share: its frame (and whether its cupula gave one),
// the point just read and its flat image, the facet count and the facets
// done.
struct Duct_State {
  Cupula_Frame frame;
  bool framed = false;
  double x = 0.0, y = 0.0, z = 0.0;
  double x0 = 0.0, y0 = 0.0, z0 = 0.0;
  std::int64_t i = 0;
  std::int64_t j = 0;
};

// After every block: the point, its image and the counters to zero.
void Block_Reset(Duct_State& duct);
// Between ducts (and between the sides): the block reset plus the frame's
// matrix and axes; the next duct has no frame until its cupula gives one.
void Duct_Reset(Duct_State& duct);

// What a block reports into: the side's failure counter and temporary log.
struct Block_Report {
  std::int64_t& error_count;
  Error_Log& log;
  std::ostream& out;
};

enum class Block_Kind { Cupula, Cilia };

// One block: opens the input, creates the output beside it, and writes the
// flat mesh. The cupula block also builds the duct's frame (also when its
// output cannot be written); a cilia block flattens with that frame. Every
// failure is reported and counted in the side's counter. A cupula that
// cannot be read (missing, binary, not regular ASCII STL text, found so
// once read) or whose first facet gives no frame leaves its duct
// without a frame and no flat mesh of its name; the duct's cilia meshes are
// then not read, each reported, and no flat mesh of their names remains
// either. A cilia mesh that cannot be read leaves no flat mesh of its name;
// an output that cannot be written leaves an earlier flat mesh of that name
// as it was.
void Flat_Mesh_Block(Block_Kind kind, Side side, std::string_view species, std::string_view suffix,
                     Duct_State& duct, Block_Report& report, const std::filesystem::path& work_dir);

// The case suffixes of the three ducts (anterior, posterior, lateral), in
// the order of a duct's blocks: cupula, long, medium and short cilia.
constexpr std::string_view kCaseSuffixes[3][4] = {
    {"_Ant_Cup", "_Ant_Cilia_Long", "_Ant_Cilia_Medium", "_Ant_Cilia_Short"},
    {"_Post_Cup", "_Post_Cilia_Long", "_Post_Cilia_Medium", "_Post_Cilia_Short"},
    {"_Lat_Cup", "_Lat_Cilia_Long", "_Lat_Cilia_Medium", "_Lat_Cilia_Short"},
};

// The four blocks of one duct (0 anterior, 1 posterior, 2 lateral).
void Flat_Duct(Side side, std::string_view species, int duct_index, Duct_State& duct, Block_Report& report,
               const std::filesystem::path& work_dir);

}  // namespace scds::flanmere
