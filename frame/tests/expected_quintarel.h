// Written by expected_quintarel.py from the frame's formulas; do not edit.
#pragma once

#include <map>
#include <string>

namespace expected {

inline const std::string kRaw_R_Cor = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.58905x 0.78928y 0.17334z
Right Posterior duct: 0.69248x -0.66561y 0.27826z
Right Lateral duct: 0.32891x -0.03566y -0.94369z

SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 2.412x -48.936y 4.287z
Right Posterior duct: -3.874x -50.215y 1.563z
Right Lateral duct: -0.975x -46.802y -0.841z
)q";
inline const std::string kRaw_R_PlusCor = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.57031x 0.80227y 0.17636z
Right Posterior duct: 0.71004x -0.65036y 0.26994z
Right Lateral duct: 0.32495x -0.02063y -0.94551z

SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 2.412x -48.936y 4.287z
Right Posterior duct: -3.874x -50.215y 1.563z
Right Lateral duct: -0.975x -46.802y -0.841z
)q";
inline const std::string kRaw_R_MinusCor = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.60748x 0.77582y 0.17050z
Right Posterior duct: 0.67451x -0.68036y 0.28660z
Right Lateral duct: 0.33249x -0.05077y -0.94174z

SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 2.412x -48.936y 4.287z
Right Posterior duct: -3.874x -50.215y 1.563z
Right Lateral duct: -0.975x -46.802y -0.841z
)q";
inline const std::string kRaw_L_Cor = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Left Anterior duct: -0.58954x 0.78750y -0.17971z
Left Posterior duct: -0.69611x -0.66820y -0.26257z
Left Lateral duct: -0.31645x -0.04108y 0.94772z

SEMICIRCULAR DUCT CENTER OF ROTATION

Left Anterior duct: 2.538x 49.214y 4.102z
Left Posterior duct: -3.691x 50.473y 1.702z
Left Lateral duct: -1.103x 47.118y -0.695z
)q";
inline const std::string kRaw_L_PlusCor = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Left Anterior duct: -0.56907x 0.80308y -0.17669z
Left Posterior duct: -0.71102x -0.64890y -0.27090z
Left Lateral duct: -0.32211x -0.04021y 0.94585z

SEMICIRCULAR DUCT CENTER OF ROTATION

Left Anterior duct: 2.538x 49.214y 4.102z
Left Posterior duct: -3.691x 50.473y 1.702z
Left Lateral duct: -1.103x 47.118y -0.695z
)q";
inline const std::string kRaw_L_MinusCor = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Left Anterior duct: -0.60963x 0.77139y -0.18252z
Left Posterior duct: -0.68069x -0.68706y -0.25417z
Left Lateral duct: -0.31076x -0.04179y 0.94957z

SEMICIRCULAR DUCT CENTER OF ROTATION

Left Anterior duct: 2.538x 49.214y 4.102z
Left Posterior duct: -3.691x 50.473y 1.702z
Left Lateral duct: -1.103x 47.118y -0.695z
)q";
inline const std::string kMidPlane = R"q(0.05	2.0	-0.1
0.3 0.2 -0.1
)q";
inline const std::string kBoth_Transmat = R"q(0.946422	0.001427	0.322929
-0.002226	1.000048	0.002106
-0.322947	0.007522	0.946442)q";
inline const std::string kBoth_Cor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.614592x 0.788371y -0.020239z
Right Posterior duct: 0.744287x -0.666597y 0.034716z
Right Lateral duct: 0.006492x -0.038381y -0.999637z
Left Anterior duct: -0.614864x 0.788471y 0.026228z
Left Posterior duct: -0.744559x -0.667235y -0.028727z
Left Lateral duct: 0.006492x -0.038381y 0.998850z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 3.597357x -48.934673y 2.910369z
Right Posterior duct: -3.233335x -50.205478y 2.352684z
Right Lateral duct: -1.261109x -46.803832y -0.833115z
Left Anterior duct: 3.796879x 49.219336y 3.432840z
Left Posterior duct: -2.871618x 50.487207y 3.182485z
Left Lateral duct: -1.201124x 47.121238y 0.052840z
)q";
inline const std::string kBoth_Cor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 169.447607 Degrees
Left Anterior and Right Posterior ducts: 169.221700 Degrees
Lateral ducts: 175.553202 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 82.432918 Degrees^2

Average deviation from planarity: 8.592497 Degrees
)q";
inline const std::string kBoth_Cor_function_R = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 37.969214 Degrees
Posterior duct: 48.198580 Degrees
Lateral duct: 87.806832 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 52.081527 Degrees
Posterior duct: 41.905185 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 88.846861 Degrees
Posterior duct: 88.016992 Degrees
Lateral duct: 1.543882 Degrees
)q";
inline const std::string kBoth_Cor_function_L = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 37.959910 Degrees
Posterior duct: 48.149504 Degrees
Lateral duct: 87.806832 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 52.061805 Degrees
Posterior duct: 41.881887 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 88.503572 Degrees
Posterior duct: 88.360362 Degrees
Lateral duct: 2.748198 Degrees
)q";
inline const std::string kBoth_PlusCor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.596056x 0.802570y -0.017704z
Right Posterior duct: 0.759706x -0.649507y 0.025550z
Right Lateral duct: 0.001423x -0.030422y -0.999839z
Left Anterior duct: -0.596263x 0.802774y 0.017058z
Left Posterior duct: -0.759913x -0.649760y -0.026196z
Left Lateral duct: 0.001423x -0.030422y 0.999239z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 3.708618x -48.901010y 3.273566z
Right Posterior duct: -3.119677x -50.190744y 2.730834z
Right Lateral duct: -1.157600x -46.807655y -0.482126z
Left Anterior duct: 3.690084x 49.246933y 3.061870z
Left Posterior duct: -2.981418x 50.498147y 2.807366z
Left Lateral duct: -1.305963x 47.114054y -0.298584z
)q";
inline const std::string kBoth_PlusCor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 166.909370 Degrees
Left Anterior and Right Posterior ducts: 166.907371 Degrees
Lateral ducts: 176.527832 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 118.279158 Degrees^2

Average deviation from planarity: 9.885142 Degrees
)q";
inline const std::string kBoth_PlusCor_function_R = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 36.626498 Degrees
Posterior duct: 49.499187 Degrees
Lateral duct: 88.263190 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 53.416009 Degrees
Posterior duct: 40.564679 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 88.992157 Degrees
Posterior duct: 88.542434 Degrees
Lateral duct: 1.028024 Degrees
)q";
inline const std::string kBoth_PlusCor_function_L = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 36.606848 Degrees
Posterior duct: 49.480160 Degrees
Lateral duct: 88.263190 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 53.401222 Degrees
Posterior duct: 40.546418 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 89.029174 Degrees
Posterior duct: 88.505410 Degrees
Lateral duct: 2.235735 Degrees
)q";
inline const std::string kBoth_MinusCor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.632817x 0.773734y -0.022661z
Right Posterior duct: 0.728414x -0.683261y 0.043992z
Right Lateral duct: 0.011380x -0.046324y -0.999344z
Left Anterior duct: -0.633151x 0.773604y 0.035001z
Left Posterior duct: -0.728748x -0.684373y -0.031652z
Left Lateral duct: 0.011380x -0.046324y 0.998381z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 3.487620x -48.965778y 2.553409z
Right Posterior duct: -3.345263x -50.217739y 1.979795z
Right Lateral duct: -1.362404x -46.797281y -1.178731z
Left Anterior duct: 3.900813x 49.188644y 3.798433z
Left Posterior duct: -2.764645x 50.472911y 3.550960z
Left Lateral duct: -1.098342x 47.125689y 0.398480z
)q";
inline const std::string kBoth_MinusCor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 171.890759 Degrees
Left Anterior and Right Posterior ducts: 171.213058 Degrees
Lateral ducts: 174.545415 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 57.574211 Degrees^2

Average deviation from planarity: 7.450256 Degrees
)q";
inline const std::string kBoth_MinusCor_function_R = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 39.312540 Degrees
Posterior duct: 46.904449 Degrees
Lateral duct: 87.351300 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 50.745471 Degrees
Posterior duct: 43.249550 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 88.708033 Degrees
Posterior duct: 87.485097 Degrees
Lateral duct: 2.076187 Degrees
)q";
inline const std::string kBoth_MinusCor_function_L = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 39.324301 Degrees
Posterior duct: 46.817093 Degrees
Lateral duct: 87.351300 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 50.720775 Degrees
Posterior duct: 43.221638 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 88.000659 Degrees
Posterior duct: 88.192683 Degrees
Lateral duct: 3.260752 Degrees
)q";
inline const std::string kSymmat = R"q(0.998754	-0.049844	0.002492
-0.049844	-0.993769	0.099688
0.002492	0.099688	0.995016)q";
inline const std::string kRight_Transmat = R"q(0.944181	-0.007137	0.329351
0.024961	0.998441	-0.049922
-0.328481	0.055356	0.942887)q";
inline const std::string kRight_Cor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.607626x 0.794099y 0.013640z
Right Posterior duct: 0.750222x -0.661179y -0.001945z
Right Lateral duct: 0.000000x 0.019716y -0.999808z
Left Anterior duct: -0.607626x 0.794099y -0.013640z
Left Posterior duct: -0.750222x -0.661179y 0.001945z
Left Lateral duct: -0.000000x 0.019716y 0.999808z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 4.038546x -49.013526y 0.540941z
Right Posterior duct: -2.784597x -50.311450y -0.033453z
Right Lateral duct: -0.863535x -46.711395y -3.063488z
Left Anterior duct: 4.038546x 49.437864y 0.540941z
Left Posterior duct: -2.784597x 50.735787y -0.033453z
Left Lateral duct: -0.863535x 47.135733y -3.063488z
)q";
inline const std::string kRight_Cor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 168.787212 Degrees
Left Anterior and Right Posterior ducts: 168.787212 Degrees
Lateral ducts: 177.759776 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 85.490618 Degrees^2

Average deviation from planarity: 8.221934 Degrees
)q";
inline const std::string kRight_Cor_function_R = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 37.432479 Degrees
Posterior duct: 48.613750 Degrees
Lateral duct: 91.136456 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 52.585814 Degrees
Posterior duct: 41.393453 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 90.788224 Degrees
Posterior duct: 90.118052 Degrees
Lateral duct: 1.123648 Degrees
)q";
inline const std::string kRight_PlusCor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.590724x 0.806451y 0.025990z
Right Posterior duct: 0.764010x -0.645099y -0.011315z
Right Lateral duct: 0.000000x 0.034715y -0.999401z
Left Anterior duct: -0.590724x 0.806451y -0.025990z
Left Posterior duct: -0.764010x -0.645099y 0.011315z
Left Lateral duct: 0.000000x 0.034715y 0.999401z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 4.036099x -49.013526y 0.558900z
Right Posterior duct: -2.784421x -50.311450y -0.045839z
Right Lateral duct: -0.849899x -46.711395y -3.067299z
Left Anterior duct: 4.036099x 49.437864y 0.558900z
Left Posterior duct: -2.784421x 50.735787y -0.045839z
Left Lateral duct: -0.849899x 47.135733y -3.067299z
)q";
inline const std::string kRight_PlusCor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 166.243906 Degrees
Left Anterior and Right Posterior ducts: 166.243906 Degrees
Lateral ducts: 176.040114 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 131.380315 Degrees^2

Average deviation from planarity: 10.490691 Degrees
)q";
inline const std::string kRight_PlusCor_function_R = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 36.252084 Degrees
Posterior duct: 49.830585 Degrees
Lateral duct: 91.996202 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 53.795530 Degrees
Posterior duct: 40.183919 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 91.496041 Degrees
Posterior duct: 90.654986 Degrees
Lateral duct: 1.983568 Degrees
)q";
inline const std::string kRight_MinusCor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.624200x 0.781262y 0.001585z
Right Posterior duct: 0.736146x -0.676771y 0.007965z
Right Lateral duct: 0.000000x 0.004622y -0.999990z
Left Anterior duct: -0.624200x 0.781262y -0.001585z
Left Posterior duct: -0.736146x -0.676771y -0.007965z
Left Lateral duct: 0.000000x 0.004622y 0.999990z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 4.040745x -49.013526y 0.524256z
Right Posterior duct: -2.784712x -50.311450y -0.021951z
Right Lateral duct: -0.876181x -46.711395y -3.059895z
Left Anterior duct: 4.040745x 49.437864y 0.524256z
Left Posterior duct: -2.784712x 50.735787y -0.021951z
Left Lateral duct: -0.876181x 47.135733y -3.059895z
)q";
inline const std::string kRight_MinusCor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 171.220857 Degrees
Left Anterior and Right Posterior ducts: 171.220857 Degrees
Lateral ducts: 179.492452 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 51.468100 Degrees^2

Average deviation from planarity: 6.021944 Degrees
)q";
inline const std::string kRight_MinusCor_function_R = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 38.626555 Degrees
Posterior duct: 47.411692 Degrees
Lateral duct: 90.271473 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 51.380288 Degrees
Posterior duct: 42.598987 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 90.097454 Degrees
Posterior duct: 89.550230 Degrees
Lateral duct: 0.255886 Degrees
)q";
inline const std::string kLeft_Transmat = R"q(0.948593	-0.007895	0.316399
0.024961	0.998441	-0.049922
-0.315512	0.055253	0.947312)q";
inline const std::string kLeft_Cor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.622311x 0.780528y -0.059278z
Right Posterior duct: 0.738127x -0.671426y 0.066025z
Right Lateral duct: -0.000000x -0.096227y -0.995360z
Left Anterior duct: -0.622311x 0.780528y 0.059278z
Left Posterior duct: -0.738127x -0.671426y -0.066025z
Left Lateral duct: 0.000000x -0.096227y 0.995360z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 3.316862x -48.571516y 5.804342z
Right Posterior duct: -3.361223x -49.792884y 5.565683z
Right Lateral duct: -1.638186x -46.627377y 2.293057z
Left Anterior duct: 3.316862x 48.995854y 5.804342z
Left Posterior duct: -3.361223x 50.217222y 5.565683z
Left Lateral duct: -1.638186x 47.051714y 2.293057z
)q";
inline const std::string kLeft_Cor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 168.390321 Degrees
Left Anterior and Right Posterior ducts: 168.390321 Degrees
Lateral ducts: 168.968962 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 130.417697 Degrees^2

Average deviation from planarity: 11.416799 Degrees
)q";
inline const std::string kLeft_Cor_function_L = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 38.693872 Degrees
Posterior duct: 47.826306 Degrees
Lateral duct: 84.484277 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 51.518703 Degrees
Posterior duct: 42.431028 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 86.608029 Degrees
Posterior duct: 86.220652 Degrees
Lateral duct: 5.521944 Degrees
)q";
inline const std::string kLeft_PlusCor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.601711x 0.796444y -0.060149z
Right Posterior duct: 0.755453x -0.652112y 0.063618z
Right Lateral duct: -0.000000x -0.095406y -0.995440z
Left Anterior duct: -0.601711x 0.796444y 0.060149z
Left Posterior duct: -0.755453x -0.652112y -0.063618z
Left Lateral duct: 0.000000x -0.095406y 0.995440z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 3.351599x -48.571516y 5.784354z
Right Posterior duct: -3.327797x -49.792884y 5.585733z
Right Lateral duct: -1.624410x -46.627377y 2.302837z
Left Anterior duct: 3.351599x 48.995854y 5.784354z
Left Posterior duct: -3.327797x 50.217222y 5.585733z
Left Lateral duct: -1.624410x 47.051714y 2.302837z
)q";
inline const std::string kLeft_PlusCor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 165.968114 Degrees
Left Anterior and Right Posterior ducts: 165.968114 Degrees
Lateral ducts: 169.064225 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 171.126279 Degrees^2

Average deviation from planarity: 12.999849 Degrees
)q";
inline const std::string kLeft_PlusCor_function_L = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 37.210856 Degrees
Posterior duct: 49.302576 Degrees
Lateral duct: 84.531521 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 53.011368 Degrees
Posterior duct: 40.938019 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 86.558004 Degrees
Posterior duct: 86.358881 Degrees
Lateral duct: 5.473926 Degrees
)q";
inline const std::string kLeft_MinusCor_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: 0.642492x 0.764082y -0.058200z
Right Posterior duct: 0.720295x -0.690291y 0.068310z
Right Lateral duct: 0.000000x -0.096886y -0.995296z
Left Anterior duct: -0.642492x 0.764082y 0.058200z
Left Posterior duct: -0.720295x -0.690291y -0.068310z
Left Lateral duct: 0.000000x -0.096886y 0.995296z


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: 3.281879x -48.571516y 5.824194z
Right Posterior duct: -3.394650x -49.792884y 5.545359z
Right Lateral duct: -1.651953x -46.627377y 2.283159z
Left Anterior duct: 3.281879x 48.995854y 5.824194z
Left Posterior duct: -3.394650x 50.217222y 5.545359z
Left Lateral duct: -1.651953x 47.051714y 2.283159z
)q";
inline const std::string kLeft_MinusCor_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: 170.499247 Degrees
Left Anterior and Right Posterior ducts: 170.499247 Degrees
Lateral ducts: 168.893058 Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: 101.297587 Degrees^2

Average deviation from planarity: 10.036149 Degrees
)q";
inline const std::string kLeft_MinusCor_function_L = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: 40.177541 Degrees
Posterior duct: 46.350265 Degrees
Lateral duct: 84.446326 Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: 50.025797 Degrees
Posterior duct: 43.924398 Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: 86.669911 Degrees
Posterior duct: 86.089430 Degrees
Lateral duct: 5.559897 Degrees
)q";
inline const std::string kDegenerate_Transmat = R"q(nan	nan	nan
nan	nan	nan
nan	nan	nan)q";
inline const std::string kDegenerate_vector = R"q(SEMICIRCULAR DUCT PLANES (UNCOUPLED)

Right Anterior duct: nanx nany nanz
Right Posterior duct: nanx nany nanz
Right Lateral duct: nanx nany nanz
Left Anterior duct: nanx nany nanz
Left Posterior duct: nanx nany nanz
Left Lateral duct: nanx nany nanz


SEMICIRCULAR DUCT CENTER OF ROTATION

Right Anterior duct: nanx nany nanz
Right Posterior duct: nanx nany nanz
Right Lateral duct: nanx nany nanz
Left Anterior duct: nanx nany nanz
Left Posterior duct: nanx nany nanz
Left Lateral duct: nanx nany nanz
)q";
inline const std::string kDegenerate_synangle = R"q(SYNERGISTIC ANGLES (UNCOUPLED)

Right Anterior and Left Posterior ducts: nan Degrees
Left Anterior and Right Posterior ducts: nan Degrees
Lateral ducts: nan Degrees

DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)

Variance from planarity: nan Degrees^2

Average deviation from planarity: nan Degrees
)q";
inline const std::string kDegenerate_function_R = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: nan Degrees
Posterior duct: nan Degrees
Lateral duct: nan Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: nan Degrees
Posterior duct: nan Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: nan Degrees
Posterior duct: nan Degrees
Lateral duct: nan Degrees
)q";
inline const std::string kDegenerate_function_L = R"q(REFERENCE ANGLES (UNCOUPLED)

VESTIBULAR PITCH / MID-SAGITTAL PLANE

Anterior duct: nan Degrees
Posterior duct: nan Degrees
Lateral duct: nan Degrees

VESTIBULAR ROLL / CORONAL PLANE

Anterior duct: nan Degrees
Posterior duct: nan Degrees

VESTIBULAR YAW / HORIZONTAL PLANE

Anterior duct: nan Degrees
Posterior duct: nan Degrees
Lateral duct: nan Degrees
)q";

inline const std::map<std::string, const std::string*> kByName = {
    {"Raw_R_Cor", &kRaw_R_Cor},
    {"Raw_R_PlusCor", &kRaw_R_PlusCor},
    {"Raw_R_MinusCor", &kRaw_R_MinusCor},
    {"Raw_L_Cor", &kRaw_L_Cor},
    {"Raw_L_PlusCor", &kRaw_L_PlusCor},
    {"Raw_L_MinusCor", &kRaw_L_MinusCor},
    {"MidPlane", &kMidPlane},
    {"Both_Transmat", &kBoth_Transmat},
    {"Both_Cor_vector", &kBoth_Cor_vector},
    {"Both_Cor_synangle", &kBoth_Cor_synangle},
    {"Both_Cor_function_R", &kBoth_Cor_function_R},
    {"Both_Cor_function_L", &kBoth_Cor_function_L},
    {"Both_PlusCor_vector", &kBoth_PlusCor_vector},
    {"Both_PlusCor_synangle", &kBoth_PlusCor_synangle},
    {"Both_PlusCor_function_R", &kBoth_PlusCor_function_R},
    {"Both_PlusCor_function_L", &kBoth_PlusCor_function_L},
    {"Both_MinusCor_vector", &kBoth_MinusCor_vector},
    {"Both_MinusCor_synangle", &kBoth_MinusCor_synangle},
    {"Both_MinusCor_function_R", &kBoth_MinusCor_function_R},
    {"Both_MinusCor_function_L", &kBoth_MinusCor_function_L},
    {"Symmat", &kSymmat},
    {"Right_Transmat", &kRight_Transmat},
    {"Right_Cor_vector", &kRight_Cor_vector},
    {"Right_Cor_synangle", &kRight_Cor_synangle},
    {"Right_Cor_function_R", &kRight_Cor_function_R},
    {"Right_PlusCor_vector", &kRight_PlusCor_vector},
    {"Right_PlusCor_synangle", &kRight_PlusCor_synangle},
    {"Right_PlusCor_function_R", &kRight_PlusCor_function_R},
    {"Right_MinusCor_vector", &kRight_MinusCor_vector},
    {"Right_MinusCor_synangle", &kRight_MinusCor_synangle},
    {"Right_MinusCor_function_R", &kRight_MinusCor_function_R},
    {"Left_Transmat", &kLeft_Transmat},
    {"Left_Cor_vector", &kLeft_Cor_vector},
    {"Left_Cor_synangle", &kLeft_Cor_synangle},
    {"Left_Cor_function_L", &kLeft_Cor_function_L},
    {"Left_PlusCor_vector", &kLeft_PlusCor_vector},
    {"Left_PlusCor_synangle", &kLeft_PlusCor_synangle},
    {"Left_PlusCor_function_L", &kLeft_PlusCor_function_L},
    {"Left_MinusCor_vector", &kLeft_MinusCor_vector},
    {"Left_MinusCor_synangle", &kLeft_MinusCor_synangle},
    {"Left_MinusCor_function_L", &kLeft_MinusCor_function_L},
    {"Degenerate_Transmat", &kDegenerate_Transmat},
    {"Degenerate_vector", &kDegenerate_vector},
    {"Degenerate_synangle", &kDegenerate_synangle},
    {"Degenerate_function_R", &kDegenerate_function_R},
    {"Degenerate_function_L", &kDegenerate_function_L},
};

}  // namespace expected
