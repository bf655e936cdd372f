#include "dialogue.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const scds::Dialogue_Texts kTexts = {
    "\nPlease enter the exact species name your STL files use:\n",
    "\nPlease only answer yes (1) or no (2):\n",
    "\nYou have STL files for:\n",
    {"1. the right semicircular duct system", "2. the left semicircular duct system",
     "3. both semicircular duct systems\n"},
    "\nPlease only answer right (1), left (2) or both (3):\n",
    "\nYour STL files are defined in:\n",
    10,
};

const std::string kPrompt = "\nPlease enter the exact species name your STL files use:\n\n";
const std::string kReprompt = "\nPlease only answer yes (1) or no (2):\n\n";
std::string Confirm(const std::string& name) { return "\nIs " + name + " the correct name?\n\n1. Yes\n2. No\n\n"; }

struct Name_Case {
  const char* answers;
  bool answered;
  const char* name;
  std::string transcript;
};

TEST(SpeciesName, TranscriptsOfTheConfirmationLoop) {
  const Name_Case cases[] = {
      {"Homo 1", true, "Homo", kPrompt + Confirm("Homo")},
      {"\n\n   Homo\n1\n", true, "Homo", kPrompt + Confirm("Homo")},
      {"Homo 0 -1 3 1", true, "Homo", kPrompt + Confirm("Homo") + kReprompt + kReprompt + kReprompt},
      {"Homo 2 Pan 1", true, "Pan", kPrompt + Confirm("Homo") + kPrompt + Confirm("Pan")},
      // Tokens that are not whole integers are answered like out-of-range ones.
      {"Homo yes 1x +1", true, "Homo", kPrompt + Confirm("Homo") + kReprompt + kReprompt},
      {"Homo 99999999999999999999999 1", true, "Homo", kPrompt + Confirm("Homo") + kReprompt},
      // A name longer than the program's paths allow is refused before it is confirmed.
      {"Elevenchars Ten_chars_ 1", true, "Ten_chars_",
       kPrompt + "\nThis name is too long for the file names it makes: use at most 10 characters.\n" + kPrompt +
           Confirm("Ten_chars_")},
      // End of input: no answer, and nothing more is asked.
      {"", false, "", kPrompt},
      {"Homo", false, "", kPrompt + Confirm("Homo")},
      {"Homo 5", false, "", kPrompt + Confirm("Homo") + kReprompt},
  };
  for (const Name_Case& c : cases) {
    std::istringstream in(c.answers);
    std::ostringstream out;
    const std::optional<std::string> name = scds::Species_Name(in, out, kTexts);
    EXPECT_EQ(name.has_value(), c.answered) << c.answers;
    if (c.answered) {
      EXPECT_EQ(*name, c.name);
    }
    EXPECT_EQ(out.str(), c.transcript) << c.answers;
  }
}

TEST(SpeciesName, TextAfterTheWordAnswersTheNextQuestion) {
  std::istringstream in("Homo 1 2\n");
  std::ostringstream out;
  EXPECT_EQ(scds::Species_Name(in, out, kTexts).value(), "Homo");
  std::ostringstream menu_out;
  EXPECT_EQ(scds::Menu(in, menu_out, kTexts).value(), 2);
}

struct Menu_Case {
  const char* answers;
  std::optional<int> result;
  int reprompts;
};

TEST(UnitAndMenu, AnswersOutOfRangeAreAskedAgain) {
  const Menu_Case cases[] = {
      {"1", 1, 0}, {"2", 2, 0}, {"3", 3, 0}, {"0 4 3", 3, 2}, {"x 2.5 -0 +2", 2, 3}, {"4", std::nullopt, 1},
  };
  const std::string unit_head =
      "\nYour STL files are defined in:\n\n1. micrometers\n2. millimeters\n3. centimeters\n\n";
  const std::string unit_again = "\nPlease only answer micrometers (1), millimeters (2) or centimeters (3):\n\n";
  const std::string menu_head =
      "\nYou have STL files for:\n\n1. the right semicircular duct system\n2. the left semicircular duct "
      "system\n3. both semicircular duct systems\n\n";
  const std::string menu_again = "\nPlease only answer right (1), left (2) or both (3):\n\n";
  for (const Menu_Case& c : cases) {
    {
      std::istringstream in(c.answers);
      std::ostringstream out;
      EXPECT_EQ(scds::Unit(in, out, kTexts), c.result) << c.answers;
      std::string expected = unit_head;
      for (int k = 0; k < c.reprompts; ++k) expected += unit_again;
      EXPECT_EQ(out.str(), expected);
    }
    {
      std::istringstream in(c.answers);
      std::ostringstream out;
      EXPECT_EQ(scds::Menu(in, out, kTexts), c.result) << c.answers;
      std::string expected = menu_head;
      for (int k = 0; k < c.reprompts; ++k) expected += menu_again;
      EXPECT_EQ(out.str(), expected);
    }
  }
}

TEST(UnitFactor, MeshUnitsPerMillimetre) {
  EXPECT_EQ(scds::Unit_Factor(1), 1000.0);
  EXPECT_EQ(scds::Unit_Factor(2), 1.0);
  EXPECT_EQ(scds::Unit_Factor(3), 0.1);
}

TEST(Exit, EndsOnAnyTokenOrEndOfInput) {
  const char* inputs[] = {"\n\n  q\n", "7", ""};
  for (const char* input : inputs) {
    std::istringstream in(input);
    std::ostringstream out;
    scds::Exit(in, out);
    EXPECT_EQ(out.str(), "\nPress any key, then Enter to exit.");
  }
  std::istringstream in("\n\n  q\n");
  std::ostringstream out;
  scds::Exit(in, out);
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, "");  // only the token was taken
}

TEST(ReadReal, NonNumbersAreDroppedAndThePromptRepeated) {
  std::istringstream in("abc 1,5 1e-3x 1000.5");
  std::ostringstream out;
  EXPECT_EQ(scds::Read_Real(in, out, "Density:"), 1000.5);
  EXPECT_EQ(out.str(), "Density:Density:Density:");
  // Numbers that are not finite are no answer either; a decimal too small
  // for a double is a finite zero.
  std::istringstream not_finite("nan -INF Infinity 1e999 -1e400 1e-999");
  std::ostringstream again;
  EXPECT_EQ(scds::Read_Real(not_finite, again, "T:"), 0.0);
  EXPECT_EQ(again.str(), "T:T:T:T:T:");
  std::istringstream empty("x");
  std::ostringstream out2;
  EXPECT_FALSE(scds::Read_Real(empty, out2, "D\n").has_value());
  EXPECT_EQ(out2.str(), "D\n");
}

}  // namespace
