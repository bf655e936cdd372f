// How every output of the suite is written: beside its place, under a
// temporary name of our own ("<name>.partial"), and put in its place (a
// rename) only once it is completely written, flushed to the disk and
// closed. Until then an earlier file of that name stands untouched, whatever
// happens to the process; an output that fails or is not finished leaves
// only that earlier file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace scds {

// Appended to an output's name for the file it is written into first.
constexpr std::string_view kPartialSuffix = ".partial";

struct Output_File {
  std::string path;             // as shown in messages
  std::filesystem::path full;   // work_dir / path: the output's place
  std::filesystem::path temp;   // beside it: where the text goes until it is complete
  std::FILE* stream = nullptr;
  bool created = false;         // the temporary file was created by this output
  bool failed = false;          // a write failed
};

// Opens the temporary file beside the output's place, truncating one left
// by an earlier run that did not finish. Returns false when it cannot be
// created, or when a folder stands at the output's place (nothing could
// take it); the caller reports it (Cannot_Write_Output_Message).
bool Output_Create(Output_File& file, const std::filesystem::path& work_dir, std::string path);

void Output_Write(Output_File& file, std::string_view text);

// Flushes the text to the disk, closes the temporary file and puts it in the
// output's place. Returns true when all of that succeeded; otherwise the
// temporary file is removed, an earlier file of that name stays as it was,
// and false is returned (the caller reports it).
bool Output_Finish(Output_File& file);

// Closes and removes the temporary file (an output the run does not
// finish); an earlier file of that name stays as it was.
void Output_Discard(Output_File& file);

}  // namespace scds
