#!/usr/bin/env bash
# Builds the fuzzers with clang and libFuzzer (address and undefined sanitizers).
# usage: fuzz/build.sh [OUTDIR]    then: OUTDIR/compressor_fuzzer -max_total_time=60 [CORPUSDIR]
#                                   or: OUTDIR/register_fuzzer -max_total_time=60 data/
#                                   or: OUTDIR/svd_fuzzer -max_total_time=60 tests/regview/svd/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-fuzz}
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root/src")

# The compressor writes its files through platform/SafeFile.
clang++ "${flags[@]}" "$root/fuzz/compressor_fuzzer.cpp" "$root"/src/compress/*.cpp "$root"/src/platform/*.cpp \
  -o "$out/compressor_fuzzer"
echo "$out/compressor_fuzzer"

# The register description reader and the importer share src/regview, which reads XML with pugixml.
for fuzzer in register_fuzzer svd_fuzzer; do
  clang++ "${flags[@]}" "$root/fuzz/$fuzzer.cpp" "$root"/src/regview/*.cpp "$root"/src/platform/*.cpp -lpugixml \
    -o "$out/$fuzzer"
  echo "$out/$fuzzer"
done
