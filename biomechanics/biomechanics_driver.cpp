#include "biomechanics_driver.h"

#include <optional>
#include <string>
#include <string_view>

#include "banner.h"
#include "biomecha_reports.h"
#include "biomechanics_paths.h"
#include "calibration.h"
#include "coupled_model.h"
#include "error_log.h"
#include "fea_inputs.h"
#include "line_sets.h"
#include "morphometry.h"
#include "paths.h"
#include "response_planes.h"
#include "uncoupled_model.h"

namespace scds::ostravel {

Dialogue_Texts Ostravel_Texts() {
  Dialogue_Texts texts;
  texts.name_prompt = "\nPlease enter the exact species name your files use:\n";
  texts.yes_no_reprompt = "\nPlease only answer yes (1) or no (2):\n";
  texts.max_name = Max_Species_Name();
  return texts;
}

void Write_Banner(std::ostream& out) {
  static constexpr std::string_view lines[] = {
      "\n\n###################################################",
      "#                                                 #",
      "#     Computation of Biomechanical Parameters     #",
      "#                                                 #",
      "#                  Version 1.1                    #",
      "#                                                 #",
      "###################################################",
      "",
      kCreditLine,
      "INPUT FILES:\n",
      "IN FOLDER: Data/SPECIESNAME/\n",
      "SPECIESNAME_Cor.morph",
      "SPECIESNAME_MinusCor.morph",
      "SPECIESNAME_PlusCor.morph\n",
      "IN FOLDER: Data/SPECIESNAME/FEA/\n",
      "rfea_SPECIESNAME_Ant_Cilia_Long.deflection",
      "rfea_SPECIESNAME_Ant_Cilia_Medium.deflection",
      "rfea_SPECIESNAME_Ant_Cilia_Short.deflection",
      "rfea_SPECIESNAME_Post_Cilia_Long.deflection",
      "rfea_SPECIESNAME_Post_Cilia_Medium.deflection",
      "rfea_SPECIESNAME_Post_Cilia_Short.deflection",
      "rfea_SPECIESNAME_Lat_Cilia_Long.deflection",
      "rfea_SPECIESNAME_Lat_Cilia_Medium.deflection",
      "rfea_SPECIESNAME_Lat_Cilia_Short.deflection\n",
      "and/or\n",
      "lfea_SPECIESNAME_Ant_Cilia_Long.deflection",
      "lfea_SPECIESNAME_Ant_Cilia_Medium.deflection",
      "lfea_SPECIESNAME_Ant_Cilia_Short.deflection",
      "lfea_SPECIESNAME_Post_Cilia_Long.deflection",
      "lfea_SPECIESNAME_Post_Cilia_Medium.deflection",
      "lfea_SPECIESNAME_Post_Cilia_Short.deflection",
      "lfea_SPECIESNAME_Lat_Cilia_Long.deflection",
      "lfea_SPECIESNAME_Lat_Cilia_Medium.deflection",
      "lfea_SPECIESNAME_Lat_Cilia_Short.deflection\n",
      "and\n",
      "rfea_SPECIESNAME_Ant_Cilia_Long.sif\n",
      "and/or\n",
      "lfea_SPECIESNAME_Ant_Cilia_Long.sif\n",
      "IN FOLDER: Data/SPECIESNAME/Matrix\n",
      "SPECIESNAME_uncoupled.transmat\n",
      "OUTPUT FILES:\n",
      "IN FOLDER: Data/SPECIESNAME/\n",
      "SPECIESNAME_Cor.biomecha",
      "SPECIESNAME_MinusCor.biomecha",
      "SPECIESNAME_PlusCor.biomecha",
      "SPECIESNAME_Cor_Extended.biomecha",
      "SPECIESNAME_MinusCor_Extended.biomecha",
      "SPECIESNAME_PlusCor_Extended.biomecha\n",
      "IN FOLDER: Data/SPECIESNAME/VestRef/MaxAxes/\n",
      "rma_SPECIESNAME_Ant.lineset",
      "rma_SPECIESNAME_Post.lineset",
      "rma_SPECIESNAME_Lat.lineset\n",
      "and\n",
      "lma_SPECIESNAME_Ant.lineset",
      "lma_SPECIESNAME_Post.lineset",
      "lma_SPECIESNAME_Lat.lineset\n",
      "IN FOLDER: Data/SPECIESNAME/Matrix\n",
      "SPECIESNAME.transmat\n",
      kContactNote,
  };
  for (std::string_view line : lines) Write_Line(out, line);
}

void Run_Pass(Run_State& run, std::ostream& out) {
  Read_Morphometry(run, out);
  if (run.set == Measurement_Set::Cor) {
    Cupula_Calibration(run);
  } else {
    Inverted_Calibration(run);
  }
  Uncoupled_Model(run);

  // Coupled three-duct model, on the pass's own state matrices.
  Coupled_Model(run);

  // Coupled gains, response planes, the rotation about y (built in the Cor
  // pass, applied in every pass), prime directions and angles.
  Response_Planes(run);

  // Line sets, uncoupled matrix and vestibular matrix: Cor pass only.
  if (run.set == Measurement_Set::Cor) Line_Sets_And_Matrix(run, out);

  // Short report, extended report, console echo (Cor) and end of the pass.
  Biomechanics_Reports(run, out);
}

void Reset_Pass(Run_State& run) { run.pass = Pass_State{}; }

void Finish_Error_Log(Run_State& run, std::ostream& out) {
  Error_Log_Merge(run.log, out);
}

}  // namespace scds::ostravel
