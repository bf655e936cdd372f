#include "error_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "interrupt.h"
#include "output_file.h"
#include "paths.h"
#include "removal.h"

namespace scds {

std::string Path_Message(std::string_view head, std::string_view path, std::string_view tail) {
  std::string text(head);
  text += path;
  text += tail;
  return text;
}

std::string Cannot_Write_Log_Message(std::string_view path) {
  return Path_Message("\nImpossible to write ", path, "\nVerify the species name and that its folder exists.\n");
}

std::string Cannot_Write_Output_Message(std::string_view path) {
  return Path_Message("\nImpossible to write ", path, "\nVerify that its folder exists and has room.\n");
}

std::string Incomplete_Message(std::string_view path, int read, int expected) {
  return Path_Message("\nWarning: ", path,
                      " is incomplete: " + std::to_string(read) + " of " + std::to_string(expected) +
                          " values read.\n");
}

namespace {

enum class Merge_Outcome {
  Unchanged,   // the block holds no message: nothing appended, the log removed
  Merged,      // appended to the species error log, and removed
  Unmerged,    // the species error log could not take it: appended to the unmerged log, and removed
  Kept,        // neither log could take it: it stays at its name
  Stays,       // it cannot be read back, or (a left-over) cleared if merged: it stays at its name, merged nowhere
};

// The log the signal handler closes: the run's, from its open to its close.
Error_Log* open_log = nullptr;

// The programs' names, in the order of Program; a title line is the name
// and kTitleEnd.
constexpr std::string_view kPrograms[] = {"Quintarel", "Ostravel", "Saxmorrow", "Brindleck", "Tessafen", "Flanmere"};
constexpr std::string_view kTitleEnd = " Errors:\n";

void Truncate_To(int fd, off_t length) {
  while (::ftruncate(fd, length) != 0 && errno == EINTR) {
  }
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

// Copies the first `length` bytes of `from` to the end of `to`, with a
// line end after them when they end inside a line (a left-over that a
// killed run or a failed cut-back left torn).
Merge_Outcome Copy_Block(int from, off_t length, int to) {
  // Large blocks, so that a block of messages goes in with one write.
  char block[1 << 16];
  char last = '\n';
  for (off_t at = 0; at < length;) {
    const ssize_t got = ::pread(from, block, std::min<off_t>(length - at, sizeof block), at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return Merge_Outcome::Stays;
    if (!Write_All(to, block, static_cast<std::size_t>(got))) return Merge_Outcome::Kept;
    last = block[got - 1];
    at += got;
  }
  if (last != '\n' && !Write_All(to, "\n", 1)) return Merge_Outcome::Kept;
  return Merge_Outcome::Merged;
}

// Appends the block of `log` to the log at `to` and puts it on the disk:
// Merged when it is there; Kept when that log cannot take it (it is the
// temporary log itself, through a link, say), which then keeps its earlier
// bytes (one this append made is removed again); Stays when the block
// cannot be read.
Merge_Outcome Append_Block(const Error_Log& log, const char* to) {
  bool created = false;
  const int target = Open_Log_Descriptor(to, &created);
  if (target < 0) return Merge_Outcome::Kept;
  struct stat status {};
  Merge_Outcome outcome = Merge_Outcome::Kept;
  if (::fstat(target, &status) == 0 && (status.st_dev != log.device || status.st_ino != log.inode)) {
    outcome = Copy_Block(log.fd, log.length, target);
    if (outcome == Merge_Outcome::Merged && !Synced(target)) outcome = Merge_Outcome::Kept;
    if (outcome != Merge_Outcome::Merged) Truncate_To(target, status.st_size);
  }
  ::close(target);
  if (created && outcome == Merge_Outcome::Merged) Sync_Folder_Of(to);
  if (created && outcome != Merge_Outcome::Merged) Remove_If_Same_File(to, status.st_dev, status.st_ino);
  return outcome;
}

// The one close of a block, in plain system calls only: the run's own at
// its end, the signal handler's, and that of a left-over when a log is
// opened. The descriptor stays open.
Merge_Outcome Close_Block(const Error_Log& log) {
  Merge_Outcome outcome = Merge_Outcome::Unchanged;
  if (log.holds_message) {
    outcome = Append_Block(log, log.species_log.c_str());
    if (outcome == Merge_Outcome::Kept) {
      outcome = Append_Block(log, log.unmerged_log.c_str());
      if (outcome == Merge_Outcome::Merged) outcome = Merge_Outcome::Unmerged;
    }
  }
  if (outcome == Merge_Outcome::Kept || outcome == Merge_Outcome::Stays) return outcome;
  Remove_If_Same_File(log.temp.c_str(), log.device, log.inode);
  // One that stays where it is (a folder that allows no removal) is
  // emptied, so that no later run merges its block again.
  if (Holds_Same_File(log.temp.c_str(), log.device, log.inode)) Truncate_To(log.fd, 0);
  return outcome;
}

// Tells the console how a close went (and, for a left-over, that it was
// merged first): into `out`, or straight to the console's descriptor for
// the signal handler (out null).
void Say_Close(const Error_Log& log, Merge_Outcome outcome, std::ostream* out, bool left_over = false) {
  Close_Text said[5];
  int count = 0;
  if (left_over && outcome != Merge_Outcome::Unchanged && outcome != Merge_Outcome::Stays) {
    said[count++] = kLeftOver;
  }
  if (log.missed) said[count++] = kMissedText;
  if (outcome == Merge_Outcome::Unmerged || outcome == Merge_Outcome::Kept) said[count++] = kSpeciesCannot;
  if (outcome == Merge_Outcome::Unmerged) said[count++] = kWentUnmerged;
  if (outcome == Merge_Outcome::Kept) {
    said[count++] = kUnmergedCannot;
    said[count++] = kKeptThere;
  }
  if (outcome == Merge_Outcome::Stays) said[count++] = kUnreadable;
  for (int k = 0; k < count; ++k) {
    const std::string& text = log.texts[said[k]];
    if (out != nullptr) {
      *out << text;
    } else {
      Write_All(STDOUT_FILENO, text.data(), text.size());
    }
  }
}

void Build_Texts(Error_Log& log, std::string_view species, const std::string& temp_path) {
  const std::string unmerged_log = Unmerged_Error_Log_File_Path(species);
  std::string* texts = log.texts;
  texts[kMissedText] =
      Cannot_Write_Output_Message(temp_path) + "The messages it could not take are on this console only.\n";
  texts[kSpeciesCannot] = Cannot_Write_Log_Message(Error_Log_File_Path(species));
  texts[kWentUnmerged] = "The messages went to " + unmerged_log + " instead.\n";
  texts[kUnmergedCannot] = Cannot_Write_Log_Message(unmerged_log);
  texts[kKeptThere] = "The messages stay in " + temp_path + ": the next run that writes that file merges them first.\n";
  texts[kUnreadable] = "\n" + temp_path + " cannot be read back: its messages stay there.\n";
  texts[kLeftOver] =
      "\n" + temp_path + " holds messages an earlier run or side did not merge: they are merged first.\n";
}

// The file at a temporary log's name, when it is a regular file of one
// name (anything else is cleared as the name is made afresh): a descriptor
// open for reading, and for writing too where the run may write it
// (`writable`: the file can then be emptied and take the run's block); -1
// when there is none, -2 when there is one that cannot be opened for
// reading. `found` is what it is.
int Open_Found(const char* file, struct stat& found, bool& writable) {
  struct stat named;
  writable = false;
  if (::lstat(file, &named) != 0 || !S_ISREG(named.st_mode) || named.st_nlink != 1) return -1;
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  int fd = ::open(file, O_RDWR | kFlags);
  writable = fd >= 0;
  // Read-only, another user's, append-only: read all the same.
  if (fd < 0 && errno != ENOENT) fd = ::open(file, O_RDONLY | kFlags);
  if (fd < 0) return errno == ENOENT ? -1 : -2;
  if (::fstat(fd, &found) != 0 || found.st_dev != named.st_dev || found.st_ino != named.st_ino) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The length of the suite's title line that begins the file, 0 when it
// begins with none, -1 when it cannot be read.
off_t Title_Length(int fd) {
  char head[32];
  ssize_t got;
  while ((got = ::pread(fd, head, sizeof head, 0)) < 0 && errno == EINTR) {
  }
  if (got < 0) return -1;
  const std::string_view begun(head, static_cast<std::size_t>(got));
  for (std::string_view program : kPrograms) {
    if (begun.starts_with(program) && begun.substr(program.size()).starts_with(kTitleEnd)) {
      return static_cast<off_t>(program.size() + kTitleEnd.size());
    }
  }
  return 0;
}

// The log's messages go to the console only, and the console says so.
void Console_Only(Error_Log& log, std::ostream& out, const std::string& temp_path) {
  if (log.fd >= 0) ::close(log.fd);
  log.fd = -1;
  out << Cannot_Write_Log_Message(temp_path) << "The messages go to this console only.\n";
}

// Merges the log of a run found at the temporary name, open as `fd` and
// beginning with a title line `title` bytes long, as a block of its own;
// one that holds its title line alone is dropped. `log` then describes it.
Merge_Outcome Merge_Left_Over(Error_Log& log, std::ostream& out, int fd, const struct stat& found, off_t title) {
  log.fd = fd;
  log.device = found.st_dev;
  log.inode = found.st_ino;
  log.length = found.st_size;
  log.holds_message = log.length > title;
  const Merge_Outcome outcome = Close_Block(log);
  Say_Close(log, outcome, &out, true);
  return outcome;
}

// The temporary log's name made afresh, open for reading and writing, its
// identity in `made`. In a folder that allows no removal, the file `left`
// that stands there is taken instead when it is empty (a merged left-over
// is emptied); otherwise it is closed. -1 when there is neither.
int Make_Afresh(const char* file, int left, struct stat& made) {
  const int fd = Create_Own_Descriptor(file, O_RDWR);
  const bool no_removal = fd < 0 && (errno == EPERM || errno == EACCES);
  if (no_removal && left >= 0 && ::fstat(left, &made) == 0 && made.st_size == 0 &&
      Holds_Same_File(file, made.st_dev, made.st_ino)) {
    return left;
  }
  if (left >= 0) ::close(left);
  if (fd >= 0 && ::fstat(fd, &made) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

void Error_Log_Open(Error_Log& log, std::ostream& out, const std::filesystem::path& work_dir,
                    std::string_view species, const std::string& temp_path, Program program) {
  // The record changes while a signal waits: the handler finds the log
  // recorded, or no log at all.
  Signals_Held held;
  log = Error_Log{};
  log.temp = work_dir / temp_path;
  log.species_log = work_dir / Error_Log_File_Path(species);
  log.unmerged_log = work_dir / Unmerged_Error_Log_File_Path(species);
  log.close_block = program != Program::Brindleck;
  Build_Texts(log, species, temp_path);
  std::string title(kPrograms[static_cast<int>(program)]);
  title += kTitleEnd;

  // What an earlier run or side pass left at the name goes first. A file
  // the run may only read cannot be emptied once merged: it is taken only
  // where its name can be removed, or every later run would merge it again.
  struct stat found {};
  bool writable = false;
  const int left = Open_Found(log.temp.c_str(), found, writable);
  const off_t title_length = left >= 0 ? Title_Length(left) : 0;
  Merge_Outcome outcome = Merge_Outcome::Unchanged;
  if (left == -2 || title_length < 0 || (left >= 0 && !writable && !May_Remove(log.temp))) {
    outcome = Merge_Outcome::Stays;
    Say_Close(log, outcome, &out);
  } else if (title_length > 0) {
    outcome = Merge_Left_Over(log, out, left, found, title_length);
  }
  if (outcome == Merge_Outcome::Kept && writable) {
    // The run's block follows it, on a line of its own, and the whole is
    // merged at the end.
    char last = '\n';
    if (::pread(left, &last, 1, log.length - 1) == 1 && last != '\n' && Write_All_At(left, "\n", log.length)) {
      ++log.length;
    }
    log.title = title;
    open_log = &log;
    return;
  }
  if (outcome == Merge_Outcome::Kept || outcome == Merge_Outcome::Stays) {
    log.fd = left;
    return Console_Only(log, out, temp_path);
  }
  log.fd = Make_Afresh(log.temp.c_str(), left, found);
  log.device = found.st_dev;
  log.inode = found.st_ino;
  log.holds_message = false;
  log.length = static_cast<off_t>(title.size());
  if (log.fd >= 0 && Write_All_At(log.fd, title, 0)) {
    open_log = &log;
    return;
  }
  // One that cannot take its title (a full disk) goes again.
  if (log.fd >= 0) {
    Truncate_To(log.fd, 0);
    Remove_If_Same_File(log.temp.c_str(), log.device, log.inode);
  }
  Console_Only(log, out, temp_path);
}

void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message) {
  {
    // The log first, in one step with its record: a signal that ends the
    // run once the console has shown the message finds it in the log,
    // which the handler then merges.
    Signals_Held held;
    if (log.fd >= 0 && !log.missed) {
      // The file always ends at a whole message: the closing empty line
      // (when the block has one) is written with each message, after it,
      // in place of the one before.
      const off_t at = log.length - (log.ends_closed ? 1 : 0);
      std::string text = log.title;
      text += message;
      if (log.close_block) text += '\n';
      if (Write_All_At(log.fd, text, at)) {
        log.length = at + static_cast<off_t>(text.size());
        log.holds_message = log.holds_message || text.size() > log.title.size();
        log.title.clear();
        log.ends_closed = log.close_block;
      } else {
        // Cut back to the log as it was, its closing line included; what
        // a cut that fails leaves past it is never copied.
        Truncate_To(log.fd, log.length);
        if (log.ends_closed) Write_All_At(log.fd, "\n", at);
        log.missed = true;
      }
    }
  }
  out << message;
}

void Error_Log_Merge(Error_Log& log, std::ostream& out) {
  if (log.fd < 0) return;
  // Closed by the run or by the handler, never by both.
  Signals_Held held;
  const Merge_Outcome outcome = Close_Block(log);
  open_log = nullptr;
  ::close(log.fd);
  log.fd = -1;
  Say_Close(log, outcome, &out);
}

void Error_Log_Close_On_Signal() {
  if (open_log != nullptr) Say_Close(*open_log, Close_Block(*open_log), nullptr);
}

}  // namespace scds
