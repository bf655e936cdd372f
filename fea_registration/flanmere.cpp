#include "flanmere.h"

#include <algorithm>
#include <optional>

#include "banner.h"
#include "error_log.h"
#include "folder_lock.h"
#include "paths.h"

namespace scds::flanmere {
namespace {

// The file list names a duct's meshes in the order cupula, short, medium,
// long cilia.
constexpr int kListedCases[4] = {0, 3, 2, 1};

void Add_Line(std::string& text, std::string_view line) {
  text += line;
  text += '\n';
}

void Add_File_Names(std::string& text, std::string_view prefix, std::string_view ending) {
  for (int duct = 0; duct < 3; ++duct) {
    for (int k = 0; k < 4; ++k) {
      std::string name(prefix);
      name += "SPECIESNAME";
      name += kCaseSuffixes[duct][kListedCases[k]];
      name += ending;
      if (duct == 2 && k == 3) name += '\n';
      Add_Line(text, name);
    }
  }
}

void Add_File_Group(std::string& text, std::string_view ending) {
  Add_Line(text, "IN FOLDER: Data/SPECIESNAME/FEA/\n");
  Add_File_Names(text, "rfea_", ending);
  Add_Line(text, "and/or\n");
  Add_File_Names(text, "lfea_", ending);
}

}  // namespace

std::string Flanmere_Banner() {
  std::string text;
  Add_Line(text, "\n\n##########################################################");
  Add_Line(text, "#                                                        #");
  Add_Line(text, "#    Registration of STL in 2D FEA Frame of Reference    #");
  Add_Line(text, "#                                                        #");
  Add_Line(text, "#                      Version 1.0                       #");
  Add_Line(text, "#                                                        #");
  Add_Line(text, "##########################################################");
  Add_Line(text, "");
  Add_Line(text, kCreditLine);
  Add_Line(text, "Only works with STL files saved in ASCII format.\nPlease verify compatibility.\n");
  Add_Line(text, "INPUT FILES:\n");
  Add_File_Group(text, ".stl");
  Add_Line(text, "OUTPUT FILES:\n");
  Add_File_Group(text, "_2D.stl");
  Add_Line(text, kContactNote);
  return text;
}

std::vector<std::string> Flanmere_Paths(std::string_view species) {
  std::vector<std::string> paths;
  for (Side side : {Side::Right, Side::Left}) {
    for (const auto& duct : kCaseSuffixes) {
      for (std::string_view suffix : duct) {
        paths.push_back(Input_Surface_STL_File_Path(side, species, suffix));
        paths.push_back(Output_FEA_STL_File_Path(side, species, suffix));
      }
    }
  }
  paths.push_back(Error_Log_File_Path(species));
  paths.push_back(Error_Log_Temp_File_Path_R(species));
  paths.push_back(Error_Log_Temp_File_Path_L(species));
  return paths;
}

std::size_t Flanmere_Max_Name() { return Max_Name_Of_Paths(Flanmere_Paths("a"), Flanmere_Paths("aa")); }

Dialogue_Texts Flanmere_Texts() {
  Dialogue_Texts texts;
  texts.name_prompt = "\nPlease enter the exact species name your FEA files use\n";
  texts.yes_no_reprompt = "\nPlease only answer yes (1) or no (2)\n";
  texts.side_heading = "\nYou have FEA files for:\n";
  texts.side_items[0] = "1. the right semicircular duct system";
  texts.side_items[1] = "2. the left semicircular duct system";
  texts.side_items[2] = "3. both semicircular duct systems\n";
  texts.side_reprompt = "\nPlease only answer right (1), left (2) or both (3)\n";
  texts.max_name = Flanmere_Max_Name();
  return texts;
}

void Flat_Side_Pass(Side side, std::string_view species, Duct_State& duct, std::int64_t& error_count,
                    std::ostream& out, const std::filesystem::path& work_dir) {
  // Both sides use the one temporary name.
  Error_Log log;
  Error_Log_Open(log, out, work_dir, species, Error_Log_Temp_File_Path_R(species), Program::Flanmere);
  Block_Report report{error_count, log, out};
  for (int duct_index = 0; duct_index < 3; ++duct_index) {
    Flat_Duct(side, species, duct_index, duct, report, work_dir);
    if (duct_index < 2) Duct_Reset(duct);
  }
  Error_Log_Merge(log, out);
}

int Run_Flanmere(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir) {
  Duct_State duct;
  std::int64_t error_count_R = 0;
  std::int64_t error_count_L = 0;

  out << Flanmere_Banner();
  const Dialogue_Texts texts = Flanmere_Texts();
  const std::optional<std::string> species = Species_Name(in, out, texts);
  if (!species) return 1;
  Species_Lock lock;
  if (!Hold_Species(lock, work_dir, *species, out)) return Species_Held_Elsewhere(in, out);
  const std::optional<int> side = Menu(in, out, texts);
  if (!side) return 1;

  if (*side == 1 || *side == 3) Flat_Side_Pass(Side::Right, *species, duct, error_count_R, out, work_dir);
  if (*side == 3) Duct_Reset(duct);
  if (*side == 2 || *side == 3) Flat_Side_Pass(Side::Left, *species, duct, error_count_L, out, work_dir);

  Exit(in, out);
  return 0;
}

}  // namespace scds::flanmere
