#include "output_file.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace scds {

bool Output_Create(Output_File& file, const std::filesystem::path& work_dir, std::string path) {
  file = Output_File{};
  file.path = std::move(path);
  file.full = work_dir / file.path;
  file.temp = file.full;
  file.temp += kPartialSuffix;
  std::error_code error;
  if (std::filesystem::is_directory(file.full, error)) return false;
  file.stream = std::fopen(file.temp.c_str(), "w");
  file.created = file.stream != nullptr;
  return file.created;
}

void Output_Write(Output_File& file, std::string_view text) {
  if (file.stream == nullptr || file.failed) return;
  if (std::fwrite(text.data(), 1, text.size(), file.stream) != text.size()) file.failed = true;
}

bool Output_Finish(Output_File& file) {
  if (file.stream == nullptr) return false;
  if (std::fflush(file.stream) != 0 || std::ferror(file.stream)) file.failed = true;
  // On the disk before it takes the place of the earlier file, so that a
  // crash of the machine leaves one or the other whole. (A device such as
  // a terminal cannot be synchronised and need not be.)
  if (!file.failed && fdatasync(fileno(file.stream)) != 0 && errno != EINVAL && errno != EROFS) file.failed = true;
  if (std::fclose(file.stream) != 0) file.failed = true;
  file.stream = nullptr;
  std::error_code error;
  if (!file.failed) {
    std::filesystem::rename(file.temp, file.full, error);
    if (error) file.failed = true;
  }
  file.created = false;
  if (file.failed) {
    std::filesystem::remove(file.temp, error);
    return false;
  }
  return true;
}

void Output_Discard(Output_File& file) {
  if (file.stream != nullptr) std::fclose(file.stream);
  file.stream = nullptr;
  if (!file.created) return;
  file.created = false;
  std::error_code ignored;
  std::filesystem::remove(file.temp, ignored);
}

}  // namespace scds
