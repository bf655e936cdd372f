#include "stl_text.h"

#include <bit>
#include <cstring>
#include <system_error>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "error_log.h"
#include "number_format.h"
#include "text_match.h"

namespace scds {
namespace {

constexpr std::string_view kReads[4] = {
    "\tfacet normal\t%lf\t%lf\t%lf\n",
    "\touter loop\n\t\tvertex\t%lf\t%lf\t%lf\n",
    "\t\tvertex\t%lf\t%lf\t%lf\n",
    "\t\tvertex\t%lf\t%lf\t%lf\n\tendloop\nendfacet\n",
};

// Bytes the window holds before a read is matched by pointer; a read that
// reaches the window's end before it is decided is matched again by the
// general matcher, which reads on across blocks.
constexpr std::size_t kLookahead = 1024;

// Outcome of one step of a read matched in the window.
enum Step : int {
  kMatched = 0,   // the step matched; the read goes on
  kStopped = 1,   // the text does not match: the read stops here
  kNeed_More = 2, // the window ends before the step is decided
};

// The part of the window a read is matched in. `eof` tells that nothing
// follows `end` in the file.
struct Window {
  const char* p;
  const char* end;
  bool eof;
};

inline bool Is_Digit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// White space of the format: any run, an empty one included.
inline int Skip(Window& w) {
  while (w.p < w.end && Is_Space(static_cast<unsigned char>(*w.p))) ++w.p;
  return (w.p == w.end && !w.eof) ? kNeed_More : kMatched;
}

// A keyword of the format. On a mismatch the read stops at the first
// character that differs, after the ones that matched.
template <std::size_t N>
inline int Word(Window& w, const char (&word)[N]) {
  constexpr std::size_t length = N - 1;
  if (static_cast<std::size_t>(w.end - w.p) >= length && std::memcmp(w.p, word, length) == 0) {
    w.p += length;
    return kMatched;
  }
  std::size_t k = 0;
  while (k < length && w.p + k < w.end && w.p[k] == word[k]) ++k;
  if (w.p + k == w.end && !w.eof) return kNeed_More;
  w.p += k;
  return kStopped;
}

constexpr double kSign[2] = {1.0, -1.0};

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Eight decimal digits at p, when all eight are digits: their value.
inline bool Eight_Digits(const char* p, std::uint64_t& value) {
  if constexpr (std::endian::native != std::endian::little) {
    return false;
  } else {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if ((((v + 0x4646464646464646) | (v - 0x3030303030303030)) & 0x8080808080808080) != 0) return false;
    v -= 0x3030303030303030;
    v = v * 10 + (v >> 8);  // pairs of digits
    v = (((v & 0x000000FF000000FF) * (100 + (std::uint64_t{1000000} << 32))) +
         (((v >> 16) & 0x000000FF000000FF) * (1 + (std::uint64_t{10000} << 32)))) >>
        32;
    value = v;
    return true;
  }
}

// One "%lf" (white space before it is already skipped). Short decimal
// numbers, as meshes are written, are converted here: at most 19 digits and
// a power of ten within 22 give, with one exact product or quotient, the
// correctly rounded value. Everything else goes to the general converter.
inline int Number(Window& w, double& value) {
  const char* q = w.p;
  if (w.end - q >= 32) {
    // 32 bytes hold the longest text this path looks at: sign, 19 digits,
    // point, exponent of up to four digits, and the byte after.
    // Signs come in no order: no branch on them.
    const bool negative = *q == '-';
    q += static_cast<int>(negative) | static_cast<int>(*q == '+');
    std::uint64_t mantissa = 0;
    int digits = 0;
    int scale = 0;
    std::uint64_t eight;
    if (Eight_Digits(q, eight)) {
      mantissa = eight;
      q += 8;
      digits = 8;
    }
    while (Is_Digit(*q) && digits < 19) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
      ++q;
      ++digits;
    }
    if (*q == '.') {
      ++q;
      if (digits <= 11 && Eight_Digits(q, eight)) {
        mantissa = mantissa * 100000000 + eight;
        q += 8;
        digits += 8;
        scale -= 8;
      }
      while (Is_Digit(*q) && digits < 19) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
        ++q;
        ++digits;
        --scale;
      }
    }
    if (digits > 0 && !Is_Digit(*q)) {
      bool exact = true;
      if ((*q | 0x20) == 'e') {
        const char* r = q + 1;
        const bool exp_negative = *r == '-';
        if (exp_negative || *r == '+') ++r;
        if (Is_Digit(*r)) {
          int exponent = 0;
          for (int k = 0; k < 4 && Is_Digit(*r); ++k, ++r) exponent = exponent * 10 + (*r - '0');
          if (Is_Digit(*r)) {
            exact = false;
          } else {
            scale += exp_negative ? -exponent : exponent;
            q = r;
          }
        }
        // An "e" without digits after it is not part of the number.
      }
      if (exact && mantissa <= (std::uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
        // mantissa is below 2^63: the signed conversion is one instruction.
        double v = static_cast<double>(static_cast<std::int64_t>(mantissa));
        v = scale >= 0 ? v * kPow10[scale] : v / kPow10[-scale];
        // Exact: a product by -1 only flips the sign (of a zero too).
        value = v * kSign[negative];
        w.p = q;
        return kMatched;
      }
    }
  }
  // The general converter: Number_Length needs the real end of the text, so
  // a number that may go on past the window is left to the general matcher.
  const std::size_t length = Number_Length(w.p, w.end);
  if (!w.eof && static_cast<std::size_t>(w.end - w.p) < length + 16) return kNeed_More;
  if (length == 0) return kStopped;
  value = Number_Value(w.p, length);
  w.p += length;
  return kMatched;
}

// "\t%lf\t%lf\t%lf\n": three numbers and the white space after them;
// `converted` counts the numbers stored in v.
inline int Three_Numbers(Window& w, double* v, int& converted) {
  for (int k = 0; k < 3; ++k) {
    if (int r = Skip(w)) return r;
    if (int r = Number(w, v[k])) return r;
    ++converted;
  }
  return Skip(w);
}

// The four reads of a facet, each a fixed sequence of steps:
// 0 "\tfacet normal\t%lf\t%lf\t%lf\n"
// 1 "\touter loop\n\t\tvertex\t%lf\t%lf\t%lf\n"
// 2 "\t\tvertex\t%lf\t%lf\t%lf\n"
// 3 "\t\tvertex\t%lf\t%lf\t%lf\n\tendloop\nendfacet\n"
template <int Read>
inline int Match_Read(Window& w, double* v, int& converted) {
  int r;
  if constexpr (Read == 0) {
    if ((r = Skip(w)) || (r = Word(w, "facet")) || (r = Skip(w)) || (r = Word(w, "normal"))) return r;
    return Three_Numbers(w, v, converted);
  } else if constexpr (Read == 1) {
    if ((r = Skip(w)) || (r = Word(w, "outer")) || (r = Skip(w)) || (r = Word(w, "loop")) || (r = Skip(w)) ||
        (r = Word(w, "vertex"))) {
      return r;
    }
    return Three_Numbers(w, v, converted);
  } else if constexpr (Read == 2) {
    if ((r = Skip(w)) || (r = Word(w, "vertex"))) return r;
    return Three_Numbers(w, v, converted);
  } else {
    if ((r = Skip(w)) || (r = Word(w, "vertex")) || (r = Three_Numbers(w, v, converted)) ||
        (r = Word(w, "endloop")) || (r = Skip(w)) || (r = Word(w, "endfacet"))) {
      return r;
    }
    return Skip(w);
  }
}

// One read into x, y, z: matched by pointer in the window when it fits,
// otherwise by the general matcher, which gives the same result.
template <int Read>
inline int Read_Vector(STL_Mesh& mesh, double& x, double& y, double& z) {
  Byte_Source& source = mesh.source;
  if (source.end - source.pos < kLookahead) Source_Fill(source, kLookahead);
  Window w{source.buffer.data() + source.pos, source.buffer.data() + source.end, source.at_eof};
  double v[3];
  int converted = 0;
  const int r = Match_Read<Read>(w, v, converted);
  if (r != kNeed_More) [[likely]] {
    if (converted > 0) x = v[0];
    if (converted > 1) y = v[1];
    if (converted > 2) z = v[2];
    source.pos = static_cast<std::size_t>(w.p - source.buffer.data());
    if (r == kStopped) mesh.irregular = true;
    return converted;
  }
  double* out[3] = {&x, &y, &z};
  const Scan_Result result = Scan_Format(source, kReads[Read], out, 3);
  if (!result.complete) mesh.irregular = true;
  return result.converted;
}

// The number of line feeds in [p, p + n); sets `nul` when a NUL byte is
// among them.
std::int64_t Count_Line_Ends(const char* p, std::size_t n, bool& nul) {
  std::int64_t count = 0;
  std::size_t k = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time: each lane of `lanes` counts the line feeds of
  // its byte position, for at most 255 rounds before it is summed.
  const __m128i line_feed = _mm_set1_epi8('\n');
  const __m128i zero = _mm_setzero_si128();
  __m128i nul_seen = zero;
  while (n - k >= 16) {
    std::size_t rounds = (n - k) / 16;
    if (rounds > 255) rounds = 255;
    __m128i lanes = zero;
    for (std::size_t r = 0; r < rounds; ++r, k += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(bytes, line_feed));
      nul_seen = _mm_or_si128(nul_seen, _mm_cmpeq_epi8(bytes, zero));
    }
    const __m128i sums = _mm_sad_epu8(lanes, zero);
    count += _mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums));
  }
  if (_mm_movemask_epi8(nul_seen) != 0) nul = true;
#endif
  for (; k < n; ++k) {
    if (p[k] == '\n') ++count;
    if (p[k] == '\0') nul = true;
  }
  return count;
}

// Drops the rest of the current line, its line end included, whatever its
// length.
void Drop_Line(Byte_Source& source) {
  for (;;) {
    const char* p = source.buffer.data() + source.pos;
    const char* stop = source.buffer.data() + source.end;
    const char* newline = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(stop - p)));
    if (newline != nullptr) {
      source.pos += static_cast<std::size_t>(newline + 1 - p);
      return;
    }
    source.pos = source.end;
    if (!Source_Next_Block(source)) return;
  }
}

}  // namespace

STL_Open_Result STL_Open(STL_Mesh& mesh, const std::filesystem::path& file, std::size_t block) {
  STL_Close(mesh);
  mesh = STL_Mesh{};
  if (!Source_Open(mesh.source, file, block)) return STL_Open_Result::Missing;
  Byte_Source& source = mesh.source;

  std::error_code size_error;
  const std::uintmax_t size = std::filesystem::file_size(file, size_error);
  if (!size_error && size >= 84 && (size - 84) % 50 == 0) {
    unsigned char head[4] = {0, 0, 0, 0};
    if (source.end >= 84) {
      std::memcpy(head, source.buffer.data() + 80, 4);
    } else {
      // A window smaller than the binary header.
      if (std::fseek(source.stream, 80, SEEK_SET) != 0 || std::fread(head, 1, 4, source.stream) != 4) {
        source.failed = true;
      }
      if (source.failed || !Source_Rewind(source)) {
        STL_Close(mesh);
        return STL_Open_Result::Missing;
      }
    }
    const std::uint64_t stored = static_cast<std::uint64_t>(head[0]) | (static_cast<std::uint64_t>(head[1]) << 8) |
                                 (static_cast<std::uint64_t>(head[2]) << 16) |
                                 (static_cast<std::uint64_t>(head[3]) << 24);
    if (size == 84 + 50 * stored) {
      STL_Close(mesh);
      return STL_Open_Result::Binary;
    }
  }

  // Count the lines up to the last one that holds more than white space,
  // looking for NUL bytes on the way. Each block is scanned back from its
  // end over white space only: `trailing` counts the line feeds after the
  // last byte that is not white space, and a block of white space alone
  // adds all of its line feeds to them.
  std::int64_t line_feeds = 0;
  std::int64_t trailing = 0;
  bool content = false;
  bool nul = false;
  do {
    const char* p = source.buffer.data() + source.pos;
    const std::size_t n = source.end - source.pos;
    if (n == 0) continue;
    line_feeds += Count_Line_Ends(p, n, nul);
    if (nul) {
      STL_Close(mesh);
      return STL_Open_Result::Binary;
    }
    std::size_t k = n;
    std::int64_t run = 0;
    while (k > 0 && Is_Space(static_cast<unsigned char>(p[k - 1]))) {
      --k;
      if (p[k] == '\n') ++run;
    }
    if (k > 0) {
      trailing = run;
      content = true;
    } else {
      trailing += run;
    }
  } while (Source_Next_Block(source));
  if (source.failed) {
    STL_Close(mesh);
    return STL_Open_Result::Missing;
  }
  mesh.lines = content ? line_feeds - trailing + 1 : 0;
  return STL_Open_Result::Opened;
}

void STL_Close(STL_Mesh& mesh) { Source_Close(mesh.source); }

STL_Open_Result STL_Read_Outcome(const STL_Mesh& mesh) {
  if (mesh.source.failed) return STL_Open_Result::Missing;
  return mesh.irregular ? STL_Open_Result::Irregular : STL_Open_Result::Opened;
}

std::int64_t Facet_Count(STL_Mesh& mesh) {
  STL_Restart(mesh);
  const std::int64_t count = (mesh.lines - 2) / 7;
  return count > 0 ? count : 0;
}

void STL_Restart(STL_Mesh& mesh) {
  Source_Rewind(mesh.source);
  mesh.irregular = false;
  Drop_Line(mesh.source);
}

int STL_Read_Vector(STL_Mesh& mesh, int read, double& x, double& y, double& z) {
  switch (read) {
    case 0:
      return Read_Vector<0>(mesh, x, y, z);
    case 1:
      return Read_Vector<1>(mesh, x, y, z);
    case 2:
      return Read_Vector<2>(mesh, x, y, z);
    default:
      return Read_Vector<3>(mesh, x, y, z);
  }
}

void STL_Read_Facet(STL_Mesh& mesh, STL_Facet& facet) {
  Read_Vector<0>(mesh, facet.Nx, facet.Ny, facet.Nz);
  Read_Vector<1>(mesh, facet.V1x, facet.V1y, facet.V1z);
  Read_Vector<2>(mesh, facet.V2x, facet.V2y, facet.V2z);
  Read_Vector<3>(mesh, facet.V3x, facet.V3y, facet.V3z);
}

void STL_End_Read(STL_Mesh& mesh) {
  Byte_Source& source = mesh.source;
  Skip_Space(source);
  Source_Fill(source, 8);
  if (Source_Available(source) < 8 || std::memcmp(source.buffer.data() + source.pos, "endsolid", 8) != 0) {
    mesh.irregular = true;
  }
  Drop_Line(source);
}

std::string Binary_STL_Message(std::string_view path) {
  return Path_Message("\nImpossible to read ", path, "\nThe file is a binary STL; save it as ASCII STL.\n");
}

std::string Irregular_STL_Message(std::string_view path) {
  return Path_Message("\nImpossible to read ", path,
                      "\nThe file is not a regular ASCII STL mesh (one solid, seven lines a facet); save it again as "
                      "ASCII STL.\n");
}

char* Format_Registered_Vector(char* out, int read, double x, double y, double z) {
  static constexpr std::string_view kHeads[4] = {"\tfacet normal\t", "\touter loop\n\t\tvertex\t", "\t\tvertex\t",
                                                 "\t\tvertex\t"};
  const std::string_view head = kHeads[read & 3];
  std::memcpy(out, head.data(), head.size());
  out += head.size();
  out = Format_F(out, x);
  *out++ = '\t';
  out = Format_F(out, y);
  *out++ = '\t';
  out = Format_F(out, z);
  if (read == 3) {
    std::memcpy(out, "\n\tendloop\nendfacet\n", 19);
    return out + 19;
  }
  *out++ = '\n';
  return out;
}

void Append_Registered_Vector(std::string& text, int read, double x, double y, double z) {
  char buffer[kRegisteredVectorMax];
  const char* end = Format_Registered_Vector(buffer, read, x, y, z);
  text.append(buffer, static_cast<std::size_t>(end - buffer));
}

}  // namespace scds
