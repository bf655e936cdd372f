// Ostravel's path builders. Each takes the species name and returns the
// path relative to the working directory: "Data/<species>/" and the rest.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "biomechanics_state.h"

namespace scds::ostravel {

// Finite element solver inputs, head only: FEA/rfea_<sp>_Ant_Cilia_Long.sif
std::string Right_Sif_File_Path(std::string_view species);
std::string Left_Sif_File_Path(std::string_view species);

// Cilia deflection results: FEA/rfea_<sp>_<duct>_Cilia_<cilia>.deflection, duct
// "Ant", "Post" or "Lat", cilia "Long", "Medium" or "Short" (the right and
// left Result_<D>_<C>_Deflection_Path builders).
std::string Right_Result_Deflection_Path(std::string_view species, std::string_view duct, std::string_view cilia);
std::string Left_Result_Deflection_Path(std::string_view species, std::string_view duct, std::string_view cilia);

// <sp>_Cor.morph, <sp>_PlusCor.morph, <sp>_MinusCor.morph
std::string Result_Morphometry_Path(std::string_view species);
std::string Plus_Result_Morphometry_Path(std::string_view species);
std::string Minus_Result_Morphometry_Path(std::string_view species);
std::string Morphometry_Path(std::string_view species, Measurement_Set set);

// <sp>_<set>.biomecha
std::string Result_Biomecha_Path(std::string_view species);
std::string Plus_Result_Biomecha_Path(std::string_view species);
std::string Minus_Result_Biomecha_Path(std::string_view species);
std::string Biomecha_Path(std::string_view species, Measurement_Set set);

// <sp>_<set>_Extended.biomecha
std::string Result_Biomecha_Full_Path(std::string_view species);
std::string Plus_Result_Biomecha_Full_Path(std::string_view species);
std::string Minus_Result_Biomecha_Full_Path(std::string_view species);
std::string Biomecha_Full_Path(std::string_view species, Measurement_Set set);

// VestRef/MaxAxes/<r|l>ma_<sp>_<Ant|Post|Lat>.lineset
std::string Right_Anterior_Vector_Path(std::string_view species);
std::string Right_Posterior_Vector_Path(std::string_view species);
std::string Right_Lateral_Vector_Path(std::string_view species);
std::string Left_Anterior_Vector_Path(std::string_view species);
std::string Left_Posterior_Vector_Path(std::string_view species);
std::string Left_Lateral_Vector_Path(std::string_view species);

// Matrix/<sp>_uncoupled.transmat (Quintarel's) and Matrix/<sp>.transmat
std::string Uncoupled_Transfrom_Matrix_Path(std::string_view species);
std::string Transfrom_Matrix_Path(std::string_view species);

// Every path Ostravel builds for a species: the files it reads and writes
// and its error logs.
std::vector<std::string> Ostravel_Paths(std::string_view species);

// The longest species name for which every path of Ostravel_Paths fits (the
// deflection paths are the longest: 44 characters and twice the name).
std::size_t Max_Species_Name();

}  // namespace scds::ostravel
