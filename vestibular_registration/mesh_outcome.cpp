#include "mesh_outcome.h"

namespace scds {

std::string Cannot_Read_Mesh_Message(std::string_view path, std::string_view advice) {
  std::string tail = "\n";
  tail += advice;
  tail += '\n';
  return Path_Message("\nImpossible to read ", path, tail);
}

bool Say_Mesh_Outcome(STL_Open_Result opened, bool read_failed, bool irregular, std::string_view path,
                      std::string_view advice, Error_Log& log, std::ostream& out) {
  if (opened == STL_Open_Result::Binary) {
    Error_Log_Report(log, out, Binary_STL_Message(path));
    return false;
  }
  if (opened == STL_Open_Result::Missing || read_failed) {
    Error_Log_Report(log, out, Cannot_Read_Mesh_Message(path, advice));
    return false;
  }
  if (irregular) Error_Log_Report(log, out, Irregular_STL_Message(path));
  return true;
}

}  // namespace scds
