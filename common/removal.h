// Removing the inputs a run consumes once its results stand: a look first
// at whether the system lets this process remove them, so that files that
// go together (a set's raw vector files) go whole or not at all, and one
// message shape for a removal that cannot be done.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scds {

// Whether this process may remove the entry at `file` (a link itself, never
// what it points at), as far as the system shows it without trying: its
// folder lets this process write and search it and is neither append-only
// nor immutable; in a sticky folder the entry or the folder is this
// process's own (or the process is the superuser); the file itself is
// neither append-only nor immutable. An entry that is not there may go
// (nothing stays). What the system does not tell (a file system that keeps
// no such flags) counts as allowed: the removal itself then tells.
bool May_Remove(const std::filesystem::path& file);

// Removes the entry at `file` (a link itself). True when nothing stands at
// that name afterwards (also when nothing stood there).
bool Remove_Entry(const std::filesystem::path& file);

// "\nImpossible to remove %s\n%s\n": the path and what it means for the
// user, one line.
std::string Cannot_Remove_Input_Message(std::string_view path, std::string_view meaning);

}  // namespace scds
