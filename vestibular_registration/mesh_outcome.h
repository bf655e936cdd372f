// What became of a mesh a program tried to read, said the one way every
// mesh program says it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "error_log.h"
#include "stl_text.h"

namespace scds {

// The line under a mesh's cannot-read message: the volume and cupula
// programs name the species too, the registration programs the file only.
constexpr std::string_view kVerifyBothNames = "Verify both species name and STL file name.";
constexpr std::string_view kVerifyFileName = "Verify STL file name.";

// "\nImpossible to read %s\n" + advice + "\n"
std::string Cannot_Read_Mesh_Message(std::string_view path, std::string_view advice);

// Says what became of a mesh, on the console and in the log: one that did
// not open (missing, not a regular file) or whose reading failed gets the
// cannot-read message with the program's advice line, a binary STL and a
// mesh read from irregular text each their own message; one read whole from
// regular text says nothing. Returns true only for that one, whose values
// are used; every other counts as a mesh that cannot be read.
bool Say_Mesh_Outcome(STL_Open_Result outcome, std::string_view path, std::string_view advice, Error_Log& log,
                      std::ostream& out);

}  // namespace scds
