#!/bin/sh
# make fuzz: builds every fuzz target with clang and libFuzzer, then runs each
# (or those named in FUZZ_TARGETS) for FUZZ_SECONDS seconds on its corpus in
# build/fuzz/corpus/<target>, seeded by the seed writers. A finding stops the
# run with the crashing input saved in build/fuzz/findings/.
set -eu

seconds=${FUZZ_SECONDS:-60}
build=build/fuzz

tools/install-deps.sh clang
# libFuzzer's runtime ships in a package of its own on newer releases.
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
        clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null; then
    version=$(clang++ --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p')
    tools/install-deps.sh "libclang-rt-$version-dev"
fi

CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPMTOOLS_FUZZ=ON -DPMTOOLS_TESTS=OFF -DPMTOOLS_BENCH=OFF -DPMTOOLS_EDITORS=OFF >/dev/null
cmake --build "$build" --target fuzzers

mkdir -p "$build/findings"
for target in "$build"/bin/*_fuzz; do
    mkdir -p "$build/corpus/$(basename "$target")"
done
# Seed writers: one corpus folder per target they seed, in the targets' order.
"$build/bin/dotpress_fuzz_seeds" "$build/corpus/dotpress_fuzz"
"$build/bin/pixolin_fuzz_seeds" "$build/corpus/pixolin_library_file_fuzz" "$build/corpus/pixolin_sprite_file_fuzz"
"$build/bin/tilora_fuzz_seeds" "$build/corpus/tilora_project_file_fuzz"

targets=${FUZZ_TARGETS:-$(cd "$build/bin" && echo *_fuzz)}
for name in $targets; do
    target="$build/bin/$name"
    corpus="$build/corpus/$name"
    echo "== $name for $seconds s"
    "$target" "$corpus" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -malloc_limit_mb=2 -rss_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$name-"
done
