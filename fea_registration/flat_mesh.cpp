#include "flat_mesh.h"

#include "error_log.h"
#include "mesh_outcome.h"
#include "number_format.h"
#include "output_file.h"
#include "paths.h"
#include "stl_text.h"

namespace scds::flanmere {
namespace {

std::string FEA_Mesh_Path(std::string_view prefix, std::string_view species, std::string_view suffix,
                          std::string_view ending) {
  std::string file(prefix);
  file += species;
  file += suffix;
  file += ending;
  return Join_Path(Species_Folder(species, "/FEA"), file);
}

// Flat text is gathered and written in pieces of about this size.
constexpr std::size_t kWriteChunk = std::size_t{1} << 16;

// A block that gives no flat mesh keeps none of that name, not even one an
// earlier run wrote (never a folder that happens to bear the name): the
// solver must not take an old mesh for the present input. The input that
// would make it again is still where it was.
// A removal that fails is said and counted like a mesh that cannot be
// written.
void Remove_Older_Flat_Mesh(const std::string& output_path, Block_Report& report,
                            const std::filesystem::path& work_dir) {
  if (Output_Remove_Earlier(work_dir, output_path, report.log, report.out)) ++report.error_count;
}

// A block whose input cannot be read or used, once its failure is said: it
// is counted, and an older flat mesh of its name is removed. A cupula's
// failure leaves its duct without a frame.
void Block_Failed(Block_Kind kind, const std::string& output_path, Duct_State& duct, Block_Report& report,
                  const std::filesystem::path& work_dir) {
  ++report.error_count;
  if (kind == Block_Kind::Cupula) {
    Clear_Cupula_Frame(duct.frame);
    duct.framed = false;
  }
  Remove_Older_Flat_Mesh(output_path, report, work_dir);
  Block_Reset(duct);
}

}  // namespace

std::string Input_Right_Surface_STL_File_Path(std::string_view species, std::string_view suffix) {
  return FEA_Mesh_Path("rfea_", species, suffix, ".stl");
}

std::string Input_Left_Surface_STL_File_Path(std::string_view species, std::string_view suffix) {
  return FEA_Mesh_Path("lfea_", species, suffix, ".stl");
}

std::string Output_Right_FEA_STL_File_Path(std::string_view species, std::string_view suffix) {
  return FEA_Mesh_Path("rfea_", species, suffix, "_2D.stl");
}

std::string Output_Left_FEA_STL_File_Path(std::string_view species, std::string_view suffix) {
  return FEA_Mesh_Path("lfea_", species, suffix, "_2D.stl");
}

std::string Input_Surface_STL_File_Path(Side side, std::string_view species, std::string_view suffix) {
  return side == Side::Right ? Input_Right_Surface_STL_File_Path(species, suffix)
                                 : Input_Left_Surface_STL_File_Path(species, suffix);
}

std::string Output_FEA_STL_File_Path(Side side, std::string_view species, std::string_view suffix) {
  return side == Side::Right ? Output_Right_FEA_STL_File_Path(species, suffix)
                                 : Output_Left_FEA_STL_File_Path(species, suffix);
}

void Append_Flat_Vector(std::string& text, int read, double x0, double y0) {
  if (read == 0) {
    text += kFlatNormalLine;
    return;
  }
  text += read == 1 ? "\touter loop\n\t\tvertex " : "\t\tvertex ";
  Append_F(text, x0);
  text += ' ';
  Append_F(text, y0);
  text += read == 3 ? " 0.000\n\tendloop\nendfacet\n" : " 0.000\n";
}

std::string No_Frame_Message(std::string_view path) {
  return Path_Message("\nImpossible to flatten ", path, "\nIts cupula gave no frame to flatten it in.\n");
}

std::string Degenerate_Facet_Message(std::string_view path) {
  return Path_Message("\nImpossible to use ", path,
                      "\nIts first facet is degenerate; no frame can be built from it.\n");
}

void Block_Reset(Duct_State& duct) {
  duct.x = duct.y = duct.z = 0.0;
  duct.x0 = duct.y0 = duct.z0 = 0.0;
  duct.i = 0;
  duct.j = 0;
}

void Duct_Reset(Duct_State& duct) {
  Block_Reset(duct);
  Clear_Cupula_Frame(duct.frame);
  duct.framed = false;
}

void Flat_Mesh_Block(Block_Kind kind, Side side, std::string_view species, std::string_view suffix,
                     Duct_State& duct, Block_Report& report, const std::filesystem::path& work_dir) {
  const std::string input_path = Input_Surface_STL_File_Path(side, species, suffix);
  const std::string output_path = Output_FEA_STL_File_Path(side, species, suffix);

  if (kind == Block_Kind::Cilia && !duct.framed) {
    // Flattened without a frame, every vertex would land on the origin: the
    // mesh is not read, and no flat mesh of its name stands for this duct.
    Error_Log_Report(report.log, report.out, No_Frame_Message(input_path));
    ++report.error_count;
    Remove_Older_Flat_Mesh(output_path, report, work_dir);
    Block_Reset(duct);
    return;
  }

  STL_Mesh mesh;
  const STL_Open_Result opened = STL_Open(mesh, work_dir / input_path);
  if (opened != STL_Open_Result::Opened) {
    Say_Mesh_Outcome(opened, input_path, kVerifyFileName, report.log, report.out);
    Block_Failed(kind, output_path, duct, report, work_dir);
    return;
  }
  Output_File output;
  if (!Output_Begin(output, work_dir, output_path, report.log, report.out)) ++report.error_count;

  duct.i = Facet_Count(mesh);
  if (kind == Block_Kind::Cupula) {
    if (!Build_Cupula_Frame(mesh, duct.i, duct.frame, duct.x, duct.y, duct.z)) {
      const STL_Open_Result outcome = STL_Read_Outcome(mesh);
      STL_Close(mesh);
      Output_Discard(output);
      // A mesh read as it should be whose first facet (or its lack of one)
      // gives no frame is said to be degenerate.
      if (Say_Mesh_Outcome(outcome, input_path, kVerifyFileName, report.log, report.out)) {
        Error_Log_Report(report.log, report.out, Degenerate_Facet_Message(input_path));
      }
      Block_Failed(kind, output_path, duct, report, work_dir);
      return;
    }
    duct.framed = true;
  }

  const Transform_Matrix& m = duct.frame.matrix;
  std::string text;
  text.reserve(kWriteChunk + 512);
  text += kSolidLine;
  for (duct.j = 0; duct.j < duct.i; ++duct.j) {
    STL_Read_Vector(mesh, 0, duct.x, duct.y, duct.z);
    Append_Flat_Vector(text, 0, 0.0, 0.0);
    for (int read = 1; read <= 3; ++read) {
      STL_Read_Vector(mesh, read, duct.x, duct.y, duct.z);
      Flatten_Vertex(m, duct.x, duct.y, duct.z, duct.x0, duct.y0);
      Append_Flat_Vector(text, read, duct.x0, duct.y0);
    }
    if (text.size() >= kWriteChunk) {
      Output_Write(output, text);
      text.clear();
    }
  }
  STL_End_Read(mesh);
  text += kEndSolidLine;
  Output_Write(output, text);

  const STL_Open_Result outcome = STL_Read_Outcome(mesh);
  STL_Close(mesh);
  // A file that stopped being readable after it was counted, or whose text
  // is not regular, is refused, and nothing read from it takes the place of
  // an earlier flat mesh.
  if (!Say_Mesh_Outcome(outcome, input_path, kVerifyFileName, report.log, report.out)) {
    Output_Discard(output);
    Block_Failed(kind, output_path, duct, report, work_dir);
    return;
  }
  if (!Output_End(output, report.log, report.out)) ++report.error_count;
  Block_Reset(duct);
}

void Flat_Duct(Side side, std::string_view species, int duct_index, Duct_State& duct, Block_Report& report,
               const std::filesystem::path& work_dir) {
  const std::string_view(&suffixes)[4] = kCaseSuffixes[duct_index];
  Flat_Mesh_Block(Block_Kind::Cupula, side, species, suffixes[0], duct, report, work_dir);
  for (int k = 1; k < 4; ++k) Flat_Mesh_Block(Block_Kind::Cilia, side, species, suffixes[k], duct, report, work_dir);
}

}  // namespace scds::flanmere
