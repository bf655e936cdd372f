// A file marked immutable or append-only (chattr +i, +a) while the object
// lives: not even the superuser may then remove it. Setting such a flag
// takes root and a file system that keeps it; `set` tells whether it took.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>

namespace scds_testing {

struct File_Flag {
  std::filesystem::path file;
  int flag = 0;  // FS_IMMUTABLE_FL or FS_APPEND_FL
  bool set = false;
  File_Flag(std::filesystem::path marked, int wanted) : file(std::move(marked)), flag(wanted) { set = Change(true); }
  // Taken off again, so that the file can be removed with its folder.
  ~File_Flag() {
    if (set) Change(false);
  }
  File_Flag(const File_Flag&) = delete;
  File_Flag& operator=(const File_Flag&) = delete;

  bool Change(bool on) const {
    const int fd = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | flag) : (flags & ~flag);
      done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
  }
};

}  // namespace scds_testing
