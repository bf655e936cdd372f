#include "quintarel.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "banner.h"
#include "byte_source.h"
#include "dialogue.h"
#include "error_log.h"
#include "folder_lock.h"
#include "frame_angles.h"
#include "frame_compute.h"
#include "frame_files.h"
#include "frame_paths.h"
#include "interrupt.h"
#include "output_file.h"
#include "paths.h"
#include "removal.h"
#include "transform_matrix.h"

namespace scds::quintarel {

namespace {

// One measurement set: both sides' planes and centres (read or mirrored),
// the side flags (1 when that side's raw vector file was read), and the
// failures that stop its pass (error, error_plus or error_minus).
struct Measurement_Set {
  std::string_view name;  // "Cor", "PlusCor", "MinusCor"
  Duct_Plane_Set R, L;
  int SCDS_R = 0;
  int SCDS_L = 0;
  int error = 0;
  // The raw vector files read for this set, to be deleted once its pass
  // has written everything (none when they are to be kept).
  std::string consumed[2];
  bool output_failed = false;  // an output of this set could not be written
};

// The paths of one set's files.
struct Set_Paths {
  std::string right_raw, left_raw;
  std::string vector, synangle;
  std::string function_R, function_L;
};

Set_Paths Paths_Of_Set(std::string_view species, int set) {
  Set_Paths p;
  switch (set) {
    case 0:
      p = {Right_Vector_Path(species),
           Left_Vector_Path(species),
           Result_Vector_Path(species),
           Synergistic_Angle_Result_Path(species),
           Functional_Angle_Result_Path_R(species),
           Functional_Angle_Result_Path_L(species)};
      break;
    case 1:
      p = {Right_Vector_Plus_Path(species),
           Left_Vector_Plus_Path(species),
           Result_Vector_Plus_Path(species),
           Synergistic_Angle_Plus_Result_Path(species),
           Functional_Angle_Plus_Result_Path_R(species),
           Functional_Angle_Plus_Result_Path_L(species)};
      break;
    default:
      p = {Right_Vector_Minus_Path(species),
           Left_Vector_Minus_Path(species),
           Result_Vector_Minus_Path(species),
           Synergistic_Angle_Minus_Result_Path(species),
           Functional_Angle_Minus_Result_Path_R(species),
           Functional_Angle_Minus_Result_Path_L(species)};
      break;
  }
  return p;
}

// What every step of a run needs: where the files are, the console, the
// temporary log and the run's count of failures (error_count).
struct Run {
  std::filesystem::path work_dir;
  std::ostream* out = nullptr;
  scds::Error_Log log;
  int error_count = 0;
};

void Report(Run& run, const std::string& message) { scds::Error_Log_Report(run.log, *run.out, message); }

std::string Cannot_Open_Message(std::string_view path, std::string_view what) {
  std::string tail = "\nVerify ";
  tail += what;
  tail += " file name.\n";
  return scds::Path_Message("\nImpossible to read ", path, tail);
}

// Creates, writes and closes one output, which takes the place of an
// earlier file of that name only when it is complete. A failure is reported
// once and counted, and leaves the earlier file as it was.
bool Write_Output(Run& run, const std::string& path, const std::string& text) {
  if (scds::Output_Write_Whole(run.work_dir, path, text, run.log, *run.out)) return true;
  ++run.error_count;
  return false;
}

// What a raw vector file that stays means, said after "Impossible to
// remove <path>": the set's results are written either way.
std::string Kept_Raw_Vector_Message(const std::string& path, std::string_view set, int files) {
  std::string meaning = "The ";
  meaning += set;
  meaning += files == 2 ? " set is written but keeps both raw vector files: remove them by hand."
                        : " set is written but keeps its raw vector file: remove it by hand.";
  return scds::Cannot_Remove_Input_Message(path, meaning);
}

std::string Half_Consumed_Message(const std::string& path, std::string_view set) {
  std::string meaning = "The ";
  meaning += set;
  meaning += " set is written and its other raw vector file removed: remove this one by hand.";
  return scds::Cannot_Remove_Input_Message(path, meaning);
}

// Consumes the raw vector files of a set whose results are all written:
// all of them or none. Each file the system shows cannot be removed (a
// folder this run may not write, a sticky folder and another user's file,
// an immutable file) is said, and the set keeps every file. Otherwise they
// are removed in one step, so that a signal leaves the set whole or
// consumed, never one side of it; a removal that fails all the same (the
// system changed meanwhile) stops the others and is said. A file that
// stays is counted as a failure of the run, as an output that cannot be
// written is: the count is the run's tally of what it said went wrong (the
// log block closes with its empty line for the message anyway).
void Consume_Raw_Vectors(Run& run, const Measurement_Set& set) {
  const std::string* files[2];
  int count = 0;
  for (const std::string& raw : set.consumed) {
    if (!raw.empty()) files[count++] = &raw;
  }
  bool blocked = false;
  for (int k = 0; k < count; ++k) {
    if (scds::May_Remove(run.work_dir / *files[k])) continue;
    Report(run, Kept_Raw_Vector_Message(*files[k], set.name, count));
    ++run.error_count;
    blocked = true;
  }
  if (blocked) return;
  int failed = -1;
  {
    scds::Signals_Held held;
    for (int k = 0; k < count && failed < 0; ++k) {
      if (!scds::Remove_Entry(run.work_dir / *files[k])) failed = k;
    }
  }
  if (failed < 0) return;
  Report(run, failed == 0 ? Kept_Raw_Vector_Message(*files[failed], set.name, count)
                          : Half_Consumed_Message(*files[failed], set.name));
  ++run.error_count;
}

void Write_Banner(std::ostream& out) {
  const char* const lines[] = {
      "\n\n###########################################################",
      "#                                                         #",
      "#    Computation of the Vestibular Frame of Reference     #",
      "#                                                         #",
      "#                      Version 1.1                        #",
      "#                                                         #",
      "###########################################################",
      "",
      nullptr,
  };
  for (int k = 0; lines[k] != nullptr; ++k) scds::Write_Line(out, lines[k]);
  scds::Write_Line(out, scds::kCreditLine);
  const char* const files[] = {
      "INPUT FILES:\n",
      "IN FOLDER: Data/SPECIESNAME/\n",
      "SPECIESNAME_R_Cor.rawvector",
      "SPECIESNAME_R_MinusCor.rawvector",
      "SPECIESNAME_R_PlusCor.rawvector\n",
      "and/or\n",
      "SPECIESNAME_L_Cor.rawvector",
      "SPECIESNAME_L_MinusCor.rawvector",
      "SPECIESNAME_L_PlusCor.rawvector\n",
      "and potentially\n",
      "IN FOLDER: Data/SPECIESNAME/Matrix/\n",
      "SPECIESNAME.midplane\n",
      "OUTPUT FILES:\n",
      "IN FOLDER: Data/SPECIESNAME/Matrix\n",
      "SPECIESNAME_uncoupled.transmat",
      "SPECIESNAME.symmat\n",
      "IN FOLDER: Data/SPECIESNAME/\n",
      "SPECIESNAME_Cor.synangle",
      "SPECIESNAME_Cor.vector",
      "SPECIESNAME_MinusCor.synangle",
      "SPECIESNAME_MinusCor.vector",
      "SPECIESNAME_PlusCor.synangle",
      "SPECIESNAME_PlusCor.vector\n",
      "and\n",
      "SPECIESNAME_R_Cor.functionangle",
      "SPECIESNAME_R_MinusCor.functionangle",
      "SPECIESNAME_R_PlusCor.functionangle\n",
      "and/or\n",
      "SPECIESNAME_L_Cor.functionangle",
      "SPECIESNAME_L_MinusCor.functionangle",
      "SPECIESNAME_L_PlusCor.functionangle\n",
      nullptr,
  };
  for (int k = 0; files[k] != nullptr; ++k) scds::Write_Line(out, files[k]);
  scds::Write_Line(out, scds::kContactNote);
}

scds::Dialogue_Texts Quintarel_Texts() {
  scds::Dialogue_Texts texts;
  texts.name_prompt = "\nPlease enter the exact species name your functional unit vector files use:\n";
  texts.yes_no_reprompt = "\nPlease only answer yes (1) or no (2):\n";
  texts.side_heading = "\nYou have functional unit vectors for:\n";
  texts.side_items[0] = "1. the right semicircular duct system";
  texts.side_items[1] = "2. the left semicircular duct system";
  texts.side_items[2] = "3. both semicircular duct systems\n";
  texts.side_reprompt = "\nPlease only answer right (1), left (2) or both (3):\n";
  texts.max_name = Max_Species_Name();
  return texts;
}

// Opens and reads one side's raw vector file of a set. A file that does not
// open, or whose reads do not give all 18 values as finite numbers, fails
// the set (its flag stays 0 and its values zero). Returns true when read.
bool Read_Raw_Vector(Run& run, Measurement_Set& set, const std::string& path, std::string_view side,
                     Duct_Plane_Set& planes, int& flag) {
  scds::Byte_Source source;
  if (!scds::Source_Open(source, run.work_dir / path)) {
    std::string what(set.name);
    what += " vector";
    Report(run, Cannot_Open_Message(path, what));
    ++run.error_count;
    ++set.error;
    return false;
  }
  Duct_Plane_Set read;
  const int values = Raw_Vector_Read(source, side, read);
  scds::Source_Close(source);
  if (values < kRawVectorValues) {
    Report(run, Raw_Vector_Layout_Message(path, set.name, values));
    ++run.error_count;
    ++set.error;
    return false;
  }
  planes = read;
  flag = 1;
  return true;
}

// Reads the mid-plane file. A file that does not open, that does not give
// its 6 values as finite numbers, or whose normal has no usable length,
// fails every set; its values are then all zero. Returns mid (1 when read).
int Read_Mid_Plane(Run& run, const std::string& species, Mid_Plane& mid, Measurement_Set sets[3]) {
  const std::string path = Mid_Plane_Path(species);
  scds::Byte_Source source;
  std::string message;
  if (!scds::Source_Open(source, run.work_dir / path)) {
    message = Cannot_Open_Message(path, "mid-plane");
  } else {
    Mid_Plane read;
    const int values = Mid_Plane_Read(source, read);
    scds::Source_Close(source);
    const double MP = Mid_Plane_Length(read);
    if (values == kMidPlaneValues && std::isfinite(MP) && MP > 0.0) {
      mid = read;
      return 1;
    }
    message = Mid_Plane_Layout_Message(path);
  }
  Report(run, message);
  ++run.error_count;
  for (int k = 0; k < 3; ++k) ++sets[k].error;
  return 0;
}

// Side modes 1 and 2: the given side is read, the other built by reflection
// through the mid-sagittal plane. right is true in mode 1.
void One_Side(Run& run, const std::string& species, bool right, Measurement_Set sets[3]) {
  Mid_Plane mid;
  const int mid_read = Read_Mid_Plane(run, species, mid, sets);
  Mid_Plane_Normalise(mid);
  const scds::Transform_Matrix S = Reflection_Matrix(mid);
  Write_Output(run, Symmetry_Matrix_Path(species), scds::Transform_Matrix_Text(S));

  for (int k = 0; k < 3; ++k) {
    Measurement_Set& set = sets[k];
    const Set_Paths paths = Paths_Of_Set(species, k);
    const std::string& raw = right ? paths.right_raw : paths.left_raw;
    Duct_Plane_Set& given = right ? set.R : set.L;
    Duct_Plane_Set& built = right ? set.L : set.R;
    int& flag = right ? set.SCDS_R : set.SCDS_L;
    Read_Raw_Vector(run, set, raw, right ? "Right" : "Left", given, flag);
    if (mid_read == 1 && flag == 1) set.consumed[0] = raw;
    Mirror_Side(S, mid, given, built);
  }
}

// Side mode 3: both sides read; .symmat stays empty.
void Both_Sides(Run& run, const std::string& species, Measurement_Set sets[3]) {
  for (int k = 0; k < 3; ++k) {
    Measurement_Set& set = sets[k];
    const Set_Paths paths = Paths_Of_Set(species, k);
    Read_Raw_Vector(run, set, paths.right_raw, "Right", set.R, set.SCDS_R);
    Read_Raw_Vector(run, set, paths.left_raw, "Left", set.L, set.SCDS_L);
    if (set.SCDS_R == 1 && set.SCDS_L == 1) {
      set.consumed[0] = paths.right_raw;
      set.consumed[1] = paths.left_raw;
    }
  }
}

// One output of a set's pass; set.output_failed tells that one could not be
// written.
void Write_Set_Output(Run& run, Measurement_Set& set, const std::string& path, const std::string& text) {
  if (!Write_Output(run, path, text)) set.output_failed = true;
}

// One measurement-set pass: frame, matrix (Cor only: the uncoupled
// matrix), transformed vectors, console echo (Cor only), the .vector file,
// then the angles and their files. Each file is written whole where its
// text is ready.
void Set_Pass(Run& run, const std::string& species, int k, Measurement_Set& set) {
  const bool cor = k == 0;
  std::ostream& out = *run.out;
  const Set_Paths paths = Paths_Of_Set(species, k);

  const Vestibular_Frame frame = Frame_Of(set.R, set.L);
  const scds::Transform_Matrix TM = Frame_Inverse(frame);
  if (cor) Write_Set_Output(run, set, Transfrom_Matrix_Path(species), scds::Transform_Matrix_Text(TM));

  Transform_Side(TM, set.R);
  Transform_Side(TM, set.L);
  const std::string vectors = Vector_File_Text(set.R, set.L);
  if (cor) out << '\n' << vectors;
  Write_Set_Output(run, set, paths.vector, vectors);

  const std::string synergistic = Synergistic_Text(Synergistic_Angles_Of(set.R, set.L));
  if (cor) out << '\n' << synergistic;
  Write_Set_Output(run, set, paths.synangle, synergistic);

  if (set.SCDS_R == 1) {
    const std::string reference = Reference_Text(Right_Reference_Angles(set.R));
    if (cor) out << '\n' << reference;
    Write_Set_Output(run, set, paths.function_R, reference);
  }
  if (set.SCDS_L == 1) {
    const std::string reference = Reference_Text(Left_Reference_Angles(set.L));
    if (cor) out << '\n' << reference;
    Write_Set_Output(run, set, paths.function_L, reference);
  }
}

}  // namespace

int Run_Quintarel(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir) {
  const scds::Dialogue_Texts texts = Quintarel_Texts();

  Write_Banner(out);
  const std::optional<std::string> name = scds::Species_Name(in, out, texts);
  if (!name) {
    out.flush();
    return 1;
  }
  const std::string species = *name;
  scds::Species_Lock lock;
  if (!scds::Hold_Species(lock, work_dir, species, out)) return scds::Species_Held_Elsewhere(in, out);

  Run run;
  run.work_dir = work_dir;
  run.out = &out;
  scds::Error_Log_Open(run.log, out, work_dir, species, scds::Error_Log_Temp_File_Path(species),
                       scds::Program::Quintarel);

  // Nothing is written before the dialogue is over: an end of input leaves
  // every file as it was.
  const std::optional<int> side = scds::Menu(in, out, texts);
  if (!side) {
    scds::Error_Log_Merge(run.log, out);
    out.flush();
    return 1;
  }

  Measurement_Set sets[3];
  sets[0].name = "Cor";
  sets[1].name = "PlusCor";
  sets[2].name = "MinusCor";
  if (*side == 3) {
    Both_Sides(run, species, sets);
  } else {
    One_Side(run, species, *side == 1, sets);
  }

  // A set that fails writes nothing, so the outputs of an earlier run of
  // that set stay as they were: they may be the only record of raw vectors
  // an earlier run consumed.
  for (int k = 0; k < 3; ++k) {
    Measurement_Set& set = sets[k];
    if (set.error > 0) continue;
    Set_Pass(run, species, k, set);
    // A set's raw vector files are consumed once its results are all
    // written; when one could not be, they stay for the next run.
    if (!set.output_failed) Consume_Raw_Vectors(run, set);
  }
  // Both sides given: no mid-plane, no reflection, an empty symmetry matrix.
  if (*side == 3) Write_Output(run, Symmetry_Matrix_Path(species), "");

  scds::Error_Log_Merge(run.log, out);
  scds::Exit(in, out);
  out.flush();
  return 0;
}

}  // namespace scds::quintarel
