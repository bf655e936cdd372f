// Small meshes for the mesh tests: facets written in the usual ASCII STL
// layout, closed outward-facing boxes with integer corners, so that their
// volumes are known by hand, and the layouts other tools write a mesh in.
#pragma once

#include <array>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace mesh_testing {

using Point = std::array<long, 3>;
using Triangle = std::array<Point, 3>;

// A coordinate as text: the integer followed by `exponent` ("", "e3" for
// micrometres, "e-1" for centimetres).
inline std::string Coordinate(long value, const std::string& exponent) {
  return std::to_string(value) + exponent;
}

inline std::string Facet_Text(const Triangle& t, const std::string& exponent = "",
                              const std::string& normal = "0 0 0") {
  std::string text = "  facet normal " + normal + "\n    outer loop\n";
  for (const Point& p : t) {
    text += "      vertex " + Coordinate(p[0], exponent) + " " + Coordinate(p[1], exponent) + " " +
            Coordinate(p[2], exponent) + "\n";
  }
  text += "    endloop\n  endfacet\n";
  return text;
}

inline std::string Mesh_Text(const std::vector<Triangle>& facets, const std::string& exponent = "") {
  std::string text = "solid fixture\n";
  for (const Triangle& t : facets) text += Facet_Text(t, exponent);
  return text + "endsolid fixture\n";
}

// The twelve facets of the box [x0, x0 + dx] x [y0, y0 + dy] x [z0, z0 + dz],
// counter-clockwise seen from outside: volume dx * dy * dz.
inline std::vector<Triangle> Box(long x0, long y0, long z0, long dx, long dy, long dz) {
  const long x1 = x0 + dx, y1 = y0 + dy, z1 = z0 + dz;
  const std::array<std::array<Point, 4>, 6> faces = {{
      {{{x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}}},  // -z
      {{{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}}},  // +z
      {{{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}}},  // -y
      {{{x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}}},  // +y
      {{{x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}}},  // -x
      {{{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}}},  // +x
  }};
  std::vector<Triangle> facets;
  for (const auto& q : faces) {
    facets.push_back({q[0], q[1], q[2]});
    facets.push_back({q[0], q[2], q[3]});
  }
  return facets;
}

inline std::vector<Triangle> Reversed(std::vector<Triangle> facets) {
  for (Triangle& t : facets) std::swap(t[1], t[2]);
  return facets;
}

// A mesh of "solid" line, facets of seven lines and end line (an input, a
// registered or a flat mesh) with its facets written `times` over.
inline std::string Repeat_Facets(std::string_view mesh, int times) {
  const std::size_t first = mesh.find('\n') + 1;
  const std::size_t last = mesh.rfind('\n', mesh.size() - 2) + 1;
  std::string text(mesh.substr(0, first));
  for (int k = 0; k < times; ++k) text += mesh.substr(first, last - first);
  return text + std::string(mesh.substr(last));
}

// What a mesh program says of a mesh at `path` laid out otherwise than
// one solid of seven lines a facet.
inline std::string Refused_Message(const std::string& path) {
  return "\nImpossible to read " + path +
         "\nThe file is not a regular ASCII STL mesh (one solid, seven lines a facet); save it again as ASCII STL.\n";
}

// The layouts a mesh laid out plainly (one solid, seven lines a facet, LF,
// at least seven facets, the end line last) is written in by other tools.
enum class Layout {
  Capitals,            // SOLID, FACET NORMAL, VERTEX, ...
  Two_Solids,          // the facets split between two solids in one file
  Blank_After_Facets,  // an empty line after each facet
  No_End_Line,         // the end line left out
  Cut_In_Facet,        // the file ends in the middle of the last facet's third vertex
  Empty,               // 0 bytes
  CRLF,                // CR LF line ends
  Blank_After_End,     // eight empty lines after the end line
};

struct Layout_Case {
  Layout layout;
  const char* name;
  bool refused;  // otherwise read as the same facets laid out plainly
};

inline constexpr Layout_Case kLayouts[] = {
    {Layout::Capitals, "keywords in capitals", true},
    {Layout::Two_Solids, "two solids in one file", true},
    {Layout::Blank_After_Facets, "a blank line after each facet", true},
    {Layout::No_End_Line, "no end line", true},
    {Layout::Cut_In_Facet, "cut inside a facet", true},
    {Layout::Empty, "a file of 0 bytes", true},
    {Layout::CRLF, "CR LF line ends", false},
    {Layout::Blank_After_End, "eight blank lines after endsolid", false},
};

// The plain mesh in the layout.
inline std::string Laid_Out(Layout layout, const std::string& plain) {
  std::string text;
  switch (layout) {
    case Layout::Capitals:
      for (char ch : plain) text += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      return text;
    case Layout::Two_Solids: {
      // After the first line and three facets: the first solid ends, the
      // second begins.
      std::size_t at = 0;
      for (int line = 0; line < 1 + 3 * 7; ++line) at = plain.find('\n', at) + 1;
      return plain.substr(0, at) + "endsolid first\nsolid second\n" + plain.substr(at);
    }
    case Layout::Blank_After_Facets:
      text = plain;
      for (std::size_t at = 0; (at = text.find("endfacet\n", at)) != std::string::npos; at += 10) {
        text.insert(at + 9, "\n");
      }
      return text;
    case Layout::No_End_Line:
      return plain.substr(0, plain.rfind('\n', plain.size() - 2) + 1);
    case Layout::Cut_In_Facet: {
      const std::size_t vertex = plain.rfind("vertex");
      return plain.substr(0, (vertex + plain.find('\n', vertex)) / 2);
    }
    case Layout::Empty:
      return "";
    case Layout::CRLF:
      for (char ch : plain) {
        if (ch == '\n') text += '\r';
        text += ch;
      }
      return text;
    case Layout::Blank_After_End:
      return plain + std::string(8, '\n');
  }
  return plain;
}

}  // namespace mesh_testing
