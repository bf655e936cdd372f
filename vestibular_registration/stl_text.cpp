#include "stl_text.h"

#include <cstring>
#include <system_error>

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
// reaches the window's end before it is decided is matched again piecewise.
constexpr std::size_t kLookahead = 4096;

enum class Window_Match { Complete, Stopped, Need_More };

// Matches one format against [p, end) of the window. On Complete or Stopped
// the values converted are stored and p is where the read ended; on
// Need_More nothing is stored or moved.
Window_Match Match_In_Window(const char*& p_io, const char* end, bool at_eof, std::string_view format,
                             double* out[3]) {
  const char* p = p_io;
  double values[3];
  int converted = 0;
  Window_Match result = Window_Match::Complete;
  for (std::size_t f = 0; f < format.size(); ++f) {
    const char wanted = format[f];
    if (Is_Space(static_cast<unsigned char>(wanted))) {
      while (p < end && Is_Space(static_cast<unsigned char>(*p))) ++p;
      if (p == end && !at_eof) return Window_Match::Need_More;
      continue;
    }
    if (wanted == '%') {
      f += 2;  // "%lf"
      while (p < end && Is_Space(static_cast<unsigned char>(*p))) ++p;
      const std::size_t length = Number_Length(p, end);
      if (!at_eof && static_cast<std::size_t>(end - p) < length + 16) return Window_Match::Need_More;
      if (length == 0) {
        result = Window_Match::Stopped;
        break;
      }
      values[converted++] = Number_Value(p, length);
      p += length;
      continue;
    }
    if (p == end) {
      if (!at_eof) return Window_Match::Need_More;
      result = Window_Match::Stopped;
      break;
    }
    if (*p != wanted) {
      result = Window_Match::Stopped;
      break;
    }
    ++p;
  }
  for (int k = 0; k < converted; ++k) *out[k] = values[k];
  p_io = p;
  return result;
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
  if (!size_error && size >= 84 && source.end >= 84) {
    const unsigned char* head = reinterpret_cast<const unsigned char*>(source.buffer.data());
    const std::uint64_t stored = static_cast<std::uint64_t>(head[80]) | (static_cast<std::uint64_t>(head[81]) << 8) |
                                 (static_cast<std::uint64_t>(head[82]) << 16) |
                                 (static_cast<std::uint64_t>(head[83]) << 24);
    if (size == 84 + 50 * stored) {
      STL_Close(mesh);
      return STL_Open_Result::Binary;
    }
  }

  // Count the lines, looking for NUL bytes on the way.
  std::int64_t lines = 0;
  int last = -1;
  do {
    const char* p = source.buffer.data() + source.pos;
    const char* stop = source.buffer.data() + source.end;
    if (p == stop) continue;
    if (std::memchr(p, '\0', static_cast<std::size_t>(stop - p)) != nullptr) {
      STL_Close(mesh);
      return STL_Open_Result::Binary;
    }
    last = static_cast<unsigned char>(stop[-1]);
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(stop - p)))) != nullptr) {
      ++lines;
      ++p;
    }
  } while (Source_Next_Block(source));
  if (source.failed) {
    STL_Close(mesh);
    return STL_Open_Result::Missing;
  }
  if (last != -1 && last != '\n') ++lines;
  mesh.lines = lines;
  return STL_Open_Result::Opened;
}

void STL_Close(STL_Mesh& mesh) { Source_Close(mesh.source); }

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

void STL_Read_Vector(STL_Mesh& mesh, int read, double& x, double& y, double& z) {
  Byte_Source& source = mesh.source;
  double* out[3] = {&x, &y, &z};
  Source_Fill(source, kLookahead);
  const char* p = source.buffer.data() + source.pos;
  const char* end = source.buffer.data() + source.end;
  const Window_Match match = Match_In_Window(p, end, source.at_eof, kReads[read], out);
  if (match != Window_Match::Need_More) {
    source.pos = static_cast<std::size_t>(p - source.buffer.data());
    if (match == Window_Match::Stopped) mesh.irregular = true;
    return;
  }
  const Scan_Result result = Scan_Format(source, kReads[read], out, 3);
  if (!result.complete) mesh.irregular = true;
}

void STL_Read_Facet(STL_Mesh& mesh, STL_Facet& facet) {
  STL_Read_Vector(mesh, 0, facet.Nx, facet.Ny, facet.Nz);
  STL_Read_Vector(mesh, 1, facet.V1x, facet.V1y, facet.V1z);
  STL_Read_Vector(mesh, 2, facet.V2x, facet.V2y, facet.V2z);
  STL_Read_Vector(mesh, 3, facet.V3x, facet.V3y, facet.V3z);
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
  std::string text = "\nImpossible to read ";
  text += path;
  text += "\nThe file is a binary STL; save it as ASCII STL.\n";
  return text;
}

std::string Irregular_STL_Message(std::string_view path) {
  std::string text = "\nWarning: ";
  text += path;
  text += " is not a regular ASCII STL mesh; values read from it may be wrong.\n";
  return text;
}

void Append_Registered_Vector(std::string& text, int read, double x, double y, double z) {
  static constexpr std::string_view kHeads[4] = {"\tfacet normal\t", "\touter loop\n\t\tvertex\t", "\t\tvertex\t",
                                                 "\t\tvertex\t"};
  text += kHeads[read];
  Append_F(text, x);
  text += '\t';
  Append_F(text, y);
  text += '\t';
  Append_F(text, z);
  text += read == 3 ? "\n\tendloop\nendfacet\n" : "\n";
}

}  // namespace scds
