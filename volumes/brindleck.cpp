#include "brindleck.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "banner.h"
#include "dialogue.h"
#include "error_log.h"
#include "folder_lock.h"
#include "paths.h"
#include "segment_volumes.h"
#include "volume_report.h"

namespace scds::brindleck {
namespace {

void Write_Banner(std::ostream& out) {
  Write_Line(out, "\n\n#####################################################");
  Write_Line(out, "#                                                   #");
  Write_Line(out, "#              Computation of Volumes               #");
  Write_Line(out, "#                                                   #");
  Write_Line(out, "#                   Version 1.0                     #");
  Write_Line(out, "#                                                   #");
  Write_Line(out, "#####################################################");
  Write_Line(out, "");
  Write_Line(out, kCreditLine);
  Write_Line(out, "Only works with STL files saved in ASCII format.\nPlease verify compatibility.\n");
  Write_Line(out, "INPUT FILES:\n");
  Write_Line(out, "IN FOLDER: Data/SPECIESNAME/ScanRef/Volumes/\n");
  for (std::string_view prefix : {"rv_", "lv_"}) {
    for (std::string_view code : kSegmentsListed) {
      Write_Line(out, std::string(prefix) + "SPECIESNAME" + std::string(code) + ".stl");
    }
    Write_Line(out, std::string(prefix) + "SPECIESNAME_Control.stl\n");
    if (prefix == "rv_") Write_Line(out, "and/or\n");
  }
  Write_Line(out, "IN FOLDER: Data/SPECIESNAME/ScanRef/Other/\n");
  Write_Line(out, "r_SPECIESNAME_SCDS.stl\n");
  Write_Line(out, "and/or\n");
  Write_Line(out, "l_SPECIESNAME_SCDS.stl\n");
  Write_Line(out, "OUTPUT FILES:\n");
  Write_Line(out, "IN FOLDER: Data/SPECIESNAME/\n");
  Write_Line(out, "SPECIESNAME_R_Raw.volume\n");
  Write_Line(out, "and/or\n");
  Write_Line(out, "SPECIESNAME_L_Raw.volume\n");
  Write_Line(out, kContactNote);
}

// One side: its own temporary error log around the measurements and the
// report. Brindleck ends its log block without an empty line.
void Side_Pass(std::ostream& out, const std::filesystem::path& work_dir, const std::string& species, Side side,
               double unit) {
  Error_Log log;
  Error_Log_Open(log, out, work_dir, species,
                 side == Side::Right ? Error_Log_Temp_File_Path_R(species) : Error_Log_Temp_File_Path_L(species),
                 Program::Brindleck);
  const Side_Volumes v = Segment_Volumes(work_dir, species, side, unit, log, out);
  Raw_Volume_Report_Write(work_dir, species, side, v, log, out);
  Error_Log_Merge(log, out);
}

}  // namespace

std::vector<std::string> Brindleck_Paths(std::string_view species) {
  std::vector<std::string> paths;
  for (Side side : {Side::Right, Side::Left}) {
    for (std::string_view code : kSegmentsListed) paths.push_back(Side_STL_File_Path(side, species, code));
    paths.push_back(Side_STL_File_Path(side, species, "_Control"));
    paths.push_back(Side_SCDS_STL_File_Path(side, species));
  }
  paths.push_back(Right_Volume_Results_Path(species));
  paths.push_back(Left_Volume_Results_Path(species));
  paths.push_back(Error_Log_File_Path(species));
  paths.push_back(Error_Log_Temp_File_Path_R(species));
  paths.push_back(Error_Log_Temp_File_Path_L(species));
  return paths;
}

std::size_t Brindleck_Max_Name() { return Max_Name_Of_Paths(Brindleck_Paths("a"), Brindleck_Paths("aa")); }

int Run_Brindleck(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir) {
  Dialogue_Texts texts;
  texts.name_prompt = "\nPlease enter the exact species name your STL files use:\n";
  texts.yes_no_reprompt = "\nPlease only answer yes (1) or no (2):\n";
  texts.unit_heading = "\nYour STL files are defined in:\n";
  texts.side_heading = "\nYou have STL files for:\n";
  texts.side_items[0] = "1. the right semicircular duct system";
  texts.side_items[1] = "2. the left semicircular duct system";
  texts.side_items[2] = "3. both semicircular duct systems\n";
  texts.side_reprompt = "\nPlease only answer right (1), left (2) or both (3):\n";
  texts.max_name = Brindleck_Max_Name();

  Write_Banner(out);
  const std::optional<std::string> species = Species_Name(in, out, texts);
  if (!species) return 1;
  Species_Lock lock;
  if (!Hold_Species(lock, work_dir, *species, out)) return Species_Held_Elsewhere(in, out);
  const std::optional<int> unit_choice = Unit(in, out, texts);
  if (!unit_choice) return 1;
  const std::optional<int> side = Menu(in, out, texts);
  if (!side) return 1;
  const double unit = Unit_Factor(*unit_choice);

  if (*side == 1 || *side == 3) Side_Pass(out, work_dir, *species, Side::Right, unit);
  if (*side == 2 || *side == 3) Side_Pass(out, work_dir, *species, Side::Left, unit);

  Exit(in, out);
  return 0;
}

}  // namespace scds::brindleck
