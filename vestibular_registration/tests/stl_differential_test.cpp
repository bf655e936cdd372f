// The shared reader against glibc's fscanf with the same four formats, on
// many generated and mutated meshes, in both ways of holding a facet and
// with windows small enough to put every token across an edge.
//
// Inputs where glibc's fscanf reads numbers differently from the suite's
// rule are left out: "0x" (hexadecimal), an exponent without digits, a lone
// sign or point, "nan(...)", partial words such as "infin", and numbers out
// of range. glibc cannot put back more than one character, so it consumes
// such text where the suite's rule leaves it.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "scds_testing.h"
#include "stl_text.h"

namespace {

using scds_testing::Temp_Dir;
using scds_testing::Write_File;

const char* const kFormats[4] = {
    "\tfacet normal\t%lf\t%lf\t%lf\n%n",
    "\touter loop\n\t\tvertex\t%lf\t%lf\t%lf\n%n",
    "\t\tvertex\t%lf\t%lf\t%lf\n%n",
    "\t\tvertex\t%lf\t%lf\t%lf\n\tendloop\nendfacet\n%n",
};

struct Read_Run {
  std::int64_t facets = 0;
  bool irregular = false;
  std::vector<std::array<std::uint64_t, 12>> values;  // bit patterns after each facet
};

std::uint64_t Bits(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

constexpr double kStart[12] = {0.5, -1, 2, -3, 4, -5, 6, -7, 8, -9, 10, -11};

// The reading rule with glibc: fgets counts the lines up to the last one
// that holds more than white space (with a buffer larger than any line of
// these meshes, so each line counts once), fscanf reads the facets.
Read_Run Reference(const std::string& file, bool triple) {
  Read_Run run;
  std::FILE* in = std::fopen(file.c_str(), "r");
  if (in == nullptr) return run;
  std::vector<char> line(1 << 16);
  std::int64_t lines = 0, last = 0;
  while (std::fgets(line.data(), static_cast<int>(line.size()), in) != nullptr) {
    ++lines;
    for (const char* c = line.data(); *c != '\0'; ++c) {
      if (!std::isspace(static_cast<unsigned char>(*c))) {
        last = lines;
        break;
      }
    }
  }
  run.facets = (last - 2) / 7;
  if (run.facets < 0) run.facets = 0;
  std::rewind(in);
  if (std::fgets(line.data(), static_cast<int>(line.size()), in) == nullptr) line[0] = '\0';
  double f[12];
  std::memcpy(f, kStart, sizeof f);
  double x = kStart[9], y = kStart[10], z = kStart[11];
  for (std::int64_t j = 0; j < run.facets; ++j) {
    std::array<std::uint64_t, 12> held;
    for (int read = 0; read < 4; ++read) {
      int end = -1;
      double* px = triple ? &x : &f[3 * read];
      double* py = triple ? &y : &f[3 * read + 1];
      double* pz = triple ? &z : &f[3 * read + 2];
      if (std::fscanf(in, kFormats[read], px, py, pz, &end) < 0) end = -1;
      if (end < 0) run.irregular = true;
      held[3 * read] = Bits(*px);
      held[3 * read + 1] = Bits(*py);
      held[3 * read + 2] = Bits(*pz);
    }
    run.values.push_back(held);
  }
  if (std::fscanf(in, " ") < 0) {
    // end of file: nothing follows
  }
  char head[9] = {};
  if (std::fread(head, 1, 8, in) != 8 || std::memcmp(head, "endsolid", 8) != 0) run.irregular = true;
  std::fclose(in);
  return run;
}

Read_Run Shared_Reader(const std::string& file, bool triple, std::size_t block) {
  Read_Run run;
  scds::STL_Mesh mesh;
  if (scds::STL_Open(mesh, file, block) != scds::STL_Open_Result::Opened) {
    ADD_FAILURE() << "not opened";
    return run;
  }
  run.facets = scds::Facet_Count(mesh);
  scds::STL_Facet f{kStart[0], kStart[1], kStart[2], kStart[3], kStart[4], kStart[5],
                    kStart[6], kStart[7], kStart[8], kStart[9], kStart[10], kStart[11]};
  double x = kStart[9], y = kStart[10], z = kStart[11];
  for (std::int64_t j = 0; j < run.facets; ++j) {
    std::array<std::uint64_t, 12> held;
    if (triple) {
      for (int read = 0; read < 4; ++read) {
        scds::STL_Read_Vector(mesh, read, x, y, z);
        held[3 * read] = Bits(x);
        held[3 * read + 1] = Bits(y);
        held[3 * read + 2] = Bits(z);
      }
    } else {
      scds::STL_Read_Facet(mesh, f);
      const double v[12] = {f.Nx, f.Ny, f.Nz, f.V1x, f.V1y, f.V1z, f.V2x, f.V2y, f.V2z, f.V3x, f.V3y, f.V3z};
      for (int k = 0; k < 12; ++k) held[k] = Bits(v[k]);
    }
    run.values.push_back(held);
  }
  scds::STL_End_Read(mesh);
  run.irregular = mesh.irregular;
  scds::STL_Close(mesh);
  return run;
}

// Random mesh text in the many layouts the rule accepts.
struct Generator {
  std::mt19937_64 random;
  explicit Generator(std::uint64_t seed) : random(seed) {}

  int Pick(int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); }

  std::string Space() {
    static const char* const kSpaces[] = {" ", " ", " ", "\t", "  ", " \t ", "\t\t", "   "};
    return kSpaces[Pick(8)];
  }

  std::string Indent() {
    static const char* const kIndents[] = {"", "  ", "    ", "\t", "\t\t", "      ", " "};
    return kIndents[Pick(7)];
  }

  std::string Line_End() {
    switch (Pick(12)) {
      case 0:
        return "\r\n";
      case 1:
        return " \n";
      case 2:
        return "\n\n";
      case 3:
        return "\t\r\n";
      default:
        return "\n";
    }
  }

  std::string Number() {
    char buffer[128];
    const double magnitude = std::ldexp(static_cast<double>(random() >> 11), -53) * std::pow(10.0, Pick(9) - 4);
    const double v = Pick(2) ? -magnitude : magnitude;
    switch (Pick(20)) {
      case 0:
        return std::to_string(Pick(2001) - 1000);
      case 1:
        std::snprintf(buffer, sizeof buffer, "+%d", Pick(100));
        return buffer;
      case 2:
        return Pick(2) ? ".5" : "-.25";
      case 3:
        return Pick(2) ? "5." : "+7.e1";
      case 4:
        return "-1.5e-03";
      case 5:
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        return buffer;
      case 6:
        std::snprintf(buffer, sizeof buffer, "%.9E", v);
        return buffer;
      case 7: {
        std::string digits;
        const int n = 20 + Pick(30);
        for (int k = 0; k < n; ++k) digits += static_cast<char>('0' + Pick(10));
        if (Pick(2)) return digits;
        std::snprintf(buffer, sizeof buffer, "0.%se-%d", digits.c_str(), Pick(20));
        return buffer;
      }
      case 8: {
        static const char* const kWords[] = {"inf", "-Infinity", "nan", "+INF", "-nan", "NaN"};
        return kWords[Pick(6)];
      }
      case 9:
        return "0";
      case 10:
        return "-0.000000";
      case 11:
        std::snprintf(buffer, sizeof buffer, "%f", v);
        return buffer;
      default:
        std::snprintf(buffer, sizeof buffer, "%.8e", v);
        return buffer;
    }
  }

  std::string Vector_Line(const char* keyword) {
    std::string line = Indent() + keyword;
    for (int k = 0; k < 3; ++k) line += Space() + Number();
    return line + Line_End();
  }

  std::string Facet() {
    std::string text;
    text += Indent() + "facet" + Space() + "normal";
    for (int k = 0; k < 3; ++k) text += Space() + Number();
    text += Line_End();
    text += Indent() + "outer" + Space() + "loop" + Line_End();
    for (int k = 0; k < 3; ++k) text += Vector_Line("vertex");
    text += Indent() + "endloop" + Line_End();
    text += Indent() + "endfacet" + Line_End();
    return text;
  }

  std::string Mesh() {
    static const char* const kFirst[] = {"solid ear", "solid", "", "solid  scan_7 ", "solid Mesh\t01"};
    static const char* const kLast[] = {"endsolid ear", "endsolid", "  endsolid", "endsolid scan_7", "end"};
    std::string text = kFirst[Pick(5)] + Line_End();
    const int n = Pick(6);
    for (int k = 0; k < n; ++k) text += Facet();
    switch (Pick(8)) {
      case 0:
        break;  // no end line
      case 1:
        text += kLast[Pick(5)];  // no final line end
        break;
      case 2:
        text += std::string(kLast[Pick(5)]) + "\n\n\n\n\n\n\n\n";
        break;
      default:
        text += kLast[Pick(5)] + Line_End();
    }
    return text;
  }

  void Mutate(std::string& text) {
    if (text.empty()) return;
    const std::size_t at = random() % text.size();
    static const char kInserted[] = " \t\n\r1-+.eE0vFfx,;a";
    switch (Pick(7)) {
      case 0:
        text.erase(at, 1);
        break;
      case 1:
        text.insert(at, 1, kInserted[Pick(static_cast<int>(sizeof kInserted) - 1)]);
        break;
      case 2: {
        // delete a line
        const std::size_t begin = text.rfind('\n', at);
        const std::size_t finish = text.find('\n', at);
        const std::size_t from = begin == std::string::npos ? 0 : begin + 1;
        text.erase(from, finish == std::string::npos ? std::string::npos : finish + 1 - from);
        break;
      }
      case 3: {
        // duplicate a line
        const std::size_t begin = text.rfind('\n', at);
        const std::size_t finish = text.find('\n', at);
        const std::size_t from = begin == std::string::npos ? 0 : begin + 1;
        if (finish != std::string::npos) text.insert(from, text.substr(from, finish + 1 - from));
        break;
      }
      case 4:
        // upper-case a letter
        if (std::islower(static_cast<unsigned char>(text[at]))) {
          text[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
        }
        break;
      case 5:
        text.insert(at, std::string(static_cast<std::size_t>(1 + Pick(300)), Pick(2) ? ' ' : '\n'));
        break;
      default:
        text.erase(at, static_cast<std::size_t>(1 + Pick(6)));
    }
  }
};

bool Is_Digit(char c) { return c >= '0' && c <= '9'; }

// The word of letters that starts at k, lower-cased.
std::string Word_At(const std::string& s, std::size_t k) {
  std::string word;
  while (k < s.size() && std::isalpha(static_cast<unsigned char>(s[k]))) {
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(s[k])));
    ++k;
  }
  return word;
}

// The word of letters that ends just before k (skipping white space first),
// lower-cased.
std::string Word_Before(const std::string& s, std::size_t k) {
  while (k > 0 && std::isspace(static_cast<unsigned char>(s[k - 1]))) --k;
  std::size_t begin = k;
  while (begin > 0 && std::isalpha(static_cast<unsigned char>(s[begin - 1]))) --begin;
  return Word_At(s, begin).substr(0, k - begin);
}

// True when glibc's fscanf may read the text differently from the rule.
bool Glibc_Departs(const std::string& s) {
  auto at = [&s](std::size_t k) -> char { return k < s.size() ? s[k] : '\0'; };
  for (std::size_t k = 0; k < s.size(); ++k) {
    const char c = s[k];
    const char prev = k > 0 ? s[k - 1] : ' ';
    if ((c == 'x' || c == 'X') && prev == '0') return true;
    if (c == '(') return true;
    if ((c == 'e' || c == 'E') && (Is_Digit(prev) || prev == '.')) {
      const char n1 = at(k + 1);
      if (!(Is_Digit(n1) || ((n1 == '+' || n1 == '-') && Is_Digit(at(k + 2))))) return true;
      // an exponent of more than three digits may leave the range
      std::size_t d = (n1 == '+' || n1 == '-') ? k + 2 : k + 1;
      int digits = 0;
      while (Is_Digit(at(d))) ++d, ++digits;
      if (digits > 3) return true;
    }
    if (c == '+' || c == '-') {
      const char n1 = at(k + 1);
      const std::string word = Word_At(s, k + 1);
      const bool number_word = word == "inf" || word == "infinity" || word == "nan";
      if (!(Is_Digit(n1) || (n1 == '.' && Is_Digit(at(k + 2))) || number_word)) return true;
    }
    if (c == '.' && !Is_Digit(prev) && !Is_Digit(at(k + 1))) return true;
    if (std::isalpha(static_cast<unsigned char>(c)) && !std::isalpha(static_cast<unsigned char>(prev))) {
      const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (lower == 'i' || lower == 'n') {
        const std::string word = Word_At(s, k);
        const bool number_word = word == "inf" || word == "infinity" || word == "nan";
        const bool keyword = word == "normal" && Word_Before(s, k) == "facet";
        if (!number_word && !keyword) return true;
      }
    }
  }
  // Digit strings so long that, with an exponent, they may leave the range.
  std::size_t run = 0;
  for (char c : s) {
    run = Is_Digit(c) ? run + 1 : 0;
    if (run > 250) return true;
  }
  return false;
}

TEST(DifferentialReading, AgreesWithGlibcFscanf) {
  Temp_Dir dir;
  const std::string file = (dir.path / "m.stl").string();
  Generator generator(20240611);
  int compared = 0, irregular = 0, skipped = 0;
  for (int trial = 0; trial < 4000 && !HasFailure(); ++trial) {
    std::string text = generator.Mesh();
    const int mutations = trial % 3 == 0 ? 0 : generator.Pick(4);
    for (int m = 0; m < mutations; ++m) generator.Mutate(text);
    if (Glibc_Departs(text)) {
      ++skipped;
      continue;
    }
    Write_File(file, text);
    for (bool triple : {false, true}) {
      const Read_Run expected = Reference(file, triple);
      if (expected.irregular) ++irregular;
      for (std::size_t block : {std::size_t{64}, std::size_t{97}, std::size_t{1000}, scds::kSTLBlock}) {
        const Read_Run got = Shared_Reader(file, triple, block);
        ASSERT_EQ(got.facets, expected.facets) << text;
        ASSERT_EQ(got.irregular, expected.irregular) << "block " << block << "\n" << text;
        for (std::size_t j = 0; j < expected.values.size(); ++j) {
          for (int k = 0; k < 12; ++k) {
            double g, e;
            std::memcpy(&g, &got.values[j][k], sizeof g);
            std::memcpy(&e, &expected.values[j][k], sizeof e);
            ASSERT_EQ(got.values[j][k], expected.values[j][k])
                << "facet " << j << " coordinate " << k << (triple ? " (one triple)" : " (twelve held)") << " block "
                << block << ": got " << g << ", fscanf " << e << "\n"
                << text;
          }
        }
      }
      ++compared;
    }
  }
  // The generator must reach both regular and irregular meshes in number.
  EXPECT_GT(compared, 4000);
  EXPECT_GT(irregular, 500);
  EXPECT_LT(skipped, 2000);
}

}  // namespace
