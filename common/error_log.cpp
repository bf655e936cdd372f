#include "error_log.h"

#include <system_error>

#include "byte_source.h"
#include "paths.h"

namespace scds {

std::int64_t Line_Count_Of(const std::filesystem::path& file) {
  Byte_Source source;
  if (!Source_Open(source, file)) return 1;
  const std::int64_t count = Line_Count(source);
  Source_Close(source);
  return count;
}

std::string Cannot_Write_Log_Message(std::string_view path) {
  std::string text = "\nImpossible to write ";
  text += path;
  text += "\nVerify the species name and that its folder exists.\n";
  return text;
}

std::string Cannot_Write_Output_Message(std::string_view path) {
  std::string text = "\nImpossible to write ";
  text += path;
  text += "\nVerify that its folder exists and has room.\n";
  return text;
}

std::string Incomplete_Message(std::string_view path, int read, int expected) {
  std::string text = "\nWarning: ";
  text += path;
  text += " is incomplete: " + std::to_string(read) + " of " + std::to_string(expected) + " values read.\n";
  return text;
}

void Error_Log_Open(Error_Log& log, std::ostream& out, const std::filesystem::path& work_dir,
                    std::string_view species, std::string temp_path, std::string_view title) {
  log = Error_Log{};
  log.work_dir = work_dir;
  log.species = species;
  log.temp_path = std::move(temp_path);
  const std::filesystem::path file = work_dir / log.temp_path;
  std::FILE* created = std::fopen(file.c_str(), "w+");
  bool written = created != nullptr && std::fwrite(title.data(), 1, title.size(), created) == title.size();
  if (created != nullptr && std::fclose(created) != 0) written = false;
  if (written) {
    log.line_count_B = Line_Count_Of(file);
    log.stream = std::fopen(file.c_str(), "a");
  }
  if (log.stream == nullptr) {
    if (created != nullptr) {
      std::error_code ignored;
      std::filesystem::remove(file, ignored);
    }
    out << Cannot_Write_Log_Message(log.temp_path);
    return;
  }
  log.active = true;
}

void Error_Log_Write(Error_Log& log, std::string_view text) {
  if (log.stream != nullptr) std::fwrite(text.data(), 1, text.size(), log.stream);
}

void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message) {
  out << message;
  Error_Log_Write(log, message);
  log.holds_message = true;
}

namespace {

// Appends the whole of `from` to `to`. Returns false when `to` cannot be
// opened for appending or written.
bool Append_File(const std::filesystem::path& from, const std::filesystem::path& to) {
  Byte_Source source;
  if (!Source_Open(source, from)) return true;  // nothing to copy
  std::FILE* target = std::fopen(to.c_str(), "a");
  if (target == nullptr) {
    Source_Close(source);
    return false;
  }
  bool ok = true;
  do {
    const std::size_t size = Source_Available(source);
    if (std::fwrite(source.buffer.data() + source.pos, 1, size, target) != size) {
      ok = false;
      break;
    }
    source.pos = source.end;
  } while (Source_Next_Block(source));
  Source_Close(source);
  if (std::fclose(target) != 0) ok = false;
  return ok;
}

}  // namespace

void Error_Log_Merge(Error_Log& log, std::ostream& out, bool close_block) {
  if (!log.active) return;
  if (close_block && log.holds_message) Error_Log_Write(log, "\n");
  std::fclose(log.stream);
  log.stream = nullptr;
  const std::filesystem::path temp = log.work_dir / log.temp_path;
  const std::int64_t line_count_E = Line_Count_Of(temp);
  if (line_count_E != log.line_count_B) {
    const std::string species_log = Error_Log_File_Path(log.species);
    if (!Append_File(temp, log.work_dir / species_log)) {
      out << Cannot_Write_Log_Message(species_log);
      const std::string unmerged = Unmerged_Error_Log_File_Path(log.species);
      if (!Append_File(temp, log.work_dir / unmerged)) out << Cannot_Write_Log_Message(unmerged);
    }
  }
  std::error_code ignored;
  std::filesystem::remove(temp, ignored);
  log.active = false;
}

}  // namespace scds
