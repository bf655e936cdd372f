// ASCII STL mesh text: the reading rule every mesh program applies (count
// the lines, drop the first, four formatted reads per facet, drop the end
// line) and the registered-mesh layout.
//
// A mesh is streamed: one facet (or one vector) at a time is read, and the
// caller uses it before the next read. The reads note whether the text is
// regular: one solid, lower-case keywords, seven lines a facet, any white
// space, LF or CR LF. A mesh whose text is not (a read that stops before
// the end of its format, an end line that is not "endsolid") is known only
// once it has been read; the caller then discards whatever it made from it
// and refuses the mesh as one that cannot be read. A read that does not
// match keeps the values it did not set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "byte_source.h"
#include "number_format.h"

namespace scds {

struct STL_Facet {
  double Nx = 0.0, Ny = 0.0, Nz = 0.0;
  double V1x = 0.0, V1y = 0.0, V1z = 0.0;
  double V2x = 0.0, V2y = 0.0, V2z = 0.0;
  double V3x = 0.0, V3y = 0.0, V3z = 0.0;
};

struct STL_Mesh {
  Byte_Source source;
  std::int64_t lines = 0;     // lines counted when the mesh was opened, up to the last one not blank
  bool irregular = false;     // a facet read stopped early, or the end line is not "endsolid"
};

// What became of a mesh: when it was opened (STL_Open), and once it was
// read (STL_Read_Outcome).
enum class STL_Open_Result {
  Opened,     // an ASCII mesh, its lines counted; once read, read whole from regular text
  Missing,    // cannot be opened or read
  Binary,     // a binary STL: not read
  Irregular,  // read, but not regular ASCII STL text: refused
};

// Bytes read from the mesh at a time: small enough for the processor's
// caches, large enough for few system calls.
constexpr std::size_t kSTLBlock = std::size_t{1} << 16;

// Opens the mesh, tells a binary STL (a NUL byte anywhere, or a size of
// exactly 84 + 50 n for the count n stored at bytes 80 to 83), and counts
// its lines up to the last one that holds more than white space: white
// space after the end line does not count, a last line without a line end
// does, a file of white space alone (or empty) has none.
// `block` is the size of the reading window (tests use small ones to put
// tokens across its edges).
STL_Open_Result STL_Open(STL_Mesh& mesh, const std::filesystem::path& file, std::size_t block = kSTLBlock);

void STL_Close(STL_Mesh& mesh);

// What the reads of an opened mesh found: Missing when its reading failed
// (an I/O error, a rewind that did not happen), Irregular when its text is
// not regular, Opened otherwise.
STL_Open_Result STL_Read_Outcome(const STL_Mesh& mesh);

// (lines - 2) / 7, truncated, never negative; leaves the mesh just after its
// first line, ready for the facet reads.
std::int64_t Facet_Count(STL_Mesh& mesh);

// Goes back to the start and drops the first line again (for a second pass
// over the facets, after Flanmere's first-facet pass).
void STL_Restart(STL_Mesh& mesh);

// The four formatted reads of a facet, in order:
// 0 "\tfacet normal\t%lf\t%lf\t%lf\n"
// 1 "\touter loop\n\t\tvertex\t%lf\t%lf\t%lf\n"
// 2 "\t\tvertex\t%lf\t%lf\t%lf\n"
// 3 "\t\tvertex\t%lf\t%lf\t%lf\n\tendloop\nendfacet\n"
// Each sets x, y, z as far as the text matches, and returns how many of
// them it set (0 to 3); one that stops before the end of its format marks
// the mesh irregular.
int STL_Read_Vector(STL_Mesh& mesh, int read, double& x, double& y, double& z);

// The four reads into the twelve coordinates of one facet.
void STL_Read_Facet(STL_Mesh& mesh, STL_Facet& facet);

// Drops the end line; one that does not begin with "endsolid" (after any
// white space), or none at all, marks the mesh irregular.
void STL_End_Read(STL_Mesh& mesh);

// "\nImpossible to read %s\nThe file is a binary STL; save it as ASCII STL.\n"
std::string Binary_STL_Message(std::string_view path);

// "\nImpossible to read %s\nThe file is not a regular ASCII STL mesh (one solid, seven lines a facet);
// save it again as ASCII STL.\n"
std::string Irregular_STL_Message(std::string_view path);

// The registered-mesh layout.
constexpr std::string_view kSolidLine = "solid\n";
constexpr std::string_view kEndSolidLine = "endsolid\n";

// Appends the text of one vector of a registered facet: read 0 to 3 as in
// STL_Read_Vector ("\tfacet normal\t%f\t%f\t%f\n", ...).
void Append_Registered_Vector(std::string& text, int read, double x, double y, double z);

// Room Format_Registered_Vector needs at most.
constexpr std::size_t kRegisteredVectorMax = 64 + 3 * kFormatFMax;

// Writes the same text as Append_Registered_Vector into out (which has room
// for kRegisteredVectorMax characters) and returns the end of what was
// written.
char* Format_Registered_Vector(char* out, int read, double x, double y, double z);

}  // namespace scds
