// The benchmark's workloads, each run as its own process so that its time
// and peak memory can be measured from outside:
//
//   stl_bench count FILE          line count of the shared reader
//   stl_bench read FILE           count and read every facet (twelve held coordinates)
//   stl_bench read-vector FILE    count and read every vector through one triple
//   stl_bench fgets-count FILE    the same line count with fgets and a 255-character buffer
//   stl_bench fscanf-read FILE    the same reading with fgets and fscanf
//   stl_bench fprintf-register MATRIX FILE OUT
//                                 a whole registration with fgets, fscanf and fprintf
//
// The read workloads print the facet count and the sum of the facets'
// tetrahedron volumes, so the shared reader and the baseline can be
// compared.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "mesh_measures.h"
#include "stl_text.h"

namespace {

const char* const kFormats[4] = {
    "\tfacet normal\t%lf\t%lf\t%lf\n",
    "\touter loop\n\t\tvertex\t%lf\t%lf\t%lf\n",
    "\t\tvertex\t%lf\t%lf\t%lf\n",
    "\t\tvertex\t%lf\t%lf\t%lf\n\tendloop\nendfacet\n",
};

int Count(const char* file) {
  scds::STL_Mesh mesh;
  if (scds::STL_Open(mesh, file) != scds::STL_Open_Result::Opened) return 1;
  std::printf("%" PRId64 " lines\n", mesh.lines);
  scds::STL_Close(mesh);
  return 0;
}

int Read(const char* file, bool triple) {
  scds::STL_Mesh mesh;
  if (scds::STL_Open(mesh, file) != scds::STL_Open_Result::Opened) return 1;
  const std::int64_t i = scds::Facet_Count(mesh);
  scds::STL_Facet f;
  double sum = 0.0, x = 0.0, y = 0.0, z = 0.0;
  for (std::int64_t j = 0; j < i; ++j) {
    if (triple) {
      scds::STL_Read_Vector(mesh, 0, x, y, z);
      f.Nx = x, f.Ny = y, f.Nz = z;
      scds::STL_Read_Vector(mesh, 1, x, y, z);
      f.V1x = x, f.V1y = y, f.V1z = z;
      scds::STL_Read_Vector(mesh, 2, x, y, z);
      f.V2x = x, f.V2y = y, f.V2z = z;
      scds::STL_Read_Vector(mesh, 3, x, y, z);
      f.V3x = x, f.V3y = y, f.V3z = z;
    } else {
      scds::STL_Read_Facet(mesh, f);
    }
    sum = sum + scds::Facet_Volume(f);
  }
  scds::STL_End_Read(mesh);
  std::printf("%" PRId64 " facets, volume %.17g%s\n", i, sum, mesh.irregular ? ", irregular" : "");
  scds::STL_Close(mesh);
  return 0;
}

std::int64_t Fgets_Count(std::FILE* in, char* line) {
  std::int64_t lines = 0;
  while (std::fgets(line, 255, in) != nullptr) ++lines;
  return lines;
}

int Fgets_Count_Only(const char* file) {
  std::FILE* in = std::fopen(file, "r");
  if (in == nullptr) return 1;
  char line[255];
  std::printf("%" PRId64 " lines\n", Fgets_Count(in, line));
  std::fclose(in);
  return 0;
}

int Fscanf_Read(const char* file) {
  std::FILE* in = std::fopen(file, "r");
  if (in == nullptr) return 1;
  char line[255];
  std::int64_t i = Fgets_Count(in, line);
  i = (i - 2) / 7;
  if (i < 0) i = 0;
  std::rewind(in);
  if (std::fgets(line, 255, in) == nullptr) line[0] = '\0';
  scds::STL_Facet f;
  double sum = 0.0;
  for (std::int64_t j = 0; j < i; ++j) {
    if (std::fscanf(in, kFormats[0], &f.Nx, &f.Ny, &f.Nz) < 0) {}
    if (std::fscanf(in, kFormats[1], &f.V1x, &f.V1y, &f.V1z) < 0) {}
    if (std::fscanf(in, kFormats[2], &f.V2x, &f.V2y, &f.V2z) < 0) {}
    if (std::fscanf(in, kFormats[3], &f.V3x, &f.V3y, &f.V3z) < 0) {}
    sum = sum + scds::Facet_Volume(f);
  }
  if (std::fgets(line, 255, in) == nullptr) line[0] = '\0';
  std::fclose(in);
  std::printf("%" PRId64 " facets, volume %.17g\n", i, sum);
  return 0;
}

int Fprintf_Register(const char* matrix, const char* file, const char* output) {
  double m[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::FILE* t = std::fopen(matrix, "r");
  if (t == nullptr) return 1;
  for (int r = 0; r < 3; ++r) {
    if (std::fscanf(t, "%lf\t%lf\t%lf\n", &m[3 * r], &m[3 * r + 1], &m[3 * r + 2]) < 0) {}
  }
  std::fclose(t);
  std::FILE* in = std::fopen(file, "r");
  if (in == nullptr) return 1;
  std::FILE* out = std::fopen(output, "w+");
  if (out == nullptr) return 1;
  char line[255];
  std::int64_t i = Fgets_Count(in, line);
  i = (i - 2) / 7;
  if (i < 0) i = 0;
  std::rewind(in);
  if (std::fgets(line, 255, in) == nullptr) line[0] = '\0';
  std::fprintf(out, "solid\n");
  static const char* const kWrites[4] = {
      "\tfacet normal\t%f\t%f\t%f\n",
      "\touter loop\n\t\tvertex\t%f\t%f\t%f\n",
      "\t\tvertex\t%f\t%f\t%f\n",
      "\t\tvertex\t%f\t%f\t%f\n\tendloop\nendfacet\n",
  };
  double x = 0.0, y = 0.0, z = 0.0;
  for (std::int64_t j = 0; j < i; ++j) {
    for (int k = 0; k < 4; ++k) {
      if (std::fscanf(in, kFormats[k], &x, &y, &z) < 0) {}
      const double x0 = m[0] * x + m[1] * y + m[2] * z;
      const double y0 = m[3] * x + m[4] * y + m[5] * z;
      const double z0 = m[6] * x + m[7] * y + m[8] * z;
      std::fprintf(out, kWrites[k], x0, y0, z0);
    }
  }
  if (std::fgets(line, 255, in) == nullptr) line[0] = '\0';
  std::fprintf(out, "endsolid\n");
  std::fclose(in);
  return std::fclose(out) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (argc == 3 && mode == "count") return Count(argv[2]);
  if (argc == 3 && mode == "read") return Read(argv[2], false);
  if (argc == 3 && mode == "read-vector") return Read(argv[2], true);
  if (argc == 3 && mode == "fgets-count") return Fgets_Count_Only(argv[2]);
  if (argc == 3 && mode == "fscanf-read") return Fscanf_Read(argv[2]);
  if (argc == 5 && mode == "fprintf-register") return Fprintf_Register(argv[2], argv[3], argv[4]);
  std::fprintf(stderr,
               "usage: stl_bench count|read|read-vector|fgets-count|fscanf-read FILE\n"
               "       stl_bench fprintf-register MATRIX FILE OUT\n");
  return 2;
}
