#include "byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace scds {

namespace {

// Opens a regular file for reading without waiting. Returns null when the
// file cannot be opened or is not a regular file.
std::FILE* Open_Regular_File(const std::filesystem::path& file) {
  const int fd = Keep_Regular_File(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd < 0) return nullptr;
  std::FILE* stream = ::fdopen(fd, "rb");
  if (stream == nullptr) ::close(fd);
  return stream;
}

// Reads up to `room` bytes into `into`, within the test seam's allowance.
// A short read marks the end of the stream, and a failed one the source.
std::size_t Read_Stream(Byte_Source& source, char* into, std::size_t room) {
  const std::uint64_t allowed = source.fail_after - source.bytes_read;
  const std::size_t want = allowed < room ? static_cast<std::size_t>(allowed) : room;
  const std::size_t got = want > 0 ? std::fread(into, 1, want, source.stream) : 0;
  source.bytes_read += got;
  if (got < room) {
    if (std::ferror(source.stream) || source.bytes_read == source.fail_after) source.failed = true;
    source.at_eof = true;
  }
  return got;
}

}  // namespace

namespace {

// The window over a stream just opened: the first block read, or false.
bool Source_Start(Byte_Source& source, std::size_t block) {
  // The window is the only buffer: the stream's own buffer would copy every
  // byte a second time.
  std::setvbuf(source.stream, nullptr, _IONBF, 0);
  source.buffer.resize(block);
  Source_Next_Block(source);
  if (source.failed) {
    Source_Close(source);
    return false;
  }
  return true;
}

}  // namespace

int Keep_Regular_File(int fd) {
  if (fd < 0) return -1;
  struct stat status;
  const int flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0 ||
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool Source_Open(Byte_Source& source, const std::filesystem::path& file, std::size_t block) {
  Source_Close(source);
  source = Byte_Source{};
  source.stream = Open_Regular_File(file);
  if (source.stream == nullptr) return false;
  if (!read_failure_seam.file.empty() && read_failure_seam.file == file) {
    source.fail_after = read_failure_seam.fail_after;
  }
  return Source_Start(source, block);
}

void Source_Close(Byte_Source& source) {
  if (source.stream != nullptr) std::fclose(source.stream);
  source.stream = nullptr;
}

bool Source_Rewind(Byte_Source& source) {
  if (source.stream == nullptr) return false;
  if (std::fseek(source.stream, 0, SEEK_SET) != 0) {
    source.failed = true;
    return false;
  }
  std::clearerr(source.stream);
  source.pos = source.end = 0;
  source.at_eof = false;
  return Source_Next_Block(source) || !source.failed;
}

bool Source_Next_Block(Byte_Source& source) {
  source.pos = source.end = 0;
  if (source.at_eof || source.stream == nullptr) return false;
  const std::size_t got = Read_Stream(source, source.buffer.data(), source.buffer.size());
  source.end = got;
  return got > 0;
}

std::size_t Source_Fill(Byte_Source& source, std::size_t want) {
  if (want > source.buffer.size()) want = source.buffer.size();
  std::size_t have = source.end - source.pos;
  if (have >= want || source.at_eof || source.stream == nullptr) return have;
  if (source.pos > 0) {
    std::memmove(source.buffer.data(), source.buffer.data() + source.pos, have);
    source.pos = 0;
    source.end = have;
  }
  while (source.end < want && !source.at_eof) {
    const std::size_t room = source.buffer.size() - source.end;
    source.end += Read_Stream(source, source.buffer.data() + source.end, room);
  }
  return source.end - source.pos;
}

void Skip_Space(Byte_Source& source) {
  for (;;) {
    while (source.pos < source.end && Is_Space(static_cast<unsigned char>(source.buffer[source.pos]))) ++source.pos;
    if (source.pos < source.end) return;
    if (!Source_Next_Block(source)) return;
  }
}

std::int64_t Line_Count(Byte_Source& source) {
  std::int64_t count = 0;
  int last = 0;
  do {
    const char* begin = source.buffer.data() + source.pos;
    const char* end = source.buffer.data() + source.end;
    if (begin != end) last = static_cast<unsigned char>(end[-1]);
    count += std::count(begin, end, '\n');
    source.pos = source.end;
  } while (Source_Next_Block(source));
  return last == '\n' ? count : count + 1;
}

}  // namespace scds
