#include "text_match.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <cstdlib>
#include <string>

#include "byte_source.h"
#include "scds_testing.h"
#include "transform_matrix.h"

namespace {

using scds_testing::Temp_Dir;
using scds_testing::Write_File;

// A source over the given text, read in blocks of `block` bytes.
struct Text_Source {
  Temp_Dir dir;
  scds::Byte_Source source;
  explicit Text_Source(const std::string& text, std::size_t block = scds::kDefaultBlock) {
    Write_File(dir.path / "input.txt", text);
    EXPECT_TRUE(scds::Source_Open(source, dir.path / "input.txt", block));
  }
  ~Text_Source() { scds::Source_Close(source); }
  // What is left unread.
  std::string Rest() {
    std::string rest;
    int c;
    while ((c = scds::Source_Peek(source)) != -1) {
      rest.push_back(static_cast<char>(c));
      ++source.pos;
    }
    return rest;
  }
};

struct Number_Case {
  const char* text;
  int converted;         // numbers the read "%lf" stores (0 or 1)
  double value;          // when converted
  const char* rest;      // what the read leaves
};

TEST(ScanFormat, NumbersFollowStrtodOnDecimalText) {
  const Number_Case cases[] = {
      {"0x12", 1, 0.0, "x12"},
      {"0xy", 1, 0.0, "xy"},
      {"1e", 1, 1.0, "e"},
      {"1e+", 1, 1.0, "e+"},
      {"1e+2z", 1, 100.0, "z"},
      {"-1.5e-03 ", 1, -1.5e-03, " "},
      {"+2\n", 1, 2.0, "\n"},
      {"  \n\t 7", 1, 7.0, ""},
      {".5", 1, 0.5, ""},
      {"5.", 1, 5.0, ""},
      {"-", 0, 0.0, "-"},
      {"+x", 0, 0.0, "+x"},
      {".", 0, 0.0, "."},
      {"-.e1", 0, 0.0, "-.e1"},
      {"1,5", 1, 1.0, ",5"},
      {"1e400", 1, HUGE_VAL, ""},
      {"-1e400", 1, -HUGE_VAL, ""},
      {"1e-400", 1, 0.0, ""},
      {"INF", 1, HUGE_VAL, ""},
      {"-Infinity!", 1, -HUGE_VAL, "!"},
      {"infinit", 1, HUGE_VAL, "init"},
      {"0.1000000000000000055511151231257827", 1, 0.1, ""},
      {"123456789012345678901234567890", 1, 123456789012345678901234567890.0, ""},
      {"2.2250738585072011e-308", 1, 2.2250738585072011e-308, ""},
      {"4.9e-324", 1, 4.9e-324, ""},
      {"abc", 0, 0.0, "abc"},
  };
  for (const Number_Case& c : cases) {
    Text_Source input(c.text);
    double value = -99.0;
    const scds::Scan_Result result = scds::Scan(input.source, "%lf", &value);
    EXPECT_EQ(result.converted, c.converted) << c.text;
    if (c.converted == 1) {
      EXPECT_EQ(value, c.value) << c.text;
    } else {
      EXPECT_EQ(value, -99.0) << c.text;
    }
    EXPECT_EQ(input.Rest(), c.rest) << c.text;
  }
}

TEST(ScanFormat, NanInAnyCaseIsANumberButNotItsParentheses) {
  Text_Source input("NaN(1) -nan");
  double a = 0.0, b = 0.0;
  EXPECT_EQ(scds::Scan(input.source, "%lf", &a).converted, 1);
  EXPECT_TRUE(std::isnan(a));
  EXPECT_EQ(input.Rest(), "(1) -nan");
  Text_Source second("-nan");
  EXPECT_EQ(scds::Scan(second.source, "%lf", &b).converted, 1);
  EXPECT_TRUE(std::isnan(b));
  EXPECT_TRUE(std::signbit(b));
}

TEST(ScanFormat, DecimalsAgreeWithStrtodOnManyValues) {
  std::string text;
  std::vector<std::string> tokens;
  char buffer[64];
  unsigned seed = 99;
  for (int k = 0; k < 20000; ++k) {
    seed = seed * 1103515245u + 12345u;
    const double v = (static_cast<double>(seed % 2000001) - 1000000.0) * std::pow(10.0, static_cast<int>(seed % 41) - 20);
    std::snprintf(buffer, sizeof buffer, (k % 3 == 0) ? "%.9e" : (k % 3 == 1) ? "%.17g" : "%f", v);
    tokens.emplace_back(buffer);
    text += buffer;
    text += (k % 2) ? "\t" : "\r\n";
  }
  // A small block makes numbers straddle the block edges.
  Text_Source input(text, 37);
  for (const std::string& token : tokens) {
    double value = 0.0;
    ASSERT_EQ(scds::Scan(input.source, " %lf", &value).converted, 1) << token;
    ASSERT_EQ(value, std::strtod(token.c_str(), nullptr)) << token;
  }
}

TEST(ScanFormat, VeryLongNumbersAreConvertedExactly) {
  const std::string digits(5000, '3');
  const std::string text = "0." + digits + "e1 " + std::string(3000, '0') + "12.5e-1|";
  Text_Source input(text, 64);
  double a = 0.0, b = 0.0;
  EXPECT_EQ(scds::Scan(input.source, "%lf %lf", &a, &b).converted, 2);
  EXPECT_EQ(a, std::strtod(("0." + digits + "e1").c_str(), nullptr));
  EXPECT_EQ(b, 1.25);
  EXPECT_EQ(input.Rest(), "|");
}

// Long runs of zeros before, inside and after the digits, and exponents
// of any length: every way of reading a number gives strtod's value, both a
// typed answer (the whole text at once) and a file read through windows of
// two sizes (the number longer or shorter than the window).
TEST(ScanFormat, LongExponentsAndLongRunsOfZerosGiveStrtodsValue) {
  struct Long_Case {
    const char* head;
    std::size_t zeros;  // this many '0' between head and tail
    const char* tail;
  };
  const Long_Case cases[] = {
      {".", 100004, "1e1000054"},   // the leading zeros cancel all but 900,050 of the exponent: inf
      {".", 100004, "1e100054"},    // 1e49
      {".", 100004, "1e100005"},    // 1
      {"-.", 300, "25e300"},        // -0.25
      {"1", 100004, "e-100004"},    // 1
      {"1", 100004, "e-100330"},    // below the smallest subnormal: 0
      {"1", 25, "e-25"},            // more than 19 digits, trailing zeros
      {"123456789", 400, "e-400"},  // 123456789
      {"0.", 20, "e99999999999999"},  // zero stays zero with any exponent
      {"0.000001e", 100, "1"},      // exponent digits after many zeros
      {"5e", 100000, "3"},          // an exponent of 100,001 digits: 5000
      {"1e", 30, "999999999999999999999999999999"},  // inf
      {"1e-9999999999999999999999999", 0, ""},      // 0
      {"-1e+9999999999999999999999999", 0, ""},     // -inf
      {"0.", 323, "49"},            // the smallest subnormal
      {"0.", 323, "24703282292062328"},  // just above half of it: rounds up
      {"0.", 323, "24703282292062327"},  // just below: rounds to 0
      {"17976931348623158", 292, ""},    // the largest double
      {"17976931348623159", 292, ""},    // past its rounding boundary: inf
      {"9.", 0, "999999999999999999999999999999999999999999999999999999999999e-1"},  // 1
  };
  for (const Long_Case& c : cases) {
    const std::string text = c.head + std::string(c.zeros, '0') + c.tail;
    const double expected = std::strtod(text.c_str(), nullptr);
    const std::string name = std::string(c.head) + "<" + std::to_string(c.zeros) + " zeros>" + c.tail;
    double typed = -99.0;
    EXPECT_TRUE(scds::Parse_Whole_Number(text, typed)) << name;
    EXPECT_EQ(typed, expected) << name;
    for (std::size_t block : {std::size_t{64}, scds::kDefaultBlock}) {
      Text_Source input(text + " |", block);
      double read = -99.0;
      EXPECT_EQ(scds::Scan(input.source, "%lf", &read).converted, 1) << name << " block " << block;
      EXPECT_EQ(read, expected) << name << " block " << block;
      EXPECT_EQ(input.Rest(), " |") << name << " block " << block;
    }
  }
}

TEST(ScanFormat, BlanksMatchAnyRunOfWhiteSpaceOrNone) {
  const char* texts[] = {"1\t2\t3\n", "1 2 3", "1\n\n\n2   3\r\n", "  1\t\t2\v3\f"};
  for (const char* text : texts) {
    Text_Source input(text);
    double a = 0, b = 0, c = 0;
    const scds::Scan_Result result = scds::Scan(input.source, "%lf\t%lf\t%lf\n", &a, &b, &c);
    EXPECT_TRUE(result.complete) << text;
    EXPECT_EQ(result.converted, 3);
    EXPECT_EQ(a + b * 10 + c * 100, 321.0) << text;
    EXPECT_EQ(input.Rest(), "") << text;
  }
  // None at all: a blank of the format may match nothing.
  Text_Source joined("Anterior duct:1.5mm^3");
  double v = 0;
  EXPECT_TRUE(scds::Scan(joined.source, "Anterior duct: %lf mm^3\n", &v).complete);
  EXPECT_EQ(v, 1.5);
}

TEST(ScanFormat, AMismatchStopsTheReadAndLeavesTheCharacter) {
  Text_Source input("Right Anterior duct: 0x 1.5q 2z\nNext");
  double x = 7, y = 7, z = 7;
  const scds::Scan_Result result = scds::Scan(input.source, "Right Anterior duct: %lfx %lfy %lfz\n", &x, &y, &z);
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(result.converted, 2);
  EXPECT_EQ(x, 0.0);
  EXPECT_EQ(y, 1.5);
  EXPECT_EQ(z, 7.0);  // not reached: keeps its value
  // The next read starts at the mismatching character.
  EXPECT_EQ(input.Rest(), "q 2z\nNext");
}

TEST(ScanFormat, LiteralsAreExactAndCaseMatters) {
  Text_Source input("facet NORMAL 1 2 3");
  double a = 5;
  EXPECT_EQ(scds::Scan(input.source, "\tfacet normal\t%lf", &a).converted, 0);
  EXPECT_EQ(a, 5.0);
  EXPECT_EQ(input.Rest(), "NORMAL 1 2 3");
  Text_Source percent("Division error: 12.5 %\n");
  double d = 0;
  EXPECT_TRUE(scds::Scan(percent.source, "Division error: %lf %%\n", &d).complete);
  EXPECT_EQ(d, 12.5);
  Text_Source start("\nENDOLYMPH VOLUMES");
  EXPECT_FALSE(scds::Scan(start.source, "ENDOLYMPH VOLUMES\n").complete);
}

TEST(ScanFormat, EndOfFileStopsEveryLaterRead) {
  Text_Source input("1\t2");
  double a = 0, b = 0, c = 9, d = 9;
  EXPECT_EQ(scds::Scan(input.source, "%lf\t%lf\t%lf\n", &a, &b, &c).converted, 2);
  EXPECT_EQ(scds::Scan(input.source, "%lf\n", &d).converted, 0);
  EXPECT_EQ(c, 9.0);
  EXPECT_EQ(d, 9.0);
}

TEST(TransformMatrix, FileTextReadsBackRoundedToSixDecimals) {
  scds::Transform_Matrix m{0.1234567, -1.0, 2.5, 1e-9, -0.0, 3.0, 1234.5678915, 0.0, -7.25};
  const std::string text = scds::Transform_Matrix_Text(m);
  EXPECT_EQ(text,
            "0.123457\t-1.000000\t2.500000\n0.000000\t-0.000000\t3.000000\n1234.567892\t0.000000\t-7.250000");
  Text_Source input(text);
  scds::Transform_Matrix back;
  EXPECT_EQ(scds::Transform_Matrix_Read(input.source, back), 9);
  EXPECT_EQ(back.TMA, 0.123457);
  EXPECT_EQ(back.TMG, 1234.567892);
  EXPECT_EQ(back.TMI, -7.25);
}

TEST(TransformMatrix, ShortFileLeavesTheRestZero) {
  Text_Source input("1 2 3\n4 5");
  scds::Transform_Matrix m;
  EXPECT_EQ(scds::Transform_Matrix_Read(input.source, m), 5);
  EXPECT_EQ(m.TME, 5.0);
  EXPECT_EQ(m.TMF, 0.0);
  EXPECT_EQ(m.TMI, 0.0);
}

// Only a regular file is read. Everything else counts as a file that does
// not open, at once: a FIFO without a writer would hold a blocking open
// forever, and a device such as /dev/zero never ends. The alarm ends the
// test process should an open wait.
TEST(ByteSource, OnlyARegularFileOpensAndNothingWaits) {
  Temp_Dir dir;
  const std::filesystem::path fifo = dir.path / "fifo.stl";
  scds_testing::Make_Fifo(fifo);
  std::filesystem::create_symlink("/dev/zero", dir.path / "zero.stl");
  std::filesystem::create_symlink(fifo, dir.path / "to_fifo.stl");
  const std::filesystem::path socket_path = dir.path / "socket";
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socket_path.string().size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socket_path.c_str());
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  Write_File(dir.path / "regular.stl", "solid\n");
  std::filesystem::create_symlink(dir.path / "regular.stl", dir.path / "to_regular.stl");
  struct Open_Case {
    std::filesystem::path file;
    bool opens;
  };
  const Open_Case cases[] = {
      {dir.path, false},
      {dir.path / "missing.txt", false},
      {fifo, false},
      {dir.path / "to_fifo.stl", false},
      {dir.path / "zero.stl", false},
      {"/dev/null", false},
      {socket_path, false},
      {dir.path / "regular.stl", true},
      {dir.path / "to_regular.stl", true},
  };
  ::alarm(20);
  for (const Open_Case& c : cases) {
    scds::Byte_Source source;
    EXPECT_EQ(scds::Source_Open(source, c.file), c.opens) << c.file;
    EXPECT_EQ(source.stream != nullptr, c.opens) << c.file;
    if (c.opens) {
      EXPECT_EQ(scds::Line_Count(source), 1) << c.file;
      // The reads after the open wait as usual: the stream is blocking again.
      EXPECT_EQ(::fcntl(::fileno(source.stream), F_GETFL) & O_NONBLOCK, 0) << c.file;
    }
    scds::Source_Close(source);
  }
  ::alarm(0);
  ::close(fd);
}

// The test seam: a read that wants more bytes than allowed fails as an I/O
// error would, counting across a rewind, so a file can open and be counted
// and then fail on its second pass.
TEST(ByteSource, ReadsFailPastTheSeamsAllowance) {
  Temp_Dir dir;
  const std::filesystem::path file = dir.path / "mesh.stl";
  Write_File(file, std::string(100, 'a') + "\n" + std::string(99, 'b'));
  scds::read_failure_seam = {file, 260};
  scds::Byte_Source source;
  ASSERT_TRUE(scds::Source_Open(source, file, 16));
  EXPECT_EQ(scds::Line_Count(source), 2);
  EXPECT_FALSE(source.failed);
  EXPECT_TRUE(scds::Source_Rewind(source));
  EXPECT_EQ(scds::Line_Count(source), 1);  // the 60 bytes it got hold no line feed
  EXPECT_TRUE(source.failed);
  EXPECT_EQ(source.bytes_read, 260u);
  scds::Source_Close(source);
  // Another file is not touched; an allowance that the first read passes
  // makes the file one that does not open.
  Write_File(dir.path / "other.stl", "abc");
  EXPECT_TRUE(scds::Source_Open(source, dir.path / "other.stl"));
  EXPECT_FALSE(source.failed);
  scds::read_failure_seam.fail_after = 50;
  EXPECT_FALSE(scds::Source_Open(source, file));
  scds::read_failure_seam = {};
  EXPECT_TRUE(scds::Source_Open(source, file));
  scds::Source_Close(source);
}

}  // namespace
