#include "saxmorrow.h"

#include <cstdint>
#include <system_error>
#include <vector>

#include "banner.h"
#include "byte_source.h"
#include "dialogue.h"
#include "error_log.h"
#include "folder_lock.h"
#include "mesh_outcome.h"
#include "output_file.h"
#include "paths.h"
#include "stl_text.h"
#include "transform_matrix.h"

namespace scds::saxmorrow {

std::string Transfrom_Matrix_Path(std::string_view species) {
  std::string file(species);
  file += ".transmat";
  return scds::Join_Path(scds::Species_Folder(species, "/Matrix"), file);
}

std::string Input_STL_File_Path(std::string_view stl, std::string_view species) {
  std::string file(stl);
  file += ".stl";
  return scds::Join_Path(scds::Species_Folder(species, "/ScanRef/Other"), file);
}

std::string Output_STL_File_Path(std::string_view stl, std::string_view species) {
  std::string file(stl);
  file += ".stl";
  return scds::Join_Path(scds::Species_Folder(species, "/VestRef/Other"), file);
}

std::vector<std::string> Saxmorrow_Paths(std::string_view species) {
  return {Transfrom_Matrix_Path(species), scds::Error_Log_File_Path(species), scds::Error_Log_Temp_File_Path(species)};
}

std::size_t Max_Species_Name() { return scds::Max_Name_Of_Paths(Saxmorrow_Paths("a"), Saxmorrow_Paths("aa")); }

std::size_t Max_STL_Name(std::string_view species) {
  const std::size_t in = scds::Max_Name_Length(Input_STL_File_Path("a", species).size(),
                                               Input_STL_File_Path("aa", species).size());
  const std::size_t out = scds::Max_Name_Length(Output_STL_File_Path("a", species).size(),
                                                Output_STL_File_Path("aa", species).size());
  return in < out ? in : out;
}

namespace {

constexpr std::string_view kYesNoReprompt = "\nPlease only answer yes (1) or no (2):\n";

}  // namespace

std::optional<std::string> STL_File_Name(std::istream& in, std::ostream& out, std::size_t max_name) {
  return scds::Confirmed_Name(in, out, "\nPlease enter the exact name of the STL file you want to transform:\n",
                              kYesNoReprompt, max_name, scds::Name_Kind::Mesh);
}

std::optional<int> Menu(std::istream& in, std::ostream& out) {
  scds::Write_Line(out, "\nDo you want to transform another STL file ?\n");
  scds::Write_Line(out, "1. Yes");
  scds::Write_Line(out, "2. No");
  const std::optional<long long> choice = scds::Read_Choice(in, out, 1, 2, kYesNoReprompt);
  if (!choice) return std::nullopt;
  return static_cast<int>(*choice);
}

namespace {

void Write_Banner(std::ostream& out) {
  scds::Write_Line(out, "\n\n####################################################################");
  scds::Write_Line(out, "#                                                                  #");
  scds::Write_Line(out, "#    Registration of Any STL into Vestibular Frame of Reference    #");
  scds::Write_Line(out, "#                                                                  #");
  scds::Write_Line(out, "#                           Version 1.0                            #");
  scds::Write_Line(out, "#                                                                  #");
  scds::Write_Line(out, "####################################################################");
  out << '\n';
  scds::Write_Line(out, scds::kCreditLine);
  scds::Write_Line(out, "INPUT FILES:\n");
  scds::Write_Line(out, "IN FOLDER: Data/SPECIESNAME/ScanRef/Other/\n");
  scds::Write_Line(out, "FILENAME.stl\n");
  scds::Write_Line(out, "and\n");
  scds::Write_Line(out, "IN FOLDER: Data/SPECIESNAME/Matrix/\n");
  scds::Write_Line(out, "SPECIESNAME.transmat\n");
  scds::Write_Line(out, "OUTPUT FILES:\n");
  scds::Write_Line(out, "IN FOLDER: Data/SPECIESNAME/VestRef/Other/\n");
  scds::Write_Line(out, "FILENAME.stl\n");
  scds::Write_Line(out, "Only works with STL files saved in ASCII format.\nPlease verify compatibility.\n");
  scds::Write_Line(out, scds::kContactNote);
}

// The determinant expanded along the first row.
double Determinant(const scds::Transform_Matrix& m) {
  return m.TMA * (m.TME * m.TMI - m.TMF * m.TMH) - m.TMB * (m.TMD * m.TMI - m.TMF * m.TMG) +
         m.TMC * (m.TMD * m.TMH - m.TME * m.TMG);
}

// The registered mesh is gathered in this many bytes before each write.
constexpr std::size_t kOutputBlock = std::size_t{1} << 18;

struct Run_State {
  std::istream& in;
  std::ostream& out;
  const std::filesystem::path& work_dir;
  std::string species;
  scds::Error_Log log;
  scds::Transform_Matrix matrix;
  int error_count = 0;
  int error_count_trans = 0;
};

// Reads the matrix file; a failure stops the run from asking for meshes.
void Read_Matrix(Run_State& run) {
  const std::string transmat_path = Transfrom_Matrix_Path(run.species);
  scds::Byte_Source transmat;
  if (!scds::Source_Open(transmat, run.work_dir / transmat_path)) {
    scds::Error_Log_Report(run.log, run.out,
                           Path_Message("\nImpossible to read ", transmat_path, "\nVerify transfert matrix file name.\n"));
    ++run.error_count;
    ++run.error_count_trans;
    return;
  }
  const int converted = scds::Transform_Matrix_Read(transmat, run.matrix);
  scds::Source_Close(transmat);
  if (converted < 9 || !scds::Transform_Matrix_Finite(run.matrix) || Determinant(run.matrix) == 0.0) {
    scds::Error_Log_Report(
        run.log, run.out,
        Path_Message("\nImpossible to use ", transmat_path,
                     "\nThe transform matrix is incomplete, not finite or singular; run Ostravel again.\n"));
    ++run.error_count;
    ++run.error_count_trans;
  }
}

// True when the output already exists and is the input file itself.
bool Same_File(const std::filesystem::path& input, const std::filesystem::path& output) {
  std::error_code error;
  if (!std::filesystem::exists(output, error)) return false;
  const bool same = std::filesystem::equivalent(input, output, error);
  return !error && same;
}

// Registers one mesh: reads Data/<species>/ScanRef/Other/<stl>.stl and
// writes it, carried by the matrix, to Data/<species>/VestRef/Other/<stl>.stl
// under a temporary name that replaces the output only once complete.
void Register_Mesh(Run_State& run, const std::string& stl) {
  const std::string stl_ini_path = Input_STL_File_Path(stl, run.species);
  const std::string stl_fin_path = Output_STL_File_Path(stl, run.species);
  const std::filesystem::path input = run.work_dir / stl_ini_path;
  const std::filesystem::path output = run.work_dir / stl_fin_path;

  scds::STL_Mesh STLIni;
  const scds::STL_Open_Result opened = scds::STL_Open(STLIni, input);
  if (opened != scds::STL_Open_Result::Opened) {
    scds::Say_Mesh_Outcome(opened, stl_ini_path, scds::kVerifyFileName, run.log, run.out);
    ++run.error_count;
    return;
  }
  if (Same_File(input, output)) {
    scds::STL_Close(STLIni);
    scds::Error_Log_Report(run.log, run.out,
                           Path_Message("\nImpossible to write ", stl_fin_path, "\nIt is the input mesh itself.\n"));
    ++run.error_count;
    return;
  }

  scds::Output_File STLFin;
  if (!scds::Output_Begin(STLFin, run.work_dir, stl_fin_path, run.log, run.out)) {
    scds::STL_Close(STLIni);
    ++run.error_count;
    return;
  }

  std::vector<char> block(kOutputBlock);
  char* const begin = block.data();
  char* const limit = begin + block.size() - 4 * scds::kRegisteredVectorMax;
  char* end = begin;
  const std::int64_t i = scds::Facet_Count(STLIni);
  scds::Output_Write(STLFin, scds::kSolidLine);
  double x = 0.0, y = 0.0, z = 0.0;  // the vector just read
  for (std::int64_t j = 0; j < i; ++j) {
    for (int read = 0; read < 4; ++read) {
      scds::STL_Read_Vector(STLIni, read, x, y, z);
      double x0, y0, z0;
      scds::Transform_Apply(run.matrix, x, y, z, x0, y0, z0);
      end = scds::Format_Registered_Vector(end, read, x0, y0, z0);
    }
    if (end >= limit) {
      scds::Output_Write(STLFin, std::string_view(begin, static_cast<std::size_t>(end - begin)));
      end = begin;
      if (STLFin.failed) break;  // a full disk, say: no use reading on
    }
  }
  if (STLFin.failed) {
    scds::STL_Close(STLIni);
    scds::Output_Discard(STLFin);
    scds::Error_Log_Report(run.log, run.out, scds::Cannot_Write_Output_Message(stl_fin_path));
    ++run.error_count;
    return;
  }
  scds::Output_Write(STLFin, std::string_view(begin, static_cast<std::size_t>(end - begin)));
  scds::STL_End_Read(STLIni);
  scds::Output_Write(STLFin, scds::kEndSolidLine);
  const scds::STL_Open_Result outcome = scds::STL_Read_Outcome(STLIni);
  scds::STL_Close(STLIni);

  // A mesh that could not be read to its end, or not as regular text, is
  // refused: what was written from it is discarded, and an earlier
  // registered mesh of its name stays.
  if (!scds::Say_Mesh_Outcome(outcome, stl_ini_path, scds::kVerifyFileName, run.log, run.out)) {
    scds::Output_Discard(STLFin);
    ++run.error_count;
    return;
  }
  if (!scds::Output_End(STLFin, run.log, run.out)) ++run.error_count;
}

}  // namespace

int Run_Saxmorrow(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir) {
  Write_Banner(out);
  scds::Dialogue_Texts texts;
  texts.name_prompt = "\nPlease enter the exact species name your transformation matrix uses:\n";
  texts.yes_no_reprompt = kYesNoReprompt;
  texts.max_name = Max_Species_Name();
  const std::optional<std::string> species = scds::Species_Name(in, out, texts);
  if (!species) return 1;
  scds::Species_Lock lock;
  if (!scds::Hold_Species(lock, work_dir, *species, out)) return scds::Species_Held_Elsewhere(in, out);

  Run_State run{in, out, work_dir, *species, {}, {}};
  scds::Error_Log_Open(run.log, out, work_dir, run.species, scds::Error_Log_Temp_File_Path(run.species),
                       scds::Program::Saxmorrow);
  Read_Matrix(run);

  bool ended = false;  // standard input ended at a question
  if (run.error_count_trans == 0) {
    int choice = 0;
    do {
      const std::optional<std::string> stl = STL_File_Name(in, out, Max_STL_Name(run.species));
      if (!stl) {
        ended = true;
        break;
      }
      Register_Mesh(run, *stl);
      const std::optional<int> answer = Menu(in, out);
      if (!answer) {
        ended = true;
        break;
      }
      if (*answer == 2) choice = 1;
    } while (choice == 0);
  }

  scds::Error_Log_Merge(run.log, out);
  if (ended) return 1;
  scds::Exit(in, out);
  return 0;
}

}  // namespace scds::saxmorrow
