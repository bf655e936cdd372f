// Quintarel: the vestibular frame of reference. Reads the duct-plane vectors
// of one or both sides for the three measurement sets (a missing side is
// mirrored through the mid-sagittal plane), builds each set's frame, and
// writes the uncoupled transform matrix (from Cor), the symmetry matrix, the
// transformed vectors and the synergistic and reference angles.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>

namespace scds::quintarel {

// Runs the whole dialogue and computation with the files below work_dir.
// Returns 0 when the run reached its end, 1 when the input ended at a
// question.
int Run_Quintarel(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir);

}  // namespace scds::quintarel
