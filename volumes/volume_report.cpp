#include "volume_report.h"

#include "number_format.h"
#include "output_file.h"
#include "paths.h"

namespace scds::brindleck {

std::string Right_Volume_Results_Path(std::string_view species) {
  std::string file(species);
  file += "_R_Raw.volume";
  return Join_Path(Species_Folder(species), file);
}

std::string Left_Volume_Results_Path(std::string_view species) {
  std::string file(species);
  file += "_L_Raw.volume";
  return Join_Path(Species_Folder(species), file);
}

std::string Raw_Volume_Report_Text(const Side_Volumes& v) {
  std::string text = "ENDOLYMPH VOLUMES\n";
  text += "\n";
  text += Volume_Line("Anterior slender duct: ", v.volume_Sa);
  text += Volume_Line("Posterior slender duct: ", v.volume_Sp);
  text += Volume_Line("Lateral slender duct: ", v.volume_Sl);
  text += "\n";
  text += Volume_Line("Common crus: ", v.volume_CC);
  text += Volume_Line("Simple crus: ", v.volume_SC);
  text += "\n";
  text += Volume_Line("Anterior utricle: ", v.volume_UCa);
  text += Volume_Line("Posterior utricle: ", v.volume_UCp);
  text += "\n";
  text += Volume_Line("Anterior ampulla: ", v.volume_Aa);
  text += Volume_Line("Posterior ampulla: ", v.volume_Ap);
  text += Volume_Line("Lateral ampulla: ", v.volume_Al);
  text += "\n";
  text += Volume_Line("Anterior duct: ", v.volume_A);
  text += Volume_Line("Posterior duct: ", v.volume_P);
  text += Volume_Line("Lateral duct: ", v.volume_L);
  text += "\n";
  text += Volume_Line("Total SCDS volume: ", v.volume_Total);
  text += Volume_Line("Smoothed SCDS volume: ", v.volume_SCDS);
  text += Volume_Line("Segmented SCDS volume: ", v.volume_Control);
  text += "\n";
  Append_Row(text, "Smoothing effect: ", v.S_effect, " %\n");
  Append_Row(text, "Division error: ", v.D_effect, " %\n");
  return text;
}

void Raw_Volume_Report_Write(const std::filesystem::path& work_dir, std::string_view species, Side side,
                             const Side_Volumes& v, Error_Log& log, std::ostream& out) {
  const std::string path = side == Side::Right ? Right_Volume_Results_Path(species) : Left_Volume_Results_Path(species);
  if (v.error_count != kSegmentCount) {
    Output_Write_Whole(work_dir, path, Raw_Volume_Report_Text(v), log, out);
    return;
  }
  // No segment of the side was read: no report of that side remains, not
  // even one left by an earlier run. (A folder of that name is not a report
  // and stays.) The report of zeros is made as any other, so that a
  // failure to write it is said the same way, but never takes a place:
  // whatever ends the run meanwhile leaves the earlier report or none.
  // Brindleck counts neither failure.
  Output_File report;
  if (Output_Begin(report, work_dir, path, log, out)) {
    Output_Write(report, Raw_Volume_Report_Text(v));
    Output_Abandon(report, log, out);
  }
  Output_Remove_Earlier(work_dir, path, log, out);
}

}  // namespace scds::brindleck
