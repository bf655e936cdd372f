#include "cupula.h"

#include "banner.h"
#include "dialogue.h"
#include "error_log.h"
#include "mesh_volume.h"
#include "number_format.h"
#include "output_file.h"
#include "paths.h"
#include "species_lock.h"

namespace scds {

Mesh_Area_Result Mesh_Area(const std::filesystem::path& file, double unit, STL_Facet& held) {
  const Mesh_Sum_Result s = Mesh_Facet_Sum(file, Facet_Term::Area, held);
  Mesh_Area_Result result;
  result.opened = s.opened;
  result.irregular = s.irregular;
  if (s.opened == STL_Open_Result::Opened) result.area = s.sum / (unit * unit);
  return result;
}

namespace {

std::string Surface_Mesh_Path(std::string_view prefix, std::string_view species, std::string_view suffix) {
  std::string file(prefix);
  file += species;
  file += suffix;
  file += ".stl";
  return Join_Path(Species_Folder(species, "/ScanRef/Surfaces"), file);
}

std::string Cupula_Results_Path(std::string_view species, std::string_view ending) {
  std::string file(species);
  file += ending;
  return Join_Path(Species_Folder(species), file);
}

}  // namespace

std::string Right_Surface_STL_File_Path(std::string_view species, std::string_view suffix) {
  return Surface_Mesh_Path("rs_", species, suffix);
}

std::string Left_Surface_STL_File_Path(std::string_view species, std::string_view suffix) {
  return Surface_Mesh_Path("ls_", species, suffix);
}

std::string Right_Volume_STL_File_Path(std::string_view species, std::string_view suffix) {
  return Right_STL_File_Path(species, suffix);
}

std::string Left_Volume_STL_File_Path(std::string_view species, std::string_view suffix) {
  return Left_STL_File_Path(species, suffix);
}

std::string Right_Cupula_Results_Path(std::string_view species) {
  return Cupula_Results_Path(species, "_R_Raw.cupula");
}

std::string Left_Cupula_Results_Path(std::string_view species) {
  return Cupula_Results_Path(species, "_L_Raw.cupula");
}

std::size_t Tessafen_Max_Name() {
  return Max_Name_Length(Right_Surface_STL_File_Path("a", "_Post_Cup_Duct").size(),
                         Right_Surface_STL_File_Path("aa", "_Post_Cup_Duct").size());
}

void Cupula_Derived(Cupula_Measures& m) {
  m.aCa = ((m.surface_Ant_Cup_Ut + m.surface_Ant_Cup_Mid) / 2.0 +
           (m.surface_Ant_Cup_Duct + m.surface_Ant_Cup_Mid) / 2.0) /
          2.0;
  m.aCp = ((m.surface_Post_Cup_Ut + m.surface_Post_Cup_Mid) / 2.0 +
           (m.surface_Post_Cup_Duct + m.surface_Post_Cup_Mid) / 2.0) /
          2.0;
  m.aCl = ((m.surface_Lat_Cup_Ut + m.surface_Lat_Cup_Mid) / 2.0 +
           (m.surface_Lat_Cup_Duct + m.surface_Lat_Cup_Mid) / 2.0) /
          2.0;

  m.tCa = m.volume_Ant_Cup / m.aCa;
  m.tCp = m.volume_Post_Cup / m.aCp;
  m.tCl = m.volume_Lat_Cup / m.aCl;

  m.tCa_high = m.tCa + kOffset_high;
  m.tCp_high = m.tCp + kOffset_high;
  m.tCl_high = m.tCl + kOffset_high;

  m.tCa_med = m.tCa + kOffset_med;
  m.tCp_med = m.tCp + kOffset_med;
  m.tCl_med = m.tCl + kOffset_med;

  m.tCa_low = m.tCa + kOffset_low;
  m.tCp_low = m.tCp + kOffset_low;
  m.tCl_low = m.tCl + kOffset_low;

  m.tCa_R = 0.7 * std::sqrt(m.aCa / PI);
  m.tCp_R = 0.7 * std::sqrt(m.aCp / PI);
  m.tCl_R = 0.7 * std::sqrt(m.aCl / PI);
}

std::string Cupula_Report_Text(const Cupula_Measures& m) {
  std::string text;
  text += "CUPULA MORPHOMETRY\n";
  text += "\n";
  text += "CUPULA CROSS-SECTIONAL AREAS\n";
  text += "\n";
  Append_Row(text, "Anterior cupula (average): ", m.aCa, " mm^2\n");
  Append_Row(text, "Posterior cupula (average): ", m.aCp, " mm^2\n");
  Append_Row(text, "Lateral cupula (average): ", m.aCl, " mm^2\n");
  text += "\n";
  Append_Row(text, "Anterior cupula (central section): ", m.surface_Ant_Cup_Mid, " mm^2\n");
  Append_Row(text, "Posterior cupula (central section): ", m.surface_Post_Cup_Mid, " mm^2\n");
  Append_Row(text, "Lateral cupula (central section): ", m.surface_Lat_Cup_Mid, " mm^2\n");
  text += "\n";
  text += "CUPULA THICKNESS\n";
  text += "\n";
  Append_Row(text, "Anterior cupula (long cilia): ", m.tCa_high, " mm\n");
  Append_Row(text, "Anterior cupula (medium cilia): ", m.tCa_med, " mm\n");
  Append_Row(text, "Anterior cupula (short cilia): ", m.tCa_low, " mm\n");
  text += "\n";
  Append_Row(text, "Posterior cupula (long cilia): ", m.tCp_high, " mm\n");
  Append_Row(text, "Posterior cupula (medium cilia): ", m.tCp_med, " mm\n");
  Append_Row(text, "Posterior cupula (short cilia): ", m.tCp_low, " mm\n");
  text += "\n";
  Append_Row(text, "Lateral cupula (long cilia): ", m.tCl_high, " mm\n");
  Append_Row(text, "Lateral cupula (medium cilia): ", m.tCl_med, " mm\n");
  Append_Row(text, "Lateral cupula (short cilia): ", m.tCl_low, " mm\n");
  text += "\n";
  Append_Row(text, "Anterior cupula (Rabbitt's empirical estimation): ", m.tCa_R, " mm\n");
  Append_Row(text, "Posterior cupula (Rabbitt's empirical estimation): ", m.tCp_R, " mm\n");
  Append_Row(text, "Lateral cupula (Rabbitt's empirical estimation): ", m.tCl_R, " mm\n");
  return text;
}

std::string Cannot_Read_Mesh_Message(std::string_view path) {
  std::string text = "\nImpossible to read ";
  text += path;
  text += "\nVerify both species name and STL file name.\n";
  return text;
}

namespace {

// The twelve inputs of a side in the order a pass reads them: the three
// volume meshes, then the sections of each cupula (utricle side, duct side,
// centre). The order decides the order of the messages and which facet
// values a read that does not match keeps.
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

std::string Input_Path(std::string_view species, Side side, const Cupula_Input& input) {
  if (input.volume) {
    return side == Side::Right ? Right_Volume_STL_File_Path(species, input.suffix)
                               : Left_Volume_STL_File_Path(species, input.suffix);
  }
  return side == Side::Right ? Right_Surface_STL_File_Path(species, input.suffix)
                             : Left_Surface_STL_File_Path(species, input.suffix);
}

}  // namespace

int Cupula_Side_Pass(std::ostream& out, const std::filesystem::path& work_dir, std::string_view species,
                     double unit, Side side, Cupula_Measures& m) {
  Error_Log log;
  Error_Log_Open(log, out, work_dir, species,
                 side == Side::Right ? Error_Log_Temp_File_Path_R(species) : Error_Log_Temp_File_Path_L(species),
                 "Tessafen Errors:\n");
  int error_count = 0;

  // The facet every read of the pass fills: a coordinate a read does not set
  // keeps the value of the facet read before it, in this mesh or an earlier
  // one of the side.
  STL_Facet facet;
  for (const Cupula_Input& input : kInputs) {
    const std::string path = Input_Path(species, side, input);
    STL_Open_Result opened;
    bool irregular;
    double value;
    if (input.volume) {
      const Mesh_Volume_Result r = Mesh_Volume(work_dir / path, unit, facet);
      opened = r.opened;
      irregular = r.irregular;
      value = r.volume;
    } else {
      const Mesh_Area_Result r = Mesh_Area(work_dir / path, unit, facet);
      opened = r.opened;
      irregular = r.irregular;
      value = r.area;
    }
    if (opened == STL_Open_Result::Missing) {
      Error_Log_Report(log, out, Cannot_Read_Mesh_Message(path));
      ++error_count;
      continue;
    }
    if (opened == STL_Open_Result::Binary) {
      Error_Log_Report(log, out, Binary_STL_Message(path));
      ++error_count;
      continue;
    }
    m.*input.quantity = value;
    if (irregular) Error_Log_Report(log, out, Irregular_STL_Message(path));
  }

  Cupula_Derived(m);

  // The report, then its echo on the console. A side whose twelve inputs all
  // failed keeps no report; a report that cannot be written is reported and
  // counted in the side's counter.
  const bool all_failed = error_count == kInputCount;
  const std::string report_path =
      side == Side::Right ? Right_Cupula_Results_Path(species) : Left_Cupula_Results_Path(species);
  const std::string text = Cupula_Report_Text(m);
  Output_File report;
  bool report_written = Output_Begin(report, work_dir, report_path, log, out);
  Output_Write(report, text);
  out << '\n' << text;
  if (!Output_End(report, log, out)) report_written = false;
  if (!report_written) ++error_count;
  // (A folder at the report's place is no report and stays.)
  if (all_failed && Output_Remove_Earlier(work_dir, report_path, log, out)) ++error_count;

  Error_Log_Merge(log, out, true);
  return error_count;
}

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

}  // namespace scds
