#include "folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "dialogue.h"
#include "paths.h"

namespace scds {

Species_Lock::~Species_Lock() {
  if (fd >= 0) ::close(fd);
}

std::string Species_Held_Message(std::string_view species) {
  std::string text = "\nAnother program of the suite is working on ";
  text += Species_Folder(species);
  text += " now.\nRun this one again once it has finished.\n";
  return text;
}

std::string Species_Not_Held_Message(std::string_view species, int error) {
  std::string text = "\nImpossible to lock ";
  text += Species_Folder(species);
  text += " for this run: ";
  text += std::strerror(error);
  text += ".\nNo file was changed. Run this one again once the folder can be locked.\n";
  return text;
}

bool Hold_Species(Species_Lock& lock, const std::filesystem::path& work_dir, std::string_view species,
                  std::ostream& out) {
  // The folder itself, whatever path leads to it: two names of one folder
  // are one species.
  const std::filesystem::path folder = work_dir / Species_Folder(species);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    // No such folder (a mistyped name, say): nothing of a species can be
    // changed, and the run goes on to say what it cannot read or write.
    if (errno == ENOENT || errno == ENOTDIR) return true;
    out << Species_Not_Held_Message(species, errno);
    return false;
  }
  int taken;
  do {
    taken = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (taken != 0 && errno == EINTR);
  if (taken == 0) {
    if (lock.fd >= 0) ::close(lock.fd);
    lock.fd = fd;
    return true;
  }
  const int error = errno;
  ::close(fd);
  if (error == EWOULDBLOCK) {
    out << Species_Held_Message(species);
  } else {
    // A file system without locks, say: a run without its lock could tear
    // another run's outputs, so it does not start.
    out << Species_Not_Held_Message(species, error);
  }
  return false;
}

int Species_Held_Elsewhere(std::istream& in, std::ostream& out) {
  Exit(in, out);
  out.flush();
  return 1;
}

}  // namespace scds
