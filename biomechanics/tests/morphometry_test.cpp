// The morphometry reader: its layout, the freedom of white space, "0x"
// components, the departures that stop it, and the incomplete-file warning.
#include "morphometry.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "expected_rows.h"
#include "scds_testing.h"

namespace {

#include "first_half_fixture.inc"

using namespace scds::ostravel;
using scds_testing::Temp_Dir;

std::string Fixture_Text(const std::string& path) {
  for (const Fixture_File& file : kFixtureFiles) {
    if (path == file.path) return file.text;
  }
  ADD_FAILURE() << "no fixture file " << path;
  return "";
}

std::string Cor_Text() { return Fixture_Text("Data/Fx/Fx_Cor.morph"); }

std::string Replace_All(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

struct Read_Result {
  Pass_State pass;
  int read = 0;
};

Read_Result Read_Text(const std::string& text) {
  Temp_Dir dir;
  scds_testing::Write_File(dir.path / "set.morph", text);
  scds::Byte_Source source;
  EXPECT_TRUE(scds::Source_Open(source, dir.path / "set.morph"));
  Read_Result result;
  result.read = Read_Morphometry_File(source, result.pass);
  scds::Source_Close(source);
  return result;
}

// Every kept value, in the layout's order.
std::vector<double> Kept_Values(const Pass_State& pass) {
  std::vector<double> values;
  for (const Morphometry_Line& line : Morphometry_Layout()) {
    if (line.value != nullptr) values.push_back(pass.*line.value);
    if (line.x != nullptr) {
      values.push_back(pass.*line.x);
      values.push_back(pass.*line.y);
      values.push_back(pass.*line.z);
    }
  }
  return values;
}

TEST(MorphometryLayout, LinesRowsAndValues) {
  int headings = 0, empty = 0, rows = 0, kept = 0, numbers = 0;
  for (const Morphometry_Line& line : Morphometry_Layout()) {
    if (line.x != nullptr) {
      ++rows;
      kept += 3;
      numbers += 3;
    } else if (line.text == "\n") {
      ++empty;
    } else if (line.text.find("%lf") == std::string::npos) {
      ++headings;
    } else {
      ++rows;
      ++numbers;
      if (line.value != nullptr) ++kept;
    }
  }
  EXPECT_EQ(Morphometry_Layout().size(), 180u);
  EXPECT_EQ(headings, 13);
  EXPECT_EQ(empty, 53);
  EXPECT_EQ(rows, 114);
  EXPECT_EQ(kept, 96);
  EXPECT_EQ(numbers, kMorphometryValues);
}

TEST(MorphometryReader, CanonicalFileReadsEveryValue) {
  const Read_Result canonical = Read_Text(Cor_Text());
  EXPECT_EQ(canonical.read, 138);
  EXPECT_EQ(canonical.pass.LSa, 8.43);
  EXPECT_EQ(canonical.pass.LUl, 1.83);
  EXPECT_EQ(canonical.pass.wsAl, 34.98);
  EXPECT_EQ(canonical.pass.LCl_low, 0.2588);
  EXPECT_EQ(canonical.pass.zLDT_L, 0.94772);
  EXPECT_EQ(canonical.pass.xADTc_R, 3.85);
  EXPECT_EQ(canonical.pass.zLDTc_L, -0.35);
}

// White space is free wherever a line text has a blank or a line end.
TEST(MorphometryReader, WhiteSpaceVariantsGiveTheSameValues) {
  const std::string text = Cor_Text();
  const std::vector<double> canonical = Kept_Values(Read_Text(text).pass);
  struct Variant {
    const char* name;
    std::string text;
  };
  std::string no_empty_lines = text;
  while (no_empty_lines.find("\n\n") != std::string::npos) no_empty_lines = Replace_All(no_empty_lines, "\n\n", "\n");
  const Variant variants[] = {
      {"no empty lines", no_empty_lines},
      {"doubled empty lines", Replace_All(text, "\n\n", "\n\n\n\n")},
      {"CR LF line ends", Replace_All(text, "\n", "\r\n")},
      {"tabs for blanks", Replace_All(text, " ", "\t")},
      {"indented lines", Replace_All(text, "\n", "\n   \t")},
      {"no blank before a unit", Replace_All(text, " mm", "mm")},
      {"blanks doubled", Replace_All(text, " ", "  ")},
      {"no line ends at all", Replace_All(Replace_All(text, "\n", " "), "  ", " ")},
  };
  for (const Variant& variant : variants) {
    const Read_Result result = Read_Text(variant.text);
    EXPECT_EQ(result.read, 138) << variant.name;
    EXPECT_EQ(Kept_Values(result.pass), canonical) << variant.name;
  }
}

// A bare zero followed by its axis letter reads as zero, like 0.000000.
TEST(MorphometryReader, BareZeroBeforeTheAxisLetter) {
  const std::string text =
      Replace_All(Cor_Text(), "Left Lateral duct: 1.160000x 30.580000y", "Left Lateral duct: 0x 0y");
  const Read_Result result = Read_Text(text);
  EXPECT_EQ(result.read, 138);
  EXPECT_EQ(result.pass.xLDTc_L, 0.0);
  EXPECT_EQ(result.pass.yLDTc_L, 0.0);
  EXPECT_EQ(result.pass.zLDTc_L, -0.35);
  EXPECT_EQ(result.pass.xLDTc_R, 1.1);
  // Never hexadecimal: "0x1p3x" is 0 and the letter x, then the y number
  // reads "1" and the match stops at the "p".
  const Read_Result hex =
      Read_Text(Replace_All(Cor_Text(), "Left Lateral duct: 1.160000x", "Left Lateral duct: 0x1p3x"));
  EXPECT_EQ(hex.pass.xLDTc_L, 0.0);
  EXPECT_EQ(hex.pass.yLDTc_L, 1.0);
  EXPECT_EQ(hex.pass.zLDTc_L, 0.0);
  EXPECT_EQ(hex.read, 137);
}

TEST(MorphometryReader, DeparturesStopTheMatching) {
  const std::string text = Cor_Text();
  struct Departure {
    const char* name;
    std::string text;
    int read;
  };
  const Departure departures[] = {
      {"an empty line first", "\n" + text, 0},
      {"a byte-order mark first", "\xEF\xBB\xBF" + text, 0},
      {"a blank first", " " + text, 0},
      // The 16 volumes, then LSa to LUl: LUl still gets its number.
      {"simple crus in micrometres", Replace_All(text, "Simple crus: 1.830000 mm\n", "Simple crus: 1.830000 um\n"), 23},
      // The digits before the comma are the row's value.
      {"a decimal comma", Replace_All(text, "Anterior slender duct: 8.430000 mm\n", "Anterior slender duct: 8,43 mm\n"),
       17},
      {"a blank before a colon", Replace_All(text, "Posterior utricle: 1.620000", "Posterior utricle : 1.620000"), 26},
  };
  for (const Departure& departure : departures) {
    const Read_Result result = Read_Text(departure.text);
    EXPECT_EQ(result.read, departure.read) << departure.name;
    EXPECT_EQ(result.pass.zLDTc_L, 0.0) << departure.name;
    EXPECT_EQ(result.pass.aCa_Mid, 0.0) << departure.name;
  }
  const Read_Result um = Read_Text(departures[3].text);
  EXPECT_EQ(um.pass.LUl, 1.83);
  EXPECT_EQ(um.pass.LCC, 1.57);
  EXPECT_EQ(um.pass.LUCa, 0.0);
  const Read_Result comma = Read_Text(departures[4].text);
  EXPECT_EQ(comma.pass.LSa, 8.0);
  EXPECT_EQ(comma.pass.LSp, 0.0);
}

// A short file is read as far as it goes and named as incomplete; the
// values after its end stay zero.
TEST(MorphometryReader, IncompleteFileIsNamed) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Fx");
  const std::string text = Cor_Text();
  scds_testing::Write_File(dir.path / "Data/Fx/Fx_Cor.morph", text.substr(0, text.find("CUPULA MORPHOMETRY")));
  Run_State run;
  run.work_dir = dir.path;
  run.species = "Fx";
  std::ostringstream console;
  Read_Morphometry(run, console);
  EXPECT_EQ(console.str(), "\nWarning: Data/Fx/Fx_Cor.morph is incomplete: 84 of 138 values read.\n");
  EXPECT_EQ(run.pass.error_morpho, 0);
  EXPECT_EQ(run.pass.wsAl, 34.98);
  EXPECT_EQ(run.pass.aCa, 0.0);
}

}  // namespace
