// The biomechanics reports: their layouts on a state whose every printed
// quantity has a value of its own, the end of a pass (which files are left,
// removed or reported), and the built program end to end on a complete
// species folder whose outputs were worked out independently
// (expected_reports.py, from the model's formulas and the report layouts).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "biomecha_reports.h"
#include "biomechanics_state.h"
#include "error_log.h"
#include "number_format.h"
#include "output_file.h"
#include "scds_testing.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

#include "reports_fixture.inc"

namespace fs = std::filesystem;
using namespace scds::ostravel;
using scds_testing::Exists;
using scds_testing::Read_File;
using scds_testing::Run_Program;
using scds_testing::Temp_Dir;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Is_Subsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  std::size_t k = 0;
  for (const std::string& line : part) {
    while (k < whole.size() && whole[k] != line) ++k;
    if (k == whole.size()) return false;
    ++k;
  }
  return true;
}

// The sign C writes before a nan is the arithmetic's: "-nan" reads "nan".
std::string Nan_Unsigned(std::string text) {
  for (std::size_t at = text.find("-nan"); at != std::string::npos; at = text.find("-nan", at)) text.erase(at, 1);
  return text;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The numbers a report line prints, as "%f" writes them: an optional minus,
// digits, a point and six digits, or "inf" or "nan" after a blank or a minus.
struct Printed_Number {
  std::size_t begin, end;
  std::string text;
};

std::vector<Printed_Number> Numbers(const std::string& line) {
  std::vector<Printed_Number> numbers;
  auto digit = [&](std::size_t k) { return k < line.size() && line[k] >= '0' && line[k] <= '9'; };
  for (std::size_t k = 0; k < line.size(); ++k) {
    const bool starts = k == 0 || line[k - 1] == ' ' || line[k - 1] == '-';
    std::size_t end = k;
    if (starts && digit(k)) {
      while (digit(end)) ++end;
      if (end < line.size() && line[end] == '.') {
        std::size_t decimals = 0;
        while (digit(end + 1 + decimals)) ++decimals;
        end = decimals == 6 ? end + 7 : k;
      } else {
        end = k;
      }
    } else if (starts && (line.compare(k, 3, "inf") == 0 || line.compare(k, 3, "nan") == 0)) {
      end = k + 3;
    }
    if (end == k) continue;
    const std::size_t begin = k > 0 && line[k - 1] == '-' ? k - 1 : k;
    numbers.push_back({begin, end, line.substr(begin, end - begin)});
    k = end - 1;
  }
  return numbers;
}

const std::string kLongHeading = "\nLONG TIME CONSTANTS\n";
const std::string kEchoFirstLine = "CUPULA FINITE ELEMENT ANALYSIS\n";

std::string Report_Path(const std::string& set) { return std::string("Data/Fx/Fx_") + set + ".biomecha"; }
std::string Extended_Path(const std::string& set) { return std::string("Data/Fx/Fx_") + set + "_Extended.biomecha"; }

std::string Cannot_Write(const std::string& path) {
  return "\nImpossible to write " + path + "\nVerify that its folder exists and has room.\n";
}

std::string Morph_Message(const std::string& set) {
  return "\nImpossible to read Data/Fx/Fx_" + set + ".morph\nVerify both species name and morpho file name.\n";
}

// ---------------------------------------------------------------- layouts

TEST(ReportLayout, EveryRowPrintsItsOwnQuantity) {
  Run_State run;
  Fill_Synthetic(run);
  EXPECT_EQ(Report_Text(run, Report_Kind::Short), kSyntheticShort);
  EXPECT_EQ(Report_Text(run, Report_Kind::Extended), kSyntheticExtended);
  EXPECT_EQ(Report_Text(run, Report_Kind::Echo), kSyntheticEcho);
  // Printing changes no stored value: the densities stay in g/mm^3.
  EXPECT_EQ(run.carried.rho_e, 1.0372e-3);
  EXPECT_EQ(run.carried.rho_c, 1.09e-3);
}

TEST(ReportLayout, ShortReportStandsInTheExtendedOneAndTheEchoInTheShortOne) {
  Run_State run;
  Fill_Synthetic(run);
  const std::string short_text = Report_Text(run, Report_Kind::Short);
  const std::string extended_text = Report_Text(run, Report_Kind::Extended);
  const std::string echo_text = Report_Text(run, Report_Kind::Echo);
  const std::vector<std::string> short_lines = Lines(short_text);
  const std::vector<std::string> extended_lines = Lines(extended_text);
  EXPECT_EQ(short_lines.size(), 289u);
  EXPECT_EQ(extended_lines.size(), 625u);
  EXPECT_EQ(Lines(echo_text).size(), 287u);
  EXPECT_TRUE(Is_Subsequence(short_lines, extended_lines));
  for (const std::string* text : {&short_text, &extended_text, &echo_text}) {
    EXPECT_TRUE(text->starts_with(kEchoFirstLine));
    EXPECT_TRUE(text->ends_with("\nCupula Shear modulus: " + scds::F(run.carried.gamma) + " Pa\n"));
    EXPECT_EQ(Count(*text, "\nLateral duct: 90.000000 Degrees\n"), 1u);
  }
  // The echo is the short report without one heading and its empty line.
  const std::size_t at = short_text.find(kLongHeading);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(echo_text, short_text.substr(0, at + 1) + short_text.substr(at + kLongHeading.size() + 1));
  EXPECT_EQ(echo_text.find(kLongHeading), std::string::npos);
  EXPECT_NE(echo_text.find("\nTIME CONSTANTS\n\nFirst constant (long cilia): "), std::string::npos);
  EXPECT_NE(echo_text.find("\nSHORT TIME CONSTANTS\n"), std::string::npos);
  // 447 numbers (the fixed 90.000000 is not one).
  std::size_t numbers = 0;
  for (const std::string& line : extended_lines) numbers += Numbers(line).size();
  EXPECT_EQ(numbers, 447u + 1u);
}

// A state never computed prints zeros; infinities, nans of either sign and
// minus zero are printed as C's "%f" prints them.
TEST(ReportLayout, SpecialValues) {
  Run_State run;
  const std::string zeros = Report_Text(run, Report_Kind::Extended);
  EXPECT_EQ(Count(zeros, "0.000000"), 447u + 1u);
  EXPECT_EQ(Count(zeros, "-0.000000"), 0u);
  run.pass.iADTYAW = -kNaN;
  run.pass.iPDTYAW = kNaN;
  run.pass.iLDTYAW = -kInf;
  run.pass.ix_3_L = -0.0;
  run.carried.rho_e = kInf;
  run.carried.rho_c = -1e-13;  // -1e-7 kg/m^3
  const std::string text = Report_Text(run, Report_Kind::Short);
  EXPECT_NE(text.find("\nAnterior duct: -nan Degrees\nPosterior duct: nan Degrees\nLateral duct: -inf Degrees\n"),
            std::string::npos);
  EXPECT_NE(text.find("\nLeft Posterior duct: -0.000000x 0.000000y 0.000000z\n"), std::string::npos);
  EXPECT_NE(text.find("\nEndolymph density: inf kg/m^3\n"), std::string::npos);
  EXPECT_NE(text.find("\nCupula density: -0.000000 kg/m^3\n"), std::string::npos);
}

// -------------------------------------------------------- end of a pass

struct Pass_Folder {
  Temp_Dir dir;
  Run_State run;
  std::ostringstream console;

  Pass_Folder() {
    scds_testing::Make_Species_Folder(dir.path, kSpecies);
    run.work_dir = dir.path;
    run.species = kSpecies;
    Fill_Synthetic(run);
  }
  fs::path File(const std::string& path) const { return dir.path / path; }
};

TEST(PassEnd, ReportsOfEachSet) {
  struct Case {
    Measurement_Set set;
    int error_morpho;
  };
  for (const Case c : {Case{Measurement_Set::Cor, 0}, Case{Measurement_Set::Cor, 1}, Case{Measurement_Set::PlusCor, 0},
                       Case{Measurement_Set::PlusCor, 1}, Case{Measurement_Set::MinusCor, 0},
                       Case{Measurement_Set::MinusCor, 1}}) {
    Pass_Folder f;
    const std::string set = Set_Name(c.set);
    SCOPED_TRACE(set + " error_morpho " + std::to_string(c.error_morpho));
    // What an earlier run left: the set's extended report and the other
    // sets' reports; an input of the set.
    const std::string other = c.set == Measurement_Set::Cor ? "PlusCor" : "Cor";
    for (const std::string& path : {Extended_Path(set), Report_Path(other), Extended_Path(other)}) {
      scds_testing::Write_File(f.File(path), "earlier run\n");
    }
    scds_testing::Write_File(f.File("Data/Fx/Fx_" + set + ".morph"), "morphometry\n");
    f.run.set = c.set;
    f.run.pass.error_morpho = c.error_morpho;
    Biomechanics_Reports(f.run, f.console);

    EXPECT_EQ(Read_File(f.File(Report_Path(set))), kSyntheticShort);
    if (c.error_morpho > 0) {
      EXPECT_FALSE(Exists(f.File(Extended_Path(set))));
    } else {
      EXPECT_EQ(Read_File(f.File(Extended_Path(set))), kSyntheticExtended);
    }
    // Only the Cor pass echoes; nothing is reported or counted.
    EXPECT_EQ(f.console.str(), c.set == Measurement_Set::Cor ? kSyntheticEcho : "");
    EXPECT_EQ(f.run.counters.error_count, 0);
    // Nothing else is touched.
    EXPECT_EQ(Read_File(f.File(Report_Path(other))), "earlier run\n");
    EXPECT_EQ(Read_File(f.File(Extended_Path(other))), "earlier run\n");
    EXPECT_EQ(Read_File(f.File("Data/Fx/Fx_" + set + ".morph")), "morphometry\n");
  }
}

// A report that cannot be created is reported once, where it fails, and
// counted; the other report is written; what stands in its place stays.
TEST(PassEnd, ReportsThatCannotBeCreated) {
  for (const bool extended : {false, true}) {
    for (const int error_morpho : {0, 1}) {
      Pass_Folder f;
      SCOPED_TRACE(std::string(extended ? "extended" : "short") + " report, error_morpho " +
                   std::to_string(error_morpho));
      const std::string path = extended ? Extended_Path("Cor") : Report_Path("Cor");
      fs::create_directory(f.File(path));
      f.run.pass.error_morpho = error_morpho;
      Biomechanics_Reports(f.run, f.console);
      EXPECT_EQ(f.console.str(), Cannot_Write(path) + kSyntheticEcho);
      EXPECT_EQ(f.run.counters.error_count, 1);
      EXPECT_TRUE(fs::is_directory(f.File(path)));
      if (extended) {
        EXPECT_EQ(Read_File(f.File(Report_Path("Cor"))), kSyntheticShort);
      } else if (error_morpho == 0) {
        EXPECT_EQ(Read_File(f.File(Extended_Path("Cor"))), kSyntheticExtended);
      } else {
        EXPECT_FALSE(Exists(f.File(Extended_Path("Cor"))));
      }
    }
  }
}

// A report whose writing fails (a full disk; here the write seam fails it
// after its first 1000 bytes) leaves the earlier report of that name and
// nothing beside it; the extended report's failure is found when it is
// closed, after the echo. The extended report of a set without
// morphometry, which is not kept, says its failure the same way, and the
// earlier one still goes.
TEST(PassEnd, ReportsOnAFullDevice) {
  struct Case {
    bool extended;
    int error_morpho;
  };
  for (const Case c : {Case{false, 0}, Case{true, 0}, Case{true, 1}}) {
    Pass_Folder f;
    SCOPED_TRACE(std::string(c.extended ? "extended" : "short") + " report, error_morpho " +
                 std::to_string(c.error_morpho));
    const std::string path = c.extended ? Extended_Path("Cor") : Report_Path("Cor");
    scds_testing::Write_File(f.File(path), "an earlier report\n");
    scds::write_failure_seam = {f.File(path), 1000};
    f.run.pass.error_morpho = c.error_morpho;
    Biomechanics_Reports(f.run, f.console);
    scds::write_failure_seam = {};
    EXPECT_EQ(f.console.str(), c.extended ? kSyntheticEcho + Cannot_Write(path) : Cannot_Write(path) + kSyntheticEcho);
    EXPECT_EQ(f.run.counters.error_count, 1);
    if (c.error_morpho == 0) {
      EXPECT_EQ(Read_File(f.File(path)), "an earlier report\n");
    } else {
      EXPECT_FALSE(Exists(f.File(path)));
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(f.File(path + ".partial"))));
    EXPECT_TRUE(Exists(f.File(c.extended ? Report_Path("Cor") : Extended_Path("Cor"))));
  }
}

// The message of a report that cannot be written goes into the temporary
// error log too.
TEST(PassEnd, CannotWriteIsLogged) {
  Pass_Folder f;
  scds::Error_Log_Open(f.run.log, f.console, f.dir.path, kSpecies, "Data/Fx/Fx_temp.errorlog", scds::Program::Ostravel);
  fs::create_directory(f.File(Report_Path("PlusCor")));
  f.run.set = Measurement_Set::PlusCor;
  Biomechanics_Reports(f.run, f.console);
  scds::Error_Log_Merge(f.run.log, f.console);
  EXPECT_EQ(Read_File(f.File("Data/Fx/Fx.errorlog")), "Ostravel Errors:\n" + Cannot_Write(Report_Path("PlusCor")) + "\n");
}

// ---------------------------------------------------------- end to end

const std::string kAnswers = std::string("Fx\n1\n") + kMaterialAnswers + "x\n";
const std::string kMaterialEnd = "\nPlease enter cupula density (kg/m^3):\n\n\n";
const std::string kClosing = "\nPress any key, then Enter to exit.";
const char* const kSets[] = {"Cor", "PlusCor", "MinusCor"};

struct Species_Folder {
  Temp_Dir dir;
  Species_Folder() {
    scds_testing::Make_Species_Folder(dir.path, kSpecies);
    for (const Fixture_File& file : kFixtureFiles) scds_testing::Write_File(dir.path / file.path, file.text);
  }
  fs::path File(const std::string& path) const { return dir.path / path; }
  void Remove(const std::string& path) const { ASSERT_TRUE(fs::remove(File(path))) << path; }
  std::string Read(const std::string& path) const { return Read_File(File(path)); }
  std::string Log() const { return Read("Data/Fx/Fx.errorlog"); }
  // Every file of the folder, relative to the working directory.
  std::vector<std::string> Files() const {
    std::vector<std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path)) {
      if (entry.is_regular_file() && entry.path().filename() != ".keep") {
        all.push_back(fs::relative(entry.path(), dir.path).generic_string());
      }
    }
    std::sort(all.begin(), all.end());
    return all;
  }
};

std::string Expected_Output(const std::string& path) {
  for (const Fixture_File& file : kCompleteOutputs) {
    if (path == file.path) return file.text;
  }
  ADD_FAILURE() << "no expected text for " << path;
  return {};
}

// Numbers of two report lines that differ at most in the last printed digit.
bool Same_But_Last_Digit(const std::string& a, const std::string& b) {
  const std::vector<Printed_Number> x = Numbers(a), y = Numbers(b);
  if (x.empty() || x.size() != y.size()) return false;
  std::size_t from_a = 0, from_b = 0;
  for (std::size_t k = 0; k < x.size(); ++k) {
    if (a.substr(from_a, x[k].begin - from_a) != b.substr(from_b, y[k].begin - from_b)) return false;
    if (std::abs(std::stod(x[k].text) - std::stod(y[k].text)) > 1.5e-6) return false;
    from_a = x[k].end;
    from_b = y[k].end;
  }
  return a.substr(from_a) == b.substr(from_b);
}

TEST(OstravelReports, CompleteSpeciesFolder) {
  Species_Folder species;
  const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(run.status, 0);
  // The echo comes once, after the prompts: nothing was reported.
  EXPECT_TRUE(run.output.ends_with(kMaterialEnd + kCompleteEcho + kClosing)) << run.output;
  EXPECT_EQ(Count(run.output, kEchoFirstLine), 1u);
  for (const Fixture_File& file : kCompleteOutputs) EXPECT_EQ(species.Read(file.path), file.text) << file.path;
  // The short reports stand in the extended ones; the echo is the Cor short
  // report without its long time constants heading.
  for (const char* set : kSets) {
    EXPECT_TRUE(Is_Subsequence(Lines(species.Read(Report_Path(set))), Lines(species.Read(Extended_Path(set))))) << set;
  }
  // Left behind: the inputs but the uncoupled matrix, and the outputs.
  std::vector<std::string> expected;
  for (const Fixture_File& file : kFixtureFiles) {
    if (!std::string(file.path).ends_with("_uncoupled.transmat")) expected.push_back(file.path);
  }
  for (const Fixture_File& file : kCompleteOutputs) expected.push_back(file.path);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(species.Files(), expected);
}

// Different morphometry: every row that prints a number of the set differs
// from the Cor one; the material rows and the fixed roll row do not. The
// PlusCor set keeps the Cor enclosed areas and centres, so its forcing and
// its centres (rotated by the Cor angle) equal the Cor ones.
TEST(OstravelReports, DifferentMorphometryDiffersWhereItMust) {
  Species_Folder species;
  ASSERT_EQ(Run_Program("Ostravel", species.dir.path, kAnswers).status, 0);
  const std::vector<std::string> cor = Lines(species.Read(Extended_Path("Cor")));
  const std::vector<std::string> shared_rows = {
      "Lateral duct: 90.000000 Degrees", "Body temperature: ", "Endolymph density: ", "Endolymph viscosity: ",
      "Endolymph viscosity factor: ", "Cupula density: ", "Cupula viscosity: ", "Cupula Poisson ratio: ",
      "Cupula Young modulus: ", "Cupula Shear modulus: "};
  auto shared = [&](const std::string& line) {
    for (const std::string& row : shared_rows) {
      if (line.starts_with(row)) return true;
    }
    return false;
  };
  const std::vector<std::string> minus = Lines(species.Read(Extended_Path("MinusCor")));
  ASSERT_EQ(minus.size(), cor.size());
  for (std::size_t k = 0; k < cor.size(); ++k) {
    if (Numbers(cor[k]).empty()) {
      EXPECT_EQ(minus[k], cor[k]) << k;
    } else {
      EXPECT_EQ(minus[k] == cor[k], shared(cor[k])) << k << ": " << cor[k] << " | " << minus[k];
    }
  }
  const std::vector<std::string> plus = Lines(species.Read(Extended_Path("PlusCor")));
  ASSERT_EQ(plus.size(), cor.size());
  const std::size_t centres = std::find(cor.begin(), cor.end(), "SEMICIRCULAR DUCT CENTER OF ROTATION") - cor.begin();
  const std::size_t forcing = std::find(cor.begin(), cor.end(), "INERTIAL FORCING") - cor.begin();
  for (std::size_t k = 0; k < cor.size(); ++k) {
    if (Numbers(cor[k]).empty()) continue;
    const bool same = shared(cor[k]) || (k > centres && k <= centres + 7) || (k > forcing && k <= forcing + 4);
    EXPECT_EQ(plus[k] == cor[k], same) << k << ": " << cor[k] << " | " << plus[k];
  }
  // The material block is the same in the three short reports.
  const std::string cor_short = species.Read(Report_Path("Cor"));
  const std::string material = cor_short.substr(cor_short.find("\nMATERIAL PROPERTIES\n"));
  for (const char* set : kSets) EXPECT_TRUE(species.Read(Report_Path(set)).ends_with(material)) << set;
}

// The variant sets on the Cor morphometry: the inverted calibration gives
// the Cor deflections, factors and stiffnesses back and the rotation is the
// same, so the reports are the Cor ones but for the last digit of a few rows.
TEST(OstravelReports, SameMorphometryGivesTheCorReports) {
  Species_Folder species;
  const std::string cor_morph = species.Read("Data/Fx/Fx_Cor.morph");
  scds_testing::Write_File(species.File("Data/Fx/Fx_PlusCor.morph"), cor_morph);
  scds_testing::Write_File(species.File("Data/Fx/Fx_MinusCor.morph"), cor_morph);
  const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.output.ends_with(kMaterialEnd + kCompleteEcho + kClosing));
  const std::vector<std::string> cor_short = Lines(species.Read(Report_Path("Cor")));
  const std::vector<std::string> cor_extended = Lines(species.Read(Extended_Path("Cor")));
  EXPECT_EQ(species.Read(Report_Path("Cor")), Expected_Output(Report_Path("Cor")));
  for (const char* set : {"PlusCor", "MinusCor"}) {
    EXPECT_EQ(species.Read(Report_Path(set)), kSameSetShort) << set;
    EXPECT_EQ(species.Read(Extended_Path(set)), kSameSetExtended) << set;
    const std::vector<std::string> extended = Lines(species.Read(Extended_Path(set)));
    ASSERT_EQ(extended.size(), cor_extended.size());
    int differing = 0;
    for (std::size_t k = 0; k < extended.size(); ++k) {
      if (extended[k] == cor_extended[k]) continue;
      ++differing;
      EXPECT_TRUE(Same_But_Last_Digit(extended[k], cor_extended[k])) << extended[k] << " | " << cor_extended[k];
    }
    EXPECT_EQ(differing, kSameSetDifferingRows) << set;
  }
}

// One set's morphometry missing: its short report is written (from zeros),
// its extended report removed, every other report written; the message is in
// the log.
TEST(OstravelReports, MissingMorphometryOfOneSet) {
  for (const char* missing : kSets) {
    SCOPED_TRACE(missing);
    Species_Folder species;
    species.Remove("Data/Fx/Fx_" + std::string(missing) + ".morph");
    const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Count(run.output, kEchoFirstLine), 1u);
    // Cor's message comes before the echo, the others' after it.
    const std::size_t message = run.output.find(Morph_Message(missing));
    ASSERT_NE(message, std::string::npos);
    EXPECT_EQ(message < run.output.find(kEchoFirstLine), std::string(missing) == "Cor");
    EXPECT_NE(species.Log().find(Morph_Message(missing)), std::string::npos);
    for (const char* set : kSets) {
      EXPECT_TRUE(Exists(species.File(Report_Path(set)))) << set;
      EXPECT_EQ(Exists(species.File(Extended_Path(set))), std::string(set) != missing) << set;
    }
    // A message closes its block with an empty line, whether the failure
    // is counted or not.
    if (std::string(missing) != "Cor") {
      EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + Morph_Message(missing) + "\n");
    }
  }
}

// The PlusCor pass without its morphometry computes from zeros, never from
// the Cor set's values; the MinusCor pass after it is as in a complete run.
TEST(OstravelReports, MissingPlusCorMorphometryComputesFromZeros) {
  Species_Folder species;
  species.Remove("Data/Fx/Fx_PlusCor.morph");
  const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.output.ends_with(kMaterialEnd + kCompleteEcho + Morph_Message("PlusCor") + kClosing));
  EXPECT_EQ(Nan_Unsigned(species.Read(Report_Path("PlusCor"))), kMissingPlusShort);
  for (const std::string& path :
       {Report_Path("Cor"), Extended_Path("Cor"), Report_Path("MinusCor"), Extended_Path("MinusCor")}) {
    EXPECT_EQ(species.Read(path), Expected_Output(path)) << path;
  }
}

// Failed inputs other than the morphometry leave every report in place.
TEST(OstravelReports, FailedInputsLeaveEveryReport) {
  const std::string fea = "Data/Fx/FEA/";
  const std::string no_matrix =
      "\nThe vestibular transform matrix could not be computed; Data/Fx/Matrix/Fx.transmat was not written.\n";
  struct Case {
    const char* name;
    std::vector<std::string> removed;
    std::string log;
  };
  const Case cases[] = {
      {"both sif files",
       {fea + "rfea_Fx_Ant_Cilia_Long.sif", fea + "lfea_Fx_Ant_Cilia_Long.sif"},
       "\nImpossible to read \"Ant_Long\" sif files.\nVerify both species name and files name.\n" + no_matrix +
           "\nThe uncoupled matrix Data/Fx/Matrix/Fx_uncoupled.transmat was kept for the next run.\n\n"},
      {"the Lat Short deflection pair",
       {fea + "rfea_Fx_Lat_Cilia_Short.deflection", fea + "lfea_Fx_Lat_Cilia_Short.deflection"},
       "\nImpossible to read \"Lat_Short\" deflection files.\nVerify both species name and files name.\n\n"},
      {"the uncoupled matrix",
       {"Data/Fx/Matrix/Fx_uncoupled.transmat"},
       "\nImpossible to read Data/Fx/Matrix/Fx_uncoupled.transmat\nVerify transfert matrix file name.\n" + no_matrix +
           "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Species_Folder species;
    for (const std::string& path : c.removed) species.Remove(path);
    const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Count(run.output, kEchoFirstLine), 1u);
    EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + c.log);
    for (const char* set : kSets) {
      EXPECT_EQ(Count(species.Read(Report_Path(set)), "\n"), 289u) << set;
      EXPECT_EQ(Count(species.Read(Extended_Path(set)), "\n"), 625u) << set;
    }
  }
}

// A report that cannot be written: said once, on the console and in the
// log, which gains its closing empty line; the run goes on.
TEST(OstravelReports, ReportThatCannotBeWritten) {
  Species_Folder species;
  fs::create_directory(species.File(Report_Path("Cor")));
  const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Count(run.output, Cannot_Write(Report_Path("Cor"))), 1u);
  EXPECT_LT(run.output.find(Cannot_Write(Report_Path("Cor"))), run.output.find(kEchoFirstLine));
  EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + Cannot_Write(Report_Path("Cor")) + "\n");
  EXPECT_TRUE(fs::is_directory(species.File(Report_Path("Cor"))));
  for (const std::string& path : {Extended_Path("Cor"), Report_Path("PlusCor"), Extended_Path("PlusCor"),
                                  Report_Path("MinusCor"), Extended_Path("MinusCor")}) {
    EXPECT_TRUE(Exists(species.File(path))) << path;
  }
}

}  // namespace
