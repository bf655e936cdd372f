#include "dialogue.h"

#include <cmath>
#include <limits>

#include "text_match.h"

namespace scds {

void Write_Line(std::ostream& out, std::string_view text) {
  out << text << '\n';
}

std::optional<std::string> Read_Token(std::istream& in) {
  std::string token;
  if (!(in >> token)) return std::nullopt;
  return token;
}

bool Is_Whole_Integer(std::string_view token) {
  std::size_t k = 0;
  if (k < token.size() && (token[k] == '+' || token[k] == '-')) ++k;
  if (k == token.size()) return false;
  for (; k < token.size(); ++k) {
    if (token[k] < '0' || token[k] > '9') return false;
  }
  return true;
}

namespace {

// The value of a whole integer, saturated far outside any menu's range.
long long Integer_Value(std::string_view token) {
  std::size_t k = 0;
  bool negative = false;
  if (token[k] == '+' || token[k] == '-') {
    negative = token[k] == '-';
    ++k;
  }
  long long value = 0;
  for (; k < token.size(); ++k) {
    if (value < 1000000000000LL) value = value * 10 + (token[k] - '0');
  }
  return negative ? -value : value;
}

}  // namespace

std::optional<long long> Read_Choice(std::istream& in, std::ostream& out, long long low, long long high,
                                     std::string_view reprompt) {
  for (;;) {
    const std::optional<std::string> token = Read_Token(in);
    if (!token) return std::nullopt;
    if (Is_Whole_Integer(*token)) {
      const long long value = Integer_Value(*token);
      if (value >= low && value <= high) return value;
    }
    Write_Line(out, reprompt);
  }
}

std::optional<double> Read_Real(std::istream& in, std::ostream& out, std::string_view prompt) {
  for (;;) {
    const std::optional<std::string> token = Read_Token(in);
    if (!token) return std::nullopt;
    double value = 0.0;
    // nan, inf and a decimal too large for a double (read as inf) are
    // numbers but not answers; a tiny decimal that reads as 0 is one.
    if (Parse_Whole_Number(*token, value) && std::isfinite(value)) return value;
    out << prompt;
  }
}

std::string Name_Too_Long_Message(std::size_t max_name) {
  return "\nThis name is too long for the file names it makes: use at most " + std::to_string(max_name) +
         " characters.\n";
}

namespace {

// True when one of the '/'-separated parts of the name is "..".
bool Holds_Parent_Folder(std::string_view name) {
  for (;;) {
    const std::size_t slash = name.find('/');
    if (name.substr(0, slash) == "..") return true;
    if (slash == std::string_view::npos) return false;
    name.remove_prefix(slash + 1);
  }
}

}  // namespace

std::string Name_Refusal(std::string_view name, Name_Kind kind, std::size_t max_name) {
  // A NUL byte would end the name of every file made from it early, so
  // that the paths would name other files.
  if (name.find('\0') != std::string_view::npos) return std::string(kNameWithNulMessage);
  if (kind == Name_Kind::Species) {
    if (name.find('/') != std::string_view::npos) return std::string(kNameWithSlashMessage);
    if (name == "." || name == "..") return std::string(kNameOfDotsMessage);
  } else if (Holds_Parent_Folder(name)) {
    // A mesh name names a file below ScanRef/Other/ and its registered
    // copy below VestRef/Other/: a .. part would lead out of those
    // folders, to any other file (an input, a report, a log, of this
    // species or another) that the registered mesh would then replace. A
    // plain name stays below them; where the user made one of their
    // sub-folders a link, it goes where that link leads.
    return std::string(kNameLeavingItsFolderMessage);
  }
  if (name.size() > max_name) return Name_Too_Long_Message(max_name);
  return {};
}

namespace {

// True when the line the last word came from holds nothing after it but
// white space; its line end is left to the next read.
bool Rest_Of_Line_Is_Blank(std::istream& in) {
  for (;;) {
    const int c = in.peek();
    if (c == std::char_traits<char>::eof() || c == '\n') return true;
    if (c != ' ' && c != '\t' && c != '\r' && c != '\v' && c != '\f') return false;
    in.get();
  }
}

}  // namespace

std::optional<std::string> Confirmed_Name(std::istream& in, std::ostream& out, std::string_view prompt,
                                          std::string_view reprompt, std::size_t max_name, Name_Kind kind) {
  for (;;) {
    Write_Line(out, prompt);
    const std::optional<std::string> name = Read_Token(in);
    if (!name) return std::nullopt;
    if (!Rest_Of_Line_Is_Blank(in)) {
      in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
      out << kNameOfManyWordsMessage;
      continue;
    }
    const std::string refusal = Name_Refusal(*name, kind, max_name);
    if (!refusal.empty()) {
      out << refusal;
      continue;
    }
    out << "\nIs " << *name << " the correct name?\n\n";
    Write_Line(out, "1. Yes");
    Write_Line(out, "2. No\n");
    const std::optional<long long> choice = Read_Choice(in, out, 1, 2, reprompt);
    if (!choice) return std::nullopt;
    if (*choice == 1) return name;
  }
}

std::optional<std::string> Species_Name(std::istream& in, std::ostream& out, const Dialogue_Texts& texts) {
  return Confirmed_Name(in, out, texts.name_prompt, texts.yes_no_reprompt, texts.max_name, Name_Kind::Species);
}

std::optional<int> Unit(std::istream& in, std::ostream& out, const Dialogue_Texts& texts) {
  Write_Line(out, texts.unit_heading);
  Write_Line(out, "1. micrometers");
  Write_Line(out, "2. millimeters");
  Write_Line(out, "3. centimeters\n");
  const std::optional<long long> choice = Read_Choice(
      in, out, 1, 3, "\nPlease only answer micrometers (1), millimeters (2) or centimeters (3):\n");
  if (!choice) return std::nullopt;
  return static_cast<int>(*choice);
}

std::optional<int> Menu(std::istream& in, std::ostream& out, const Dialogue_Texts& texts) {
  Write_Line(out, texts.side_heading);
  for (std::string_view item : texts.side_items) Write_Line(out, item);
  const std::optional<long long> choice = Read_Choice(in, out, 1, 3, texts.side_reprompt);
  if (!choice) return std::nullopt;
  return static_cast<int>(*choice);
}

int Exit(std::istream& in, std::ostream& out) {
  out << "\nPress any key, then Enter to exit." << std::flush;
  const std::optional<std::string> token = Read_Token(in);
  if (!token || !Is_Whole_Integer(*token)) return 0;
  const long long value = Integer_Value(*token);
  return (value > 2147483647LL || value < -2147483647LL) ? 0 : static_cast<int>(value);
}

double Unit_Factor(int unit_choice) {
  switch (unit_choice) {
    case 1:
      return 1000.0;
    case 2:
      return 1.0;
    default:
      return 0.1;
  }
}

}  // namespace scds
