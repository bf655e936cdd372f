#include "biomechanics_paths.h"

#include <utility>

#include "paths.h"

namespace scds::ostravel {
namespace {

// Data/<sp>[/sub]/<prefix><sp><ending>
std::string Species_Path(std::string_view species, std::string_view sub_folder, std::string_view prefix,
                         std::string_view ending) {
  std::string file(prefix);
  file += species;
  file += ending;
  return Join_Path(Species_Folder(species, sub_folder), file);
}

std::string Deflection_Path(std::string_view prefix, std::string_view species, std::string_view duct,
                            std::string_view cilia) {
  std::string ending = "_";
  ending += duct;
  ending += "_Cilia_";
  ending += cilia;
  ending += ".deflection";
  return Species_Path(species, "/FEA", prefix, ending);
}

}  // namespace

std::string Right_Sif_File_Path(std::string_view species) {
  return Species_Path(species, "/FEA", "rfea_", "_Ant_Cilia_Long.sif");
}

std::string Left_Sif_File_Path(std::string_view species) {
  return Species_Path(species, "/FEA", "lfea_", "_Ant_Cilia_Long.sif");
}

std::string Right_Result_Deflection_Path(std::string_view species, std::string_view duct, std::string_view cilia) {
  return Deflection_Path("rfea_", species, duct, cilia);
}

std::string Left_Result_Deflection_Path(std::string_view species, std::string_view duct, std::string_view cilia) {
  return Deflection_Path("lfea_", species, duct, cilia);
}

std::string Result_Morphometry_Path(std::string_view species) { return Species_Path(species, "", "", "_Cor.morph"); }

std::string Plus_Result_Morphometry_Path(std::string_view species) {
  return Species_Path(species, "", "", "_PlusCor.morph");
}

std::string Minus_Result_Morphometry_Path(std::string_view species) {
  return Species_Path(species, "", "", "_MinusCor.morph");
}

std::string Morphometry_Path(std::string_view species, Measurement_Set set) {
  switch (set) {
    case Measurement_Set::Cor:
      return Result_Morphometry_Path(species);
    case Measurement_Set::PlusCor:
      return Plus_Result_Morphometry_Path(species);
    case Measurement_Set::MinusCor:
      break;
  }
  return Minus_Result_Morphometry_Path(species);
}

std::string Result_Biomecha_Path(std::string_view species) { return Species_Path(species, "", "", "_Cor.biomecha"); }

std::string Plus_Result_Biomecha_Path(std::string_view species) {
  return Species_Path(species, "", "", "_PlusCor.biomecha");
}

std::string Minus_Result_Biomecha_Path(std::string_view species) {
  return Species_Path(species, "", "", "_MinusCor.biomecha");
}

std::string Biomecha_Path(std::string_view species, Measurement_Set set) {
  switch (set) {
    case Measurement_Set::Cor:
      return Result_Biomecha_Path(species);
    case Measurement_Set::PlusCor:
      return Plus_Result_Biomecha_Path(species);
    case Measurement_Set::MinusCor:
      break;
  }
  return Minus_Result_Biomecha_Path(species);
}

std::string Result_Biomecha_Full_Path(std::string_view species) {
  return Species_Path(species, "", "", "_Cor_Extended.biomecha");
}

std::string Plus_Result_Biomecha_Full_Path(std::string_view species) {
  return Species_Path(species, "", "", "_PlusCor_Extended.biomecha");
}

std::string Minus_Result_Biomecha_Full_Path(std::string_view species) {
  return Species_Path(species, "", "", "_MinusCor_Extended.biomecha");
}

std::string Biomecha_Full_Path(std::string_view species, Measurement_Set set) {
  switch (set) {
    case Measurement_Set::Cor:
      return Result_Biomecha_Full_Path(species);
    case Measurement_Set::PlusCor:
      return Plus_Result_Biomecha_Full_Path(species);
    case Measurement_Set::MinusCor:
      break;
  }
  return Minus_Result_Biomecha_Full_Path(species);
}

std::string Right_Anterior_Vector_Path(std::string_view species) {
  return Species_Path(species, "/VestRef/MaxAxes", "rma_", "_Ant.lineset");
}

std::string Right_Posterior_Vector_Path(std::string_view species) {
  return Species_Path(species, "/VestRef/MaxAxes", "rma_", "_Post.lineset");
}

std::string Right_Lateral_Vector_Path(std::string_view species) {
  return Species_Path(species, "/VestRef/MaxAxes", "rma_", "_Lat.lineset");
}

std::string Left_Anterior_Vector_Path(std::string_view species) {
  return Species_Path(species, "/VestRef/MaxAxes", "lma_", "_Ant.lineset");
}

std::string Left_Posterior_Vector_Path(std::string_view species) {
  return Species_Path(species, "/VestRef/MaxAxes", "lma_", "_Post.lineset");
}

std::string Left_Lateral_Vector_Path(std::string_view species) {
  return Species_Path(species, "/VestRef/MaxAxes", "lma_", "_Lat.lineset");
}

std::string Uncoupled_Transfrom_Matrix_Path(std::string_view species) {
  return Species_Path(species, "/Matrix", "", "_uncoupled.transmat");
}

std::string Transfrom_Matrix_Path(std::string_view species) {
  return Species_Path(species, "/Matrix", "", ".transmat");
}

std::vector<std::string> Ostravel_Paths(std::string_view species) {
  std::vector<std::string> paths = {Right_Sif_File_Path(species), Left_Sif_File_Path(species)};
  for (std::string_view duct : {"Ant", "Post", "Lat"}) {
    for (std::string_view cilia : {"Long", "Medium", "Short"}) {
      paths.push_back(Right_Result_Deflection_Path(species, duct, cilia));
      paths.push_back(Left_Result_Deflection_Path(species, duct, cilia));
    }
  }
  for (Measurement_Set set : {Measurement_Set::Cor, Measurement_Set::PlusCor, Measurement_Set::MinusCor}) {
    paths.push_back(Morphometry_Path(species, set));
    paths.push_back(Biomecha_Path(species, set));
    paths.push_back(Biomecha_Full_Path(species, set));
  }
  for (std::string path : {Right_Anterior_Vector_Path(species), Right_Posterior_Vector_Path(species),
                           Right_Lateral_Vector_Path(species), Left_Anterior_Vector_Path(species),
                           Left_Posterior_Vector_Path(species), Left_Lateral_Vector_Path(species),
                           Uncoupled_Transfrom_Matrix_Path(species), Transfrom_Matrix_Path(species),
                           Error_Log_File_Path(species), Error_Log_Temp_File_Path(species)}) {
    paths.push_back(std::move(path));
  }
  return paths;
}

std::size_t Max_Species_Name() { return Max_Name_Of_Paths(Ostravel_Paths("a"), Ostravel_Paths("aa")); }

}  // namespace scds::ostravel
