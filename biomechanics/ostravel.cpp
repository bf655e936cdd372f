#include "ostravel.h"

#include <optional>
#include <string>

#include "biomechanics_driver.h"
#include "biomechanics_state.h"
#include "dialogue.h"
#include "error_log.h"
#include "fea_inputs.h"
#include "folder_lock.h"
#include "paths.h"

namespace scds::ostravel {

int Run_Ostravel(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir) {
  Run_State run;
  run.work_dir = work_dir;

  Write_Banner(out);
  const std::optional<std::string> species = Species_Name(in, out, Ostravel_Texts());
  if (!species) return 1;
  run.species = *species;
  Species_Lock lock;
  if (!Hold_Species(lock, work_dir, run.species, out)) return Species_Held_Elsewhere(in, out);

  Error_Log_Open(run.log, out, work_dir, run.species, Error_Log_Temp_File_Path(run.species), Program::Ostravel);

  // Finite element inputs and material constants, once for the three passes.
  Read_Solver_Inputs(run, out);
  if (!Ask_Material_Constants(run, in, out)) {
    Finish_Error_Log(run, out);
    return 1;
  }
  Derive_Material_Constants(run.carried);
  Read_Deflection_Results(run, out);

  for (Measurement_Set set : {Measurement_Set::Cor, Measurement_Set::PlusCor, Measurement_Set::MinusCor}) {
    if (set != Measurement_Set::Cor) Reset_Pass(run);
    run.set = set;
    Run_Pass(run, out);
  }

  Finish_Error_Log(run, out);
  Exit(in, out);
  return 0;
}

}  // namespace scds::ostravel
