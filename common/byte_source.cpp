#include "byte_source.h"

#include <cstring>

namespace scds {

bool Source_Open(Byte_Source& source, const std::filesystem::path& file, std::size_t block) {
  Source_Close(source);
  source = Byte_Source{};
  source.stream = std::fopen(file.c_str(), "rb");
  if (source.stream == nullptr) return false;
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
  const std::size_t got = std::fread(source.buffer.data(), 1, source.buffer.size(), source.stream);
  source.end = got;
  if (got < source.buffer.size()) {
    if (std::ferror(source.stream)) source.failed = true;
    source.at_eof = true;
  }
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
    const std::size_t got = std::fread(source.buffer.data() + source.end, 1, room, source.stream);
    source.end += got;
    if (got < room) {
      if (std::ferror(source.stream)) source.failed = true;
      source.at_eof = true;
    }
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
    const char* p = source.buffer.data() + source.pos;
    const char* stop = source.buffer.data() + source.end;
    if (p < stop) last = static_cast<unsigned char>(stop[-1]);
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(stop - p)))) != nullptr) {
      ++count;
      ++p;
    }
    source.pos = source.end;
  } while (Source_Next_Block(source));
  if (last != '\n') ++count;
  return count;
}

}  // namespace scds
