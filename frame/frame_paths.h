// The files of Quintarel, built from the species name by the species-folder
// recipe. Saxmorrow has a builder of the same name for another file, so
// these live in their own namespace.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scds::quintarel {

// Data/<sp>/Matrix/<sp>.midplane
std::string Mid_Plane_Path(std::string_view species);

// Data/<sp>/<sp>_R_Cor.rawvector, _R_PlusCor, _R_MinusCor
std::string Right_Vector_Path(std::string_view species);
std::string Right_Vector_Plus_Path(std::string_view species);
std::string Right_Vector_Minus_Path(std::string_view species);
// Data/<sp>/<sp>_L_Cor.rawvector, _L_PlusCor, _L_MinusCor
std::string Left_Vector_Path(std::string_view species);
std::string Left_Vector_Plus_Path(std::string_view species);
std::string Left_Vector_Minus_Path(std::string_view species);

// Data/<sp>/Matrix/<sp>.symmat
std::string Symmetry_Matrix_Path(std::string_view species);
// Data/<sp>/Matrix/<sp>_uncoupled.transmat (read and deleted by Ostravel)
std::string Transfrom_Matrix_Path(std::string_view species);

// Data/<sp>/<sp>_Cor.vector, _PlusCor, _MinusCor
std::string Result_Vector_Path(std::string_view species);
std::string Result_Vector_Plus_Path(std::string_view species);
std::string Result_Vector_Minus_Path(std::string_view species);

// Data/<sp>/<sp>_Cor.synangle, _PlusCor, _MinusCor
std::string Synergistic_Angle_Result_Path(std::string_view species);
std::string Synergistic_Angle_Plus_Result_Path(std::string_view species);
std::string Synergistic_Angle_Minus_Result_Path(std::string_view species);

// Data/<sp>/<sp>_R_Cor.functionangle, _R_PlusCor, _R_MinusCor
std::string Functional_Angle_Result_Path_R(std::string_view species);
std::string Functional_Angle_Plus_Result_Path_R(std::string_view species);
std::string Functional_Angle_Minus_Result_Path_R(std::string_view species);
// Data/<sp>/<sp>_L_Cor.functionangle, _L_PlusCor, _L_MinusCor
std::string Functional_Angle_Result_Path_L(std::string_view species);
std::string Functional_Angle_Plus_Result_Path_L(std::string_view species);
std::string Functional_Angle_Minus_Result_Path_L(std::string_view species);

// Every path Quintarel builds for a species: the files it reads and writes
// and its error logs.
std::vector<std::string> Quintarel_Paths(std::string_view species);

// The longest species name for which every path of Quintarel_Paths has at
// most 254 characters: 111.
std::size_t Max_Species_Name();

}  // namespace scds::quintarel
