// Small meshes for the mesh tests: facets written in the usual ASCII STL
// layout, and closed outward-facing boxes with integer corners, so that their
// volumes are known by hand.
#pragma once

#include <array>
#include <string>
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

}  // namespace mesh_testing
