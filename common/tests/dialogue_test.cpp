#include "dialogue.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace {

using namespace std::string_literals;

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

const std::string kManyWords = "\nA name is one word without white space: this line holds more than one.\n";

struct Name_Case {
  std::string answers;
  bool answered;
  const char* name;
  std::string transcript;
};

void Expect_Transcripts(const Name_Case* begin, const Name_Case* end, scds::Name_Kind kind) {
  for (const Name_Case* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->answers);
    std::istringstream in(c->answers);
    std::ostringstream out;
    const std::optional<std::string> name =
        kind == scds::Name_Kind::Species
            ? scds::Species_Name(in, out, kTexts)
            : scds::Confirmed_Name(in, out, kTexts.name_prompt, kTexts.yes_no_reprompt, 10, kind);
    EXPECT_EQ(name.has_value(), c->answered);
    if (c->answered) {
      EXPECT_EQ(*name, c->name);
    }
    EXPECT_EQ(out.str(), c->transcript);
  }
}

TEST(SpeciesName, TranscriptsOfTheConfirmationLoop) {
  const Name_Case cases[] = {
      {"Homo\n1", true, "Homo", kPrompt + Confirm("Homo")},
      {"\n\n   Homo\n1\n", true, "Homo", kPrompt + Confirm("Homo")},
      // Blanks after the word, a line end of another system: still one word.
      {"Homo \t\r\n1\n", true, "Homo", kPrompt + Confirm("Homo")},
      {"Homo\n0 -1 3 1", true, "Homo", kPrompt + Confirm("Homo") + kReprompt + kReprompt + kReprompt},
      {"Homo\n2\nPan\n1", true, "Pan", kPrompt + Confirm("Homo") + kPrompt + Confirm("Pan")},
      // Tokens that are not whole integers are answered like out-of-range ones.
      {"Homo\nyes 1x +1", true, "Homo", kPrompt + Confirm("Homo") + kReprompt + kReprompt},
      {"Homo\n99999999999999999999999 1", true, "Homo", kPrompt + Confirm("Homo") + kReprompt},
      // A name longer than the program's paths allow is refused before it is confirmed.
      {"Elevenchars\nTen_chars_\n1", true, "Ten_chars_",
       kPrompt + "\nThis name is too long for the file names it makes: use at most 10 characters.\n" + kPrompt +
           Confirm("Ten_chars_")},
      // End of input: no answer, and nothing more is asked.
      {"", false, "", kPrompt},
      {"Homo", false, "", kPrompt + Confirm("Homo")},
      {"Homo\n5", false, "", kPrompt + Confirm("Homo") + kReprompt},
  };
  Expect_Transcripts(std::begin(cases), std::end(cases), scds::Name_Kind::Species);
}

// A species name is the name of one folder in Data/: anything that would
// make its paths lead elsewhere is refused and asked again, and a line of
// more than one word is dropped whole, so that none of its words answers
// the confirmation.
TEST(SpeciesName, NamesThatLeadOutOfTheirFolderAreAskedAgain) {
  const std::string slash = "\nThis name holds a '/': a species name is the name of one folder in Data/.\n";
  const std::string dots = "\nThis name is . or ..: a species name is the name of a folder of its own in Data/.\n";
  const std::string nul = "\nThis name holds a NUL byte, which no file name can hold.\n";
  const Name_Case cases[] = {
      {"./Homo\nHomo/\n..\n.\nHomo\n1", true, "Homo",
       kPrompt + slash + kPrompt + slash + kPrompt + dots + kPrompt + dots + kPrompt + Confirm("Homo")},
      {"Ho\0/mo\nHomo\n1"s, true, "Homo", kPrompt + nul + kPrompt + Confirm("Homo")},
      // Names with dots inside or at an end, dashes and underscores are names.
      {"..Homo\n1", true, "..Homo", kPrompt + Confirm("..Homo")},
      {"Ho.mo-1_\n1", true, "Ho.mo-1_", kPrompt + Confirm("Ho.mo-1_")},
      {"Mouse 01\nMouse01\n1", true, "Mouse01", kPrompt + kManyWords + kPrompt + Confirm("Mouse01")},
      {"Homo 1 2\n", false, "", kPrompt + kManyWords + kPrompt},
      {"Homo 1\nHomo\n1", true, "Homo", kPrompt + kManyWords + kPrompt + Confirm("Homo")},
  };
  Expect_Transcripts(std::begin(cases), std::end(cases), scds::Name_Kind::Species);
}

// A mesh name may lead into a sub-folder of its mesh folder, never out of
// it; a NUL byte and more than one word are refused as in a species name.
TEST(MeshName, ANulByteMoreThanOneWordOrAParentFolderIsRefused) {
  const std::string climbs = "\nThis name holds a .. folder, which leads out of the species' mesh folder.\n";
  const Name_Case cases[] = {
      {"sub/ear\n1", true, "sub/ear", kPrompt + Confirm("sub/ear")},
      {"./sub//ear\n1", true, "./sub//ear", kPrompt + Confirm("./sub//ear")},
      {"..ear\n1", true, "..ear", kPrompt + Confirm("..ear")},
      {"sub/ear..\n1", true, "sub/ear..", kPrompt + Confirm("sub/ear..")},
      {"e\0ar\near\n1"s, true, "ear",
       kPrompt + "\nThis name holds a NUL byte, which no file name can hold.\n" + kPrompt + Confirm("ear")},
      {"ear 1\near\n1", true, "ear", kPrompt + kManyWords + kPrompt + Confirm("ear")},
      {"..\near\n1", true, "ear", kPrompt + climbs + kPrompt + Confirm("ear")},
      {"../ear\near\n1", true, "ear", kPrompt + climbs + kPrompt + Confirm("ear")},
      {"sub/../../Other/ear\near\n1", true, "ear", kPrompt + climbs + kPrompt + Confirm("ear")},
      {"sub/..\near\n1", true, "ear", kPrompt + climbs + kPrompt + Confirm("ear")},
  };
  Expect_Transcripts(std::begin(cases), std::end(cases), scds::Name_Kind::Mesh);
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
