#include "mesh_outcome.h"

namespace scds {

std::string Cannot_Read_Mesh_Message(std::string_view path, std::string_view advice) {
  std::string tail = "\n";
  tail += advice;
  tail += '\n';
  return Path_Message("\nImpossible to read ", path, tail);
}

bool Say_Mesh_Outcome(STL_Open_Result outcome, std::string_view path, std::string_view advice, Error_Log& log,
                      std::ostream& out) {
  switch (outcome) {
    case STL_Open_Result::Opened:
      return true;
    case STL_Open_Result::Binary:
      Error_Log_Report(log, out, Binary_STL_Message(path));
      break;
    case STL_Open_Result::Irregular:
      Error_Log_Report(log, out, Irregular_STL_Message(path));
      break;
    case STL_Open_Result::Missing:
      Error_Log_Report(log, out, Cannot_Read_Mesh_Message(path, advice));
      break;
  }
  return false;
}

}  // namespace scds
