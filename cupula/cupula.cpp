#include "cupula.h"

#include "error_log.h"
#include "mesh_measures.h"
#include "mesh_outcome.h"
#include "number_format.h"
#include "output_file.h"
#include "paths.h"

namespace scds::tessafen {

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

namespace {

std::string Input_Path(std::string_view species, Side side, const Cupula_Input& input) {
  if (input.volume) {
    return side == Side::Right ? Right_Volume_STL_File_Path(species, input.suffix)
                               : Left_Volume_STL_File_Path(species, input.suffix);
  }
  return side == Side::Right ? Right_Surface_STL_File_Path(species, input.suffix)
                             : Left_Surface_STL_File_Path(species, input.suffix);
}

}  // namespace

std::vector<std::string> Tessafen_Paths(std::string_view species) {
  std::vector<std::string> paths;
  for (Side side : {Side::Right, Side::Left}) {
    for (const Cupula_Input& input : kInputs) paths.push_back(Input_Path(species, side, input));
  }
  paths.push_back(Right_Cupula_Results_Path(species));
  paths.push_back(Left_Cupula_Results_Path(species));
  paths.push_back(Error_Log_File_Path(species));
  paths.push_back(Error_Log_Temp_File_Path_R(species));
  paths.push_back(Error_Log_Temp_File_Path_L(species));
  return paths;
}

std::size_t Tessafen_Max_Name() { return Max_Name_Of_Paths(Tessafen_Paths("a"), Tessafen_Paths("aa")); }

int Cupula_Side_Pass(std::ostream& out, const std::filesystem::path& work_dir, std::string_view species,
                     double unit, Side side, Cupula_Measures& m) {
  Error_Log log;
  Error_Log_Open(log, out, work_dir, species,
                 side == Side::Right ? Error_Log_Temp_File_Path_R(species) : Error_Log_Temp_File_Path_L(species),
                 Program::Tessafen);
  int error_count = 0;

  for (const Cupula_Input& input : kInputs) {
    const std::string path = Input_Path(species, side, input);
    const Mesh_Sum_Result r = input.volume ? Mesh_Volume(work_dir / path, unit) : Mesh_Area(work_dir / path, unit);
    if (!Say_Mesh_Outcome(r.opened, path, kVerifyBothNames, log, out)) {
      ++error_count;
      continue;
    }
    m.*input.quantity = r.value;
  }

  Cupula_Derived(m);

  // The report, then its echo on the console. A side whose twelve inputs all
  // failed keeps no report: its report of zeros never takes a place, so
  // that whatever ends the run meanwhile leaves the earlier report or none.
  // A report that cannot be written is reported and counted in the side's
  // counter.
  const bool all_failed = error_count == kInputCount;
  const std::string report_path =
      side == Side::Right ? Right_Cupula_Results_Path(species) : Left_Cupula_Results_Path(species);
  const std::string text = Cupula_Report_Text(m);
  Output_File report;
  bool report_written = Output_Begin(report, work_dir, report_path, log, out);
  Output_Write(report, text);
  out << '\n' << text;
  if (!(all_failed ? Output_Abandon(report, log, out) : Output_End(report, log, out))) report_written = false;
  if (!report_written) ++error_count;
  // (A folder at the report's place is no report and stays.)
  if (all_failed && Output_Remove_Earlier(work_dir, report_path, log, out)) ++error_count;

  Error_Log_Merge(log, out);
  return error_count;
}

}  // namespace scds::tessafen
