// The fixture species of expected_first_half.py and expected_second_half.py
// in a temporary directory, with the stages of a run called one by one on
// its Run_State. Included by the in-process tests of the model.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "biomechanics_driver.h"
#include "biomechanics_state.h"
#include "calibration.h"
#include "coupled_model.h"
#include "expected_rows.h"
#include "fea_inputs.h"
#include "morphometry.h"
#include "response_planes.h"
#include "scds_testing.h"
#include "uncoupled_model.h"

namespace {

using expected_rows::kInf;

#define EXPECT_NAN(actual) EXPECT_TRUE(std::isnan(actual)) << #actual << " = " << (actual)

#include "first_half_fixture.inc"
#include "second_half_fixture.inc"

struct Fixture_Run {
  scds_testing::Temp_Dir dir;
  scds::ostravel::Run_State run;
  std::ostringstream console;

  Fixture_Run() {
    scds_testing::Make_Species_Folder(dir.path, kSpecies);
    for (const Fixture_File& file : kFixtureFiles) scds_testing::Write_File(dir.path / file.path, file.text);
    run.work_dir = dir.path;
    run.species = kSpecies;
  }

  // The prologue: .sif pair, material prompts, deflection pairs.
  void Prologue() {
    using namespace scds::ostravel;
    std::istringstream answers(kMaterialAnswers);
    Read_Solver_Inputs(run, console);
    ASSERT_TRUE(Ask_Material_Constants(run, answers, console));
    Derive_Material_Constants(run.carried);
    Read_Deflection_Results(run, console);
  }

  // Morphometry, calibration and uncoupled model of the Cor pass.
  void Cor_Pass() {
    using namespace scds::ostravel;
    run.set = Measurement_Set::Cor;
    Read_Morphometry(run, console);
    Cupula_Calibration(run);
    Uncoupled_Model(run);
  }

  // The same for a variant set, after the reset.
  void Variant_Pass(scds::ostravel::Measurement_Set set) {
    using namespace scds::ostravel;
    Reset_Pass(run);
    run.set = set;
    Read_Morphometry(run, console);
    Inverted_Calibration(run);
    Uncoupled_Model(run);
  }

  // Coupled model, gains, planes and angles of the running pass.
  void Second_Half() {
    scds::ostravel::Coupled_Model(run);
    scds::ostravel::Response_Planes(run);
  }
};

}  // namespace
