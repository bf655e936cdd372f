// Writes a large closed ASCII STL mesh for the benchmark: a torus of
// 2 * rings * segments facets with outward normals, every coordinate written
// with nine significant digits in exponent form. A vertex shared by several
// facets is written with the same text each time, so the mesh is closed.
//
//   make_mesh FACETS FILE
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Point {
  double x, y, z;
};

Point Torus_Point(long u, long v, long rings, long segments) {
  const double pi = 3.14159265358979323846;
  const double a = 2.0 * pi * static_cast<double>(u % rings) / static_cast<double>(rings);
  const double b = 2.0 * pi * static_cast<double>(v % segments) / static_cast<double>(segments);
  const double major = 2.5, minor = 0.4;
  return {(major + minor * std::cos(b)) * std::cos(a), (major + minor * std::cos(b)) * std::sin(a),
          minor * std::sin(b)};
}

void Write_Facet(std::FILE* out, const Point& p, const Point& q, const Point& r) {
  const double ux = q.x - p.x, uy = q.y - p.y, uz = q.z - p.z;
  const double vx = r.x - p.x, vy = r.y - p.y, vz = r.z - p.z;
  double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
  const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (length > 0.0) {
    nx /= length;
    ny /= length;
    nz /= length;
  }
  std::fprintf(out,
               "  facet normal %.8e %.8e %.8e\n    outer loop\n      vertex %.8e %.8e %.8e\n"
               "      vertex %.8e %.8e %.8e\n      vertex %.8e %.8e %.8e\n    endloop\n  endfacet\n",
               nx, ny, nz, p.x, p.y, p.z, q.x, q.y, q.z, r.x, r.y, r.z);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_mesh FACETS FILE\n");
    return 2;
  }
  const long facets = std::atol(argv[1]);
  if (facets < 18 || facets % 2 != 0) {
    std::fprintf(stderr, "make_mesh: FACETS must be even and at least 18\n");
    return 2;
  }
  // rings * segments = facets / 2, with segments the largest divisor not
  // above the square root (at least 3).
  const long quads = facets / 2;
  long segments = 3;
  for (long s = 3; s * s <= quads; ++s) {
    if (quads % s == 0) segments = s;
  }
  if (quads % segments != 0) {
    std::fprintf(stderr, "make_mesh: FACETS / 2 must have a divisor of at least 3\n");
    return 2;
  }
  const long rings = quads / segments;
  std::FILE* out = std::fopen(argv[2], "w");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  static char buffer[1 << 20];
  std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
  std::fprintf(out, "solid torus\n");
  for (long u = 0; u < rings; ++u) {
    for (long v = 0; v < segments; ++v) {
      const Point a = Torus_Point(u, v, rings, segments), b = Torus_Point(u + 1, v, rings, segments);
      const Point c = Torus_Point(u + 1, v + 1, rings, segments), d = Torus_Point(u, v + 1, rings, segments);
      Write_Facet(out, a, b, c);
      Write_Facet(out, a, c, d);
    }
  }
  std::fprintf(out, "endsolid torus\n");
  if (std::fclose(out) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
