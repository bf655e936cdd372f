// One run per species at a time. From the moment its species name is
// confirmed until its run ends, a program holds an exclusive lock on the
// species folder (an advisory lock on the folder itself, which the system
// releases with the process, however it ends). A run of any program of the
// suite that finds the species held neither waits nor touches a file.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace scds {

// The lock a run holds on its species folder; released when it goes.
struct Species_Lock {
  int fd = -1;  // the species folder, open for the lock; -1 when none is held
  Species_Lock() = default;
  Species_Lock(const Species_Lock&) = delete;
  Species_Lock& operator=(const Species_Lock&) = delete;
  ~Species_Lock();
};

// Takes the lock on Data/<species>. Returns false when another run holds
// it: "\nAnother program of the suite is working on Data/%s now.\nRun this
// one again once it has finished.\n" is then written on the console; and
// false when the folder exists but cannot be locked, for any other reason
// (it cannot be opened, the file system keeps no locks), with
// Species_Not_Held_Message. A species folder that does not exist takes no
// lock, and the run goes on (true).
bool Hold_Species(Species_Lock& lock, const std::filesystem::path& work_dir, std::string_view species,
                  std::ostream& out);

// The end of a run that could not hold its species: the closing prompt, as
// at any end, and the status 1.
int Species_Held_Elsewhere(std::istream& in, std::ostream& out);

std::string Species_Held_Message(std::string_view species);

// "\nImpossible to lock Data/%s for this run: %s.\nNo file was changed. Run
// this one again once the folder can be locked.\n", with the system's
// reason (strerror).
std::string Species_Not_Held_Message(std::string_view species, int error);

}  // namespace scds
