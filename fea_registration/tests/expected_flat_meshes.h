// Written by expected_flat_meshes.py (beside this file) from the frame's
// formulas; do not edit by hand.
#pragma once

#include <string_view>

namespace flanmere_expected {

inline constexpr std::string_view kCiliaLong = R"STL(solid cilia_long
	facet normal	0.1	0.2	0.97
	outer loop
		vertex	1.2500	-0.3750	0.8000
		vertex	1.3125	-0.3125	0.8250
		vertex	1.2750	-0.2500	0.7900
	endloop
endfacet
	facet normal	0.1	0.2	0.97
	outer loop
		vertex	1.3125	-0.3125	0.8250
		vertex	1.3500	-0.2250	0.8100
		vertex	1.2750	-0.2500	0.7900
	endloop
endfacet
endsolid cilia_long
)STL";
inline constexpr std::string_view kCiliaLongOdd = R"STL(solid cilia_long
  facet normal +1.00000000000000006e-01 2.00000000000000011E-01 9.69999999999999973e-01
    outer loop
      vertex   +1.25000000000000000E+00 -3.75000000000000000e-01 8.00000000000000044E-01
      vertex   +1.31250000000000000e+00 -3.12500000000000000E-01 8.24999999999999956e-01
      vertex   +1.27499999999999991E+00 -2.50000000000000000e-01 7.90000000000000036E-01
    endloop
  endfacet
  facet normal +1.00000000000000006e-01 2.00000000000000011E-01 9.69999999999999973e-01
    outer loop
      vertex   +1.31250000000000000E+00 -3.12500000000000000e-01 8.24999999999999956E-01
      vertex   +1.35000000000000009e+00 -2.25000000000000006E-01 8.10000000000000053e-01
      vertex   +1.27499999999999991E+00 -2.50000000000000000e-01 7.90000000000000036E-01
    endloop
  endfacet
endsolid cilia_long
)STL";
inline constexpr std::string_view kCiliaMedium = R"STL(solid cilia_medium
	facet normal	0	1	0
	outer loop
		vertex	-0.4250	-1.1250	-0.0625
		vertex	0.5500	0.6250	1.0500
		vertex	0.9125	-0.1875	0.3750
	endloop
endfacet
endsolid cilia_medium
)STL";
inline constexpr std::string_view kCiliaMediumOdd = R"STL(solid cilia_medium
  facet normal +0.00000000000000000e+00 1.00000000000000000E+00 0.00000000000000000e+00
    outer loop
      vertex   -4.24999999999999989E-01 -1.12500000000000000e+00 -6.25000000000000000E-02
      vertex   +5.50000000000000044e-01 6.25000000000000000E-01 1.05000000000000004e+00
      vertex   +9.12499999999999978E-01 -1.87500000000000000e-01 3.75000000000000000E-01
    endloop
  endfacet
endsolid cilia_medium
)STL";
inline constexpr std::string_view kCiliaShort = R"STL(solid cilia_short
	facet normal	1	0	0
	outer loop
		vertex	2.0625	0.1250	-0.5000
		vertex	1.9375	0.3750	-0.4375
		vertex	2.1250	0.2500	-0.3125
	endloop
endfacet
endsolid cilia_short
)STL";
inline constexpr std::string_view kCiliaShortOdd = R"STL(solid cilia_short
  facet normal +1.00000000000000000e+00 0.00000000000000000E+00 0.00000000000000000e+00
    outer loop
      vertex   +2.06250000000000000E+00 1.25000000000000000e-01 -5.00000000000000000E-01
      vertex   +1.93750000000000000e+00 3.75000000000000000E-01 -4.37500000000000000e-01
      vertex   +2.12500000000000000E+00 2.50000000000000000e-01 -3.12500000000000000E-01
    endloop
  endfacet
endsolid cilia_short
)STL";

inline constexpr std::string_view kCupRAnt = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	1.2336	-0.4887	0.8481
		vertex	1.4694	-0.2623	0.9364
		vertex	1.3141	-0.0760	0.7064
	endloop
endfacet
	facet normal	0	0	1
	outer loop
		vertex	734523123456.125	-211450987654.5	98765432109.75
		vertex	-512345678901.25	623456789012.375	-334455667788.5
		vertex	287654321098.625	145678901234.875	-876543210987.125
	endloop
endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupRAntOdd = R"STL(solid cupula
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   +1.23360000000000003E+00 -4.88700000000000023e-01 8.48099999999999965E-01
      vertex   +1.46940000000000004e+00 -2.62299999999999978E-01 9.36400000000000010e-01
      vertex   +1.31410000000000005E+00 -7.59999999999999981e-02 7.06400000000000028E-01
    endloop
  endfacet
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   +7.34523123456125000E+11 -2.11450987654500000e+11 9.87654321097500000E+10
      vertex   -5.12345678901250000e+11 6.23456789012375000E+11 -3.34455667788500000e+11
      vertex   +2.87654321098625000E+11 1.45678901234875000e+11 -8.76543210987125000E+11
    endloop
  endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupRAntFirstOnly = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	1.2336	-0.4887	0.8481
		vertex	1.4694	-0.2623	0.9364
		vertex	1.3141	-0.0760	0.7064
	endloop
endfacet
)STL";
inline constexpr std::string_view kFlatCupRAnt = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.043684 -1.131533 0.000
		vertex 1.373099 -1.053165 0.000
		vertex 1.254019 -0.740842 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 496129540554.180420 -374937784800.760193 0.000
		vertex -215991316964.900177 790597345357.060547 0.000
		vertex -63389994832.429199 565195760778.150146 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaLongRAnt = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.093531 -1.017440 0.000
		vertex 1.182738 -0.995634 0.000
		vertex 1.171088 -0.918374 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.182738 -0.995634 0.000
		vertex 1.249072 -0.925750 0.000
		vertex 1.171088 -0.918374 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaMediumRAnt = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -0.912936 -0.761782 0.000
		vertex 1.159825 -0.231701 0.000
		vertex 0.756470 -0.553312 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaShortRAnt = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.436594 -0.035058 0.000
		vertex 1.491405 0.151094 0.000
		vertex 1.623090 -0.058545 0.000
	endloop
endfacet
endsolid
)STL";

inline constexpr std::string_view kCupRPost = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	-0.6084	1.0797	-0.1818
		vertex	-0.3269	1.3061	-0.4553
		vertex	-0.7528	1.3878	0.0569
	endloop
endfacet
	facet normal	0	0	1
	outer loop
		vertex	-398765432101.5	456789012345.25	612345678901.125
		vertex	823456789012.75	-134567890123.5	278901234567.375
		vertex	-156789012345.875	-734567890123.25	489012345678.625
	endloop
endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupRPostOdd = R"STL(solid cupula
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   -6.08400000000000052E-01 1.07970000000000010e+00 -1.81799999999999989E-01
      vertex   -3.26900000000000024e-01 1.30610000000000004E+00 -4.55299999999999983e-01
      vertex   -7.52800000000000025E-01 1.38779999999999992e+00 5.68999999999999992E-02
    endloop
  endfacet
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   -3.98765432101500000E+11 4.56789012345250000e+11 6.12345678901125000E+11
      vertex   +8.23456789012750000e+11 -1.34567890123500000E+11 2.78901234567375000e+11
      vertex   -1.56789012345875000E+11 -7.34567890123250000e+11 4.89012345678625000E+11
    endloop
  endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupRPostFirstOnly = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	-0.6084	1.0797	-0.1818
		vertex	-0.3269	1.3061	-0.4553
		vertex	-0.7528	1.3878	0.0569
	endloop
endfacet
)STL";
inline constexpr std::string_view kFlatCupRPost = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.999370 0.174914 0.000
		vertex 1.193966 -0.234273 0.000
		vertex 1.333439 0.422204 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 526778875589.171143 681404445708.219727 0.000
		vertex -40329474684.576714 -324804051051.220581 0.000
		vertex -653041719067.287109 530582890540.423706 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaLongRPost = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -0.168182 -0.197716 0.000
		vertex -0.098993 -0.225679 0.000
		vertex -0.045251 -0.232298 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -0.098993 -0.225679 0.000
		vertex -0.013102 -0.269070 0.000
		vertex -0.045251 -0.232298 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaMediumRPost = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -1.142553 0.329694 0.000
		vertex 0.817643 0.366485 0.000
		vertex -0.071780 -0.307499 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaShortRPost = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.159330 -1.746487 0.000
		vertex 0.408634 -1.638480 0.000
		vertex 0.316496 -1.658577 0.000
	endloop
endfacet
endsolid
)STL";

inline constexpr std::string_view kCupRLat = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	0.3385	0.8899	1.4412
		vertex	0.6524	0.7867	1.2507
		vertex	0.2724	0.5345	1.5969
	endloop
endfacet
	facet normal	0	0	1
	outer loop
		vertex	567890123456.375	389012345678.125	-723456789012.5
		vertex	-245678901234.625	-678901234567.75	134567890123.25
		vertex	912345678901.5	-456789012345.875	-345678901234.125
	endloop
endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupRLatOdd = R"STL(solid cupula
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   +3.38500000000000023E-01 8.89900000000000024e-01 1.44120000000000004E+00
      vertex   +6.52399999999999980e-01 7.86699999999999955E-01 1.25069999999999992e+00
      vertex   +2.72399999999999975E-01 5.34499999999999975e-01 1.59689999999999999E+00
    endloop
  endfacet
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   +5.67890123456375000E+11 3.89012345678125000e+11 -7.23456789012500000E+11
      vertex   -2.45678901234625000e+11 -6.78901234567750000E+11 1.34567890123250000e+11
      vertex   +9.12345678901500000E+11 -4.56789012345875000e+11 -3.45678901234125000E+11
    endloop
  endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupRLatFirstOnly = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	0.3385	0.8899	1.4412
		vertex	0.6524	0.7867	1.2507
		vertex	0.2724	0.5345	1.5969
	endloop
endfacet
)STL";
inline constexpr std::string_view kFlatCupRLat = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.299569 -0.707696 0.000
		vertex 0.329478 -0.327460 0.000
		vertex -0.093998 -0.712853 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 724112508508.403076 668730320842.703369 0.000
		vertex -707166068680.034790 -30349500407.507118 0.000
		vertex -136410327410.309921 1061073161033.752441 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaLongRLat = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -0.455258 0.768712 0.000
		vertex -0.398444 0.786351 0.000
		vertex -0.333992 0.750895 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -0.398444 0.786351 0.000
		vertex -0.307296 0.793906 0.000
		vertex -0.333992 0.750895 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaMediumRLat = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -1.063467 0.069449 0.000
		vertex 0.244788 -0.260895 0.000
		vertex -0.172670 0.629901 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaShortRLat = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.632588 1.869494 0.000
		vertex 0.815465 1.652751 0.000
		vertex 0.682837 1.789273 0.000
	endloop
endfacet
endsolid
)STL";

inline constexpr std::string_view kCupLAnt = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	-1.1905	-0.4262	0.8086
		vertex	-1.2870	-0.1059	0.7101
		vertex	-1.4910	-0.3475	0.8925
	endloop
endfacet
	facet normal	0	0	1
	outer loop
		vertex	-634523123456.125	311450987654.5	-198765432109.75
		vertex	412345678901.25	-523456789012.375	434455667788.5
		vertex	-187654321098.625	-245678901234.875	776543210987.125
	endloop
endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupLAntOdd = R"STL(solid cupula
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   -1.19049999999999989E+00 -4.26200000000000023e-01 8.08599999999999985E-01
      vertex   -1.28699999999999992e+00 -1.05899999999999994E-01 7.10099999999999953e-01
      vertex   -1.49100000000000010E+00 -3.47499999999999976e-01 8.92499999999999960E-01
    endloop
  endfacet
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   -6.34523123456125000E+11 3.11450987654500000e+11 -1.98765432109750000E+11
      vertex   +4.12345678901250000e+11 -5.23456789012375000E+11 4.34455667788500000e+11
      vertex   -1.87654321098625000E+11 -2.45678901234875000e+11 7.76543210987125000E+11
    endloop
  endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupLAntFirstOnly = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	-1.1905	-0.4262	0.8086
		vertex	-1.2870	-0.1059	0.7101
		vertex	-1.4910	-0.3475	0.8925
	endloop
endfacet
)STL";
inline constexpr std::string_view kFlatCupLAnt = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -1.417495 0.472960 0.000
		vertex -1.244938 0.775995 0.000
		vertex -1.607405 0.732705 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -129468396621.926590 669585999135.800781 0.000
		vertex -254114254476.694763 -681105453838.440308 0.000
		vertex -650346411898.784302 -82002727361.611557 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaLongLAnt = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.189831 -1.162551 0.000
		vertex 0.253900 -1.161002 0.000
		vertex 0.283397 -1.088420 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.253900 -1.161002 0.000
		vertex 0.336276 -1.122490 0.000
		vertex 0.283397 -1.088420 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaMediumLAnt = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -0.895049 -0.523772 0.000
		vertex 0.193712 0.033861 0.000
		vertex 0.292720 -0.777338 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaShortLAnt = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.651276 -1.302433 0.000
		vertex 1.684481 -1.037608 0.000
		vertex 1.670607 -1.262168 0.000
	endloop
endfacet
endsolid
)STL";

inline constexpr std::string_view kCupLPost = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	0.6271	0.9935	-0.2445
		vertex	0.7793	1.3836	0.0381
		vertex	0.3142	1.2615	-0.3806
	endloop
endfacet
	facet normal	0	0	1
	outer loop
		vertex	298765432101.5	-556789012345.25	-512345678901.125
		vertex	-723456789012.75	234567890123.5	-378901234567.375
		vertex	256789012345.875	634567890123.25	-589012345678.625
	endloop
endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupLPostOdd = R"STL(solid cupula
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   +6.27099999999999991E-01 9.93500000000000050e-01 -2.44499999999999995E-01
      vertex   +7.79299999999999993e-01 1.38359999999999994E+00 3.81000000000000019e-02
      vertex   +3.14199999999999979E-01 1.26150000000000007e+00 -3.80599999999999994E-01
    endloop
  endfacet
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   +2.98765432101500000E+11 -5.56789012345250000e+11 -5.12345678901125000E+11
      vertex   -7.23456789012750000e+11 2.34567890123500000E+11 -3.78901234567375000e+11
      vertex   +2.56789012345875000E+11 6.34567890123250000e+11 -5.89012345678625000E+11
    endloop
  endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupLPostFirstOnly = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	0.6271	0.9935	-0.2445
		vertex	0.7793	1.3836	0.0381
		vertex	0.3142	1.2615	-0.3806
	endloop
endfacet
)STL";
inline constexpr std::string_view kFlatCupLPost = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.720751 0.425015 0.000
		vertex 1.198907 0.588026 0.000
		vertex 0.615833 0.846021 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -481026012573.950562 -530730866748.032837 0.000
		vertex -496625267780.799438 685733156721.587769 0.000
		vertex 104856180040.833374 429639356508.629944 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaLongLPost = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.968724 -1.184946 0.000
		vertex 1.052310 -1.178863 0.000
		vertex 1.044425 -1.101857 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.052310 -1.178863 0.000
		vertex 1.110669 -1.131641 0.000
		vertex 1.044425 -1.101857 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaMediumLPost = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -0.885261 -0.600681 0.000
		vertex 1.313398 -0.023045 0.000
		vertex 0.619692 -0.764342 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaShortLPost = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.832595 -1.084195 0.000
		vertex 0.945109 -0.824316 0.000
		vertex 1.055704 -1.056089 0.000
	endloop
endfacet
endsolid
)STL";

inline constexpr std::string_view kCupLLat = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	-0.3058	0.8811	1.4177
		vertex	-0.2435	0.5390	1.5894
		vertex	-0.5659	0.7822	1.2609
	endloop
endfacet
	facet normal	0	0	1
	outer loop
		vertex	-467890123456.375	-489012345678.125	823456789012.5
		vertex	345678901234.625	778901234567.75	-234567890123.25
		vertex	-812345678901.5	556789012345.875	445678901234.125
	endloop
endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupLLatOdd = R"STL(solid cupula
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   -3.05800000000000016E-01 8.81099999999999994e-01 1.41769999999999996E+00
      vertex   -2.43499999999999994e-01 5.39000000000000035E-01 1.58939999999999992e+00
      vertex   -5.65899999999999959E-01 7.82200000000000006e-01 1.26089999999999991E+00
    endloop
  endfacet
  facet normal +0.00000000000000000e+00 0.00000000000000000E+00 1.00000000000000000e+00
    outer loop
      vertex   -4.67890123456375000E+11 -4.89012345678125000e+11 8.23456789012500000E+11
      vertex   +3.45678901234625000e+11 7.78901234567750000E+11 -2.34567890123250000e+11
      vertex   -8.12345678901500000E+11 5.56789012345875000e+11 4.45678901234125000E+11
    endloop
  endfacet
endsolid cupula
)STL";
inline constexpr std::string_view kCupLLatFirstOnly = R"STL(solid cupula
	facet normal	0	0	1
	outer loop
		vertex	-0.3058	0.8811	1.4177
		vertex	-0.2435	0.5390	1.5894
		vertex	-0.5659	0.7822	1.2609
	endloop
endfacet
)STL";
inline constexpr std::string_view kFlatCupLLat = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 0.759627 -0.072467 0.000
		vertex 0.694660 0.309860 0.000
		vertex 0.449638 -0.149448 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -300945798202.322388 679987694518.609131 0.000
		vertex 580645992276.088745 -647296617866.158203 0.000
		vertex -164692927958.269653 -458411676295.401306 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaLongLLat = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.065741 1.079600 0.000
		vertex 1.155549 1.060348 0.000
		vertex 1.146031 0.980978 0.000
	endloop
endfacet
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.155549 1.060348 0.000
		vertex 1.224051 0.993069 0.000
		vertex 1.146031 0.980978 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaMediumLLat = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex -0.933559 0.750676 0.000
		vertex 1.143278 0.196200 0.000
		vertex 0.743712 0.611248 0.000
	endloop
endfacet
endsolid
)STL";
inline constexpr std::string_view kFlatCiliaShortLLat = R"STL(solid
	facet normal 0.000 0.000 1.000
	outer loop
		vertex 1.456162 0.247127 0.000
		vertex 1.513859 0.040935 0.000
		vertex 1.639908 0.260891 0.000
	endloop
endfacet
endsolid
)STL";

inline constexpr double kFrameRAntLengths[4] = {0x1.cba2db75f7352p-4, 0x1.edff212a4671ep-1, 0x1.fffffffffffffp-1, 0x1.0000000000001p+0};
inline constexpr double kFrameRAntAxes[9] = {0x1.878c82cf4eda5p-1, 0x1.00025e2182a61p-1, 0x1.a0235fbd797d6p-2, -0x1.a5346b2febba7p-3, 0x1.930408726ec39p-1, -0x1.29b6eda673d50p-1, -0x1.38a466c632755p-1, 0x1.71c3e0e755febp-2, 0x1.68db38940bbe4p-1};
inline constexpr double kFrameRAntMatrix[9] = {0x1.878c82cf4eda2p-1, 0x1.00025e2182a5fp-1, 0x1.a0235fbd797d3p-2, -0x1.a5346b2febba8p-3, 0x1.930408726ec39p-1, -0x1.29b6eda673d51p-1, -0x1.38a466c632754p-1, 0x1.71c3e0e755febp-2, 0x1.68db38940bbe3p-1};
inline constexpr double kFrameRAntMatrix_sqrt3[9] = {0x1.878c82cf4eda3p-1, 0x1.00025e2182a5fp-1, 0x1.a0235fbd797d6p-2, -0x1.a5346b2febba5p-3, 0x1.930408726ec3ap-1, -0x1.29b6eda673d50p-1, -0x1.38a466c632755p-1, 0x1.71c3e0e755febp-2, 0x1.68db38940bbe4p-1};
inline constexpr double kFrameRAntMatrix_transpose[9] = {0x1.878c82cf4eda5p-1, 0x1.00025e2182a61p-1, 0x1.a0235fbd797d6p-2, -0x1.a5346b2febba7p-3, 0x1.930408726ec39p-1, -0x1.29b6eda673d50p-1, -0x1.38a466c632755p-1, 0x1.71c3e0e755febp-2, 0x1.68db38940bbe4p-1};

}  // namespace flanmere_expected
