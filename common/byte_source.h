// A text input read in large blocks: the matcher, the line counters and the
// mesh reader all work on its window of bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace scds {

struct Byte_Source {
  std::FILE* stream = nullptr;
  std::vector<char> buffer;  // the window; its size is the block size
  std::size_t pos = 0;       // next unread byte in the window
  std::size_t end = 0;       // end of the valid bytes in the window
  bool at_eof = false;       // nothing more can come from the stream
  bool failed = false;       // a read of the stream failed (an I/O error)
  std::uint64_t bytes_read = 0;  // bytes taken from the stream since it opened
  // Test seam: a read that wants more than this many bytes in all fails, as
  // an I/O error would (a rewind does not start the count again).
  std::uint64_t fail_after = UINT64_MAX;
};

// Test seam: a source opened on this file gets this fail_after, so a test
// can make a file that a program opens fail while it is read. An empty path
// (the default) touches no source.
struct Read_Failure_Seam {
  std::filesystem::path file;
  std::uint64_t fail_after = UINT64_MAX;
};
inline Read_Failure_Seam read_failure_seam;

constexpr std::size_t kDefaultBlock = std::size_t{1} << 16;
constexpr std::size_t kMeshBlock = std::size_t{1} << 20;

// Keeps a descriptor opened without waiting (O_NONBLOCK, which makes the
// open of a FIFO return at once) only when it is a regular file: returns it
// with blocking mode restored, or closes it and returns -1 (also for -1).
int Keep_Regular_File(int fd);

// Opens the file for reading and reads its first block. Only a regular file
// is read: the open never waits (a FIFO without a writer would hold it
// forever), and a FIFO, a device, a socket or a folder is closed again at
// once. Such a file, like one whose first read fails (an I/O error), counts
// as one that does not open: the function returns false in every case.
bool Source_Open(Byte_Source& source, const std::filesystem::path& file, std::size_t block = kDefaultBlock);

// Closes the stream (nothing happens when none is open).
void Source_Close(Byte_Source& source);

// Goes back to the start of the file. Returns false when that fails.
bool Source_Rewind(Byte_Source& source);

// Makes at least `want` unread bytes available in the window unless the end
// of the file comes first (want is capped at the block size). Returns the
// number of unread bytes available.
std::size_t Source_Fill(Byte_Source& source, std::size_t want);

// Reads the next block when the window is used up. Returns false at the end
// of the file (or after a read error).
bool Source_Next_Block(Byte_Source& source);

inline std::size_t Source_Available(const Byte_Source& source) { return source.end - source.pos; }

// The next byte, or -1 at the end of the file.
inline int Source_Peek(Byte_Source& source) {
  if (source.pos == source.end && !Source_Next_Block(source)) return -1;
  return static_cast<unsigned char>(source.buffer[source.pos]);
}

// True for the white space of C's isspace in the "C" locale.
inline bool Is_Space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Skips any run of white space, an empty one included.
void Skip_Space(Byte_Source& source);

// Counts lines the way the error logs are counted: every line feed from the
// current position to the end, plus one when the last byte read is not a
// line feed (so a stream with nothing left gives 1).
std::int64_t Line_Count(Byte_Source& source);

}  // namespace scds
