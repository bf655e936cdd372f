#!/usr/bin/env bash
# The benchmark of the shared ASCII STL reader, of Saxmorrow and of Brindleck
# (not a test): builds the tools and the programs without sanitizers in
# build-bench/, writes a closed mesh of FACETS facets (1000000 by default,
# about 280 MB) under bench/out/, and prints the times of the line count, of
# the reader, of Saxmorrow's whole registration and of Brindleck's whole run
# beside plain fgets/fscanf/fprintf and admesh, with the peak memory of each.
#
#   bench/run.sh             FACETS=200000 REPEAT=3 bench/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
facets=${FACETS:-1000000}
repeat=${REPEAT:-5}
scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSCDS_TESTS=OFF >/dev/null
cmake --build build-bench -j 4 >/dev/null

mkdir -p bench/out
mesh="bench/out/torus_$facets.stl"
small="bench/out/torus_$((facets / 10 / 2 * 2)).stl"
[ -f "$mesh" ] || build-bench/bin/make_mesh "$facets" "$mesh"
[ -f "$small" ] || build-bench/bin/make_mesh "$((facets / 10 / 2 * 2))" "$small"

python3 bench/bench.py --bin build-bench/bin --mesh "$mesh" --small-mesh "$small" --out bench/out \
  --brindleck "$root/build-bench/bin/Brindleck" --repeat "$repeat"
