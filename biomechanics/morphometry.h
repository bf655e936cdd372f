// The morphometry file of a measurement set, <species>_<set>.morph: the
// geometry of the duct segments, the cupulae and the duct planes, read as a
// fixed sequence of 180 line texts (13 headings, 114 value rows, 53 empty
// lines). Every line goes through the shared matcher, so white space is free
// wherever a line text has a blank or a line end, and the first departure
// from the layout leaves every later value at zero.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "biomechanics_state.h"
#include "byte_source.h"

namespace scds::ostravel {

// One line text of the layout. A one-number row keeps its number in `value`
// (nullptr: the row is skipped, its number is read and dropped). A duct-plane
// row ("<side> <duct> duct: %lfx %lfy %lfz\n") has an empty text and its
// three values in x, y, z.
struct Morphometry_Line {
  std::string text;
  double Pass_State::*value = nullptr;
  std::string_view side, duct;
  double Pass_State::*x = nullptr;
  double Pass_State::*y = nullptr;
  double Pass_State::*z = nullptr;
};

// The 180 line texts, in order.
const std::vector<Morphometry_Line>& Morphometry_Layout();

// Every number the layout's rows hold, skipped rows included.
constexpr int kMorphometryValues = 138;

// Matches the layout against the source into the pass's morphometry values.
// Returns how many numbers were converted.
int Read_Morphometry_File(Byte_Source& source, Pass_State& pass);

// Reads the running set's file. When it cannot be read: the message on the
// console and in the log, error_morpho + 1, every value stays as it is.
void Read_Morphometry(Run_State& run, std::ostream& out);

}  // namespace scds::ostravel
