// How every output of the suite is written: beside its place, under a
// temporary name of our own ("<name>.partial"), and put in its place (a
// rename) only once it is completely written, flushed to the disk and
// closed. Until then an earlier file of that name stands untouched, whatever
// happens to the process; an output that fails or is not finished leaves
// only that earlier file.
//
// The programs' own files (the temporary names and the temporary error
// logs) are always made afresh: whatever stands at such a name (a file, a
// link, a FIFO) is removed first, never followed, and the file is created
// exclusively, so nothing is ever written through a link someone left there
// and no open waits on a pipe.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "error_log.h"

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
  dev_t device = 0;             // the temporary file itself, whatever name it has later
  ino_t inode = 0;
  int record = -1;              // its record for the signal handler
  std::uint64_t written = 0;    // bytes handed to the stream
  std::uint64_t fail_after = UINT64_MAX;  // see Write_Failure_Seam
};

// Test seam: an output whose place is this file fails its writes once more
// than fail_after bytes were written, as a full disk would. An empty path
// (the default) touches no output.
struct Write_Failure_Seam {
  std::filesystem::path file;
  std::uint64_t fail_after = UINT64_MAX;
};
inline Write_Failure_Seam write_failure_seam;

// Test seam: another file is put at the name of the output whose place is
// `file`, as a racing process could: at its temporary name just before it
// is renamed (after_rename false) or at its place just after. The file at
// `swap_in` is moved there. An empty path (the default) touches no output.
struct Swap_Seam {
  std::filesystem::path file;
  std::filesystem::path swap_in;
  bool after_rename = false;
};
inline Swap_Seam swap_seam;

// Creates `file` afresh and opens it with `flags` (O_RDWR, say): whatever
// stands at that name is removed first (a link itself, never what it
// points at), then the file is created exclusively and without following
// a link, so one that appears in between makes the create fail. Returns -1
// when a folder stands there or the file cannot be removed (errno says
// why) or created.
int Create_Own_Descriptor(const std::filesystem::path& file, int flags);

// Opens a log that stays (the species error log, the unmerged log) for
// appending, without waiting, in plain system calls only (the signal
// handler uses it). One that exists is used only when it is a regular file
// (a link to one will do); one that does not exist is created as
// Create_Own_Descriptor does, so a dangling link is never followed.
// Returns -1 for anything else (a FIFO, a device, a socket, a folder, a
// dangling link) and when it cannot be opened. `created`, when given,
// tells whether this call made the log.
int Open_Log_Descriptor(const char* file, bool* created = nullptr);

// Puts what was written to the descriptor on the disk; true when it is
// there, or when the file is of a kind that cannot be synchronised (a
// terminal) and need not be. Plain system calls only.
bool Synced(int fd);

// Makes the entries of the folder that holds `file` durable (a rename or a
// creation there), so that a crash of the machine keeps them. A folder
// that cannot be synchronised (some file systems) is left as it is. Plain
// system calls only.
void Sync_Folder_Of(const char* file);

// Removes the file at `name` only while it is the file given by its device
// and inode (one of the run's own), never what someone put there in its
// place. Plain system calls only.
void Remove_If_Same_File(const char* name, dev_t device, ino_t inode);

// True while `name` holds that very file (a regular file of that device
// and inode). Plain system calls only.
bool Holds_Same_File(const char* name, dev_t device, ino_t inode);

// Writes all of `text` to the descriptor; false when a write fails. Plain
// system calls only.
bool Write_All(int fd, const char* text, std::size_t size);

// Opens the temporary file beside the output's place, removing whatever an
// earlier run or anyone else left at that name. Returns false when it cannot
// be created, or when a folder stands at the output's place (nothing could
// take it); the caller reports it (Cannot_Write_Output_Message).
bool Output_Create(Output_File& file, const std::filesystem::path& work_dir, std::string path);

void Output_Write(Output_File& file, std::string_view text);

// Flushes the text to the disk, closes the temporary file and puts it in the
// output's place, then makes the folder's new entry durable too. Returns
// true when the output took its place: when the output's name then holds
// the very file written (the same device and inode). Otherwise the
// temporary file is removed, an earlier file of that name stays as it was,
// and false is returned (the caller reports it); a file someone else put at
// the temporary name is neither renamed nor removed.
bool Output_Finish(Output_File& file);

// Closes and removes the temporary file (an output the run does not
// finish), when its name still holds it; an earlier file of that name stays
// as it was.
void Output_Discard(Output_File& file);

// Output_Create, saying a failure ("Impossible to write ...") on the console
// and in the log. Returns false when it was said.
bool Output_Begin(Output_File& file, const std::filesystem::path& work_dir, std::string path, Error_Log& log,
                  std::ostream& out);

// Output_Finish, saying a failure on the console and in the log. Returns
// false when it was said. Nothing happens for an output that did not begin.
bool Output_End(Output_File& file, Error_Log& log, std::ostream& out);

// An output the run made but does not keep (its side or set gave nothing
// to report): flushed, so that a write that failed is said on the console
// and in the log as Output_End would say it, then discarded. It never
// takes the place of an earlier file, whatever ends the run meanwhile.
// Returns false when a failure was said. Nothing happens for an output
// that did not begin.
bool Output_Abandon(Output_File& file, Error_Log& log, std::ostream& out);

// Writes one whole output: created, written, finished, a failure said once
// where it is found. Returns false when it was said (the caller counts it).
bool Output_Write_Whole(const std::filesystem::path& work_dir, const std::string& path, std::string_view text,
                        Error_Log& log, std::ostream& out);

// Removes an earlier output at `path` (a link itself, never what it points
// at). Nothing there, or a folder there (no earlier output), is no
// removal. A removal that fails is said on the console and in the log
// ("Impossible to remove ..."); the function then returns true, and the
// caller counts it like a file that cannot be written.
bool Output_Remove_Earlier(const std::filesystem::path& work_dir, const std::string& path, Error_Log& log,
                           std::ostream& out);

// "\nImpossible to remove %s\nAn earlier file of that name remains: remove it by hand.\n"
std::string Cannot_Remove_Message(std::string_view path);

}  // namespace scds
