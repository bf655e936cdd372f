#include "output_file.h"

#include <system_error>

namespace scds {

bool Output_Create(Output_File& file, const std::filesystem::path& work_dir, std::string path) {
  file = Output_File{};
  file.path = std::move(path);
  file.full = work_dir / file.path;
  file.stream = std::fopen(file.full.c_str(), "w+");
  return file.stream != nullptr;
}

bool Output_Create_Replacing(Output_File& file, const std::filesystem::path& work_dir, std::string path) {
  file = Output_File{};
  file.path = std::move(path);
  file.replaces = work_dir / file.path;
  file.full = work_dir / (file.path + ".partial");
  file.stream = std::fopen(file.full.c_str(), "w+");
  return file.stream != nullptr;
}

void Output_Write(Output_File& file, std::string_view text) {
  if (file.stream == nullptr || file.failed) return;
  if (std::fwrite(text.data(), 1, text.size(), file.stream) != text.size()) file.failed = true;
}

bool Output_Finish(Output_File& file) {
  if (file.stream == nullptr) return false;
  if (std::fflush(file.stream) != 0 || std::ferror(file.stream)) file.failed = true;
  if (std::fclose(file.stream) != 0) file.failed = true;
  file.stream = nullptr;
  std::error_code error;
  if (!file.failed && !file.replaces.empty()) {
    std::filesystem::rename(file.full, file.replaces, error);
    if (error) file.failed = true;
  }
  if (file.failed) {
    std::filesystem::remove(file.full, error);
    return false;
  }
  return true;
}

void Output_Discard(Output_File& file) {
  if (file.stream != nullptr) std::fclose(file.stream);
  file.stream = nullptr;
  std::error_code ignored;
  std::filesystem::remove(file.full, ignored);
}

}  // namespace scds
