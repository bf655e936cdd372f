#include "tessafen.h"

#include <optional>
#include <string>
#include <string_view>

#include "banner.h"
#include "cupula.h"
#include "dialogue.h"
#include "folder_lock.h"

namespace scds::tessafen {

namespace {

void Write_Banner(std::ostream& out) {
  Write_Line(out, "\n\n#################################################");
  Write_Line(out, "#                                               #");
  Write_Line(out, "#        Morphometric Analysis of Cupula        #");
  Write_Line(out, "#                                               #");
  Write_Line(out, "#                Version 1.0                    #");
  Write_Line(out, "#                                               #");
  Write_Line(out, "#################################################");
  Write_Line(out, "");
  Write_Line(out, kCreditLine);
  Write_Line(out, "Only works with STL files saved in ASCII format.\nPlease verify compatibility.\n");
  Write_Line(out, "INPUT FILES:\n");
  Write_Line(out, "IN FOLDER: Data/SPECIESNAME/ScanRef/Volumes/\n");
  for (std::string_view prefix : {"rv_", "lv_"}) {
    for (int k = 0; k < 3; ++k) {
      std::string name(prefix);
      name += "SPECIESNAME";
      name += kInputs[k].suffix;
      name += k == 2 ? ".stl\n" : ".stl";
      Write_Line(out, name);
    }
    if (prefix == std::string_view("rv_")) Write_Line(out, "and/or\n");
  }
  Write_Line(out, "IN FOLDER: Data/SPECIESNAME/ScanRef/Surfaces/\n");
  for (std::string_view prefix : {"rs_", "ls_"}) {
    for (int k = 3; k < kInputCount; ++k) {
      std::string name(prefix);
      name += "SPECIESNAME";
      name += kInputs[k].suffix;
      name += k == kInputCount - 1 ? ".stl\n" : ".stl";
      Write_Line(out, name);
    }
    if (prefix == std::string_view("rs_")) Write_Line(out, "and/or\n");
  }
  Write_Line(out, "OUTPUT FILES:\n");
  Write_Line(out, "IN FOLDER: Data/SPECIESNAME/\n");
  Write_Line(out, "SPECIESNAME_R_Raw.cupula\n");
  Write_Line(out, "and/or\n");
  Write_Line(out, "SPECIESNAME_L_Raw.cupula\n");
  // The contact note ends with its own line end; no empty line follows it.
  out << kContactNote;
}

}  // namespace

int Run_Tessafen(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir) {
  Dialogue_Texts texts;
  texts.name_prompt = "\nPlease enter the exact species name your STL files use:\n";
  texts.yes_no_reprompt = "\nPlease only answer yes (1) or no (2):\n";
  texts.side_heading = "\nYou have STL files for:\n";
  texts.side_items[0] = "1. the right cupulae";
  texts.side_items[1] = "2. the left cupulae";
  texts.side_items[2] = "3. all cupulae\n";
  texts.side_reprompt = "\nPlease only answer right (1), left (2) or both (3):\n";
  texts.unit_heading = "\nYour STLs are defined in:\n";
  texts.max_name = Tessafen_Max_Name();

  Write_Banner(out);

  // The whole dialogue ends before any file is touched, so an end of input
  // here leaves nothing behind.
  const std::optional<std::string> species = Species_Name(in, out, texts);
  if (!species) return 1;
  Species_Lock lock;
  if (!Hold_Species(lock, work_dir, *species, out)) return Species_Held_Elsewhere(in, out);
  const std::optional<int> unit_choice = Unit(in, out, texts);
  if (!unit_choice) return 1;
  const double unit = Unit_Factor(*unit_choice);
  const std::optional<int> side = Menu(in, out, texts);
  if (!side) return 1;

  // Each pass starts from zero: the left pass of a run on both sides is the
  // pass of a left-only run.
  if (*side == 1 || *side == 3) {
    Cupula_Measures right;
    Cupula_Side_Pass(out, work_dir, *species, unit, Side::Right, right);
  }
  if (*side == 2 || *side == 3) {
    Cupula_Measures left;
    Cupula_Side_Pass(out, work_dir, *species, unit, Side::Left, left);
  }

  Exit(in, out);
  return 0;
}

}  // namespace scds::tessafen
