#include "morphometry.h"

#include "biomechanics_paths.h"
#include "duct_plane.h"
#include "error_log.h"
#include "text_match.h"

namespace scds::ostravel {
namespace {

using Member = double Pass_State::*;

struct Layout_Builder {
  std::vector<Morphometry_Line> lines;

  void Text(std::string text) {
    Morphometry_Line line;
    line.text = std::move(text);
    lines.push_back(std::move(line));
  }
  void Empty() { Text("\n"); }
  void Heading(std::string_view heading) {
    Text(std::string(heading) + "\n");
    Empty();
  }
  void Row(std::string text, Member value) {
    Morphometry_Line line;
    line.text = std::move(text);
    line.value = value;
    lines.push_back(std::move(line));
  }
  void Skip(std::string text) { Row(std::move(text), nullptr); }
  void Plane(std::string_view side, std::string_view duct, Member x, Member y, Member z) {
    Morphometry_Line line;
    line.side = side;
    line.duct = duct;
    line.x = x;
    line.y = y;
    line.z = z;
    lines.push_back(std::move(line));
  }

  // The seventeen rows of a segment block (fourteen segments, then the three
  // ducts, which are skipped), grouped 3, 4, 4, 3, 3 with an empty line
  // between groups. `unit` follows the number (" mm", " mm^2" or nothing).
  void Segment_Block(std::string_view unit, const Member (&values)[14]) {
    static constexpr std::string_view labels[17] = {
        "Anterior slender duct",
        "Posterior slender duct",
        "Lateral slender duct",
        "Common crus (anterior trajectory)",
        "Common crus (posterior trajectory)",
        "Common crus (common part)",
        "Simple crus",
        "Anterior utricle (anterior trajectory)",
        "Anterior utricle (lateral trajectory)",
        "Anterior utricle (common part)",
        "Posterior utricle",
        "Anterior ampulla",
        "Posterior ampulla",
        "Lateral ampulla",
        "Anterior duct",
        "Posterior duct",
        "Lateral duct",
    };
    for (int k = 0; k < 17; ++k) {
      if (k == 3 || k == 7 || k == 11 || k == 14) Empty();
      std::string text(labels[k]);
      text += ": %lf";
      text += unit;
      text += "\n";
      Row(std::move(text), k < 14 ? values[k] : nullptr);
    }
  }

  void Plane_Block(std::string_view heading, const Member (&values)[18]) {
    Heading(heading);
    static constexpr std::string_view sides[2] = {"Right", "Left"};
    static constexpr std::string_view ducts[3] = {"Anterior", "Posterior", "Lateral"};
    for (int s = 0; s < 2; ++s) {
      for (int d = 0; d < 3; ++d) {
        const int k = (s * 3 + d) * 3;
        Plane(sides[s], ducts[d], values[k], values[k + 1], values[k + 2]);
      }
    }
  }
};

std::vector<Morphometry_Line> Build_Layout() {
  using P = Pass_State;
  Layout_Builder b;

  b.Heading("ENDOLYMPH VOLUMES");
  b.Skip("Anterior slender duct: %lf mm^3\n");
  b.Skip("Posterior slender duct: %lf mm^3\n");
  b.Skip("Lateral slender duct: %lf mm^3\n");
  b.Empty();
  b.Skip("Common crus: %lf mm^3\n");
  b.Skip("Simple crus: %lf mm^3\n");
  b.Empty();
  b.Skip("Anterior utricle: %lf mm^3\n");
  b.Skip("Posterior utricle: %lf mm^3\n");
  b.Empty();
  b.Skip("Anterior ampulla: %lf mm^3\n");
  b.Skip("Posterior ampulla: %lf mm^3\n");
  b.Skip("Lateral ampulla: %lf mm^3\n");
  b.Empty();
  b.Skip("Anterior duct: %lf mm^3\n");
  b.Skip("Posterior duct: %lf mm^3\n");
  b.Skip("Lateral duct: %lf mm^3\n");
  b.Empty();
  b.Skip("Total SCDS volume: %lf mm^3\n");
  b.Skip("Smoothing effect: %lf %%\n");
  b.Skip("Division error: %lf %%\n");
  b.Empty();
  b.Empty();

  b.Heading("STREAMLINE LENGTHS");
  b.Row("Anterior slender duct: %lf mm\n", &P::LSa);
  b.Row("Posterior slender duct: %lf mm\n", &P::LSp);
  b.Row("Lateral slender duct: %lf mm\n", &P::LSl);
  b.Empty();
  b.Row("Common crus (anterior trajectory): %lf mm\n", &P::LCCa);
  b.Row("Common crus (posterior trajectory): %lf mm\n", &P::LCCp);
  b.Row("Common crus (common part): %lf mm\n", &P::LCC);
  b.Row("Simple crus: %lf mm\n", &P::LUl);
  b.Empty();
  b.Row("Anterior utricle (anterior trajectory): %lf mm\n", &P::LUCa);
  b.Row("Anterior utricle (lateral trajectory): %lf mm\n", &P::LUCl);
  b.Row("Anterior utricle (common part): %lf mm\n", &P::LUC);
  b.Row("Posterior utricle: %lf mm\n", &P::LUCp);
  b.Empty();
  b.Row("Anterior ampulla: %lf mm\n", &P::LAa);
  b.Row("Posterior ampulla: %lf mm\n", &P::LAp);
  b.Row("Lateral ampulla: %lf mm\n", &P::LAl);
  b.Empty();
  b.Skip("Anterior duct: %lf mm\n");
  b.Skip("Posterior duct: %lf mm\n");
  b.Skip("Lateral duct: %lf mm\n");
  b.Empty();
  b.Empty();

  b.Heading("STREAMLINE ENCLOSED AREAS");
  b.Row("Anterior duct: %lf mm^2\n", &P::AADT);
  b.Row("Posterior duct: %lf mm^2\n", &P::APDT);
  b.Row("Lateral duct: %lf mm^2\n", &P::ALDT);
  b.Empty();

  b.Heading("RADII OF CURVATURE");
  b.Skip("Anterior duct: %lf mm\n");
  b.Skip("Posterior duct: %lf mm\n");
  b.Skip("Lateral duct: %lf mm\n");
  b.Empty();
  b.Empty();

  b.Heading("CROSS-SECTIONAL AREAS");
  b.Segment_Block(" mm^2", {&P::aSa, &P::aSp, &P::aSl, &P::aCCa, &P::aCCp, &P::aCC, &P::aUl, &P::aUCa, &P::aUCl,
                            &P::aUC, &P::aUCp, &P::aAa, &P::aAp, &P::aAl});
  b.Empty();

  b.Heading("SLENDER DUCT CROSS-SECTIONAL RADII");
  b.Skip("Anterior slender duct: %lf mm\n");
  b.Skip("Posterior slender duct: %lf mm\n");
  b.Skip("Lateral slender duct: %lf mm\n");
  b.Empty();

  b.Heading("CROSS-SECTIONAL RATIOS");
  b.Skip("Common crus to anterior slender duct: %lf\n");
  b.Skip("Common crus to posterior slender duct: %lf\n");
  b.Empty();
  b.Skip("Anterior utricle to anterior slender duct: %lf\n");
  b.Skip("Anterior utricle to lateral slender duct: %lf\n");
  b.Skip("Posterior utricle to posterior slender duct: %lf\n");
  b.Empty();
  b.Skip("Anterior ampulla to anterior slender duct: %lf\n");
  b.Skip("Posterior ampulla to posterior slender duct: %lf\n");
  b.Skip("Lateral ampulla to lateral slender duct: %lf\n");
  b.Empty();
  b.Empty();

  b.Heading("WALL SHAPE DRAG FACTORS");
  b.Segment_Block("", {&P::wsSa, &P::wsSp, &P::wsSl, &P::wsCCa, &P::wsCCp, &P::wsCC, &P::wsUl, &P::wsUCa,
                       &P::wsUCl, &P::wsUC, &P::wsUCp, &P::wsAa, &P::wsAp, &P::wsAl});
  b.Empty();
  b.Empty();

  b.Heading("CUPULA MORPHOMETRY");
  b.Heading("CUPULA CROSS-SECTIONAL AREAS");
  b.Row("Anterior cupula (average): %lf mm^2\n", &P::aCa);
  b.Row("Posterior cupula (average): %lf mm^2\n", &P::aCp);
  b.Row("Lateral cupula (average): %lf mm^2\n", &P::aCl);
  b.Empty();
  b.Row("Anterior cupula (central section): %lf mm^2\n", &P::aCa_Mid);
  b.Row("Posterior cupula (central section): %lf mm^2\n", &P::aCp_Mid);
  b.Row("Lateral cupula (central section): %lf mm^2\n", &P::aCl_Mid);
  b.Empty();

  b.Heading("CUPULA THICKNESS");
  b.Row("Anterior cupula (long cilia): %lf mm\n", &P::LCa_high);
  b.Row("Anterior cupula (medium cilia): %lf mm\n", &P::LCa_med);
  b.Row("Anterior cupula (short cilia): %lf mm\n", &P::LCa_low);
  b.Empty();
  b.Row("Posterior cupula (long cilia): %lf mm\n", &P::LCp_high);
  b.Row("Posterior cupula (medium cilia): %lf mm\n", &P::LCp_med);
  b.Row("Posterior cupula (short cilia): %lf mm\n", &P::LCp_low);
  b.Empty();
  b.Row("Lateral cupula (long cilia): %lf mm\n", &P::LCl_high);
  b.Row("Lateral cupula (medium cilia): %lf mm\n", &P::LCl_med);
  b.Row("Lateral cupula (short cilia): %lf mm\n", &P::LCl_low);
  b.Empty();
  b.Skip("Anterior cupula (Rabbitt's empirical estimation): %lf mm\n");
  b.Skip("Posterior cupula (Rabbitt's empirical estimation): %lf mm\n");
  b.Skip("Lateral cupula (Rabbitt's empirical estimation): %lf mm\n");
  b.Empty();
  b.Empty();

  b.Plane_Block("SEMICIRCULAR DUCT PLANES (UNCOUPLED)",
                {&P::xADT_R, &P::yADT_R, &P::zADT_R, &P::xPDT_R, &P::yPDT_R, &P::zPDT_R, &P::xLDT_R, &P::yLDT_R,
                 &P::zLDT_R, &P::xADT_L, &P::yADT_L, &P::zADT_L, &P::xPDT_L, &P::yPDT_L, &P::zPDT_L, &P::xLDT_L,
                 &P::yLDT_L, &P::zLDT_L});
  b.Empty();
  b.Plane_Block("SEMICIRCULAR DUCT CENTER OF ROTATION (UNCOUPLED)",
                {&P::xADTc_R, &P::yADTc_R, &P::zADTc_R, &P::xPDTc_R, &P::yPDTc_R, &P::zPDTc_R, &P::xLDTc_R,
                 &P::yLDTc_R, &P::zLDTc_R, &P::xADTc_L, &P::yADTc_L, &P::zADTc_L, &P::xPDTc_L, &P::yPDTc_L,
                 &P::zPDTc_L, &P::xLDTc_L, &P::yLDTc_L, &P::zLDTc_L});
  return std::move(b.lines);
}

std::string Morphometry_Message(std::string_view path) {
  return Path_Message("\nImpossible to read ", path, "\nVerify both species name and morpho file name.\n");
}

}  // namespace

const std::vector<Morphometry_Line>& Morphometry_Layout() {
  static const std::vector<Morphometry_Line> layout = Build_Layout();
  return layout;
}

int Read_Morphometry_File(Byte_Source& source, Pass_State& pass) {
  double Dummy = 0.0;
  int read = 0;
  for (const Morphometry_Line& line : Morphometry_Layout()) {
    if (line.x != nullptr) {
      read += Read_Duct_Plane_Row(source, line.side, line.duct, pass.*line.x, pass.*line.y, pass.*line.z);
    } else if (line.text.find("%lf") == std::string::npos) {
      Scan(source, line.text);
    } else {
      read += Scan(source, line.text, line.value != nullptr ? &(pass.*line.value) : &Dummy).converted;
    }
  }
  return read;
}

void Read_Morphometry(Run_State& run, std::ostream& out) {
  const std::string path = Morphometry_Path(run.species, run.set);
  Byte_Source source;
  if (!Source_Open(source, run.work_dir / path)) {
    Error_Log_Report(run.log, out, Morphometry_Message(path));
    ++run.pass.error_morpho;
    return;
  }
  const int read = Read_Morphometry_File(source, run.pass);
  Source_Close(source);
  if (read < kMorphometryValues) Error_Log_Report(run.log, out, Incomplete_Message(path, read, kMorphometryValues));
}

}  // namespace scds::ostravel
