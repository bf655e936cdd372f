// The console dialogue every program shares: species name, mesh unit, side,
// and the closing key wait. Each program passes its own wording.
//
// End of input is a value: a question that cannot be answered returns an
// empty optional, and the caller ends its run.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace scds {

struct Dialogue_Texts {
  std::string_view name_prompt;
  std::string_view yes_no_reprompt;
  std::string_view side_heading;
  std::string_view side_items[3];
  std::string_view side_reprompt;
  std::string_view unit_heading;
  std::size_t max_name = 0;  // longest species name whose paths fit
};

// Writes a text followed by one line end.
void Write_Line(std::ostream& out, std::string_view text);

// The next whitespace-delimited token; empty at the end of input.
std::optional<std::string> Read_Token(std::istream& in);

// True for an optional sign followed by one or more digits, nothing else.
bool Is_Whole_Integer(std::string_view token);

// Reads integers until one lies in [low, high]; every other answer (out of
// range or not a whole integer) is answered with the re-prompt written as a
// line. Empty at the end of input.
std::optional<long long> Read_Choice(std::istream& in, std::ostream& out, long long low, long long high,
                                     std::string_view reprompt);

// Reads a finite real number; a token that is not wholly a number, or whose
// value is not finite, is dropped and `prompt` is written again as is.
// Empty at the end of input.
std::optional<double> Read_Real(std::istream& in, std::ostream& out, std::string_view prompt);

// "\nThis name is too long for the file names it makes: use at most %d characters.\n"
std::string Name_Too_Long_Message(std::size_t max_name);

// What a name answers: a species (the name of one folder in Data/) or a
// mesh (a file name below a species' mesh folder, which may hold '/' but
// no '..' part).
enum class Name_Kind { Species, Mesh };

// The refusals of a name answer, each followed by the prompt again.
constexpr std::string_view kNameOfManyWordsMessage =
    "\nA name is one word without white space: this line holds more than one.\n";
constexpr std::string_view kNameWithNulMessage = "\nThis name holds a NUL byte, which no file name can hold.\n";
constexpr std::string_view kNameWithSlashMessage =
    "\nThis name holds a '/': a species name is the name of one folder in Data/.\n";
constexpr std::string_view kNameOfDotsMessage =
    "\nThis name is . or ..: a species name is the name of a folder of its own in Data/.\n";
constexpr std::string_view kNameLeavingItsFolderMessage =
    "\nThis name holds a .. folder, which leads out of the species' mesh folder.\n";

// The message refusing `name`, or empty when it is a name of that kind
// within max_name characters.
std::string Name_Refusal(std::string_view name, Name_Kind kind, std::size_t max_name);

// Asks one word under `prompt` (written as a line) and asks for its
// confirmation (1 yes, 2 no; 2 asks the word again). An answer line that
// holds more than one word is refused and dropped whole, so that no word of
// it answers the confirmation; a word that Name_Refusal refuses is said and
// the prompt written again.
std::optional<std::string> Confirmed_Name(std::istream& in, std::ostream& out, std::string_view prompt,
                                          std::string_view reprompt, std::size_t max_name, Name_Kind kind);

std::optional<std::string> Species_Name(std::istream& in, std::ostream& out, const Dialogue_Texts& texts);

// 1 micrometers, 2 millimeters, 3 centimeters.
std::optional<int> Unit(std::istream& in, std::ostream& out, const Dialogue_Texts& texts);

// 1 right, 2 left, 3 both.
std::optional<int> Menu(std::istream& in, std::ostream& out, const Dialogue_Texts& texts);

// The closing prompt; waits for any token (or the end of input) and returns
// the integer it holds, or 0.
int Exit(std::istream& in, std::ostream& out);

// Mesh units per millimetre for a Unit answer: 1000.0, 1.0 or 0.1.
double Unit_Factor(int unit_choice);

}  // namespace scds
