#include "error_log.h"

#include <unistd.h>

#include "byte_source.h"
#include "output_file.h"
#include "paths.h"

namespace scds {

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
  // Read back through the same open file: nothing put at its name meanwhile
  // is read or written.
  std::FILE* stream = Create_Own_File(file, "a+");
  bool written = stream != nullptr && std::fwrite(title.data(), 1, title.size(), stream) == title.size() &&
                 std::fflush(stream) == 0;
  Byte_Source source;
  if (written && Source_Open_Duplicate(source, fileno(stream))) {
    log.line_count_B = Line_Count(source);
    Source_Close(source);
  } else {
    written = false;
  }
  if (!written) {
    if (stream != nullptr) {
      std::fclose(stream);
      ::unlink(file.c_str());
    }
    out << Cannot_Write_Log_Message(log.temp_path);
    return;
  }
  log.stream = stream;
  log.active = true;
}

void Error_Log_Write(Error_Log& log, std::string_view text) {
  if (log.stream == nullptr) return;
  if (std::fwrite(text.data(), 1, text.size(), log.stream) != text.size()) log.write_failed = true;
}

void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message) {
  out << message;
  Error_Log_Write(log, message);
  log.holds_message = true;
}

namespace {

// Appends the whole of the source, from its start, to the log at `to`.
// Returns false when that log cannot be opened for appending or written.
bool Append_Log(Byte_Source& source, const std::filesystem::path& to) {
  if (!Source_Rewind(source)) return false;
  std::FILE* target = Open_Log_For_Appending(to);
  if (target == nullptr) return false;
  bool ok = true;
  do {
    const std::size_t size = Source_Available(source);
    if (std::fwrite(source.buffer.data() + source.pos, 1, size, target) != size) {
      ok = false;
      break;
    }
    source.pos = source.end;
  } while (Source_Next_Block(source));
  if (source.failed) ok = false;
  if (std::fclose(target) != 0) ok = false;
  return ok;
}

}  // namespace

void Error_Log_Merge(Error_Log& log, std::ostream& out, bool close_block) {
  if (!log.active) return;
  if (close_block && log.holds_message) Error_Log_Write(log, "\n");
  if (std::fflush(log.stream) != 0 || std::ferror(log.stream)) log.write_failed = true;
  if (log.write_failed) out << Cannot_Write_Output_Message(log.temp_path);
  Byte_Source source;
  if (Source_Open_Duplicate(source, fileno(log.stream))) {
    const std::int64_t line_count_E = Line_Count(source);
    if (line_count_E != log.line_count_B) {
      const std::string species_log = Error_Log_File_Path(log.species);
      if (!Append_Log(source, log.work_dir / species_log)) {
        out << Cannot_Write_Log_Message(species_log);
        const std::string unmerged = Unmerged_Error_Log_File_Path(log.species);
        if (!Append_Log(source, log.work_dir / unmerged)) out << Cannot_Write_Log_Message(unmerged);
      }
    }
    Source_Close(source);
  }
  std::fclose(log.stream);
  log.stream = nullptr;
  const std::filesystem::path temp = log.work_dir / log.temp_path;
  ::unlink(temp.c_str());
  log.active = false;
}

}  // namespace scds
