#!/bin/sh
# Builds the fuzz targets in BUILD_DIR and runs each for SECONDS.
# usage: run_fuzz.sh SOURCE_DIR BUILD_DIR SECONDS
# Exits 77 (skipped) when clang or its libFuzzer runtime is missing.
set -e
src=$1
build=$2
seconds=${3:-5}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ not found: fuzz run skipped"
    exit 77
fi
mkdir -p "$build"
probe="$build/probe.cpp"
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' > "$probe"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe" -o "$build/probe" >/dev/null 2>&1; then
    echo "clang++ cannot build libFuzzer targets here: fuzz run skipped"
    exit 77
fi

generator=""
command -v ninja >/dev/null 2>&1 && generator="-G Ninja"
cmake -S "$src/tests/fuzz" -B "$build" $generator -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j 2

mkdir -p "$build/corpus"
rm -rf "$build/seeds"
if command -v python3 >/dev/null 2>&1; then
    python3 "$src/tests/fuzz/make_seeds.py" "$build/seeds"
else
    mkdir -p "$build/seeds"
fi
"$build/fuzz_table" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/" "$build/corpus" "$build/seeds"

# The index target starts from a valid index of its own; its inputs are
# patches to it.
mkdir -p "$build/corpus_index"
"$build/fuzz_index" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/index-" "$build/corpus_index"
