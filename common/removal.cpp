#include "removal.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "error_log.h"

namespace scds {

namespace {

// True when the file open as `fd` is marked append-only or immutable: no
// one, not even the superuser, may then remove it (or, for a folder, remove
// anything from it). A file system that keeps no such flags tells nothing.
bool Flags_Forbid_Removal(int fd) {
  int flags = 0;
  if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) return false;
  return (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
}

// The flags of the file or folder at `name`, opened without waiting and
// without following a link; `expected` (from lstat or stat) must be what
// opened, or nothing is told.
bool Flags_Forbid_Removal_At(const char* name, int open_flags, const struct stat& expected) {
  const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | open_flags);
  if (fd < 0) return false;
  struct stat opened;
  const bool same = ::fstat(fd, &opened) == 0 && opened.st_dev == expected.st_dev && opened.st_ino == expected.st_ino;
  const bool forbid = same && Flags_Forbid_Removal(fd);
  ::close(fd);
  return forbid;
}

}  // namespace

bool May_Remove(const std::filesystem::path& file) {
  struct stat entry;
  if (::lstat(file.c_str(), &entry) != 0) return errno == ENOENT || errno == ENOTDIR;
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  // Write and search permission on the folder; a read-only file system or
  // an immutable folder refuses it too.
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return false;
  struct stat holder;
  if (::stat(folder.c_str(), &holder) != 0) return false;
  if (Flags_Forbid_Removal_At(folder.c_str(), O_DIRECTORY, holder)) return false;
  // A sticky folder (a shared /tmp, say): only the owner of the entry, the
  // owner of the folder or the superuser may remove it.
  const uid_t self = ::geteuid();
  if ((holder.st_mode & S_ISVTX) != 0 && self != 0 && self != entry.st_uid && self != holder.st_uid) return false;
  // Only a regular file is opened for its flags (a link has none of its
  // own, and opening anything else could wait or act).
  if (S_ISREG(entry.st_mode) && Flags_Forbid_Removal_At(file.c_str(), O_NOFOLLOW, entry)) return false;
  return true;
}

bool Remove_Entry(const std::filesystem::path& file) { return ::unlink(file.c_str()) == 0 || errno == ENOENT; }

std::string Cannot_Remove_Input_Message(std::string_view path, std::string_view meaning) {
  std::string tail = "\n";
  tail += meaning;
  tail += '\n';
  return Path_Message("\nImpossible to remove ", path, tail);
}

}  // namespace scds
