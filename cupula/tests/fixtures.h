// Small meshes and expected texts of Tessafen's tests. The meshes are the
// ones expected_values.py builds from the same coordinate texts.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace cupula_fixtures {

struct Vertex {
  std::string x, y, z;
};

inline std::string Facet_Text(const Vertex& v1, const Vertex& v2, const Vertex& v3) {
  std::string t = "\tfacet normal\t0\t0\t0\n\touter loop\n";
  for (const Vertex* v : {&v1, &v2, &v3}) t += "\t\tvertex\t" + v->x + "\t" + v->y + "\t" + v->z + "\n";
  return t + "\tendloop\nendfacet\n";
}

inline std::string Mesh_Text(const std::string& facets) { return "solid fixture\n" + facets + "endsolid fixture\n"; }

// Two facets at z = 1 covering the rectangle 1 x w: area w.
inline std::string Rect_Mesh(const std::string& w) {
  return Mesh_Text(Facet_Text({"0", "0", "1"}, {"1", "0", "1"}, {"1", w, "1"}) +
                   Facet_Text({"0", "0", "1"}, {"1", w, "1"}, {"0", w, "1"}));
}

// The box [0,a] x [0,b] x [0,c], wound outward, its top face last (the last
// facet is (0,0,c) (a,b,c) (0,b,c)).
inline std::string Box_Mesh(const std::string& a, const std::string& b, const std::string& c) {
  const std::string o = "0";
  return Mesh_Text(Facet_Text({o, o, o}, {o, b, o}, {a, b, o}) + Facet_Text({o, o, o}, {a, b, o}, {a, o, o}) +
                   Facet_Text({o, o, o}, {a, o, o}, {a, o, c}) + Facet_Text({o, o, o}, {a, o, c}, {o, o, c}) +
                   Facet_Text({o, b, o}, {o, b, c}, {a, b, c}) + Facet_Text({o, b, o}, {a, b, c}, {a, b, o}) +
                   Facet_Text({o, o, o}, {o, o, c}, {o, b, c}) + Facet_Text({o, o, o}, {o, b, c}, {o, b, o}) +
                   Facet_Text({a, o, o}, {a, b, o}, {a, b, c}) + Facet_Text({a, o, o}, {a, b, c}, {a, o, c}) +
                   Facet_Text({o, o, c}, {a, o, c}, {a, b, c}) + Facet_Text({o, o, c}, {a, b, c}, {o, b, c}));
}

inline std::string Single_Facet_Mesh(const Vertex& v1, const Vertex& v2, const Vertex& v3) {
  return Mesh_Text(Facet_Text(v1, v2, v3));
}

// One facet whose keywords are upper case: every read stops at once, and
// the mesh is refused.
inline std::string Upper_Case_Mesh() {
  return "solid upper\n\tFACET NORMAL\t0\t0\t1\n\tOUTER LOOP\n\t\tVERTEX\t9\t9\t9\n\t\tVERTEX\t9\t8\t9\n"
         "\t\tVERTEX\t8\t9\t9\n\tENDLOOP\nENDFACET\nendsolid upper\n";
}

// The facet whose area shows the order of the sum of squares: 0.176623 as
// defined, 0.176624 with the last two squares added first.
inline std::string Order_Facet_Mesh() {
  return Single_Facet_Mesh({"0", "0", "0"}, {"0.94", "0.648", "0.196"}, {"0.474", "0.696", "0.15900460905612215"});
}

using Mesh_Set = std::map<std::string, std::string>;  // suffix without "_" -> text

// Hand-checked figures: Ant a 1 x 1 x 3 box over sections 1, 2 and 1.5
// (average 1.5, thickness 2), Post a 2 x 2 x 0.5 box over 4, 2 and 3
// (average 3, thickness 2/3), Lat a half-unit cube over three sections of
// 0.25 (thickness 0.5).
inline Mesh_Set Standard_Set(const std::string& lat_mid = "0.25") {
  return {
      {"Ant_Cup", Box_Mesh("1", "1", "3")},       {"Ant_Cup_Ut", Rect_Mesh("1")},
      {"Ant_Cup_Duct", Rect_Mesh("2")},           {"Ant_Cup_Mid", Rect_Mesh("1.5")},
      {"Post_Cup", Box_Mesh("2", "2", "0.5")},    {"Post_Cup_Ut", Rect_Mesh("4")},
      {"Post_Cup_Duct", Rect_Mesh("2")},          {"Post_Cup_Mid", Rect_Mesh("3")},
      {"Lat_Cup", Box_Mesh("0.5", "0.5", "0.5")}, {"Lat_Cup_Ut", Rect_Mesh("0.25")},
      {"Lat_Cup_Duct", Rect_Mesh("0.25")},        {"Lat_Cup_Mid", Rect_Mesh(lat_mid)},
  };
}

// Inputs whose printed digits show the constants and orders of the measures:
// Ant's long-cilia row (the offset 3 x 0.04242), Post's average area (the
// order of the halves) and central section (the order of the squares), Lat's
// estimation (PI = 3.14159265359).
inline Mesh_Set Digits_Set() {
  const std::string s = "0.9999989442081809";
  return {
      {"Ant_Cup", Single_Facet_Mesh({"0", "0", "2.400003"}, {"1", "0", "0"}, {"0", "1", "0"})},
      {"Ant_Cup_Ut", Rect_Mesh("1")},
      {"Ant_Cup_Duct", Rect_Mesh("1")},
      {"Ant_Cup_Mid", Rect_Mesh("1")},
      {"Post_Cup", Box_Mesh("1", "1", "1")},
      {"Post_Cup_Ut", Rect_Mesh("0.5774019")},
      {"Post_Cup_Duct", Rect_Mesh("0.1873051")},
      {"Post_Cup_Mid", Order_Facet_Mesh()},
      {"Lat_Cup", Box_Mesh("0.5", "0.5", "0.5")},
      {"Lat_Cup_Ut", Rect_Mesh(s)},
      {"Lat_Cup_Duct", Rect_Mesh(s)},
      {"Lat_Cup_Mid", Rect_Mesh(s)},
  };
}

// The twelve suffixes in the order a side pass reads them.
inline constexpr std::array<std::string_view, 12> kSuffixes = {
    "Ant_Cup",      "Post_Cup",      "Lat_Cup",     "Ant_Cup_Ut",   "Ant_Cup_Duct",  "Ant_Cup_Mid",
    "Post_Cup_Ut",  "Post_Cup_Duct", "Post_Cup_Mid", "Lat_Cup_Ut",  "Lat_Cup_Duct",  "Lat_Cup_Mid"};

// Where a mesh of the side ('r' or 'l') lives, relative to the work folder.
inline std::string Mesh_Path(const std::string& species, char side, std::string_view suffix) {
  const bool volume = suffix.size() <= 8;  // "Post_Cup" is the longest volume suffix
  return "Data/" + species + (volume ? "/ScanRef/Volumes/" : "/ScanRef/Surfaces/") + side +
         (volume ? "v_" : "s_") + species + "_" + std::string(suffix) + ".stl";
}

// The 29 lines of a raw cupula report from its 18 numbers in row order.
inline std::string Expected_Report(const std::array<std::string, 18>& n) {
  return "CUPULA MORPHOMETRY\n\nCUPULA CROSS-SECTIONAL AREAS\n\n"
         "Anterior cupula (average): " + n[0] + " mm^2\n"
         "Posterior cupula (average): " + n[1] + " mm^2\n"
         "Lateral cupula (average): " + n[2] + " mm^2\n\n"
         "Anterior cupula (central section): " + n[3] + " mm^2\n"
         "Posterior cupula (central section): " + n[4] + " mm^2\n"
         "Lateral cupula (central section): " + n[5] + " mm^2\n\n"
         "CUPULA THICKNESS\n\n"
         "Anterior cupula (long cilia): " + n[6] + " mm\n"
         "Anterior cupula (medium cilia): " + n[7] + " mm\n"
         "Anterior cupula (short cilia): " + n[8] + " mm\n\n"
         "Posterior cupula (long cilia): " + n[9] + " mm\n"
         "Posterior cupula (medium cilia): " + n[10] + " mm\n"
         "Posterior cupula (short cilia): " + n[11] + " mm\n\n"
         "Lateral cupula (long cilia): " + n[12] + " mm\n"
         "Lateral cupula (medium cilia): " + n[13] + " mm\n"
         "Lateral cupula (short cilia): " + n[14] + " mm\n\n"
         "Anterior cupula (Rabbitt's empirical estimation): " + n[15] + " mm\n"
         "Posterior cupula (Rabbitt's empirical estimation): " + n[16] + " mm\n"
         "Lateral cupula (Rabbitt's empirical estimation): " + n[17] + " mm\n";
}

// Figures from expected_values.py.
inline const std::array<std::string, 18> kStandardMm = {
    "1.500000", "3.000000", "0.250000", "1.500000", "3.000000", "0.250000", "2.127260", "2.084840", "2.042420",
    "0.793927", "0.751507", "0.709087", "0.627260", "0.584840", "0.542420", "0.483692", "0.684044", "0.197466"};
inline const std::array<std::string, 18> kDigitsMm = {
    "1.000000", "0.279488", "0.999999", "1.000000", "0.176623", "0.999999", "0.527260", "0.484841", "0.442420",
    "3.705225", "3.662805", "3.620385", "0.252260", "0.209840", "0.167420", "0.394933", "0.208788", "0.394932"};

}  // namespace cupula_fixtures
