#include "error_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

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

// The parts joined, in order.
std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

}  // namespace

Close_Texts Close_Texts_For(std::string_view species, std::string_view temp_path) {
  const std::string species_log = Error_Log_File_Path(species);
  const std::string unmerged_log = Unmerged_Error_Log_File_Path(species);
  Close_Texts texts;
  texts.text[kMissedText] = Joined(
      {Cannot_Write_Output_Message(temp_path), "The messages it could not take are on this console only.\n"});
  texts.text[kSpeciesCannot] = Cannot_Write_Log_Message(species_log);
  texts.text[kWentUnmerged] = Joined({"The messages went to ", unmerged_log, " instead.\n"});
  texts.text[kUnmergedCannot] = Cannot_Write_Log_Message(unmerged_log);
  texts.text[kKeptThere] =
      Joined({"The messages stay in ", temp_path, ": the next run that writes that file merges them first.\n"});
  texts.text[kUnreadable] = Joined({"\n", temp_path, " cannot be read back: its messages stay there.\n"});
  texts.text[kLeftOver] =
      Joined({"\n", temp_path, " holds messages an earlier run or side did not merge: they are merged first.\n"});
  return texts;
}

int Close_Texts_Said(Merge_Outcome outcome, bool write_failed, Close_Text said[4]) {
  int count = 0;
  if (write_failed) said[count++] = kMissedText;
  if (outcome == Merge_Outcome::Unmerged || outcome == Merge_Outcome::Kept) said[count++] = kSpeciesCannot;
  if (outcome == Merge_Outcome::Unmerged) said[count++] = kWentUnmerged;
  if (outcome == Merge_Outcome::Kept) {
    said[count++] = kUnmergedCannot;
    said[count++] = kKeptThere;
  }
  if (outcome == Merge_Outcome::Unreadable) said[count++] = kUnreadable;
  return count;
}

namespace {

void Truncate_To(int fd, off_t length) {
  while (::ftruncate(fd, length) != 0 && errno == EINTR) {
  }
}

// Appends the whole of the file open as `fd`, from its start, to the log at
// `to`. Returns false when that log cannot be opened for appending or
// written; what a failed append put in is cut off again, and a log this
// append created is removed again.
bool Append_Descriptor(int fd, const char* to) {
  bool created = false;
  const int target = Open_Log_Descriptor(to, &created);
  if (target < 0) return false;
  struct stat status;
  if (::fstat(target, &status) != 0) {
    ::close(target);
    if (created) ::unlink(to);
    return false;
  }
  // Large blocks, so that a block of messages goes in with one write.
  char block[1 << 16];
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
  if (!ok) Truncate_To(target, status.st_size);
  if (::close(target) != 0) ok = false;
  if (!ok && created) Remove_If_Same_File(to, status.st_dev, status.st_ino);
  return ok;
}

// The left-over at a temporary log's name, open for reading and writing:
// a regular file of one name only (anything else is no log of a run, and
// is cleared as the name is made afresh). -1 with `unreadable` false when
// there is none; -1 with `unreadable` true when there is one that cannot
// be opened. `opened` is what it is.
int Open_Left_Over(const char* file, bool& unreadable, struct stat& opened) {
  unreadable = false;
  struct stat named;
  if (::lstat(file, &named) != 0 || !S_ISREG(named.st_mode) || named.st_nlink != 1) return -1;
  const int fd = ::open(file, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    unreadable = errno != ENOENT;
    return -1;
  }
  if (::fstat(fd, &opened) != 0 || opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Writes all of `text` at `at`; false when a write fails.
bool Write_All_At(int fd, std::string_view text, off_t at) {
  while (!text.empty()) {
    const ssize_t put = ::pwrite(fd, text.data(), text.size(), at);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(put));
    at += put;
  }
  return true;
}

void Say(std::ostream& out, const Close_Texts& texts, Merge_Outcome outcome, bool write_failed) {
  Close_Text said[4];
  const int count = Close_Texts_Said(outcome, write_failed, said);
  for (int k = 0; k < count; ++k) out << texts.text[said[k]];
}

// Leaves the log inactive, its messages for the console only.
void Cannot_Open(Error_Log& log, std::ostream& out) {
  log.fd = -1;
  log.line_count_B = 0;
  out << Cannot_Write_Log_Message(log.temp_path) << "The messages go to this console only.\n";
}

}  // namespace

Merge_Outcome Close_Log_Descriptor(int fd, dev_t device, ino_t inode, std::int64_t line_count_B, const char* temp,
                                   const char* species_log, const char* unmerged_log) {
  const std::int64_t line_count_E = Line_Count_Of_Descriptor(fd);
  if (line_count_E < 0) return Merge_Outcome::Unreadable;
  Merge_Outcome outcome = Merge_Outcome::Kept;
  if (line_count_E == line_count_B) {
    outcome = Merge_Outcome::Unchanged;
  } else if (Append_Descriptor(fd, species_log)) {
    outcome = Merge_Outcome::Merged;
  } else if (Append_Descriptor(fd, unmerged_log)) {
    outcome = Merge_Outcome::Unmerged;
  }
  if (outcome != Merge_Outcome::Kept) {
    Remove_If_Same_File(temp, device, inode);
    // One that stays where it is (a folder that allows no removal) is
    // emptied, so that no later run merges its block again.
    if (Holds_Same_File(temp, device, inode)) Truncate_To(fd, 0);
  }
  return outcome;
}

void Error_Log_Open(Error_Log& log, std::ostream& out, const std::filesystem::path& work_dir,
                    std::string_view species, std::string temp_path, std::string_view title, bool close_block) {
  log = Error_Log{};
  log.work_dir = work_dir;
  log.species = species;
  log.temp_path = std::move(temp_path);
  log.close_block = close_block;
  log.texts = Close_Texts_For(species, log.temp_path);
  const std::filesystem::path file = work_dir / log.temp_path;
  const std::filesystem::path species_log = work_dir / Error_Log_File_Path(species);
  const std::filesystem::path unmerged_log = work_dir / Unmerged_Error_Log_File_Path(species);
  // From its creation to its record, a signal waits: the handler finds the
  // log recorded, or no log at all.
  Signals_Held held;

  // What an earlier run or side pass left at the name goes first.
  bool unreadable = false;
  struct stat status {};
  int fd = Open_Left_Over(file.c_str(), unreadable, status);
  if (unreadable) {
    out << log.texts.text[kUnreadable];
    Cannot_Open(log, out);
    return;
  }
  if (fd >= 0) {
    // One cut off inside a line (it was not made by this version, say)
    // gets its line end, so that the log it goes to stays whole lines.
    char last = '\n';
    if (status.st_size > 0 && ::pread(fd, &last, 1, status.st_size - 1) == 1 && last != '\n' &&
        Write_All_At(fd, "\n", status.st_size)) {
      ++status.st_size;
    }
    const Merge_Outcome merged = Close_Log_Descriptor(fd, status.st_dev, status.st_ino, 1, file.c_str(),
                                                      species_log.c_str(), unmerged_log.c_str());
    if (merged != Merge_Outcome::Unchanged && merged != Merge_Outcome::Unreadable) out << log.texts.text[kLeftOver];
    Say(out, log.texts, merged, false);
    if (merged == Merge_Outcome::Unreadable) {
      ::close(fd);
      Cannot_Open(log, out);
      return;
    }
    if (merged != Merge_Outcome::Kept) {
      ::close(fd);
      fd = -1;
    }
  }

  if (fd >= 0) {
    // Kept: the run's block follows, its title written with its first
    // message, and the whole is merged when the run ends (line count 0:
    // whatever it holds is merged).
    log.title = title;
    log.length = static_cast<std::uint64_t>(status.st_size);
    log.line_count_B = 0;
  } else {
    fd = Create_Own_Descriptor(file, O_RDWR);
    // The file's identity is taken as soon as it is made, so that a log
    // that cannot take its title (a full disk) is found again and removed.
    const bool known = fd >= 0 && ::fstat(fd, &status) == 0;
    const bool written = known && Write_All_At(fd, title, 0);
    // Counted through the same open file: nothing put at its name
    // meanwhile is read.
    const std::int64_t count = written ? Line_Count_Of_Descriptor(fd) : -1;
    if (count < 0) {
      if (fd >= 0) {
        ::close(fd);
        if (known) Remove_If_Same_File(file.c_str(), status.st_dev, status.st_ino);
      }
      Cannot_Open(log, out);
      return;
    }
    log.length = title.size();
    log.line_count_B = count;
  }
  log.fd = fd;
  log.device = status.st_dev;
  log.inode = status.st_ino;
  log.active = true;
  Temporary_Log_Record record;
  record.fd = fd;
  record.device = status.st_dev;
  record.inode = status.st_ino;
  record.line_count_B = log.line_count_B;
  record.temp = file;
  record.species_log = species_log;
  record.unmerged_log = unmerged_log;
  record.texts = &log.texts;
  Record_Temporary_Log(record);
}

void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message) {
  {
    // The log first, in one step with its record: a signal that ends the
    // run once the console has shown the message finds it in the log,
    // which the handler then merges.
    Signals_Held held;
    log.holds_message = true;
    if (log.fd >= 0 && !log.write_failed) {
      // The file always ends at a whole message: the closing empty line
      // (when the block has one) is written with each message, after it,
      // in place of the one before.
      const bool reopen = log.ends_closed;
      const off_t at = static_cast<off_t>(log.length - (reopen ? 1 : 0));
      std::string text = log.title;
      text += message;
      if (log.close_block) text += '\n';
      if (Write_All_At(log.fd, text, at)) {
        log.length = static_cast<std::uint64_t>(at) + text.size();
        log.title.clear();
        log.ends_closed = log.close_block;
      } else {
        // Cut back to the log as it was, its closing line included.
        Truncate_To(log.fd, static_cast<off_t>(log.length));
        if (reopen) Write_All_At(log.fd, "\n", at);
        log.write_failed = true;
        Note_Log_Write_Failed(log.fd);
      }
    }
  }
  out << message;
}

void Error_Log_Merge(Error_Log& log, std::ostream& out) {
  if (!log.active) return;
  // Closed by the run or by the handler, never by both.
  Signals_Held held;
  const std::filesystem::path temp = log.work_dir / log.temp_path;
  const Merge_Outcome merged =
      Close_Log_Descriptor(log.fd, log.device, log.inode, log.line_count_B, temp.c_str(),
                           (log.work_dir / Error_Log_File_Path(log.species)).c_str(),
                           (log.work_dir / Unmerged_Error_Log_File_Path(log.species)).c_str());
  Forget_Temporary_Log(log.fd);
  ::close(log.fd);
  log.fd = -1;
  log.active = false;
  Say(out, log.texts, merged, log.write_failed);
}

}  // namespace scds
