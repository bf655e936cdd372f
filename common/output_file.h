// An output text file that reports when it cannot be created, written or
// closed, and that never leaves a partial file behind.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace scds {

struct Output_File {
  std::string path;                 // as shown in messages
  std::filesystem::path full;       // work_dir / path
  std::FILE* stream = nullptr;
  bool failed = false;              // a write failed
  std::filesystem::path replaces;   // set: the file written takes this one's place when finished
};

// Creates (or truncates) the file. Returns false when it cannot be created;
// the caller reports it (Cannot_Write_Output_Message).
bool Output_Create(Output_File& file, const std::filesystem::path& work_dir, std::string path);

// Like Output_Create, for a file whose older version must survive a failed
// attempt: the text goes to "<path>.partial" beside it, which takes the old
// file's place only when Output_Finish succeeds.
bool Output_Create_Replacing(Output_File& file, const std::filesystem::path& work_dir, std::string path);

void Output_Write(Output_File& file, std::string_view text);

// Closes the file. Returns true when everything was written; otherwise the
// file is removed and false is returned (the caller reports it).
bool Output_Finish(Output_File& file);

// Closes and removes the file (an output the run does not finish).
void Output_Discard(Output_File& file);

}  // namespace scds
