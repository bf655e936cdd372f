#include "error_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "byte_source.h"
#include "interrupt.h"
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

std::int64_t Line_Count_Of_Descriptor(int fd) {
  char block[1 << 14];
  std::int64_t count = 0;
  int last = 0;
  off_t at = 0;
  for (;;) {
    const ssize_t got = ::pread(fd, block, sizeof block, at);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    Count_Line_Feeds(block, block + got, count, last);
    at += got;
  }
  return Lines_Of(count, last);
}

namespace {

// Appends the whole of the file open as `fd`, from its start, to the log at
// `to`. Returns false when that log cannot be opened for appending or
// written; what a failed append put in is cut off again.
bool Append_Descriptor(int fd, const char* to) {
  const int target = Open_Log_Descriptor(to);
  if (target < 0) return false;
  struct stat status;
  if (::fstat(target, &status) != 0) {
    ::close(target);
    return false;
  }
  char block[1 << 14];
  bool ok = true;
  off_t at = 0;
  for (;;) {
    const ssize_t got = ::pread(fd, block, sizeof block, at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    if (!Write_All(target, block, static_cast<std::size_t>(got))) {
      ok = false;
      break;
    }
    at += got;
  }
  if (!ok) {
    while (::ftruncate(target, status.st_size) != 0 && errno == EINTR) {
    }
  }
  if (::close(target) != 0) ok = false;
  return ok;
}

}  // namespace

Merge_Outcome Merge_Log_Descriptor(int fd, std::int64_t line_count_B, const char* species_log,
                                   const char* unmerged_log) {
  const std::int64_t line_count_E = Line_Count_Of_Descriptor(fd);
  if (line_count_E < 0) return Merge_Outcome::Unreadable;
  if (line_count_E == line_count_B) return Merge_Outcome::Unchanged;
  if (Append_Descriptor(fd, species_log)) return Merge_Outcome::Merged;
  if (Append_Descriptor(fd, unmerged_log)) return Merge_Outcome::Unmerged;
  return Merge_Outcome::Lost;
}

void Error_Log_Open(Error_Log& log, std::ostream& out, const std::filesystem::path& work_dir,
                    std::string_view species, std::string temp_path, std::string_view title, bool close_block) {
  log = Error_Log{};
  log.work_dir = work_dir;
  log.species = species;
  log.temp_path = std::move(temp_path);
  log.close_block = close_block;
  const std::filesystem::path file = work_dir / log.temp_path;
  // From its creation to its record, a signal waits: the handler finds the
  // log recorded, or no log at all.
  Signals_Held held;
  std::FILE* stream = Create_Own_File(file, "a+");
  struct stat status {};
  // The file's identity is taken as soon as it is made, so that a log that
  // cannot take its title (a full disk) is found again and removed.
  const bool known = stream != nullptr && ::fstat(fileno(stream), &status) == 0;
  bool written = false;
  if (stream != nullptr) {
    // Every message goes to the disk at once.
    std::setvbuf(stream, nullptr, _IONBF, 0);
    written = known && std::fwrite(title.data(), 1, title.size(), stream) == title.size() && std::fflush(stream) == 0;
    // Counted through the same open file: nothing put at its name
    // meanwhile is read.
    const std::int64_t count = written ? Line_Count_Of_Descriptor(fileno(stream)) : -1;
    if (count < 0) written = false;
    log.line_count_B = count;
  }
  if (!written) {
    if (stream != nullptr) {
      std::fclose(stream);
      if (known) Remove_If_Same_File(file.c_str(), status.st_dev, status.st_ino);
    }
    log.line_count_B = 0;
    out << Cannot_Write_Log_Message(log.temp_path);
    return;
  }
  log.stream = stream;
  log.active = true;
  const std::string species_log = Error_Log_File_Path(species);
  const std::string unmerged_log = Unmerged_Error_Log_File_Path(species);
  Temporary_Log_Record record;
  record.fd = fileno(stream);
  record.device = status.st_dev;
  record.inode = status.st_ino;
  record.line_count_B = log.line_count_B;
  record.close_block = close_block;
  record.temp = file;
  record.species_log = work_dir / species_log;
  record.unmerged_log = work_dir / unmerged_log;
  const std::string missed = Cannot_Write_Output_Message(log.temp_path);
  const std::string species_cannot = Cannot_Write_Log_Message(species_log);
  const std::string unmerged_cannot = Cannot_Write_Log_Message(unmerged_log);
  record.missed_text_message = missed;
  record.species_log_message = species_cannot;
  record.unmerged_log_message = unmerged_cannot;
  Record_Temporary_Log(record);
}

void Error_Log_Write(Error_Log& log, std::string_view text) {
  if (log.stream == nullptr) return;
  if (std::fwrite(text.data(), 1, text.size(), log.stream) != text.size()) {
    log.write_failed = true;
    Note_Log_Write_Failed(fileno(log.stream));
  }
}

void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message) {
  {
    // The log first, and noted as holding a message in the same step: a
    // signal that ends the run once the console has shown the message
    // finds it in the log, which the handler then merges.
    Signals_Held held;
    Error_Log_Write(log, message);
    log.holds_message = true;
    if (log.stream != nullptr) Note_Log_Message(fileno(log.stream));
  }
  out << message;
}

void Error_Log_Merge(Error_Log& log, std::ostream& out) {
  if (!log.active) return;
  // Closed by the run or by the handler, never by both.
  Signals_Held held;
  if (log.close_block && log.holds_message) Error_Log_Write(log, "\n");
  if (std::fflush(log.stream) != 0 || std::ferror(log.stream)) log.write_failed = true;
  if (log.write_failed) out << Cannot_Write_Output_Message(log.temp_path);
  const int fd = fileno(log.stream);
  const std::string species_log = Error_Log_File_Path(log.species);
  const std::string unmerged_log = Unmerged_Error_Log_File_Path(log.species);
  const Merge_Outcome merged = Merge_Log_Descriptor(fd, log.line_count_B, (log.work_dir / species_log).c_str(),
                                                    (log.work_dir / unmerged_log).c_str());
  if (merged == Merge_Outcome::Unmerged || merged == Merge_Outcome::Lost) out << Cannot_Write_Log_Message(species_log);
  if (merged == Merge_Outcome::Lost) out << Cannot_Write_Log_Message(unmerged_log);
  Forget_Temporary_Log(fd);
  struct stat status;
  const bool known = ::fstat(fd, &status) == 0;
  std::fclose(log.stream);
  log.stream = nullptr;
  if (known) Remove_If_Same_File((log.work_dir / log.temp_path).c_str(), status.st_dev, status.st_ino);
  log.active = false;
}

}  // namespace scds
