#!/bin/sh
# Runs each fuzz target, built with the project in BUILD_DIR, for SECONDS.
# usage: run_fuzz.sh SOURCE_DIR BUILD_DIR SECONDS
# Exits 77 (skipped) when the targets were not built.
set -e
src=$1
build=$2
seconds=${3:-5}

for target in fuzz_table fuzz_index; do
    if [ ! -x "$build/$target" ]; then
        echo "$build/$target was not built: fuzz run skipped"
        exit 77
    fi
done

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
