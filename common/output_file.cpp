#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <system_error>

#include "byte_source.h"
#include "interrupt.h"

namespace scds {

void Sync_Folder_Of(const char* file) {
  char folder[PATH_MAX] = ".";
  const char* slash = std::strrchr(file, '/');
  if (slash != nullptr) {
    const std::size_t size = slash == file ? 1 : static_cast<std::size_t>(slash - file);
    if (size >= sizeof folder) return;
    std::memcpy(folder, file, size);
    folder[size] = '\0';
  }
  const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool Synced(int fd) { return ::fdatasync(fd) == 0 || errno == EINVAL || errno == EROFS; }

int Create_Own_Descriptor(const std::filesystem::path& file, int flags) {
  struct stat status;
  if (::lstat(file.c_str(), &status) == 0) {
    if (S_ISDIR(status.st_mode)) {
      errno = EISDIR;
      return -1;
    }
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) return -1;
  }
  return ::open(file.c_str(), flags | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
}

int Open_Log_Descriptor(const char* file, bool* created) {
  if (created != nullptr) *created = false;
  // Twice at most: a file made by someone else between the two opens is
  // looked at again, as one that exists.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int fd = ::open(file, O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd >= 0) return Keep_Regular_File(fd);
    if (errno != ENOENT) return -1;
    // Nothing there, or a link that leads nowhere: only the first is created.
    const int made = ::open(file, O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (made >= 0) {
      if (created != nullptr) *created = true;
      return made;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

bool Holds_Same_File(const char* name, dev_t device, ino_t inode) {
  struct stat status;
  return ::lstat(name, &status) == 0 && S_ISREG(status.st_mode) && status.st_dev == device && status.st_ino == inode;
}

void Remove_If_Same_File(const char* name, dev_t device, ino_t inode) {
  if (Holds_Same_File(name, device, inode)) ::unlink(name);
}

bool Write_All(int fd, const char* text, std::size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(fd, text, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    text += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

namespace {

// The test seam's move of another file to `at`.
void Swap_For_Test(const Output_File& file, const std::filesystem::path& at, bool after_rename) {
  if (swap_seam.file.empty() || swap_seam.file != file.full || swap_seam.after_rename != after_rename) return;
  std::error_code ignored;
  std::filesystem::rename(swap_seam.swap_in, at, ignored);
}

}  // namespace

bool Output_Create(Output_File& file, const std::filesystem::path& work_dir, std::string path) {
  file = Output_File{};
  file.path = std::move(path);
  file.full = work_dir / file.path;
  file.temp = file.full;
  file.temp += kPartialSuffix;
  std::error_code error;
  if (std::filesystem::is_directory(file.full, error)) return false;
  {
    // Made and recorded for the signal handler in one step.
    Signals_Held held;
    const int fd = Create_Own_Descriptor(file.temp, O_WRONLY);
    file.stream = fd >= 0 ? ::fdopen(fd, "w") : nullptr;
    if (file.stream == nullptr && fd >= 0) ::close(fd);
    struct stat status;
    if (file.stream != nullptr && ::fstat(fileno(file.stream), &status) != 0) {
      std::fclose(file.stream);
      file.stream = nullptr;
      ::unlink(file.temp.c_str());
    }
    file.created = file.stream != nullptr;
    if (file.created) {
      file.device = status.st_dev;
      file.inode = status.st_ino;
      file.record = Record_Temporary_File(file.temp, file.device, file.inode);
    }
  }
  if (!write_failure_seam.file.empty() && write_failure_seam.file == file.full) {
    file.fail_after = write_failure_seam.fail_after;
  }
  return file.created;
}

void Output_Write(Output_File& file, std::string_view text) {
  if (file.stream == nullptr || file.failed) return;
  std::size_t size = text.size();
  const std::uint64_t allowed = file.fail_after - file.written;
  if (allowed < size) {
    size = static_cast<std::size_t>(allowed);
    file.failed = true;
  }
  if (std::fwrite(text.data(), 1, size, file.stream) != size) file.failed = true;
  file.written += size;
}

bool Output_Finish(Output_File& file) {
  if (file.stream == nullptr) return false;
  if (std::fflush(file.stream) != 0 || std::ferror(file.stream)) file.failed = true;
  // On the disk before it takes the place of the earlier file, so that a
  // crash of the machine leaves one or the other whole. (A device such as
  // a terminal cannot be synchronised and need not be.)
  if (!file.failed && !Synced(fileno(file.stream))) file.failed = true;
  // The file stays open (a second descriptor) until it is seen at its
  // place, so that no other file can take its inode meanwhile.
  const int held = ::fcntl(fileno(file.stream), F_DUPFD_CLOEXEC, 0);
  if (held < 0) file.failed = true;
  if (std::fclose(file.stream) != 0) file.failed = true;
  file.stream = nullptr;
  bool placed = false;
  if (!file.failed) {
    Swap_For_Test(file, file.temp, false);
    // Renamed only while the temporary name still holds this very file:
    // anything else put there (by a racing run, say) never takes the
    // output's place.
    Signals_Held signals;
    if (Holds_Same_File(file.temp.c_str(), file.device, file.inode) && ::rename(file.temp.c_str(), file.full.c_str()) == 0) {
      placed = true;
      Forget_Temporary_File(file.record);
      file.record = -1;
    }
  }
  if (placed) {
    Swap_For_Test(file, file.full, true);
    // What stands at the output's name now must be what was written.
    if (!Holds_Same_File(file.full.c_str(), file.device, file.inode)) file.failed = true;
  } else {
    file.failed = true;
  }
  if (held >= 0) ::close(held);
  file.created = false;
  if (file.failed) {
    if (!placed) {
      Signals_Held signals;
      Remove_If_Same_File(file.temp.c_str(), file.device, file.inode);
      Forget_Temporary_File(file.record);
      file.record = -1;
    }
    return false;
  }
  // The new name on the disk too, before anything made into this output
  // (a consumed input) is removed.
  Sync_Folder_Of(file.full.c_str());
  return true;
}

void Output_Discard(Output_File& file) {
  if (file.stream != nullptr) std::fclose(file.stream);
  file.stream = nullptr;
  if (!file.created) return;
  file.created = false;
  Signals_Held signals;
  Remove_If_Same_File(file.temp.c_str(), file.device, file.inode);
  Forget_Temporary_File(file.record);
  file.record = -1;
}

bool Output_Begin(Output_File& file, const std::filesystem::path& work_dir, std::string path, Error_Log& log,
                  std::ostream& out) {
  if (Output_Create(file, work_dir, std::move(path))) return true;
  Error_Log_Report(log, out, Cannot_Write_Output_Message(file.path));
  return false;
}

bool Output_End(Output_File& file, Error_Log& log, std::ostream& out) {
  if (file.stream == nullptr) return true;
  if (Output_Finish(file)) return true;
  Error_Log_Report(log, out, Cannot_Write_Output_Message(file.path));
  return false;
}

bool Output_Abandon(Output_File& file, Error_Log& log, std::ostream& out) {
  if (file.stream == nullptr) return true;
  const bool failed = file.failed || std::fflush(file.stream) != 0 || std::ferror(file.stream) != 0;
  Output_Discard(file);
  if (!failed) return true;
  Error_Log_Report(log, out, Cannot_Write_Output_Message(file.path));
  return false;
}

bool Output_Write_Whole(const std::filesystem::path& work_dir, const std::string& path, std::string_view text,
                        Error_Log& log, std::ostream& out) {
  Output_File file;
  if (!Output_Begin(file, work_dir, path, log, out)) return false;
  Output_Write(file, text);
  return Output_End(file, log, out);
}

std::string Cannot_Remove_Message(std::string_view path) {
  return Path_Message("\nImpossible to remove ", path, "\nAn earlier file of that name remains: remove it by hand.\n");
}

bool Output_Remove_Earlier(const std::filesystem::path& work_dir, const std::string& path, Error_Log& log,
                           std::ostream& out) {
  const std::filesystem::path full = work_dir / path;
  struct stat status;
  if (::lstat(full.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return false;  // nothing there
  } else if (S_ISDIR(status.st_mode)) {
    return false;  // a folder is no earlier output
  }
  if (::unlink(full.c_str()) == 0 || errno == ENOENT) return false;
  Error_Log_Report(log, out, Cannot_Remove_Message(path));
  return true;
}

}  // namespace scds
